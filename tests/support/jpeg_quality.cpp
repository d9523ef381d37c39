#include "support/jpeg_quality.h"

#include <array>
#include <cstdint>

namespace tavrin::testing {
namespace {

// The standard luminance table, in natural (row by row) order.
constexpr std::array<int, 64> kStandardLuminance = {
    16, 11,  10,  16, 24, 40, 51, 61, 12,  12,  14,  19,  26, 58, 60, 55,  14,  13,  16,  24, 40, 57,
    69, 56,  14,  17, 22, 29, 51, 87, 80,  62,  18,  22,  37, 56, 68, 109, 103, 77,  24,  35, 55, 64,
    81, 104, 113, 92, 49, 64, 78, 87, 103, 121, 120, 101, 72, 92, 95, 98,  112, 100, 103, 99};

// Where the i-th value of a table as the file stores it (zigzag order) lies in natural order.
constexpr std::array<int, 64> kZigzagToNatural = {
    0,  1,  8,  16, 9,  2,  3,  10, 17, 24, 32, 25, 18, 11, 4,  5,  12, 19, 26, 33, 40, 48,
    41, 34, 27, 20, 13, 6,  7,  14, 21, 28, 35, 42, 49, 56, 57, 50, 43, 36, 29, 22, 15, 23,
    30, 37, 44, 51, 58, 59, 52, 45, 38, 31, 39, 46, 53, 60, 61, 54, 47, 55, 62, 63};

int Byte(std::span<const std::byte> file, std::size_t at) { return std::to_integer<int>(file[at]); }

// The luminance table (table 0) in natural order, from the first quantisation segment that holds it.
std::optional<std::array<int, 64>> LuminanceTable(std::span<const std::byte> file) {
    if (file.size() < 4 || Byte(file, 0) != 0xFF || Byte(file, 1) != 0xD8) {
        return std::nullopt;
    }
    std::size_t at = 2;
    while (at + 4 <= file.size() && Byte(file, at) == 0xFF) {
        const int marker = Byte(file, at + 1);
        const std::size_t length = static_cast<std::size_t>(Byte(file, at + 2) << 8 | Byte(file, at + 3));
        if (marker == 0xDA || length < 2 || at + 2 + length > file.size()) {
            return std::nullopt;  // the picture data starts, or the segment is cut
        }
        std::size_t table = at + 4;
        while (marker == 0xDB && table < at + 2 + length) {
            const int precision = Byte(file, table) >> 4;
            const int id = Byte(file, table) & 0x0F;
            const std::size_t size = precision == 0 ? 64 : 128;
            if (table + 1 + size > at + 2 + length) {
                return std::nullopt;
            }
            if (id == 0) {
                std::array<int, 64> values{};
                for (std::size_t i = 0; i < 64; ++i) {
                    values[static_cast<std::size_t>(kZigzagToNatural[i])] =
                        precision == 0 ? Byte(file, table + 1 + i)
                                       : Byte(file, table + 1 + 2 * i) << 8 | Byte(file, table + 2 + 2 * i);
                }
                return values;
            }
            table += 1 + size;
        }
        at += 2 + length;
    }
    return std::nullopt;
}

}  // namespace

std::optional<int> JpegQuality(std::span<const std::byte> file) {
    const std::optional<std::array<int, 64>> table = LuminanceTable(file);
    if (!table) {
        return std::nullopt;
    }
    for (int quality = 1; quality <= 100; ++quality) {
        const int scale = quality < 50 ? 5000 / quality : 200 - 2 * quality;
        bool same = true;
        for (std::size_t i = 0; i < 64 && same; ++i) {
            int value = (kStandardLuminance[i] * scale + 50) / 100;
            value = value < 1 ? 1 : value > 255 ? 255 : value;
            same = value == (*table)[i];
        }
        if (same) {
            return quality;
        }
    }
    return std::nullopt;
}

}  // namespace tavrin::testing
