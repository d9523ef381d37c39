#pragma once

#include <windows.h>

namespace tavrin {

// The modal about box with the program's name and version.
void ShowAboutBox(HINSTANCE instance, HWND owner);

}  // namespace tavrin
