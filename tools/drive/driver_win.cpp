#include "driver_win.h"

#include <commctrl.h>

#include <utility>
#include <vector>

namespace tavrin::drive {
namespace {

constexpr DWORD kPollMs = 20;

struct FrameSearch {
    DWORD processId;
    HWND found;
};

BOOL CALLBACK MatchFrame(HWND window, LPARAM context) {
    auto& search = *reinterpret_cast<FrameSearch*>(context);
    wchar_t className[64] = {};
    GetClassNameW(window, className, 64);
    if (std::wstring_view(className) != kMainFrameClass || !IsWindowVisible(window)) {
        return TRUE;
    }
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (search.processId != 0 && owner != search.processId) {
        return TRUE;
    }
    search.found = window;
    return FALSE;
}

struct BoxSearch {
    DWORD processId;
    HWND ignore;
    HWND found;
};

BOOL CALLBACK MatchBox(HWND window, LPARAM context) {
    auto& search = *reinterpret_cast<BoxSearch*>(context);
    wchar_t className[16] = {};
    GetClassNameW(window, className, 16);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    // A dialog that owns a modal message box is disabled while the box is up; the box is not.
    if (std::wstring_view(className) == L"#32770" && IsWindowVisible(window) && IsWindowEnabled(window) &&
        window != search.ignore && (search.processId == 0 || owner == search.processId)) {
        search.found = window;
        return FALSE;
    }
    return TRUE;
}

// The message text of a box is its static control with text (the icon is a static without text).
BOOL CALLBACK CollectStaticText(HWND child, LPARAM context) {
    wchar_t className[16] = {};
    GetClassNameW(child, className, 16);
    if (_wcsicmp(className, L"Static") != 0) {
        return TRUE;
    }
    const int length = GetWindowTextLengthW(child);
    if (length > 0) {
        std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
        text.resize(static_cast<std::size_t>(GetWindowTextW(child, text.data(), length + 1)));
        *reinterpret_cast<std::wstring*>(context) = text;
        return FALSE;
    }
    return TRUE;
}

std::wstring WindowText(HWND window) {
    const int length = GetWindowTextLengthW(window);
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    text.resize(static_cast<std::size_t>(GetWindowTextW(window, text.data(), length + 1)));
    return text;
}

}  // namespace

std::optional<MessageBoxInfo> WaitForMessageBox(DWORD processId, DWORD timeoutMs, HWND ignore) {
    const ULONGLONG deadline = GetTickCount64() + timeoutMs;
    do {
        BoxSearch search{processId, ignore, nullptr};
        EnumWindows(MatchBox, reinterpret_cast<LPARAM>(&search));
        if (search.found) {
            MessageBoxInfo info{search.found, WindowText(search.found), {}};
            EnumChildWindows(search.found, CollectStaticText, reinterpret_cast<LPARAM>(&info.text));
            return info;
        }
        Sleep(kPollMs);
    } while (GetTickCount64() < deadline);
    return std::nullopt;
}

void DismissMessageBox(HWND box) { PressMessageBoxButton(box, IDOK); }

void PressMessageBoxButton(HWND box, int buttonId) {
    PostMessageW(box, WM_COMMAND, MAKEWPARAM(buttonId, BN_CLICKED), 0);
    const ULONGLONG deadline = GetTickCount64() + 5000;
    while (IsWindow(box) && GetTickCount64() < deadline) {
        Sleep(kPollMs);
    }
}

TavrinProcess::TavrinProcess(TavrinProcess&& other) noexcept
    : process_(std::exchange(other.process_, nullptr)), id_(std::exchange(other.id_, 0)) {}

TavrinProcess& TavrinProcess::operator=(TavrinProcess&& other) noexcept {
    if (this != &other) {
        if (process_) {
            CloseHandle(process_);
        }
        process_ = std::exchange(other.process_, nullptr);
        id_ = std::exchange(other.id_, 0);
    }
    return *this;
}

TavrinProcess::~TavrinProcess() {
    if (process_) {
        CloseHandle(process_);
    }
}

std::optional<TavrinProcess> TavrinProcess::Start(const std::wstring& exePath, const std::wstring& arguments,
                                                  const std::wstring& workFolder) {
    std::wstring commandLine = L"\"" + exePath + L"\"";
    if (!arguments.empty()) {
        commandLine += L" " + arguments;
    }
    std::vector<wchar_t> buffer(commandLine.begin(), commandLine.end());
    buffer.push_back(L'\0');
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info{};
    if (!CreateProcessW(exePath.c_str(), buffer.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        workFolder.empty() ? nullptr : workFolder.c_str(), &startup, &info)) {
        return std::nullopt;
    }
    CloseHandle(info.hThread);
    TavrinProcess process;
    process.process_ = info.hProcess;
    process.id_ = info.dwProcessId;
    return process;
}

bool TavrinProcess::Running() const noexcept {
    return process_ && WaitForSingleObject(process_, 0) == WAIT_TIMEOUT;
}

HWND TavrinProcess::WaitForMainFrame(DWORD timeoutMs) const {
    const ULONGLONG deadline = GetTickCount64() + timeoutMs;
    do {
        if (HWND frame = FindMainFrame(id_)) {
            return frame;
        }
        if (!Running()) {
            return nullptr;
        }
        Sleep(kPollMs);
    } while (GetTickCount64() < deadline);
    return nullptr;
}

std::optional<DWORD> TavrinProcess::WaitForExit(DWORD timeoutMs) const {
    if (!process_ || WaitForSingleObject(process_, timeoutMs) != WAIT_OBJECT_0) {
        return std::nullopt;
    }
    DWORD code = 0;
    GetExitCodeProcess(process_, &code);
    return code;
}

std::optional<DWORD> TavrinProcess::Close(DWORD timeoutMs) const {
    if (HWND frame = FindMainFrame(id_)) {
        PostMessageW(frame, WM_CLOSE, 0, 0);
    }
    return WaitForExit(timeoutMs);
}

namespace {

constexpr UINT kSendTimeoutMs = 30000;

void Send(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    DWORD_PTR ignored = 0;
    SendMessageTimeoutW(window, message, wParam, lParam, SMTO_NORMAL, kSendTimeoutMs, &ignored);
}

}  // namespace

void TypeText(HWND window, std::wstring_view text) {
    for (const wchar_t character : text) {
        Send(window, WM_CHAR, character == L'\n' ? L'\r' : character, 1);
    }
}

void PressKey(HWND window, UINT virtualKey) {
    const UINT scan = MapVirtualKeyW(virtualKey, MAPVK_VK_TO_VSC);
    const LPARAM down = 1 | static_cast<LPARAM>(scan) << 16;
    Send(window, WM_KEYDOWN, virtualKey, down);
    Send(window, WM_KEYUP, virtualKey, down | static_cast<LPARAM>(0xC0000000));
}

void SendCommand(HWND frame, int command) { Send(frame, WM_COMMAND, MAKEWPARAM(command, 0), 0); }

void PostCommand(HWND frame, int command) { PostMessageW(frame, WM_COMMAND, MAKEWPARAM(command, 0), 0); }

bool PressKeysInForeground(HWND window, std::initializer_list<WORD> keys) {
    SetForegroundWindow(window);
    if (!WaitFor([window] { return GetForegroundWindow() == window; }, 5000)) {
        return false;
    }
    std::vector<INPUT> inputs;
    const auto key = [&inputs](WORD virtualKey, bool up) {
        INPUT input{};
        input.type = INPUT_KEYBOARD;
        input.ki.wVk = virtualKey;
        input.ki.wScan = static_cast<WORD>(MapVirtualKeyW(virtualKey, MAPVK_VK_TO_VSC));
        const bool extended = virtualKey >= VK_PRIOR && virtualKey <= VK_DOWN;
        input.ki.dwFlags = (up ? KEYEVENTF_KEYUP : 0) | (extended ? KEYEVENTF_EXTENDEDKEY : 0);
        inputs.push_back(input);
    };
    for (const WORD virtualKey : keys) {
        key(virtualKey, false);
    }
    for (auto it = std::rbegin(keys); it != std::rend(keys); ++it) {
        key(*it, true);
    }
    return SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT)) == inputs.size();
}

