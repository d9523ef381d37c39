#include "ui/canvas.h"

namespace tavrin {

void ShadowedText(Canvas& canvas, const PixelRect& rect, std::u16string_view text, const TextStyle& style,
                  bool dropShadow, ColorRef shadowColour) {
    if (dropShadow) {
        TextStyle shadow = style;
        shadow.colour = shadowColour;
        canvas.Text({rect.x + 1, rect.y + 1, rect.width, rect.height}, text, shadow);
    }
    canvas.Text(rect, text, style);
}

void ShadowedGlyph(Canvas& canvas, int x, int y, int cellX, int opacity, ColorRef colour, bool dropShadow,
                   ColorRef shadowColour) {
    if (dropShadow) {
        canvas.Glyph(x + 1, y + 1, cellX, opacity, shadowColour);
    }
    canvas.Glyph(x, y, cellX, opacity, colour);
}

}  // namespace tavrin
