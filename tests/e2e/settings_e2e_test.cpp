// The settings sheet driven through the real tavrin.exe: every page changes the running program at
// once, Cancel discards everything, bad input is clamped or cut, and a reset of all settings restarts
// the program with the defaults without losing the entry being written.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <string>

#include "../../resources/settings_resource.h"
#include "calendar/calendar_rules.h"
#include "driver_win.h"
#include "frame_geometry_win.h"
#include "platform/text.h"
#include "platform/wide_win.h"
#include "portable_folder_win.h"
#include "running_tavrin_win.h"

namespace tavrin::e2e {
namespace {

constexpr int kGeneral = 0;
constexpr int kEdit = 1;
constexpr int kCalendar = 2;
constexpr int kBackground = 3;
constexpr int kPaste = 4;
constexpr int kTemplates = 5;
constexpr int kKeyboard = 6;
constexpr int kStartup = 7;
constexpr int kOther = 8;
constexpr int kNextDayRow = 24;
constexpr int kPrevDayRow = 23;

std::wstring EntryText(const DiaryDate& date) {
    return std::to_wstring(date.month) + L"月" + std::to_wstring(date.day) + L"日の日記";
}

// A diary whose every day of this month and the next has an entry naming its date, so that the
// editor tells which day is shown.
void WriteTwoMonths(const PortableFolder& folder, const DiaryDate& today) {
    DiaryMonths months;
    DiaryDate month{today.year, today.month, 1};
    for (int i = 0; i < 2; ++i) {
        for (int day = 1; day <= DaysInMonth(month.year, month.month); ++day) {
            months[month.year * 100 + month.month][day] = FromWide(EntryText({month.year, month.month, day}));
        }
        month = AddDays(DiaryDate{month.year, month.month, DaysInMonth(month.year, month.month)}, 1);
    }
    folder.WriteDiary(L"RaRorir", months);
}

// The running program, started until it is idle, with its settings sheet.
class Running : public RunningTavrin {
public:
    explicit Running(const PortableFolder& folder) : RunningTavrin(folder, StartWait::kIdle) {}

