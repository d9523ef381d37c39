#pragma once
// Recognition of links in running text: URLs, mail addresses, file paths, dates and hash tags.

#include <cstdint>
#include <string_view>
#include <vector>

namespace tavrin {

enum class LinkKind : std::int32_t { None = 0, Url = 1, Mail = 2, File = 3, Date = 4, HashTag = 5 };

// What starts at the beginning of a text: the kind and its length in code units (0 with None).
struct LinkMatch {
    LinkKind kind = LinkKind::None;
    int length = 0;
    friend bool operator==(const LinkMatch&, const LinkMatch&) = default;
};

// A link found in a line, start relative to the text that was scanned.
struct LinkSpan {
    int start = 0;
    int length = 0;
    LinkKind kind = LinkKind::None;
    friend bool operator==(const LinkSpan&, const LinkSpan&) = default;
};

// Longest text the painter and the hit test hand to the classifier at one position.
inline constexpr int kLinkScanLimit = 256;

// Looks at no more than n characters from the start of text (n is also capped at text.size()).
[[nodiscard]] LinkMatch ClassifyLink(std::u16string_view text, int n) noexcept;

// True for the kinds that are drawn underlined and found by pointing: URL, mail address, file path.
[[nodiscard]] constexpr bool IsPointableLink(LinkKind kind) noexcept {
    return kind == LinkKind::Url || kind == LinkKind::Mail || kind == LinkKind::File;
}

// The URLs, mail addresses and file paths of one logical line (no LF inside), scanned from its start:
// at each position the classifier sees the rest of the line, at most kLinkScanLimit characters; a link
// found is skipped over whole, any other position advances by one.
[[nodiscard]] std::vector<LinkSpan> FindLinksInLine(std::u16string_view line);

}  // namespace tavrin
