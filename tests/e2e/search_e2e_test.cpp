// Searching a diary through the real tavrin.exe: a word typed into the search box and Enter, the
// result list walked with the keyboard and the mouse, searches started from the editor (selection,
// word at the caret, hash tags), the history over a restart, clearing the list, and bad input.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "diarygen/diary_generator.h"
#include "driver_win.h"
#include "platform/file_system.h"
#include "platform/text.h"
#include "platform/wide_win.h"
#include "portable_folder_win.h"
#include "running_tavrin_win.h"

namespace tavrin::e2e {
namespace {

constexpr int kSearchSelect = 41048;
constexpr int kEditOpenLink = 41042;
constexpr int kSearch = 41047;
constexpr int kFocus = 41007;

DWORD_PTR Ask(HWND window, UINT message, WPARAM wParam = 0, LPARAM lParam = 0) {
    DWORD_PTR result = 0;
    SendMessageTimeoutW(window, message, wParam, lParam, SMTO_NORMAL, kTimeoutMs, &result);
    return result;
}

// The running program with its search box and result list.
class Tavrin : public RunningTavrin {
public:
    explicit Tavrin(const PortableFolder& folder)
        : RunningTavrin(folder, StartWait::kIdle),
          box_(Frame() ? drive::FindChild(Frame(), L"Edit") : nullptr),
          list_(Frame() ? drive::FindChild(Frame(), L"SearchListPane") : nullptr) {}

    [[nodiscard]] bool Ready() const { return RunningTavrin::Ready() && box_ && list_; }
    [[nodiscard]] HWND Box() const { return box_; }
    [[nodiscard]] HWND List() const { return list_; }

