#pragma once
// The seam through which layout measures text. The window implements it with GDI fonts on a memory
// device context; tests use a measurer with fixed widths so row breaks can be asserted to the pixel.

#include <span>
#include <string_view>

namespace tavrin {

// Style bits of a font table entry.
inline constexpr int kFontBold = 1;
inline constexpr int kFontItalic = 2;
inline constexpr int kFontUnderline = 4;
inline constexpr int kFontStrikeOut = 8;

// What a font table entry asks for: face name, size in points and style bits. The measurer turns the
// point size into pixels with the screen's dots per inch.
struct FontRequest {
    std::u16string_view face;
    int points = 0;
    int style = 0;
};

// Pixel metrics of a created font: height is the line height the layout stacks rows with.
struct FontSlotMetrics {
    int height = 0;
    int ascent = 0;
};

// Creates fonts in numbered slots (0..31, the editor's font table) and measures text with them.
class TextMeasurer {
public:
    virtual ~TextMeasurer() = default;
    // Creates the font of a slot, replacing what the slot held, and returns its metrics.
    virtual FontSlotMetrics OpenFont(int slot, const FontRequest& request) = 0;
    // Width in pixels of text drawn as one run in the slot's font (one code unit, a surrogate pair
    // or a control character's name).
    virtual int MeasureText(int slot, std::u16string_view text) = 0;
    // Widths of each single code unit first..last into widths (widths.size() == last - first + 1).
    // Lets the window fill the ASCII range with one call; the default measures unit by unit.
    virtual void MeasureCodeUnits(int slot, char16_t first, char16_t last, std::span<int> widths) {
        for (char16_t unit = first; unit <= last && static_cast<std::size_t>(unit - first) < widths.size();
             ++unit) {
            const char16_t one[1] = {unit};
            widths[unit - first] = MeasureText(slot, std::u16string_view(one, 1));
        }
    }
};

}  // namespace tavrin
