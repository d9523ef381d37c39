#include "search/month_search.h"

#include <algorithm>
#include <cstdint>

#include "calendar/calendar_rules.h"
#include "search/unit_scan.h"

namespace tavrin {
namespace {

constexpr std::size_t kNotFound = std::u16string_view::npos;

bool IsDigit(char16_t c) noexcept { return c >= u'0' && c <= u'9'; }

// EntryExcerpt as a part of body.
std::u16string_view ExcerptOf(std::u16string_view body) noexcept {
    std::size_t i = 0;
    // Blank lines and the blanks that begin the first line with text are passed over.
    while (i < body.size() && (body[i] == u' ' || body[i] == u'\t' || body[i] == u'\r' || body[i] == u'\n')) {
        ++i;
    }
    std::size_t end =
        FindLineEndOrNulBy(FastestScanPath(), body.data(), i, std::min(body.size(), i + kExcerptMax));
    if (end - i == kExcerptMax && body[end - 1] >= 0xD800 && body[end - 1] <= 0xDBFF) {
        --end;  // no half surrogate pair
    }
    if (i < end && body[i] == u'*') {
        ++i;  // the heading mark
    }
    return body.substr(i, end - i);
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

constexpr std::size_t kWrittenHeaderLength = 10;

// Whether the units at `at` are a header as the program writes it, "YYYY/MM/DD"; gives its numbers.
// The eight digits are counted rather than checked one by one (a unit below '0' wraps to a large
// number): one branch, not eight.
bool ReadWrittenHeader(const char16_t* at, HeaderNumbers& numbers) noexcept {
    const auto digit = [at](std::size_t i) { return static_cast<unsigned>(at[i]) - u'0'; };
    const int digits = (digit(0) <= 9) + (digit(1) <= 9) + (digit(2) <= 9) + (digit(3) <= 9) +
                       (digit(5) <= 9) + (digit(6) <= 9) + (digit(8) <= 9) + (digit(9) <= 9);
    if (digits != 8 || at[4] != u'/' || at[7] != u'/') {
        return false;
    }
    numbers = {static_cast<std::int32_t>(digit(0) * 1000 + digit(1) * 100 + digit(2) * 10 + digit(3)),
               static_cast<std::int32_t>(digit(5) * 10 + digit(6)),
               static_cast<std::int32_t>(digit(8) * 10 + digit(9))};
    return true;
}

// ReadHeaderNumbers, with the written form read inline: the search reads one header per entry.
HeaderNumbers HeaderNumbersOf(std::u16string_view line) noexcept {
    HeaderNumbers numbers;
    if (line.size() == kWrittenHeaderLength && ReadWrittenHeader(line.data(), numbers)) {
        return numbers;
    }
    return ReadHeaderNumbers(line);
}

// Whether numbers are those of a header that opens a new entry after the open one; gives its day
// index.
bool OpensNextEntry(const HeaderNumbers& numbers, int month, int daysInMonth, int openDayIndex,
                    int& dayIndex) noexcept {
    if (numbers.month != month || numbers.day < 1 || numbers.day > daysInMonth ||
        numbers.day - 1 <= openDayIndex) {
        return false;
    }
    dayIndex = numbers.day - 1;
    return true;
}

// Whether the line [start, start + length) is a header that opens a new entry after the open one;
// gives its day index.
bool IsNextHeader(std::u16string_view text, std::size_t start, std::size_t length, int month, int daysInMonth,
                  int openDayIndex, int& dayIndex) noexcept {
    if (length == 0 || !IsDigit(text[start])) {
        return false;
    }
    return OpensNextEntry(HeaderNumbersOf(text.substr(start, length)), month, daysInMonth, openDayIndex,
                          dayIndex);
}

// ParseMonthText for CR LF text, optionally searching the entries on the way. Until the first entry
// opens every line is read; after that a line that begins with a TAB (every body line the program
// writes) can neither be a header nor be empty, so runs of such lines are scanned over as blocks and
// only the other lines (headers, separators, hand-written lines) are read one by one. A word without
// line breaks lies inside one line, so its matches are found in the same pass: in the scanned runs
// and in the body lines read one by one, and never in a header line.
class CrLfMonthScanner {
public:
    CrLfMonthScanner(std::u16string_view text, int year, int month, MonthTable& table, ScanPath path,
                     const SearchPattern* pattern, HitCollector* hits)
        : path_(path),
          text_(text),
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
                if (!WrittenEntryStart(start) && !Line(start)) {
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
            const BodyScanStop stop =
                ScanBodyLinesBy(path_, data_, from, size_, Searching(), anchor_, anchorOther_);
            if (stop.stop == BodyStop::kLoneBreak) {
                return false;
            }
            if (stop.stop == BodyStop::kCandidate) {
                const std::size_t at = stop.at - pattern_->AnchorOffset();
                if (stop.at >= pattern_->AnchorOffset() && at + pattern_->Size() <= size_ &&
                    pattern_->MatchesAt(text_, at)) {
                    entry_.matched = true;
                }
                from = stop.at + 1;
                continue;
            }
            // The run's last line ends before the CR of the stop's LF, or at the end of the text.
            entry_.AddSkippedLines(stop.stop == BodyStop::kEnd ? size_ : stop.at - 1);
            start = stop.stop == BodyStop::kEnd ? size_ : stop.at + 1;
            return true;
        }
    }

    // Between two entries the program writes an empty line and a header "YYYY/MM/DD" before the next
    // entry's first line (which begins with a TAB). With an entry open at start, that form is taken in
    // one step, as Line would take its two lines; anything else is left to Line.
    bool WrittenEntryStart(std::size_t& start) {
        const std::size_t header = start + 2;
        const std::size_t body = header + kWrittenHeaderLength + 2;
        if (body >= size_ || data_[start] != u'\r' || data_[start + 1] != u'\n' || data_[body - 2] != u'\r' ||
            data_[body - 1] != u'\n' || data_[body] != u'\t') {
            return false;
        }
        HeaderNumbers numbers;
        int dayIndex = 0;
        if (!ReadWrittenHeader(data_ + header, numbers) ||
            !OpensNextEntry(numbers, month_, daysInMonth_, entry_.dayIndex, dayIndex)) {
            return false;
        }
        entry_.AddLine(start, 0);
        Close(true);
        entry_ = ScanEntry{dayIndex, body, header, kWrittenHeaderLength, true, 0, body, body, false, false};
        start = body;
        return true;
    }

    // The CR or LF that ends the line at start, or the end of the text. Lines read one by one are
    // mostly headers and empty lines: a few units are looked at before a vector scan starts.
    [[nodiscard]] std::size_t LineEnd(std::size_t start) const noexcept {
        constexpr std::size_t kShortLine = 16;
        const std::size_t shortEnd = std::min(size_, start + kShortLine);
        for (std::size_t i = start; i < shortEnd; ++i) {
            if (data_[i] == u'\r' || data_[i] == u'\n') {
                return i;
            }
        }
        return FindEitherUnitBy(path_, data_, shortEnd, size_, u'\r', u'\n');
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
            hits_->Add({year_, month_, entry_.dayIndex + 1}, ExcerptOf(text_.substr(entry_.body, length)));
        }
    }

