#include "search/month_search.h"

#include <algorithm>
#include <array>
#include <cstdint>

#include "calendar/calendar_rules.h"

namespace tavrin {
namespace {

constexpr std::size_t kNotFound = std::u16string_view::npos;

bool IsDigit(char16_t c) noexcept {
    return c >= u'0' && c <= u'9';
}

// The entry being collected by the scanner. In CR LF text the end of an entry's range is the end of
// its last line; when the next header follows an empty line, that line is the separator and the
// range ends with the line before it.
struct ScanEntry {
    int dayIndex = -1;
    std::size_t body = 0;
    std::size_t header = 0;
    std::size_t headerLength = 0;
    bool hasHeader = false;
    std::size_t lines = 0;
    std::size_t lastEnd = 0;      // end of the last line
    std::size_t previousEnd = 0;  // end of the line before it
    bool lastEmpty = false;
    bool matched = false;  // the search word occurs in one of its lines

    void AddLine(std::size_t start, std::size_t length) noexcept {
        ++lines;
        previousEnd = lastEnd;
        lastEnd = start + length;
        lastEmpty = length == 0;
    }

    // One or more body lines that start with a TAB, the last ending at end. Only whether an entry has
    // lines matters beyond the positions, so they count as one.
    void AddSkippedLines(std::size_t end) noexcept {
        AddLine(end, 0);
        lastEmpty = false;
    }

    // Stores the entry in its slot; gives its length.
    std::size_t Close(bool atHeader, std::size_t textLength, MonthTable& table) const noexcept {
        if (dayIndex < 0) {
            return 0;
        }
        const bool dropSeparator = atHeader && lastEmpty;
        const std::size_t counted = dropSeparator ? lines - 1 : lines;
        const std::size_t end = dropSeparator ? previousEnd : lastEnd;
        const std::size_t length = counted > 0 ? std::min(end - body, textLength - body) : 0;
        DayEntry& slot = table[static_cast<std::size_t>(dayIndex)];
        slot.body = static_cast<std::int32_t>(body);
        slot.length = static_cast<std::int32_t>(length);
        slot.mark = slot.length;
        slot.header = hasHeader ? static_cast<std::int32_t>(header) : -1;
        slot.headerLength = hasHeader ? static_cast<std::int32_t>(headerLength) : 0;
        return length;
    }
};

// Whether the line [start, start + length) is a header that opens a new entry after the open one;
// gives its day index.
bool IsNextHeader(std::u16string_view text, std::size_t start, std::size_t length, int month, int daysInMonth,
                  int openDayIndex, int& dayIndex) noexcept {
    if (length == 0 || !IsDigit(text[start])) {
        return false;
    }
    const HeaderNumbers numbers = ReadHeaderNumbers(text.substr(start, length));
    if (numbers.month != month || numbers.day < 1 || numbers.day > daysInMonth ||
        numbers.day - 1 <= openDayIndex) {
        return false;
    }
    dayIndex = numbers.day - 1;
    return true;
}

// What the scan over body lines stopped at.
enum class Stop {
    kEnd,        // the end of the text: every line from the start on begins with a TAB
    kLine,       // the LF before a line that does not begin with a TAB (or the text's final LF)
    kCandidate,  // a unit that may be the anchor of a match
    kLoneBreak,  // a CR without its LF or an LF without its CR
};

struct ScanStop {
    Stop stop = Stop::kEnd;
    std::size_t at = 0;
};

// All ones when x equals y, else zero: one lane of a vector compare.
constexpr std::uint16_t Equal(char16_t x, char16_t y) noexcept {
    return static_cast<std::uint16_t>(-static_cast<std::int16_t>(x == y));
}

// Whether any of the units [i, i + N) needs a look. Written as eight lanes that are or-ed over the
// block and only then combined, which compilers turn into plain vector compares. In CR LF text a unit
// is a CR exactly when the one after it is an LF.
template <bool kCandidates, std::size_t N>
bool BlockHasStop(const char16_t* data, std::size_t i, char16_t a, char16_t b) noexcept {
    constexpr std::size_t kLanes = 8;
    std::array<std::uint16_t, kLanes> lanes{};
    for (std::size_t step = 0; step < N; step += kLanes) {
        for (std::size_t k = 0; k < kLanes; ++k) {
            const char16_t c = data[i + step + k];
            const char16_t after = data[i + step + k + 1];
            std::uint16_t stop = (Equal(c, u'\r') ^ Equal(after, u'\n')) |
                                 (Equal(c, u'\n') & static_cast<std::uint16_t>(~Equal(after, u'\t')));
            if constexpr (kCandidates) {
                stop |= Equal(c, a) | Equal(c, b);
            }
            lanes[k] |= stop;
        }
    }
    std::uint16_t any = 0;
    for (const std::uint16_t lane : lanes) {
        any |= lane;
    }
    return any != 0;
}

// Scans body lines that begin with a TAB, from `from` (a line start, or the unit after a stop) for
// the first position where something must be looked at. With candidates, units equal to a or b stop
// the scan too.
template <bool kCandidates>
ScanStop ScanBodyLines(const char16_t* data, std::size_t from, std::size_t size, char16_t a,
                       char16_t b) noexcept {
    // Blocks of 32 units, then the block's quarters, then its units.
    constexpr std::size_t kBlock = 32;
    constexpr std::size_t kQuarter = kBlock / 4;
    std::size_t i = from;
    for (; i + kBlock < size; i += kBlock) {
        if (BlockHasStop<kCandidates, kBlock>(data, i, a, b)) {
            while (!BlockHasStop<kCandidates, kQuarter>(data, i, a, b)) {
                i += kQuarter;
            }
            break;
        }
    }
    for (; i < size; ++i) {
        const char16_t c = data[i];
        const bool last = i + 1 == size;
        if ((c == u'\r') != (!last && data[i + 1] == u'\n')) {
            return {Stop::kLoneBreak, i};
        }
        if (c == u'\n' && (last || data[i + 1] != u'\t')) {
            return {Stop::kLine, i};
        }
        if (kCandidates && (c == a || c == b)) {
            return {Stop::kCandidate, i};
        }
    }
    return {Stop::kEnd, size};
}

// ParseMonthText for CR LF text, optionally searching the entries on the way. Until the first entry
// opens every line is read; after that a line that begins with a TAB (every body line the program
// writes) can neither be a header nor be empty, so runs of such lines are scanned over as blocks and
// only the other lines (headers, separators, hand-written lines) are read one by one. A word without
// line breaks lies inside one line, so its matches are found in the same pass: in the scanned runs
// and in the body lines read one by one, and never in a header line.
class CrLfMonthScanner {
public:
    CrLfMonthScanner(std::u16string_view text, int year, int month, MonthTable& table,
                     const SearchPattern* pattern, std::vector<SearchHit>* hits)
        : text_(text),
          data_(text.data()),
          size_(text.size()),
          year_(year),
          month_(month),
          daysInMonth_(DaysInMonth(year, month)),
          table_(table),
          pattern_(pattern),
          hits_(hits) {}

