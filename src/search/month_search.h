#pragma once
// Searching the entries of one month text.

#include <string>
#include <string_view>
#include <vector>

#include "calendar/diary_date.h"
#include "search/find_in_text.h"
#include "store/month_text.h"

namespace tavrin {

// One matching entry: its date and its title line.
struct SearchHit {
    DiaryDate date;
    std::u16string excerpt;
    friend bool operator==(const SearchHit&, const SearchHit&) = default;
};

inline constexpr std::size_t kExcerptMax = 64;

// The title line of an entry for the result list: the first line with text, without its leading
// TABs and spaces and without a leading heading mark "*", at most kExcerptMax characters (a NUL ends
// it; a surrogate pair is never cut in half).
[[nodiscard]] std::u16string EntryExcerpt(std::u16string_view body);

// ParseMonthText for a month text whose every line break is CR LF (as the program writes them),
// found with a fast scan for the line breaks. False, with the table unspecified, when the text holds
// a lone CR or LF or is too long; ParseMonthText must then be used on the normalised text.
bool ScanCrLfMonthText(std::u16string_view text, int year, int month, MonthTable& table);

// Appends a hit for every entry of table (ranges into text) that contains the pattern, in day order.
void CollectMonthHits(std::u16string_view text, const MonthTable& table, int year, int month,
                      const SearchPattern& pattern, std::vector<SearchHit>& hits);

// Searches month texts read from files, reusing its buffers from month to month.
class MonthFileSearcher {
public:
    // Appends the hits of one month file's text (as read, line breaks not normalised), in day order.
    // The entries are those ParseMonthText finds in the text with its line breaks normalised, as the
    // year buffer holds it.
    void Search(std::u16string_view text, int year, int month, const SearchPattern& pattern,
                std::vector<SearchHit>& hits);

private:
    MonthTable table_{};
    std::vector<SearchHit> found_;
    std::u16string normalised_;
};

}  // namespace tavrin
