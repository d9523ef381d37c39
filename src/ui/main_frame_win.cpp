#include "ui/main_frame_win.h"

#include <shellapi.h>

#include "../../resources/resource.h"
#include "app/startup_win.h"
#include "platform/wide_win.h"

namespace tavrin {
namespace {

constexpr UINT_PTR kClockTimer = 100;
constexpr UINT kClockPeriodMs = 1000;

// The frame's own state, attached at WM_NCCREATE and freed at WM_NCDESTROY.
struct MainFrameState {
    App& app;
    HWND window = nullptr;
};

MainFrameState* StateOf(HWND window) {
    return reinterpret_cast<MainFrameState*>(GetWindowLongPtrW(window, GWLP_USERDATA));
}

COLORREF ToColorRef(ColorRef colour) { return static_cast<COLORREF>(colour); }

bool ContainsPoint(HWND window, POINT screenPoint) {
    RECT rect{};
    return window && IsWindowVisible(window) && GetWindowRect(window, &rect) && PtInRect(&rect, screenPoint);
}

std::filesystem::path DataFolder(const AppState& state) {
    return PathInExeFolder(state.exeFolder, state.DiaryName()) / std::u16string(state.dataFolderName);
}

LRESULT OnCreate(MainFrameState& frame) {
    // The data folder is the current directory so that pictures named in entries resolve against it.
    SetCurrentDirectoryW(DataFolder(frame.app.state).c_str());
    SetTimer(frame.window, kClockTimer, kClockPeriodMs, nullptr);
    PostMessageW(frame.window, WM_COMMAND, MAKEWPARAM(kStartupCommand, 0), 0);
    return 0;
}

void RedrawForNewDay(MainFrameState& frame) { InvalidateRect(frame.window, nullptr, FALSE); }

// The frame lies on no monitor: the centred default geometry of a first start.
void MoveOntoAMonitor(MainFrameState& frame) {
    if (MonitorFromWindow(frame.window, MONITOR_DEFAULTTONULL)) {
        return;
    }
    const ScreenRect centred = ResetFrameGeometry(frame.app.state);
    MoveWindow(frame.window, centred.left, centred.top, centred.Width(), centred.Height(), FALSE);
}

void FinishStartup(MainFrameState& frame) {
    AppState& state = frame.app.state;
    ApplyDragThresholds(state, GetSystemMetrics(SM_CXDRAG), GetSystemMetrics(SM_CYDRAG));
    state.startupDone = true;
    if (state.settings.other.titleBarName) {
        SetWindowTextW(frame.window, Wide(state.DiaryName()));
    }
    MoveOntoAMonitor(frame);
    ShowWindow(frame.window, state.showCommand);
    UpdateWindow(frame.window);
    DragAcceptFiles(frame.window, TRUE);
}

void StoreRestoreRect(MainFrameState& frame) {
    RECT rect{};
    GetWindowRect(frame.window, &rect);
    frame.app.state.restoreRect = ScreenRect{rect.left, rect.top, rect.right, rect.bottom};
}

LRESULT OnCommand(MainFrameState& frame, WPARAM wParam, LPARAM lParam) {
    switch (LOWORD(wParam)) {
        case kStartupCommand:
            FinishStartup(frame);
            return 0;
        case kActivateCommand:
            if (IsIconic(frame.window)) {
                ShowWindow(frame.window, SW_RESTORE);
            }
            return 0;
        case kRestoreCommand:
            RecordRestoreCommand(frame.app.state, FrameGeometryOf(frame.app));
            return 0;
        default:
            return DefWindowProcW(frame.window, WM_COMMAND, wParam, lParam);
    }
}

LRESULT OnSysCommand(MainFrameState& frame, WPARAM wParam, LPARAM lParam) {
    const bool fullscreen = frame.app.state.settings.window.fullscreen != 0;
    switch (wParam & 0xFFF0) {
        case SC_MINIMIZE:
            if (!fullscreen && !IsZoomed(frame.window)) {
                StoreRestoreRect(frame);
            }
            break;
        case SC_MAXIMIZE:
            frame.app.state.settings.window.windowMax = 1;
            if (!fullscreen && !IsIconic(frame.window)) {
                StoreRestoreRect(frame);
            }
            break;
        case SC_RESTORE:
            PostMessageW(frame.window, WM_COMMAND, MAKEWPARAM(kRestoreCommand, 0), 0);
            break;
        default:
            break;
    }
    return DefWindowProcW(frame.window, WM_SYSCOMMAND, wParam, lParam);
}

LRESULT OnPaint(MainFrameState& frame) {
    PAINTSTRUCT paint{};
    HDC dc = BeginPaint(frame.window, &paint);
    HBRUSH back = CreateSolidBrush(ToColorRef(frame.app.state.settings.colour.back));
    FillRect(dc, &paint.rcPaint, back);
    DeleteObject(back);
    EndPaint(frame.window, &paint);
    return 0;
}

void OnClockTick(MainFrameState& frame) {
    if (OnClockTick(frame.app.state, frame.app.clock->Now())) {
        RedrawForNewDay(frame);
    }
}

// A normal move or resize keeps RestoreRect current, so the geometry written at exit is where the
// user left the window even when it is maximised or fullscreen by then.
void OnMovedOrSized(MainFrameState& frame) {
    if (!frame.app.state.settings.window.fullscreen && !IsZoomed(frame.window) && !IsIconic(frame.window) &&
        IsWindowVisible(frame.window)) {
        StoreRestoreRect(frame);
    }
}

LRESULT CALLBACK MainFrameProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* app = static_cast<App*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        auto* state = new MainFrameState{*app, window};
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(state));
        app->shell.frame = window;
        return DefWindowProcW(window, message, wParam, lParam);
    }
    MainFrameState* frame = StateOf(window);
    if (!frame) {
        return DefWindowProcW(window, message, wParam, lParam);
    }
    switch (message) {
        case WM_CREATE:
            return OnCreate(*frame);
        case WM_COMMAND:
            return OnCommand(*frame, wParam, lParam);
        case WM_SYSCOMMAND:
            return OnSysCommand(*frame, wParam, lParam);
        case WM_SYSKEYDOWN:
            if (wParam == VK_MENU) {
                return 0;  // Alt alone does not activate a menu bar; the frame has none
            }
            return DefWindowProcW(window, message, wParam, lParam);
        case WM_TIMER:
            if (wParam == kClockTimer) {
                OnClockTick(*frame);
            }
            return 0;
        case WM_TIMECHANGE:
            frame->app.state.now = frame->app.clock->Now();
            RedrawForNewDay(*frame);
            return 0;
        case WM_MOVE:
        case WM_SIZE:
            OnMovedOrSized(*frame);
            return 0;
        case WM_PAINT:
            return OnPaint(*frame);
        case WM_ERASEBKGND:
            return 1;
        case WM_CLOSE:
            ShutDown(frame->app);
            return 0;
        case WM_QUERYENDSESSION:
            ShutDown(frame->app);
            return TRUE;
        case WM_DESTROY:
            KillTimer(window, kClockTimer);
            PostQuitMessage(0);
            return 0;
        case WM_NCDESTROY:
            frame->app.shell.frame = nullptr;
            SetWindowLongPtrW(window, GWLP_USERDATA, 0);
            delete frame;
            return 0;
        default:
            return DefWindowProcW(window, message, wParam, lParam);
    }
}

}  // namespace

