// Process entry of tavrin.exe.
#include <windows.h>

#include "app/startup_win.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR commandLine, int showCommand) {
    return tavrin::RunTavrin(instance, commandLine, showCommand);
}