    [[nodiscard]] std::wstring BoxText() const { return drive::TextOf(box_); }
    [[nodiscard]] int HitCount() const { return static_cast<int>(Ask(list_, LB_GETCOUNT)); }
    [[nodiscard]] int Selected() const {
        return static_cast<int>(static_cast<LRESULT>(Ask(list_, LB_GETCURSEL)));
    }
    [[nodiscard]] HWND Focus() const {
        GUITHREADINFO info{};
        info.cbSize = sizeof info;
        return GetGUIThreadInfo(GetWindowThreadProcessId(Frame(), nullptr), &info) ? info.hwndFocus : nullptr;
    }
    // Enter in the box, as the keyboard gives it to the edit control.
    void SearchFor(std::wstring_view word) const {
        SetWindowTextW(box_, std::wstring(word).c_str());
        drive::TypeText(box_, L"\n");
    }
    // Chooses in a popup menu of the program by keys, once it is shown.
    void ChooseInMenu(std::initializer_list<WORD> keys) const {
        HWND menu = drive::WaitForWindow(Id(), L"#32768", L"", kTimeoutMs);
        ASSERT_TRUE(menu) << "the menu is shown";
        for (const WORD key : keys) {
            ASSERT_TRUE(drive::PressKeysInForeground(GetForegroundWindow(), {key}));
            Sleep(100);
        }
    }

private:
    HWND box_ = nullptr;
    HWND list_ = nullptr;
};

std::u16string FoldedAscii(std::u16string_view text) {
    std::u16string folded(text);
    for (char16_t& c : folded) {
        if (c >= u'A' && c <= u'Z') {
            c = static_cast<char16_t>(c - u'A' + u'a');
        }
    }
    return folded;
}

// The entries a word is found in, oldest first, by a plain scan of the generated entries.
std::vector<std::wstring> EntriesWith(const diarygen::GeneratedDiary& diary, std::u16string_view word) {
    std::vector<std::wstring> found;
    for (const auto& [date, text] : diary.entries) {
        if (FoldedAscii(text).find(FoldedAscii(word)) != std::u16string::npos) {
            found.emplace_back(Wide(text));
        }
    }
    return found;
}

void WriteSettings(const PortableFolder& folder, std::u16string_view extra = u"") {
    folder.WriteSettings(u"[Other]\r\nNoAnimation=1\r\n" + std::u16string(extra));
}

// The generated diary's entries, walked from the result list with the keys a user presses (through
// the message loop, where the list's keys come before the shortcut keys) and with the mouse.
TEST(Search, TheResultListWalksTheHitsOfAGeneratedDiary) {
    PortableFolder folder;
    const diarygen::GeneratedDiary diary =
        diarygen::GenerateDiary({.years = 3, .lastYear = 2021, .seed = 3, .oddities = false});
    const auto fs = CreateSystemFileSystem();
    ASSERT_TRUE(diarygen::WriteDiary(diary, *fs, folder.path() / L"RaRorir"));
    WriteSettings(folder);
    const std::vector<std::wstring> hits = EntriesWith(diary, u"quarterly");
    ASSERT_GT(hits.size(), 40u);
    const int last = static_cast<int>(hits.size()) - 1;

    Tavrin tavrin(folder);
    ASSERT_TRUE(tavrin.Ready());
    ASSERT_TRUE(drive::PressKeysInForeground(tavrin.Frame(), {VK_CONTROL, 'F'}));
    ASSERT_TRUE(drive::WaitFor([&] { return tavrin.Focus() == tavrin.Box(); }, 5000)) << "Ctrl+F: the box";
    drive::TypeText(tavrin.Box(), L"QUARTERLY");
    ASSERT_TRUE(drive::PressKeysInForeground(tavrin.Frame(), {VK_RETURN}));
    ASSERT_TRUE(drive::WaitFor([&] { return tavrin.HitCount() == static_cast<int>(hits.size()); }, 10000));
    EXPECT_EQ(tavrin.Text(), hits[0]) << "the oldest hit";
    EXPECT_EQ(tavrin.Focus(), tavrin.List());

    RECT client{};
    GetClientRect(tavrin.List(), &client);
    const int rowHeight = static_cast<int>(Ask(tavrin.List(), LB_GETITEMHEIGHT));
    ASSERT_GT(rowHeight, 0);
    const int page = std::max(static_cast<int>(client.bottom) / rowHeight - 1, 1);
    const struct {
        WORD key;
        int expected;
        const char* name;
    } steps[] = {
        {VK_UP, last, "Up from the first hit"},
        {VK_DOWN, 0, "Down from the last hit"},
        {VK_DOWN, 1, "Down"},
        {VK_NEXT, 1 + page, "Page Down"},
        {VK_PRIOR, 1, "Page Up"},
        {VK_END, last, "End"},
        {VK_HOME, 0, "Home"},
        {VK_RIGHT, last, "Right"},
        {VK_LEFT, 0, "Left"},
    };
    for (const auto& step : steps) {
        ASSERT_TRUE(drive::PressKeysInForeground(tavrin.Frame(), {step.key}));
        EXPECT_TRUE(drive::WaitFor(
            [&] { return tavrin.Selected() == step.expected && tavrin.Text() == hits[step.expected]; }, 5000))
            << step.name << ": selected " << tavrin.Selected();
    }

    // The wheel scrolls the list by ScrollLines rows without moving the selection.
    SendMessageW(tavrin.List(), WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(-WHEEL_DELTA)), 0);
    EXPECT_TRUE(drive::WaitFor([&] { return Ask(tavrin.List(), LB_GETTOPINDEX) == 6; }, 5000));
    EXPECT_EQ(tavrin.Selected(), 0);
    SendMessageW(tavrin.List(), WM_MOUSEWHEEL, MAKEWPARAM(0, WHEEL_DELTA), 0);
    EXPECT_TRUE(drive::WaitFor([&] { return Ask(tavrin.List(), LB_GETTOPINDEX) == 0; }, 5000));

