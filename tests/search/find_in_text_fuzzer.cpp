// Runs the matcher on any text and word with any options and checks every answer against the naive
// reference. Input: one byte of options (bit 0 match case, bit 1 whole words), one byte of word
// length in code units, one byte giving the offset to search from, then UTF-16LE code units (the
// word first, then the text).
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "search/find_in_text.h"
#include "search/search_reference.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace tavrin;
    if (size < 3) {
        return 0;
    }
    const bool matchCase = (data[0] & 1) != 0;
    const bool wordOnly = (data[0] & 2) != 0;
    std::u16string units;
    for (std::size_t i = 3; i + 1 < size; i += 2) {
        units.push_back(static_cast<char16_t>(data[i] | (data[i + 1] << 8)));
    }
    const std::size_t wordLength = std::min<std::size_t>(data[1], units.size());
    const std::u16string_view word = std::u16string_view(units).substr(0, wordLength);
    const std::u16string_view text = std::u16string_view(units).substr(wordLength);
    if (FindInText(text, word, matchCase, wordOnly) !=
        testing::ReferenceFind(text, word, matchCase, wordOnly)) {
        std::abort();
    }
    const std::size_t from = data[2];
    const std::size_t found = SearchPattern(word, matchCase, wordOnly).Find(text, from);
    const std::ptrdiff_t expected =
        from <= text.size() ? testing::ReferenceFind(text, word, matchCase, wordOnly, from) : -1;
    if ((found == std::u16string_view::npos ? -1 : static_cast<std::ptrdiff_t>(found)) != expected) {
        std::abort();
    }
    return 0;
}
