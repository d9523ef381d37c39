#pragma once
// Where the running program draws things, computed with the program's own layout code and fonts
// created the way the program creates them, so that a test can click where a user would.

#include <windows.h>

#include "app/settings.h"
#include "calendar/diary_date.h"
#include "ui/canvas.h"

namespace tavrin::e2e {

// The side calendar cell of a day of the selected month, in the frame's client pixels, for a
// program running on default settings.
[[nodiscard]] PixelRect SideCalendarDayCell(HWND frame, const DiaryDate& selected, int day);
// The same for a program running on the given settings (side-area fonts in メイリオ).
[[nodiscard]] PixelRect SideCalendarDayCell(HWND frame, const DiaryDate& selected, int day,
                                            const Settings& settings);

// The toolbar button of a toolbar hit code (2012 to 2021) on default settings.
[[nodiscard]] PixelRect ToolbarButton(HWND frame, const DiaryDate& selected, int hitCode);

}  // namespace tavrin::e2e
