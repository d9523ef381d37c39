#pragma once
// What the editor's painter draws with. The painter decides every position, colour and text; the
// window implements this with GDI on its off-screen 32-bit surface, and tests record the calls.
// Fonts are the slots of the editor's FontTable. Colours are 0x00BBGGRR values.

#include <cstdint>
#include <span>
#include <string_view>

namespace tavrin {

// A rectangle in client pixels: left, top, width, height. Empty when width or height is 0 or less.
struct EditorRect {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
    [[nodiscard]] bool Empty() const noexcept { return width <= 0 || height <= 0; }
    [[nodiscard]] bool Contains(int px, int py) const noexcept {
        return px >= x && px < x + width && py >= y && py < y + height;
    }
    friend bool operator==(const EditorRect&, const EditorRect&) = default;
};

// How a one-line label sits in its rectangle (always vertically centred).
enum class LabelPlacement : std::uint8_t {
    Centred,
    Right,
    PathEllipsis,  // left-aligned, shortened in the middle with "..." when too long
};

class EditorCanvas {
public:
    virtual ~EditorCanvas() = default;
    // Opaque fill (clipped to the surface).
    virtual void Fill(const EditorRect& rect, std::uint32_t colour) = 0;
    // Moves every pixel toward colour by opacity / 256, the surface's blend rule.
    virtual void Blend(const EditorRect& rect, int opacity, std::uint32_t colour) = 0;
    // A one-pixel outline just inside the rectangle.
    virtual void Frame(const EditorRect& rect, std::uint32_t colour) = 0;
    // The background picture, once, at its own size with its top-left corner at (x, y).
    virtual void BackPicture(int x, int y) = 0;
    // Picture number index of the entry, scaled into rect (copied when rect has its own size).
    virtual void Picture(int index, const EditorRect& rect) = 0;
    // Text whose top-left is (x, y); advances holds the pen step after each code unit (empty: the
    // font's own steps).
    virtual void Glyphs(int slot, int x, int y, std::u16string_view text, std::span<const int> advances,
                        std::uint32_t colour) = 0;
    // One line of text, vertically centred in rect and clipped to it.
    virtual void Label(int slot, const EditorRect& rect, std::u16string_view text, LabelPlacement placement,
                       std::uint32_t colour) = 0;
    [[nodiscard]] virtual int LabelWidth(int slot, std::u16string_view text) = 0;
    // Height of text broken into centred lines at word breaks to fit width.
    [[nodiscard]] virtual int WrappedHeight(int slot, int width, std::u16string_view text) = 0;
    // Text broken into centred lines, from the top of rect, clipped to it.
    virtual void Wrapped(int slot, const EditorRect& rect, std::u16string_view text,
                         std::uint32_t colour) = 0;
};

}  // namespace tavrin