bool RegisterMainFrameClass(HINSTANCE instance) {
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.style = CS_DBLCLKS;
    windowClass.lpfnWndProc = MainFrameProc;
    windowClass.hInstance = instance;
    windowClass.hIcon = LoadIconW(instance, MAKEINTRESOURCEW(IDI_TAVRIN));
    windowClass.hIconSm = windowClass.hIcon;
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
    windowClass.lpszClassName = kMainFrameClassName;
    return RegisterClassExW(&windowClass) != 0;
}

bool CreateMainFrame(App& app) {
    const WindowSettings& window = app.state.settings.window;
    const DWORD normalStyle = WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN;
    const DWORD fullscreenStyle = WS_POPUP | WS_CLIPCHILDREN;
    HWND frame = CreateWindowExW(0, kMainFrameClassName, L"Tavrin", window.fullscreen ? fullscreenStyle : normalStyle,
                                 window.left, window.top, window.width, window.height, nullptr, nullptr,
                                 app.shell.instance, &app);
    return frame != nullptr;
}

FrameGeometry FrameGeometryOf(const App& app) {
    HWND frame = app.shell.frame;
    RECT rect{};
    GetWindowRect(frame, &rect);
    return FrameGeometry{app.state.settings.window.fullscreen != 0, IsZoomed(frame) != FALSE, IsIconic(frame) != FALSE,
                         ScreenRect{rect.left, rect.top, rect.right, rect.bottom}};
}

HWND WheelTargetAt(const App& app, POINT screenPoint) {
    if (app.state.displayMode == DisplayMode::kCalendar) {
        return app.shell.frame;
    }
    if (ContainsPoint(app.shell.editor, screenPoint)) {
        return app.shell.editor;
    }
    if (!app.state.settings.window.showSideArea) {
        return nullptr;
    }
    for (HWND pane : {app.shell.searchBox, app.shell.searchList}) {
        if (ContainsPoint(pane, screenPoint)) {
            return pane;
        }
    }
    return nullptr;
}

}  // namespace tavrin