bool WaitFor(const std::function<bool()>& condition, DWORD timeoutMs) {
    const ULONGLONG deadline = GetTickCount64() + timeoutMs;
    for (;;) {
        if (condition()) {
            return true;
        }
        if (GetTickCount64() >= deadline) {
            return false;
        }
        Sleep(kPollMs);
    }
}

void Click(HWND window, int x, int y) {
    const LPARAM point = MAKELPARAM(x, y);
    Send(window, WM_MOUSEMOVE, 0, point);
    Send(window, WM_LBUTTONDOWN, MK_LBUTTON, point);
    Send(window, WM_LBUTTONUP, 0, point);
}

std::wstring TextOf(HWND window) {
    DWORD_PTR length = 0;
    if (!SendMessageTimeoutW(window, WM_GETTEXTLENGTH, 0, 0, SMTO_NORMAL, 5000, &length)) {
        return {};
    }
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    DWORD_PTR copied = 0;
    SendMessageTimeoutW(window, WM_GETTEXT, static_cast<WPARAM>(text.size()),
                        reinterpret_cast<LPARAM>(text.data()), SMTO_NORMAL, 5000, &copied);
    text.resize(static_cast<std::size_t>(copied));
    return text;
}

HWND FindChild(HWND parent, const wchar_t* className) {
    return FindWindowExW(parent, nullptr, className, nullptr);
}

