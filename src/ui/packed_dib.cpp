#include "ui/packed_dib.h"

#include <cstring>

#include "ui/surface.h"

namespace tavrin {
namespace {

// Header field values of the format.
constexpr std::uint32_t kInfoHeaderSize = 40;
constexpr std::uint32_t kRgb = 0;
constexpr std::uint32_t kRle8 = 1;
constexpr std::uint32_t kRle4 = 2;
constexpr std::uint32_t kBitFields = 3;

template <class T>
T ReadAt(std::span<const std::byte> bytes, std::size_t offset) noexcept {
    T value{};
    std::memcpy(&value, bytes.data() + offset, sizeof value);
    return value;
}

bool KnownDepth(std::uint16_t bits) noexcept {
    return bits == 1 || bits == 4 || bits == 8 || bits == 16 || bits == 24 || bits == 32;
}

bool CompressionFits(std::uint32_t compression, std::uint16_t bits) noexcept {
    switch (compression) {
        case kRgb:
            return true;
        case kBitFields:
            return bits == 16 || bits == 32;
        case kRle8:
            return bits == 8;
        case kRle4:
            return bits == 4;
        default:
            return false;  // embedded JPEG or PNG streams are not drawn by the bitmap functions
    }
}

}  // namespace

std::optional<PackedDibLayout> MeasurePackedDib(std::span<const std::byte> bytes) noexcept {
    if (bytes.size() < kInfoHeaderSize) {
        return std::nullopt;
    }
    const auto headerSize = ReadAt<std::uint32_t>(bytes, 0);
    const auto width = static_cast<std::int64_t>(ReadAt<std::int32_t>(bytes, 4));
    const auto height = static_cast<std::int64_t>(ReadAt<std::int32_t>(bytes, 8));
    const auto planes = ReadAt<std::uint16_t>(bytes, 12);
    const auto bits = ReadAt<std::uint16_t>(bytes, 14);
    const auto compression = ReadAt<std::uint32_t>(bytes, 16);
    const auto sizeImage = ReadAt<std::uint32_t>(bytes, 20);
    const auto coloursUsed = ReadAt<std::uint32_t>(bytes, 32);
    const std::int64_t rows = height < 0 ? -height : height;
    if (headerSize < kInfoHeaderSize || headerSize > bytes.size() || planes != 1 || !KnownDepth(bits) ||
        !CompressionFits(compression, bits) || width <= 0 || rows <= 0 || width * rows > kMaxPastedPixels) {
        return std::nullopt;
    }
    if (coloursUsed > 256 || (bits <= 8 && coloursUsed > (1u << bits))) {
        return std::nullopt;
    }
    const std::uint64_t colours = coloursUsed != 0 ? coloursUsed : bits <= 8 ? (1u << bits) : 0u;
    const std::uint64_t masks = headerSize == kInfoHeaderSize && compression == kBitFields ? 12u : 0u;
    const std::uint64_t offset = headerSize + masks + colours * 4u;
    const std::uint64_t pixelBytes =
        compression == kRle8 || compression == kRle4
            ? sizeImage
            : static_cast<std::uint64_t>(DibStride(bits, static_cast<int>(width))) *
                  static_cast<std::uint64_t>(rows);
    if (pixelBytes == 0 || offset > bytes.size() || pixelBytes > bytes.size() - offset) {
        return std::nullopt;
    }
    PackedDibLayout layout;
    layout.width = static_cast<int>(width);
    layout.height = static_cast<int>(rows);
    layout.topDown = height < 0;
    layout.bitsPerPixel = bits;
    layout.pixelOffset = static_cast<std::size_t>(offset);
    layout.pixelBytes = static_cast<std::size_t>(pixelBytes);
    return layout;
}

}  // namespace tavrin
