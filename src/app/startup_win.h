#pragma once

#include <windows.h>

#include "app/app_win.h"

namespace tavrin {

// The whole life of the process: start-up, the message loop and the exit code.
[[nodiscard]] int RunTavrin(HINSTANCE instance, const wchar_t* commandLine, int showCommand);

// Starts a new copy with "/reboot" after a reset of all settings and closes this one, whose shutdown
// then deletes the settings file. Reports error 201 when that is not possible and clears the request.
void RestartAfterReset(App& app);

// The message loop: the jump dialog and the accelerators first, then wheel and extra-button routing.
// Returns the quit message's code.
[[nodiscard]] int RunMessageLoop(App& app);

}  // namespace tavrin
