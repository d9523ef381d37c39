#include "ui/surface.h"

#include <algorithm>
#include <array>

namespace tavrin {
namespace {

// One channel moved toward its target by weight/256; the division truncates toward zero as the
// integer arithmetic of the original drawing code does, so results match pixel for pixel.
constexpr std::uint32_t Mix(std::uint32_t channel, std::uint32_t target, int weight) noexcept {
    const int c = static_cast<int>(channel);
    return static_cast<std::uint32_t>(c + weight * (static_cast<int>(target) - c) / 256);
}

constexpr std::uint32_t MixPixel(std::uint32_t pixel, std::uint32_t target, int weight) noexcept {
    const std::uint32_t red = Mix((pixel >> 16) & 0xFF, (target >> 16) & 0xFF, weight);
    const std::uint32_t green = Mix((pixel >> 8) & 0xFF, (target >> 8) & 0xFF, weight);
    const std::uint32_t blue = Mix(pixel & 0xFF, target & 0xFF, weight);
    return (pixel & 0xFF000000u) | (red << 16) | (green << 8) | blue;
}

}  // namespace

namespace {

int RoundUpToStep(int size, int step) noexcept {
    if (step <= 0) {
        return size;
    }
    const long long rounded = (static_cast<long long>(size) + step - 1) / step * step;
    return rounded > 0x7FFFFFFF ? size : static_cast<int>(rounded);
}

}  // namespace

SurfaceView SubView(const SurfaceView& view, int x, int y, int width, int height) noexcept {
    if (!view.Valid() || width <= 0 || height <= 0) {
        return {};
    }
    const long long left = std::max<long long>(x, 0);
    const long long top = std::max<long long>(y, 0);
    const long long right = std::min<long long>(static_cast<long long>(x) + width, view.width);
    const long long bottom = std::min<long long>(static_cast<long long>(y) + height, view.height);
    if (left >= right || top >= bottom) {
        return {};
    }
    return {view.top + top * view.rowStep + left * 4, static_cast<int>(right - left),
            static_cast<int>(bottom - top), view.rowStep};
}

SurfaceSize DecideSurfaceSize(bool valid, int currentWidth, int currentHeight, int stepX, int stepY,
                              int requestWidth, int requestHeight) noexcept {
    const bool stepped = stepX > 0 || stepY > 0;
    if (stepped && valid && requestWidth > currentWidth - stepX && requestWidth <= currentWidth &&
        requestHeight > currentHeight - stepY && requestHeight <= currentHeight) {
        return {currentWidth, currentHeight, true};
    }
    return {RoundUpToStep(requestWidth, stepX), RoundUpToStep(requestHeight, stepY), false};
}

void FillSurface(const SurfaceView& surface, ColorRef colour) noexcept {
    if (!surface.Valid()) {
        return;
    }
    const std::uint32_t pixel = PixelOf(colour);
    for (int y = 0; y < surface.height; ++y) {
        std::fill_n(surface.Row(y), surface.width, pixel);
    }
}

void BlendRect(const SurfaceView& surface, int x, int y, int width, int height, int opacity,
               ColorRef colour) noexcept {
    if (!surface.Valid() || width <= 0 || height <= 0) {
        return;
    }
    const int left = std::max(x, 0);
    const int top = std::max(y, 0);
    const int right = static_cast<int>(std::min<long long>(static_cast<long long>(x) + width, surface.width));
    const int bottom =
        static_cast<int>(std::min<long long>(static_cast<long long>(y) + height, surface.height));
    const int weight = std::clamp(opacity, 0, 256) * 255 / 256;
    const std::uint32_t target = PixelOf(colour);
    for (int row = top; row < bottom; ++row) {
        std::uint32_t* pixels = surface.Row(row);
        for (int column = left; column < right; ++column) {
            pixels[column] = MixPixel(pixels[column], target, weight);
        }
    }
}

void DrawGlyph(const SurfaceView& target, int x, int y, const SurfaceView& glyphs, int cellX, int opacity,
               ColorRef colour, int cell) noexcept {
    const int kCell = cell;
    if (!target.Valid() || !glyphs.Valid() || cell <= 0) {
        return;
    }
    const std::uint32_t ink = PixelOf(colour);
    const int clampedOpacity = std::clamp(opacity, 0, 256);
    for (int row = 0; row < kCell; ++row) {
        const int targetY = y + row;
        if (targetY < 0 || targetY >= target.height || row >= glyphs.height) {
            continue;
        }
        const std::uint32_t* source = glyphs.Row(row);
        std::uint32_t* pixels = target.Row(targetY);
        for (int column = 0; column < kCell; ++column) {
            const int sourceX = cellX + column;
            const int targetX = x + column;
            if (sourceX < 0 || sourceX >= glyphs.width || targetX < 0 || targetX >= target.width) {
                continue;
            }
            const int coverage = static_cast<int>(source[sourceX] & 0xFF);
            if (coverage == 0) {
                continue;
            }
            const int weight = ((clampedOpacity * coverage) / 256) & 0xFF;
            pixels[targetX] = MixPixel(pixels[targetX], ink, weight);
        }
    }
}

namespace {

// How much of source pixel i (of size 1) lies inside the target pixel that spans [from, to) in source
// pixels.
double Overlap(int i, double from, double to) noexcept {
    return std::max(0.0, std::min<double>(i + 1, to) - std::max<double>(i, from));
}

}  // namespace

MemorySurface ResampleGlyphStrip(const SurfaceView& source, int sourceCell, int cell) {
    if (!source.Valid() || sourceCell <= 0 || cell <= 0) {
        return MemorySurface(0, 0);
    }
    const int cells = source.width / sourceCell;
    MemorySurface target(cells * cell, cell);
    const double ratio = static_cast<double>(sourceCell) / cell;
    const int rows = std::min(source.height, sourceCell);
    for (int ty = 0; ty < cell; ++ty) {
        const double top = ty * ratio;
        const double bottom = std::min<double>((ty + 1) * ratio, rows);
        for (int tx = 0; tx < cells * cell; ++tx) {
            const int c = tx / cell;
            const double left = c * sourceCell + (tx % cell) * ratio;
            const double right = left + ratio;
            std::array<double, 3> sum{};
            double weight = 0;
            for (int sy = static_cast<int>(top); sy < bottom; ++sy) {
                const double wy = Overlap(sy, top, bottom);
                const std::uint32_t* row = source.Row(sy);
                for (int sx = static_cast<int>(left); sx < right && sx < source.width; ++sx) {
                    const double w = wy * Overlap(sx, left, right);
                    for (int channel = 0; channel < 3; ++channel) {
                        sum[static_cast<std::size_t>(channel)] += w * ((row[sx] >> (8 * channel)) & 0xFF);
                    }
                    weight += w;
                }
            }
            std::uint32_t pixel = 0;
            for (int channel = 0; channel < 3; ++channel) {
                const double mean = weight > 0 ? sum[static_cast<std::size_t>(channel)] / weight : 0;
                pixel |= static_cast<std::uint32_t>(std::clamp(mean + 0.5, 0.0, 255.0)) << (8 * channel);
            }
            target.SetPixel(tx, ty, pixel);
        }
    }
    return target;
}

MemorySurface::MemorySurface(int width, int height, ColorRef fill)
    : width_(std::max(width, 0)),
      height_(std::max(height, 0)),
      pixels_(static_cast<std::size_t>(width_) * static_cast<std::size_t>(height_), PixelOf(fill)) {}

SurfaceView MemorySurface::View() noexcept {
    return {reinterpret_cast<std::byte*>(pixels_.data()), width_, height_,
            static_cast<std::ptrdiff_t>(width_) * 4};
}

std::uint32_t MemorySurface::Pixel(int x, int y) const {
    return pixels_.at(static_cast<std::size_t>(y) * static_cast<std::size_t>(width_) +
                      static_cast<std::size_t>(x));
}

void MemorySurface::SetPixel(int x, int y, std::uint32_t pixel) {
    pixels_.at(static_cast<std::size_t>(y) * static_cast<std::size_t>(width_) + static_cast<std::size_t>(x)) =
        pixel;
}

}  // namespace tavrin
