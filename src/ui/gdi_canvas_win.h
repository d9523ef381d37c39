#pragma once
// The Canvas of the program: GDI text and the portable pixel operations on a 32-bit Surface.

#include <windows.h>

#include <vector>

#include "ui/canvas.h"
#include "ui/surface_win.h"

namespace tavrin {

// The font of each role; the canvas does not own them.
struct CanvasFonts {
    HFONT small = nullptr;
    HFONT medium = nullptr;
    HFONT large = nullptr;
    HFONT menu = nullptr;
};

class GdiCanvas final : public Canvas {
public:
    // glyphStrip may be empty (no glyphs are drawn then).
    GdiCanvas(Surface& target, const CanvasFonts& fonts, const SurfaceView& glyphStrip);

    [[nodiscard]] FontMetrics Metrics(FontRole font) const override;
    [[nodiscard]] int TextWidth(FontRole font, std::u16string_view text) const override;
    void Fill(const PixelRect& rect, ColorRef colour) override;
    void Blend(const PixelRect& rect, int opacity, ColorRef colour) override;
    void Outline(const PixelRect& rect, ColorRef colour) override;
    void Text(const PixelRect& rect, std::u16string_view text, const TextStyle& style) override;
    void Glyph(int x, int y, int cellX, int opacity, ColorRef colour) override;
    void PushClip(const PixelRect& rect) override;
    void PopClip() override;
    // The Back colour, then the part of the background picture (when one is set) inside the rectangle.
    void Background(const PixelRect& rect, ColorRef back) override;

    // The frame's background picture, with its top-left corner at (x, y) of the target; nullptr for
    // none. The canvas does not own it.
    void SetBackgroundPicture(const Surface* picture, int x, int y) noexcept;

private:
    [[nodiscard]] HFONT FontOf(FontRole font) const noexcept;
    // rect cut to the current clip.
    [[nodiscard]] PixelRect Clipped(const PixelRect& rect) const noexcept;

    Surface& target_;
    CanvasFonts fonts_;
    SurfaceView glyphStrip_;
    std::vector<PixelRect> clips_;
    const Surface* picture_ = nullptr;
    int pictureX_ = 0;
    int pictureY_ = 0;
};

}  // namespace tavrin
