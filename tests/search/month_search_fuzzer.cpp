// Month texts of any content: the fast entry scan must agree with ParseMonthText whenever it accepts
// the text (and refuse only texts with a lone CR or LF), and the month search must find exactly the
// entries a naive scan of the normalised text finds. Input: one byte of options (bits 0-1 match case
// and whole words, bits 2-4 choose the word), then UTF-16LE code units of a March 2024 month text.
#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "search/month_search.h"
#include "search/search_reference.h"
#include "support/fuzz_input.h"

namespace {

bool HasLoneBreak(std::u16string_view text) {
    for (std::size_t i = 0; i < text.size(); ++i) {
        const bool pairStart = text[i] == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n';
        if (pairStart) {
            ++i;
        } else if (text[i] == u'\r' || text[i] == u'\n') {
            return true;
        }
    }
    return false;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace tavrin;
    using testing::FuzzCheck;
    if (size < 1) {
        return 0;
    }
    static const std::array<std::u16string, 8> kWords{u"日記", u"a",      u"AB",  u"\t",
                                                      u"2024", u"\r\n\t", u"x y", u"晴"};
    const bool matchCase = (data[0] & 1) != 0;
    const bool wordOnly = (data[0] & 2) != 0;
    const std::u16string& word = kWords[(data[0] >> 2) & 7];
    const std::u16string text = testing::Utf16UnitsFrom(data, size, 1);

    MonthTable scanned{};
    MonthTable parsed{};
    if (ScanCrLfMonthText(text, 2024, 3, scanned)) {
        FuzzCheck(ParseMonthText(text, 2024, 3, parsed) && scanned == parsed);
    } else {
        FuzzCheck(HasLoneBreak(text));
    }

    std::u16string normalised = text;
    NormalizeLineBreaks(normalised);
    ParseMonthText(normalised, 2024, 3, parsed);
    std::vector<SearchHit> expected;
    for (std::size_t day = 0; day < parsed.size(); ++day) {
        const std::u16string_view body = EntryBody(normalised, parsed[day]);
        if (testing::ReferenceFind(body, word, matchCase, wordOnly) >= 0) {
            expected.push_back({{2024, 3, static_cast<int>(day) + 1}, EntryExcerpt(body)});
        }
    }
    std::vector<SearchHit> hits;
    MonthFileSearcher().Search(text, 2024, 3, SearchPattern(word, matchCase, wordOnly), hits);
    FuzzCheck(hits == expected);
    return 0;
}
