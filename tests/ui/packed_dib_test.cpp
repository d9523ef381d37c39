#include "ui/packed_dib.h"

#include <gtest/gtest.h>

#include <cstring>
#include <limits>
#include <random>
#include <vector>

namespace tavrin {
namespace {

// A packed bitmap: a header of headerSize bytes and room for the rest.
std::vector<std::byte> Header(std::uint32_t headerSize, std::int32_t width, std::int32_t height,
                              std::uint16_t bits, std::uint32_t compression = 0, std::uint32_t colours = 0,
                              std::size_t rest = 0) {
    std::vector<std::byte> bytes(headerSize + rest);
    const auto put = [&bytes](std::size_t at, auto value) {
        std::memcpy(bytes.data() + at, &value, sizeof value);
    };
    put(0, headerSize);
    put(4, width);
    put(8, height);
    put(12, std::uint16_t{1});
    put(14, bits);
    put(16, compression);
    put(32, colours);
    return bytes;
}

TEST(PackedDib, LayoutsOfTheCommonForms) {
    // 3 x 2 at 24 bits: rows of 12 bytes (9 rounded up to whole 4-byte words).
    auto layout = MeasurePackedDib(Header(40, 3, 2, 24, 0, 0, 24));
    ASSERT_TRUE(layout);
    EXPECT_EQ(layout->pixelOffset, 40u);
    EXPECT_EQ(layout->pixelBytes, 24u);
    EXPECT_FALSE(layout->topDown);

    layout = MeasurePackedDib(Header(40, 3, -2, 32, 3, 0, 12 + 24));
    ASSERT_TRUE(layout) << "bit fields after a short header";
    EXPECT_EQ(layout->pixelOffset, 52u);
    EXPECT_EQ(layout->height, 2);
    EXPECT_TRUE(layout->topDown);

    layout = MeasurePackedDib(Header(124, 3, 2, 32, 3, 0, 24));
    ASSERT_TRUE(layout) << "the long header holds its masks";
    EXPECT_EQ(layout->pixelOffset, 124u);

    layout = MeasurePackedDib(Header(40, 4, 4, 8, 0, 0, 1024 + 16));
    ASSERT_TRUE(layout) << "a full palette";
    EXPECT_EQ(layout->pixelOffset, 40u + 1024u);
    layout = MeasurePackedDib(Header(40, 4, 4, 8, 0, 2, 8 + 16));
    ASSERT_TRUE(layout) << "two palette colours";
    EXPECT_EQ(layout->pixelOffset, 48u);
}

TEST(PackedDib, WhatIsNotThereIsRefused) {
    EXPECT_FALSE(MeasurePackedDib(Header(40, 3, 2, 24, 0, 0, 23))) << "one byte short";
    EXPECT_FALSE(MeasurePackedDib(std::vector<std::byte>(39)));
    EXPECT_FALSE(MeasurePackedDib(Header(40, 0, 2, 24, 0, 0, 100)));
    EXPECT_FALSE(MeasurePackedDib(Header(40, 3, 0, 24, 0, 0, 100)));
    EXPECT_FALSE(MeasurePackedDib(Header(40, 3, 2, 7, 0, 0, 100))) << "no such depth";
    EXPECT_FALSE(MeasurePackedDib(Header(40, 3, 2, 24, 5, 0, 100))) << "an embedded PNG stream";
    EXPECT_FALSE(MeasurePackedDib(Header(40, 3, 2, 8, 0, 300, 2000))) << "more colours than the depth has";
    EXPECT_FALSE(MeasurePackedDib(Header(40, 20000, 20000, 24, 0, 0, 64))) << "too large to take";
    EXPECT_FALSE(MeasurePackedDib(Header(40, 3, std::numeric_limits<std::int32_t>::min(), 24, 0, 0, 64)));
    auto longHeader = Header(40, 3, 2, 24, 0, 0, 64);
    const std::uint32_t huge = 0x7FFFFFFF;
    std::memcpy(longHeader.data(), &huge, sizeof huge);
    EXPECT_FALSE(MeasurePackedDib(longHeader)) << "a header longer than the block";
}

// Whatever the bytes, a layout never reaches past them.
TEST(PackedDib, RandomHeadersNeverPointPastTheBytes) {
    std::mt19937 random(5);
    int accepted = 0;
    for (int round = 0; round < 20000; ++round) {
        const std::uint16_t depths[] = {1, 4, 8, 16, 24, 32, 0, 7};
        auto bytes =
            Header(random() % 2 ? 40 : 40 + random() % 200, static_cast<std::int32_t>(random() % 70) - 5,
                   static_cast<std::int32_t>(random() % 70) - 35, depths[random() % 8], random() % 6,
                   random() % 2 ? 0 : random() % 300, random() % 2000);
        if (random() % 4 == 0) {
            bytes[20 + random() % 4] = static_cast<std::byte>(random());  // the stated image size
        }
        if (const auto layout = MeasurePackedDib(bytes)) {
            ++accepted;
            EXPECT_LE(layout->pixelOffset + layout->pixelBytes, bytes.size());
            EXPECT_GT(layout->width, 0);
            EXPECT_GT(layout->height, 0);
        }
    }
    EXPECT_GT(accepted, 100);
}

}  // namespace
}  // namespace tavrin
