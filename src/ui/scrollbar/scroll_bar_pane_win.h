#pragma once
// The ScrollBarPane window: the program's own thin translucent scroll bar. It keeps a position in a
// range, paints a 4-pixel thumb over its owner's background colour and picture, answers clicks,
// drags, auto-repeat and a context menu, and reports changes to its parent as WM_VSCROLL (vertical)
// or WM_HSCROLL with lParam 0; the parent then reads the position with SBP_GETPOS.

#include <windows.h>

#include "ui/scrollbar/scroll_bar_messages.h"

namespace tavrin {

// Registers the class (arrow cursor, no background brush). True when registered or already there.
[[nodiscard]] bool RegisterScrollBarPaneClass(HINSTANCE instance);

// Creates a child bar (WS_CHILD, plus the vertical style bit) with the given control identifier.
// The owner then sends SBP_SETSTYLE, SBP_SETCOLORS and SBP_SETALPHA, places it and shows it.
[[nodiscard]] HWND CreateScrollBarPane(HWND parent, int id, bool vertical);

}  // namespace tavrin
