#include "editor/link_classifier.h"

#include <algorithm>
#include <array>

namespace tavrin {
namespace {

// Per ASCII code: 0 ends a URL, -1 may continue one, a positive value may continue one and starts the
// prefix group at that index of kPrefixes.
constexpr std::array<std::int8_t, 128> MakeUrlTable() {
    std::array<std::int8_t, 128> table{};
    for (char c : std::string_view("!#$%&+,-./:;=?@\\_~")) {
        table[static_cast<unsigned char>(c)] = -1;
    }
    for (int c = '0'; c <= '9'; ++c) {
        table[c] = -1;
    }
    for (int c = 'A'; c <= 'Z'; ++c) {
        table[c] = -1;
        table[c + 32] = -1;
    }
    table['f'] = 1;
    table['h'] = 3;
    table['w'] = 5;
    return table;
}
constexpr std::array<std::int8_t, 128> kUrlTable = MakeUrlTable();

struct Prefix {
    std::u16string_view text;
    LinkKind kind;
};
// Index 0 is unused so that table values address entries directly.
constexpr Prefix kPrefixes[] = {{u"", LinkKind::None},        {u"file:", LinkKind::File},
                                {u"ftp://", LinkKind::Url},   {u"http://", LinkKind::Url},
                                {u"https://", LinkKind::Url}, {u"www.", LinkKind::Url}};
constexpr int kPrefixCount = static_cast<int>(std::size(kPrefixes));

bool UrlContinues(char16_t c) noexcept {
    return c < 128 && kUrlTable[c] != 0;
}
bool IsAsciiLetter(char16_t c) noexcept {
    return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z');
}
bool IsAsciiDigit(char16_t c) noexcept {
    return c >= u'0' && c <= u'9';
}
bool IsAsciiAlnum(char16_t c) noexcept {
    return IsAsciiLetter(c) || IsAsciiDigit(c);
}
bool IsMailLocal(char16_t c) noexcept {
    return IsAsciiAlnum(c) || c == u'-' || c == u'.' || c == u'_';
}
bool IsMailLabel(char16_t c) noexcept {
    return IsAsciiAlnum(c) || c == u'-' || c == u'_';
}

bool IsPathBreak(char16_t c) noexcept {
    if (c < 0x20 || c == 0x7F) {
        return true;
    }
    return std::u16string_view(u"\"*,/:;<>?[]|").find(c) != std::u16string_view::npos;
}

// Tries the prefix group of the first character; matched tells whether a prefix fitted, in which case
// the result is final (a URL prefix with nothing behind it is no link at all).
LinkMatch MatchPrefix(std::u16string_view text, int n, bool& matched) noexcept {
    matched = false;
    const char16_t first = text[0];
    if (first >= 128 || kUrlTable[first] <= 0) {
        return {};
    }
    for (int index = kUrlTable[first]; index < kPrefixCount && kPrefixes[index].text[0] == first; ++index) {
        const std::u16string_view prefix = kPrefixes[index].text;
        const int prefixLength = static_cast<int>(prefix.size());
        if (prefixLength > n || text.substr(0, prefix.size()) != prefix) {
            continue;
        }
        matched = true;
        int end = prefixLength;
        if (kPrefixes[index].kind == LinkKind::File) {
            while (end < n && (text[end] > 0x7F || UrlContinues(text[end]))) {
                ++end;
            }
            return {LinkKind::File, end};
        }
        while (end < n && UrlContinues(text[end])) {
            ++end;
        }
        return end > prefixLength ? LinkMatch{LinkKind::Url, end} : LinkMatch{};
    }
    return {};
}

// localRun, when not negative, is the length of the run of local-part characters at the start of
// text, already known to the caller.
int MatchMail(std::u16string_view text, int n, int localRun) noexcept {
    if (!IsAsciiAlnum(text[0])) {
        return 0;
    }
    int at = 1;
    if (localRun >= 0) {
        at = std::max(1, std::min(localRun, n - 2));
    } else {
        while (at < n - 2 && IsMailLocal(text[at])) {
            ++at;
        }
    }
    if (at >= n - 2 || text[at] != u'@') {
        return 0;
    }
    int labels = 0;
    int end = 0;
    int pos = at + 1;
    while (pos < n && IsMailLabel(text[pos])) {
        while (pos < n && IsMailLabel(text[pos])) {
            ++pos;
        }
        ++labels;
        end = pos;
        if (pos + 1 < n && text[pos] == u'.' && IsMailLabel(text[pos + 1])) {
            ++pos;
        } else {
            break;
        }
    }
    return labels >= 2 ? end : 0;
}

int MatchPath(std::u16string_view text, int n) noexcept {
    if (n <= 1) {
        return 0;
    }
    int prefix = 0;
    if (text[0] == u'.' && text[1] == u'\\') {
        prefix = 2;
    } else if (n >= 3 && text[0] == u'.' && text[1] == u'.' && text[2] == u'\\') {
        prefix = 3;
    } else if (n >= 3 && IsAsciiLetter(text[0]) && text[1] == u':' && text[2] == u'\\') {
        prefix = 3;
    }
    if (prefix == 0) {
        return 0;
    }
    int end = prefix;
    while (end < n && !IsPathBreak(text[end])) {
        ++end;
    }
    return end;
}

bool MatchDate(std::u16string_view text, int n) noexcept {
    if (n < 10) {
        return false;
    }
    for (int i = 0; i < 10; ++i) {
        const bool slot = i == 4 || i == 7;
        if (slot ? text[i] != u'/' : !IsAsciiDigit(text[i])) {
            return false;
        }
    }
    return true;
}

int MatchHashTag(std::u16string_view text, int n) noexcept {
    if (n <= 1 || text[0] != u'#') {
        return 0;
    }
    int end = 1;
    while (end < n) {
        const char16_t c = text[end];
        if (c == 0 || c == u'\n' || c == u' ' || c == u'#' || c == 0x3000) {
            break;
        }
        ++end;
    }
    return end > 1 ? end : 0;
}

LinkMatch Classify(std::u16string_view text, int n, int localRun) noexcept {
    n = std::min(n, static_cast<int>(std::min<std::size_t>(text.size(), 0x7FFFFFFF)));
    if (n < 1) {
        return {};
    }
    const char16_t first = text[0];
    if (first == 0 || first == u'\n' || first > 0x7F) {
        return {};
    }
    bool prefixMatched = false;
    const LinkMatch byPrefix = MatchPrefix(text, n, prefixMatched);
    if (prefixMatched) {
        return byPrefix;
    }
    if (const int mail = MatchMail(text, n, localRun); mail > 0) {
        return {LinkKind::Mail, mail};
    }
    if (const int path = MatchPath(text, n); path > 0) {
        return {LinkKind::File, path};
    }
    if (MatchDate(text, n)) {
        return {LinkKind::Date, 10};
    }
    if (const int tag = MatchHashTag(text, n); tag > 0) {
        return {LinkKind::HashTag, tag};
    }
    return {};
}

}  // namespace

LinkMatch ClassifyLink(std::u16string_view text, int n) noexcept {
    return Classify(text, n, -1);
}

std::vector<LinkSpan> FindLinksInLine(std::u16string_view line) {
    std::vector<LinkSpan> links;
    const int length = static_cast<int>(line.size());
    int pos = 0;
    // End of the run of mail local-part characters the scan is in. Knowing it keeps a long run of
    // letters from being rescanned at every position, which would cost up to 256 steps each.
    int localEnd = 0;
    while (pos < length) {
        if (localEnd < pos) {
            localEnd = pos;
        }
        while (localEnd < length && IsMailLocal(line[localEnd])) {
            ++localEnd;
        }
        const LinkMatch match =
            Classify(line.substr(pos), std::min(kLinkScanLimit, length - pos), localEnd - pos);
        if (IsPointableLink(match.kind) && match.length > 0) {
            links.push_back({pos, match.length, match.kind});
            pos += match.length;
        } else {
            ++pos;
        }
    }
    return links;
}

}  // namespace tavrin
