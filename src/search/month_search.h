#pragma once
// Searching the entries of one month text.

#include <algorithm>
#include <string>
#include <string_view>
#include <vector>

#include "calendar/diary_date.h"
#include "search/find_in_text.h"
#include "search/unit_scan.h"
#include "store/month_text.h"

namespace tavrin {

// One matching entry: its date and its title line.
struct SearchHit {
    DiaryDate date;
    std::u16string excerpt;
    friend bool operator==(const SearchHit&, const SearchHit&) = default;
};

inline constexpr std::size_t kExcerptMax = 64;

// Collects hits into a list over the elements an earlier search left there: their excerpt strings
// keep their room, so searching again for a word found in thousands of entries does not free and
// allocate every excerpt anew. The elements past the collected hits are dropped by Finish, which the
// destructor runs too (also when an allocation fails midway).
class HitCollector {
public:
    // Keeps the first `keep` elements of hits as collected; the rest are written over.
    HitCollector(std::vector<SearchHit>& hits, std::size_t keep) noexcept
        : hits_(hits), count_(std::min(keep, hits.size())) {}
    // Appends to the hits the list holds.
    explicit HitCollector(std::vector<SearchHit>& hits) noexcept : HitCollector(hits, hits.size()) {}
    HitCollector(const HitCollector&) = delete;
    HitCollector& operator=(const HitCollector&) = delete;
    ~HitCollector() { Finish(); }

    void Add(const DiaryDate& date, std::u16string_view excerpt);
    [[nodiscard]] std::size_t Count() const noexcept { return count_; }
    // Takes back the hits collected from the count-th on.
    void DropFrom(std::size_t count) noexcept { count_ = std::min(count, count_); }
    void Finish() noexcept;

private:
    std::vector<SearchHit>& hits_;
    std::size_t count_;
};

// The title line of an entry for the result list: the first line with text, without its leading
// TABs and spaces and without a leading heading mark "*", at most kExcerptMax characters (a NUL ends
// it; a surrogate pair is never cut in half).
[[nodiscard]] std::u16string EntryExcerpt(std::u16string_view body);

// ParseMonthText for a month text whose every line break is CR LF (as the program writes them),
// found with a fast scan for the line breaks. False, with the table unspecified, when the text holds
// a lone CR or LF or is too long; ParseMonthText must then be used on the normalised text.
bool ScanCrLfMonthText(std::u16string_view text, int year, int month, MonthTable& table,
                       ScanPath path = FastestScanPath());

// Appends a hit for every entry of table (ranges into text) that contains the pattern, in day order.
void CollectMonthHits(std::u16string_view text, const MonthTable& table, int year, int month,
                      const SearchPattern& pattern, HitCollector& hits);

// Searches month texts read from files, reusing its buffers from month to month.
class MonthFileSearcher {
public:
    // The fastest form of the scans is the one to use; tests also run the others.
    explicit MonthFileSearcher(ScanPath path = FastestScanPath()) noexcept : path_(path) {}

    // Appends the hits of one month file's text (as read, line breaks not normalised), in day order.
    // The entries are those ParseMonthText finds in the text with its line breaks normalised, as the
    // year buffer holds it.
    void Search(std::u16string_view text, int year, int month, const SearchPattern& pattern,
                HitCollector& hits);
    void Search(std::u16string_view text, int year, int month, const SearchPattern& pattern,
                std::vector<SearchHit>& hits);

private:
    ScanPath path_;
    MonthTable table_{};
    std::u16string normalised_;
};

}  // namespace tavrin
