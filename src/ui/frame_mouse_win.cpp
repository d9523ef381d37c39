// The frame's mouse, wheel and keyboard input: hit tests, clicks, splitter drags, cursors and the
// navigation shortcuts.
#include <windows.h>
#include <shellapi.h>
#include <windowsx.h>

#include "ui/frame_window_win.h"
#include "ui/hit_codes.h"

namespace tavrin {
namespace {

Modifiers HeldModifiers() {
    return {GetKeyState(VK_CONTROL) < 0, GetKeyState(VK_SHIFT) < 0, GetKeyState(VK_MENU) < 0};
}

bool FixedSideBar(const FrameWindow& frame) { return frame.app.state.settings.other.fixedSideBar != 0; }

// The hover underline follows the hit code; a change repaints the frame.
void SetHoverCode(FrameWindow& frame, int code) {
    if (code != frame.hitCode) {
        frame.hitCode = code;
        RedrawFrame(frame);
        InvalidateFrame(frame, kInvalidateFrame);
    }
}

// Asks for WM_MOUSELEAVE, so that the hover underline goes when the mouse leaves the frame's own client
// area (for a pane or out of the window).
void TrackMouseLeave(FrameWindow& frame) {
    if (frame.trackingMouse) {
        return;
    }
    TRACKMOUSEEVENT track{};
    track.cbSize = sizeof track;
    track.dwFlags = TME_LEAVE;
    track.hwndTrack = frame.window;
    frame.trackingMouse = TrackMouseEvent(&track) != FALSE;
}

void OnMouseMove(FrameWindow& frame, int x, int y) {
    TrackMouseLeave(frame);
    SetHoverCode(frame, HitTestFrame(frame.scene, x, y));
    if (frame.drag.kind != DragKind::kNone &&
        AdvanceSplitterDrag(frame.drag, x, y, frame.scene.layout, frame.app.state.settings)) {
        Relayout(frame);
        InvalidateFrame(frame, kInvalidateAll);
    }
}

void RunFrameAction(FrameWindow& frame, const FrameAction& action) {
    switch (action.kind) {
        case FrameActionKind::kNone:
            return;
        case FrameActionKind::kPostCommand:
            PostFrameCommand(frame, action.command);
            return;
        case FrameActionKind::kGoToDate:
            // Clicks on the grid wait until a month slide has finished.
            if (frame.slide.running) {
                return;
            }
            frame.store->GoToDate(action.date, action.focusEditor);
            if (action.thenCommand != 0) {
                PostFrameCommand(frame, action.thenCommand);
            }
            return;
        case FrameActionKind::kOpenMenu: {
            POINT point{action.x, action.y};
            ClientToScreen(frame.window, &point);
            OpenMenu(frame, action.menu, point);
            return;
        }
        case FrameActionKind::kFocusSearchBox:
            SetFocus(frame.app.shell.searchBox);
            return;
        case FrameActionKind::kRunSearch:
            StartSearchFromBox(frame);
            return;
        case FrameActionKind::kBeginDrag:
            frame.drag =
                BeginSplitterDrag(frame.hitCode, action.x, action.y, frame.scene.layout, FixedSideBar(frame));
            if (frame.drag.kind != DragKind::kNone) {
                SetCapture(frame.window);
            }
            return;
        case FrameActionKind::kSearchBoxMenu: {
            // At the pointer, as a right click anywhere else opens its menu.
            POINT cursor{};
            GetCursorPos(&cursor);
            PostMessageW(frame.app.shell.searchBox, WM_CONTEXTMENU,
                         reinterpret_cast<WPARAM>(frame.app.shell.searchBox), MAKELPARAM(cursor.x, cursor.y));
            return;
        }
    }
}

void OnLeftButton(FrameWindow& frame, int x, int y, bool doubleClick) {
    frame.hitCode = HitTestFrame(frame.scene, x, y);
    FrameAction action = LeftButtonAction(frame.scene, frame.hitCode, doubleClick, FixedSideBar(frame));
    if (action.kind == FrameActionKind::kBeginDrag) {
        action.x = x;
        action.y = y;
    }
    RunFrameAction(frame, action);
}

void OnWheel(FrameWindow& frame, int delta) {
    if (frame.slide.running) {
        return;
    }
    PostFrameCommand(frame, WheelCommand(delta, HeldModifiers()));
}

}  // namespace

LRESULT OnMouseMessage(FrameWindow& frame, UINT message, WPARAM wParam, LPARAM lParam) {
    const int x = GET_X_LPARAM(lParam);
    const int y = GET_Y_LPARAM(lParam);
    if (message == WM_MOUSEMOVE || message == WM_LBUTTONDOWN || message == WM_LBUTTONUP ||
        message == WM_RBUTTONUP) {
        RelayToHolidayTip(frame, message, wParam, lParam);
    }
    switch (message) {
        case WM_MOUSEMOVE:
            OnMouseMove(frame, x, y);
            return 0;
        case WM_LBUTTONDOWN:
            OnLeftButton(frame, x, y, false);
            return 0;
        case WM_LBUTTONDBLCLK:
            OnLeftButton(frame, x, y, true);
            return 0;
        case WM_LBUTTONUP:
            if (frame.drag.kind != DragKind::kNone) {
                frame.drag = {};
                ReleaseCapture();
            }
            return 0;
        case WM_RBUTTONUP:
            RunFrameAction(frame, RightButtonUpAction(HitTestFrame(frame.scene, x, y), x, y));
            return 0;
        case WM_CONTEXTMENU:
            if (reinterpret_cast<HWND>(wParam) == frame.app.shell.searchList) {
                OpenSearchListMenu(frame, POINT{x, y});
                return 0;
            }
            if (x == -1 && y == -1) {
                POINT origin{0, 0};
                ClientToScreen(frame.window, &origin);
                OpenMenu(frame, MenuKind::kMain, origin);
                return 0;
            }
            return DefWindowProcW(frame.window, message, wParam, lParam);
        case WM_MOUSEWHEEL:
            OnWheel(frame, GET_WHEEL_DELTA_WPARAM(wParam));
            return 0;
        case WM_MOUSEHWHEEL:
            if (!frame.slide.running) {
                PostFrameCommand(frame, HorizontalWheelCommand(GET_WHEEL_DELTA_WPARAM(wParam),
                                                               GetKeyState(VK_CONTROL) < 0));
            }
            return 0;
        case WM_XBUTTONDOWN:
            PostFrameCommand(frame, ExtraButtonCommand(GET_XBUTTON_WPARAM(wParam) == XBUTTON1 ? 1 : 2,
                                                       GetKeyState(VK_CONTROL) < 0));
            return TRUE;
        case WM_DROPFILES:
            DropFiles(frame, reinterpret_cast<HDROP>(wParam));
            return 0;
        default:
            return DefWindowProcW(frame.window, message, wParam, lParam);
    }
}

LRESULT OnMouseLeave(FrameWindow& frame) {
    frame.trackingMouse = false;
    HideHolidayTip(frame);
    if (frame.drag.kind == DragKind::kNone) {
        SetHoverCode(frame, kHitNothing);
    }
    return 0;
}

LRESULT OnSetCursor(FrameWindow& frame, WPARAM wParam, LPARAM lParam) {
    if (reinterpret_cast<HWND>(wParam) != frame.window || LOWORD(lParam) != HTCLIENT) {
        return DefWindowProcW(frame.window, WM_SETCURSOR, wParam, lParam);
    }
    // WM_SETCURSOR comes before the WM_MOUSEMOVE of the same move: the shape is decided from where the
    // mouse is now, not from the hit code of the move before.
    POINT point{};
    GetCursorPos(&point);
    ScreenToClient(frame.window, &point);
    const int code = HitTestFrame(frame.scene, point.x, point.y);
    const wchar_t* shape = IDC_ARROW;
    switch (CursorFor(code, frame.drag.kind, FixedSideBar(frame))) {
        case FrameCursor::kArrow:
            shape = IDC_ARROW;
            break;
        case FrameCursor::kSizeWestEast:
            shape = IDC_SIZEWE;
            break;
        case FrameCursor::kSizeNorthSouth:
            shape = IDC_SIZENS;
            break;
        case FrameCursor::kIBeam:
            shape = IDC_IBEAM;
            break;
        case FrameCursor::kHand:
            shape = IDC_HAND;
            break;
    }
    SetCursor(LoadCursorW(nullptr, shape));
    return TRUE;
}

LRESULT OnKeyDown(FrameWindow& frame, WPARAM wParam, LPARAM lParam) {
    if (frame.app.state.displayMode != DisplayMode::kCalendar) {
        return DefWindowProcW(frame.window, WM_KEYDOWN, wParam, lParam);
    }
    const CalendarKeyAction action = CalendarModeKey(static_cast<unsigned>(wParam));
    if (action.toggleMarks) {
        frame.model.showYearBoxes = !frame.model.showYearBoxes;
        RedrawFrame(frame);
        InvalidateFrame(frame, kInvalidateFrame);
    } else if (action.command != 0) {
        PostFrameCommand(frame, action.command);
    }
    return 0;
}

}  // namespace tavrin
