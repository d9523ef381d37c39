// The main frame's window procedure, its creation, layout, painting, timers and shutdown. Commands,
// mouse input and menus live in the other frame_*_win.cpp files.
#include "ui/main_frame_win.h"

#include <windows.h>
#include <commctrl.h>
#include <shellapi.h>

#include <windowsx.h>

#include <algorithm>

#include "../../resources/resource.h"
#include "app/settings_file.h"
#include "editor/editor_messages.h"
#include "editor/editor_port_win.h"
#include "editor/markup_edit_pane_win.h"
#include "platform/wide_win.h"
#include "ui/dpi_win.h"
#include "ui/editor_style.h"
#include "ui/frame_window_win.h"
#include "ui/scrollbar/scroll_bar_messages.h"

namespace tavrin {

OwnedFont& OwnedFont::operator=(OwnedFont&& other) noexcept {
    if (this != &other) {
        Reset();
        font_ = other.font_;
        other.font_ = nullptr;
    }
    return *this;
}

void OwnedFont::Reset() noexcept {
    if (font_) {
        DeleteObject(font_);
        font_ = nullptr;
    }
}

FrameWindow::FrameWindow(App& app, HWND window) : app(app), window(window), errors(window) {}

CanvasFonts FrameWindow::Fonts() const noexcept {
    return {smallFont.get(), mediumFont.get(), largeFont.get(), menuFont.get()};
}

GdiCanvas FrameWindow::BackBufferCanvas() {
    GdiCanvas canvas(backBuffer, Fonts(), GlyphStrip(), dpi);
    canvas.SetBackgroundPicture(backPicture.get(), backOrigin.x, backOrigin.y);
    return canvas;
}

namespace {

constexpr UINT kClockPeriodMs = 1000;

FrameWindow* FrameOf(HWND window) {
    return reinterpret_cast<FrameWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
}

RECT ToRect(const PixelRect& box) { return {box.x, box.y, box.Right(), box.Bottom()}; }

// While Ctrl is held, the wheel over the editor changes its font size (with Shift its line spacing)
// instead of scrolling it.
LRESULT CALLBACK EditorWheelProc(HWND editor, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                 DWORD_PTR frameWindow) {
    if (message == WM_MOUSEWHEEL || message == WM_MOUSEHWHEEL) {
        const bool ctrl = GetKeyState(VK_CONTROL) < 0;
        const bool shift = GetKeyState(VK_SHIFT) < 0;
        if (const std::optional<int> command =
                EditorWheelCommand(GET_WHEEL_DELTA_WPARAM(wParam), ctrl, shift)) {
            PostMessageW(reinterpret_cast<HWND>(frameWindow), WM_COMMAND, MAKEWPARAM(*command, 0), 0);
            return 0;
        }
    }
    return DefSubclassProc(editor, message, wParam, lParam);
}

bool CreateEditor(FrameWindow& frame) {
    HWND editor = CreateMarkupEditPane(frame.window, kEditorControlId, false, RECT{0, 0, 100, 100});
    if (!editor) {
        return false;
    }
    frame.app.shell.editor = editor;
    frame.editorPort = std::make_unique<EditorPaneAdapter>(editor);
    SetWindowSubclass(editor, EditorWheelProc, 1, reinterpret_cast<DWORD_PTR>(frame.window));
    ApplyEditorStyle(frame);
    return true;
}

std::filesystem::path DataFolderOf(const AppState& state) {
    return PathInExeFolder(state.exeFolder, state.DiaryName()) / std::u16string(state.dataFolderName);
}

// CreateFrameContents: surfaces, fonts, panes, the diary store, the clock and the start-up command.
bool OnCreate(FrameWindow& frame) {
    const INITCOMMONCONTROLSEX controls{sizeof(INITCOMMONCONTROLSEX),
                                        ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);
    AppState& state = frame.app.state;
    frame.dpi = WindowDpi(frame.window);
    ApplyFrameDpi(frame);
    RECT window{};
    GetWindowRect(frame.window, &window);
    if (!CreateSurface(frame.window, frame.backBuffer, 32, std::max<int>(window.right - window.left, 1),
                       std::max<int>(window.bottom - window.top, 1), state.settings.colour.back)) {
        return false;
    }
    if (!CreateEditor(frame) || !CreateSearchPanes(frame)) {
        return false;
    }
    CreateHolidayTip(frame);
    frame.store = std::make_unique<DiaryStore>(
        StorePorts{*frame.app.fs, *frame.app.clock, *frame.editorPort, frame.storeView, frame.errors},
        ExeFolderPath(state.exeFolder), state.DiaryName());
    ApplyStoreOptions(frame);
    StartRecovery(frame);
    SetCurrentDirectoryW(DataFolderOf(state).c_str());
    SetTimer(frame.window, kClockTimer, kClockPeriodMs, nullptr);
    PostFrameCommand(frame, kStartupCommand);
    return true;
}

// A frame that lies on no monitor, or that a hand-edited settings file made too small to use (a
// negative or tiny size), gets the centred default geometry of a first start.
void MoveOntoAMonitor(FrameWindow& frame) {
    constexpr int kSmallestUsableWidth = 200;
    constexpr int kSmallestUsableHeight = 150;
    RECT rect{};
    GetWindowRect(frame.window, &rect);
    if (MonitorFromWindow(frame.window, MONITOR_DEFAULTTONULL) &&
        rect.right - rect.left >= kSmallestUsableWidth && rect.bottom - rect.top >= kSmallestUsableHeight) {
        return;
    }
    const ScreenRect centred = ResetFrameGeometry(frame.app.state);
    MoveWindow(frame.window, centred.left, centred.top, centred.Width(), centred.Height(), FALSE);
}

void CreateMenuSurface(FrameWindow& frame) {
    const int width = std::max(GetSystemMetrics(SM_CXSCREEN) / 2, 1);
    CreateSurface(frame.window, frame.menuSurface, 32, width, ScaleForDpi(32, frame.dpi),
                  MakeColorRef(255, 255, 255));
}

}  // namespace

void OnStartupCommand(FrameWindow& frame) {
    AppState& state = frame.app.state;
    ApplyDragThresholds(state, GetSystemMetrics(SM_CXDRAG), GetSystemMetrics(SM_CYDRAG));
    frame.store->ChooseStartDate(state.settings.other.startDateMode, state.settings.other.startDate);
    state.selectedDate = frame.store->SelectedDate();
    // Only now is the month known that the month's picture is chosen by.
    LoadBackgroundPicture(frame, false);
    Relayout(frame);
    InvalidateFrame(frame, kInvalidateAll);
    SetFocus(frame.app.shell.editor);
    if (state.settings.other.startImeOn) {
        SendMessageW(frame.app.shell.editor, MEP_SETIMEOPEN, 1, 0);
    }
    state.startupDone = true;
    CreateMenuSurface(frame);
    if (state.settings.other.titleBarName) {
        SetWindowTextW(frame.window, Wide(state.DiaryName()));
    }
    MoveOntoAMonitor(frame);
    if (state.settings.window.fullscreen) {
        state.settings.window.fullscreen = 0;
        ToggleFullscreen(frame);
    } else {
        ShowWindow(frame.window, state.showCommand);
        UpdateWindow(frame.window);
    }
    DragAcceptFiles(frame.window, TRUE);
    PostMessageW(frame.app.shell.editor, MEP_CREATEMEDIA, 0, 0);
    OfferRecoveredTexts(frame);
}

namespace {

void StoreRestoreRect(FrameWindow& frame) {
    RECT rect{};
    GetWindowRect(frame.window, &rect);
    frame.app.state.restoreRect = ScreenRect{rect.left, rect.top, rect.right, rect.bottom};
}

LRESULT OnSysCommand(FrameWindow& frame, WPARAM wParam, LPARAM lParam) {
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
            PostFrameCommand(frame, kRestoreCommand);
            break;
        default:
            break;
    }
    return DefWindowProcW(frame.window, WM_SYSCOMMAND, wParam, lParam);
}

LRESULT OnSize(FrameWindow& frame) {
    Relayout(frame);
    InvalidateFrame(frame, kInvalidateAll);
    return 0;
}

LRESULT OnPaint(FrameWindow& frame) {
    PAINTSTRUCT paint{};
    HDC dc = BeginPaint(frame.window, &paint);
    CopySurfaceTo(frame.backBuffer, dc, paint.rcPaint);
    EndPaint(frame.window, &paint);
    return 0;
}

void OnSlideTick(FrameWindow& frame) {
    if (SlideTick(frame.slide)) {
        KillTimer(frame.window, kSlideTimer);
        frame.store->GoToDate(frame.slide.to, true);
        RedrawFrame(frame);
        InvalidateFrame(frame, kInvalidateFrame);
        return;
    }
    PaintSlideStep(frame);
}

void OnBlinkTick(FrameWindow& frame) {
    if (!BlinkTick(frame.model.blink)) {
        KillTimer(frame.window, kBlinkTimer);
    }
    RedrawFrame(frame);
    InvalidateFrame(frame, kInvalidateFrame);
}

LRESULT OnTimer(FrameWindow& frame, WPARAM timer) {
    switch (timer) {
        case kClockTimer:
            if (OnClockTick(frame.app.state, frame.app.clock->Now())) {
                RedrawFrame(frame);
                InvalidateFrame(frame, kInvalidateFrame);
            }
            return 0;
        case kSlideTimer:
            OnSlideTick(frame);
            return 0;
        case kBlinkTimer:
            OnBlinkTick(frame);
            return 0;
        case kRecoveryTimer:
            OnRecoveryTick(frame);
            return 0;
        default:
            return 0;
    }
}

// A normal move or resize keeps RestoreRect current, so the geometry written at exit is where the
// user left the window even when it is maximised or fullscreen by then.
void OnMovedOrSized(FrameWindow& frame) {
    if (!frame.app.state.settings.window.fullscreen && !IsZoomed(frame.window) && !IsIconic(frame.window) &&
        IsWindowVisible(frame.window)) {
        StoreRestoreRect(frame);
    }
}

// The shutdown sequence, once closing is decided (ReadyToClose, SessionEnds): the entry is stored silently
// (kept in its recovery file when that fails), the year freed, the settings written (or
// deleted after a reset request), the templates and every surface and font released.
void ShutDown(FrameWindow& frame) {
    App& app = frame.app;
    KillTimer(frame.window, kSlideTimer);
    KillTimer(frame.window, kBlinkTimer);
    if (frame.store) {
        frame.store->Shutdown();
        app.state.selectedDate = frame.store->SelectedDate();
    }
    ClearSearchResults(frame.search);
    // A settings file that cannot be written keeps its previous content; there is nobody left to tell.
    (void)SaveSettings(*app.fs, app.state.exeFolder, app.state, FrameGeometryOf(app));
    ClearTemplates(app.state.templates);
    frame.smallFont.Reset();
    frame.mediumFont.Reset();
    frame.largeFont.Reset();
    frame.glyphs = MemorySurface(0, 0);
    ReleaseSurface(frame.backBuffer);
    ReleaseSurface(frame.menuSurface);
    ReleaseBackgroundPicture(frame);
    DestroyWindow(frame.window);
}

LRESULT OnSetFocus(FrameWindow& frame) {
    if (frame.app.state.displayMode == DisplayMode::kEdit && frame.app.shell.editor) {
        SetFocus(frame.app.shell.editor);
    }
    return 0;
}

LRESULT OnControlColour(FrameWindow& frame, WPARAM wParam, LPARAM lParam) {
    if (reinterpret_cast<HWND>(lParam) != frame.app.shell.searchBox) {
        return DefWindowProcW(frame.window, WM_CTLCOLOREDIT, wParam, lParam);
    }
    HDC dc = reinterpret_cast<HDC>(wParam);
    const ColourSettings& colour = frame.app.state.settings.colour;
    SetTextColor(dc, static_cast<COLORREF>(colour.text));
    SetBkColor(dc, static_cast<COLORREF>(colour.back));
    SetDCBrushColor(dc, static_cast<COLORREF>(colour.back));
    return reinterpret_cast<LRESULT>(GetStockObject(DC_BRUSH));
}

LRESULT Dispatch(FrameWindow& frame, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_COMMAND:
            return OnCommand(frame, wParam, lParam);
        case WM_SYSCOMMAND:
            return OnSysCommand(frame, wParam, lParam);
        case WM_SYSKEYDOWN:
            return wParam == VK_MENU ? 0 : DefWindowProcW(frame.window, message, wParam, lParam);
        case WM_KEYDOWN:
            return OnKeyDown(frame, wParam, lParam);
        case WM_MOUSEMOVE:
        case WM_LBUTTONDOWN:
        case WM_LBUTTONUP:
        case WM_LBUTTONDBLCLK:
        case WM_RBUTTONUP:
        case WM_MOUSEWHEEL:
        case WM_MOUSEHWHEEL:
        case WM_XBUTTONDOWN:
        case WM_CONTEXTMENU:
        case WM_DROPFILES:
            return OnMouseMessage(frame, message, wParam, lParam);
        case WM_MOUSELEAVE:
            return OnMouseLeave(frame);
        case WM_SETCURSOR:
            return OnSetCursor(frame, wParam, lParam);
        case WM_DPICHANGED:
            return OnDpiChanged(frame, wParam, lParam);
        case WM_TIMER:
            return OnTimer(frame, wParam);
        case WM_TIMECHANGE:
            frame.app.state.now = frame.app.clock->Now();
            RedrawFrame(frame);
            InvalidateFrame(frame, kInvalidateFrame);
            return 0;
        case WM_MOVE:
            OnMovedOrSized(frame);
            return 0;
        case WM_SIZE:
            OnMovedOrSized(frame);
            return OnSize(frame);
        case WM_SETFOCUS:
            return OnSetFocus(frame);
        case WM_PAINT:
            return OnPaint(frame);
        case WM_ERASEBKGND:
            return 1;
        case WM_CTLCOLOREDIT:
            return OnControlColour(frame, wParam, lParam);
        case WM_MEASUREITEM:
            return OnMeasureItem(frame, *reinterpret_cast<MEASUREITEMSTRUCT*>(lParam));
        case WM_MENUCHAR:
            return OnMenuChar(frame, wParam, lParam);
        case WM_DRAWITEM:
            return OnDrawItem(frame, *reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
        case WM_CLOSE:
            if (ReadyToClose(frame)) {
                ShutDown(frame);
            }
            return 0;
        case WM_QUERYENDSESSION:
            return OnQueryEndSession(frame);
        case WM_ENDSESSION:
            if (SessionEnds(frame, wParam)) {
                ShutDown(frame);
            }
            return 0;
        case WM_DESTROY:
            KillTimer(frame.window, kClockTimer);
            PostQuitMessage(0);
            return 0;
        default:
            return DefWindowProcW(frame.window, message, wParam, lParam);
    }
}

LRESULT CALLBACK MainFrameProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* app = static_cast<App*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        auto* frame = new FrameWindow(*app, window);
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(frame));
        app->shell.frame = window;
        return DefWindowProcW(window, message, wParam, lParam);
    }
    FrameWindow* frame = FrameOf(window);
    if (!frame) {
        return DefWindowProcW(window, message, wParam, lParam);
    }
    if (message == WM_CREATE) {
        return OnCreate(*frame) ? 0 : -1;
    }
    if (message == WM_NCDESTROY) {
        ShellState& shell = frame->app.shell;
        shell.frame = shell.editor = shell.searchBox = shell.searchList = shell.searchScroll = nullptr;
        shell.jumpDialog = nullptr;
        SetWindowLongPtrW(window, GWLP_USERDATA, 0);
        delete frame;
        return DefWindowProcW(window, message, wParam, lParam);
    }
    return Dispatch(*frame, message, wParam, lParam);
}

}  // namespace

