// A user's diary, driven through the real tavrin.exe: entries typed on several days, every way of
// moving between days, the year calendar, the jump dialog, two diaries, and what is on disk afterwards.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "calendar/calendar_rules.h"
#include "driver_win.h"
#include "frame_geometry_win.h"
#include "platform/text.h"
#include "platform/wide_win.h"
#include "portable_folder_win.h"
#include "running_tavrin_win.h"
#include "ui/hit_codes.h"

namespace tavrin::e2e {
namespace {

constexpr int kPrevYear = 41021;
constexpr int kPrevMonth = 41022;
constexpr int kPrevWeek = 41023;
constexpr int kPrevDay = 41024;
constexpr int kNextDay = 41025;
constexpr int kNextWeek = 41026;
constexpr int kNextMonth = 41027;
constexpr int kNextYear = 41028;
constexpr int kNextDiary = 41029;
constexpr int kToday = 41018;
constexpr int kOldDiary = 41019;
constexpr int kNewDiary = 41030;
constexpr int kPrevDiary = 41020;
constexpr int kModeEdit = 41016;
constexpr int kModeCalendar = 41017;
constexpr int kJump = 41031;
constexpr int kSaveAs = 41032;
constexpr int kDiaryChange = 41033;
constexpr UINT kGetReadOnly = 32830;  // MEP_GETREADONLY
constexpr UINT kSelectAll = 32832;    // MEP_SELECTALL

// The running program, typing into its editor.
class Running : public RunningTavrin {
public:
    using RunningTavrin::RunningTavrin;

