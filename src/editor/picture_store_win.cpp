#include "editor/picture_store_win.h"

// GDI+ needs the COM declarations first.
#include <objidl.h>

#include <gdiplus.h>

#include <algorithm>
#include <optional>
#include <string>
#include <vector>

#include "editor/picture_header.h"
#include "platform/wide_win.h"

namespace tavrin {
namespace {

// An entry holds at most this many pictures (the layout's limit is 50; the rest keep placeholders).
constexpr int kMaxSlots = 1024;
// Pictures wider than the screen are kept at screen width: they are never shown wider than the
// editor, and a photo kept at full size would cost tens of megabytes.
constexpr int kMinKeptWidth = 1920;
constexpr int kMaxKeptWidth = 8192;

}  // namespace

namespace {

// The first bytes of the file, enough for PictureSizeFromHeader; empty when it cannot be read.
std::vector<std::byte> ReadHead(const std::u16string& path) {
    std::vector<std::byte> head;
    HANDLE file = CreateFileW(Wide(path), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return head;
    }
    head.resize(kPictureHeaderBytes);
    DWORD read = 0;
    if (!ReadFile(file, head.data(), static_cast<DWORD>(head.size()), &read, nullptr)) {
        read = 0;
    }
    CloseHandle(file);
    head.resize(read);
    return head;
}

bool TooLargeToKeep(long long width, long long height) noexcept {
    return width * height > kMaxPicturePixels || width > 0x7FFF || height > 0x7FFF;
}

// Draws the image into the surface, faded to the opacity through a colour matrix on its alpha.
bool DrawPicture(Gdiplus::Image& image, Surface& surface, int width, int height, int opacityPercent) {
    Gdiplus::Graphics graphics(surface.Dc());
    graphics.SetInterpolationMode(width < static_cast<int>(image.GetWidth())
                                      ? Gdiplus::InterpolationModeHighQualityBicubic
                                      : Gdiplus::InterpolationModeDefault);
    if (opacityPercent >= 100) {
        return graphics.DrawImage(&image, 0, 0, width, height) == Gdiplus::Ok;
    }
    Gdiplus::ColorMatrix fade = {{{1, 0, 0, 0, 0},
                                  {0, 1, 0, 0, 0},
                                  {0, 0, 1, 0, 0},
                                  {0, 0, 0, static_cast<Gdiplus::REAL>(std::max(opacityPercent, 0)) / 100, 0},
                                  {0, 0, 0, 0, 1}}};
    Gdiplus::ImageAttributes attributes;
    attributes.SetColorMatrix(&fade);
    const Gdiplus::Rect target(0, 0, width, height);
    return graphics.DrawImage(&image, target, 0, 0, static_cast<INT>(image.GetWidth()),
                              static_cast<INT>(image.GetHeight()), Gdiplus::UnitPixel,
                              &attributes) == Gdiplus::Ok;
}

}  // namespace

PictureLoad LoadPictureToSurface(HWND window, Surface& surface, std::u16string_view file, COLORREF background,
                                 int opacityPercent, int maxWidth, PictureSize* natural) {
    if (natural != nullptr) {
        *natural = {};
    }
    const std::u16string path(file);
    if (path.empty() || path.find(u'\0') != std::u16string::npos) {
        return PictureLoad::Missing;
    }
    const DWORD attributes = GetFileAttributesW(Wide(path));
    if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
        return PictureLoad::Missing;
    }
    // Some decoders decode the whole picture as soon as it is opened: a picture too large to keep is
    // refused from its header first.
    if (const std::optional<PictureSize> stated = PictureSizeFromHeader(ReadHead(path));
        stated && TooLargeToKeep(stated->width, stated->height)) {
        return PictureLoad::TooLarge;
    }
    Gdiplus::Image image(Wide(path));
    if (image.GetLastStatus() != Gdiplus::Ok) {
        return PictureLoad::Undecodable;
    }
    const long long width = image.GetWidth();
    const long long height = image.GetHeight();
    if (width <= 0 || height <= 0) {
        return PictureLoad::Undecodable;
    }
    if (TooLargeToKeep(width, height)) {
        return PictureLoad::TooLarge;
    }
    const int keptWidth = static_cast<int>(maxWidth > 0 ? std::min<long long>(width, maxWidth) : width);
    const int keptHeight = std::max(1, static_cast<int>(height * keptWidth / width));
    if (!CreateSurface(window, surface, 32, keptWidth, keptHeight, static_cast<ColorRef>(background))) {
        return PictureLoad::NoSurface;
    }
    // GDI+ may read the surface as pixels with alpha: the background must be fully opaque under a
    // faded picture.
    const SurfaceView view = surface.View();
    const std::uint32_t opaque = PixelOf(static_cast<ColorRef>(background)) | 0xFF000000u;
    for (int y = 0; y < view.height; ++y) {
        std::fill_n(view.Row(y), view.width, opaque);
    }
    if (!DrawPicture(image, surface, keptWidth, keptHeight, opacityPercent)) {
        ReleaseSurface(surface);
        return PictureLoad::Undecodable;
    }
    if (natural != nullptr) {
        *natural = {static_cast<int>(width), static_cast<int>(height)};
    }
    return PictureLoad::Loaded;
}

PictureStore::PictureStore(HWND window) : window_(window) {
    maxWidth_ = std::clamp(GetSystemMetrics(SM_CXVIRTUALSCREEN), kMinKeptWidth, kMaxKeptWidth);
}

PictureSize PictureStore::LoadPicture(int index, std::u16string_view name) {
    if (index < 0 || index >= kMaxSlots) {
        return {};
    }
    if (pictures_.size() <= static_cast<std::size_t>(index)) {
        pictures_.resize(static_cast<std::size_t>(index) + 1);
    }
    auto surface = std::make_unique<Surface>();
    PictureSize natural;
    if (LoadPictureToSurface(window_, *surface, name, background_, 100, maxWidth_, &natural) !=
        PictureLoad::Loaded) {
        pictures_[static_cast<std::size_t>(index)].reset();
        return {};
    }
    pictures_[static_cast<std::size_t>(index)] = std::move(surface);
    return natural;
}

void PictureStore::ReleasePictures(int count) {
    if (count >= 0 && static_cast<std::size_t>(count) < pictures_.size()) {
        pictures_.resize(static_cast<std::size_t>(count));
    }
}

void PictureStore::Draw(HDC target, int index, const EditorRect& rect) const {
    if (index < 0 || static_cast<std::size_t>(index) >= pictures_.size() || rect.Empty()) {
        return;
    }
    const Surface* picture = pictures_[static_cast<std::size_t>(index)].get();
    if (picture == nullptr || !picture->Valid()) {
        return;
    }
    if (rect.width == picture->Width() && rect.height == picture->Height()) {
        BitBlt(target, rect.x, rect.y, rect.width, rect.height, picture->Dc(), 0, 0, SRCCOPY);
        return;
    }
    SetStretchBltMode(target, HALFTONE);
    SetBrushOrgEx(target, 0, 0, nullptr);
    StretchBlt(target, rect.x, rect.y, rect.width, rect.height, picture->Dc(), 0, 0, picture->Width(),
               picture->Height(), SRCCOPY);
}

}  // namespace tavrin