void PaintSlideStep(FrameWindow& frame) {
    GdiCanvas canvas = frame.BackBufferCanvas();
    PaintCalendarGrid(canvas, frame.model, frame.scene);
    const RECT grid = ToRect(GridRect(frame.scene));
    InvalidateRect(frame.window, &grid, FALSE);
}

void PostFrameCommand(const FrameWindow& frame, int command) {
    PostMessageW(frame.window, WM_COMMAND, MAKEWPARAM(command, 0), 0);
}

void SyncModel(FrameWindow& frame) {
    RECT client{};
    GetClientRect(frame.window, &client);
    FrameModel& model = frame.model;
    model.app = &frame.app.state;
    model.clientWidth = client.right;
    model.clientHeight = client.bottom;
    model.yearBuffer = frame.store ? &frame.store->Year() : nullptr;
    model.slide = &frame.slide;
    model.hoverCode = frame.hitCode;
    model.backImageShown = BackgroundShown(frame);
    model.dpi = frame.dpi;
    HWND searchBox = frame.app.shell.searchBox;
    model.searchFocused = searchBox && GetFocus() == searchBox;
    if (searchBox) {
        const int length = GetWindowTextLengthW(searchBox);
        frame.searchText.assign(static_cast<std::size_t>(length) + 1, u'\0');
        frame.searchText.resize(
            static_cast<std::size_t>(GetWindowTextW(searchBox, WideBuffer(frame.searchText), length + 1)));
    }
    model.searchText = frame.searchText;
}

