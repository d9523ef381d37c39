#pragma once
// The program's whole run-time context: the portable application state, the system services behind
// the core's seams, and the shell's own handles. One App is owned by the process entry and reached by
// every window through its state.

#include <windows.h>

#include <memory>

#include "app/app_state.h"
#include "platform/clock.h"
#include "platform/file_system.h"

namespace tavrin {

// Window handles and other resources that only the Win32 shell knows. A handle is nullptr while its
// window does not exist.
struct ShellState {
    HINSTANCE instance = nullptr;
    HWND frame = nullptr;
    HWND editor = nullptr;        // MarkupEditPane
    HWND searchBox = nullptr;     // standard single-line edit control
    HWND searchList = nullptr;    // SearchListPane
    HWND searchScroll = nullptr;  // the search list's ScrollBarPane
    HWND jumpDialog = nullptr;    // the modeless jump dialog while it is open
    HACCEL accelerators = nullptr;
};

struct App {
    AppState state;
    ShellState shell;
    std::unique_ptr<FileSystem> fs;
    std::unique_ptr<Clock> clock;
};

// Private commands the frame receives as WM_COMMAND.
inline constexpr WORD kStartupCommand = 32968;
inline constexpr WORD kActivateCommand = 32969;
inline constexpr WORD kRestoreCommand = 32970;

}  // namespace tavrin
