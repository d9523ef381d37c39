#pragma once
// Pixel operations on 32-bit off-screen surfaces. The pixels are those of a Windows DIB section
// (blue, green, red, and a top byte per pixel, little-endian), addressed top row first through a
// row step that is negative for the usual bottom-up bitmap. The shell owns the bitmaps; these
// functions only compute, so they are tested without a window.

#include <cstddef>
#include <cstdint>
#include <vector>

#include "app/settings_codec.h"

namespace tavrin {

// A window onto 32-bit pixels: row y starts at top + y x rowStep bytes.
struct SurfaceView {
    std::byte* top = nullptr;
    int width = 0;
    int height = 0;
    std::ptrdiff_t rowStep = 0;

    [[nodiscard]] bool Valid() const noexcept { return top && width > 0 && height > 0; }
    [[nodiscard]] std::uint32_t* Row(int y) const noexcept {
        return reinterpret_cast<std::uint32_t*>(top + static_cast<std::ptrdiff_t>(y) * rowStep);
    }
};

// The part of a view inside rect (clipped to the view); empty when they do not meet. Pixel (0, 0) of
// the result is pixel (rect.x, rect.y) of the view, or the first one inside the view.
[[nodiscard]] SurfaceView SubView(const SurfaceView& view, int x, int y, int width, int height) noexcept;

// The row stride of a DIB: ((bits x width + 31) / 32) x 4 bytes.
[[nodiscard]] constexpr std::ptrdiff_t DibStride(int bitsPerPixel, int width) noexcept {
    return ((static_cast<std::ptrdiff_t>(bitsPerPixel) * width + 31) / 32) * 4;
}

// The pixel value of a colour: its red, green and blue with the top byte 0.
[[nodiscard]] constexpr std::uint32_t PixelOf(ColorRef colour) noexcept {
    return ((colour & 0xFFu) << 16) | (colour & 0xFF00u) | ((colour >> 16) & 0xFFu);
}
[[nodiscard]] constexpr ColorRef ColourOfPixel(std::uint32_t pixel) noexcept {
    return MakeColorRef((pixel >> 16) & 0xFFu, (pixel >> 8) & 0xFFu, pixel & 0xFFu);
}

// The size a surface gets for a request. With a size step, a surface that already exists keeps its
// size (and its pixels) while the request lies within one step below it in both directions; otherwise
// the request is rounded up to whole steps. Without a step the size is exact.
struct SurfaceSize {
    int width = 0;
    int height = 0;
    bool keepExisting = false;
    friend bool operator==(const SurfaceSize&, const SurfaceSize&) = default;
};
[[nodiscard]] SurfaceSize DecideSurfaceSize(bool valid, int currentWidth, int currentHeight, int stepX,
                                            int stepY, int requestWidth, int requestHeight) noexcept;

// Sets every pixel to the colour, top byte 0.
void FillSurface(const SurfaceView& surface, ColorRef colour) noexcept;

// Moves every pixel of the rectangle (clipped to the surface) toward the colour: with
// o = opacity x 255 / 256, each channel c becomes c + o x (target - c) / 256. The top byte is kept.
// Opacity runs from 0 (nothing changes) to 256.
void BlendRect(const SurfaceView& surface, int x, int y, int width, int height, int opacity,
               ColorRef colour) noexcept;

// Paints the cell x cell square at cellX of a glyph strip into the target at (x, y), clipped to both.
// The strip's blue channel is the coverage u: each target channel c becomes c + w x (colour - c) / 256
// with w = (opacity x u) / 256 in its low 8 bits; pixels with no coverage stay. The program's strip has
// 16-pixel cells; strips drawn for other screens have larger ones.
void DrawGlyph(const SurfaceView& target, int x, int y, const SurfaceView& glyphs, int cellX, int opacity,
               ColorRef colour, int cell = 16) noexcept;

class MemorySurface;

// The glyph strip resampled from cells of sourceCell pixels to cells of cell pixels: each target pixel
// is the area-weighted mean of the source pixels it covers, per channel, so that a strip drawn at twice
// the size stays smooth at 125 % and 150 %. The strip keeps its number of cells.
[[nodiscard]] MemorySurface ResampleGlyphStrip(const SurfaceView& source, int sourceCell, int cell);

// A 32-bit surface in memory, top-down, for tests and for work that needs no device context.
class MemorySurface {
public:
    MemorySurface(int width, int height, ColorRef fill = 0);
    [[nodiscard]] SurfaceView View() noexcept;
    [[nodiscard]] std::uint32_t Pixel(int x, int y) const;
    [[nodiscard]] ColorRef Colour(int x, int y) const { return ColourOfPixel(Pixel(x, y)); }
    void SetPixel(int x, int y, std::uint32_t pixel);
    [[nodiscard]] int Width() const noexcept { return width_; }
    [[nodiscard]] int Height() const noexcept { return height_; }

private:
    int width_;
    int height_;
    std::vector<std::uint32_t> pixels_;
};

}  // namespace tavrin
