#include "search/search_list_pane_win.h"

#include <windowsx.h>

#include <memory>

#include "search/result_list_paint.h"
#include "ui/dpi_win.h"
#include "ui/gdi_canvas_win.h"
#include "ui/scrollbar/gdi_handles_win.h"
#include "ui/scrollbar/scroll_bar_pane_win.h"
#include "ui/surface_win.h"

namespace tavrin {
namespace {

// Everything one list window holds; attached at WM_NCCREATE, freed at WM_NCDESTROY.
struct ListState {
    HWND window = nullptr;
    HWND scrollBar = nullptr;
    SearchListSource source;
    HFONT font = nullptr;  // the parent's; not ours to free
    int rowHeight = kDefaultListRowHeight;
    int width = 0;
    int height = 0;
    Surface surface;
    const Surface* backPicture = nullptr;  // the frame's; not ours to free
    POINT backOrigin{};

    [[nodiscard]] SearchResults& Results() const noexcept { return *source.results; }
    [[nodiscard]] int BarWidth() const noexcept { return ScaleForWindow(window, kSearchListScrollBarWidth); }
    [[nodiscard]] int VisibleRows() const noexcept { return VisibleRowCount(height, rowHeight); }
};

ListState* StateOf(HWND window) {
    return reinterpret_cast<ListState*>(GetWindowLongPtrW(window, GWLP_USERDATA));
}

void Notify(const ListState& state, WORD code) {
    const int id = GetDlgCtrlID(state.window);
    SendMessageW(GetParent(state.window), WM_COMMAND, MAKEWPARAM(id, code),
                 reinterpret_cast<LPARAM>(state.window));
}

void Refresh(ListState& state, ListScrollMode mode) {
    const ListScrollRange range = UpdateListScroll(state.Results(), mode, state.height, state.rowHeight);
    if (state.scrollBar != nullptr) {
        ScrollRange bar{range.maximum, range.position, range.page};
        SendMessageW(state.scrollBar, SBP_SETRANGE, reinterpret_cast<WPARAM>(&bar), 1);
        SendMessageW(state.scrollBar, SBP_SHOW, 1, 0);
        SendMessageW(state.scrollBar, SBP_SETACTIVE, 1, 1);
    }
    InvalidateRect(state.window, nullptr, FALSE);
}

void SetBarColours(const ListState& state) {
    if (state.scrollBar == nullptr || state.source.app == nullptr) {
        return;
    }
    const AppState& app = *state.source.app;
    SendMessageW(state.scrollBar, SBP_SETCOLORS, app.settings.colour.back, app.settings.colour.text);
    SendMessageW(state.scrollBar, SBP_SETALPHA, static_cast<WPARAM>(app.alphaLight), app.alphaStrong);
}

// --- Lifecycle ----------------------------------------------------------------------------------

LRESULT OnNcCreate(HWND window, WPARAM wParam, LPARAM lParam) {
    const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
    const auto* source = static_cast<const SearchListSource*>(create->lpCreateParams);
    if (source == nullptr || source->results == nullptr || source->app == nullptr) {
        return FALSE;
    }
    auto state = std::make_unique<ListState>();
    state->window = window;
    state->source = *source;
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(state.release()));
    return DefWindowProcW(window, WM_NCCREATE, wParam, lParam);
}

LRESULT OnCreate(HWND window) {
    ListState* state = StateOf(window);
    if (state == nullptr) {
        return -1;
    }
    state->scrollBar = CreateScrollBarPane(window, kSearchListScrollBarId, true);
    if (state->scrollBar == nullptr) {
        return -1;
    }
    SendMessageW(state->scrollBar, SBP_SETSTYLE, 2, state->BarWidth());
    SetBarColours(*state);
    return 0;
}

LRESULT OnNcDestroy(HWND window) {
    const std::unique_ptr<ListState> state(StateOf(window));
    SetWindowLongPtrW(window, GWLP_USERDATA, 0);
    return 0;
}

LRESULT OnSize(ListState& state, LPARAM lParam) {
    state.width = LOWORD(lParam);
    state.height = HIWORD(lParam);
    CreateSurface(state.window, state.surface, 32, std::max(state.width, 1), std::max(state.height, 1),
                  state.source.app->settings.colour.back);
    if (state.scrollBar != nullptr) {
        // The bar follows the window's DPI, which may have changed with the size.
        const int bar = state.BarWidth();
        SendMessageW(state.scrollBar, SBP_SETSTYLE, 2, bar);
        MoveWindow(state.scrollBar, state.width - bar, 0, bar, state.height, TRUE);
    }
    Refresh(state, ListScrollMode::kKeep);
    return 0;
}

LRESULT OnSetFont(ListState& state, WPARAM wParam, LPARAM lParam) {
    state.font = reinterpret_cast<HFONT>(wParam);
    int fontHeight = 0;
    if (state.font != nullptr) {
        const WindowDc dc(state.window);
        const SelectedObject selected(dc.Get(), state.font);
        TEXTMETRICW metrics{};
        if (GetTextMetricsW(dc.Get(), &metrics)) {
            fontHeight = metrics.tmHeight;
        }
    }
    state.rowHeight = ListRowHeight(fontHeight);
    Refresh(state, ListScrollMode::kSelectionIntoView);
    if (lParam != 0) {
        UpdateWindow(state.window);
    }
    return 0;
}

// --- Painting -----------------------------------------------------------------------------------

LRESULT OnPaint(HWND window) {
    PaintScope paint(window);
    ListState* state = StateOf(window);
    if (state == nullptr || !state->surface.Valid()) {
        return 0;
    }
    CanvasFonts fonts;
    fonts.small = state->font;
    GdiCanvas canvas(state->surface, fonts, GlyphStripView{}, WindowDpi(window));
    canvas.SetBackgroundPicture(state->backPicture, state->backOrigin.x, state->backOrigin.y);
    ResultListBox box;
    box.width = state->width;
    box.height = state->height;
    box.rowHeight = state->rowHeight;
    box.scrollBarWidth = state->BarWidth();
    box.leftMargin = ScaleForWindow(window, kSearchListLeftMargin);
    box.focused = GetFocus() == window;
    PaintResultList(canvas, ResultListLookOf(state->source.app->settings), state->Results(), box);
    CopySurfaceTo(state->surface, paint.Dc(), paint.Area());
    return 0;
}

// --- Keyboard and mouse -------------------------------------------------------------------------

// A movement of the selection: scrolled into view and painted at once, then the diary follows.
void Move(ListState& state, ListMove move) {
    if (!MoveSelection(state.Results(), move, state.VisibleRows())) {
        return;
    }
    Refresh(state, ListScrollMode::kSelectionIntoView);
    UpdateWindow(state.window);
    Notify(state, kSearchListSelected);
}

LRESULT OnKeyDown(ListState& state, WPARAM wParam, LPARAM lParam) {
    if (const std::optional<ListMove> move = ListMoveOfKey(static_cast<unsigned>(wParam))) {
        Move(state, *move);
        return 0;
    }
    if (wParam == VK_TAB) {
        Notify(state, kSearchListTab);
        return 0;
    }
    return DefWindowProcW(state.window, WM_KEYDOWN, wParam, lParam);
}

LRESULT OnLeftButtonDown(ListState& state, LPARAM lParam) {
    SetFocus(state.window);
    const int index = HitTestRow(state.Results(), GET_Y_LPARAM(lParam), state.rowHeight);
    if (index < 0) {
        InvalidateRect(state.window, nullptr, FALSE);
        return 0;
    }
    state.Results().selectedIndex = index;
    Refresh(state, ListScrollMode::kSelectionIntoView);
    UpdateWindow(state.window);
    Notify(state, kSearchListSelected);
    return 0;
}

LRESULT OnDoubleClick(ListState& state) {
    if (state.Results().Count() > 0) {
        Notify(state, kSearchListOpened);
    }
    return 0;
}

// The menu belongs at the pointer, or from the keyboard at the pane's top-left corner.
LRESULT OnContextMenu(ListState& state, LPARAM lParam) {
    POINT point{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    if (point.x == -1 && point.y == -1) {
        point = {0, 0};
        ClientToScreen(state.window, &point);
    }
    SendMessageW(GetParent(state.window), WM_CONTEXTMENU, reinterpret_cast<WPARAM>(state.window),
                 MAKELPARAM(point.x, point.y));
    return 0;
}

LRESULT OnWheel(ListState& state, WPARAM wParam) {
    if (state.scrollBar == nullptr) {
        return 0;
    }
    const WORD code = GET_WHEEL_DELTA_WPARAM(wParam) > 0 ? SB_LINEUP : SB_LINEDOWN;
    const int lines = std::max(state.source.app->settings.edit.scrollLines, 1);
    for (int i = 0; i < lines; ++i) {
        SendMessageW(state.scrollBar, WM_VSCROLL, MAKEWPARAM(code, 0), 0);
    }
    return 0;
}

// The scroll bar moved (the user, the wheel or its menu): its position is the first visible row.
LRESULT OnScroll(ListState& state) {
    const auto position = static_cast<int>(SendMessageW(state.scrollBar, SBP_GETPOS, 0, 0));
    if (position >= 0 && position != state.Results().firstVisibleRow) {
        ScrollListTo(state.Results(), position);
        InvalidateRect(state.window, nullptr, FALSE);
    }
    return 0;
}

LRESULT Dispatch(ListState& state, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_SIZE:
            return OnSize(state, lParam);
        case WM_SETFONT:
            return OnSetFont(state, wParam, lParam);
        case WM_GETFONT:
            return reinterpret_cast<LRESULT>(state.font);
        case WM_ERASEBKGND:
            return 1;
        case WM_SETFOCUS:
        case WM_KILLFOCUS:
            InvalidateRect(state.window, nullptr, FALSE);
            return 0;
        case WM_GETDLGCODE:
            return DLGC_WANTARROWS | DLGC_WANTTAB;
        case WM_KEYDOWN:
            return OnKeyDown(state, wParam, lParam);
        case WM_LBUTTONDOWN:
            return OnLeftButtonDown(state, lParam);
        case WM_LBUTTONDBLCLK:
            return OnDoubleClick(state);
        case WM_RBUTTONDOWN:
            SetFocus(state.window);
            return 0;
        case WM_CONTEXTMENU:
            return OnContextMenu(state, lParam);
        case WM_MOUSEWHEEL:
            return OnWheel(state, wParam);
        case WM_VSCROLL:
            return OnScroll(state);
        case LB_GETCOUNT:
            return state.Results().Count();
        case LB_GETCURSEL:
            return state.Results().Count() > 0 ? state.Results().selectedIndex : LB_ERR;
        case LB_GETTOPINDEX:
            return state.Results().firstVisibleRow;
        case LB_GETITEMHEIGHT:
            return state.rowHeight;
        default:
            return DefWindowProcW(state.window, message, wParam, lParam);
    }
}

LRESULT CALLBACK SearchListProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_NCCREATE:
            return OnNcCreate(window, wParam, lParam);
        case WM_CREATE:
            return OnCreate(window);
        case WM_NCDESTROY:
            return OnNcDestroy(window);
        case WM_PAINT:
            return OnPaint(window);
        default:
            break;
    }
    ListState* state = StateOf(window);
    return state != nullptr ? Dispatch(*state, message, wParam, lParam)
                            : DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace

