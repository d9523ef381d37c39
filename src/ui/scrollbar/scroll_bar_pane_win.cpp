#include "ui/scrollbar/scroll_bar_pane_win.h"

#include <windowsx.h>

#include <memory>

#include "app/modal_scope_win.h"
#include "ui/dpi_win.h"
#include "ui/scrollbar/gdi_handles_win.h"
#include "ui/scrollbar/scroll_bar.h"
#include "ui/surface_win.h"

namespace tavrin {
namespace {

constexpr UINT_PTR kRepeatTimer = 1;

// Menu item identifiers: the scroll code plus one, so that 0 stays "nothing chosen".
constexpr UINT kScrollHereItem = 100;
UINT ItemOf(ScrollBarCode code) { return static_cast<UINT>(code) + 1; }

// Everything one bar window holds; attached at WM_NCCREATE, freed at WM_NCDESTROY.
struct BarState {
    HWND window = nullptr;
    ScrollBarModel model;
    Surface surface;
    COLORREF background = RGB(255, 255, 255);
    COLORREF thumb = RGB(0, 0, 0);
    HDC picture = nullptr;  // the owner's memory picture; not ours to free
    PictureExtent pictureSize;
    int pictureX = 0;  // origin relative to the bar
    int pictureY = 0;
    int repeatFlags = 0;  // stored; the picture is drawn once, never tiled
    bool trackingLeave = false;
    bool repeatStarted = false;  // the first (longer) repeat delay has passed
};

BarState* StateOf(HWND window) {
    return reinterpret_cast<BarState*>(GetWindowLongPtrW(window, GWLP_USERDATA));
}

int Along(const BarState& state, LPARAM lParam) {
    return state.model.Vertical() ? GET_Y_LPARAM(lParam) : GET_X_LPARAM(lParam);
}
int Across(const BarState& state, LPARAM lParam) {
    return state.model.Vertical() ? GET_X_LPARAM(lParam) : GET_Y_LPARAM(lParam);
}

void Notify(const BarState& state, ScrollBarCode code) {
    const UINT message = state.model.Vertical() ? WM_VSCROLL : WM_HSCROLL;
    SendMessageW(GetParent(state.window), message, MAKEWPARAM(static_cast<WORD>(code), 0), 0);
}

void Repaint(const BarState& state, bool now) {
    InvalidateRect(state.window, nullptr, FALSE);
    if (now) {
        UpdateWindow(state.window);
    }
}

void StopRepeat(BarState& state) {
    KillTimer(state.window, kRepeatTimer);
    state.repeatStarted = false;
}

void React(BarState& state, const ScrollBarReaction& reaction) {
    if (reaction.startRepeat) {
        state.repeatStarted = false;
        SetTimer(state.window, kRepeatTimer, static_cast<UINT>(state.model.FirstRepeatDelay()), nullptr);
    }
    if (reaction.repaint) {
        Repaint(state, true);
    }
    if (reaction.notify) {
        Notify(state, *reaction.notify);
    }
}

// --- Painting -----------------------------------------------------------------------------------

void Render(BarState& state) {
    const SurfaceView view = state.surface.View();
    FillSurface(view, static_cast<ColorRef>(state.background));
    if (state.picture != nullptr && state.pictureSize.width > 0 && state.pictureSize.height > 0) {
        BitBlt(state.surface.Dc(), state.pictureX, state.pictureY, state.pictureSize.width,
               state.pictureSize.height, state.picture, 0, 0, SRCCOPY);
    }
    const BarRect bar = state.model.ThumbBar();
    BlendRect(view, bar.x, bar.y, bar.width, bar.height, state.model.ThumbOpacity(),
              static_cast<ColorRef>(state.thumb));
}

LRESULT OnPaint(HWND window) {
    PaintScope paint(window);
    BarState* state = StateOf(window);
    if (state == nullptr || !state->surface.Valid()) {
        return 0;
    }
    Render(*state);
    CopySurfaceTo(state->surface, paint.Dc(), paint.Area());
    return 0;
}

LRESULT OnSize(HWND window, LPARAM lParam) {
    BarState* state = StateOf(window);
    if (state == nullptr) {
        return 0;
    }
    const int width = LOWORD(lParam);
    const int height = HIWORD(lParam);
    state->model.SetSize(width, height);
    CreateSurface(window, state->surface, 32, width > 0 ? width : 1, height > 0 ? height : 1,
                  static_cast<ColorRef>(state->background));
    Repaint(*state, false);
    return 0;
}

// --- Lifecycle ----------------------------------------------------------------------------------

LRESULT OnNcCreate(HWND window, WPARAM wParam, LPARAM lParam) {
    auto state = std::make_unique<BarState>();
    state->window = window;
    const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
    state->model.SetVertical((static_cast<DWORD>(create->style) & kScrollBarVerticalStyle) != 0);
    const UINT doubleClick = GetDoubleClickTime();
    state->model.SetRepeatTime(doubleClick < 1 ? 300 : doubleClick);
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(state.release()));
    return DefWindowProcW(window, WM_NCCREATE, wParam, lParam);
}

LRESULT OnNcDestroy(HWND window) {
    std::unique_ptr<BarState> state(StateOf(window));
    SetWindowLongPtrW(window, GWLP_USERDATA, 0);
    if (state) {
        KillTimer(window, kRepeatTimer);
    }
    return 0;
}

// --- Mouse --------------------------------------------------------------------------------------

LRESULT OnLButtonDown(HWND window, WPARAM wParam, LPARAM lParam) {
    BarState* state = StateOf(window);
    if (state == nullptr) {
        return 0;
    }
    SetFocus(GetParent(window));
    SetCapture(window);
    React(*state, state->model.Press(Along(*state, lParam), (wParam & MK_SHIFT) != 0));
    return 0;
}

LRESULT OnMouseMove(HWND window, LPARAM lParam) {
    BarState* state = StateOf(window);
    if (state == nullptr) {
        return 0;
    }
    if (!state->trackingLeave) {
        TRACKMOUSEEVENT track{sizeof track, TME_LEAVE, window, 0};
        state->trackingLeave = TrackMouseEvent(&track) != FALSE;
    }
    React(*state, state->model.Move(Along(*state, lParam), Across(*state, lParam)));
    return 0;
}

LRESULT OnLButtonUp(HWND window) {
    BarState* state = StateOf(window);
    if (state == nullptr) {
        return 0;
    }
    StopRepeat(*state);
    if (GetCapture() == window) {
        ReleaseCapture();  // WM_CAPTURECHANGED ends the press
    }
    if (state->model.Pressed() != ScrollZone::None || state->model.Dragging()) {
        React(*state, state->model.Release());
    }
    return 0;
}

LRESULT OnCaptureChanged(HWND window) {
    BarState* state = StateOf(window);
    if (state != nullptr && (state->model.Pressed() != ScrollZone::None || state->model.Dragging())) {
        StopRepeat(*state);
        React(*state, state->model.Release());
    }
    return 0;
}

LRESULT OnMouseLeave(HWND window) {
    BarState* state = StateOf(window);
    if (state == nullptr) {
        return 0;
    }
    state->trackingLeave = false;
    React(*state, state->model.Leave());
    return 0;
}

LRESULT OnTimer(HWND window, WPARAM id) {
    BarState* state = StateOf(window);
    if (state == nullptr || id != kRepeatTimer) {
        return 0;
    }
    if (!state->repeatStarted) {
        state->repeatStarted = true;
        SetTimer(window, kRepeatTimer, static_cast<UINT>(state->model.RepeatInterval()), nullptr);
    }
    POINT cursor{};
    GetCursorPos(&cursor);
    ScreenToClient(window, &cursor);
    React(*state, state->model.RepeatTick(state->model.Vertical() ? cursor.y : cursor.x));
    return 0;
}

LRESULT OnNcHitTest(HWND window, LPARAM lParam) {
    BarState* state = StateOf(window);
    if (state != nullptr) {
        POINT point{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
        ScreenToClient(window, &point);
        if (state->model.InPassThroughCorner(point.x, point.y)) {
            return HTTRANSPARENT;
        }
    }
    return DefWindowProcW(window, WM_NCHITTEST, 0, lParam);
}

// --- Context menu -------------------------------------------------------------------------------

void AddItem(HMENU menu, UINT id, const wchar_t* text, bool enabled) {
    AppendMenuW(menu, MF_STRING | (enabled ? MF_ENABLED : MF_GRAYED), id, text);
}

void BuildMenu(const BarState& state, HMENU menu) {
    const bool vertical = state.model.Vertical();
    const ScrollBarMenuState enabled = state.model.MenuState();
    AddItem(menu, kScrollHereItem, L"ここにスクロール", enabled.scrollHere);
    AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
    AddItem(menu, ItemOf(ScrollBarCode::Top), vertical ? L"最上部" : L"左の端", enabled.toStart);
    AddItem(menu, ItemOf(ScrollBarCode::Bottom), vertical ? L"最下部" : L"右の端", enabled.toEnd);
    AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
    AddItem(menu, ItemOf(ScrollBarCode::PageUp), vertical ? L"前のページ" : L"左のページ", enabled.toStart);
    AddItem(menu, ItemOf(ScrollBarCode::PageDown), vertical ? L"次のページ" : L"右のページ", enabled.toEnd);
    AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
    AddItem(menu, ItemOf(ScrollBarCode::LineUp), vertical ? L"上にスクロール" : L"左にスクロール",
            enabled.toStart);
    AddItem(menu, ItemOf(ScrollBarCode::LineDown), vertical ? L"下にスクロール" : L"右にスクロール",
            enabled.toEnd);
}

LRESULT OnContextMenu(HWND window, LPARAM lParam) {
    BarState* state = StateOf(window);
    if (state == nullptr || GetCapture() == window) {
        return 0;
    }
    POINT screen{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    if (screen.x == -1 && screen.y == -1) {
        GetCursorPos(&screen);
    }
    PopupMenu menu;
    BuildMenu(*state, menu.Get());
    const ModalScope modal;
    const UINT chosen = static_cast<UINT>(TrackPopupMenu(
        menu.Get(), TPM_RETURNCMD | TPM_RIGHTBUTTON | TPM_NONOTIFY, screen.x, screen.y, 0, window, nullptr));
    if (chosen == 0) {
        return 0;
    }
    if (chosen == kScrollHereItem) {
        POINT client = screen;
        ScreenToClient(window, &client);
        React(*state, state->model.JumpTo(state->model.Vertical() ? client.y : client.x));
        return 0;
    }
    const auto code = state->model.MenuCode(static_cast<ScrollBarCode>(chosen - 1));
    SendMessageW(window, state->model.Vertical() ? WM_VSCROLL : WM_HSCROLL,
                 MAKEWPARAM(static_cast<WORD>(code), 0), 0);
    return 0;
}

// --- Messages -----------------------------------------------------------------------------------

// WM_VSCROLL / WM_HSCROLL sent to the bar (the parent's wheel steps, the menu): step, and hand the
// same message back to the parent when the position moved.
LRESULT OnScroll(HWND window, UINT message, WPARAM wParam) {
    BarState* state = StateOf(window);
    if (state == nullptr) {
        return 0;
    }
    const int code = LOWORD(wParam);
    if (code > static_cast<int>(ScrollBarCode::Bottom) ||
        code == static_cast<int>(ScrollBarCode::ThumbPosition) ||
        code == static_cast<int>(ScrollBarCode::ThumbTrack)) {
        return 0;
    }
    if (state->model.Step(static_cast<ScrollBarCode>(code))) {
        Repaint(*state, true);
        PostMessageW(GetParent(window), message, MAKEWPARAM(static_cast<WORD>(code), 0), 0);
    }
    return 0;
}

LRESULT OnSetRange(HWND window, WPARAM wParam, LPARAM lParam) {
    BarState* state = StateOf(window);
    const auto* range = reinterpret_cast<const ScrollRange*>(wParam);
    if (state == nullptr || range == nullptr) {
        return 0;
    }
    state->model.SetRange(*range);
    Repaint(*state, lParam != 0);
    return 1;
}

LRESULT OnSetFlag(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    BarState* state = StateOf(window);
    if (state == nullptr) {
        return 0;
    }
    const bool flag = wParam != 0;
    switch (message) {
        case SBP_SETVERTICAL:
            state->model.SetVertical(flag);
            break;
        case SBP_SETACTIVE:
            state->model.SetActive(flag);
            break;
        case SBP_SETREVERSED:
            state->model.SetReversed(flag);
            break;
        case SBP_SETCORNER:
            state->model.SetCorner(flag);
            break;
        default:
            break;
    }
    if (message == SBP_SETVERTICAL || lParam != 0) {
        Repaint(*state, lParam != 0);
    }
    return 1;
}

LRESULT OnShow(HWND window, WPARAM wParam) {
    if (StateOf(window) == nullptr) {
        return 0;
    }
    ShowWindow(window, wParam != 0 ? SW_SHOWNA : SW_HIDE);
    return 1;
}

LRESULT OnSetPos(HWND window, WPARAM wParam) {
    BarState* state = StateOf(window);
    if (state != nullptr && state->model.SetPosition(static_cast<int>(wParam))) {
        Repaint(*state, true);
    }
    return 0;
}

LRESULT OnGetPos(HWND window) {
    const BarState* state = StateOf(window);
    return state == nullptr ? -1 : state->model.Position();
}

LRESULT OnSetStyle(HWND window, WPARAM wParam, LPARAM lParam) {
    BarState* state = StateOf(window);
    if (state == nullptr) {
        return 0;
    }
    state->model.SetStyle(LOWORD(wParam), LOWORD(lParam), HIWORD(lParam),
                          (static_cast<DWORD>(wParam) & kScrollBarGripPassThrough) != 0);
    // The owner sends its style again when the screen changes: the bar's own lengths follow.
    state->model.SetDpi(WindowDpi(window));
    Repaint(*state, false);
    return 1;
}

LRESULT OnSetRepeat(HWND window, WPARAM wParam) {
    BarState* state = StateOf(window);
    if (state == nullptr) {
        return 0;
    }
    state->model.SetRepeatTime(static_cast<long long>(wParam));
    return 1;
}

LRESULT OnSetColors(HWND window, WPARAM wParam, LPARAM lParam) {
    BarState* state = StateOf(window);
    if (state == nullptr) {
        return 0;
    }
    state->background = static_cast<COLORREF>(wParam & 0xFFFFFF);
    state->thumb = static_cast<COLORREF>(lParam & 0xFFFFFF);
    Repaint(*state, false);
    return 1;
}

LRESULT OnSetAlpha(HWND window, WPARAM wParam, LPARAM lParam) {
    BarState* state = StateOf(window);
    if (state == nullptr) {
        return 0;
    }
    state->model.SetAlpha(static_cast<long long>(static_cast<INT_PTR>(wParam)),
                          static_cast<long long>(lParam));
    Repaint(*state, false);
    return 1;
}

LRESULT OnSetBackImage(HWND window, WPARAM wParam, LPARAM lParam) {
    BarState* state = StateOf(window);
    if (state == nullptr) {
        return 0;
    }
    const auto* size = reinterpret_cast<const PictureExtent*>(lParam);
    state->picture = reinterpret_cast<HDC>(wParam);
    state->pictureSize = size != nullptr && state->picture != nullptr ? *size : PictureExtent{};
    Repaint(*state, false);
    return 1;
}

LRESULT OnSetBackImagePos(HWND window, WPARAM wParam, LPARAM lParam) {
    BarState* state = StateOf(window);
    if (state == nullptr) {
        return 0;
    }
    state->pictureX = static_cast<SHORT>(HIWORD(wParam));
    state->pictureY = static_cast<SHORT>(LOWORD(wParam));
    state->repeatFlags = static_cast<int>(lParam);
    Repaint(*state, false);
    return 1;
}

LRESULT Dispatch(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_NCCREATE:
            return OnNcCreate(window, wParam, lParam);
        case WM_NCDESTROY:
            return OnNcDestroy(window);
        case WM_SIZE:
            return OnSize(window, lParam);
        case WM_PAINT:
            return OnPaint(window);
        case WM_ERASEBKGND:
            return 1;
        case WM_NCHITTEST:
            return OnNcHitTest(window, lParam);
        case WM_LBUTTONDOWN:
        case WM_LBUTTONDBLCLK:
            return OnLButtonDown(window, wParam, lParam);
        case WM_MOUSEMOVE:
            return OnMouseMove(window, lParam);
        case WM_LBUTTONUP:
            return OnLButtonUp(window);
        case WM_CAPTURECHANGED:
            return OnCaptureChanged(window);
        case WM_MOUSELEAVE:
            return OnMouseLeave(window);
        case WM_TIMER:
            return OnTimer(window, wParam);
        case WM_CONTEXTMENU:
            return OnContextMenu(window, lParam);
        case WM_VSCROLL:
        case WM_HSCROLL:
            return OnScroll(window, message, wParam);
        case SBP_SETRANGE:
            return OnSetRange(window, wParam, lParam);
        case SBP_SETVERTICAL:
        case SBP_SETACTIVE:
        case SBP_SETREVERSED:
        case SBP_SETCORNER:
            return OnSetFlag(window, message, wParam, lParam);
        case SBP_SHOW:
            return OnShow(window, wParam);
        case SBP_SETPOS:
            return OnSetPos(window, wParam);
        case SBP_GETPOS:
            return OnGetPos(window);
        case SBP_SETSTYLE:
            return OnSetStyle(window, wParam, lParam);
        case SBP_SETREPEAT:
            return OnSetRepeat(window, wParam);
        case SBP_SETCOLORS:
            return OnSetColors(window, wParam, lParam);
        case SBP_SETALPHA:
            return OnSetAlpha(window, wParam, lParam);
        case SBP_SETBACKIMAGE:
            return OnSetBackImage(window, wParam, lParam);
        case SBP_SETBACKIMAGEPOS:
            return OnSetBackImagePos(window, wParam, lParam);
        default:
            return DefWindowProcW(window, message, wParam, lParam);
    }
}

LRESULT CALLBACK ScrollBarPaneProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    try {
        return Dispatch(window, message, wParam, lParam);
    } catch (...) {
        // Out of memory in a handler: the message is dropped rather than unwinding into USER32.
        return message == WM_NCCREATE ? FALSE : 0;
    }
}

}  // namespace

bool RegisterScrollBarPaneClass(HINSTANCE instance) {
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = ScrollBarPaneProc;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.lpszClassName = kScrollBarPaneClassName;
    return RegisterClassExW(&windowClass) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

HWND CreateScrollBarPane(HWND parent, int id, bool vertical) {
    const DWORD style = WS_CHILD | (vertical ? kScrollBarVerticalStyle : 0);
    return CreateWindowExW(0, kScrollBarPaneClassName, L"", style, 0, 0, 0, 0, parent,
                           reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                           reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(parent, GWLP_HINSTANCE)), nullptr);
}

}  // namespace tavrin
