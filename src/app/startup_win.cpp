#include "app/startup_win.h"

#include <windows.h>
#include <objidl.h>  // GDI+ needs the COM types first
#include <shellapi.h>

#include <gdiplus.h>

#include "app/accelerators_win.h"
#include "app/error_box_win.h"
#include "app/restart.h"
#include "app/restart_win.h"
#include "app/settings_file.h"
#include "editor/markup_edit_pane_win.h"
#include "platform/wide_win.h"
#include "search/search_list_pane_win.h"
#include "ui/main_frame_win.h"

namespace tavrin {
namespace {

// GDI+ for the life of the process: pictures, background images and clipboard bitmaps need it.
class GdiplusSession {
public:
    GdiplusSession() {
        Gdiplus::GdiplusStartupInput input;  // version 1, no debug callback, background thread on
        started_ = Gdiplus::GdiplusStartup(&token_, &input, nullptr) == Gdiplus::Ok;
    }
    GdiplusSession(const GdiplusSession&) = delete;
    GdiplusSession& operator=(const GdiplusSession&) = delete;
    ~GdiplusSession() {
        if (started_) {
            Gdiplus::GdiplusShutdown(token_);
        }
    }

private:
    ULONG_PTR token_ = 0;
    bool started_ = false;
};

// The executable's full path, or empty when it cannot be read whole.
std::u16string ModulePath(DWORD bufferLength) {
    std::u16string path(bufferLength, u'\0');
    const DWORD length = GetModuleFileNameW(nullptr, WideBuffer(path), bufferLength);
    if (length == 0 || length >= bufferLength) {
        return {};
    }
    path.resize(length);
    return path;
}

int ReadWindowsVersionCode() {
    // GetVersionEx answers what the manifest declares; the kernel's own call tells the truth.
    using RtlGetVersionFunction = LONG(WINAPI*)(OSVERSIONINFOW*);
    OSVERSIONINFOW info{};
    info.dwOSVersionInfoSize = sizeof info;
    HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
    const auto rtlGetVersion = ntdll ? reinterpret_cast<RtlGetVersionFunction>(
                                           reinterpret_cast<void*>(GetProcAddress(ntdll, "RtlGetVersion")))
                                     : nullptr;
    if (!rtlGetVersion || rtlGetVersion(&info) != 0) {
        return WindowsVersionCodeOf(WindowsPlatform::kUnreadable, 0, 0);
    }
    WindowsPlatform platform = WindowsPlatform::kNt;
    if (info.dwPlatformId == VER_PLATFORM_WIN32s) {
        platform = WindowsPlatform::kWin32s;
    } else if (info.dwPlatformId == VER_PLATFORM_WIN32_WINDOWS) {
        platform = WindowsPlatform::kWindows9x;
    }
    return WindowsVersionCodeOf(platform, static_cast<int>(info.dwMajorVersion),
                                static_cast<int>(info.dwMinorVersion));
}

StartupInputs ReadStartupInputs(const Clock& clock) {
    StartupInputs inputs;
    inputs.now = clock.Now();
    inputs.exePath = ModulePath(323);
    inputs.windowsVersionCode = ReadWindowsVersionCode();
    inputs.screenWidth = GetSystemMetrics(SM_CXSCREEN);
    inputs.screenHeight = GetSystemMetrics(SM_CYSCREEN);
    RECT workArea{};
    if (SystemParametersInfoW(SPI_GETWORKAREA, 0, &workArea, 0)) {
        inputs.workArea = ScreenRect{workArea.left, workArea.top, workArea.right, workArea.bottom};
    }
    inputs.doubleClickTime = static_cast<int>(GetDoubleClickTime());
    inputs.dpi = static_cast<int>(GetDpiForSystem());
    return inputs;
}

// Brings a running copy to the front; true when there was one.
bool ActivateRunningCopy() {
    HWND running = FindWindowW(kMainFrameClassName, nullptr);
    if (!running) {
        return false;
    }
    SetForegroundWindow(running);
    SetFocus(running);
    PostMessageW(running, WM_COMMAND, MAKEWPARAM(kActivateCommand, 0), 0);
    return true;
}

// How long a copy started with "/reboot" waits for the copy that restarted it to save and end.
constexpr DWORD kRestartWaitMs = 60000;

// The command line the start-up decisions see. A copy restarted after a reset of all settings first
// waits until the old copy has saved the entry, deleted the settings file and ended, so that it reads
// the defaults and the saved entry. Should the old copy still be running after the wait (a question
// on its screen, say), the new one starts like any second copy: it brings the old one to the front.
std::u16string StartupCommandLine(const wchar_t* commandLine) {
    std::u16string line = FromWide(commandLine);
    if (line == kRebootArgument && !WaitForPreviousCopy(ModulePath(323), kRestartWaitMs)) {
        line.clear();
    }
    return line;
}

// The panes first, then the frame that creates them.
bool RegisterWindowClasses(HINSTANCE instance) {
    return RegisterMarkupEditPaneClass(instance) && RegisterSearchListPaneClass(instance) &&
           RegisterMainFrameClass(instance);
}

}  // namespace

int RunTavrin(HINSTANCE instance, const wchar_t* commandLine, int showCommand) {
    GdiplusSession gdiplus;
    const std::u16string startCommandLine = StartupCommandLine(commandLine);
    App app;
    app.shell.instance = instance;
    app.fs = CreateSystemFileSystem();
    app.clock = CreateSystemClock();

    if (!InitialiseAppState(app.state, ReadStartupInputs(*app.clock))) {
        return 0;
    }
    ReadSettingsAtStartup(*app.fs, app.state);

    if (!SkipsSingleInstanceCheck(startCommandLine, app.state.settings) && ActivateRunningCopy()) {
        ClearTemplates(app.state.templates);
        return 0;
    }
    if (!RegisterWindowClasses(instance)) {
        ShowErrorMessage(nullptr, 202, u"Processing: RegisterClass");
        return 0;
    }
    app.state.showCommand = ResolveShowCommand(app.state.settings, showCommand);
    if (!CreateMainFrame(app)) {
        ShowErrorMessage(nullptr, 202, u"Processing: CreateWindow");
        return 0;
    }
    RebuildAccelerators(app);
    const int exitCode = RunMessageLoop(app);
    DestroyAccelerators(app);
    return exitCode;
}

void RestartAfterReset(App& app) {
    const std::u16string path = ModulePath(260);
    if (path.empty()) {
        ShowErrorMessage(nullptr, 201, u"実行ファイルのパスの取得に失敗しました。");
        app.state.resetSettingsPending = false;
        return;
    }
    // Taken before the new copy exists, so that it always finds the lock and waits for this copy to end.
    HoldRestartLock(path);
    const std::u16string argument(kRebootArgument);
    const auto launched = reinterpret_cast<INT_PTR>(
        ShellExecuteW(nullptr, L"open", Wide(path), Wide(argument), nullptr, SW_SHOWNORMAL));
    if (launched <= 32) {
        ShowErrorMessage(nullptr, 201, path);  // first: it reports the launch's system error code
        ReleaseRestartLock();
        app.state.resetSettingsPending = false;
        return;
    }
    PostMessageW(app.shell.frame, WM_CLOSE, 0, 0);
}

}  // namespace tavrin
