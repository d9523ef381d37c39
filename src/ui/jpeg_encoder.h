#pragma once
// A baseline JPEG encoder for the pictures pasted from the clipboard. The platform's encoders do not
// all honour a quality setting (under Wine the JPEG quality is always the library's default), and the
// JPEGQuality setting must hold wherever the program runs, so JPEG files are written here: the
// standard tables scaled for the quality the way the common JPEG library scales them, no chroma
// subsampling, the standard Huffman tables.

#include <cstddef>
#include <cstdint>
#include <vector>

namespace tavrin {

// 24-bit pixels in the order a Windows DIB keeps them (blue, green, red), row y starting at
// top + y x rowStep bytes.
struct BgrPixels {
    const std::uint8_t* top = nullptr;
    int width = 0;
    int height = 0;
    std::ptrdiff_t rowStep = 0;
};

// The largest width and height a baseline JPEG file can state.
inline constexpr int kJpegSizeMax = 65535;

// The whole JPEG file of the pixels at quality 1 to 100 (values outside are brought into the range);
// empty for an empty picture or one larger than kJpegSizeMax either way.
[[nodiscard]] std::vector<std::byte> EncodeJpeg(const BgrPixels& pixels, int quality);

}  // namespace tavrin