    [[nodiscard]] HWND OpenSheet() const { return drive::OpenSettingsSheet(Frame(), kTimeoutMs); }
};

::testing::AssertionResult HasLine(const std::u16string& ini, const std::u16string& line) {
    if (ini.find(u"\r\n" + line + u"\r\n") != std::u16string::npos) {
        return ::testing::AssertionSuccess();
    }
    return ::testing::AssertionFailure()
           << "tavrin.ini has no line " << ToUtf8(line.substr(0, 80)) << (line.size() > 80 ? "..." : "");
}

// The editor's left edge in the frame's client area.
int EditorLeft(const Running& tavrin) {
    RECT editor{};
    GetWindowRect(tavrin.Editor(), &editor);
    POINT origin{editor.left, editor.top};
    ScreenToClient(tavrin.Frame(), &origin);
    return origin.x;
}

int CaretHeight(const Running& tavrin) {
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    const DWORD thread = GetWindowThreadProcessId(tavrin.Frame(), nullptr);
    return GetGUIThreadInfo(thread, &info) ? info.rcCaret.bottom - info.rcCaret.top : 0;
}

HWND ControlOf(HWND page, int id) { return GetDlgItem(page, id); }

// Selects a row of the keyboard page's list with the keys a user would press.
void SelectCommandRow(HWND page, int row) {
    HWND list = ControlOf(page, IDC_KEY_LIST);
    drive::PressKey(list, VK_HOME);
    for (int i = 0; i < row; ++i) {
        drive::PressKey(list, VK_DOWN);
    }
}

// Binds a command row to a key without modifiers: its Ctrl, Shift and Alt boxes cleared, then the key
// pressed in the key field.
void BindCommandKey(HWND page, int row, UINT key) {
    SelectCommandRow(page, row);
    for (const int box : {IDC_KEY_CTRL, IDC_KEY_SHIFT, IDC_KEY_ALT}) {
        if (SendMessageW(ControlOf(page, box), BM_GETCHECK, 0, 0) == BST_CHECKED) {
            drive::ClickButton(ControlOf(page, box));
        }
    }
    drive::PressKey(ControlOf(page, IDC_KEY_FIELD), key);
}

TEST(Settings, EveryPageChangesTheRunningProgramAtOnce) {
    PortableFolder folder;
    const DiaryDate today = Today();
    const DiaryDate tomorrow = AddDays(today, 1);
    WriteTwoMonths(folder, today);
    folder.WriteSettings(u"[Other]\r\nNoAnimation=1\r\n");
    Running tavrin(folder);
    ASSERT_TRUE(tavrin.Ready());
    EXPECT_EQ(tavrin.Text(), EntryText(today));
    const int editorLeftBefore = EditorLeft(tavrin);
    const int caretBefore = CaretHeight(tavrin);

    // Ctrl+O opens the sheet on its first page.
    ASSERT_TRUE(drive::PressKeysInForeground(tavrin.Frame(), {VK_CONTROL, 'O'}));
    HWND sheet = drive::WaitForWindow(tavrin.Process().Id(), L"#32770", L"設定", kTimeoutMs);
    ASSERT_TRUE(sheet) << "Ctrl+O opened the settings sheet";
    EXPECT_EQ(drive::CurrentSettingsPageIndex(sheet), kGeneral);
    EXPECT_FALSE(IsWindowEnabled(tavrin.Frame())) << "the sheet is modal";

    HWND page = drive::ShowSettingsPage(sheet, kGeneral);
    drive::ClickButton(ControlOf(page, IDC_GEN_SIDE_RIGHT));
    // The colour list's keys: R inverts the text colour; Ctrl+C and Ctrl+V copy it onto the last row.
    // Real key presses are queued in order; Up at the end, onto row 6, shows when they have been handled.
    HWND colours = ControlOf(page, IDC_GEN_COLOURS);
    SetForegroundWindow(sheet);
    ASSERT_TRUE(drive::WaitFor([sheet] { return GetForegroundWindow() == sheet; }, kTimeoutMs));
    drive::WaitUntilIdle(tavrin.Process().Id(), kTimeoutMs);
    drive::Click(colours, 10, 5);  // the list takes the focus, as it does under the mouse
    for (const auto keys :
         {std::initializer_list<WORD>{'R'}, {VK_CONTROL, 'C'}, {VK_END}, {VK_CONTROL, 'V'}, {VK_UP}}) {
        ASSERT_TRUE(drive::PressKeysInForeground(sheet, keys));
    }
    EXPECT_TRUE(
        drive::WaitFor([colours] { return SendMessageW(colours, LB_GETCURSEL, 0, 0) == 6; }, kTimeoutMs));
    page = drive::ShowSettingsPage(sheet, kEdit);
    drive::SetText(ControlOf(page, IDC_EDIT_SIZE), L"30");
    page = drive::ShowSettingsPage(sheet, kCalendar);
    SendMessageW(ControlOf(page, IDC_CAL_START), CB_SETCURSEL, 1, 0);
    page = drive::ShowSettingsPage(sheet, kBackground);
    drive::ClickButton(ControlOf(page, IDC_BACK_SHOW));
    drive::SetText(ControlOf(page, IDC_BACK_PATH), L"C:\\写真\\\\");
    page = drive::ShowSettingsPage(sheet, kPaste);
    drive::ClickButton(ControlOf(page, IDC_PASTE_JPEG));
    drive::SetText(ControlOf(page, IDC_PASTE_QUALITY), L"75");
    page = drive::ShowSettingsPage(sheet, kTemplates);
    drive::ClickButton(ControlOf(page, IDC_TPL_ADD));
    drive::SetText(ControlOf(page, IDC_TPL_NAME), L"署名");
    drive::SetText(ControlOf(page, IDC_TPL_BODY), L"— 太郎");
    drive::ClickButton(ControlOf(page, IDC_TPL_CTRL));
    drive::PressKey(ControlOf(page, IDC_TPL_KEY), VK_F9);
    page = drive::ShowSettingsPage(sheet, kKeyboard);
    BindCommandKey(page, kNextDayRow, VK_F8);
    page = drive::ShowSettingsPage(sheet, kStartup);
    SendMessageW(ControlOf(page, IDC_START_DATE), CB_SETCURSEL, 2, 0);
    page = drive::ShowSettingsPage(sheet, kOther);
    drive::ClickButton(ControlOf(page, IDC_OTHER_FIRST + 2));  // the diary's name in the title bar
    drive::CloseSettingsSheet(sheet, true, kTimeoutMs);
    EXPECT_TRUE(IsWindowEnabled(tavrin.Frame()));

    const std::u16string ini = folder.SettingsText();
    for (const std::u16string_view line :
         {u"SideBarLayout=1", u"Text=FF7F3F", u"File=FF7F3F", u"FontSize=30", u"StartWeek=1",
          u"ShowBackImage=1", u"Path=C:\\写真", u"DefaultImageFormat=1", u"JPEGQuality=75",
          u"Item=署名,— 太郎,0178", u"NextDay=0077", u"StartDateMode=2", u"TitleBarName=1",
          u"SettingPage=8"}) {
        EXPECT_TRUE(HasLine(ini, std::u16string(line)));
    }

    EXPECT_EQ(drive::TextOf(tavrin.Frame()), L"RaRorir") << "the title follows at once";
    EXPECT_LT(EditorLeft(tavrin), editorLeftBefore) << "the sidebar moved to the right";
    EXPECT_TRUE(drive::WaitFor([&] { return CaretHeight(tavrin) >= 2 * caretBefore; }, 5000))
        << "the editor's font grew: caret " << caretBefore << " -> " << CaretHeight(tavrin);

    ASSERT_TRUE(drive::PressKeysInForeground(tavrin.Frame(), {VK_CONTROL, VK_F9}));
    EXPECT_TRUE(drive::WaitFor([&] { return tavrin.Text().find(L"— 太郎") != std::wstring::npos; }, 5000))
        << "the new template's key inserts it; the entry is " << ToUtf8(FromWide(tavrin.Text()));
    ASSERT_TRUE(drive::PressKeysInForeground(tavrin.Frame(), {VK_F8}));
    EXPECT_TRUE(drive::WaitFor([&] { return tavrin.Text() == EntryText(tomorrow); }, 5000))
        << "F8 is NextDay now";

    // With the week starting on Monday, the cell where day 15 stands holds another day on Sunday-first
    // weeks.
    Settings shown;
    shown.window.sideBarLayout = 1;
    shown.calendar.startWeek = 1;
    const PixelRect cell = SideCalendarDayCell(tavrin.Frame(), tomorrow, 15, shown);
    drive::Click(tavrin.Frame(), cell.x + cell.width / 2, cell.y + cell.height / 2);
    EXPECT_TRUE(drive::WaitFor(
        [&] {
            return tavrin.Text() == EntryText({tomorrow.year, tomorrow.month, 15});
        },
        5000))
        << "the calendar shows Monday first; the entry is " << ToUtf8(FromWide(tavrin.Text()));

    // The sheet opens again on the page shown last.
    sheet = tavrin.OpenSheet();
    ASSERT_TRUE(sheet);
    EXPECT_EQ(drive::CurrentSettingsPageIndex(sheet), kOther);
    drive::CloseSettingsSheet(sheet, false, kTimeoutMs);
    EXPECT_EQ(tavrin.Close(), 0u);
}

// Closes the sheet with a key press, as a user would, and waits until the program has done with it.
void CloseWithKey(const Running& tavrin, HWND sheet, WORD key) {
    ASSERT_TRUE(drive::PressKeysInForeground(sheet, {key}));
    EXPECT_TRUE(drive::WaitFor([sheet] { return !IsWindow(sheet); }, kTimeoutMs));
    drive::WaitUntilIdle(tavrin.Process().Id(), kTimeoutMs);
}

TEST(Settings, CancelDiscardsEveryChange) {
    PortableFolder folder;
    folder.WriteSettings(u"[Color]\r\nText=112233\r\nAlpha=40\r\n[Other]\r\nNoAnimation=1\r\n");
    Running tavrin(folder);
    ASSERT_TRUE(tavrin.Ready());
    HWND sheet = tavrin.OpenSheet();
    ASSERT_TRUE(sheet);
    CloseWithKey(tavrin, sheet, VK_RETURN);
    const std::vector<std::byte> written = folder.ReadFileBytes(folder.Ini());
    ASSERT_FALSE(written.empty()) << "Enter is OK, which writes the settings file";

    sheet = tavrin.OpenSheet();
    ASSERT_TRUE(sheet);
    HWND page = drive::ShowSettingsPage(sheet, kGeneral);
    drive::ClickButton(ControlOf(page, IDC_GEN_TOOLBAR));
    drive::ClickButton(ControlOf(page, IDC_GEN_RESET));  // colours back to the defaults, on the page only
    page = drive::ShowSettingsPage(sheet, kEdit);
    drive::SetText(ControlOf(page, IDC_EDIT_SIZE), L"40");
    page = drive::ShowSettingsPage(sheet, kTemplates);
    drive::PressKey(ControlOf(page, IDC_TPL_LIST), VK_DELETE);
    drive::ClickButton(ControlOf(page, IDC_TPL_DOWN));
    drive::ClickButton(ControlOf(page, IDC_TPL_RESET), true);
    std::optional<drive::MessageBoxInfo> box =
        drive::WaitForMessageBox(tavrin.Process().Id(), kTimeoutMs, sheet);
    ASSERT_TRUE(box);
    EXPECT_EQ(box->text, L"定型文設定を初期化しますか？");
    drive::DismissMessageBox(box->window);
    page = drive::ShowSettingsPage(sheet, kKeyboard);
    BindCommandKey(page, kNextDayRow, VK_F8);
    drive::ClickButton(ControlOf(page, IDC_KEY_RESET), true);
    box = drive::WaitForMessageBox(tavrin.Process().Id(), kTimeoutMs, sheet);
    ASSERT_TRUE(box);
    EXPECT_EQ(box->text, L"キーボード設定を初期化しますか？");
    EXPECT_EQ(box->caption, L"確認");
    drive::DismissMessageBox(box->window);
    BindCommandKey(page, kPrevDayRow, VK_F8);
    page = drive::ShowSettingsPage(sheet, kOther);
    drive::ClickButton(ControlOf(page, IDC_OTHER_FIRST + 2));
    CloseWithKey(tavrin, sheet, VK_ESCAPE);
    EXPECT_EQ(folder.ReadFileBytes(folder.Ini()), written)
        << "Esc cancels, which leaves tavrin.ini as it was";
    EXPECT_EQ(drive::TextOf(tavrin.Frame()), L"Tavrin");

    // OK with nothing changed on the page that was shown then writes the very same file again: the
    // record, the templates and the keys are all as they were.
    sheet = tavrin.OpenSheet();
    ASSERT_TRUE(sheet);
    EXPECT_EQ(drive::CurrentSettingsPageIndex(sheet), kOther);
    drive::ShowSettingsPage(sheet, kGeneral);
    drive::CloseSettingsSheet(sheet, true, kTimeoutMs);
    EXPECT_EQ(folder.ReadFileBytes(folder.Ini()), written);
    EXPECT_EQ(tavrin.Close(), 0u);
}

// The selected row of the template list.
int SelectedRow(HWND list) { return static_cast<int>(SendMessageW(list, LB_GETCURSEL, 0, 0)); }

void SendMouse(HWND window, UINT message, int x, int y) {
    DWORD_PTR ignored = 0;
    SendMessageTimeoutW(window, message, message == WM_LBUTTONUP ? 0 : MK_LBUTTON, MAKELPARAM(x, y),
                        SMTO_NORMAL, kTimeoutMs, &ignored);
}

TEST(Settings, TemplatePageEditsItsCopyWithButtonsKeysDraggingAndTheSymbolList) {
    PortableFolder folder;
    folder.WriteSettings(u"[Template]\r\nItem=A,a,0000\r\nItem=B,b,0000\r\nItem=C,c,0000\r\n");
    Running tavrin(folder);
    ASSERT_TRUE(tavrin.Ready());
    HWND sheet = tavrin.OpenSheet();
    ASSERT_TRUE(sheet);
    HWND page = drive::ShowSettingsPage(sheet, kTemplates);
    HWND list = ControlOf(page, IDC_TPL_LIST);
    HWND name = ControlOf(page, IDC_TPL_NAME);
    const int rowHeight = static_cast<int>(SendMessageW(list, LB_GETITEMHEIGHT, 0, 0));
    ASSERT_GT(rowHeight, 0);
    EXPECT_EQ(drive::TextOf(name), L"A") << "the first item is shown";

    drive::Click(list, 10, rowHeight + rowHeight / 2);
    EXPECT_EQ(drive::TextOf(name), L"B") << "a click shows the item under it";
    drive::ClickButton(ControlOf(page, IDC_TPL_UP));
    EXPECT_EQ(SelectedRow(list), 0) << "B, A, C with B selected";
    EXPECT_FALSE(IsWindowEnabled(ControlOf(page, IDC_TPL_UP)));
    drive::ClickButton(ControlOf(page, IDC_TPL_DOWN));
    drive::ClickButton(ControlOf(page, IDC_TPL_DOWN));
    EXPECT_EQ(SelectedRow(list), 2) << "A, C, B";
    EXPECT_FALSE(IsWindowEnabled(ControlOf(page, IDC_TPL_DOWN)));

    // A dragged below the last row: C, B, A.
    SendMouse(list, WM_LBUTTONDOWN, 10, rowHeight / 2);
    SendMouse(list, WM_MOUSEMOVE, 10, rowHeight / 2 + rowHeight);
    SendMouse(list, WM_MOUSEMOVE, 10, 3 * rowHeight);
    SendMouse(list, WM_LBUTTONUP, 10, 3 * rowHeight);
    EXPECT_EQ(SelectedRow(list), 2);
    EXPECT_EQ(drive::TextOf(name), L"A");
    drive::PressKey(list, VK_DELETE);
    EXPECT_EQ(SelectedRow(list), 1) << "deleting the last row shows the new last one";
    EXPECT_EQ(drive::TextOf(name), L"B");

    // The special-symbol list inserts its selected code, the first one, into the body at its caret.
    drive::ClickButton(ControlOf(page, IDC_TPL_SYMBOLS));
    HWND symbols = drive::WaitForWindow(tavrin.Process().Id(), L"#32770", L"特殊記号一覧", kTimeoutMs);
    ASSERT_TRUE(symbols);
    EXPECT_EQ(SendMessageW(GetDlgItem(symbols, IDC_SYMBOL_LIST), LVM_GETITEMCOUNT, 0, 0), 49);
    SendMessageW(ControlOf(page, IDC_TPL_BODY), EM_SETSEL, 1, 1);
    SendMessageW(symbols, WM_COMMAND, IDOK, 0);
    EXPECT_EQ(drive::TextOf(ControlOf(page, IDC_TPL_BODY)), L"b$1");
    SendMessageW(symbols, WM_COMMAND, IDCANCEL, 0);
    EXPECT_FALSE(IsWindow(symbols)) << "閉じる closes it";

    // Tab is a key to bind in the key field, not a way out of it.
    drive::PressKey(ControlOf(page, IDC_TPL_KEY), VK_TAB);
    drive::CloseSettingsSheet(sheet, true, kTimeoutMs);
    const std::u16string ini = folder.SettingsText();
    const std::size_t c = ini.find(u"\r\nItem=C,c,0000\r\n");
    const std::size_t b = ini.find(u"\r\nItem=B,b$1,0009\r\n");
    EXPECT_NE(c, std::u16string::npos);
    EXPECT_NE(b, std::u16string::npos);
    EXPECT_LT(c, b);
    EXPECT_EQ(ini.find(u"Item=A"), std::u16string::npos);
    EXPECT_EQ(tavrin.Close(), 0u);
}

TEST(Settings, BadInputIsClampedCutOrKept) {
    PortableFolder folder;
    const DiaryDate today = Today();
    WriteTwoMonths(folder, AddDays(today, -1));
    folder.WriteSettings(u"[Other]\r\nNoAnimation=1\r\n");
    Running tavrin(folder);
    ASSERT_TRUE(tavrin.Ready());
    HWND sheet = tavrin.OpenSheet();
    ASSERT_TRUE(sheet);
    HWND page = drive::ShowSettingsPage(sheet, kGeneral);
    drive::SetText(ControlOf(page, IDC_GEN_MARGIN_LEFT), L"abc");
    drive::SetText(ControlOf(page, IDC_GEN_SIZE_S), L"0");
    page = drive::ShowSettingsPage(sheet, kEdit);
    drive::SetText(ControlOf(page, IDC_EDIT_SIZE), L"5000");
    drive::SetText(ControlOf(page, IDC_EDIT_SPACING), L"-1200");
    drive::SetText(ControlOf(page, IDC_EDIT_FONT), L"存在しないフォント");
    page = drive::ShowSettingsPage(sheet, kBackground);
    drive::SetText(ControlOf(page, IDC_BACK_PATH), L"C:\\" + std::wstring(297, L'p'));
    page = drive::ShowSettingsPage(sheet, kTemplates);
    drive::ClickButton(ControlOf(page, IDC_TPL_ADD));
    drive::SetText(ControlOf(page, IDC_TPL_NAME), L"");
    const std::wstring longBody(100000, L'本');
    drive::SetText(ControlOf(page, IDC_TPL_BODY), longBody);
    page = drive::ShowSettingsPage(sheet, kKeyboard);
    BindCommandKey(page, kNextDayRow, VK_F8);
    BindCommandKey(page, kPrevDayRow, VK_F8);
    drive::CloseSettingsSheet(sheet, true, kTimeoutMs);

    const std::u16string ini = folder.SettingsText();
    EXPECT_TRUE(HasLine(ini, u"MarginLeft=0")) << "text in a number field reads 0";
    EXPECT_TRUE(HasLine(ini, u"FontSizeS=1"));
    EXPECT_TRUE(HasLine(ini, u"FontSize=999"));
    EXPECT_TRUE(HasLine(ini, u"LineSpacing=-999"));
    EXPECT_TRUE(HasLine(ini, u"FontName=存在しないフォント")) << "the system draws it in a substitute";
    EXPECT_TRUE(HasLine(ini, u"Path=C:\\" + std::u16string(257, u'p')));
    EXPECT_TRUE(HasLine(ini, u"Item=," + std::u16string(100000, u'本') + u",0000"));
    EXPECT_TRUE(HasLine(ini, u"PrevDay=0077"));
    EXPECT_TRUE(HasLine(ini, u"NextDay=0077"));

    // Two commands on one key: the accelerator table takes the first, so F8 is PrevDay, every time.
    ASSERT_TRUE(drive::PressKeysInForeground(tavrin.Frame(), {VK_F8}));
    EXPECT_TRUE(drive::WaitFor([&] { return tavrin.Text() == EntryText(AddDays(today, -1)); }, 5000))
        << ToUtf8(FromWide(tavrin.Text()));
    EXPECT_EQ(tavrin.Close(), 0u) << "the program ran on with a 999-point font it does not have";
}

TEST(Settings, ResetRestartsWithTheDefaultsAndKeepsTheEntry) {
    PortableFolder folder;
    const DiaryDate today = Today();
    std::filesystem::create_directories(folder.path() / L"RaRorir");
    folder.WriteSettings(u"[Window]\r\nSideBarLayout=1\r\n[Template]\r\nItem=私の,本文,0000\r\n");
    Running tavrin(folder);
    ASSERT_TRUE(tavrin.Ready());
    drive::TypeText(tavrin.Editor(), L"再起動の前に書いた文");
    const int editorLeftBefore = EditorLeft(tavrin);

    HWND sheet = tavrin.OpenSheet();
    ASSERT_TRUE(sheet);
    HWND page = drive::ShowSettingsPage(sheet, kOther);
    drive::ClickButton(ControlOf(page, IDC_OTHER_RESET_ALL), true);
    const std::optional<drive::MessageBoxInfo> box =
        drive::WaitForMessageBox(tavrin.Process().Id(), kTimeoutMs, sheet);
    ASSERT_TRUE(box);
    EXPECT_EQ(box->caption, L"確認");
    EXPECT_EQ(
        box->text,
        L"すべての設定を初期化してプログラムを再起動します。\r\n日記データは残ります。\r\n実行しますか？");
    drive::DismissMessageBox(box->window);
    EXPECT_EQ(tavrin.Process().WaitForExit(kTimeoutMs), 0u) << "the old copy closes";
    EXPECT_FALSE(std::filesystem::exists(folder.Ini())) << "and deletes the settings file on its way out";

    HWND frame = nullptr;
    ASSERT_TRUE(drive::WaitFor([&] { return (frame = drive::FindMainFrame(0)) != nullptr; }, kTimeoutMs))
        << "a new copy started";
    DWORD processId = 0;
    GetWindowThreadProcessId(frame, &processId);
    drive::WaitUntilIdle(processId, kTimeoutMs);
    HANDLE process = OpenProcess(SYNCHRONIZE, FALSE, processId);
    HWND editor = drive::FindChild(frame, L"MarkupEditPane");
    EXPECT_EQ(drive::TextOf(editor), L"再起動の前に書いた文") << "the entry was saved before the restart";
    RECT editorRect{};
    GetWindowRect(editor, &editorRect);
    POINT origin{editorRect.left, editorRect.top};
    ScreenToClient(frame, &origin);
    EXPECT_GT(origin.x, editorLeftBefore) << "the sidebar is back on the left";

    PostMessageW(frame, WM_CLOSE, 0, 0);
    EXPECT_EQ(WaitForSingleObject(process, kTimeoutMs), WAIT_OBJECT_0);
    CloseHandle(process);
    const std::u16string ini = folder.SettingsText();
    EXPECT_TRUE(HasLine(ini, u"SideBarLayout=0"));
    EXPECT_TRUE(HasLine(ini, u"Item=日付(&;),$1,04BB")) << "the default templates";
    EXPECT_EQ(ini.find(u"私の"), std::u16string::npos);
    const std::filesystem::path month =
        folder.path() / L"RaRorir" / (std::to_wstring(today.year * 100 + today.month) + L".txt");
    EXPECT_NE(folder.ReadTextFile(month).find(u"\t再起動の前に書いた文\r\n"), std::u16string::npos);
}

}  // namespace
}  // namespace tavrin::e2e
