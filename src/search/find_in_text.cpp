#include "search/find_in_text.h"

#include <algorithm>

#include "search/unit_scan.h"

namespace tavrin {
namespace {

bool IsAsciiLetter(char16_t c) noexcept { return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z'); }

char16_t OtherCase(char16_t c) noexcept {
    if (c >= u'a' && c <= u'z') {
        return static_cast<char16_t>(c - (u'a' - u'A'));
    }
    return FoldAscii(c);
}

// How common a code unit is in diary text, lower being rarer: the scan looks for the rarest unit of
// the word so that it stops at few false candidates. Japanese text is mostly hiragana and
// punctuation; ASCII letters go by their frequency in English.
int Commonness(char16_t c) noexcept {
    constexpr std::u16string_view kLettersByFrequency = u"etaoinsrhldcumfpgwybvkxjqz";
    switch (WordClassOf(c)) {
        case WordClass::kIdeograph:
        case WordClass::kKatakana:
        case WordClass::kFullWidthWord:
        case WordClass::kHalfWidthKana:
        case WordClass::kGreek:
        case WordClass::kCyrillic:
            return 10;
        case WordClass::kOther:
            // Japanese punctuation such as "、" and "。" is everywhere; ASCII controls are rare, but
            // NUL-padded text is not.
            return c < 0x80 || (c >= 0x3000 && c <= 0x303F) ? 80 : 10;
        case WordClass::kHiragana:
            return 30;
        case WordClass::kAsciiWord: {
            const std::size_t rank = kLettersByFrequency.find(FoldAscii(c));
            return rank == std::u16string_view::npos ? 40 : 70 - static_cast<int>(rank);
        }
        default:
            return 90;  // spaces, punctuation, TABs and line breaks
    }
}

}  // namespace

WordClass WordClassOf(char16_t c) noexcept {
    if (c < 0x80) {
        if (c == u'\r' || c == u'\n') {
            return WordClass::kLineBreak;
        }
        if (c == u'\t') {
            return WordClass::kTab;
        }
        if (c == u' ') {
            return WordClass::kSpace;
        }
        if ((c >= u'0' && c <= u'9') || IsAsciiLetter(c) || c == u'_') {
            return WordClass::kAsciiWord;
        }
        return c >= 0x21 && c <= 0x7E ? WordClass::kAsciiSymbol : WordClass::kOther;
    }
    if (c >= 0x4E00 && c <= 0x9FA0) {
        return WordClass::kIdeograph;
    }
    if (c >= 0x3041 && c <= 0x309E) {
        return WordClass::kHiragana;
    }
    if ((c >= 0x30A1 && c <= 0x30F6) || c == 0x30FC) {
        return WordClass::kKatakana;
    }
    if (c == 0x3000) {
        return WordClass::kIdeographicSpace;
    }
    if ((c >= 0xFF10 && c <= 0xFF19) || (c >= 0xFF21 && c <= 0xFF3A) || c == 0xFF3F ||
        (c >= 0xFF41 && c <= 0xFF5A)) {
        return WordClass::kFullWidthWord;
    }
    if (c >= 0xFF61 && c <= 0xFF9F) {
        return WordClass::kHalfWidthKana;
    }
    if (c >= 0x0391 && c <= 0x03C9) {
        return WordClass::kGreek;
    }
    if (c >= 0x0410 && c <= 0x044F) {
        return WordClass::kCyrillic;
    }
    return WordClass::kOther;
}

std::size_t FindEitherUnit(const char16_t* text, std::size_t from, std::size_t end, char16_t a,
                           char16_t b) noexcept {
    return FindEitherUnitBy(FastestScanPath(), text, from, end, a, b);
}

SearchPattern::SearchPattern(std::u16string_view word, bool matchCase, bool wordOnly)
    : units_(word), matchCase_(matchCase), wordOnly_(wordOnly) {
    if (units_.empty()) {
        return;
    }
    folds_ = !matchCase && std::any_of(units_.begin(), units_.end(), IsAsciiLetter);
    if (!matchCase) {
        std::transform(units_.begin(), units_.end(), units_.begin(), FoldAscii);
    }
    hasLineBreak_ = units_.find_first_of(u"\r\n") != std::u16string::npos;
    int best = Commonness(units_[0]);
    for (std::size_t i = 1; i < units_.size(); ++i) {
        const int commonness = Commonness(units_[i]);
        if (commonness < best) {
            best = commonness;
            anchor_ = i;
        }
    }
    anchorUnit_ = units_[anchor_];
    anchorOther_ = folds_ ? OtherCase(anchorUnit_) : anchorUnit_;
    firstClass_ = WordClassOf(units_.front());
    lastClass_ = WordClassOf(units_.back());
}

bool SearchPattern::RestMatches(const char16_t* at) const noexcept {
    if (!folds_) {
        // Words are short: a plain loop beats a call to memcmp.
        for (std::size_t k = 0; k < units_.size(); ++k) {
            if (at[k] != units_[k]) {
                return false;
            }
        }
        return true;
    }
    for (std::size_t k = 0; k < units_.size(); ++k) {
        if (FoldAscii(at[k]) != units_[k]) {
            return false;
        }
    }
    return true;
}

bool SearchPattern::OnWordBoundaries(std::u16string_view text, std::size_t at) const noexcept {
    const std::size_t after = at + units_.size();
    return (at == 0 || WordClassOf(text[at - 1]) != firstClass_) &&
           (after == text.size() || WordClassOf(text[after]) != lastClass_);
}

std::size_t SearchPattern::Find(std::u16string_view text, std::size_t from, bool anywhere) const noexcept {
    const std::size_t size = units_.size();
    if (size == 0 || text.size() < size || from > text.size() - size) {
        return std::u16string_view::npos;
    }
    const char16_t* data = text.data();
    const std::size_t scanEnd = text.size() - size + anchor_ + 1;
    for (std::size_t j = from + anchor_;; ++j) {
        j = FindEitherUnit(data, j, scanEnd, anchorUnit_, anchorOther_);
        if (j == scanEnd) {
            return std::u16string_view::npos;
        }
        const std::size_t at = j - anchor_;
        if (RestMatches(data + at) && (anywhere || !wordOnly_ || OnWordBoundaries(text, at))) {
            return at;
        }
    }
}

std::ptrdiff_t FindInText(std::u16string_view text, const SearchPattern& pattern) noexcept {
    const std::size_t at = pattern.Find(text);
    return at == std::u16string_view::npos ? -1 : static_cast<std::ptrdiff_t>(at);
}

std::ptrdiff_t FindInText(std::u16string_view text, std::u16string_view pattern, bool matchCase,
                          bool wordOnly) {
    return FindInText(text, SearchPattern(pattern, matchCase, wordOnly));
}

}  // namespace tavrin
