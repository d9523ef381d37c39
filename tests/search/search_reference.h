#pragma once
// The matching rule written out naively, as the reference the fast matcher is checked against in the
// property tests and the fuzzer.

#include <array>
#include <cstddef>
#include <string_view>

namespace tavrin::testing {

// The classes of word selection, straight from their table of ranges.
inline int ReferenceClass(char16_t c) {
    struct Range {
        char16_t low;
        char16_t high;
        int cls;
    };
    static constexpr std::array<Range, 22> kRanges{{
        {u'\n', u'\n', 1},    {u'\r', u'\r', 1},
        {u'\t', u'\t', 2},    {u' ', u' ', 3},
        {u'0', u'9', 4},      {u'A', u'Z', 4},
        {u'a', u'z', 4},      {u'_', u'_', 4},
        {0xFF61, 0xFF9F, 5},  {0x21, 0x7E, 6},
        {0x3000, 0x3000, 11}, {0xFF10, 0xFF19, 12},
        {0xFF21, 0xFF3A, 12}, {0xFF3F, 0xFF3F, 12},
        {0xFF41, 0xFF5A, 12}, {0x3041, 0x309E, 14},
        {0x30A1, 0x30F6, 15}, {0x30FC, 0x30FC, 15},
        {0x0391, 0x03C9, 16}, {0x0410, 0x044F, 17},
        {0x4E00, 0x9FA0, 19}, {0, 0, 0},
    }};
    for (const Range& range : kRanges) {
        if (range.cls != 0 && c >= range.low && c <= range.high) {
            return range.cls;
        }
    }
    return 20;
}

inline char16_t ReferenceFold(char16_t c, bool matchCase) {
    return !matchCase && c >= u'A' && c <= u'Z' ? static_cast<char16_t>(c - u'A' + u'a') : c;
}

// Every start offset from `from` on in turn; whole-word matches need a class change on both sides, the
// edges of the text counting as one.
inline std::ptrdiff_t ReferenceFind(std::u16string_view text, std::u16string_view pattern, bool matchCase,
                                    bool wordOnly, std::size_t from = 0) {
    const std::size_t n = text.size();
    const std::size_t m = pattern.size();
    if (n == 0 || m == 0 || m > n) {
        return -1;
    }
    for (std::size_t i = from; i + m <= n; ++i) {
        bool equal = true;
        for (std::size_t k = 0; k < m && equal; ++k) {
            equal = ReferenceFold(text[i + k], matchCase) == ReferenceFold(pattern[k], matchCase);
        }
        if (!equal) {
            continue;
        }
        if (wordOnly) {
            const bool before = i == 0 || ReferenceClass(text[i - 1]) != ReferenceClass(pattern[0]);
            const bool after = i + m == n || ReferenceClass(text[i + m]) != ReferenceClass(pattern[m - 1]);
            if (!before || !after) {
                continue;
            }
        }
        return static_cast<std::ptrdiff_t>(i);
    }
    return -1;
}

}  // namespace tavrin::testing
