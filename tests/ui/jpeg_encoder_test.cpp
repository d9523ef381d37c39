#include "ui/jpeg_encoder.h"

#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "support/jpeg_quality.h"

namespace tavrin {
namespace {

// A picture with smooth parts and noise, so every quality gives a different file.
std::vector<std::uint8_t> Picture(int width, int height) {
    std::mt19937 random(3);
    std::vector<std::uint8_t> pixels(static_cast<std::size_t>(width * height * 3));
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            std::uint8_t* pixel = &pixels[static_cast<std::size_t>((y * width + x) * 3)];
            pixel[0] = static_cast<std::uint8_t>(x * 255 / width);
            pixel[1] = static_cast<std::uint8_t>(y * 255 / height);
            pixel[2] = static_cast<std::uint8_t>(random() % 256);
        }
    }
    return pixels;
}

// Whether the stuffed entropy-coded data between the scan header and the end marker holds no marker.
bool NoMarkerInScan(const std::vector<std::byte>& file) {
    std::size_t scan = 0;
    for (std::size_t i = 0; i + 1 < file.size(); ++i) {
        if (file[i] == std::byte{0xFF} && file[i + 1] == std::byte{0xDA}) {
            scan = i + 14;
            break;
        }
    }
    for (std::size_t i = scan; i + 2 < file.size(); ++i) {
        if (file[i] == std::byte{0xFF} && file[i + 1] != std::byte{0}) {
            return false;
        }
    }
    return scan != 0;
}

TEST(JpegEncoder, TheFileCarriesTheQualityAndGrowsWithIt) {
    const int width = 37;  // not whole blocks, so the edges are repeated
    const int height = 21;
    const std::vector<std::uint8_t> pixels = Picture(width, height);
    const BgrPixels view{pixels.data(), width, height, width * 3};
    std::size_t previous = 0;
    for (const int quality : {10, 50, 75, 90, 100}) {
        const std::vector<std::byte> file = EncodeJpeg(view, quality);
        ASSERT_GT(file.size(), 600u);
        EXPECT_EQ(file[0], std::byte{0xFF});
        EXPECT_EQ(file[1], std::byte{0xD8});
        EXPECT_EQ(file[file.size() - 2], std::byte{0xFF});
        EXPECT_EQ(file.back(), std::byte{0xD9});
        EXPECT_TRUE(NoMarkerInScan(file)) << quality;
        EXPECT_EQ(testing::JpegQuality(file), quality);
        EXPECT_GT(file.size(), previous) << quality;
        previous = file.size();
    }
    EXPECT_EQ(testing::JpegQuality(EncodeJpeg(view, 150)), 100);
    EXPECT_EQ(testing::JpegQuality(EncodeJpeg(view, -1)), 1);
}

TEST(JpegEncoder, PicturesItCannotDescribeGiveNothing) {
    const std::vector<std::uint8_t> pixel(3, 0);
    EXPECT_TRUE(EncodeJpeg({pixel.data(), 0, 1, 3}, 90).empty());
    EXPECT_TRUE(EncodeJpeg({nullptr, 1, 1, 3}, 90).empty());
    EXPECT_TRUE(EncodeJpeg({pixel.data(), kJpegSizeMax + 1, 1, 0}, 90).empty());
    EXPECT_FALSE(EncodeJpeg({pixel.data(), 1, 1, 3}, 90).empty());
}

}  // namespace
}  // namespace tavrin
