#pragma once
// The DPI a window is drawn at. The program is per-monitor aware, so this is the DPI of the monitor
// the window is on (it changes with WM_DPICHANGED), not the system's.

#include <windows.h>

#include "ui/dpi.h"

namespace tavrin {

[[nodiscard]] inline int WindowDpi(HWND window) noexcept {
    const UINT dpi = window ? GetDpiForWindow(window) : 0;
    if (dpi > 0) {
        return static_cast<int>(dpi);
    }
    HDC screen = GetDC(nullptr);
    const int system = screen ? GetDeviceCaps(screen, LOGPIXELSY) : 0;
    if (screen) {
        ReleaseDC(nullptr, screen);
    }
    return system > 0 ? system : kBaseDpi;
}

// A 96-DPI length scaled for the window.
[[nodiscard]] inline int ScaleForWindow(HWND window, int length96) noexcept {
    return ScaleForDpi(length96, WindowDpi(window));
}

}  // namespace tavrin
