#include <gtest/gtest.h>

#include <algorithm>

#include "calendar/date_printer.h"
#include "diarygen/diary_generator.h"
#include "store/diary_store.h"
#include "store/entry_index.h"
#include "store_test_support.h"

namespace tavrin {
namespace {

using testing::StoreTest;
using testing::U;

DiaryDate Move(const DiaryDate& from, MoveCommand command) {
    return DateAfterMove(from, command, {2024, 5, 1});
}

TEST(Navigation, MoveCommandsKeepTheDayInsideTheMonth) {
    EXPECT_EQ(Move({2024, 3, 31}, MoveCommand::kPrevMonth), (DiaryDate{2024, 2, 29}));
    EXPECT_EQ(Move({2023, 3, 31}, MoveCommand::kPrevMonth), (DiaryDate{2023, 2, 28}));
    EXPECT_EQ(Move({2024, 1, 31}, MoveCommand::kNextMonth), (DiaryDate{2024, 2, 29}));
    EXPECT_EQ(Move({2023, 1, 31}, MoveCommand::kNextMonth), (DiaryDate{2023, 2, 28}));
    EXPECT_EQ(Move({2024, 12, 15}, MoveCommand::kNextMonth), (DiaryDate{2025, 1, 15}));
    EXPECT_EQ(Move({2024, 1, 15}, MoveCommand::kPrevMonth), (DiaryDate{2023, 12, 15}));
    EXPECT_EQ(Move({2024, 2, 29}, MoveCommand::kNextYear), (DiaryDate{2025, 2, 28}));
    EXPECT_EQ(Move({2024, 5, 31}, MoveCommand::kPrevMonth), (DiaryDate{2024, 4, 30}));
    EXPECT_EQ(Move({9999, 6, 1}, MoveCommand::kNextYear), (DiaryDate{9999, 6, 1}));
    EXPECT_EQ(Move({1, 6, 1}, MoveCommand::kPrevYear), (DiaryDate{0, 6, 1}));
    EXPECT_EQ(Move({2024, 3, 3}, MoveCommand::kPrevWeek), (DiaryDate{2024, 2, 25}));
    EXPECT_EQ(Move({2023, 12, 31}, MoveCommand::kNextDay), (DiaryDate{2024, 1, 1}));
    EXPECT_EQ(Move({2023, 12, 31}, MoveCommand::kToday), (DiaryDate{2024, 5, 1}));
    EXPECT_EQ(MoveCommandFromId(41018), MoveCommand::kToday);
    EXPECT_EQ(MoveCommandFromId(41027), MoveCommand::kNextMonth);
    EXPECT_EQ(MoveCommandFromId(41019), std::nullopt);
    EXPECT_EQ(StepCommandFromId(41030), StepCommand::kNewDiary);
    EXPECT_EQ(StepCommandFromId(41031), std::nullopt);
}

TEST(Navigation, JumpFieldsAndMessages) {
    EXPECT_EQ(CheckJumpFields(u"2024", u"2", u"29").date, (DiaryDate{2024, 2, 29}));
    const JumpCheck refused = CheckJumpFields(u"2023", u"2", u"29");
    EXPECT_FALSE(refused.date);
    ASSERT_TRUE(refused.notice);
    EXPECT_EQ(refused.notice->text, U("2023/02/29 は存在しない日付です。"));
    EXPECT_EQ(refused.notice->caption, U("日付の選択"));
    EXPECT_EQ(CheckJumpFields(u"0", u"1", u"1").notice->text, U("0000/01/01 は存在しない日付です。"));
    EXPECT_EQ(CheckJumpFields(u"123456", u"13", u"0").date, (DiaryDate{9999, 12, 1}))
        << "clamped; no year the month files cannot name";
    EXPECT_EQ(CheckJumpFields(u" 7x", u"", u"-3").date, (DiaryDate{7, 1, 1}));
    EXPECT_EQ(JumpDialogTitle({2024, 5, 1}), U("日付移動　今日: 2024/05/01"));
    EXPECT_EQ(MissingDateLinkNotice({2023, 2, 30}).text, U("2023/02/30 は存在しません。"));
}

TEST(Navigation, MonthFileNames) {
    EXPECT_TRUE(ParseMonthFileName("202403.txt"));
    EXPECT_EQ(ParseMonthFileName("000101.txt")->key, 101);
    for (const char* name :
         {"2024-03.txt", "202413.txt", "202403.TXT", "000001.txt", "202400.txt", "2024031.txt", "20240.txt",
          "20a403.txt", "202403.txt.tavrin-new", "202403_txt"}) {
        EXPECT_FALSE(ParseMonthFileName(name)) << name;
    }
}

TEST_F(StoreTest, MovesSaveFirstAndRespectTheLimits) {
    store_.options.noAnimation = true;
    store_.ChooseStartDate(2, 99991231);
    ASSERT_EQ(store_.SelectedDate(), (DiaryDate{9999, 12, 31}));
    store_.MoveByCommand(MoveCommand::kNextDay);
    EXPECT_EQ(store_.SelectedDate(), (DiaryDate{9999, 12, 31})) << "no year the month files cannot name";
    const int blinks = view_.blinks;
    store_.MoveByCommand(MoveCommand::kNextYear);
    EXPECT_EQ(view_.blinks, blinks + 1) << "same date: blink";

    ASSERT_TRUE(store_.GoToDate({1, 3, 1}, true));
    store_.MoveByCommand(MoveCommand::kPrevYear);
    EXPECT_EQ(store_.SelectedDate(), (DiaryDate{1, 3, 1}));
    store_.MoveByCommand(MoveCommand::kToday);
    EXPECT_EQ(store_.SelectedDate(), (DiaryDate{2024, 5, 1}));

    editor_.Type(u"unsaved");
    fs_.FailFrom(1);
    store_.MoveByCommand(MoveCommand::kNextDay);
    EXPECT_EQ(store_.SelectedDate(), (DiaryDate{2024, 5, 1})) << "a failed save cancels the move";
    EXPECT_EQ(editor_.text, u"unsaved");
    EXPECT_FALSE(errors_.errors.empty());
}

TEST_F(StoreTest, MonthChangesAnimateUnlessSwitchedOff) {
    store_.ChooseStartDate(0, 0);
    store_.MoveByCommand(MoveCommand::kNextDay);
    EXPECT_EQ(store_.SelectedDate(), (DiaryDate{2024, 5, 2})) << "same month: no animation";
    EXPECT_FALSE(view_.animationTarget);

    store_.MoveByCommand(MoveCommand::kNextMonth);
    ASSERT_TRUE(view_.animationTarget);
    EXPECT_EQ(*view_.animationTarget, (DiaryDate{2024, 6, 2}));
    EXPECT_EQ(store_.SelectedDate(), (DiaryDate{2024, 5, 2})) << "the date changes when the animation ends";
    store_.MoveByCommand(MoveCommand::kNextDay);
    store_.StepToEntry(StepCommand::kNewDiary, true);
    EXPECT_EQ(store_.SelectedDate(), (DiaryDate{2024, 5, 2})) << "date commands wait for the animation";
    view_.animating = false;
    ASSERT_TRUE(store_.GoToDate(*view_.animationTarget, true));
    EXPECT_EQ(store_.SelectedDate(), (DiaryDate{2024, 6, 2}));

    store_.options.noAnimation = true;
    view_.animationTarget.reset();
    store_.MoveByCommand(MoveCommand::kPrevYear);
    EXPECT_EQ(store_.SelectedDate(), (DiaryDate{2023, 6, 2}));
    EXPECT_FALSE(view_.animationTarget);
}

TEST_F(StoreTest, SameDateBlinksInsteadOfReloading) {
    store_.ChooseStartDate(0, 0);
    editor_.Type(u"typing");
    const int blinks = view_.blinks;
    EXPECT_TRUE(store_.GoToDate({2024, 5, 1}, true));
    EXPECT_EQ(view_.blinks, blinks + 1);
    EXPECT_EQ(editor_.text, u"typing");
    EXPECT_FALSE(store_.GoToDate({2023, 2, 29}, true));
    EXPECT_FALSE(store_.GoToDate({0, 1, 1}, true));
    EXPECT_FALSE(store_.GoToDate({10000, 1, 1}, true));
    EXPECT_EQ(store_.Jump(u"2023", u"2", u"29")->text, U("2023/02/29 は存在しない日付です。"));
    store_.options.noAnimation = true;
    EXPECT_FALSE(store_.Jump(u"2024", u"2", u"29"));
    EXPECT_EQ(store_.SelectedDate(), (DiaryDate{2024, 2, 29}));
    EXPECT_EQ(store_.OpenDateLink(u"2023/02/30")->text, U("2023/02/30 は存在しません。"));
    EXPECT_FALSE(store_.OpenDateLink(u"2024/05/01 and more"));
    EXPECT_EQ(store_.SelectedDate(), (DiaryDate{2024, 5, 1}));
}

TEST_F(StoreTest, StartDateModes) {
    // Mode 1 in a diary without entries starts today, with today's year loaded.
    store_.ChooseStartDate(1, 0);
    EXPECT_EQ(store_.SelectedDate(), (DiaryDate{2024, 5, 1}));
    EXPECT_EQ(store_.Year().Year(), 2024);

    WriteMonth(2024, 5, u"2024/05/01\r\n\ttoday's entry");
    WriteMonth(2030, 1, u"2030/01/07\r\n\tfuture");
    WriteMonth(2031, 2, u"");
    DiaryStore newest{{fs_, clock_, editor_, view_, errors_}, exe_.path(), u"RaRorir"};
    newest.ChooseStartDate(1, 0);
    EXPECT_EQ(newest.SelectedDate(), (DiaryDate{2030, 1, 7}));
    EXPECT_EQ(editor_.text, u"future");

    // Mode 2 on today's date shows today's entry, so typing never replaces it unseen.
    DiaryStore stored{{fs_, clock_, editor_, view_, errors_}, exe_.path(), u"RaRorir"};
    stored.ChooseStartDate(2, 20240501);
    EXPECT_EQ(stored.SelectedDate(), (DiaryDate{2024, 5, 1}));
    EXPECT_EQ(editor_.text, u"today's entry");
    DiaryStore invalid{{fs_, clock_, editor_, view_, errors_}, exe_.path(), u"RaRorir"};
    invalid.ChooseStartDate(2, 20230229);
    EXPECT_EQ(invalid.SelectedDate(), (DiaryDate{2024, 5, 1}));
    invalid.ChooseStartDate(2, 19990101);
    EXPECT_EQ(invalid.SelectedDate(), (DiaryDate{1999, 1, 1}));
}

TEST_F(StoreTest, StepsAcrossYearsAndOddFiles) {
    WriteMonth(2020, 3, u"2020/03/05\r\n\tearliest\r\n\r\n2020/03/06\r\n\tsecond");
    WriteMonth(2021, 4, u"");  // only the byte-order mark
    WriteMonth(2022, 1, u"2022/01/10\r\n\tin 2022");
    WriteMonth(2024, 2, u"2024/02/03\r\n\tthis year, early");
    WriteMonth(2024, 8, u"2024/08/09\r\n\tthis year, late");
    WriteMonth(2026, 12, u"2026/12/24\r\n\tlatest");
    for (const char* decoy : {"2019-03.txt", "201913.txt", "201903.TXT"}) {
        testing::WriteBytes(Diary() / decoy, testing::Utf16FileBytes(u"2019/03/01\r\n\tdecoy"));
    }
    std::filesystem::create_directory(Diary() / "201904.txt");
    store_.options.noAnimation = true;
    store_.ChooseStartDate(0, 0);

    store_.StepToEntry(StepCommand::kOldDiary, true);
    EXPECT_EQ(store_.SelectedDate(), (DiaryDate{2020, 3, 5})) << "an earlier year's file wins";
    EXPECT_EQ(editor_.text, u"earliest");
    store_.StepToEntry(StepCommand::kPrevDiary, true);
    EXPECT_EQ(store_.SelectedDate(), (DiaryDate{2020, 3, 5}));
    EXPECT_EQ(view_.blinks, 1) << "nothing before the first entry";
    store_.StepToEntry(StepCommand::kNextDiary, true);
    EXPECT_EQ(store_.SelectedDate(), (DiaryDate{2020, 3, 6}));
    store_.StepToEntry(StepCommand::kNextDiary, true);
    EXPECT_EQ(store_.SelectedDate(), (DiaryDate{2022, 1, 10})) << "2021's empty file is skipped";
    store_.StepToEntry(StepCommand::kNextDiary, true);
    EXPECT_EQ(store_.SelectedDate(), (DiaryDate{2024, 2, 3}));
    store_.StepToEntry(StepCommand::kNextDiary, true);
    EXPECT_EQ(store_.SelectedDate(), (DiaryDate{2024, 8, 9}));
    store_.StepToEntry(StepCommand::kNewDiary, true);
    EXPECT_EQ(store_.SelectedDate(), (DiaryDate{2026, 12, 24}));
    store_.StepToEntry(StepCommand::kNextDiary, false);
    EXPECT_EQ(view_.blinks, 2);

    // OldDiary and NewDiary fall back to the displayed year when no other year has entries.
    std::filesystem::remove(MonthFile(2020, 3));
    std::filesystem::remove(MonthFile(2022, 1));
    std::filesystem::remove(MonthFile(2026, 12));
    ASSERT_TRUE(store_.GoToDate({2024, 5, 1}, true));
    store_.StepToEntry(StepCommand::kOldDiary, true);
    EXPECT_EQ(store_.SelectedDate(), (DiaryDate{2024, 2, 3}));
    store_.StepToEntry(StepCommand::kNewDiary, true);
    EXPECT_EQ(store_.SelectedDate(), (DiaryDate{2024, 8, 9}));
    EXPECT_EQ(view_.blinks, 2);
}

TEST_F(StoreTest, StepsInEmptyAndMissingDiaries) {
    store_.options.noAnimation = true;
    store_.ChooseStartDate(0, 0);
    store_.StepToEntry(StepCommand::kNewDiary, true);
    EXPECT_EQ(view_.blinks, 1) << "no diary folder";
    std::filesystem::create_directories(Diary());
    store_.StepToEntry(StepCommand::kPrevDiary, true);
    EXPECT_EQ(view_.blinks, 2) << "no text files";
    testing::WriteBytes(Diary() / "notes.TXT", {});
    store_.StepToEntry(StepCommand::kPrevDiary, true);
    EXPECT_EQ(view_.blinks, 2) << "text files but no month files: no blink";
    EXPECT_EQ(store_.SelectedDate(), (DiaryDate{2024, 5, 1}));
}

// A generated diary on disk, walked entry by entry in both directions: every entry is found in order
// and loads into the editor exactly as it was written, hand-edited months included.
TEST_F(StoreTest, WalksEveryEntryOfAGeneratedDiary) {
    diarygen::GeneratorOptions options;
    options.years = 3;
    options.lastYear = 2023;
    options.seed = 99;
    options.entryPercent = 60;
    const diarygen::GeneratedDiary diary = diarygen::GenerateDiary(options);
    ASSERT_TRUE(diarygen::WriteDiary(diary, *system_, Diary()));
    store_.options.noAnimation = true;

    store_.ChooseStartDate(1, 0);
    auto expected = diary.entries.rbegin();
    ASSERT_EQ(store_.SelectedDate(), expected->first);
    int steps = 0;
    for (;;) {
        ASSERT_EQ(store_.SelectedDate(), expected->first);
        ASSERT_EQ(editor_.text, expected->second) << ::testing::PrintToString(expected->first);
        store_.StepToEntry(StepCommand::kPrevDiary, true);
        if (++expected == diary.entries.rend()) {
            break;
        }
        ++steps;
    }
    EXPECT_EQ(view_.blinks, 1);
    EXPECT_EQ(steps + 1, static_cast<int>(diary.entries.size()));
    EXPECT_EQ(store_.SelectedDate(), diary.entries.begin()->first);

    for (auto it = std::next(diary.entries.begin()); it != diary.entries.end(); ++it) {
        store_.StepToEntry(StepCommand::kNextDiary, true);
        ASSERT_EQ(store_.SelectedDate(), it->first);
        ASSERT_EQ(editor_.text, it->second);
    }
    store_.StepToEntry(StepCommand::kNextDiary, true);
    EXPECT_EQ(view_.blinks, 2);

    store_.StepToEntry(StepCommand::kOldDiary, true);
    EXPECT_EQ(store_.SelectedDate(), diary.entries.begin()->first);
    ASSERT_TRUE(store_.GoToDate({2022, 7, 15}, true));
    store_.StepToEntry(StepCommand::kNewDiary, true);
    EXPECT_EQ(store_.SelectedDate(), diary.entries.rbegin()->first);
    EXPECT_TRUE(errors_.errors.empty());
}

TEST_F(StoreTest, DiaryFoldersSwitchAndCycle) {
    WriteMonth(2024, 5, u"2024/05/01\r\n\tin RaRorir");
    std::filesystem::create_directories(exe_.path() / "Work");
    std::filesystem::create_directories(exe_.path() / "_backup");
    testing::WriteBytes(exe_.path() / "tavrin.ini", {});
    store_.ChooseStartDate(0, 0);

    DiaryMenu menu = store_.BuildDiaryMenu();
    std::vector<std::u16string> names;
    for (const auto& item : menu.diaries) {
        names.push_back(item.name);
        EXPECT_EQ(item.checked, item.name == u"RaRorir");
    }
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::u16string>{u"RaRorir", u"Work"}));
    EXPECT_TRUE(menu.separator);
    EXPECT_TRUE(menu.openItemEnabled);
    EXPECT_EQ(store_.DiaryFolderToOpen(), exe_.path() / "RaRorir" / "");

