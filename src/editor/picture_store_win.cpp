#include "editor/picture_store_win.h"

// GDI+ needs the COM declarations first.
#include <objidl.h>

#include <gdiplus.h>

#include <algorithm>
#include <string>

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

PictureLoad LoadPictureFile(HWND window, std::u16string_view file, COLORREF background, int maxWidth,
                            Surface& surface, PictureSize& natural) {
    natural = {};
    const std::u16string path(file);
    if (path.empty() || path.find(u'\0') != std::u16string::npos) {
        return PictureLoad::Missing;
    }
    const DWORD attributes = GetFileAttributesW(Wide(path));
    if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
        return PictureLoad::Missing;
    }
    // Image reads the header only; the pixels are decoded when it is drawn.
    Gdiplus::Image image(Wide(path));
    if (image.GetLastStatus() != Gdiplus::Ok) {
        return PictureLoad::Undecodable;
    }
    const long long width = image.GetWidth();
    const long long height = image.GetHeight();
    if (width <= 0 || height <= 0) {
        return PictureLoad::Undecodable;
    }
    if (width * height > kMaxPicturePixels || width > 0x7FFF || height > 0x7FFF) {
        return PictureLoad::TooLarge;
    }
    natural = {static_cast<int>(width), static_cast<int>(height)};
    const int keptWidth = static_cast<int>(std::min<long long>(width, std::max(maxWidth, 1)));
    const int keptHeight = std::max(1, static_cast<int>(height * keptWidth / width));
    if (!CreateSurface(window, surface, 32, keptWidth, keptHeight, static_cast<ColorRef>(background))) {
        return PictureLoad::NoSurface;
    }
    Gdiplus::Graphics graphics(surface.Dc());
    graphics.SetInterpolationMode(keptWidth < width ? Gdiplus::InterpolationModeHighQualityBicubic
                                                    : Gdiplus::InterpolationModeDefault);
    if (graphics.DrawImage(&image, 0, 0, keptWidth, keptHeight) != Gdiplus::Ok) {
        ReleaseSurface(surface);
        return PictureLoad::Undecodable;
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
    if (LoadPictureFile(window_, name, background_, maxWidth_, *surface, natural) != PictureLoad::Loaded) {
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