    bool Run() {
        std::size_t start = 0;
        while (start < size_ && (entry_.dayIndex < 0 || data_[start] != u'\t')) {
            if (!Line(start)) {
                return false;
            }
        }
        while (start < size_) {
            if (!BodyLines(start)) {
                return false;
            }
            while (start < size_ && data_[start] != u'\t') {
                if (!Line(start)) {
                    return false;
                }
            }
        }
        Close(false);
        return true;
    }

private:
    [[nodiscard]] bool Searching() const noexcept { return pattern_ != nullptr && !entry_.matched; }

    // A run of body lines beginning with a TAB at start; moves start behind it.
    bool BodyLines(std::size_t& start) {
        std::size_t from = start;
        for (;;) {
            const ScanStop stop = Searching() ? ScanBodyLines<true>(data_, from, size_, anchor_, anchorOther_)
                                              : ScanBodyLines<false>(data_, from, size_, 0, 0);
            if (stop.stop == Stop::kLoneBreak) {
                return false;
            }
            if (stop.stop == Stop::kCandidate) {
                const std::size_t at = stop.at - pattern_->AnchorOffset();
                if (stop.at >= pattern_->AnchorOffset() && at + pattern_->Size() <= size_ &&
                    pattern_->MatchesAt(text_, at)) {
                    entry_.matched = true;
                }
                from = stop.at + 1;
                continue;
            }
            // The run's last line ends before the CR of the stop's LF, or at the end of the text.
            entry_.AddSkippedLines(stop.stop == Stop::kEnd ? size_ : stop.at - 1);
            start = stop.stop == Stop::kEnd ? size_ : stop.at + 1;
            return true;
        }
    }

    // The CR or LF that ends the line at start, or the end of the text. Lines read one by one are
    // mostly headers and empty lines: a few units are looked at before the block scan starts.
    [[nodiscard]] std::size_t LineEnd(std::size_t start) const noexcept {
        constexpr std::size_t kShortLine = 24;
        const std::size_t shortEnd = std::min(size_, start + kShortLine);
        for (std::size_t i = start; i < shortEnd; ++i) {
            if (data_[i] == u'\r' || data_[i] == u'\n') {
                return i;
            }
        }
        return FindEitherUnit(data_, shortEnd, size_, u'\r', u'\n');
    }

