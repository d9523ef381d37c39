// Recovery files: their form, the store that writes them off the typing path, and what the next start
// does with them.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "calendar/date_printer.h"
#include "platform/utf16_file.h"
#include "store/month_text.h"
#include "store/recovery_file.h"
#include "store/recovery_store.h"
#include "support/fault_file_system.h"
#include "support/test_support.h"

namespace tavrin {
namespace {

using testing::FaultInjectingFileSystem;
using testing::ReadBytes;
using testing::TempFolder;
using testing::U;
using testing::Utf16FileBytes;
using testing::WriteBytes;

constexpr DiaryDate kDate{2024, 5, 1};

TEST(RecoveryFile, AnyEditorTextReadsBackExactly) {
    std::mt19937 random(99);
    const std::u16string pool = U("a 0123/\t\n\u3000日記*[]") + std::u16string{u'\0', u'\xD83D', u'\xDE00'};
    for (int round = 0; round < 500; ++round) {
        std::u16string text;
        const int length = 1 + static_cast<int>(random() % 30);
        for (int i = 0; i < length; ++i) {
            text.push_back(pool[random() % pool.size()]);
        }
        const DiaryDate date{2024, 2, 1 + static_cast<int>(random() % 29)};
        std::u16string file = ComposeRecoveryText(date, text);
        NormalizeLineBreaks(file);  // as it is read back
        ASSERT_EQ(RecoveredEditorText(file, date), text) << ::testing::PrintToString(text);
    }
    EXPECT_EQ(ComposeRecoveryText(kDate, U("一行目\n\n3行目\n")),
              U("2024/05/01\r\n\t一行目\r\n\t\r\n\t3行目\r\n\t\r\n"))
        << "the month-file form of the one entry";
    EXPECT_EQ(RecoveredEditorText(u"2024/05/02\r\n\tother day\r\n", kDate), u"");
    EXPECT_EQ(RecoveredEditorText(u"no date line\r\n", kDate), u"") << "text before any date line";
}

TEST(RecoverySchedule, HandsTheTextOverAfterAPauseAndWhileTypingGoesOn) {
    RecoverySchedule schedule;
    EXPECT_FALSE(schedule.Due(10'000));
    schedule.Changed(1'000);
    EXPECT_FALSE(schedule.Due(1'999));
    EXPECT_TRUE(schedule.Due(2'000)) << "a pause of a second";
    schedule.Kept();
    EXPECT_FALSE(schedule.Pending());
    // A change every 300 ms never pauses long enough; still no change waits longer than two seconds.
    std::vector<std::uint64_t> waiting;
    std::uint64_t longestWait = 0;
    int handedOver = 0;
    for (std::uint64_t now = 10'000; now < 25'000; now += 100) {
        if (now % 300 == 0 && now < 22'000) {
            schedule.Changed(now);
            waiting.push_back(now);
        }
        if (schedule.Due(now)) {
            ++handedOver;
            schedule.Kept();
            for (const std::uint64_t changed : waiting) {
                longestWait = std::max(longestWait, now - changed);
            }
            waiting.clear();
        }
    }
    EXPECT_TRUE(waiting.empty());
    EXPECT_EQ(longestWait, RecoverySchedule::kLongestMs);
    EXPECT_EQ(handedOver, 6);
}

class RecoveryStoreTest : public ::testing::Test {
protected:
    [[nodiscard]] std::filesystem::path FileOf(const DiaryDate& date,
                                               std::u16string_view diary = u"RaRorir") const {
        return RecoveryFilePath(exe_.path(), diary, date);
    }
    [[nodiscard]] std::vector<std::byte> Expected(const DiaryDate& date, std::u16string_view text) const {
        return Utf16FileBytes(ComposeRecoveryText(date, text));
    }
    // Writes a file as an earlier run would have left it.
    static void Leave(const std::filesystem::path& file, const std::vector<std::byte>& bytes) {
        std::filesystem::create_directories(file.parent_path());
        WriteBytes(file, bytes);
    }

    TempFolder exe_;
};

TEST_F(RecoveryStoreTest, KeepsTheLatestTextAndRemovesOnlyWhatItWrote) {
    RecoveryStore store(CreateSystemFileSystem(), exe_.path());
    std::u16string text;
    for (int i = 0; i < 300; ++i) {
        text.push_back(static_cast<char16_t>(u'a' + i % 26));
        store.Keep(u"RaRorir", kDate, text);
    }
    store.Flush();
    EXPECT_EQ(ReadBytes(FileOf(kDate)), Expected(kDate, text));
    EXPECT_EQ(FileOf(kDate), exe_.path() / "_recovery" / "RaRorir" / "20240501.txt");

    // A file an earlier run left for another day is not this store's to remove.
    const DiaryDate earlier{2024, 4, 30};
    Leave(FileOf(earlier), Expected(earlier, u"from before"));
    store.Discard(u"RaRorir", earlier);
    store.Discard(u"RaRorir", kDate);
    store.Flush();
    EXPECT_FALSE(std::filesystem::exists(FileOf(kDate)));
    EXPECT_TRUE(std::filesystem::exists(FileOf(earlier)));
}

TEST_F(RecoveryStoreTest, TheDestructorFinishesWhatWasAsked) {
    {
        RecoveryStore store(CreateSystemFileSystem(), exe_.path());
        store.Keep(u"仕事", kDate, u"work");
        store.Keep(u"RaRorir", kDate, u"again");
        store.Discard(u"RaRorir", kDate);  // saved, perhaps before it was ever written
    }
    EXPECT_EQ(ReadBytes(FileOf(kDate, u"仕事")), Expected(kDate, u"work"));
    EXPECT_FALSE(std::filesystem::exists(FileOf(kDate)));
}

TEST_F(RecoveryStoreTest, AFailedWriteLeavesTheOldFileAndTheNextKeepWrites) {
    auto system = CreateSystemFileSystem();
    auto faulty = std::make_unique<FaultInjectingFileSystem>(*system);
    FaultInjectingFileSystem& faults = *faulty;
    RecoveryStore store(std::move(faulty), exe_.path());
    store.Keep(u"RaRorir", kDate, u"first");
    store.Flush();
    for (int failing = 1; failing <= 12; ++failing) {
        faults.ResetCount();
        faults.FailFrom(failing);
        store.Keep(u"RaRorir", kDate, u"second");
        store.Flush();
        const auto bytes = ReadBytes(FileOf(kDate));
        EXPECT_TRUE(bytes == Expected(kDate, u"first") || bytes == Expected(kDate, u"second")) << failing;
        faults.Heal();
        store.Keep(u"RaRorir", kDate, u"first");
        store.Flush();
        ASSERT_EQ(ReadBytes(FileOf(kDate)), Expected(kDate, u"first"));
    }
}

// What the next start finds: texts that differ from the stored entries are offered, restored into
// their month files or set aside under a name that is not offered again.
TEST_F(RecoveryStoreTest, RecoveredTextsAreOfferedRestoredOrSetAside) {
    const auto fs = CreateSystemFileSystem();
    const std::filesystem::path diary = exe_.path() / "RaRorir";
    std::filesystem::create_directories(diary);
    WriteBytes(diary / "202405.txt",
               Utf16FileBytes(u"2024/05/01\r\n\tstored\r\n\r\n2024/05/03\r\n\tsame\r\n"));
    const DiaryDate third{2024, 5, 3};
    const DiaryDate work{2024, 4, 10};
    Leave(FileOf(kDate), Expected(kDate, u"stored and more"));
    Leave(FileOf(third), Expected(third, u"same  "));
    Leave(FileOf(work, u"仕事"), Expected(work, U("仕事の\n記録")));
    Leave(FileOf(kDate).parent_path() / "20240502-kept1.txt", Expected({2024, 5, 2}, u"set aside"));
    Leave(FileOf(kDate).parent_path() / "notes.txt", Expected(kDate, u"not ours"));
    Leave(FileOf(kDate).parent_path() / "20241301.txt", Expected({2024, 13, 1}, u"no date"));
    Leave(FileOf({2024, 5, 4}), Expected(kDate, u"under the wrong date"));

    EXPECT_EQ(CollectRecoveredEntries(*fs, exe_.path(), false).size(), 3u)
        << "trailing spaces make the 3rd differ while DeleteEndBlankLine is off";
    const std::vector<RecoveredEntry> offered = CollectRecoveredEntries(*fs, exe_.path(), true);
    ASSERT_EQ(offered,
              (std::vector<RecoveredEntry>{{u"RaRorir", kDate, u"stored and more", FileOf(kDate)},
                                           {u"仕事", work, U("仕事の\n記録"), FileOf(work, u"仕事")}}));
    EXPECT_FALSE(std::filesystem::exists(FileOf(third))) << "it held nothing that is not stored";
    EXPECT_TRUE(std::filesystem::exists(FileOf({2024, 5, 4}))) << "not understood, so left alone";
    EXPECT_EQ(
        RecoveryQuestionText(offered, u"RaRorir"),
        U("保存されていない日記の文章が残っています。\r\n（前回、Tavrinが正しく終了しませんでした。）\r\n"
          "\r\n2024/05/01\r\n2024/04/10（仕事）\r\n\r\n復元して保存しますか？\r\n"
          "（「いいえ」を選んでも、文章は消えません。）"));

    EXPECT_EQ(RestoreRecoveredEntry(*fs, exe_.path(), offered[0], true), std::nullopt);
    EXPECT_EQ(ReadBytes(diary / "202405.txt"),
              Utf16FileBytes(u"2024/05/01\r\n\tstored and more\r\n\r\n2024/05/03\r\n\tsame\r\n"));
    EXPECT_FALSE(std::filesystem::exists(FileOf(kDate)));

    ASSERT_TRUE(SetRecoveredEntryAside(*fs, offered[1]));
    EXPECT_TRUE(std::filesystem::exists(FileOf(work, u"仕事").parent_path() / "20240410-kept1.txt"));
    EXPECT_TRUE(CollectRecoveredEntries(*fs, exe_.path(), true).empty()) << "nothing is offered twice";
    EXPECT_FALSE(std::filesystem::exists(exe_.path() / "仕事")) << "setting aside writes no diary";

    // Restoring into a diary that has no folder yet makes it.
    Leave(FileOf(work, u"仕事"), Expected(work, u"again"));
    const std::vector<RecoveredEntry> again = CollectRecoveredEntries(*fs, exe_.path(), true);
    ASSERT_EQ(again.size(), 1u);
    ASSERT_FALSE(
        SetRecoveredEntryAside(*fs, RecoveredEntry{u"仕事", work, u"x", exe_.path() / "missing.txt"}));
    EXPECT_EQ(RestoreRecoveredEntry(*fs, exe_.path(), again[0], false), std::nullopt);
    EXPECT_EQ(ReadBytes(exe_.path() / "仕事" / "202404.txt"), Utf16FileBytes(u"2024/04/10\r\n\tagain\r\n"));
}

TEST_F(RecoveryStoreTest, ARestoreThatFailsKeepsTheRecoveryFile) {
    auto system = CreateSystemFileSystem();
    FaultInjectingFileSystem faulty(*system);
    const std::filesystem::path month = exe_.path() / "RaRorir" / "202405.txt";
    std::filesystem::create_directories(month.parent_path());
    const auto oldBytes = Utf16FileBytes(u"2024/05/02\r\n\tneighbour\r\n");
    Leave(FileOf(kDate), Expected(kDate, u"recovered"));
    const RecoveredEntry entry = CollectRecoveredEntries(*system, exe_.path(), false).at(0);
    for (int failing = 1; failing <= 9; ++failing) {
        WriteBytes(month, oldBytes);
        faulty.ResetCount();
        faulty.FailFrom(failing);
        const std::optional<UserError> error = RestoreRecoveredEntry(faulty, exe_.path(), entry, false);
        faulty.Heal();
        if (error) {
            EXPECT_TRUE(error->number == 302 || error->number == 303 || error->number == 311)
                << error->number;
            EXPECT_EQ(ReadBytes(month), oldBytes);
            EXPECT_TRUE(std::filesystem::exists(entry.file)) << failing;
        } else {
            EXPECT_GE(failing, 8) << "only the removal of the recovery file itself may fail silently";
        }
    }
}

}  // namespace
}  // namespace tavrin
