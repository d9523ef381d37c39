#include "ui/jpeg_encoder.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>

namespace tavrin {
namespace {

using Block = std::array<float, 64>;
using Table = std::array<int, 64>;

// The standard quantisation tables, natural (row by row) order.
constexpr Table kLuminanceBase = {16, 11, 10, 16, 24,  40,  51,  61,  12, 12, 14, 19, 26,  58,  60,  55,
                                  14, 13, 16, 24, 40,  57,  69,  56,  14, 17, 22, 29, 51,  87,  80,  62,
                                  18, 22, 37, 56, 68,  109, 103, 77,  24, 35, 55, 64, 81,  104, 113, 92,
                                  49, 64, 78, 87, 103, 121, 120, 101, 72, 92, 95, 98, 112, 100, 103, 99};
constexpr Table kChrominanceBase = {17, 18, 24, 47, 99, 99, 99, 99, 18, 21, 26, 66, 99, 99, 99, 99,
                                    24, 26, 56, 99, 99, 99, 99, 99, 47, 66, 99, 99, 99, 99, 99, 99,
                                    99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99,
                                    99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99};

// Natural position of the i-th coefficient in zigzag order.
constexpr Table kZigzag = {0,  1,  8,  16, 9,  2,  3,  10, 17, 24, 32, 25, 18, 11, 4,  5,
                           12, 19, 26, 33, 40, 48, 41, 34, 27, 20, 13, 6,  7,  14, 21, 28,
                           35, 42, 49, 56, 57, 50, 43, 36, 29, 22, 15, 23, 30, 37, 44, 51,
                           58, 59, 52, 45, 38, 31, 39, 46, 53, 60, 61, 54, 47, 55, 62, 63};

// A Huffman table as the file states it: the number of codes of each length 1 to 16, then the values.
struct HuffmanTable {
    std::array<std::uint8_t, 16> counts;
    std::vector<std::uint8_t> values;
};

const HuffmanTable& DcLuminance() {
    static const HuffmanTable table{{0, 1, 5, 1, 1, 1, 1, 1, 1, 0, 0, 0, 0, 0, 0, 0},
                                    {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11}};
    return table;
}

const HuffmanTable& DcChrominance() {
    static const HuffmanTable table{{0, 3, 1, 1, 1, 1, 1, 1, 1, 1, 1, 0, 0, 0, 0, 0},
                                    {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11}};
    return table;
}

const HuffmanTable& AcLuminance() {
    static const HuffmanTable table{
        {0, 2, 1, 3, 3, 2, 4, 3, 5, 5, 4, 4, 0, 0, 1, 0x7D},
        {0x01, 0x02, 0x03, 0x00, 0x04, 0x11, 0x05, 0x12, 0x21, 0x31, 0x41, 0x06, 0x13, 0x51, 0x61, 0x07, 0x22,
         0x71, 0x14, 0x32, 0x81, 0x91, 0xA1, 0x08, 0x23, 0x42, 0xB1, 0xC1, 0x15, 0x52, 0xD1, 0xF0, 0x24, 0x33,
         0x62, 0x72, 0x82, 0x09, 0x0A, 0x16, 0x17, 0x18, 0x19, 0x1A, 0x25, 0x26, 0x27, 0x28, 0x29, 0x2A, 0x34,
         0x35, 0x36, 0x37, 0x38, 0x39, 0x3A, 0x43, 0x44, 0x45, 0x46, 0x47, 0x48, 0x49, 0x4A, 0x53, 0x54, 0x55,
         0x56, 0x57, 0x58, 0x59, 0x5A, 0x63, 0x64, 0x65, 0x66, 0x67, 0x68, 0x69, 0x6A, 0x73, 0x74, 0x75, 0x76,
         0x77, 0x78, 0x79, 0x7A, 0x83, 0x84, 0x85, 0x86, 0x87, 0x88, 0x89, 0x8A, 0x92, 0x93, 0x94, 0x95, 0x96,
         0x97, 0x98, 0x99, 0x9A, 0xA2, 0xA3, 0xA4, 0xA5, 0xA6, 0xA7, 0xA8, 0xA9, 0xAA, 0xB2, 0xB3, 0xB4, 0xB5,
         0xB6, 0xB7, 0xB8, 0xB9, 0xBA, 0xC2, 0xC3, 0xC4, 0xC5, 0xC6, 0xC7, 0xC8, 0xC9, 0xCA, 0xD2, 0xD3, 0xD4,
         0xD5, 0xD6, 0xD7, 0xD8, 0xD9, 0xDA, 0xE1, 0xE2, 0xE3, 0xE4, 0xE5, 0xE6, 0xE7, 0xE8, 0xE9, 0xEA, 0xF1,
         0xF2, 0xF3, 0xF4, 0xF5, 0xF6, 0xF7, 0xF8, 0xF9, 0xFA}};
    return table;
}

const HuffmanTable& AcChrominance() {
    static const HuffmanTable table{
        {0, 2, 1, 2, 4, 4, 3, 4, 7, 5, 4, 4, 0, 1, 2, 0x77},
        {0x00, 0x01, 0x02, 0x03, 0x11, 0x04, 0x05, 0x21, 0x31, 0x06, 0x12, 0x41, 0x51, 0x07, 0x61, 0x71, 0x13,
         0x22, 0x32, 0x81, 0x08, 0x14, 0x42, 0x91, 0xA1, 0xB1, 0xC1, 0x09, 0x23, 0x33, 0x52, 0xF0, 0x15, 0x62,
         0x72, 0xD1, 0x0A, 0x16, 0x24, 0x34, 0xE1, 0x25, 0xF1, 0x17, 0x18, 0x19, 0x1A, 0x26, 0x27, 0x28, 0x29,
         0x2A, 0x35, 0x36, 0x37, 0x38, 0x39, 0x3A, 0x43, 0x44, 0x45, 0x46, 0x47, 0x48, 0x49, 0x4A, 0x53, 0x54,
         0x55, 0x56, 0x57, 0x58, 0x59, 0x5A, 0x63, 0x64, 0x65, 0x66, 0x67, 0x68, 0x69, 0x6A, 0x73, 0x74, 0x75,
         0x76, 0x77, 0x78, 0x79, 0x7A, 0x82, 0x83, 0x84, 0x85, 0x86, 0x87, 0x88, 0x89, 0x8A, 0x92, 0x93, 0x94,
         0x95, 0x96, 0x97, 0x98, 0x99, 0x9A, 0xA2, 0xA3, 0xA4, 0xA5, 0xA6, 0xA7, 0xA8, 0xA9, 0xAA, 0xB2, 0xB3,
         0xB4, 0xB5, 0xB6, 0xB7, 0xB8, 0xB9, 0xBA, 0xC2, 0xC3, 0xC4, 0xC5, 0xC6, 0xC7, 0xC8, 0xC9, 0xCA, 0xD2,
         0xD3, 0xD4, 0xD5, 0xD6, 0xD7, 0xD8, 0xD9, 0xDA, 0xE2, 0xE3, 0xE4, 0xE5, 0xE6, 0xE7, 0xE8, 0xE9, 0xEA,
         0xF2, 0xF3, 0xF4, 0xF5, 0xF6, 0xF7, 0xF8, 0xF9, 0xFA}};
    return table;
}

// The code and its length for every value of a table.
struct HuffmanCodes {
    std::array<std::uint16_t, 256> code{};
    std::array<std::uint8_t, 256> length{};
};

HuffmanCodes CodesOf(const HuffmanTable& table) {
    HuffmanCodes codes;
    std::uint16_t code = 0;
    std::size_t next = 0;
    for (int length = 1; length <= 16; ++length) {
        for (int i = 0; i < table.counts[static_cast<std::size_t>(length - 1)]; ++i) {
            const std::uint8_t value = table.values[next++];
            codes.code[value] = code++;
            codes.length[value] = static_cast<std::uint8_t>(length);
        }
        code = static_cast<std::uint16_t>(code << 1);
    }
    return codes;
}

// The base table scaled for the quality, as the common JPEG library does it for baseline files.
Table ScaledTable(const Table& base, int quality) {
    const int scale = quality < 50 ? 5000 / quality : 200 - 2 * quality;
    Table table{};
    for (std::size_t i = 0; i < 64; ++i) {
        table[i] = std::clamp((base[i] * scale + 50) / 100, 1, 255);
    }
    return table;
}

// Writes bits most significant first, with a 0 byte after every 0xFF byte of the coded data.
class BitWriter {
public:
    explicit BitWriter(std::vector<std::byte>& out) : out_(out) {}
    void Put(std::uint32_t bits, int count) {
        for (int i = count - 1; i >= 0; --i) {
            current_ = static_cast<std::uint8_t>(current_ << 1 | ((bits >> i) & 1u));
            if (++filled_ == 8) {
                Flush();
            }
        }
    }
    // Fills the last byte with 1 bits.
    void Finish() {
        while (filled_ != 0) {
            Put(1, 1);
        }
    }

private:
    void Flush() {
        out_.push_back(static_cast<std::byte>(current_));
        if (current_ == 0xFF) {
            out_.push_back(std::byte{0});
        }
        current_ = 0;
        filled_ = 0;
    }
    std::vector<std::byte>& out_;
    std::uint8_t current_ = 0;
    int filled_ = 0;
};

// The two-dimensional forward DCT of an 8 x 8 block of level-shifted samples.
class Dct {
public:
    Dct() {
        for (int u = 0; u < 8; ++u) {
            const double c = u == 0 ? std::numbers::sqrt2 / 2 : 1.0;
            for (int x = 0; x < 8; ++x) {
                basis_[static_cast<std::size_t>(u * 8 + x)] =
                    static_cast<float>(c / 2 * std::cos((2 * x + 1) * u * std::numbers::pi / 16));
            }
        }
    }
    [[nodiscard]] Block Transform(const Block& samples) const {
        Block rows{};
        for (int y = 0; y < 8; ++y) {
            for (int u = 0; u < 8; ++u) {
                float sum = 0;
                for (int x = 0; x < 8; ++x) {
                    sum += samples[static_cast<std::size_t>(y * 8 + x)] *
                           basis_[static_cast<std::size_t>(u * 8 + x)];
                }
                rows[static_cast<std::size_t>(y * 8 + u)] = sum;
            }
        }
        Block result{};
        for (int u = 0; u < 8; ++u) {
            for (int v = 0; v < 8; ++v) {
                float sum = 0;
                for (int y = 0; y < 8; ++y) {
                    sum += rows[static_cast<std::size_t>(y * 8 + u)] *
                           basis_[static_cast<std::size_t>(v * 8 + y)];
                }
                result[static_cast<std::size_t>(v * 8 + u)] = sum;
            }
        }
        return result;
    }

private:
    Block basis_{};
};

int Category(int value) noexcept {
    int magnitude = value < 0 ? -value : value;
    int bits = 0;
    while (magnitude != 0) {
        ++bits;
        magnitude >>= 1;
    }
    return bits;
}

// The low bits that follow a category: the value itself, or for a negative value its one's complement.
std::uint32_t Amplitude(int value, int category) noexcept {
    const int bits = value < 0 ? value - 1 : value;
    return static_cast<std::uint32_t>(bits) & ((1u << category) - 1u);
}

// One component's coder: its quantisation table, its Huffman codes and its last DC value.
struct Component {
    Table quantiser;
    HuffmanCodes dc;
    HuffmanCodes ac;
    int previousDc = 0;
};

void EncodeBlock(BitWriter& writer, const Dct& dct, const Block& samples, Component& component) {
    const Block coefficients = dct.Transform(samples);
    std::array<int, 64> quantised{};
    for (std::size_t i = 0; i < 64; ++i) {
        const auto natural = static_cast<std::size_t>(kZigzag[i]);
        quantised[i] = static_cast<int>(
            std::lround(coefficients[natural] / static_cast<float>(component.quantiser[natural])));
    }
    const int difference = quantised[0] - component.previousDc;
    component.previousDc = quantised[0];
    const int dcCategory = Category(difference);
    writer.Put(component.dc.code[static_cast<std::size_t>(dcCategory)],
               component.dc.length[static_cast<std::size_t>(dcCategory)]);
    writer.Put(Amplitude(difference, dcCategory), dcCategory);
    int run = 0;
    for (std::size_t i = 1; i < 64; ++i) {
        if (quantised[i] == 0) {
            ++run;
            continue;
        }
        for (; run > 15; run -= 16) {
            writer.Put(component.ac.code[0xF0], component.ac.length[0xF0]);
        }
        const int category = Category(quantised[i]);
        const auto symbol = static_cast<std::size_t>(run << 4 | category);
        writer.Put(component.ac.code[symbol], component.ac.length[symbol]);
        writer.Put(Amplitude(quantised[i], category), category);
        run = 0;
    }
    if (run > 0) {
        writer.Put(component.ac.code[0x00], component.ac.length[0x00]);
    }
}

void PutWord(std::vector<std::byte>& out, int value) {
    out.push_back(static_cast<std::byte>((value >> 8) & 0xFF));
    out.push_back(static_cast<std::byte>(value & 0xFF));
}

void PutBytes(std::vector<std::byte>& out, std::initializer_list<int> bytes) {
    for (const int byte : bytes) {
        out.push_back(static_cast<std::byte>(byte));
    }
}

void PutHeaders(std::vector<std::byte>& out, int width, int height, const Table& luminance,
                const Table& chrominance) {
    PutBytes(out, {0xFF, 0xD8});                                                           // start of image
    PutBytes(out, {0xFF, 0xE0, 0, 16, 'J', 'F', 'I', 'F', 0, 1, 1, 0, 0, 1, 0, 1, 0, 0});  // JFIF 1.01
    PutBytes(out, {0xFF, 0xDB});
    PutWord(out, 2 + 2 * 65);
    for (const auto& [id, table] : {std::pair{0, &luminance}, std::pair{1, &chrominance}}) {
        out.push_back(static_cast<std::byte>(id));
        for (std::size_t i = 0; i < 64; ++i) {
            out.push_back(static_cast<std::byte>((*table)[static_cast<std::size_t>(kZigzag[i])]));
        }
    }
    PutBytes(out, {0xFF, 0xC0, 0, 17, 8});  // baseline frame, 8-bit samples
    PutWord(out, height);
    PutWord(out, width);
    PutBytes(out, {3, 1, 0x11, 0, 2, 0x11, 1, 3, 0x11, 1});
    const std::array<std::pair<int, const HuffmanTable*>, 4> tables = {
        std::pair{0x00, &DcLuminance()}, std::pair{0x10, &AcLuminance()}, std::pair{0x01, &DcChrominance()},
        std::pair{0x11, &AcChrominance()}};
    for (const auto& [id, huffman] : tables) {
        PutBytes(out, {0xFF, 0xC4});
        PutWord(out, 2 + 1 + 16 + static_cast<int>(huffman->values.size()));
        out.push_back(static_cast<std::byte>(id));
        for (const std::uint8_t count : huffman->counts) {
            out.push_back(static_cast<std::byte>(count));
        }
        for (const std::uint8_t value : huffman->values) {
            out.push_back(static_cast<std::byte>(value));
        }
    }
    PutBytes(out, {0xFF, 0xDA, 0, 12, 3, 1, 0x00, 2, 0x11, 3, 0x11, 0, 63, 0});  // start of scan
}

// The three level-shifted 8 x 8 blocks of luminance and colour difference at (left, top); pixels
// beyond the picture's edge repeat its last column or row.
void ReadBlocks(const BgrPixels& pixels, int left, int top, std::array<Block, 3>& blocks) {
    for (int y = 0; y < 8; ++y) {
        const std::uint8_t* row = pixels.top + std::min(top + y, pixels.height - 1) * pixels.rowStep;
        for (int x = 0; x < 8; ++x) {
            const std::uint8_t* pixel = row + std::min(left + x, pixels.width - 1) * 3;
            const float blue = pixel[0];
            const float green = pixel[1];
            const float red = pixel[2];
            const auto at = static_cast<std::size_t>(y * 8 + x);
            blocks[0][at] = 0.299f * red + 0.587f * green + 0.114f * blue - 128.0f;
            blocks[1][at] = -0.168736f * red - 0.331264f * green + 0.5f * blue;
            blocks[2][at] = 0.5f * red - 0.418688f * green - 0.081312f * blue;
        }
    }
}

}  // namespace

std::vector<std::byte> EncodeJpeg(const BgrPixels& pixels, int quality) {
    if (pixels.top == nullptr || pixels.width <= 0 || pixels.height <= 0 || pixels.width > kJpegSizeMax ||
        pixels.height > kJpegSizeMax) {
        return {};
    }
    quality = std::clamp(quality, 1, 100);
    std::array<Component, 3> components{};
    components[0] = {ScaledTable(kLuminanceBase, quality), CodesOf(DcLuminance()), CodesOf(AcLuminance()), 0};
    components[1] = {ScaledTable(kChrominanceBase, quality), CodesOf(DcChrominance()),
                     CodesOf(AcChrominance()), 0};
    components[2] = components[1];
    std::vector<std::byte> out;
    PutHeaders(out, pixels.width, pixels.height, components[0].quantiser, components[1].quantiser);
    BitWriter writer(out);
    const Dct dct;
    std::array<Block, 3> blocks{};
    for (int top = 0; top < pixels.height; top += 8) {
        for (int left = 0; left < pixels.width; left += 8) {
            ReadBlocks(pixels, left, top, blocks);
            for (std::size_t c = 0; c < 3; ++c) {
                EncodeBlock(writer, dct, blocks[c], components[c]);
            }
        }
    }
    writer.Finish();
    PutBytes(out, {0xFF, 0xD9});  // end of image
    return out;
}

}  // namespace tavrin
