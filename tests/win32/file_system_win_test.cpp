// The Win32 file system under the conditions that matter for a diary: files held open by another
// process or thread, replacing files that exist, and paths with Japanese names.
#include <windows.h>

#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "platform/file_system.h"
#include "platform/utf16_file.h"
#include "support/test_support.h"

namespace tavrin {
namespace {

using testing::TempFolder;
using testing::U;

// Holds a file open with no sharing, as another program (or a second copy of ours) would.
class ExclusiveHold {
public:
    explicit ExclusiveHold(const std::filesystem::path& path)
        : handle_(
              CreateFileW(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_ALWAYS, 0, nullptr)) {}
    ExclusiveHold(const ExclusiveHold&) = delete;
    ExclusiveHold& operator=(const ExclusiveHold&) = delete;
    ~ExclusiveHold() { Release(); }
    [[nodiscard]] bool held() const { return handle_ != INVALID_HANDLE_VALUE; }
    void Release() {
        if (held()) {
            CloseHandle(handle_);
            handle_ = INVALID_HANDLE_VALUE;
        }
    }

private:
    HANDLE handle_;
};

class Win32FileSystemTest : public ::testing::Test {
protected:
    TempFolder folder_;
    std::unique_ptr<FileSystem> fs_ = CreateSystemFileSystem();
    std::filesystem::path file_ = folder_.path() / U("日記の月.txt");
};

TEST_F(Win32FileSystemTest, WritesAndReadsJapaneseNamesAtomically) {
    ASSERT_TRUE(WriteUtf16File(*fs_, file_, u"first").ok());
    ASSERT_TRUE(WriteUtf16File(*fs_, file_, U("二回目")).ok()) << "replacing an existing file";
    EXPECT_EQ(ReadUtf16File(*fs_, file_), U("二回目"));
    EXPECT_FALSE(fs_->Exists(TemporaryPathFor(file_)));
}

TEST_F(Win32FileSystemTest, ALockHeldLongerThanTheRetriesFailsWithTheSystemCode) {
    ASSERT_TRUE(WriteUtf16File(*fs_, file_, u"text").ok());
    ExclusiveHold hold(file_);
    ASSERT_TRUE(hold.held());
    const auto start = std::chrono::steady_clock::now();
    EXPECT_FALSE(fs_->ReadWholeFile(file_));
    const auto waited = std::chrono::steady_clock::now() - start;
    EXPECT_EQ(fs_->LastError(), static_cast<std::uint32_t>(ERROR_SHARING_VIOLATION));
    EXPECT_GE(waited, std::chrono::milliseconds(150)) << "nine pauses of 20 ms between ten attempts";
    EXPECT_FALSE(WriteUtf16File(*fs_, file_, u"new").ok()) << "the target cannot be replaced while held";
    hold.Release();
    EXPECT_EQ(ReadUtf16File(*fs_, file_), u"text") << "the failed write left the old content";
}

TEST_F(Win32FileSystemTest, ALockReleasedWithinTheRetriesIsWaitedFor) {
    ASSERT_TRUE(WriteUtf16File(*fs_, file_, u"text").ok());
    auto hold = std::make_unique<ExclusiveHold>(file_);
    std::thread releaser([&hold] {
        std::this_thread::sleep_for(std::chrono::milliseconds(60));
        hold->Release();
    });
    const auto text = ReadUtf16File(*fs_, file_);
    releaser.join();
    EXPECT_EQ(text, u"text");
}

TEST_F(Win32FileSystemTest, ListsFoldersAndRefusesToOverwriteOnMove) {
    ASSERT_TRUE(fs_->CreateFolder(folder_.path() / "data"));
    ASSERT_TRUE(WriteUtf16File(*fs_, file_, u"a").ok());
    const auto entries = fs_->ListFolder(folder_.path());
    ASSERT_TRUE(entries);
    EXPECT_EQ(entries->size(), 2u);
    EXPECT_FALSE(fs_->Move(file_, folder_.path() / "data")) << "a move never replaces";
    EXPECT_TRUE(fs_->Copy(file_, folder_.path() / "data" / "copy.txt", true));
    EXPECT_FALSE(fs_->Copy(file_, folder_.path() / "data" / "copy.txt", true));
    EXPECT_FALSE(fs_->ListFolder(folder_.path() / "missing"));
}

// The listing gives each file's size and write time, by which the search knows which month files it
// must read again.
TEST_F(Win32FileSystemTest, ListingsTellEachFilesSizeAndWriteTime) {
    const auto stampOf = [&]() -> FolderEntry {
        for (const FolderEntry& entry :
             fs_->ListFolder(folder_.path()).value_or(std::vector<FolderEntry>{})) {
            if (entry.name == file_.filename()) {
                return entry;
            }
        }
        return {};
    };
    ASSERT_TRUE(WriteUtf16File(*fs_, file_, u"a").ok());
    const FolderEntry first = stampOf();
    EXPECT_TRUE(first.stamped);
    EXPECT_EQ(first.size, 4u) << "byte-order mark and one character";
    EXPECT_EQ(stampOf().writeTime, first.writeTime) << "unchanged";
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    ASSERT_TRUE(WriteUtf16File(*fs_, file_, u"b").ok());
    EXPECT_EQ(stampOf().size, 4u);
    EXPECT_NE(stampOf().writeTime, first.writeTime) << "rewritten with the same size";
}

}  // namespace
}  // namespace tavrin
