#include "editor/char_class.h"

#include <algorithm>

namespace tavrin {

int CharClass(char16_t c) noexcept {
    if (c == u'\n' || c == u'\r') {
        return 1;
    }
    if (c == u'\t') {
        return 2;
    }
    if (c == u' ') {
        return 3;
    }
    if ((c >= u'0' && c <= u'9') || (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z') || c == u'_') {
        return 4;
    }
    if (c >= 0xFF61 && c <= 0xFF9F) {
        return 5;
    }
    if (c >= 0x21 && c <= 0x7E) {
        return 6;
    }
    if (c == 0x3000) {
        return 11;
    }
    if ((c >= 0xFF10 && c <= 0xFF19) || (c >= 0xFF21 && c <= 0xFF3A) || (c >= 0xFF41 && c <= 0xFF5A) ||
        c == 0xFF3F) {
        return 12;
    }
    if (c >= 0x3041 && c <= 0x309E) {
        return 14;
    }
    if ((c >= 0x30A1 && c <= 0x30F6) || c == 0x30FC) {
        return 15;
    }
    if (c >= 0x0391 && c <= 0x03C9) {
        return 16;
    }
    if (c >= 0x0410 && c <= 0x044F) {
        return 17;
    }
    if (c >= 0x4E00 && c <= 0x9FA0) {
        return 19;
    }
    return 20;
}

TextRange WordAt(std::u16string_view text, int p) noexcept {
    const int length = static_cast<int>(text.size());
    p = std::clamp(p, 0, length);
    if (p == length || text[p] == u'\n') {
        return {p, p};
    }
    // Cutting the line into runs from its start and taking the run that holds p is the same as
    // growing the run of p's class in both directions up to the line's ends.
    const int wanted = CharClass(text[p]);
    int start = p;
    while (start > 0 && text[start - 1] != u'\n' && CharClass(text[start - 1]) == wanted) {
        --start;
    }
    int end = p + 1;
    while (end < length && text[end] != u'\n' && CharClass(text[end]) == wanted) {
        ++end;
    }
    return {start, end};
}

}  // namespace tavrin