    // Reads the line at start by the parser's rules and moves start to the next line.
    bool Line(std::size_t& start) {
        const std::size_t end = LineEnd(start);
        std::size_t next = size_;
        if (end < size_) {
            if (data_[end] != u'\r' || end + 1 == size_ || data_[end + 1] != u'\n') {
                return false;
            }
            next = end + 2;
        }
        const std::size_t length = end - start;
        int dayIndex = 0;
        if (IsNextHeader(text_, start, length, month_, daysInMonth_, entry_.dayIndex, dayIndex)) {
            Close(true);
            entry_ = ScanEntry{dayIndex, next, start, length, true, 0, next, next, false, false};
        } else if (length > 0 || entry_.dayIndex >= 0) {
            if (entry_.dayIndex < 0) {
                entry_.dayIndex = 0;  // text before the first header belongs to the 1st
                entry_.body = start;
            }
            entry_.AddLine(start, length);
            if (Searching() && pattern_->Find(text_.substr(0, end), start) != kNotFound) {
                entry_.matched = true;
            }
        }
        start = next;
        return true;
    }

    void Close(bool atHeader) {
        const std::size_t length = entry_.Close(atHeader, size_, table_);
        if (entry_.matched && length > 0) {
            hits_->push_back(
                {{year_, month_, entry_.dayIndex + 1}, EntryExcerpt(text_.substr(entry_.body, length))});
        }
    }

    std::u16string_view text_;
    const char16_t* data_;
    std::size_t size_;
    int year_;
    int month_;
    int daysInMonth_;
    MonthTable& table_;
    const SearchPattern* pattern_;
    std::vector<SearchHit>* hits_;
    char16_t anchor_ = pattern_ ? pattern_->AnchorUnit() : 0;
    char16_t anchorOther_ = pattern_ ? pattern_->AnchorOtherCase() : 0;
    ScanEntry entry_;
};

}  // namespace

std::u16string EntryExcerpt(std::u16string_view body) {
    std::size_t i = 0;
    // Blank lines and the blanks that begin the first line with text are passed over.
    while (i < body.size() && (body[i] == u' ' || body[i] == u'\t' || body[i] == u'\r' || body[i] == u'\n')) {
        ++i;
    }
    std::size_t end = i;
    while (end < body.size() && end - i < kExcerptMax && body[end] != u'\r' && body[end] != u'\n' &&
           body[end] != u'\0') {
        ++end;
    }
    if (end - i == kExcerptMax && body[end - 1] >= 0xD800 && body[end - 1] <= 0xDBFF) {
        --end;  // no half surrogate pair
    }
    if (i < end && body[i] == u'*') {
        ++i;  // the heading mark
    }
    return std::u16string(body.substr(i, end - i));
}

bool ScanCrLfMonthText(std::u16string_view text, int year, int month, MonthTable& table) {
    table.fill(DayEntry{});
    if (text.size() > kMaxMonthTextLength) {
        return false;
    }
    return CrLfMonthScanner(text, year, month, table, nullptr, nullptr).Run();
}

void CollectMonthHits(std::u16string_view text, const MonthTable& table, int year, int month,
                      const SearchPattern& pattern, std::vector<SearchHit>& hits) {
    // Every match inside an entry is also a match in the whole text, so one scan over the text skips
    // the entries before the next occurrence at once.
    std::size_t next = 0;
    bool nextKnown = false;
    for (std::size_t index = 0; index < table.size(); ++index) {
        const DayEntry& entry = table[index];
        const std::u16string_view body = EntryBody(text, entry);
        if (body.empty()) {
            continue;
        }
        const auto begin = static_cast<std::size_t>(entry.body);
        if (!nextKnown || next < begin) {
            next = pattern.Find(text, begin, true);
            nextKnown = true;
        }
        if (next == kNotFound) {
            return;
        }
        if (next + pattern.Size() > begin + body.size() || pattern.Find(body, next - begin) == kNotFound) {
            continue;
        }
        hits.push_back({{year, month, static_cast<int>(index) + 1}, EntryExcerpt(body)});
    }
}

void MonthFileSearcher::Search(std::u16string_view text, int year, int month, const SearchPattern& pattern,
                               std::vector<SearchHit>& hits) {
    if (pattern.Empty() || text.size() > kMaxMonthTextLength) {
        return;
    }
    if (!pattern.HasLineBreak()) {
        // Normalising line breaks cannot create a match for a word without them: a month without any
        // occurrence is passed over at once, and in CR LF text one pass finds entries and matches.
        if (pattern.Find(text, 0, true) == kNotFound) {
            return;
        }
        found_.clear();
        table_.fill(DayEntry{});
        if (CrLfMonthScanner(text, year, month, table_, &pattern, &found_).Run()) {
            hits.insert(hits.end(), std::make_move_iterator(found_.begin()),
                        std::make_move_iterator(found_.end()));
            return;
        }
    } else if (ScanCrLfMonthText(text, year, month, table_)) {
        CollectMonthHits(text, table_, year, month, pattern, hits);
        return;
    }
    normalised_.assign(text);
    NormalizeLineBreaks(normalised_);
    if (ParseMonthText(normalised_, year, month, table_)) {
        CollectMonthHits(normalised_, table_, year, month, pattern, hits);
    }
}

}  // namespace tavrin