    // A double click on the third row opens its entry for writing.
    const int top = static_cast<int>(Ask(tavrin.List(), LB_GETTOPINDEX));
    const LPARAM third = MAKELPARAM(20, (2 - top) * rowHeight + rowHeight / 2);
    Ask(tavrin.List(), WM_LBUTTONDOWN, MK_LBUTTON, third);
    Ask(tavrin.List(), WM_LBUTTONUP, 0, third);
    Ask(tavrin.List(), WM_LBUTTONDBLCLK, MK_LBUTTON, third);
    EXPECT_EQ(tavrin.Selected(), 2);
    EXPECT_EQ(tavrin.Text(), hits[2]);
    EXPECT_EQ(tavrin.Focus(), tavrin.Editor());

    // The list menu clears the list; keys and clicks on the empty list do nothing.
    PostMessageW(tavrin.List(), WM_CONTEXTMENU, reinterpret_cast<WPARAM>(tavrin.List()), -1);
    tavrin.ChooseInMenu({'C'});
    EXPECT_TRUE(drive::WaitFor([&] { return tavrin.HitCount() == 0; }, 5000)) << "検索結果のクリア";
    Ask(tavrin.List(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(20, rowHeight / 2));
    ASSERT_TRUE(drive::PressKeysInForeground(tavrin.Frame(), {VK_DOWN}));
    Ask(tavrin.List(), WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(20, rowHeight / 2));
    drive::WaitUntilIdle(tavrin.Id(), kTimeoutMs);
    EXPECT_EQ(tavrin.Text(), hits[2]);
    EXPECT_EQ(tavrin.Close(), 0u);
}

std::wstring SettingsText(const PortableFolder& folder) { return Wide(folder.SettingsText()); }

// SearchSelect with a selection and with the caret in a word, and a hash tag opened as a link.
TEST(Search, TheEditorStartsSearchesForItsSelectionWordsAndHashTags) {
    PortableFolder folder;
    folder.WriteDiary(L"RaRorir", {{202001, {{5, u"#旅行 初日\nquarterly の下書き"}}},
                                   {202002, {{10, u"朝はコーヒー。"}}},
                                   {202103, {{3, u"コーヒーと quarterly report\n#旅行 の写真"}}}});
    WriteSettings(folder, u"StartDateMode=2\r\nStartDate=20210303\r\n");
    Tavrin tavrin(folder);
    ASSERT_TRUE(tavrin.Ready());
    ASSERT_EQ(tavrin.Text(), L"コーヒーと quarterly report\n#旅行 の写真");

    Ask(tavrin.Editor(), EM_SETSEL, 0, 4);
    tavrin.Command(kSearchSelect);
    EXPECT_EQ(tavrin.BoxText(), L"コーヒー");
    EXPECT_EQ(tavrin.HitCount(), 2);
    EXPECT_EQ(tavrin.Text(), L"朝はコーヒー。") << "the selected word's oldest entry";

    drive::PressKey(tavrin.List(), VK_DOWN);
    ASSERT_EQ(tavrin.Text(), L"コーヒーと quarterly report\n#旅行 の写真");
    Ask(tavrin.Editor(), EM_SETSEL, 8, 8);
    tavrin.Command(kSearchSelect);
    EXPECT_EQ(tavrin.BoxText(), L"quarterly") << "the word at the caret";
    EXPECT_EQ(tavrin.Text(), L"#旅行 初日\nquarterly の下書き");

    drive::PressKey(tavrin.List(), VK_END);
    ASSERT_EQ(tavrin.Text(), L"コーヒーと quarterly report\n#旅行 の写真");
    Ask(tavrin.Editor(), EM_SETSEL, 23, 26);
    tavrin.Command(kEditOpenLink);
    EXPECT_EQ(tavrin.BoxText(), L"#旅行");
    EXPECT_EQ(tavrin.Text(), L"#旅行 初日\nquarterly の下書き") << "the hash tag's oldest entry";

    // The search button searches for the box text; the Focus command cycles editor, box, list.
    SetWindowTextW(tavrin.Box(), L"コーヒー");
    RECT edit{};
    GetWindowRect(tavrin.Box(), &edit);
    MapWindowPoints(nullptr, tavrin.Frame(), reinterpret_cast<POINT*>(&edit), 2);
    drive::Click(tavrin.Frame(), edit.right + 4 + 16, edit.top - 7 + 16);
    EXPECT_TRUE(drive::WaitFor([&] { return tavrin.Text() == L"朝はコーヒー。"; }, 5000))
        << "the search button";
    tavrin.Command(kFocus);
    EXPECT_EQ(tavrin.Focus(), tavrin.Editor()) << "from the list";
    tavrin.Command(kFocus);
    EXPECT_EQ(tavrin.Focus(), tavrin.Box());
    tavrin.Command(kFocus);
    EXPECT_EQ(tavrin.Focus(), tavrin.List());

    // History steps in the box: the words searched were #旅行, コーヒー and quarterly, newest first.
    tavrin.Command(kSearch);
    EXPECT_EQ(tavrin.Focus(), tavrin.Box());
    drive::PressKey(tavrin.Box(), VK_UP);
    EXPECT_EQ(tavrin.BoxText(), L"quarterly") << "Up from the newest runs round to the oldest";
    drive::PressKey(tavrin.Box(), VK_UP);
    EXPECT_EQ(tavrin.BoxText(), L"#旅行");
    drive::PressKey(tavrin.Box(), VK_DOWN);
    EXPECT_EQ(tavrin.BoxText(), L"quarterly");
    SendMessageW(tavrin.Box(), WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(-WHEEL_DELTA)), 0);
    EXPECT_EQ(tavrin.BoxText(), L"コーヒー") << "the wheel turned back steps like Down";

