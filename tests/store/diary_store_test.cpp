#include "store/diary_store.h"

#include <gtest/gtest.h>

#include <random>

#include "calendar/date_printer.h"
#include "platform/utf16_file.h"
#include "store_test_support.h"

namespace tavrin {
namespace {

using testing::FaultInjectingFileSystem;
using testing::ReadBytes;
using testing::StoreTest;
using testing::U;
using testing::Utf16FileBytes;

constexpr DiaryDate kToday{2024, 5, 1};

TEST_F(StoreTest, SavingWritesTheMonthFileByteForByte) {
    store_.ChooseStartDate(0, 0);
    ASSERT_EQ(store_.SelectedDate(), kToday);
    EXPECT_EQ(editor_.text, u"");

    editor_.Type(U("朝\n\n12時に起きた"));
    ASSERT_TRUE(store_.GoToDate({2024, 5, 2}, true));
    EXPECT_EQ(MonthBytes(2024, 5), Utf16FileBytes(U("2024/05/01\r\n\t朝\r\n\t\r\n\t12時に起きた\r\n")));
    EXPECT_FALSE(std::filesystem::exists(MonthFile(2024, 5).string() + ".tavrin-new"));
    EXPECT_EQ(editor_.text, u"");

    editor_.Type(u"two\n");
    ASSERT_TRUE(store_.GoToDate(kToday, true));
    EXPECT_EQ(MonthBytes(2024, 5), Utf16FileBytes(U("2024/05/01\r\n\t朝\r\n\t\r\n\t12時に起きた\r\n"
                                                    "\r\n"
                                                    "2024/05/02\r\n\ttwo\r\n\t\r\n")));
    EXPECT_EQ(editor_.text, U("朝\n\n12時に起きた"));

    // Unchanged text writes nothing.
    fs_.ResetCount();
    EXPECT_TRUE(store_.SaveCurrentEntry(true));
    EXPECT_EQ(fs_.OperationCount(), 0);

    // Emptying entries removes them; the last one leaves only the byte-order mark.
    editor_.Type(u"");
    ASSERT_TRUE(store_.GoToDate({2024, 5, 2}, true));
    EXPECT_EQ(MonthBytes(2024, 5), Utf16FileBytes(u"2024/05/02\r\n\ttwo\r\n\t\r\n"));
    EXPECT_EQ(editor_.text, u"two\n");
    editor_.Type(u"");
    ASSERT_TRUE(store_.GoToDate(kToday, true));
    EXPECT_EQ(MonthBytes(2024, 5), Utf16FileBytes(u""));
    EXPECT_TRUE(errors_.errors.empty());
}

TEST_F(StoreTest, SavingTheSameTextTwiceWritesOnce) {
    store_.ChooseStartDate(0, 0);
    editor_.Type(u"entry");
    ASSERT_TRUE(store_.SaveCurrentEntry(true));
    fs_.ResetCount();
    ASSERT_TRUE(store_.SaveCurrentEntry(true)) << "still modified: the editor keeps its flag";
    EXPECT_EQ(fs_.OperationCount(), 0) << "the file already holds this text";
    editor_.Type(u"entry, longer");
    ASSERT_TRUE(store_.SaveCurrentEntry(true));
    EXPECT_GT(fs_.OperationCount(), 0);
    EXPECT_EQ(MonthBytes(2024, 5), Utf16FileBytes(u"2024/05/01\r\n\tentry, longer\r\n"));
}

TEST_F(StoreTest, DeleteEndBlankLineTrimsBeforeStoring) {
    store_.options.deleteEndBlankLine = true;
    store_.ChooseStartDate(0, 0);
    editor_.Type(U("text \u3000\n\t\n\n"));
    ASSERT_TRUE(store_.GoToDate({2024, 5, 2}, true));
    editor_.Type(U(" \n\u3000"));
    ASSERT_TRUE(store_.GoToDate(kToday, true));
    EXPECT_EQ(MonthBytes(2024, 5), Utf16FileBytes(u"2024/05/01\r\n\ttext\r\n"));
    EXPECT_EQ(editor_.text, u"text");
}

TEST_F(StoreTest, HandEditedMonthKeepsItsOtherEntriesWhenOneDayIsSaved) {
    WriteMonth(2024, 5,
               U("memo without a date\n2024/5/3 晴れ\nthird\n\nmore of the third\n2024/05/04\n\tfourth"));
    store_.ChooseStartDate(0, 0);
    EXPECT_EQ(editor_.text, u"memo without a date");
    store_.GoToDate({2024, 5, 3}, true);
    EXPECT_EQ(editor_.text, u"third\n\nmore of the third");
    store_.GoToDate({2024, 5, 4}, true);
    editor_.Type(u"fourth, edited");
    ASSERT_TRUE(store_.GoToDate({2024, 5, 5}, true));
    EXPECT_EQ(MonthBytes(2024, 5), Utf16FileBytes(U("2024/05/01\r\nmemo without a date\r\n\r\n"
                                                    "2024/5/3 晴れ\r\nthird\r\n\r\nmore of the third\r\n\r\n"
                                                    "2024/05/04\r\n\tfourth, edited\r\n")));
}

TEST_F(StoreTest, CalendarModeNeitherSavesNorLoads) {
    WriteMonth(2024, 5, u"2024/05/03\r\n\tthird");
    store_.ChooseStartDate(0, 0);
    editor_.Type(u"first");
    ASSERT_TRUE(store_.EnterCalendarMode());
    EXPECT_EQ(MonthBytes(2024, 5), Utf16FileBytes(u"2024/05/01\r\n\tfirst\r\n\r\n2024/05/03\r\n\tthird\r\n"));
    fs_.ResetCount();
    EXPECT_TRUE(store_.SaveCurrentEntry(true));
    EXPECT_EQ(fs_.OperationCount(), 0);
    const int setTexts = editor_.setTextCalls;
    ASSERT_TRUE(store_.GoToDate({2024, 5, 3}, true));
    EXPECT_EQ(editor_.setTextCalls, setTexts) << "the hidden editor is left alone";
    EXPECT_EQ(editor_.focusCalls, 1) << "only the start gave focus";
    store_.EnterEditMode();
    EXPECT_EQ(editor_.text, u"third");

    ASSERT_TRUE(store_.EnterCalendarMode());
    const int reloads = editor_.setTextCalls;
    store_.EnterEditMode();
    EXPECT_EQ(editor_.setTextCalls, reloads) << "same date: the editor still holds the entry";
}

TEST_F(StoreTest, FailedSaveInCalendarSwitchKeepsEditMode) {
    store_.ChooseStartDate(0, 0);
    editor_.Type(u"kept");
    fs_.FailFrom(1);
    EXPECT_FALSE(store_.EnterCalendarMode());
    EXPECT_FALSE(store_.InCalendarMode());
    EXPECT_EQ(editor_.text, u"kept");
}

TEST_F(StoreTest, EditorThatCannotBeAskedKeepsTheDate) {
    store_.ChooseStartDate(0, 0);
    editor_.available = false;
    EXPECT_FALSE(store_.GoToDate({2024, 5, 2}, true));
    EXPECT_EQ(store_.SelectedDate(), kToday);
    EXPECT_TRUE(errors_.errors.empty()) << "no message for this failure";
}

// Every file-system operation of a save fails in turn, once and from there on. Whatever happens, the
// month file is the old or the new content, never anything else; a failure is reported with the right
// error and the new text stays in the year buffer and the editor.
TEST_F(StoreTest, SaveSurvivesAFailureOfEveryFileOperation) {
    const std::u16string oldText = u"2024/05/03\r\n\tthird\r\n";
    const std::u16string newText = u"2024/05/01\r\n\tnew entry\r\n\r\n2024/05/03\r\n\tthird\r\n";
    const auto oldBytes = Utf16FileBytes(oldText);
    const auto newBytes = Utf16FileBytes(newText);
    const std::u16string folder = Diary().u16string();

    // A clean run counts the operations of a save.
    WriteMonth(2024, 5, oldText);
    store_.ChooseStartDate(0, 0);
    editor_.Type(u"new entry");
    fs_.ResetCount();
    ASSERT_TRUE(store_.SaveCurrentEntry(true));
    const int operations = fs_.OperationCount();
    ASSERT_EQ(operations, 8)
        << "the month file looked at again, folder check, open, two writes, commit, move into place";

    for (const bool once : {true, false}) {
        for (int failing = 1; failing <= operations; ++failing) {
            SCOPED_TRACE(::testing::Message() << (once ? "only operation " : "from operation ") << failing);
            WriteMonth(2024, 5, oldText);
            fs_.Heal();
            store_.LoadYear();
            store_.LoadCurrentEntry();
            editor_.Type(u"new entry");
            errors_.errors.clear();
            fs_.ResetCount();
            once ? fs_.FailOnly(failing) : fs_.FailFrom(failing);

            const bool saved = store_.SaveCurrentEntry(true);
            const auto bytes = ReadBytes(MonthFile(2024, 5));
            EXPECT_EQ(editor_.text, u"new entry");
            EXPECT_EQ(editor_.modified, !saved) << "only a saved text counts as unchanged";
            if (saved) {
                EXPECT_EQ(bytes, newBytes);
                EXPECT_TRUE(errors_.errors.empty());
                continue;
            }
            EXPECT_EQ(bytes, oldBytes);
            ASSERT_EQ(errors_.errors.size(), 1u);
            const UserError& error = errors_.errors.front();
            EXPECT_EQ(error.systemError, FaultInjectingFileSystem::kInjectedError);
            const std::string& first = *std::find_if(
                fs_.Log().begin(), fs_.Log().end(),
                [](const std::string& entry) { return entry.find("(failed)") != std::string::npos; });
            const bool unreadable = first.starts_with("ReadWholeFile");
            EXPECT_EQ(store_.Year().Body(5, 1), unreadable ? u"" : u"\tnew entry")
                << "a text that was built waits in the year buffer";
            if (unreadable) {
                // The file cannot be read again to see whether another copy changed it.
                EXPECT_EQ(error, (UserError{303, u"1", error.systemError}));
            } else if (first.starts_with("Exists") || first.starts_with("IsFolder") ||
                       first.starts_with("CreateFolder")) {
                EXPECT_EQ(error, (UserError{311, folder, error.systemError}));
            } else if (first.starts_with("OpenForWriting")) {
                EXPECT_EQ(error, (UserError{303, u"1", error.systemError}));
            } else if (first.starts_with("Write") && failing == 5) {
                EXPECT_EQ(error, (UserError{303, u"2", error.systemError})) << "the byte-order mark";
            } else {
                EXPECT_EQ(error, (UserError{303, u"3", error.systemError})) << first;
            }
            // The failed save keeps the user on the entry; once the disk works again it is written.
            fs_.FailFrom(1);
            EXPECT_FALSE(store_.GoToDate({2024, 5, 2}, true));
            EXPECT_EQ(store_.SelectedDate(), kToday);
            fs_.Heal();
            ASSERT_TRUE(store_.GoToDate({2024, 5, 2}, true));
            EXPECT_EQ(ReadBytes(MonthFile(2024, 5)), newBytes);
            ASSERT_TRUE(store_.GoToDate(kToday, true));
        }
    }
}

TEST_F(StoreTest, MissingDiaryFolderIsCreatedAndAFolderThatCannotBeIsReported) {
    store_.ChooseStartDate(0, 0);
    editor_.Type(u"first words");
    ASSERT_TRUE(store_.SaveCurrentEntry(true));
    EXPECT_TRUE(std::filesystem::is_directory(Diary()));

    // A file where the diary folder should be.
    testing::TempFolder other;
    DiaryStore blocked{{fs_, clock_, editor_, view_, errors_}, other.path(), u"blocked"};
    testing::WriteBytes(other.path() / "blocked", {std::byte{1}});
    blocked.ChooseStartDate(0, 0);
    editor_.Type(u"text");
    EXPECT_FALSE(blocked.SaveCurrentEntry(true));
    ASSERT_EQ(errors_.errors.size(), 1u);
    EXPECT_EQ(errors_.errors[0].number, kErrorFolderCreate);
    EXPECT_EQ(errors_.errors[0].detail, (other.path() / "blocked").u16string());
    EXPECT_FALSE(blocked.SaveCurrentEntry(false));
    EXPECT_EQ(errors_.errors.size(), 1u) << "without the report flag nothing is shown";
}

// Any editor text, saved to its month file among other entries and loaded again, is the same text.
TEST_F(StoreTest, RandomEntryTextsRoundTripThroughTheMonthFile) {
    WriteMonth(2024, 5, u"2024/05/02\r\n\tneighbour\r\n");
    store_.ChooseStartDate(0, 0);
    std::mt19937 random(12345);
    const std::u16string pool =
        U("a Z09/\t\n\u3000日記*[]#") + std::u16string{u'\0', u'\xD83D', u'\xDE00', u'\xDFFF'};
    for (int round = 0; round < 60; ++round) {
        std::u16string text;
        const int length = static_cast<int>(random() % 40);
        for (int i = 0; i < length; ++i) {
            text.push_back(pool[random() % pool.size()]);
        }
        editor_.Type(text);
        ASSERT_TRUE(store_.GoToDate({2024, 5, 3}, true));
        ASSERT_TRUE(store_.GoToDate(kToday, true));
        ASSERT_EQ(editor_.text, text) << ::testing::PrintToString(text);
        store_.LoadYear();  // read back from the file, not the buffer
        store_.LoadCurrentEntry();
        ASSERT_EQ(editor_.text, text);
        ASSERT_EQ(store_.Year().Body(5, 2), u"\tneighbour");
    }
}

TEST_F(StoreTest, EditLockFollowsTheClock) {
    store_.options.editLock = true;
    clock_.Set({2024, 5, 10, 11, 59, 0, 5});
    store_.ChooseStartDate(0, 0);
    EXPECT_FALSE(editor_.readOnly) << "today";
    store_.GoToDate({2024, 5, 9}, true);
    EXPECT_FALSE(editor_.readOnly) << "yesterday before noon";
    clock_.Set({2024, 5, 10, 12, 0, 0, 5});
    EXPECT_FALSE(editor_.readOnly) << "kept until the entry is loaded again";
    store_.LoadCurrentEntry();
    EXPECT_TRUE(editor_.readOnly) << "yesterday from noon";
    store_.GoToDate({2024, 5, 8}, true);
    EXPECT_TRUE(editor_.readOnly);
    store_.GoToDate({2024, 5, 11}, true);
    EXPECT_FALSE(editor_.readOnly) << "tomorrow";
    store_.GoToDate({2023, 12, 31}, true);
    EXPECT_TRUE(editor_.readOnly);
    store_.options.editLock = false;
    store_.ApplyEditLock();
    EXPECT_FALSE(editor_.readOnly);

    clock_.Set({2024, 1, 1, 8, 0, 0, 1});
    store_.options.editLock = true;
    store_.ApplyEditLock();
    EXPECT_FALSE(editor_.readOnly) << "2023-12-31 is yesterday across the year";
}

TEST_F(StoreTest, DayMarksFollowTypingAndSettleOnSave) {
    WriteMonth(2024, 5, u"2024/05/01\r\n\tfirst");
    store_.ChooseStartDate(0, 0);
    EXPECT_EQ(store_.Year().Day(5, 1).mark, 6);
    editor_.Type(u"");
    store_.UpdateDayMark();
    EXPECT_EQ(store_.Year().Day(5, 1).mark, 0);
    EXPECT_EQ(view_.markChanges, 1);
    store_.UpdateDayMark();
    EXPECT_EQ(view_.markChanges, 1) << "no change, no repaint";
    editor_.Type(u"ab");
    store_.UpdateDayMark();
    EXPECT_EQ(store_.Year().Day(5, 1).mark, 2);
    editor_.Type(u"abc");
    store_.UpdateDayMark();
    EXPECT_EQ(store_.Year().Day(5, 1).mark, 2) << "only the switch between empty and written counts";
    EXPECT_EQ(view_.markChanges, 2);
    ASSERT_TRUE(store_.SaveCurrentEntry(true));
    EXPECT_EQ(store_.Year().Day(5, 1).mark, 4);
}

// A month file that another program holds open while the year loads: it is shown empty and read-only,
// never overwritten by a month built from nothing, and read again as soon as possible.
TEST_F(StoreTest, UnreadableMonthIsNeverOverwritten) {
    WriteMonth(2024, 5, u"2024/05/01\r\n\tstored\r\n\r\n2024/05/20\r\n\ttwentieth\r\n");
    const auto original = MonthBytes(2024, 5);
    locking_.Lock(MonthFile(2024, 5));
    store_.ChooseStartDate(0, 0);
    EXPECT_EQ(editor_.text, u"");
    EXPECT_TRUE(editor_.readOnly);
    EXPECT_EQ(store_.Year().MonthLength(5), -1);

    editor_.Type(u"typed anyway");  // e.g. inserted by a command that ignores read-only
    EXPECT_FALSE(store_.GoToDate({2024, 5, 2}, true));
    ASSERT_EQ(errors_.errors.size(), 1u);
    EXPECT_EQ(errors_.errors[0].number, kErrorFileRead);
    EXPECT_EQ(errors_.errors[0].detail, MonthFile(2024, 5).u16string());
    EXPECT_EQ(MonthBytes(2024, 5), original);

    // Once readable, the stored entry is kept in front of what was typed blind.
    locking_.Unlock(MonthFile(2024, 5));
    ASSERT_TRUE(store_.GoToDate({2024, 5, 2}, true));
    EXPECT_EQ(MonthBytes(2024, 5), Utf16FileBytes(u"2024/05/01\r\n\tstored\r\n\ttyped anyway\r\n\r\n"
                                                  u"2024/05/20\r\n\ttwentieth\r\n"));

    // Locked again at the next load, then released: the day is read again when it is opened.
    locking_.Lock(MonthFile(2024, 5));
    store_.LoadYear();
    store_.LoadCurrentEntry();
    EXPECT_TRUE(editor_.readOnly);
    locking_.Unlock(MonthFile(2024, 5));
    ASSERT_TRUE(store_.GoToDate({2024, 5, 20}, true));
    EXPECT_EQ(editor_.text, u"twentieth");
    EXPECT_FALSE(editor_.readOnly);
}

TEST_F(StoreTest, ShutdownSavesSilentlyAndEmptiesTheYear) {
    store_.ChooseStartDate(0, 0);
    editor_.Type(u"last words");
    store_.Shutdown();
    EXPECT_EQ(MonthBytes(2024, 5), Utf16FileBytes(u"2024/05/01\r\n\tlast words\r\n"));
    EXPECT_EQ(store_.Year().State(5), MonthState::kAbsent);
    EXPECT_EQ(store_.StartDateValue(), 20240501);
}

}  // namespace
}  // namespace tavrin
