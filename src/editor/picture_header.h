#pragma once
// The size a picture file states in its header, read before the file is handed to the decoder: a
// picture too large to keep is refused at once, instead of being decoded whole first (which some
// decoders do when the picture is opened, taking seconds and gigabytes for a 20,000 x 20,000 file).

#include <cstddef>
#include <optional>
#include <span>

#include "editor/picture_host.h"

namespace tavrin {

// How many bytes from the start of a file PictureSizeFromHeader wants to see: enough for the header
// of a PNG, GIF or BMP file, and for a JPEG file's frame header behind its usual metadata.
inline constexpr std::size_t kPictureHeaderBytes = 256 * 1024;

// The width and height a PNG, GIF, BMP or JPEG file states (the first bytes of the file suffice);
// nothing for other formats and for headers that are cut short or make no sense.
[[nodiscard]] std::optional<PictureSize> PictureSizeFromHeader(std::span<const std::byte> head) noexcept;

}  // namespace tavrin