    ScanPath path_;
    std::u16string_view text_;
    const char16_t* data_;
    std::size_t size_;
    int year_;
    int month_;
    int daysInMonth_;
    MonthTable& table_;
    const SearchPattern* pattern_;
    HitCollector* hits_;
    char16_t anchor_ = pattern_ ? pattern_->AnchorUnit() : 0;
    char16_t anchorOther_ = pattern_ ? pattern_->AnchorOtherCase() : 0;
    ScanEntry entry_;
};

}  // namespace

std::u16string EntryExcerpt(std::u16string_view body) { return std::u16string(ExcerptOf(body)); }

void HitCollector::Add(const DiaryDate& date, std::u16string_view excerpt) {
    if (count_ < hits_.size()) {
        SearchHit& hit = hits_[count_];
        hit.date = date;
        hit.excerpt.assign(excerpt);
    } else {
        hits_.push_back({date, std::u16string(excerpt)});
    }
    ++count_;
}

void HitCollector::Finish() noexcept {
    hits_.erase(hits_.begin() + static_cast<std::ptrdiff_t>(count_), hits_.end());
}

bool ScanCrLfMonthText(std::u16string_view text, int year, int month, MonthTable& table, ScanPath path) {
    table.fill(DayEntry{});
    if (text.size() > kMaxMonthTextLength) {
        return false;
    }
    return CrLfMonthScanner(text, year, month, table, path, nullptr, nullptr).Run();
}

void CollectMonthHits(std::u16string_view text, const MonthTable& table, int year, int month,
                      const SearchPattern& pattern, HitCollector& hits) {
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
        hits.Add({year, month, static_cast<int>(index) + 1}, ExcerptOf(body));
    }
}

void MonthFileSearcher::Search(std::u16string_view text, int year, int month, const SearchPattern& pattern,
                               std::vector<SearchHit>& hits) {
    HitCollector collector(hits);
    Search(text, year, month, pattern, collector);
}

void MonthFileSearcher::Search(std::u16string_view text, int year, int month, const SearchPattern& pattern,
                               HitCollector& hits) {
    if (pattern.Empty() || text.size() > kMaxMonthTextLength) {
        return;
    }
    if (!pattern.HasLineBreak()) {
        // Normalising line breaks cannot create a match for a word without them: a month without any
        // occurrence is passed over at once, and in CR LF text one pass finds entries and matches.
        if (pattern.Find(text, 0, true) == kNotFound) {
            return;
        }
        // The scanner appends hits as it goes; when it gives up on the text, they are taken back.
        const std::size_t before = hits.Count();
        table_.fill(DayEntry{});
        if (CrLfMonthScanner(text, year, month, table_, path_, &pattern, &hits).Run()) {
            return;
        }
        hits.DropFrom(before);
    } else if (ScanCrLfMonthText(text, year, month, table_, path_)) {
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
