#pragma once
// The Win32 side of an off-screen surface: a memory device context with a bottom-up DIB section of 24
// or 32 bits selected into it. Pixel work on 32-bit surfaces goes through the portable operations of
// surface.h on View().

#include <windows.h>

#include "ui/surface.h"

namespace tavrin {

// Owns its device context and bitmap; copying is not allowed. stepX/stepY: 0 for exact sizes,
// otherwise sizes are rounded up to whole steps and a surface that is large enough is kept.
class Surface {
public:
    Surface() = default;
    Surface(int stepX, int stepY) : stepX(stepX), stepY(stepY) {}
    Surface(const Surface&) = delete;
    Surface& operator=(const Surface&) = delete;
    ~Surface();

    [[nodiscard]] HDC Dc() const noexcept { return dc_; }
    [[nodiscard]] bool Valid() const noexcept { return valid_; }
    [[nodiscard]] int Width() const noexcept { return width_; }
    [[nodiscard]] int Height() const noexcept { return height_; }
    [[nodiscard]] int BitsPerPixel() const noexcept { return bitsPerPixel_; }
    [[nodiscard]] std::ptrdiff_t Stride() const noexcept { return stride_; }
    // The pixels of a 32-bit surface, top row first; empty for 24-bit or invalid surfaces.
    [[nodiscard]] SurfaceView View() const noexcept;

    int stepX = 0;
    int stepY = 0;

private:
    friend bool CreateSurface(HWND window, Surface& surface, int bitsPerPixel, int width, int height,
                              ColorRef fill);
    friend void ReleaseSurface(Surface& surface);

    HDC dc_ = nullptr;
    HBITMAP bitmap_ = nullptr;
    HGDIOBJ previousBitmap_ = nullptr;
    std::byte* bits_ = nullptr;
    int width_ = 0;
    int height_ = 0;
    int bitsPerPixel_ = 0;
    std::ptrdiff_t stride_ = 0;
    bool valid_ = false;
};

// Makes the surface width x height (after the size-step rule) and fills it with the colour. Fails for
// sizes of 0 or less and depths other than 24 and 32, leaving the surface as it was; when the bitmap
// cannot be made, the surface is left released.
bool CreateSurface(HWND window, Surface& surface, int bitsPerPixel, int width, int height, ColorRef fill);

// Frees device context and bitmap; the surface becomes invalid with size 0.
void ReleaseSurface(Surface& surface);

// Copies the surface's rectangle to a device context at the same position.
void CopySurfaceTo(const Surface& surface, HDC target, const RECT& rect);

}  // namespace tavrin
