#pragma once
// The program started from a portable folder for one test, with the windows every end-to-end test
// drives; the tests add the calls of their own area.

#include <windows.h>

#include <optional>
#include <string>

#include "driver_win.h"
#include "portable_folder_win.h"

namespace tavrin::e2e {

// How long a test waits for the program to start, answer a message or end.
inline constexpr DWORD kTimeoutMs = 30000;

// What the start waits for: the main frame shown, or also every message of the start-up handled.
enum class StartWait { kFrame, kIdle };

// The running program with its process, main frame and editor; killed if a test leaves it running.
class RunningTavrin {
public:
    explicit RunningTavrin(const PortableFolder& folder, StartWait wait = StartWait::kFrame);
    RunningTavrin(const RunningTavrin&) = delete;
    RunningTavrin& operator=(const RunningTavrin&) = delete;
    ~RunningTavrin();

    // Both windows were found.
    [[nodiscard]] bool Ready() const { return frame_ && editor_; }
    [[nodiscard]] HWND Frame() const { return frame_; }
    [[nodiscard]] HWND Editor() const { return editor_; }
    [[nodiscard]] const drive::TavrinProcess& Process() const { return *process_; }
    [[nodiscard]] DWORD Id() const { return process_->Id(); }

    // The editor's text, lines separated by LF.
    [[nodiscard]] std::wstring Text() const { return drive::TextOf(editor_); }
    void Command(int command) const { drive::SendCommand(frame_, command); }
    // Closes the frame as its close button does; the exit code, or nothing when the program did not end.
    [[nodiscard]] std::optional<DWORD> Close() const { return process_->Close(kTimeoutMs); }

private:
    std::optional<drive::TavrinProcess> process_;
    HWND frame_ = nullptr;
    HWND editor_ = nullptr;
};

}  // namespace tavrin::e2e
