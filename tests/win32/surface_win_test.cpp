// Off-screen surfaces and the GDI canvas, read back pixel by pixel.
#include <windows.h>

#include <gtest/gtest.h>

#include "support/test_support.h"
#include "ui/gdi_canvas_win.h"
#include "ui/surface_win.h"

namespace tavrin {
namespace {

constexpr ColorRef kWhite = MakeColorRef(255, 255, 255);
constexpr ColorRef kBlack = MakeColorRef(0, 0, 0);
constexpr ColorRef kBlue = MakeColorRef(0, 128, 192);

ColorRef At(const Surface& surface, int x, int y) { return ColourOfPixel(surface.View().Row(y)[x]); }

// Owns a font; copying is not allowed.
class Font {
public:
    explicit Font(int height) {
        LOGFONTW font{};
        font.lfHeight = -height;
        font.lfCharSet = DEFAULT_CHARSET;
        lstrcpyW(font.lfFaceName, L"メイリオ");
        handle_ = CreateFontIndirectW(&font);
    }
    Font(const Font&) = delete;
    Font& operator=(const Font&) = delete;
    ~Font() { DeleteObject(handle_); }
    [[nodiscard]] HFONT get() const { return handle_; }

private:
    HFONT handle_ = nullptr;
};

TEST(SurfaceWin, SurfacesAreFilledAndKeepTheirPixelsWithinASizeStep) {
    Surface surface(100, 100);
    ASSERT_TRUE(CreateSurface(nullptr, surface, 32, 150, 30, kBlue));
    EXPECT_EQ(surface.Width(), 200);
    EXPECT_EQ(surface.Height(), 100);
    EXPECT_EQ(At(surface, 199, 99), kBlue);
    EXPECT_EQ(surface.View().Row(0)[0] >> 24, 0u) << "the top byte is 0";
    surface.View().Row(5)[5] = PixelOf(kBlack);
    ASSERT_TRUE(CreateSurface(nullptr, surface, 32, 120, 10, kWhite));
    EXPECT_EQ(At(surface, 5, 5), kBlack) << "a surface within one step is kept as it is";
    EXPECT_FALSE(CreateSurface(nullptr, surface, 16, 10, 10, kWhite)) << "only 24 and 32 bits";
    EXPECT_FALSE(CreateSurface(nullptr, surface, 32, 0, 10, kWhite));
    EXPECT_EQ(At(surface, 5, 5), kBlack) << "a refused request leaves the surface as it was";
    Surface rgb;
    ASSERT_TRUE(CreateSurface(nullptr, rgb, 24, 7, 3, kBlue));
    EXPECT_EQ(GetPixel(rgb.Dc(), 6, 2), static_cast<COLORREF>(kBlue));
    EXPECT_FALSE(rgb.View().Valid()) << "24-bit surfaces have no pixel view";
}

TEST(SurfaceWin, TheCanvasFillsBlendsAndClipsLikeThePixelOperations) {
    Surface surface;
    ASSERT_TRUE(CreateSurface(nullptr, surface, 32, 40, 30, kWhite));
    GdiCanvas canvas(surface, {}, {});
    canvas.PushClip({10, 10, 20, 10});
    canvas.Fill({0, 0, 40, 30}, kBlue);
    canvas.PopClip();
    EXPECT_EQ(At(surface, 10, 10), kBlue);
    EXPECT_EQ(At(surface, 29, 19), kBlue);
    EXPECT_EQ(At(surface, 9, 10), kWhite) << "outside the clip";
    EXPECT_EQ(At(surface, 10, 20), kWhite);

    canvas.Blend({0, 0, 5, 5}, 256, kBlack);
    EXPECT_EQ(At(surface, 0, 0), MakeColorRef(1, 1, 1));
    canvas.Outline({20, 22, 5, 4}, kBlack);
    EXPECT_EQ(At(surface, 20, 22), kBlack);
    EXPECT_EQ(At(surface, 24, 25), kBlack);
    EXPECT_EQ(At(surface, 22, 24), kWhite) << "an outline leaves the inside alone";
}

TEST(SurfaceWin, TextIsDrawnInItsColourInsideItsRectangleOnly) {
    Surface surface;
    ASSERT_TRUE(CreateSurface(nullptr, surface, 32, 120, 40, kWhite));
    Font font(20);
    CanvasFonts fonts;
    fonts.medium = font.get();
    GdiCanvas canvas(surface, fonts, {});
    EXPECT_GT(canvas.Metrics(FontRole::kMedium).height, 15);
    const int width = canvas.TextWidth(FontRole::kMedium, u"日記");
    EXPECT_GE(width, 30);
    canvas.Text({10, 5, 100, 30}, u"日記日記日記日記",
                {FontRole::kMedium, kBlack, TextAlign::kLeft, true, false});
    int inked = 0;
    for (int y = 0; y < surface.Height(); ++y) {
        for (int x = 0; x < surface.Width(); ++x) {
            if (At(surface, x, y) != kWhite) {
                ++inked;
                EXPECT_TRUE(x >= 10 && x < 110 && y >= 5 && y < 35)
                    << "ink outside the rectangle at " << x << "," << y;
            }
        }
    }
    EXPECT_GT(inked, 100) << "the glyphs of the text were drawn";
}

TEST(SurfaceWin, GlyphsHonourTheClip) {
    Surface strip;
    ASSERT_TRUE(CreateSurface(nullptr, strip, 32, 32, 16, kBlack));
    for (int y = 0; y < 16; ++y) {
        for (int x = 16; x < 32; ++x) {
            strip.View().Row(y)[x] = PixelOf(kWhite);  // the second cell is fully covered
        }
    }
    Surface surface;
    ASSERT_TRUE(CreateSurface(nullptr, surface, 32, 40, 40, kWhite));
    GdiCanvas canvas(surface, {}, {strip.View(), 16});
    canvas.PushClip({8, 8, 8, 8});
    canvas.Glyph(4, 4, 16, 256, kBlack);
    canvas.PopClip();
    EXPECT_EQ(At(surface, 8, 8), MakeColorRef(1, 1, 1));
    EXPECT_EQ(At(surface, 15, 15), MakeColorRef(1, 1, 1));
    EXPECT_EQ(At(surface, 7, 7), kWhite) << "clipped";
    EXPECT_EQ(At(surface, 16, 16), kWhite);
}

}  // namespace
}  // namespace tavrin
