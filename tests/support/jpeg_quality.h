#pragma once
// Reads back the quality a JPEG file was written with, independently of the encoder that wrote it: the
// file's luminance quantisation table is compared with the standard table scaled for each quality
// from 1 to 100, the way the common JPEG library scales it.

#include <cstddef>
#include <optional>
#include <span>

namespace tavrin::testing {

// The quality whose scaled standard table equals the file's luminance table exactly; nothing when the
// file has no such table or no quality gives it.
[[nodiscard]] std::optional<int> JpegQuality(std::span<const std::byte> file);

}  // namespace tavrin::testing
