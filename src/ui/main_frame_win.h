#pragma once
// The main frame window, class TavrinMainFrame: the program's top-level window.

#include <windows.h>

#include "app/app_win.h"

namespace tavrin {

inline constexpr wchar_t kMainFrameClassName[] = L"TavrinMainFrame";

// Registers the frame's class (double clicks, icon 101, arrow cursor, black background, no menu).
[[nodiscard]] bool RegisterMainFrameClass(HINSTANCE instance);

// Creates the frame at the saved geometry; it posts itself StartupCommand, which shows it. Stores the
// handle in app.shell.frame; false when the window cannot be created.
[[nodiscard]] bool CreateMainFrame(App& app);

// The frame's placement as the settings file and RestoreCommand need it.
[[nodiscard]] FrameGeometry FrameGeometryOf(const App& app);

// The window a wheel message at the screen point is meant for, or nullptr to let it go its normal way:
// in calendar mode always the frame; in edit mode the editor under the cursor, and while the sidebar
// is shown the search box, the search list, or the frame over the side calendar.
[[nodiscard]] HWND WheelTargetAt(const App& app, POINT screenPoint);

}  // namespace tavrin
