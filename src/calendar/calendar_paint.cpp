#include "calendar/calendar_paint.h"

#include "platform/text.h"

namespace tavrin {

void BlendOrFill(Canvas& canvas, const PixelRect& rect, int level, ColorRef colour) {
    if (rect.Empty() || level <= 0) {
        return;
    }
    if (level >= 256) {
        canvas.Fill(rect, colour);
    } else {
        canvas.Blend(rect, level, colour);
    }
}

void DrawNumber(Canvas& canvas, const CalendarLook& look, const PixelRect& cell, int day, FontRole font,
                ColorRef colour, bool shadow) {
    TextStyle style;
    style.font = font;
    style.colour = colour;
    style.align = TextAlign::kCentre;
    ShadowedText(canvas, cell, Decimal(day), style, shadow && look.dropShadow, look.back);
}

}  // namespace tavrin