void Relayout(FrameWindow& frame) {
    SyncModel(frame);
    if (frame.model.clientWidth <= 0 || frame.model.clientHeight <= 0) {
        return;
    }
    CreateSurface(frame.window, frame.backBuffer, 32, frame.model.clientWidth, frame.model.clientHeight,
                  frame.app.state.settings.colour.back);
    {
        GdiCanvas canvas = frame.BackBufferCanvas();
        frame.scene = BuildFrameScene(frame.model, canvas);
    }
    const FrameLayout& layout = frame.scene.layout;
    const ShellState& shell = frame.app.shell;
    const PaneVisibility visible = PaneVisibilityOf(frame.app.state.displayMode, layout.sidebarShown,
                                                    frame.model.backImageShown, frame.model.searchFocused);
    HDWP moves = BeginDeferWindowPos(3);
    const auto place = [&moves](HWND pane, const PixelRect& box, bool show) {
        if (pane && moves) {
            moves = DeferWindowPos(
                moves, pane, nullptr, box.x, box.y, std::max(box.width, 0), std::max(box.height, 0),
                SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOREDRAW | (show ? SWP_SHOWWINDOW : SWP_HIDEWINDOW));
        }
    };
    place(shell.editor, layout.editor, visible.editor);
    place(shell.searchBox, layout.SearchEdit(), visible.searchBox);
    place(shell.searchList, layout.searchList, visible.searchList);
    if (moves) {
        EndDeferWindowPos(moves);
    }
    if (shell.editor) {
        InvalidateRect(shell.editor, nullptr, FALSE);
        PostMessageW(shell.editor, MEP_REDRAWSCROLLBAR, 0, 0);
    }
    PlaceBackgroundPicture(frame);
    RedrawFrame(frame);
}

