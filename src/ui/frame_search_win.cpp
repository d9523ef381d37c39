// The frame's side of the search pane: the search box (a standard edit control whose window procedure
// is replaced for the keys, wheel and menu of a search box), the result list, every road into a search
// (Enter, the search button, the history, the box menu, SearchSelect, hash-tag links), the box and
// list menus, and the last step of a search: the list takes the focus and the diary goes to the first
// hit.
#include <windows.h>
#include <commctrl.h>
#include <windowsx.h>

#include "app/key_names_win.h"
#include "app/modal_scope_win.h"
#include "editor/editor_messages.h"
#include "platform/wide_win.h"
#include "search/search_history.h"
#include "search/search_list_pane_win.h"
#include "search/search_menus.h"
#include "ui/frame_window_win.h"

namespace tavrin {
namespace {

constexpr UINT_PTR kSearchBoxSubclassId = 2;
// The search box's timer that reads month files ahead of the first search, a few per tick.
constexpr UINT_PTR kWarmUpTimer = 1;
constexpr UINT kWarmUpPeriodMs = 10;
constexpr int kWarmUpFilesPerTick = 12;

// Esc held down stops a search before its next month; the keyboard is asked, as no message is
// pumped while a search runs.
class EscapeKeyInterruption final : public SearchInterruption {
public:
    bool StopRequested() override { return (GetAsyncKeyState(VK_ESCAPE) & 0x8000) != 0; }
};

// The wait cursor for the life of the scope (nothing is pumped meanwhile, so it stays).
class WaitCursor {
public:
    WaitCursor() : previous_(SetCursor(LoadCursorW(nullptr, IDC_WAIT))) {}
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;
    ~WaitCursor() { SetCursor(previous_); }

private:
    HCURSOR previous_;
};

void SetBoxText(const FrameWindow& frame, std::u16string_view text, bool select) {
    HWND box = frame.app.shell.searchBox;
    SetWindowTextW(box, Wide(std::u16string(SearchWordOf(text))));
    if (select) {
        SendMessageW(box, EM_SETSEL, 0, -1);
    }
}

// The selected hit's date; with focusEditor the editor is shown (leaving the year calendar) and
// focused.
void GoToSelectedHit(FrameWindow& frame, bool focusEditor) {
    const SearchResults& results = frame.search.results;
    if (results.selectedIndex < 0 || results.selectedIndex >= results.Count()) {
        return;
    }
    if (focusEditor && frame.app.state.displayMode == DisplayMode::kCalendar) {
        SetDisplayMode(frame, DisplayMode::kEdit);
    }
    const DiaryDate& date = results.hits[static_cast<std::size_t>(results.selectedIndex)].date;
    // Already on that date, the store moves nothing and leaves the focus alone.
    if (frame.store->GoToDate(date, focusEditor) && focusEditor) {
        SetFocus(frame.app.shell.editor);
    }
}

// RunSearch with the box text, then the list shows the hits: it takes the focus, is painted at once,
// and the diary goes to the first hit.
void RunSearchNow(FrameWindow& frame) {
    App& app = frame.app;
    EscapeKeyInterruption escape;
    bool ran = false;
    {
        const WaitCursor wait;
        const SearchEnvironment environment{
            *app.fs, app.state.exeFolder, frame.store->DiaryName(), frame.store->Year(),
            escape,  frame.errors,        &frame.search.cache};
        ran =
            RunSearch(frame.search, app.state.settings.search, WindowText(app.shell.searchBox), environment);
    }
    HWND list = app.shell.searchList;
    RefreshSearchList(list, ListScrollMode::kTop);
    if (!ran || frame.search.results.Count() == 0) {
        return;
    }
    frame.search.results.selectedIndex = 0;
    SetFocus(list);
    PaintSearchListNow(list);
    GoToSelectedHit(frame, false);
}

void StepHistory(FrameWindow& frame, bool up) {
    HWND box = frame.app.shell.searchBox;
    if (const auto word = HistoryStep(frame.app.state.settings.search.history, WindowText(box), up)) {
        SetBoxText(frame, *word, true);
    }
}

// The wheel over the box steps through the history. While a background picture hides the box, the
// box is shown first.
void OnBoxWheel(FrameWindow& frame, WPARAM wParam) {
    HWND box = frame.app.shell.searchBox;
    if (frame.model.backImageShown && GetFocus() != box && !IsWindowVisible(box)) {
        ShowWindow(box, SW_SHOWNA);
    }
    StepHistory(frame, GET_WHEEL_DELTA_WPARAM(wParam) > 0);
}

// The box took the focus: the user is about to search. Unless it has been done for this diary, its
// month files are read into the search cache from now on, between the user's keys.
void StartWarmUp(FrameWindow& frame, HWND box) {
    if (!frame.store) {
        return;
    }
    SearchCacheWarmer& warmer = frame.search.warmer;
    const std::filesystem::path folder = frame.store->DiaryFolder();
    if (warmer.Folder() == folder || !warmer.Start(*frame.app.fs, folder, frame.store->SelectedDate().year)) {
        return;
    }
    SetTimer(box, kWarmUpTimer, kWarmUpPeriodMs, nullptr);
}

void OnWarmUpTick(FrameWindow& frame, HWND box) {
    if (HIWORD(GetQueueStatus(QS_INPUT)) != 0 || frame.search.busy) {
        return;  // keys and clicks first
    }
    if (!frame.search.warmer.Step(*frame.app.fs, frame.search.cache, kWarmUpFilesPerTick)) {
        KillTimer(box, kWarmUpTimer);
    }
}

// From the keyboard the menu opens below the box's left edge, otherwise at the pointer.
void OnBoxContextMenu(FrameWindow& frame, HWND box, LPARAM lParam) {
    POINT point{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    if (point.x == -1 && point.y == -1) {
        RECT client{};
        GetClientRect(box, &client);
        point = {0, client.bottom};
        ClientToScreen(box, &point);
    }
    OpenSearchBoxMenu(frame, point);
}

bool OnBoxChar(FrameWindow& frame, WPARAM character) {
    switch (character) {
        case L'\r':
            StartSearchFromBox(frame);
            return true;
        case L'\t':
            SetFocus(frame.app.shell.editor);
            return true;
        case 0x01:  // Ctrl+A, selected on its key down
            return true;
        default:
            return false;
    }
}

bool OnBoxKeyDown(FrameWindow& frame, HWND box, WPARAM key) {
    switch (key) {
        case VK_UP:
        case VK_DOWN:
            StepHistory(frame, key == VK_UP);
            return true;
        case 'A':
            if (GetKeyState(VK_CONTROL) < 0) {
                SendMessageW(box, EM_SETSEL, 0, -1);
                return true;
            }
            return false;
        default:
            return false;
    }
}

// The search box's replaced window procedure; everything it does not take goes to the edit control.
LRESULT CALLBACK SearchBoxProc(HWND box, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                               DWORD_PTR frameState) {
    FrameWindow& frame = *reinterpret_cast<FrameWindow*>(frameState);
    switch (message) {
        case WM_CHAR:
            if (OnBoxChar(frame, wParam)) {
                return 0;
            }
            break;
        case WM_KEYDOWN:
            if (OnBoxKeyDown(frame, box, wParam)) {
                return 0;
            }
            break;
        case WM_SYSKEYDOWN:
        case WM_SYSKEYUP:
            if (wParam == VK_MENU) {
                return 0;  // no menu-bar activation
            }
            break;
        case WM_MOUSEWHEEL:
            OnBoxWheel(frame, wParam);
            return 0;
        case WM_LBUTTONDOWN:
        case WM_RBUTTONDOWN:
            SetFocus(box);
            break;
        case WM_RBUTTONUP: {
            POINT cursor{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
            ClientToScreen(box, &cursor);
            OpenSearchBoxMenu(frame, cursor);
            return 0;
        }
        case WM_CONTEXTMENU:
            OnBoxContextMenu(frame, box, lParam);
            return 0;
        case WM_SETFOCUS:
            StartWarmUp(frame, box);
            break;
        case WM_TIMER:
            if (wParam == kWarmUpTimer) {
                OnWarmUpTick(frame, box);
                return 0;
            }
            break;
        case WM_NCDESTROY:
            KillTimer(box, kWarmUpTimer);
            RemoveWindowSubclass(box, SearchBoxProc, kSearchBoxSubclassId);
            break;
        default:
            break;
    }
    return DefSubclassProc(box, message, wParam, lParam);
}

HWND CreateSearchBox(FrameWindow& frame) {
    HWND box =
        CreateWindowExW(0, L"EDIT", L"", WS_CHILD | WS_VISIBLE | ES_AUTOHSCROLL, 0, 0, 10, 10, frame.window,
                        reinterpret_cast<HMENU>(static_cast<INT_PTR>(kSearchBoxControlId)),
                        frame.app.shell.instance, nullptr);
    if (!box) {
        return nullptr;
    }
    // Its font is the small side-area font (ApplySearchPaneStyle): the one the frame paints the box
    // text with behind a background picture, and one that fits the box's height.
    SendMessageW(box, EM_LIMITTEXT, kSearchWordMax, 0);
    SetWindowSubclass(box, SearchBoxProc, kSearchBoxSubclassId, reinterpret_cast<DWORD_PTR>(&frame));
    return box;
}

void RunBoxChoice(FrameWindow& frame, const SearchBoxChoice& choice) {
    HWND box = frame.app.shell.searchBox;
    SearchSettings& search = frame.app.state.settings.search;
    switch (choice.action) {
        case SearchBoxAction::kNone:
            return;
        case SearchBoxAction::kHistoryWord:
            SetBoxText(frame, search.history.words[static_cast<std::size_t>(choice.historyIndex)], true);
            RunSearchNow(frame);
            return;
        case SearchBoxAction::kDeleteHistory: {
            const ModalScope modal;
            if (MessageBoxW(frame.window, L"検索履歴を削除しますか？", L"確認",
                            MB_OKCANCEL | MB_ICONQUESTION) == IDOK) {
                search.history = SearchHistory{};
                SetWindowTextW(box, L"");
                ClearSearchPane(frame);
            }
            return;
        }
        case SearchBoxAction::kCut:
            SendMessageW(box, WM_CUT, 0, 0);
            return;
        case SearchBoxAction::kCopy:
            SendMessageW(box, WM_COPY, 0, 0);
            return;
        case SearchBoxAction::kPaste:
            SendMessageW(box, WM_PASTE, 0, 0);
            return;
        case SearchBoxAction::kPasteAndSearch:
            SetWindowTextW(box, L"");
            SendMessageW(box, WM_PASTE, 0, 0);
            RunSearchNow(frame);
            return;
        case SearchBoxAction::kSelectAll:
            SendMessageW(box, EM_SETSEL, 0, -1);
            return;
        case SearchBoxAction::kToggleMatchCase:
            search.matchCase = search.matchCase ? 0 : 1;
            return;
        case SearchBoxAction::kToggleWordOnly:
            search.wordOnly = search.wordOnly ? 0 : 1;
            return;
    }
}

}  // namespace

bool CreateSearchPanes(FrameWindow& frame) {
    ShellState& shell = frame.app.shell;
    shell.searchBox = CreateSearchBox(frame);
    if (!shell.searchBox) {
        return false;
    }
    const SearchListSource source{&frame.search.results, &frame.app.state};
    shell.searchList = CreateSearchListPane(frame.window, kSearchListControlId, source);
    if (!shell.searchList) {
        return false;
    }
    shell.searchScroll = GetDlgItem(shell.searchList, kSearchListScrollBarId);
    ApplySearchPaneStyle(frame);
    return true;
}

void ApplySearchPaneStyle(FrameWindow& frame) {
    const ShellState& shell = frame.app.shell;
    const auto font = reinterpret_cast<WPARAM>(frame.smallFont.get());
    if (shell.searchBox) {
        SendMessageW(shell.searchBox, WM_SETFONT, font, TRUE);
    }
    if (shell.searchList) {
        SendMessageW(shell.searchList, WM_SETFONT, font, 0);
        ApplySearchListStyle(shell.searchList);
    }
}

void StartSearchFromBox(FrameWindow& frame) {
    SearchHistory& history = frame.app.state.settings.search.history;
    const std::u16string text = WindowText(frame.app.shell.searchBox);
    if (!SearchWordOf(text).empty()) {
        AddSearchHistory(history, text);
    }
    if (history.count > 0) {
        RunSearchNow(frame);
    }
}

void SearchSelection(FrameWindow& frame) {
    wchar_t buffer[kSearchWordMax + 1] = {};
    const LRESULT length = SendMessageW(frame.app.shell.editor, MEP_GETSELWORD,
                                        reinterpret_cast<WPARAM>(buffer), kSearchWordMax);
    const std::u16string text =
        FromWide(std::wstring_view(buffer, length > 0 ? static_cast<std::size_t>(length) : 0));
    SearchForText(frame, text);
}

void SearchForText(FrameWindow& frame, std::u16string_view text) {
    ShowSideArea(frame);
    SetBoxText(frame, text, false);
    StartSearchFromBox(frame);
}

void ClearSearchPane(FrameWindow& frame) {
    if (!ClearSearchResults(frame.search)) {
        return;
    }
    RefreshSearchList(frame.app.shell.searchList, ListScrollMode::kTop);
    InvalidateFrame(frame, kInvalidateSearch);
}

LRESULT OnSearchListNotification(FrameWindow& frame, unsigned code) {
    switch (code) {
        case kSearchListSelected:
            GoToSelectedHit(frame, false);
            return 0;
        case kSearchListOpened:
            GoToSelectedHit(frame, true);
            return 0;
        case kSearchListTab:
            SetFocus(frame.app.shell.editor);
            return 0;
        default:
            return 0;
    }
}

void OpenSearchBoxMenu(FrameWindow& frame, POINT screenPoint) {
    HWND box = frame.app.shell.searchBox;
    const SearchSettings& search = frame.app.state.settings.search;
    const std::u16string text = WindowText(box);
    DWORD start = 0;
    DWORD end = 0;
    SendMessageW(box, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    SearchBoxMenuState state;
    state.history = &search.history;
    state.boxText = text;
    state.hasSelection = start != end;
    state.clipboardHasText = IsClipboardFormatAvailable(CF_UNICODETEXT) != FALSE;
    state.matchCase = search.matchCase != 0;
    state.wordOnly = search.wordOnly != 0;
    const SystemKeyNames names;
    const KeyTextSource keys{&frame.app.state.settings.shortcutKey.active, &names};
    const int position = TrackMenuItems(frame, BuildSearchBoxMenu(state, keys), screenPoint);
    RunBoxChoice(frame, SearchBoxChoiceOf(*frame.openMenu, position));
}

void OpenSearchListMenu(FrameWindow& frame, POINT screenPoint) {
    const int position =
        TrackMenuItems(frame, BuildSearchListMenu(frame.search.results.Count() > 0), screenPoint);
    if (ChoosesClearResults(*frame.openMenu, position)) {
        ClearSearchPane(frame);
    }
}

}  // namespace tavrin
