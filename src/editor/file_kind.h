#pragma once
// What kind of file a name stands for, by its extension: the picture, sound and movie lists shared by
// attachments, dropped files, the file chooser and the background folder scan.

#include <span>
#include <string_view>

namespace tavrin {

// The values are the kind numbers the program has always used (0 for anything else).
enum class FileKind { kOther = 0, kPicture = 1, kSound = 2, kMovie = 3 };

// At most this many characters of an extension are looked at.
inline constexpr std::size_t kFileExtensionMax = 5;

// The text after the last "." of the name, at most kFileExtensionMax characters; empty when the name
// has no "." (or ends in one).
[[nodiscard]] std::u16string_view FileExtension(std::u16string_view name) noexcept;

// The kind of an extension, compared without regard to the case of ASCII letters ("JPG" is a
// picture). The lists are tried in the order picture, sound, movie; the first match decides.
[[nodiscard]] FileKind ClassifyFileKind(std::u16string_view extension) noexcept;

// The kind of a file by its name or full path: the extension of the part after the last "\" or "/",
// so a dot in a folder name is not taken for the file's extension.
[[nodiscard]] FileKind FileKindOfPath(std::u16string_view path) noexcept;

// The extensions of a kind, lower case (empty for kOther).
[[nodiscard]] std::span<const std::u16string_view> ExtensionsOfKind(FileKind kind) noexcept;

}  // namespace tavrin
