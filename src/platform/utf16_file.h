#pragma once
// The stored form of every text file the program writes: UTF-16 little-endian behind the byte-order
// mark FF FE, with no terminating NUL.

#include <cstddef>
#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "platform/file_system.h"

namespace tavrin {

// Decodes file bytes: a leading FF FE is skipped, everything else is taken as UTF-16 little-endian
// (no other encoding is recognised), and a final odd byte is dropped. Every code unit is kept, NULs
// included: a NUL in a hand-edited file must not hide the text behind it.
[[nodiscard]] std::u16string DecodeUtf16File(std::span<const std::byte> bytes);

// Reads and decodes a whole file (opened without sharing, retried); nothing when it cannot be read.
[[nodiscard]] std::optional<std::u16string> ReadUtf16File(FileSystem& fs, const std::filesystem::path& path);

// The two bytes FF FE.
[[nodiscard]] std::span<const std::byte> Utf16ByteOrderMark() noexcept;

// The code units of text as little-endian bytes, without a byte-order mark.
[[nodiscard]] std::vector<std::byte> EncodeUtf16Le(std::u16string_view text);

// Writes byte-order mark and text as the whole new content of path, atomically (WriteFileAtomically):
// piece 0 is the byte-order mark, piece 1 the text.
[[nodiscard]] WriteResult WriteUtf16File(FileSystem& fs, const std::filesystem::path& path,
                                         std::u16string_view text);

}  // namespace tavrin
