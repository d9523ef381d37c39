#pragma once
// The fixture of the diary store's tests.

#include <gtest/gtest.h>

#include <string>

#include "store/diary_store.h"
#include "store_doubles.h"
#include "support/fault_file_system.h"
#include "support/test_support.h"

namespace tavrin::testing {

// A diary store on a temporary executable folder with the diary "RaRorir", on the real file system
// behind a locking and a fault-injecting layer, a fixed clock (2024-05-01 09:30) and recording ports.
class StoreTest : public ::testing::Test {
  protected:
    [[nodiscard]] std::filesystem::path Diary() const { return exe_.path() / "RaRorir"; }
    [[nodiscard]] std::filesystem::path MonthFile(int year, int month) const {
        return Diary() / (std::to_string(year * 100 + month) + ".txt");
    }
    void WriteMonth(int year, int month, std::u16string_view text) {
        std::filesystem::create_directories(Diary());
        WriteBytes(MonthFile(year, month), Utf16FileBytes(text));
    }
    [[nodiscard]] std::vector<std::byte> MonthBytes(int year, int month) const {
        return ReadBytes(MonthFile(year, month));
    }

    TempFolder exe_;
    std::unique_ptr<FileSystem> system_ = CreateSystemFileSystem();
    LockingFileSystem locking_{*system_};
    FaultInjectingFileSystem fs_{locking_};
    FixedClock clock_{{2024, 5, 1, 9, 30, 0, 3}};
    FakeEditor editor_;
    RecordingView view_;
    RecordingErrors errors_;
    DiaryStore store_{{fs_, clock_, editor_, view_, errors_}, exe_.path(), u"RaRorir"};
};

}  // namespace tavrin::testing