    void Type(std::wstring_view text) const { drive::TypeText(Editor(), text); }
    [[nodiscard]] bool ReadOnly() const {
        DWORD_PTR result = 0;
        SendMessageTimeoutW(Editor(), kGetReadOnly, 0, 0, SMTO_NORMAL, 5000, &result);
        return result != 0;
    }
};

// The expected content of a diary folder.
using DiaryContent = DiaryMonths;

void Write(DiaryContent& content, const DiaryDate& date, const std::wstring& text) {
    content[date.year * 100 + date.month][date.day] = FromWide(text);
}

void ExpectDiaryOnDisk(const PortableFolder& folder, const std::wstring& diary, const DiaryContent& content) {
    for (const auto& [yearMonth, days] : content) {
        const std::filesystem::path file = folder.path() / diary / (std::to_wstring(yearMonth) + L".txt");
        EXPECT_EQ(folder.ReadFileBytes(file), Utf16File(MonthFileText(yearMonth, days))) << file.string();
    }
    int files = 0;
    for (const auto& entry : std::filesystem::directory_iterator(folder.path() / diary)) {
        files += entry.path().extension() == L".txt" ? 1 : 0;
    }
    EXPECT_EQ(files, static_cast<int>(content.size()))
        << "no other month files in " << ToUtf8(FromWide(diary));
}

// Opens the jump dialog, fills it and presses its button.
void JumpTo(const Running& tavrin, int year, int month, int day) {
    tavrin.Command(kJump);
    HWND dialog = drive::WaitForWindow(tavrin.Id(), L"#32770", L"日付移動", kTimeoutMs);
    ASSERT_TRUE(dialog) << "the jump dialog opened";
    SetDlgItemTextW(dialog, 1101, std::to_wstring(year).c_str());
    SetDlgItemTextW(dialog, 1103, std::to_wstring(month).c_str());
    SetDlgItemTextW(dialog, 1105, std::to_wstring(day).c_str());
    SendMessageW(dialog, WM_COMMAND, IDOK, 0);
}

TEST(Diary, EntriesWrittenOnSeveralDaysAreStoredAndFoundAgain) {
    PortableFolder folder;
    std::filesystem::create_directories(folder.path() / L"RaRorir");
    std::filesystem::create_directories(folder.path() / L"仕事");
    // The month slide would let the test type before a move has finished.
    folder.WriteSettings(u"[Other]\r\nNoAnimation=1\r\n");
    const DiaryDate today = Today();
    const DiaryDate yesterday = AddDays(today, -1);
    const DiaryDate nextWeek = AddDays(yesterday, 7);
    DiaryContent home;
    DiaryContent work;
    {
        Running tavrin(folder);
        ASSERT_TRUE(tavrin.Ready());
        EXPECT_EQ(tavrin.Text(), L"") << "an empty diary starts on an empty entry";
        tavrin.Type(L"朝は晴れ。\n散歩 walk\n\n夜");
        Write(home, today, L"朝は晴れ。\n散歩 walk\n\n夜");
        tavrin.Command(kPrevDay);
        tavrin.Type(L"昨日のこと");
        Write(home, yesterday, L"昨日のこと");
        tavrin.Command(kNextWeek);
        tavrin.Type(L"来週の予定");
        Write(home, nextWeek, L"来週の予定");
        tavrin.Command(kToday);
        EXPECT_EQ(tavrin.Text(), L"朝は晴れ。\n散歩 walk\n\n夜");

        tavrin.Command(kModeCalendar);
        EXPECT_FALSE(IsWindowVisible(tavrin.Editor())) << "the year calendar replaces the editor";
        tavrin.Command(kModeEdit);
        EXPECT_TRUE(IsWindowVisible(tavrin.Editor()));
        EXPECT_EQ(tavrin.Text(), L"朝は晴れ。\n散歩 walk\n\n夜");

        JumpTo(tavrin, 2024, 2, 29);
        tavrin.Type(L"閏日");
        Write(home, {2024, 2, 29}, L"閏日");
        tavrin.Command(kOldDiary);
        EXPECT_EQ(tavrin.Text(), L"閏日") << "the oldest entry";
        tavrin.Command(kNewDiary);
        EXPECT_EQ(tavrin.Text(), L"来週の予定") << "the newest entry";
        tavrin.Command(kPrevDiary);
        EXPECT_EQ(tavrin.Text(), L"朝は晴れ。\n散歩 walk\n\n夜");

        tavrin.Command(kDiaryChange);
        EXPECT_EQ(tavrin.Text(), L"") << "the other diary has nothing on this day";
        tavrin.Type(L"work note");
        Write(work, today, L"work note");
        tavrin.Command(kSaveAs);
        tavrin.Command(kDiaryChange);
        EXPECT_EQ(tavrin.Text(), L"朝は晴れ。\n散歩 walk\n\n夜") << "back in the first diary";
        EXPECT_EQ(tavrin.Close(), 0u);
    }
    ExpectDiaryOnDisk(folder, L"RaRorir", home);
    ExpectDiaryOnDisk(folder, L"仕事", work);

    Running again(folder);
    ASSERT_TRUE(again.Ready());
    EXPECT_EQ(again.Text(), L"朝は晴れ。\n散歩 walk\n\n夜") << "the program starts on today";
    again.Command(kPrevDay);
    EXPECT_EQ(again.Text(), L"昨日のこと");
    JumpTo(again, 2024, 2, 29);
    EXPECT_EQ(again.Text(), L"閏日");
    EXPECT_EQ(again.Close(), 0u);
    ExpectDiaryOnDisk(folder, L"RaRorir", home);
}

// Moves to the previous day expecting the save to fail: returns the error box's text.
std::wstring PrevDayFailing(const Running& tavrin) {
    drive::PostCommand(tavrin.Frame(), kPrevDay);
    const auto box = drive::WaitForMessageBox(tavrin.Id(), kTimeoutMs);
    if (!box) {
        return L"(no message box)";
    }
    drive::DismissMessageBox(box->window);
    return box->text;
}

TEST(Diary, AFailedSaveKeepsTheTextAndTheDay) {
    PortableFolder folder;
    const DiaryDate today = Today();
    const std::filesystem::path diary = folder.path() / L"RaRorir";
    std::filesystem::create_directories(diary);
    const int yearMonth = today.year * 100 + today.month;
    const std::filesystem::path month = diary / (std::to_wstring(yearMonth) + L".txt");
    folder.WriteFileBytes(month, Utf16File(MonthFileText(yearMonth, {{today.day, u"元の本文"}})));

    Running tavrin(folder);
    ASSERT_TRUE(tavrin.Ready());
    EXPECT_EQ(tavrin.Text(), L"元の本文");
    tavrin.Type(L"追記:");

    SetFileAttributesW(month.c_str(), FILE_ATTRIBUTE_READONLY);
    EXPECT_EQ(PrevDayFailing(tavrin), L"ファイル保存に失敗しました。\r\n\r\n3") << "a read-only month file";
    EXPECT_EQ(tavrin.Text(), L"追記:元の本文") << "the user stays on the day with the text";
    SetFileAttributesW(month.c_str(), FILE_ATTRIBUTE_NORMAL);

    {
        const HANDLE held = CreateFileW(month.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
        ASSERT_NE(held, INVALID_HANDLE_VALUE);
        EXPECT_EQ(PrevDayFailing(tavrin).substr(0, 14), L"ファイル保存に失敗しました。")
            << "a month file held by another program";
        CloseHandle(held);
    }
    EXPECT_EQ(tavrin.Text(), L"追記:元の本文");

    tavrin.Command(kPrevDay);
    EXPECT_EQ(tavrin.Text(), L"") << "the next save went through and the day changed";
    EXPECT_EQ(tavrin.Close(), 0u);
    EXPECT_EQ(folder.ReadFileBytes(month),
              Utf16File(MonthFileText(yearMonth, {{today.day, u"追記:元の本文"}})));
}

TEST(Diary, ADiaryFolderDeletedWhileTheProgramRunsIsMadeAgainOnTheNextSave) {
    PortableFolder folder;
    const DiaryDate today = Today();
    Running tavrin(folder);
    ASSERT_TRUE(tavrin.Ready());
    tavrin.Type(L"最初");
    tavrin.Command(kSaveAs);
    const std::filesystem::path diary = folder.path() / L"RaRorir";
    ASSERT_TRUE(std::filesystem::exists(diary));
    std::filesystem::remove_all(diary);
    tavrin.Type(L"、そして続き");
    tavrin.Command(kPrevDay);
    EXPECT_EQ(tavrin.Text(), L"");
    EXPECT_EQ(tavrin.Close(), 0u);
    DiaryContent content;
    Write(content, today, L"最初、そして続き");
    ExpectDiaryOnDisk(folder, L"RaRorir", content);
}

TEST(Diary, EditLockMakesPastEntriesReadOnly) {
    PortableFolder folder;
    folder.WriteSettings(u"[Other]\r\nEditLock=1\r\n");
    SYSTEMTIME now{};
    GetLocalTime(&now);
    Running tavrin(folder);
    ASSERT_TRUE(tavrin.Ready());
    EXPECT_FALSE(tavrin.ReadOnly()) << "today";
    tavrin.Command(kPrevDay);
    EXPECT_EQ(tavrin.ReadOnly(), now.wHour >= 12) << "yesterday is locked from noon on";
    tavrin.Command(kPrevDay);
    EXPECT_TRUE(tavrin.ReadOnly()) << "the day before yesterday";
    tavrin.Type(L"x");
    EXPECT_EQ(tavrin.Text(), L"") << "a locked entry takes no typing";
    tavrin.Command(kNextDay);
    tavrin.Command(kNextDay);
    tavrin.Command(kNextDay);
    EXPECT_FALSE(tavrin.ReadOnly()) << "tomorrow";
    EXPECT_EQ(tavrin.Close(), 0u);
}

}  // namespace
}  // namespace tavrin::e2e

namespace tavrin::e2e {
namespace {

std::wstring EntryFor(const DiaryDate& date) {
    return L"e" + std::to_wstring(date.year) + L"-" + std::to_wstring(date.month) + L"-" +
           std::to_wstring(date.day);
}

DiaryDate MonthsFrom(const DiaryDate& date, int months) {
    int month = date.month + months;
    int year = date.year;
    while (month < 1) {
        month += 12;
        --year;
    }
    while (month > 12) {
        month -= 12;
        ++year;
    }
    return {year, month, std::min(date.day, DaysInMonth(year, month))};
}

// A diary with an entry on every day the navigation commands reach from today.
class NavigationDiary {
public:
    NavigationDiary() {
        today = Today();
        oldest = {1999, 3, 3};
        newest = {2099, 12, 30};
        for (const DiaryDate& date : {today, AddDays(today, -1), AddDays(today, 1), AddDays(today, -7),
                                      AddDays(today, 7), MonthsFrom(today, -1), MonthsFrom(today, 1),
                                      MonthsFrom(today, -12), MonthsFrom(today, 12), oldest, newest}) {
            Write(content, date, EntryFor(date));
        }
        folder.WriteDiary(L"RaRorir", content);
        folder.WriteSettings(u"[Other]\r\nNoAnimation=1\r\n");
    }

