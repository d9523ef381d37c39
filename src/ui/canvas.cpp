#include "ui/canvas.h"

#include <algorithm>

namespace tavrin {

void ShadowedText(Canvas& canvas, const PixelRect& rect, std::u16string_view text, const TextStyle& style,
                  bool dropShadow, ColorRef shadowColour) {
    if (dropShadow) {
        TextStyle shadow = style;
        shadow.colour = shadowColour;
        const int offset = ScaleLineForDpi(1, canvas.Dpi());
        canvas.Text({rect.x + offset, rect.y + offset, rect.width, rect.height}, text, shadow);
    }
    canvas.Text(rect, text, style);
}

void OutlineOfWidth(Canvas& canvas, const PixelRect& rect, int width, ColorRef colour) {
    if (rect.Empty()) {
        return;
    }
    if (width <= 1) {
        canvas.Outline(rect, colour);
        return;
    }
    width = std::min({width, (rect.width + 1) / 2, (rect.height + 1) / 2});
    canvas.Fill({rect.x, rect.y, rect.width, width}, colour);
    canvas.Fill({rect.x, rect.Bottom() - width, rect.width, width}, colour);
    canvas.Fill({rect.x, rect.y + width, width, rect.height - 2 * width}, colour);
    canvas.Fill({rect.Right() - width, rect.y + width, width, rect.height - 2 * width}, colour);
}

void ShadowedGlyph(Canvas& canvas, int x, int y, int cellX, int opacity, ColorRef colour, bool dropShadow,
                   ColorRef shadowColour) {
    if (dropShadow) {
        const int offset = ScaleLineForDpi(1, canvas.Dpi());
        canvas.Glyph(x + offset, y + offset, cellX, opacity, shadowColour);
    }
    canvas.Glyph(x, y, cellX, opacity, colour);
}

}  // namespace tavrin
