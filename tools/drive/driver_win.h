#pragma once
// Drives a running tavrin.exe from outside, as a user would: starts it in a portable folder, finds its
// main frame, sends it commands and closes it. Used by the end-to-end tests and by the run command's
// screenshot option (through tavrin_drive.exe).

#include <windows.h>

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
    [[nodiscard]] static std::optional<TavrinProcess> Start(const std::wstring& exePath, const std::wstring& arguments,
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
[[nodiscard]] std::optional<MessageBoxInfo> WaitForMessageBox(DWORD processId, DWORD timeoutMs, HWND ignore = nullptr);

// Presses the box's OK (or only) button.
void DismissMessageBox(HWND box);

// Waits until no window of the process is waiting for input, so that posted work has been handled.
void WaitUntilIdle(DWORD processId, DWORD timeoutMs);

// Converts a Unix path as CMake gives it to the Windows path Wine maps it to (Z: drive); Windows paths
// are returned unchanged.
[[nodiscard]] std::wstring WindowsPathOf(const std::wstring& path);

}  // namespace tavrin::drive