HWND WaitForWindow(DWORD processId, const wchar_t* className, std::wstring_view titlePrefix,
                   DWORD timeoutMs) {
    const ULONGLONG deadline = GetTickCount64() + timeoutMs;
    do {
        for (HWND window = FindWindowExW(nullptr, nullptr, className, nullptr); window;
             window = FindWindowExW(nullptr, window, className, nullptr)) {
            DWORD owner = 0;
            GetWindowThreadProcessId(window, &owner);
            if ((processId == 0 || owner == processId) && IsWindowVisible(window) &&
                WindowText(window).starts_with(titlePrefix)) {
                return window;
            }
        }
        Sleep(kPollMs);
    } while (GetTickCount64() < deadline);
    return nullptr;
}

void TavrinProcess::Kill() const {
    if (Running()) {
        TerminateProcess(process_, 1);
        WaitForSingleObject(process_, 5000);
    }
}

HWND FindMainFrame(DWORD processId) {
    FrameSearch search{processId, nullptr};
    EnumWindows(MatchFrame, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

void WaitUntilIdle(DWORD processId, DWORD timeoutMs) {
    HWND frame = FindMainFrame(processId);
    if (!frame) {
        return;
    }
    DWORD_PTR ignored = 0;
    SendMessageTimeoutW(frame, WM_NULL, 0, 0, SMTO_NORMAL, timeoutMs, &ignored);
}

HWND OpenSettingsSheet(HWND frame, DWORD timeoutMs) {
    constexpr int kSettingCommand = 41009;
    DWORD processId = 0;
    GetWindowThreadProcessId(frame, &processId);
    PostCommand(frame, kSettingCommand);
    HWND sheet = WaitForWindow(processId, L"#32770", L"設定", timeoutMs);
    if (sheet) {
        WaitUntilIdle(processId, timeoutMs);
    }
    return sheet;
}

HWND CurrentSettingsPage(HWND sheet) {
    DWORD_PTR page = 0;
    SendMessageTimeoutW(sheet, PSM_GETCURRENTPAGEHWND, 0, 0, SMTO_NORMAL, kSendTimeoutMs, &page);
    return reinterpret_cast<HWND>(page);
}

int CurrentSettingsPageIndex(HWND sheet) {
    DWORD_PTR index = 0;
    SendMessageTimeoutW(sheet, PSM_HWNDTOINDEX, reinterpret_cast<WPARAM>(CurrentSettingsPage(sheet)), 0,
                        SMTO_NORMAL, kSendTimeoutMs, &index);
    return static_cast<int>(static_cast<INT_PTR>(index));
}

HWND ShowSettingsPage(HWND sheet, int index) {
    Send(sheet, PSM_SETCURSEL, static_cast<WPARAM>(index), 0);
    return CurrentSettingsPage(sheet);
}

void CloseSettingsSheet(HWND sheet, bool ok, DWORD timeoutMs) {
    DWORD processId = 0;
    GetWindowThreadProcessId(sheet, &processId);
    PostMessageW(sheet, PSM_PRESSBUTTON, ok ? PSBTN_OK : PSBTN_CANCEL, 0);
    WaitFor([sheet] { return !IsWindow(sheet); }, timeoutMs);
    WaitUntilIdle(processId, timeoutMs);
}

void ClickButton(HWND button, bool post) {
    if (post) {
        PostMessageW(button, BM_CLICK, 0, 0);
    } else {
        Send(button, BM_CLICK, 0, 0);
    }
}

void SetText(HWND window, std::wstring_view text) {
    const std::wstring terminated(text);
    Send(window, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(terminated.c_str()));
}

std::wstring WindowsPathOf(const std::wstring& path) {
    if (path.empty() || path.front() != L'/') {
        return path;
    }
    std::wstring converted = L"Z:" + path;
    for (wchar_t& c : converted) {
        if (c == L'/') {
            c = L'\\';
        }
    }
    return converted;
}

}  // namespace tavrin::drive
