// Runs the matcher on any text and word with any options and checks every answer against the naive
// reference. Input: one byte of options (bit 0 match case, bit 1 whole words), one byte of word
// length in code units, one byte giving the offset to search from, then UTF-16LE code units (the
// word first, then the text).
#include <cstddef>
#include <cstdint>
#include <string>

#include "search/find_in_text.h"
#include "search/search_reference.h"
#include "support/fuzz_input.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace tavrin;
    if (size < 3) {
        return 0;
    }
    const bool matchCase = (data[0] & 1) != 0;
    const bool wordOnly = (data[0] & 2) != 0;
    const std::u16string units = testing::Utf16UnitsFrom(data, size, 3);
    const std::size_t wordLength = std::min<std::size_t>(data[1], units.size());
    const std::u16string_view word = std::u16string_view(units).substr(0, wordLength);
    const std::u16string_view text = std::u16string_view(units).substr(wordLength);
    testing::FuzzCheck(FindInText(text, word, matchCase, wordOnly) ==
                       testing::ReferenceFind(text, word, matchCase, wordOnly));
    const std::size_t from = data[2];
    const std::size_t found = SearchPattern(word, matchCase, wordOnly).Find(text, from);
    const std::ptrdiff_t expected =
        from <= text.size() ? testing::ReferenceFind(text, word, matchCase, wordOnly, from) : -1;
    testing::FuzzCheck((found == std::u16string_view::npos ? -1 : static_cast<std::ptrdiff_t>(found)) ==
                       expected);
    return 0;
}
