#pragma once
// What the painting code of the frame, the calendars, the menus and the panes draws with. Painting code
// decides geometry, colours and texts and calls a Canvas; the shell implements it with GDI on a 32-bit
// DIB surface, and tests record the calls to assert what was drawn, where and in which colour.

#include <cstdint>
#include <string>
#include <string_view>

#include "app/settings_codec.h"
#include "ui/dpi.h"

namespace tavrin {

// A rectangle in pixels: left, top, width and height. Empty when width or height is 0 or less.
struct PixelRect {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;

    [[nodiscard]] int Right() const noexcept { return x + width; }
    [[nodiscard]] int Bottom() const noexcept { return y + height; }
    [[nodiscard]] bool Empty() const noexcept { return width <= 0 || height <= 0; }
    [[nodiscard]] bool Contains(int px, int py) const noexcept {
        return px >= x && px < x + width && py >= y && py < y + height;
    }
    friend bool operator==(const PixelRect&, const PixelRect&) = default;
};

// A font the canvas knows, by the role it plays. The shell creates the fonts from the settings.
enum class FontRole {
    kSmall,   // side-area small font (toolbar texts, calendar header texts)
    kMedium,  // side-area medium font (calendar days, title weekday and holiday)
    kLarge,   // side-area large font (calendar month number, title date)
    kMenu,    // the system's menu font
};

// Height, ascent and descent of a font in pixels.
struct FontMetrics {
    int height = 0;
    int ascent = 0;
    int descent = 0;
    friend bool operator==(const FontMetrics&, const FontMetrics&) = default;
};

// Measures text as the canvas will draw it.
class TextMetricsSource {
public:
    virtual ~TextMetricsSource() = default;
    [[nodiscard]] virtual FontMetrics Metrics(FontRole font) const = 0;
    [[nodiscard]] virtual int TextWidth(FontRole font, std::u16string_view text) const = 0;
};

// How a text is placed in its rectangle.
enum class TextAlign : std::uint8_t { kLeft, kCentre, kRight };

struct TextStyle {
    FontRole font = FontRole::kSmall;
    ColorRef colour = 0;
    TextAlign align = TextAlign::kLeft;
    bool verticalCentre = true;  // else the text's top is at the rectangle's top
    bool ellipsis = false;       // cut with "..." when it does not fit
    bool mnemonic = false;       // "&" underlines the next character and "&&" is a literal "&" (menu labels)
};

class Canvas : public TextMetricsSource {
public:
    // Opaque fill.
    virtual void Fill(const PixelRect& rect, ColorRef colour) = 0;
    // Moves the pixels toward colour by opacity/256 (0 to 256), as BlendRect does.
    virtual void Blend(const PixelRect& rect, int opacity, ColorRef colour) = 0;
    // A one-pixel outline just inside the rectangle.
    virtual void Outline(const PixelRect& rect, ColorRef colour) = 0;
    // One line of text in the rectangle, clipped to it.
    virtual void Text(const PixelRect& rect, std::u16string_view text, const TextStyle& style) = 0;
    // A cell of the toolbar glyph strip, as DrawGlyph does: cellX is the cell's offset in the 16-pixel
    // strip, and the glyph is drawn ScaleForDpi(16, Dpi()) pixels square.
    virtual void Glyph(int x, int y, int cellX, int opacity, ColorRef colour) = 0;
    // Restricts drawing to a rectangle until the matching PopClip; clips nest by intersection.
    virtual void PushClip(const PixelRect& rect) = 0;
    virtual void PopClip() = 0;
    // Lays the frame's background into the rectangle: the Back colour and, where the shell shows one,
    // the part of the background picture behind it. Painters that redraw part of the frame (the
    // month-change slide) start with it so that the picture continues under what they draw.
    virtual void Background(const PixelRect& rect, ColorRef back) { Fill(rect, back); }
    // The screen the canvas is drawn for: glyph sizes and the drop shadow's offset follow it.
    [[nodiscard]] virtual int Dpi() const { return kBaseDpi; }
};

// Draws text with the program's drop shadow: first in the shadow colour one pixel right and down (a
// line width of the canvas's screen), then in its own colour. Without a shadow only the second step
// happens.
void ShadowedText(Canvas& canvas, const PixelRect& rect, std::u16string_view text, const TextStyle& style,
                  bool dropShadow, ColorRef shadowColour);

// A frame of the given line width just inside the rectangle (Outline for a width of 1 or less).
void OutlineOfWidth(Canvas& canvas, const PixelRect& rect, int width, ColorRef colour);

// The same for a glyph of the strip.
void ShadowedGlyph(Canvas& canvas, int x, int y, int cellX, int opacity, ColorRef colour, bool dropShadow,
                   ColorRef shadowColour);

}  // namespace tavrin
