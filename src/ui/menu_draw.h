#pragma once
// How an owner-drawn menu item is measured and drawn. The shell draws each item through a Canvas on
// the menu work surface (as wide as the item, 32 pixels high) and copies it to the menu.

#include "app/settings_codec.h"
#include "ui/canvas.h"
#include "ui/menu_model.h"

namespace tavrin {

// Edit-control messages the search box menu uses as command values; they get the editing glyphs.
inline constexpr int kEditControlUndo = 0x00C7;  // EM_UNDO
inline constexpr int kWindowCut = 0x0300;        // WM_CUT
inline constexpr int kWindowCopy = 0x0301;       // WM_COPY
inline constexpr int kWindowPaste = 0x0302;      // WM_PASTE
inline constexpr int kWindowUndo = 0x0304;       // WM_UNDO

inline constexpr int kGlyphCheck = 432;
inline constexpr int kGlyphRadio = 448;

// The system colours a menu is drawn with: background M, highlight H, text and grey text.
struct MenuColours {
    ColorRef menu = 0;
    ColorRef highlight = 0;
    ColorRef text = 0;
    ColorRef greyText = 0;
};

// B: M moved 32/256 of the way toward H, the fill of selected items and check boxes.
[[nodiscard]] ColorRef MenuSelectedFill(const MenuColours& colours) noexcept;
// D: M with 32 taken from each channel (not below 0), the shade of lines and disabled outlines.
[[nodiscard]] ColorRef MenuShade(const MenuColours& colours) noexcept;

struct MenuItemSize {
    int width = 0;
    int height = 0;
    friend bool operator==(const MenuItemSize&, const MenuItemSize&) = default;
};

// A separator is 1 x 5; any other item as wide as its label and key text plus 48 in the menu font (at
// most half the screen width less 16) and as high as the text plus 4, at least 22. These are 96-DPI
// lengths, scaled for a menu on a screen of dpi (whose menu font is already that screen's).
[[nodiscard]] MenuItemSize MeasureMenuItem(const MenuItem& item, const TextMetricsSource& fonts,
                                           int screenWidth, int dpi = kBaseDpi);

// The glyph cell drawn at the item's left, or -1: the command's own glyph, else the check or radio
// mark for checked items.
[[nodiscard]] int MenuGlyphOf(const MenuItem& item) noexcept;

// Draws the item into rect (the whole item, usually at the origin of the work surface), scaled for the
// canvas's screen.
void DrawMenuItem(Canvas& canvas, const MenuItem& item, const PixelRect& rect, bool selected,
                  const MenuColours& colours);

}  // namespace tavrin
