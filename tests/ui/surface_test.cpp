#include <gtest/gtest.h>

#include "ui/surface.h"

namespace tavrin {
namespace {

constexpr ColorRef kBlack = MakeColorRef(0, 0, 0);
constexpr ColorRef kWhite = MakeColorRef(255, 255, 255);

TEST(Surface, PixelsHoldColoursAsBlueGreenRed) {
    EXPECT_EQ(PixelOf(MakeColorRef(0x12, 0x34, 0x56)), 0x00123456u) << "a DIB pixel is 0x00RRGGBB";
    EXPECT_EQ(ColourOfPixel(0xFF123456u), MakeColorRef(0x12, 0x34, 0x56));
    EXPECT_EQ(DibStride(24, 3), 12) << "rows are padded to four bytes";
    EXPECT_EQ(DibStride(32, 3), 12);
    EXPECT_EQ(DibStride(24, 5), 16);
}

TEST(Surface, BlendMovesEachChannelByTheTruncatedWeight) {
    MemorySurface surface(4, 4, MakeColorRef(200, 0, 100));
    surface.SetPixel(0, 0, 0xAB000000u | PixelOf(MakeColorRef(200, 0, 100)));
    BlendRect(surface.View(), 0, 0, 4, 4, 128, MakeColorRef(0, 255, 100));
    // weight = 128 x 255 / 256 = 127; 200 + 127 x -200 / 256 = 200 - 99; 0 + 127 x 255 / 256 = 126.
    EXPECT_EQ(surface.Colour(3, 3), MakeColorRef(101, 126, 100));
    EXPECT_EQ(surface.Pixel(0, 0) >> 24, 0xABu) << "the top byte is kept";

    MemorySurface black(1, 1, kBlack);
    BlendRect(black.View(), 0, 0, 1, 1, 256, kWhite);
    EXPECT_EQ(black.Colour(0, 0), MakeColorRef(254, 254, 254))
        << "full opacity stops one short of the target";
    BlendRect(black.View(), 0, 0, 1, 1, 0, kBlack);
    EXPECT_EQ(black.Colour(0, 0), MakeColorRef(254, 254, 254)) << "opacity 0 changes nothing";
}

TEST(Surface, BlendIsClippedToTheSurface) {
    MemorySurface surface(5, 3, kWhite);
    BlendRect(surface.View(), -2, 1, 4, 10, 256, kBlack);
    for (int y = 0; y < 3; ++y) {
        for (int x = 0; x < 5; ++x) {
            const bool inside = x < 2 && y >= 1;
            EXPECT_EQ(surface.Colour(x, y), inside ? MakeColorRef(1, 1, 1) : kWhite) << x << "," << y;
        }
    }
    BlendRect(surface.View(), 10, 10, 5, 5, 256, kBlack);                  // wholly outside
    BlendRect(surface.View(), 0, 0, -3, 2, 256, kBlack);                   // negative size
    BlendRect(surface.View(), 0x7FFFFFF0, 0, 0x7FFFFFF0, 1, 256, kBlack);  // no overflow at the edge
    EXPECT_EQ(surface.Colour(4, 0), kWhite);
}

TEST(Surface, BottomUpViewsAddressTheSameRows) {
    MemorySurface memory(3, 3, kWhite);
    SurfaceView topDown = memory.View();
    SurfaceView bottomUp{topDown.top + 2 * topDown.rowStep, 3, 3, -topDown.rowStep};
    BlendRect(bottomUp, 0, 0, 3, 1, 256, kBlack);
    EXPECT_EQ(memory.Colour(1, 2), MakeColorRef(1, 1, 1))
        << "row 0 of a bottom-up bitmap is the last in memory";
    EXPECT_EQ(memory.Colour(1, 0), kWhite);
}

TEST(Surface, GlyphCoverageComesFromTheBlueChannel) {
    MemorySurface glyphs(32, 16, kBlack);
    glyphs.SetPixel(16 + 1, 2, PixelOf(MakeColorRef(0, 0, 255)));    // full coverage in the second cell
    glyphs.SetPixel(16 + 2, 2, PixelOf(MakeColorRef(255, 255, 0)));  // red and green are ignored
    glyphs.SetPixel(16 + 3, 2, PixelOf(MakeColorRef(0, 0, 128)));
    glyphs.SetPixel(9, 2, PixelOf(MakeColorRef(0, 0, 255)));  // first cell, must not be drawn
    MemorySurface target(20, 20, kWhite);
    DrawGlyph(target.View(), 4, 5, glyphs.View(), 16, 256, kBlack);
    // w = 256 x 255 / 256 = 255: 255 - 255 x 255 / 256 = 1; half coverage: w = 128, 255 - 127 = 128.
    EXPECT_EQ(target.Colour(5, 7), MakeColorRef(1, 1, 1));
    EXPECT_EQ(target.Colour(6, 7), kWhite);
    EXPECT_EQ(target.Colour(7, 7), MakeColorRef(128, 128, 128));
    EXPECT_EQ(target.Colour(4 + 9, 7), kWhite) << "only the chosen cell is drawn";

    MemorySurface edge(3, 3, kWhite);
    DrawGlyph(edge.View(), -16, -16, glyphs.View(), 16, 256, kBlack);  // clipped away entirely
    DrawGlyph(edge.View(), 0, 0, glyphs.View(), 30, 256, kBlack);      // cell runs past the strip
    EXPECT_EQ(edge.Colour(0, 0), kWhite);
}

// The strip drawn at twice the size, resampled for 150 %: every target pixel is the mean of the source
// area it covers (checked against a naive sum over a supersampled grid), cells keep their place, and
// coverage never leaks into the neighbouring cell.
TEST(Surface, GlyphStripsResampleByAreaWithoutCrossingCells) {
    constexpr int kSource = 32;
    MemorySurface strip(3 * kSource, kSource, kBlack);
    for (int y = 0; y < kSource; ++y) {
        for (int x = 0; x < 3 * kSource; ++x) {
            const bool ink = (x / kSource == 1 && (x + y) % 3 == 0) || (x / kSource == 2 && x % kSource < 11);
            strip.SetPixel(x, y, ink ? PixelOf(kWhite) : 0);
        }
    }
    for (const int cell : {20, 24, 28, 32, 16}) {
        const MemorySurface scaled = ResampleGlyphStrip(strip.View(), kSource, cell);
        ASSERT_EQ(scaled.Width(), 3 * cell);
        ASSERT_EQ(scaled.Height(), cell);
        for (int y = 0; y < cell; ++y) {
            for (int x = 0; x < 3 * cell; ++x) {
                // The same mean from a 96 x 96 grid of sample points per target pixel.
                constexpr int kSamples = 96;
                long long sum = 0;
                for (int sy = 0; sy < kSamples; ++sy) {
                    for (int sx = 0; sx < kSamples; ++sx) {
                        const int px = (x * kSamples + sx) * kSource / (cell * kSamples);
                        const int py = (y * kSamples + sy) * kSource / (cell * kSamples);
                        sum += strip.Pixel(x / cell * kSource + px % kSource, py) & 0xFF;
                    }
                }
                const int expected = static_cast<int>(sum / (kSamples * kSamples));
                ASSERT_NEAR(static_cast<int>(scaled.Pixel(x, y) & 0xFF), expected, 2)
                    << "cell " << cell << " at " << x << "," << y;
            }
        }
        EXPECT_EQ(scaled.Pixel(cell / 2, cell / 2) & 0xFF, 0u) << "the empty first cell stays empty";
    }
    const MemorySurface same = ResampleGlyphStrip(strip.View(), kSource, kSource);
    EXPECT_EQ(same.Pixel(kSource + 3, 0), strip.Pixel(kSource + 3, 0)) << "the same size copies";

    // DrawGlyph with the scaled cells: cell offset 2 x cell is the third glyph, cell pixels square.
    const MemorySurface scaled = ResampleGlyphStrip(strip.View(), kSource, 24);
    MemorySurface target(40, 40, kWhite);
    MemorySurface copy = scaled;
    DrawGlyph(target.View(), 4, 4, copy.View(), 2 * 24, 256, kBlack, 24);
    EXPECT_EQ(target.Colour(4, 4), MakeColorRef(1, 1, 1)) << "inked at the glyph's corner";
    EXPECT_EQ(target.Colour(4 + 20, 4 + 23), kWhite) << "the ink ends where the source's did (11/32)";
    EXPECT_EQ(target.Colour(4, 4 + 24), kWhite) << "nothing below the 24-pixel cell";
}

TEST(Surface, SubViewsClipAndShiftTheOrigin) {
    MemorySurface memory(6, 4, kWhite);
    const SurfaceView inner = SubView(memory.View(), 2, 1, 10, 2);
    ASSERT_TRUE(inner.Valid());
    EXPECT_EQ(inner.width, 4) << "clipped to the surface";
    EXPECT_EQ(inner.height, 2);
    FillSurface(inner, kBlack);
    EXPECT_EQ(memory.Colour(2, 1), kBlack);
    EXPECT_EQ(memory.Colour(5, 2), kBlack);
    EXPECT_EQ(memory.Colour(1, 1), kWhite);
    EXPECT_EQ(memory.Colour(2, 3), kWhite);
    EXPECT_FALSE(SubView(memory.View(), 6, 0, 3, 3).Valid()) << "beside the surface";
    EXPECT_FALSE(SubView(memory.View(), -5, -5, 5, 5).Valid());
    const SurfaceView corner = SubView(memory.View(), -1, -1, 3, 3);
    EXPECT_EQ(corner.width, 2);
    EXPECT_EQ(corner.Row(0), memory.View().Row(0)) << "starts at the first pixel inside";
}

TEST(Surface, SizeStepsKeepSurfacesThatAreLargeEnough) {
    EXPECT_EQ(DecideSurfaceSize(false, 0, 0, 0, 0, 123, 45), (SurfaceSize{123, 45, false}))
        << "exact without a step";
    EXPECT_EQ(DecideSurfaceSize(false, 0, 0, 100, 100, 123, 45), (SurfaceSize{200, 100, false}));
    EXPECT_EQ(DecideSurfaceSize(true, 200, 100, 100, 100, 101, 1), (SurfaceSize{200, 100, true}))
        << "within one step below: kept";
    EXPECT_EQ(DecideSurfaceSize(true, 200, 100, 100, 100, 200, 100), (SurfaceSize{200, 100, true}));
    EXPECT_EQ(DecideSurfaceSize(true, 200, 100, 100, 100, 100, 100), (SurfaceSize{100, 100, false}))
        << "a full step smaller shrinks";
    EXPECT_EQ(DecideSurfaceSize(true, 200, 100, 100, 100, 201, 100), (SurfaceSize{300, 100, false}));
    EXPECT_EQ(DecideSurfaceSize(false, 200, 100, 100, 100, 150, 50), (SurfaceSize{200, 100, false}))
        << "an invalid surface is always made anew";
}

}  // namespace
}  // namespace tavrin
