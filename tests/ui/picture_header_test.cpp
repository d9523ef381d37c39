#include "editor/picture_header.h"

#include <gtest/gtest.h>

#include <vector>

#include "ui/jpeg_encoder.h"

namespace tavrin {
namespace {

std::vector<std::byte> Bytes(std::initializer_list<int> values) {
    std::vector<std::byte> bytes;
    for (const int value : values) {
        bytes.push_back(static_cast<std::byte>(value));
    }
    return bytes;
}

TEST(PictureHeader, TheStatedSizeOfEachFormat) {
    // PNG: 20,000 x 20,000 in its IHDR chunk.
    const auto png = Bytes({0x89, 'P', 'N', 'G',  0x0D, 0x0A, 0x1A, 0x0A, 0,    0, 0, 13, 'I', 'H', 'D',
                            'R',  0,   0,   0x4E, 0x20, 0,    0,    0x4E, 0x20, 8, 2, 0,  0,   0});
    EXPECT_EQ(PictureSizeFromHeader(png), (PictureSize{20000, 20000}));
    EXPECT_EQ(PictureSizeFromHeader(std::span(png).first(20)), std::nullopt) << "cut short";
    EXPECT_EQ(PictureSizeFromHeader(Bytes({'G', 'I', 'F', '8', '9', 'a', 0x40, 0x01, 0xF0, 0x00})),
              (PictureSize{320, 240}));
    // BMP: the usual header with a top-down height, and the old core header.
    std::vector<std::byte> bmp = Bytes({'B', 'M', 0, 0, 0, 0,    0,    0, 0, 0,    54,   0,    0,
                                        0,   40,  0, 0, 0, 0x20, 0x4E, 0, 0, 0xE0, 0xB1, 0xFF, 0xFF});
    EXPECT_EQ(PictureSizeFromHeader(bmp), (PictureSize{20000, 20000}));
    EXPECT_EQ(PictureSizeFromHeader(Bytes({'B', 'M', 0, 0, 0, 0,    0, 0,    0, 0, 26, 0,  0,
                                           0,   12,  0, 0, 0, 0x10, 0, 0x08, 0, 1, 0,  24, 0})),
              (PictureSize{16, 8}));
    EXPECT_EQ(PictureSizeFromHeader(Bytes({'I', 'I', 42, 0, 8, 0, 0, 0})), std::nullopt)
        << "TIFF is not read";
    EXPECT_EQ(PictureSizeFromHeader({}), std::nullopt);
}

TEST(PictureHeader, AJpegsFrameIsFoundBehindItsMetadata) {
    std::vector<std::uint8_t> pixels(37 * 21 * 3, 128);
    const std::vector<std::byte> jpeg = EncodeJpeg({pixels.data(), 37, 21, 37 * 3}, 80);
    EXPECT_EQ(PictureSizeFromHeader(jpeg), (PictureSize{37, 21}));
    // A metadata segment of 60,000 bytes in front of the frame.
    std::vector<std::byte> tagged = Bytes({0xFF, 0xD8, 0xFF, 0xE1, 0xEA, 0x60});
    tagged.resize(tagged.size() + 60000 - 2, std::byte{0xFF});
    tagged.insert(tagged.end(), jpeg.begin() + 2, jpeg.end());
    EXPECT_EQ(PictureSizeFromHeader(tagged), (PictureSize{37, 21}));
    EXPECT_EQ(PictureSizeFromHeader(std::span(tagged).first(1000)), std::nullopt)
        << "the frame lies further on";
    EXPECT_EQ(PictureSizeFromHeader(Bytes({0xFF, 0xD8, 0xFF, 0xDA, 0, 2})), std::nullopt)
        << "no frame at all";
    EXPECT_EQ(PictureSizeFromHeader(Bytes({0xFF, 0xD8, 0xFF, 0xE0, 0, 0})), std::nullopt)
        << "a length below 2";
}

}  // namespace
}  // namespace tavrin
