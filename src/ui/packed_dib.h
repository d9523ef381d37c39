#pragma once
// The layout of a packed device-independent bitmap, the clipboard's picture format: a header, colour
// masks and palette, then the pixel rows. The clipboard holds what another program put there, so every
// size is checked against the bytes actually present before anything reads the pixels.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>

namespace tavrin {

// Pictures with more pixels than this are not taken from the clipboard: they could not be shown
// afterwards either.
inline constexpr std::int64_t kMaxPastedPixels = 64LL * 1024 * 1024;

// Where the parts of a packed bitmap lie.
struct PackedDibLayout {
    int width = 0;
    int height = 0;        // always positive; topDown tells the row order
    bool topDown = false;  // a negative height in the header: the first row is the top one
    int bitsPerPixel = 0;
    std::size_t pixelOffset = 0;  // from the start of the header
    std::size_t pixelBytes = 0;
};

// The layout of the bytes as a packed bitmap with an uncompressed (or bit-field, or run-length) pixel
// block, or nothing when the header is unknown, the picture is empty or larger than kMaxPastedPixels,
// or the bytes end before the pixels do.
[[nodiscard]] std::optional<PackedDibLayout> MeasurePackedDib(std::span<const std::byte> bytes) noexcept;

}  // namespace tavrin