void RedrawFrame(FrameWindow& frame) {
    if (!frame.backBuffer.Valid()) {
        return;
    }
    SyncModel(frame);
    GdiCanvas canvas = frame.BackBufferCanvas();
    frame.scene = BuildFrameScene(frame.model, canvas);
    PaintFrame(canvas, frame.model, frame.scene);
}

void InvalidateFrame(FrameWindow& frame, unsigned flags) {
    const InvalidateTargets targets = InvalidateTargetsOf(flags);
    const ShellState& shell = frame.app.shell;
    if (targets.frame) {
        InvalidateRect(frame.window, nullptr, FALSE);
    }
    if (targets.editor && shell.editor) {
        InvalidateRect(shell.editor, nullptr, FALSE);
        PostMessageW(shell.editor, MEP_REDRAWSCROLLBAR, 0, 0);
    }
    if (targets.searchBox && shell.searchBox) {
        InvalidateRect(shell.searchBox, nullptr, TRUE);
    }
    if (targets.searchList && shell.searchList) {
        InvalidateRect(shell.searchList, nullptr, FALSE);
    }
}

void SetDisplayMode(FrameWindow& frame, DisplayMode mode) {
    AppState& state = frame.app.state;
    if (state.displayMode == mode) {
        return;
    }
    if (mode == DisplayMode::kCalendar) {
        // The entry is saved first; when that fails the user stays with the text in the editor.
        if (!frame.store->EnterCalendarMode()) {
            return;
        }
        state.displayMode = mode;
        Relayout(frame);
        SetFocus(frame.window);
    } else {
        state.displayMode = mode;
        Relayout(frame);
        frame.store->EnterEditMode();
        SetFocus(frame.app.shell.editor);
    }
    RedrawFrame(frame);
    InvalidateFrame(frame, kInvalidateAll);
}