    editor_.Type(u"edited before the switch");
    store_.CycleDiary();
    EXPECT_EQ(store_.DiaryName(), u"Work");
    EXPECT_EQ(store_.SelectedDate(), (DiaryDate{2024, 5, 1}));
    EXPECT_EQ(editor_.text, u"") << "the other diary has no entry";
    EXPECT_EQ(view_.titles.back(), u"Tavrin");
    EXPECT_EQ(view_.dataFolder, exe_.path() / "Work" / "data");
    EXPECT_EQ(MonthBytes(2024, 5), testing::Utf16FileBytes(u"2024/05/01\r\n\tedited before the switch\r\n"));

    store_.options.titleBarName = true;
    store_.CycleDiary();
    EXPECT_EQ(store_.DiaryName(), u"RaRorir");
    EXPECT_EQ(editor_.text, u"edited before the switch");
    EXPECT_EQ(view_.titles.back(), u"RaRorir");

    // Choosing the current diary saves and reloads it.
    editor_.Type(u"again");
    ASSERT_TRUE(store_.SwitchDiary(u"RaRorir"));
    EXPECT_EQ(editor_.text, u"again");
    EXPECT_FALSE(editor_.modified);

    // A switch in calendar mode empties the editor; edit mode shows the new diary's entry.
    ASSERT_TRUE(store_.EnterCalendarMode());
    ASSERT_TRUE(store_.SwitchDiary(u"Work"));
    EXPECT_EQ(editor_.text, u"");
    ASSERT_TRUE(store_.SwitchDiary(u"RaRorir"));
    store_.EnterEditMode();
    EXPECT_EQ(editor_.text, u"again");

