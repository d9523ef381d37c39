#pragma once
// Which object a reference line "[[name]]" embeds, decided by the name's extension.

#include <cstdint>
#include <string_view>

namespace tavrin {

// Kind of a display row; the values are those the row table has always stored.
enum class RowKind : std::int32_t { Normal = 0, Heading = 1, Picture = 2, Sound = 3, Movie = 4 };

[[nodiscard]] constexpr bool IsObjectRow(RowKind kind) noexcept {
    return kind == RowKind::Picture || kind == RowKind::Sound || kind == RowKind::Movie;
}

// The extension as the reference line sees it: at most the first 5 characters after the last ".";
// empty when the name has no ".".
[[nodiscard]] std::u16string_view ReferenceExtension(std::u16string_view name) noexcept;

// Sound when the extension is one of the sound extensions, movie when one of the movie extensions,
// picture otherwise. The comparison is exact: "CLIP.WAV" is a picture.
[[nodiscard]] RowKind ObjectKindOfName(std::u16string_view name) noexcept;

}  // namespace tavrin
