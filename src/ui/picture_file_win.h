#pragma once
// Writing pictures: a bitmap saved as a PNG, JPEG, BMP, GIF or TIFF file (the pictures pasted from the
// clipboard). GDI+ encodes all but JPEG, which the program encodes itself so that its quality holds on
// every platform.

#include <windows.h>

#include <cstddef>
#include <span>
#include <string_view>

#include "platform/file_system.h"
#include "ui/packed_dib.h"

namespace tavrin {

// Saves a 24-bit bottom-up device-independent bitmap (its header and its pixels) to path in the format
// (0 PNG, 1 JPEG, 2 BMP, 3 GIF, 4 TIFF): the GDI+ encoder of the format's MIME type, or for a JPEG the
// program's own encoder at the quality JpegEncoderQuality makes of jpegQuality, written through fs.
// True only when the file was written.
bool SavePictureFile(FileSystem& fs, const BITMAPINFO& info, const void* pixels, std::u16string_view path,
                     int format, int jpegQuality);

// Draws a packed bitmap (as the clipboard holds it, measured by MeasurePackedDib) onto a 24-bit white
// canvas of its size and saves that with SavePictureFile.
bool SavePackedDibAsPicture(FileSystem& fs, std::span<const std::byte> packed, const PackedDibLayout& layout,
                            std::u16string_view path, int format, int jpegQuality);

}  // namespace tavrin
