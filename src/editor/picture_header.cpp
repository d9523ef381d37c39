#include "editor/picture_header.h"

#include <cstdint>
#include <cstdlib>

namespace tavrin {
namespace {

std::uint32_t Byte(std::span<const std::byte> head, std::size_t at) noexcept {
    return std::to_integer<std::uint32_t>(head[at]);
}
std::uint32_t BigEndian16(std::span<const std::byte> head, std::size_t at) noexcept {
    return Byte(head, at) << 8 | Byte(head, at + 1);
}
std::uint32_t BigEndian32(std::span<const std::byte> head, std::size_t at) noexcept {
    return BigEndian16(head, at) << 16 | BigEndian16(head, at + 2);
}
std::uint32_t LittleEndian16(std::span<const std::byte> head, std::size_t at) noexcept {
    return Byte(head, at) | Byte(head, at + 1) << 8;
}
std::uint32_t LittleEndian32(std::span<const std::byte> head, std::size_t at) noexcept {
    return LittleEndian16(head, at) | LittleEndian16(head, at + 2) << 16;
}

bool StartsWith(std::span<const std::byte> head, std::initializer_list<std::uint32_t> bytes) noexcept {
    if (head.size() < bytes.size()) {
        return false;
    }
    std::size_t at = 0;
    for (const std::uint32_t byte : bytes) {
        if (Byte(head, at++) != byte) {
            return false;
        }
    }
    return true;
}

std::optional<PictureSize> Sized(long long width, long long height) noexcept {
    if (width <= 0 || height <= 0 || width > 0x7FFFFFFF || height > 0x7FFFFFFF) {
        return std::nullopt;
    }
    return PictureSize{static_cast<int>(width), static_cast<int>(height)};
}

std::optional<PictureSize> BitmapSize(std::span<const std::byte> head) noexcept {
    if (head.size() < 26) {
        return std::nullopt;
    }
    if (LittleEndian32(head, 14) == 12) {  // the old core header: 16-bit sizes
        return Sized(LittleEndian16(head, 18), LittleEndian16(head, 20));
    }
    const auto width = static_cast<std::int32_t>(LittleEndian32(head, 18));
    const auto height = static_cast<std::int32_t>(LittleEndian32(head, 22));
    return Sized(width, std::llabs(static_cast<long long>(height)));
}

// The frame header of a JPEG file: the markers are walked by their lengths up to the first start of
// frame (any of C0 to CF but the table markers C4, C8 and CC).
std::optional<PictureSize> JpegSize(std::span<const std::byte> head) noexcept {
    std::size_t at = 2;
    while (at + 4 <= head.size()) {
        if (Byte(head, at) != 0xFF) {
            return std::nullopt;
        }
        const std::uint32_t marker = Byte(head, at + 1);
        if (marker == 0xFF) {
            ++at;  // fill byte
            continue;
        }
        if (marker == 0x01 || (marker >= 0xD0 && marker <= 0xD8)) {
            at += 2;  // markers without a length
            continue;
        }
        if (marker == 0xD9 || marker == 0xDA) {
            return std::nullopt;  // the picture data starts before any frame header
        }
        const std::uint32_t length = BigEndian16(head, at + 2);
        const bool frame =
            marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC;
        if (frame) {
            if (at + 9 > head.size() || length < 7) {
                return std::nullopt;
            }
            return Sized(BigEndian16(head, at + 7), BigEndian16(head, at + 5));
        }
        if (length < 2) {
            return std::nullopt;
        }
        at += 2 + length;
    }
    return std::nullopt;
}

}  // namespace

std::optional<PictureSize> PictureSizeFromHeader(std::span<const std::byte> head) noexcept {
    if (StartsWith(head, {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A})) {
        if (head.size() < 24 || BigEndian32(head, 12) != 0x49484452u) {  // "IHDR"
            return std::nullopt;
        }
        return Sized(BigEndian32(head, 16), BigEndian32(head, 20));
    }
    if (StartsWith(head, {'G', 'I', 'F', '8'})) {
        return head.size() < 10 ? std::nullopt : Sized(LittleEndian16(head, 6), LittleEndian16(head, 8));
    }
    if (StartsWith(head, {'B', 'M'})) {
        return BitmapSize(head);
    }
    if (StartsWith(head, {0xFF, 0xD8})) {
        return JpegSize(head);
    }
    return std::nullopt;
}

}  // namespace tavrin
