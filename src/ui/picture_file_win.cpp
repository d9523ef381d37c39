#include "ui/picture_file_win.h"

// GDI+ needs the COM declarations first.
#include <objidl.h>

#include <gdiplus.h>

#include <cstring>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "platform/wide_win.h"
#include "store/attachments.h"
#include "ui/jpeg_encoder.h"
#include "ui/surface.h"

namespace tavrin {
namespace {

// The encoder whose MIME type is exactly mime.
bool FindEncoder(std::u16string_view mime, CLSID& encoder) {
    UINT count = 0;
    UINT bytes = 0;
    if (Gdiplus::GetImageEncodersSize(&count, &bytes) != Gdiplus::Ok || bytes == 0) {
        return false;
    }
    std::vector<std::byte> buffer(bytes);
    auto* codecs = reinterpret_cast<Gdiplus::ImageCodecInfo*>(buffer.data());
    if (Gdiplus::GetImageEncoders(count, bytes, codecs) != Gdiplus::Ok) {
        return false;
    }
    const std::wstring wanted(Wide(std::u16string(mime)));
    for (UINT i = 0; i < count; ++i) {
        if (codecs[i].MimeType != nullptr && wanted == codecs[i].MimeType) {
            encoder = codecs[i].Clsid;
            return true;
        }
    }
    return false;
}

// A 24-bit DIB section; copying is not allowed.
class DibSection {
public:
    DibSection(int width, int height) {
        info_.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
        info_.bmiHeader.biWidth = width;
        info_.bmiHeader.biHeight = height;
        info_.bmiHeader.biPlanes = 1;
        info_.bmiHeader.biBitCount = 24;
        info_.bmiHeader.biCompression = BI_RGB;
        bitmap_ = CreateDIBSection(nullptr, &info_, DIB_RGB_COLORS, &pixels_, nullptr, 0);
    }
    DibSection(const DibSection&) = delete;
    DibSection& operator=(const DibSection&) = delete;
    ~DibSection() {
        if (bitmap_ != nullptr) {
            DeleteObject(bitmap_);
        }
    }
    [[nodiscard]] bool Valid() const noexcept { return bitmap_ != nullptr && pixels_ != nullptr; }
    [[nodiscard]] HBITMAP Get() const noexcept { return bitmap_; }
    [[nodiscard]] const BITMAPINFO& Info() const noexcept { return info_; }
    [[nodiscard]] void* Pixels() const noexcept { return pixels_; }

private:
    BITMAPINFO info_{};
    HBITMAP bitmap_ = nullptr;
    void* pixels_ = nullptr;
};

// A 24-bit bottom-up bitmap as a JPEG file.
bool SaveJpeg(FileSystem& fs, const BITMAPINFO& info, const void* pixels, const std::u16string& path,
              int quality) {
    const BITMAPINFOHEADER& header = info.bmiHeader;
    if (header.biBitCount != 24 || header.biCompression != BI_RGB || header.biWidth <= 0 ||
        header.biHeight <= 0) {
        return false;
    }
    const std::ptrdiff_t stride = DibStride(24, header.biWidth);
    const auto* bottom = static_cast<const std::uint8_t*>(pixels);
    const BgrPixels view{bottom + stride * (header.biHeight - 1), header.biWidth, header.biHeight, -stride};
    const std::vector<std::byte> jpeg = EncodeJpeg(view, quality);
    std::unique_ptr<WritableFile> file =
        jpeg.empty() ? nullptr : fs.OpenForWriting(std::filesystem::path(path));
    return file != nullptr && file->Write(jpeg) && file->Commit();
}

}  // namespace

bool SavePictureFile(FileSystem& fs, const BITMAPINFO& info, const void* pixels, std::u16string_view path,
                     int format, int jpegQuality) {
    const std::u16string_view mime = PictureFormatMime(format);
    if (pixels == nullptr || mime.empty()) {
        return false;
    }
    const std::u16string file(path);
    if (format == kPictureFormatJpeg) {
        return SaveJpeg(fs, info, pixels, file, static_cast<int>(JpegEncoderQuality(jpegQuality)));
    }
    CLSID encoder{};
    if (!FindEncoder(mime, encoder)) {
        return false;
    }
    Gdiplus::Bitmap bitmap(&info, const_cast<void*>(pixels));
    if (bitmap.GetLastStatus() != Gdiplus::Ok) {
        return false;
    }
    return bitmap.Save(Wide(file), &encoder, nullptr) == Gdiplus::Ok;
}

bool SavePackedDibAsPicture(FileSystem& fs, std::span<const std::byte> packed, const PackedDibLayout& layout,
                            std::u16string_view path, int format, int jpegQuality) {
    DibSection canvas(layout.width, layout.height);
    if (!canvas.Valid()) {
        return false;
    }
    std::memset(
        canvas.Pixels(), 0xFF,
        static_cast<std::size_t>(DibStride(24, layout.width)) * static_cast<std::size_t>(layout.height));
    HDC dc = CreateCompatibleDC(nullptr);
    if (dc == nullptr) {
        return false;
    }
    HGDIOBJ previous = SelectObject(dc, canvas.Get());
    const auto* header = reinterpret_cast<const BITMAPINFO*>(packed.data());
    const int drawn = StretchDIBits(dc, 0, 0, layout.width, layout.height, 0, 0, layout.width, layout.height,
                                    packed.data() + layout.pixelOffset, header, DIB_RGB_COLORS, SRCCOPY);
    GdiFlush();
    SelectObject(dc, previous);
    DeleteDC(dc);
    if (drawn <= 0) {  // 0 or GDI_ERROR
        return false;
    }
    return SavePictureFile(fs, canvas.Info(), canvas.Pixels(), path, format, jpegQuality);
}

}  // namespace tavrin
