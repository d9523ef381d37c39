#pragma once
// Small painting steps shared by the side calendar, the title line and the year calendar.

#include "calendar/side_calendar.h"
#include "ui/canvas.h"

namespace tavrin {

// Moves the rectangle toward colour by level/256: a level of 256 or more is a solid fill (a blend at
// 256 would leave 1/256 of the old colour), 0 or less changes nothing.
void BlendOrFill(Canvas& canvas, const PixelRect& rect, int level, ColorRef colour);

// A day number ("%d") centred in its cell, with the drop shadow when the look asks for it and shadow
// is set (a number cut out of a solid box in the Back colour gets none).
void DrawNumber(Canvas& canvas, const CalendarLook& look, const PixelRect& cell, int day, FontRole font,
                ColorRef colour, bool shadow);

}  // namespace tavrin