    PortableFolder folder;
    DiaryContent content;
    DiaryDate today;
    DiaryDate oldest;
    DiaryDate newest;
};

TEST(Navigation, EveryDateCommandReachesItsDay) {
    NavigationDiary diary;
    const DiaryDate& today = diary.today;
    Running tavrin(diary.folder);
    ASSERT_TRUE(tavrin.Ready());
    const struct {
        int command;
        DiaryDate expected;
        const char* name;
    } steps[] = {
        {kPrevDay, AddDays(today, -1), "PrevDay"},
        {kNextDay, today, "NextDay"},
        {kPrevWeek, AddDays(today, -7), "PrevWeek"},
        {kNextWeek, today, "NextWeek"},
        {kPrevMonth, MonthsFrom(today, -1), "PrevMonth"},
        {kToday, today, "Today"},
        {kNextMonth, MonthsFrom(today, 1), "NextMonth"},
        {kToday, today, "Today"},
        {kPrevYear, MonthsFrom(today, -12), "PrevYear"},
        {kToday, today, "Today"},
        {kNextYear, MonthsFrom(today, 12), "NextYear"},
        {kToday, today, "Today"},
        {kPrevDiary, AddDays(today, -1), "PrevDiary"},
        {kNextDiary, today, "NextDiary"},
        {kNextDiary, AddDays(today, 1), "NextDiary"},
        {kOldDiary, diary.oldest, "OldDiary"},
        {kNextDiary, MonthsFrom(today, -12), "NextDiary across years"},
        {kNewDiary, diary.newest, "NewDiary"},
    };
    EXPECT_EQ(tavrin.Text(), EntryFor(today));
    for (const auto& step : steps) {
        tavrin.Command(step.command);
        EXPECT_EQ(tavrin.Text(), EntryFor(step.expected)) << step.name;
    }
    EXPECT_EQ(tavrin.Close(), 0u);
    ExpectDiaryOnDisk(diary.folder, L"RaRorir", diary.content);
}

TEST(Navigation, ShortcutKeysReachTheCommandsFromTheKeyboard) {
    NavigationDiary diary;
    const DiaryDate& today = diary.today;
    Running tavrin(diary.folder);
    ASSERT_TRUE(tavrin.Ready());
    const auto pressAndExpect = [&tavrin](std::initializer_list<WORD> keys, const std::wstring& expected) {
        ASSERT_TRUE(drive::PressKeysInForeground(tavrin.Frame(), keys)) << "the frame came to the foreground";
        EXPECT_TRUE(drive::WaitFor([&] { return tavrin.Text() == expected; }, 5000))
            << "expected " << ToUtf8(FromWide(expected)) << ", have " << ToUtf8(FromWide(tavrin.Text()));
    };
    pressAndExpect({VK_CONTROL, VK_LEFT}, EntryFor(AddDays(today, -1)));
    pressAndExpect({VK_CONTROL, VK_SPACE}, EntryFor(today));
    pressAndExpect({VK_CONTROL, VK_SHIFT, VK_LEFT}, EntryFor(MonthsFrom(today, -12)));
    pressAndExpect({VK_CONTROL, VK_SPACE}, EntryFor(today));
    pressAndExpect({VK_CONTROL, VK_DOWN}, EntryFor(AddDays(today, 7)));
    // Home is OldDiary: the accelerators take keys before the editor sees them.
    pressAndExpect({VK_HOME}, EntryFor(diary.oldest));
    ASSERT_TRUE(drive::PressKeysInForeground(tavrin.Frame(), {VK_F2}));
    EXPECT_TRUE(drive::WaitFor([&] { return !IsWindowVisible(tavrin.Editor()); }, 5000))
        << "F2: year calendar";
    ASSERT_TRUE(drive::PressKeysInForeground(tavrin.Frame(), {VK_F1}));
    EXPECT_TRUE(drive::WaitFor([&] { return IsWindowVisible(tavrin.Editor()); }, 5000))
        << "F1: back to the editor";

    // Font size and line spacing from the numeric keypad; the settings file keeps them.
    ASSERT_TRUE(drive::PressKeysInForeground(tavrin.Frame(), {VK_CONTROL, VK_ADD}));
    ASSERT_TRUE(drive::PressKeysInForeground(tavrin.Frame(), {VK_CONTROL, VK_ADD}));
    ASSERT_TRUE(drive::PressKeysInForeground(tavrin.Frame(), {VK_CONTROL, VK_SHIFT, VK_SUBTRACT}));
    Sleep(200);
    EXPECT_EQ(tavrin.Close(), 0u);
    const std::u16string settings = diary.folder.SettingsText();
    EXPECT_NE(settings.find(u"\r\nFontSize=14\r\n"), std::u16string::npos) << "12 + 2";
    EXPECT_NE(settings.find(u"\r\nLineSpacing=3\r\n"), std::u16string::npos) << "4 - 1";
}

}  // namespace
}  // namespace tavrin::e2e

namespace tavrin::e2e {
namespace {

TEST(Navigation, ToolbarButtonsGiveTheirCommands) {
    NavigationDiary diary;
    Running tavrin(diary.folder);
    ASSERT_TRUE(tavrin.Ready());
    const auto click = [&](int hitCode) {
        const PixelRect button = ToolbarButton(tavrin.Frame(), diary.today, hitCode);
        ASSERT_FALSE(button.Empty()) << hitCode;
        drive::Click(tavrin.Frame(), button.x + button.width / 2, button.y + button.height / 2);
    };
    // Toolbar buttons post their commands, so the move happens a moment after the click.
    const auto shows = [&](const std::wstring& expected) {
        return drive::WaitFor([&] { return tavrin.Text() == expected; }, 5000);
    };
    click(kHitOldest);
    EXPECT_TRUE(shows(EntryFor(diary.oldest)));
    click(kHitNewest);
    EXPECT_TRUE(shows(EntryFor(diary.newest)));
    click(kHitToday);
    EXPECT_TRUE(shows(EntryFor(diary.today)));
    click(kHitPrevious);
    EXPECT_TRUE(shows(EntryFor(AddDays(diary.today, -1))));
    click(kHitNext);
    EXPECT_TRUE(shows(EntryFor(diary.today)));
    click(kHitModeCalendar);
    EXPECT_TRUE(drive::WaitFor([&] { return !IsWindowVisible(tavrin.Editor()); }, 5000));
    click(kHitModeEdit);
    EXPECT_TRUE(drive::WaitFor([&] { return IsWindowVisible(tavrin.Editor()); }, 5000));
    EXPECT_EQ(tavrin.Close(), 0u);
}

TEST(Navigation, ClickingADayInTheSideCalendarOpensItsEntry) {
    NavigationDiary diary;
    const DiaryDate& today = diary.today;
    const DiaryDate target = today.day > 1 ? AddDays(today, -1) : AddDays(today, 1);
    Running tavrin(diary.folder);
    ASSERT_TRUE(tavrin.Ready());
    const PixelRect cell = SideCalendarDayCell(tavrin.Frame(), today, target.day);
    ASSERT_FALSE(cell.Empty());
    drive::Click(tavrin.Frame(), cell.x + cell.width / 2, cell.y + cell.height / 2);
    EXPECT_EQ(tavrin.Text(), EntryFor(target));

    // Clicking the gap right of a cell does nothing.
    const PixelRect todayCell = SideCalendarDayCell(tavrin.Frame(), target, today.day);
    drive::Click(tavrin.Frame(), todayCell.Right() + 1, todayCell.y + todayCell.height / 2);
    EXPECT_EQ(tavrin.Text(), EntryFor(target));
    drive::Click(tavrin.Frame(), todayCell.x + 2, todayCell.y + 2);
    EXPECT_EQ(tavrin.Text(), EntryFor(today));
    EXPECT_EQ(tavrin.Close(), 0u);
}

}  // namespace
}  // namespace tavrin::e2e

namespace tavrin::e2e {
namespace {

// The owner-drawn main menu opened by its command and used with its access keys, as from the
// keyboard: "&Y" is the year calendar, "&E" the editor.
TEST(Menus, TheMainMenuOpensAndItsAccessKeysChooseItems) {
    NavigationDiary diary;
    Running tavrin(diary.folder);
    ASSERT_TRUE(tavrin.Ready());
    const auto choose = [&tavrin](WORD accessKey) {
        drive::PostCommand(tavrin.Frame(), 41010);  // MenuMain
        HWND menu = drive::WaitForWindow(tavrin.Id(), L"#32768", L"", kTimeoutMs);
        ASSERT_TRUE(menu) << "the menu is shown";
        ASSERT_TRUE(drive::PressKeysInForeground(GetForegroundWindow(), {accessKey}));
    };
    choose('Y');
    EXPECT_TRUE(drive::WaitFor([&] { return !IsWindowVisible(tavrin.Editor()); }, 5000))
        << "年間カレンダー(&Y)";
    choose('E');
    EXPECT_TRUE(drive::WaitFor([&] { return IsWindowVisible(tavrin.Editor()); }, 5000)) << "編集(&E)";
    EXPECT_EQ(tavrin.Close(), 0u);
}

}  // namespace
}  // namespace tavrin::e2e

namespace tavrin::e2e {
namespace {

// The colour the frame shows at a client point, read back from the screen.
COLORREF FramePixel(HWND frame, int x, int y) {
    HDC dc = GetDC(frame);
    const COLORREF colour = GetPixel(dc, x, y);
    ReleaseDC(frame, dc);
    return colour;
}

// A day with text is filled in the calendar; emptying it takes the fill away again.
TEST(Diary, TheCalendarMarksDaysThatHaveText) {
    PortableFolder folder;
    folder.WriteSettings(u"[Other]\r\nNoAnimation=1\r\n");
    Running tavrin(folder);
    ASSERT_TRUE(tavrin.Ready());
    const DiaryDate today = Today();
    const bool otherBefore = today.day > 1;
    const DiaryDate other = otherBefore ? AddDays(today, -1) : AddDays(today, 1);
    const int away = otherBefore ? kPrevDay : kNextDay;
    // Today's cell, looked at while another day is selected (no selection frame on it). The frame
    // may repaint a moment after the move, so the screen is read until it shows what is expected.
    const PixelRect cell = SideCalendarDayCell(tavrin.Frame(), other, today.day);
    const auto todayShows = [&](bool filled) {
        tavrin.Command(away);
        const bool shown = drive::WaitFor(
            [&] {
                UpdateWindow(tavrin.Frame());
                return (FramePixel(tavrin.Frame(), cell.x + 3, cell.y + 3) != RGB(255, 255, 255)) == filled;
            },
            5000);
        tavrin.Command(kToday);
        return shown;
    };
    EXPECT_TRUE(todayShows(false)) << "an empty day shows the background";
    tavrin.Type(L"x");
    EXPECT_TRUE(todayShows(true)) << "a written day is filled";
    SendMessageW(tavrin.Editor(), kSelectAll, 0, 0);
    SendMessageW(tavrin.Editor(), WM_CLEAR, 0, 0);
    EXPECT_TRUE(todayShows(false)) << "an emptied day is not";
    EXPECT_EQ(tavrin.Close(), 0u);
}

}  // namespace
}  // namespace tavrin::e2e