void ToggleFullscreen(FrameWindow& frame) {
    AppState& state = frame.app.state;
    WindowSettings& window = state.settings.window;
    constexpr DWORD kNormalStyle = WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN;
    constexpr DWORD kFullscreenStyle = WS_POPUP | WS_CLIPCHILDREN;
    window.fullscreen = window.fullscreen ? 0 : 1;
    if (!window.fullscreen) {
        SetWindowLongPtrW(frame.window, GWL_STYLE, kNormalStyle | WS_VISIBLE);
        const ScreenRect& restore = state.restoreRect;
        SetWindowPos(frame.window, nullptr, restore.left, restore.top, restore.Width(), restore.Height(),
                     SWP_NOZORDER | SWP_FRAMECHANGED);
        return;
    }
    RECT monitorRect{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    if (GetMonitorInfoW(MonitorFromWindow(frame.window, MONITOR_DEFAULTTONEAREST), &monitor)) {
        monitorRect = monitor.rcMonitor;
    } else {
        state.screenWidth = monitorRect.right;
        state.screenHeight = monitorRect.bottom;
    }
    if (IsZoomed(frame.window) || IsIconic(frame.window)) {
        WINDOWPLACEMENT placement{};
        placement.length = sizeof placement;
        GetWindowPlacement(frame.window, &placement);
        const RECT& normal = placement.rcNormalPosition;
        state.restoreRect = ScreenRect{normal.left, normal.top, normal.right, normal.bottom};
    } else {
        StoreRestoreRect(frame);
    }
    SetWindowLongPtrW(frame.window, GWL_STYLE, kFullscreenStyle | WS_VISIBLE);
    SetWindowPos(frame.window, nullptr, monitorRect.left, monitorRect.top,
                 monitorRect.right - monitorRect.left, monitorRect.bottom - monitorRect.top,
                 SWP_NOZORDER | SWP_FRAMECHANGED);
}

void WriteEditorOptions(FrameWindow& frame) {
    HWND editor = frame.app.shell.editor;
    const OtherSettings& other = frame.app.state.settings.other;
    SetEditorAutoPlay(editor, other.autoPlay != 0);
    SendMessageW(editor, MEP_SETDBLCLICKLINK, other.doubleClickLink ? 1 : 0, 0);
}

void ShowSideArea(FrameWindow& frame) {
    int& shown = frame.app.state.settings.window.showSideArea;
    if (!shown) {
        shown = 1;
        Relayout(frame);
        InvalidateFrame(frame, kInvalidateAll);
    }
}

void ApplyStoreOptions(FrameWindow& frame) {
    const OtherSettings& other = frame.app.state.settings.other;
    frame.store->options = {other.editLock != 0, other.deleteEndBlankLine != 0, other.noAnimation != 0,
                            other.titleBarName != 0};
}

void ApplyEditorStyle(FrameWindow& frame) {
    HWND editor = frame.app.shell.editor;
    if (!editor) {
        return;
    }
    const AppState& state = frame.app.state;
    const DisplayStyle style = DisplayStyleOf(state);
    SendMessageW(editor, MEP_SETSTYLE, reinterpret_cast<WPARAM>(&style), 0);
    SendMessageW(editor, MEP_SETTITLELINE, state.settings.other.diaryTitle ? 1 : 0, 1);
    WriteEditorOptions(frame);
    // The editor's scroll bar is drawn in the diary's colours: a light thumb that darkens under the mouse.
    if (HWND scrollBar = GetDlgItem(editor, kEditorScrollBarId)) {
        const ColourSettings& colour = state.settings.colour;
        SendMessageW(scrollBar, SBP_SETCOLORS, colour.back, colour.text);
        SendMessageW(scrollBar, SBP_SETALPHA, static_cast<WPARAM>(state.alphaLight), state.alphaStrong);
    }
}

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
    HWND frame = CreateWindowExW(0, kMainFrameClassName, L"Tavrin",
                                 window.fullscreen ? fullscreenStyle : normalStyle, window.left, window.top,
                                 window.width, window.height, nullptr, nullptr, app.shell.instance, &app);
    return frame != nullptr;
}

FrameGeometry FrameGeometryOf(const App& app) {
    HWND frame = app.shell.frame;
    RECT rect{};
    GetWindowRect(frame, &rect);
    return FrameGeometry{app.state.settings.window.fullscreen != 0, IsZoomed(frame) != FALSE,
                         IsIconic(frame) != FALSE, ScreenRect{rect.left, rect.top, rect.right, rect.bottom}};
}

HWND WheelTargetAt(const App& app, POINT screenPoint) {
    HWND frameWindow = app.shell.frame;
    const FrameWindow* frame = frameWindow ? FrameOf(frameWindow) : nullptr;
    if (!frame) {
        return nullptr;
    }
    POINT client = screenPoint;
    ScreenToClient(frameWindow, &client);
    switch (RouteWheel(frame->scene.layout, app.state.displayMode, client.x, client.y)) {
        case WheelTarget::kEditor:
            return app.shell.editor;
        case WheelTarget::kSearchBox:
            return app.shell.searchBox;
        case WheelTarget::kSearchList:
            return app.shell.searchList;
        case WheelTarget::kFrame:
            return frameWindow;
        case WheelTarget::kDefault:
            return nullptr;
    }
    return nullptr;
}

}  // namespace tavrin
