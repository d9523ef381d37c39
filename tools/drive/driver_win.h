#pragma once
// Drives a running tavrin.exe from outside, as a user would: starts it in a portable folder, finds its
// main frame, sends it commands and closes it. Used by the end-to-end tests and by the run command's
// screenshot option (through tavrin_drive.exe).

#include <windows.h>

#include <functional>
#include <initializer_list>
#include <optional>
#include <string>

namespace tavrin::drive {

inline constexpr wchar_t kMainFrameClass[] = L"TavrinMainFrame";

// A started tavrin.exe. The process handle is closed on destruction; the process itself is left alone.
class TavrinProcess {
public:
    TavrinProcess() = default;
    TavrinProcess(TavrinProcess&& other) noexcept;
    TavrinProcess& operator=(TavrinProcess&& other) noexcept;
    TavrinProcess(const TavrinProcess&) = delete;
    TavrinProcess& operator=(const TavrinProcess&) = delete;
    ~TavrinProcess();

    // Starts exePath with the given command line arguments (may be empty) in workFolder.
    [[nodiscard]] static std::optional<TavrinProcess> Start(const std::wstring& exePath,
                                                            const std::wstring& arguments,
                                                            const std::wstring& workFolder);

    [[nodiscard]] DWORD Id() const noexcept { return id_; }
    [[nodiscard]] bool Running() const noexcept;
    // The process's visible main frame, waiting for it up to timeoutMs; nullptr when none appeared.
    [[nodiscard]] HWND WaitForMainFrame(DWORD timeoutMs) const;
    // Waits for the process to end; its exit code, or nothing on timeout.
    [[nodiscard]] std::optional<DWORD> WaitForExit(DWORD timeoutMs) const;
    // Asks the main frame to close, as the close button does, and waits for the process to end.
    [[nodiscard]] std::optional<DWORD> Close(DWORD timeoutMs) const;
    void Kill() const;

private:
    HANDLE process_ = nullptr;
    DWORD id_ = 0;
};

// The visible top-level main frame of the given process (any process when 0), or nullptr.
[[nodiscard]] HWND FindMainFrame(DWORD processId);

// A message box shown by a process: its window, caption and text.
struct MessageBoxInfo {
    HWND window = nullptr;
    std::wstring caption;
    std::wstring text;
};

// The first visible, enabled message box of the process (any process when 0), waiting up to timeoutMs.
// Dialogs are windows of the same class: pass an open dialog as ignore so that only a box shown over it
// is found.
[[nodiscard]] std::optional<MessageBoxInfo> WaitForMessageBox(DWORD processId, DWORD timeoutMs,
                                                              HWND ignore = nullptr);

// Presses the box's OK (or only) button and waits until the box is gone.
void DismissMessageBox(HWND box);
// Presses the box's button with the given id (IDYES, IDNO, ...) and waits until the box is gone.
void PressMessageBoxButton(HWND box, int buttonId);

// Driving messages are sent, not posted: a sent message is handled before the call returns, so the
// next look at the window sees its effect. (Posted messages would wait behind everything the program
// has queued, and a sent WM_NULL would overtake them.) Only commands that end in a modal box are posted,
// by PostCommand; wait for the box with WaitForMessageBox.

// Types text into a window as the keyboard would after translation: each character as WM_CHAR, a
// line feed as the Enter key's carriage return.
void TypeText(HWND window, std::wstring_view text);

// Presses and releases a key in the window (WM_KEYDOWN, WM_KEYUP). Modifier keys cannot be held this
// way: send the command instead.
void PressKey(HWND window, UINT virtualKey);

// A command to the main frame, as a menu, toolbar button or accelerator gives it.
void SendCommand(HWND frame, int command);
void PostCommand(HWND frame, int command);

// Real keyboard input (SendInput) to the foreground window, which is made the given window first:
// keys such as VK_CONTROL are held while the last key is pressed. This reaches the accelerator table,
// as a user's key press does.
bool PressKeysInForeground(HWND window, std::initializer_list<WORD> keys);

// Polls until condition() holds or the time is up; returns the last answer.
bool WaitFor(const std::function<bool()>& condition, DWORD timeoutMs);

// A left click at a client point of the window.
void Click(HWND window, int x, int y);

// The window's text: a title, or an edit control's or the editor's whole text (WM_GETTEXT).
[[nodiscard]] std::wstring TextOf(HWND window);

// The first child of the window with the class name, or nullptr.
[[nodiscard]] HWND FindChild(HWND parent, const wchar_t* className);

// The first visible top-level window of the process whose class and title start as given.
[[nodiscard]] HWND WaitForWindow(DWORD processId, const wchar_t* className, std::wstring_view titlePrefix,
                                 DWORD timeoutMs);

// Waits until the program's main frame answers a sent message: it is back in its message loop, not
// busy. Messages posted to it earlier may still be waiting (a sent message is handled first), so a
// test that needs their effect polls for it with WaitFor.
void WaitUntilIdle(DWORD processId, DWORD timeoutMs);

// The settings sheet ("設定") and its pages. The Setting command is posted: the sheet is modal and
// the command returns only when it closes.
// Opens the sheet of the program whose main frame is given and waits for it; nullptr when it did not
// appear.
[[nodiscard]] HWND OpenSettingsSheet(HWND frame, DWORD timeoutMs);
// The page shown, and its index (0 to 8).
[[nodiscard]] HWND CurrentSettingsPage(HWND sheet);
[[nodiscard]] int CurrentSettingsPageIndex(HWND sheet);
// Shows a page as a click on its tab does, and returns its dialog.
HWND ShowSettingsPage(HWND sheet, int index);
// Presses OK or Cancel and waits until the sheet is gone and the program idle again (what OK applies
// has been applied then).
void CloseSettingsSheet(HWND sheet, bool ok, DWORD timeoutMs);

// Clicks a button as the mouse does (BM_CLICK). A button that opens a modal box must be clicked with
// post = true and the box waited for.
void ClickButton(HWND button, bool post = false);
// Sets a control's text (WM_SETTEXT); edit controls report it as a change.
void SetText(HWND window, std::wstring_view text);

// Converts a Unix path as CMake gives it to the Windows path Wine maps it to (Z: drive); Windows paths
// are returned unchanged.
[[nodiscard]] std::wstring WindowsPathOf(const std::wstring& path);

}  // namespace tavrin::drive