    // A failed save keeps the old diary.
    editor_.Type(u"unsaved");
    fs_.FailFrom(1);
    EXPECT_FALSE(store_.SwitchDiary(u"Work"));
    EXPECT_EQ(store_.DiaryName(), u"RaRorir");
}

TEST_F(StoreTest, ASwitchMakesTheNewDataFolderCurrentBeforeItsEntryIsLoaded) {
    WriteMonth(2024, 5, u"2024/05/01\r\n\t[[20240501_0001.png]]");
    std::filesystem::create_directories(exe_.path() / "Work");
    store_.ChooseStartDate(0, 0);
    ASSERT_TRUE(store_.SwitchDiary(u"Work"));
    std::u16string textWhenSwitched;
    view_.onDiarySwitched = [this, &textWhenSwitched] { textWhenSwitched = editor_.text; };
    ASSERT_TRUE(store_.SwitchDiary(u"RaRorir"));
    EXPECT_EQ(view_.dataFolder, Diary() / "data");
    EXPECT_EQ(textWhenSwitched, u"") << "the picture's entry arrives only after the folder changed";
    EXPECT_EQ(editor_.text, u"[[20240501_0001.png]]");
}

TEST_F(StoreTest, DiaryListOfAnUnlistableFolderIsEmpty) {
    DiaryStore nowhere{{fs_, clock_, editor_, view_, errors_}, exe_.path() / "missing", u"RaRorir"};
    nowhere.ChooseStartDate(0, 0);
    const DiaryMenu menu = nowhere.BuildDiaryMenu();
    EXPECT_TRUE(menu.diaries.empty());
    EXPECT_FALSE(menu.separator);
    EXPECT_FALSE(menu.openItemEnabled);
    nowhere.CycleDiary();
    EXPECT_EQ(nowhere.DiaryName(), u"RaRorir");
    EXPECT_EQ(DiaryStore({fs_, clock_, editor_, view_, errors_}, exe_.path(), std::u16string(300, u'x'))
                  .DiaryName()
                  .size(),
              kDiaryFolderNameMax);
}

}  // namespace
}  // namespace tavrin