bool RegisterSearchListPaneClass(HINSTANCE instance) {
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.style = CS_DBLCLKS;
    windowClass.lpfnWndProc = SearchListProc;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.lpszClassName = kSearchListPaneClassName;
    return RegisterClassExW(&windowClass) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

HWND CreateSearchListPane(HWND parent, int id, const SearchListSource& source) {
    const auto instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(parent, GWLP_HINSTANCE));
    return CreateWindowExW(0, kSearchListPaneClassName, L"", WS_CHILD | WS_CLIPCHILDREN, 0, 0, 10, 10, parent,
                           reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance,
                           const_cast<SearchListSource*>(&source));
}

void RefreshSearchList(HWND pane, ListScrollMode mode) {
    if (ListState* state = StateOf(pane)) {
        Refresh(*state, mode);
    }
}

void PaintSearchListNow(HWND pane) {
    if (pane != nullptr) {
        UpdateWindow(pane);
    }
}

void SetSearchListBackground(HWND pane, const Surface* picture, POINT origin) {
    if (ListState* state = StateOf(pane)) {
        state->backPicture = picture;
        state->backOrigin = origin;
        InvalidateRect(pane, nullptr, FALSE);
    }
}

void ApplySearchListStyle(HWND pane) {
    if (ListState* state = StateOf(pane)) {
        SetBarColours(*state);
        InvalidateRect(pane, nullptr, FALSE);
    }
}

}  // namespace tavrin