    // "大文字/小文字を区別(&M)" from the box menu: QUARTERLY no longer finds quarterly.
    PostMessageW(tavrin.Box(), WM_CONTEXTMENU, reinterpret_cast<WPARAM>(tavrin.Box()), -1);
    tavrin.ChooseInMenu({'M'});
    drive::WaitUntilIdle(tavrin.Id(), kTimeoutMs);
    tavrin.SearchFor(L"QUARTERLY");
    EXPECT_EQ(tavrin.HitCount(), 0);
    tavrin.SearchFor(L"quarterly");
    EXPECT_EQ(tavrin.HitCount(), 2);
    EXPECT_EQ(tavrin.Close(), 0u);
    EXPECT_NE(SettingsText(folder).find(L"\r\nMatchCase=1\r\n"), std::wstring::npos);
}

TEST(Search, TheHistoryKeepsTheLastTenWordsOverARestart) {
    PortableFolder folder;
    folder.WriteDiary(L"RaRorir", {{202001, {{5, u"w03 w07"}}}});
    WriteSettings(folder);
    {
        Tavrin tavrin(folder);
        ASSERT_TRUE(tavrin.Ready());
        for (int i = 1; i <= 11; ++i) {
            tavrin.SearchFor(L"w" + std::wstring(i < 10 ? L"0" : L"") + std::to_wstring(i));
        }
        EXPECT_EQ(tavrin.BoxText(), L"w11");
        EXPECT_EQ(tavrin.Close(), 0u);
    }
    std::wstring settings = SettingsText(folder);
    for (int slot = 0; slot < 10; ++slot) {
        const std::wstring line = L"\r\nSearchWord" + std::to_wstring(slot) + L"=w" +
                                  (11 - slot < 10 ? L"0" : L"") + std::to_wstring(11 - slot) + L"\r\n";
        EXPECT_NE(settings.find(line), std::wstring::npos) << "slot " << slot;
    }
    EXPECT_EQ(settings.find(L"w01"), std::wstring::npos) << "the first word dropped out";

    {
        Tavrin tavrin(folder);
        ASSERT_TRUE(tavrin.Ready());
        // The tenth word of the history submenu is the oldest, w02; choosing it searches for it.
        PostMessageW(tavrin.Box(), WM_CONTEXTMENU, reinterpret_cast<WPARAM>(tavrin.Box()), -1);
        tavrin.ChooseInMenu({'H', VK_DOWN, VK_DOWN, VK_DOWN, VK_DOWN, VK_DOWN, VK_DOWN, VK_DOWN, VK_DOWN,
                             VK_DOWN, VK_RETURN});
        EXPECT_TRUE(drive::WaitFor([&] { return tavrin.BoxText() == L"w02"; }, 5000))
            << "have " << ToUtf8(FromWide(tavrin.BoxText()));
        EXPECT_EQ(tavrin.Close(), 0u);
    }
    settings = SettingsText(folder);
    EXPECT_NE(settings.find(L"\r\nSearchWord0=w02\r\nSearchWord1=w11\r\n"), std::wstring::npos);
    EXPECT_EQ(settings.find(L"SearchWord10"), std::wstring::npos);
}

// A month file held open by another program is skipped; a removed diary folder is reported; long and
// multi-line words are cut to one 255-character word; the text typed meanwhile is kept.
TEST(Search, BadInputIsReportedAndLosesNothing) {
    PortableFolder folder;
    folder.WriteDiary(
        L"RaRorir", {{201901, {{5, u"雪 去年"}}}, {202002, {{6, u"雪 二月"}}}, {202003, {{7, u"雪 三月"}}}});
    WriteSettings(folder, u"StartDateMode=2\r\nStartDate=20200307\r\n");
    const std::filesystem::path diary = folder.path() / L"RaRorir";
    Tavrin tavrin(folder);
    ASSERT_TRUE(tavrin.Ready());
    drive::TypeText(tavrin.Editor(), L"書きかけ");

    {
        // Not of the year shown, which is searched in memory.
        const std::filesystem::path held = diary / L"201901.txt";
        const HANDLE file = CreateFileW(held.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
        ASSERT_NE(file, INVALID_HANDLE_VALUE);
        tavrin.SearchFor(L"雪");
        CloseHandle(file);
    }
    EXPECT_EQ(tavrin.HitCount(), 2) << "January 2019 could not be read";
    EXPECT_EQ(tavrin.Text(), L"雪 二月");

    std::filesystem::rename(diary, folder.path() / L"moved");
    SetWindowTextW(tavrin.Box(), L"雪");
    PostMessageW(tavrin.Box(), WM_CHAR, L'\r', 1);
    const auto box = drive::WaitForMessageBox(tavrin.Id(), kTimeoutMs);
    ASSERT_TRUE(box);
    EXPECT_EQ(box->text, L"フォルダが見つかりません。\r\n\r\n" + diary.wstring());
    drive::DismissMessageBox(box->window);
    std::filesystem::rename(folder.path() / L"moved", diary);

    // Pasted into the box: 300 characters, and a word over two lines.
    for (const std::wstring& clip : {std::wstring(300, L'x'), std::wstring(L"二月\r\n三月")}) {
        ASSERT_TRUE(OpenClipboard(nullptr));
        EmptyClipboard();
        HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, (clip.size() + 1) * sizeof(wchar_t));
        std::copy_n(clip.c_str(), clip.size() + 1, static_cast<wchar_t*>(GlobalLock(memory)));
        GlobalUnlock(memory);
        SetClipboardData(CF_UNICODETEXT, memory);
        CloseClipboard();
        SetWindowTextW(tavrin.Box(), L"");
        Ask(tavrin.Box(), WM_PASTE);
        EXPECT_LE(tavrin.BoxText().size(), 255u);
        drive::TypeText(tavrin.Box(), L"\n");
    }
    EXPECT_EQ(tavrin.Close(), 0u);
    const std::wstring settings = SettingsText(folder);
    EXPECT_NE(settings.find(L"\r\nSearchWord1=" + std::wstring(255, L'x') + L"\r\n"), std::wstring::npos);
    const std::u16string march = folder.ReadTextFile(diary / L"202003.txt");
    EXPECT_NE(march.find(u"\t書きかけ雪 三月\r\n"), std::u16string::npos) << "the typing was saved";
}

}  // namespace
}  // namespace tavrin::e2e
