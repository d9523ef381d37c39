#pragma once
// Character classes for word selection, and the word under a position.

#include <string_view>

namespace tavrin {

// [start, end) in character offsets.
struct TextRange {
    int start = 0;
    int end = 0;
    friend bool operator==(const TextRange&, const TextRange&) = default;
};

// The word class of a code unit: 1 line breaks, 2 TAB, 3 space, 4 ASCII letters/digits/"_",
// 5 half-width katakana, 6 other ASCII punctuation, 11 ideographic space, 12 full-width letters and
// digits, 14 hiragana, 15 katakana, 16 Greek, 17 Cyrillic, 19 CJK ideographs, 20 everything else.
[[nodiscard]] int CharClass(char16_t c) noexcept;

// The maximal run of one class, within its logical line, that holds p (clamped to the text). At an LF
// or at the text end the result is the empty range at that point.
[[nodiscard]] TextRange WordAt(std::u16string_view text, int p) noexcept;

}  // namespace tavrin
