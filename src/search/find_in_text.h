#pragma once
// The matcher of the full-text search: a search word prepared once, found in UTF-16 text by a fast
// scan for one of its code units followed by a full comparison.

#include <cstddef>
#include <string>
#include <string_view>

namespace tavrin {

// The character classes of word selection, which also decide whole-word matches. Values as the
// editor numbers them.
enum class WordClass {
    kLineBreak = 1,  // CR, LF
    kTab = 2,
    kSpace = 3,
    kAsciiWord = 4,      // ASCII letters, digits and "_"
    kHalfWidthKana = 5,  // U+FF61-U+FF9F
    kAsciiSymbol = 6,    // other ASCII punctuation U+0021-U+007E
    kIdeographicSpace = 11,
    kFullWidthWord = 12,  // full-width digits, Latin letters and low line
    kHiragana = 14,       // U+3041-U+309E
    kKatakana = 15,       // U+30A1-U+30F6 and the prolonged sound mark U+30FC
    kGreek = 16,          // U+0391-U+03C9
    kCyrillic = 17,       // U+0410-U+044F
    kIdeograph = 19,      // CJK ideographs U+4E00-U+9FA0
    kOther = 20,
};

[[nodiscard]] WordClass WordClassOf(char16_t c) noexcept;

// ASCII A-Z to a-z; every other code unit unchanged. The only case folding of the search.
[[nodiscard]] constexpr char16_t FoldAscii(char16_t c) noexcept {
    return c >= u'A' && c <= u'Z' ? static_cast<char16_t>(c + (u'a' - u'A')) : c;
}

// A search word with its options, prepared for repeated matching. Without matchCase the word is
// held folded; with wordOnly a match needs a class change (or the edge of the searched text) on both
// sides.
class SearchPattern {
public:
    SearchPattern(std::u16string_view word, bool matchCase, bool wordOnly);

    [[nodiscard]] bool Empty() const noexcept { return units_.empty(); }
    [[nodiscard]] std::size_t Size() const noexcept { return units_.size(); }
    [[nodiscard]] std::u16string_view Units() const noexcept { return units_; }
    [[nodiscard]] bool MatchCase() const noexcept { return matchCase_; }
    [[nodiscard]] bool WordOnly() const noexcept { return wordOnly_; }
    // Whether the word holds a CR or LF.
    [[nodiscard]] bool HasLineBreak() const noexcept { return hasLineBreak_; }

    // The offset of the first match at or after from in text, or npos. With wordOnly, matches without
    // word boundaries are passed over; without it (or with anywhere set) every match counts. The edges
    // of text count as boundaries: nothing outside it is read.
    [[nodiscard]] std::size_t Find(std::u16string_view text, std::size_t from = 0,
                                   bool anywhere = false) const noexcept;

    // For scanners that look for candidates themselves: the position in the word of the unit to look
    // for, that unit in either case, and the full check of a candidate start (at + Size() must not
    // pass the end of text).
    [[nodiscard]] std::size_t AnchorOffset() const noexcept { return anchor_; }
    [[nodiscard]] char16_t AnchorUnit() const noexcept { return anchorUnit_; }
    [[nodiscard]] char16_t AnchorOtherCase() const noexcept { return anchorOther_; }
    [[nodiscard]] bool MatchesAt(std::u16string_view text, std::size_t at) const noexcept {
        return RestMatches(text.data() + at) && (!wordOnly_ || OnWordBoundaries(text, at));
    }

private:
    [[nodiscard]] bool RestMatches(const char16_t* at) const noexcept;
    [[nodiscard]] bool OnWordBoundaries(std::u16string_view text, std::size_t at) const noexcept;

    std::u16string units_;
    std::size_t anchor_ = 0;   // the position in the word whose unit the scan looks for
    char16_t anchorUnit_ = 0;  // that unit, and its other case (the same unit when it has none)
    char16_t anchorOther_ = 0;
    bool matchCase_ = false;
    bool wordOnly_ = false;
    bool folds_ = false;  // case folding can matter: no matchCase and an ASCII letter in the word
    bool hasLineBreak_ = false;
    WordClass firstClass_ = WordClass::kOther;
    WordClass lastClass_ = WordClass::kOther;
};

// The offset of the first code unit equal to a or b in [from, end) of text, or end.
[[nodiscard]] std::size_t FindEitherUnit(const char16_t* text, std::size_t from, std::size_t end, char16_t a,
                                         char16_t b) noexcept;

// The matcher on one text: the offset of the first accepted match of pattern in text, or -1 (also
// for an empty text or pattern). Without matchCase ASCII letters match either case and nothing else
// is folded. With wordOnly the character before the match must belong to another class than the
// pattern's first character and the one after it to another class than its last; the start and end
// of text count as such boundaries.
[[nodiscard]] std::ptrdiff_t FindInText(std::u16string_view text, std::u16string_view pattern, bool matchCase,
                                        bool wordOnly);
[[nodiscard]] std::ptrdiff_t FindInText(std::u16string_view text, const SearchPattern& pattern) noexcept;

}  // namespace tavrin
