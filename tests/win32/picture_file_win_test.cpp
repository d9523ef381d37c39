// Pictures written with GDI+ from clipboard bitmaps and read back, and the background picture under
// the frame's painting.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "editor/picture_store_win.h"
#include "host_support_win.h"
#include "store/attachments.h"
#include "support/jpeg_quality.h"
#include "support/test_support.h"
#include "ui/gdi_canvas_win.h"
#include "ui/picture_file_win.h"
#include "ui/surface_win.h"

namespace tavrin {
namespace {

namespace fs = std::filesystem;

const host::GdiplusSession gdiplus;

constexpr ColorRef kRed = MakeColorRef(220, 20, 30);
constexpr ColorRef kBlue = MakeColorRef(10, 40, 200);
constexpr ColorRef kWhite = MakeColorRef(255, 255, 255);

// A packed 32-bit bottom-up bitmap as another program puts it on the clipboard: the left half red, the
// right half blue.
std::vector<std::byte> TwoColourDib(int width, int height) {
    std::vector<std::byte> bytes(sizeof(BITMAPINFOHEADER) + static_cast<std::size_t>(width * height) * 4);
    BITMAPINFOHEADER header{};
    header.biSize = sizeof header;
    header.biWidth = width;
    header.biHeight = height;
    header.biPlanes = 1;
    header.biBitCount = 32;
    header.biCompression = BI_RGB;
    std::memcpy(bytes.data(), &header, sizeof header);
    auto* pixels = reinterpret_cast<std::uint32_t*>(bytes.data() + sizeof header);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            pixels[y * width + x] = PixelOf(x < width / 2 ? kRed : kBlue);
        }
    }
    return bytes;
}

bool Near(ColorRef a, ColorRef b, int tolerance) {
    for (const int shift : {0, 8, 16}) {
        if (std::abs(static_cast<int>((a >> shift) & 0xFF) - static_cast<int>((b >> shift) & 0xFF)) >
            tolerance) {
            return false;
        }
    }
    return true;
}

class PictureFileTest : public ::testing::Test {
protected:
    // Saves the two-colour bitmap in the format and loads the file again; the colours of a left and a
    // right pixel, or nothing when the file could not be read back.
    std::optional<std::pair<ColorRef, ColorRef>> RoundTrip(int format, int quality, const fs::path& file) {
        const std::vector<std::byte> dib = TwoColourDib(40, 30);
        const std::optional<PackedDibLayout> layout = MeasurePackedDib(dib);
        EXPECT_TRUE(layout);
        EXPECT_TRUE(SavePackedDibAsPicture(*fs_, dib, *layout, file.u16string(), format, quality)) << format;
        Surface surface;
        if (LoadPictureToSurface(nullptr, surface, file.u16string(), RGB(0, 255, 0), 100) !=
            PictureLoad::Loaded) {
            return std::nullopt;
        }
        EXPECT_EQ(surface.Width(), 40);
        EXPECT_EQ(surface.Height(), 30);
        return std::pair{ColourOfPixel(surface.View().Row(15)[5] & 0xFFFFFF),
                         ColourOfPixel(surface.View().Row(15)[35] & 0xFFFFFF)};
    }

    testing::TempFolder folder_;
    std::unique_ptr<FileSystem> fs_ = CreateSystemFileSystem();
};

TEST_F(PictureFileTest, LosslessFormatsComeBackPixelForPixel) {
    ASSERT_TRUE(gdiplus.Started());
    for (const int format : {0, 2, 4}) {
        const fs::path file = folder_.path() / (L"p" + std::to_wstring(format) + L".pic");
        const auto colours = RoundTrip(format, 90, file);
        ASSERT_TRUE(colours) << format;
        EXPECT_EQ(colours->first, kRed) << format;
        EXPECT_EQ(colours->second, kBlue) << format;
    }
}

TEST_F(PictureFileTest, AJpegCarriesTheQualityItWasAskedFor) {
    for (const auto& [asked, written] : {std::pair{90, 90}, std::pair{30, 30}, std::pair{150, 100}}) {
        const fs::path file = folder_.path() / (L"q" + std::to_wstring(asked) + L".jpg");
        const auto colours = RoundTrip(kPictureFormatJpeg, asked, file);
        ASSERT_TRUE(colours);
        EXPECT_TRUE(Near(colours->first, kRed, 24)) << asked;
        EXPECT_TRUE(Near(colours->second, kBlue, 24)) << asked;
        EXPECT_EQ(testing::JpegQuality(testing::ReadBytes(file)), written) << asked;
    }
}

