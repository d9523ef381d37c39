#include "ui/surface_win.h"

namespace tavrin {

Surface::~Surface() { ReleaseSurface(*this); }

SurfaceView Surface::View() const noexcept {
    if (!valid_ || bitsPerPixel_ != 32) {
        return {};
    }
    // A bottom-up DIB keeps its top row last in memory.
    return {bits_ + (height_ - 1) * stride_, width_, height_, -stride_};
}

bool CreateSurface(HWND window, Surface& surface, int bitsPerPixel, int width, int height, ColorRef fill) {
    if (width <= 0 || height <= 0 || (bitsPerPixel != 24 && bitsPerPixel != 32)) {
        return false;
    }
    const SurfaceSize size =
        DecideSurfaceSize(surface.valid_ && surface.bitsPerPixel_ == bitsPerPixel, surface.width_,
                          surface.height_, surface.stepX, surface.stepY, width, height);
    if (size.keepExisting) {
        return true;
    }
    ReleaseSurface(surface);

    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = size.width;
    info.bmiHeader.biHeight = size.height;  // positive: bottom-up
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = static_cast<WORD>(bitsPerPixel);
    info.bmiHeader.biCompression = BI_RGB;

    HDC windowDc = GetDC(window);
    surface.dc_ = CreateCompatibleDC(windowDc);
    void* bits = nullptr;
    surface.bitmap_ =
        surface.dc_ ? CreateDIBSection(windowDc, &info, DIB_RGB_COLORS, &bits, nullptr, 0) : nullptr;
    ReleaseDC(window, windowDc);
    if (!surface.bitmap_ || !bits) {
        ReleaseSurface(surface);
        return false;
    }
    surface.previousBitmap_ = SelectObject(surface.dc_, surface.bitmap_);
    surface.bits_ = static_cast<std::byte*>(bits);
    surface.width_ = size.width;
    surface.height_ = size.height;
    surface.bitsPerPixel_ = bitsPerPixel;
    surface.stride_ = DibStride(bitsPerPixel, size.width);
    surface.valid_ = true;
    SetBkMode(surface.dc_, TRANSPARENT);
    SetStretchBltMode(surface.dc_, HALFTONE);
    SetBrushOrgEx(surface.dc_, 0, 0, nullptr);

    if (bitsPerPixel == 32) {
        FillSurface(surface.View(), fill);
    } else {
        HBRUSH brush = CreateSolidBrush(static_cast<COLORREF>(fill));
        const RECT all{0, 0, size.width, size.height};
        FillRect(surface.dc_, &all, brush);
        DeleteObject(brush);
    }
    return true;
}

void ReleaseSurface(Surface& surface) {
    if (surface.dc_) {
        if (surface.previousBitmap_) {
            SelectObject(surface.dc_, surface.previousBitmap_);
        }
        DeleteDC(surface.dc_);
    }
    if (surface.bitmap_) {
        DeleteObject(surface.bitmap_);
    }
    surface.dc_ = nullptr;
    surface.bitmap_ = nullptr;
    surface.previousBitmap_ = nullptr;
    surface.bits_ = nullptr;
    surface.width_ = 0;
    surface.height_ = 0;
    surface.bitsPerPixel_ = 0;
    surface.stride_ = 0;
    surface.valid_ = false;
}

void CopySurfaceTo(const Surface& surface, HDC target, const RECT& rect) {
    if (!surface.Valid()) {
        return;
    }
    BitBlt(target, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top, surface.Dc(),
           rect.left, rect.top, SRCCOPY);
}

}  // namespace tavrin