TEST_F(PictureFileTest, AGifIsWrittenThoughThisPlatformMayNotReadItBack) {
    const fs::path file = folder_.path() / L"p.gif";
    const auto colours = RoundTrip(3, 90, file);
    const std::vector<std::byte> bytes = testing::ReadBytes(file);
    ASSERT_GE(bytes.size(), 6u);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(bytes.data()), 3), "GIF");
    if (!colours) {
        GTEST_SKIP() << "the GIF was written, but this platform's decoder does not read it back (Wine)";
    }
    EXPECT_EQ(colours->first, kRed);
}

TEST_F(PictureFileTest, BrokenFilesAreNoPicturesAndNothingIsWrittenForAnUnknownFormat) {
    const std::vector<std::byte> dib = TwoColourDib(4, 4);
    EXPECT_FALSE(SavePackedDibAsPicture(*fs_, dib, *MeasurePackedDib(dib),
                                        (folder_.path() / L"x.pic").u16string(), 5, 90));
    EXPECT_FALSE(fs::exists(folder_.path() / L"x.pic"));

    // A PNG cut short and a JPEG with its middle scrambled.
    ASSERT_TRUE(RoundTrip(0, 90, folder_.path() / L"whole.png"));
    std::vector<std::byte> png = testing::ReadBytes(folder_.path() / L"whole.png");
    png.resize(png.size() / 2);
    testing::WriteBytes(folder_.path() / L"cut.png", png);
    ASSERT_TRUE(RoundTrip(1, 90, folder_.path() / L"whole.jpg"));
    std::vector<std::byte> jpeg = testing::ReadBytes(folder_.path() / L"whole.jpg");
    for (std::size_t i = 2; i < jpeg.size() / 3; ++i) {
        jpeg[i] = static_cast<std::byte>(i * 7);
    }
    testing::WriteBytes(folder_.path() / L"scrambled.jpg", jpeg);
    // A bitmap that says it is 20,000 x 20,000 pixels: refused from its header, never decoded.
    std::vector<std::byte> huge(sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER) + 64);
    BITMAPFILEHEADER fileHeader{};
    fileHeader.bfType = 0x4D42;
    fileHeader.bfOffBits = sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER);
    fileHeader.bfSize = static_cast<DWORD>(huge.size());
    BITMAPINFOHEADER info{};
    info.biSize = sizeof info;
    info.biWidth = 20000;
    info.biHeight = 20000;
    info.biPlanes = 1;
    info.biBitCount = 24;
    std::memcpy(huge.data(), &fileHeader, sizeof fileHeader);
    std::memcpy(huge.data() + sizeof fileHeader, &info, sizeof info);
    testing::WriteBytes(folder_.path() / L"huge.bmp", huge);
    Surface refused;
    const ULONGLONG start = GetTickCount64();
    EXPECT_EQ(LoadPictureToSurface(nullptr, refused, (folder_.path() / L"huge.bmp").u16string(), 0, 100),
              PictureLoad::TooLarge);
    EXPECT_LT(GetTickCount64() - start, 2000u) << "refused from its header, not decoded first";
    for (const wchar_t* name : {L"cut.png", L"scrambled.jpg"}) {
        Surface surface;
        const PictureLoad result =
            LoadPictureToSurface(nullptr, surface, (folder_.path() / name).u16string(), RGB(0, 0, 0), 100);
        EXPECT_TRUE(result == PictureLoad::Undecodable || result == PictureLoad::Loaded) << "no crash";
    }
}

// The frame's background: the Back colour, then the part of the picture inside the rectangle and the
// clip, so that a painter redrawing part of the frame (the month slide) keeps the picture under it.
TEST(BackgroundCanvas, TheBackgroundLaysThePictureUnderThePainting) {
    Surface picture;
    ASSERT_TRUE(CreateSurface(nullptr, picture, 32, 20, 20, kRed));
    Surface target;
    ASSERT_TRUE(CreateSurface(nullptr, target, 32, 60, 60, kBlue));
    GdiCanvas canvas(target, {}, {});
    canvas.SetBackgroundPicture(&picture, 10, 10);
    canvas.PushClip({15, 15, 100, 100});
    canvas.Background({0, 0, 60, 60}, kWhite);
    canvas.PopClip();
    const auto at = [&target](int x, int y) { return ColourOfPixel(target.View().Row(y)[x] & 0xFFFFFF); };
    EXPECT_EQ(at(12, 12), kBlue) << "outside the clip nothing changes";
    EXPECT_EQ(at(16, 16), kRed) << "the picture, offset by its origin";
    EXPECT_EQ(at(29, 29), kRed);
    EXPECT_EQ(at(30, 30), kWhite) << "past the picture, the Back colour";
    canvas.SetBackgroundPicture(nullptr, 0, 0);
    canvas.Background({0, 0, 60, 60}, kWhite);
    EXPECT_EQ(at(16, 16), kWhite) << "without a picture only the colour";
}

}  // namespace
}  // namespace tavrin
