#include "store/month_text.h"

#include <algorithm>

#include "calendar/calendar_rules.h"
#include "platform/text.h"
#include "platform/utf16_file.h"

namespace tavrin {
namespace {

constexpr char16_t kCr = u'\r';
constexpr char16_t kLf = u'\n';
constexpr char16_t kTab = u'\t';

bool IsDigit(char16_t c) noexcept {
    return c >= u'0' && c <= u'9';
}

// One line of a text: [start, start + length), followed by breakLength break characters (0 at the end
// of the text).
struct Line {
    std::size_t start = 0;
    std::size_t length = 0;
    std::size_t breakLength = 0;
};

Line LineAt(std::u16string_view text, std::size_t start) noexcept {
    std::size_t end = start;
    while (end < text.size() && text[end] != kCr && text[end] != kLf) {
        ++end;
    }
    std::size_t breakLength = 0;
    if (end < text.size()) {
        breakLength = text[end] == kCr && end + 1 < text.size() && text[end + 1] == kLf ? 2 : 1;
    }
    return {start, end - start, breakLength};
}

// The entry being collected while parsing. Counts follow the month format: the range is the sum of the
// line lengths plus two characters for every break between its lines.
struct OpenEntry {
    int dayIndex = -1;
    std::size_t body = 0;
    std::size_t header = 0;
    std::size_t headerLength = 0;
    bool hasHeader = false;
    std::int64_t characters = 0;
    std::int64_t lines = 0;
    bool lastLineEmpty = false;

    void Add(const Line& line) noexcept {
        characters += static_cast<std::int64_t>(line.length);
        ++lines;
        lastLineEmpty = line.length == 0;
    }
};

// Stores the open entry into its slot. At a header the entry's last line is the separator when it is
// empty and does not belong to the entry; at the end of the text every line belongs to it.
void CloseEntry(const OpenEntry& entry, bool atHeader, std::size_t textLength, MonthTable& table) noexcept {
    if (entry.dayIndex < 0) {
        return;
    }
    std::int64_t lines = entry.lines;
    if (atHeader && entry.lastLineEmpty) {
        --lines;
    }
    std::int64_t length = lines > 0 ? entry.characters + 2 * (lines - 1) : 0;
    length = std::min<std::int64_t>(length, static_cast<std::int64_t>(textLength - entry.body));
    DayEntry& slot = table[static_cast<std::size_t>(entry.dayIndex)];
    slot.body = static_cast<std::int32_t>(entry.body);
    slot.length = static_cast<std::int32_t>(length);
    slot.mark = slot.length;
    slot.header = entry.hasHeader ? static_cast<std::int32_t>(entry.header) : -1;
    slot.headerLength = entry.hasHeader ? static_cast<std::int32_t>(entry.headerLength) : 0;
}

void AppendLineBreak(std::u16string& out) {
    out.append(u"\r\n");
}

}  // namespace

HeaderNumbers ReadHeaderNumbers(std::u16string_view line) noexcept {
    std::array<std::int32_t, 3> numbers{};
    std::size_t found = 0;
    std::size_t i = 0;
    while (i < line.size() && found < numbers.size()) {
        if (!IsDigit(line[i])) {
            ++i;
            continue;
        }
        std::int32_t value = 0;
        for (int digits = 0; i < line.size() && IsDigit(line[i]); ++i, ++digits) {
            if (digits < 8) {
                value = value * 10 + (line[i] - u'0');
            }
        }
        numbers[found++] = value;
    }
    return {numbers[0], numbers[1], numbers[2]};
}

bool ParseMonthText(std::u16string_view text, int year, int month, MonthTable& table) {
    table.fill(DayEntry{});
    if (text.size() > kMaxMonthTextLength) {
        return false;
    }
    const int daysInMonth = DaysInMonth(year, month);
    OpenEntry entry;
    for (std::size_t start = 0; start < text.size();) {
        const Line line = LineAt(text, start);
        start = line.start + line.length + line.breakLength;
        if (line.length == 0) {
            if (entry.dayIndex >= 0) {
                entry.Add(line);
            }
            continue;
        }
        const std::u16string_view content = text.substr(line.start, line.length);
        if (IsDigit(content.front())) {
            const HeaderNumbers numbers = ReadHeaderNumbers(content);
            if (numbers.month == month && numbers.day >= 1 && numbers.day <= daysInMonth &&
                numbers.day - 1 > entry.dayIndex) {
                CloseEntry(entry, true, text.size(), table);
                entry = OpenEntry{};
                entry.dayIndex = numbers.day - 1;
                entry.body = start;
                entry.header = line.start;
                entry.headerLength = line.length;
                entry.hasHeader = true;
                continue;
            }
        }
        if (entry.dayIndex < 0) {
            entry.dayIndex = 0;
            entry.body = line.start;
        }
        entry.Add(line);
    }
    CloseEntry(entry, false, text.size(), table);
    return true;
}

std::u16string_view EntryBody(std::u16string_view text, const DayEntry& entry) noexcept {
    if (entry.length <= 0 || entry.body < 0 || static_cast<std::size_t>(entry.body) >= text.size()) {
        return {};
    }
    return text.substr(static_cast<std::size_t>(entry.body), static_cast<std::size_t>(entry.length));
}

bool NormalizeLineBreaks(std::u16string& text) {
    std::size_t lone = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == kCr && i + 1 < text.size() && text[i + 1] == kLf) {
            ++i;
        } else if (text[i] == kCr || text[i] == kLf) {
            ++lone;
        }
    }
    if (lone == 0) {
        return false;
    }
    std::u16string out;
    out.reserve(text.size() + lone);
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == kCr || text[i] == kLf) {
            AppendLineBreak(out);
            if (text[i] == kCr && i + 1 < text.size() && text[i + 1] == kLf) {
                ++i;
            }
        } else {
            out.push_back(text[i]);
        }
    }
    text = std::move(out);
    return true;
}

std::optional<std::u16string> ReadMonthText(FileSystem& fs, const std::filesystem::path& path) {
    std::optional<std::u16string> text = ReadUtf16File(fs, path);
    if (text) {
        NormalizeLineBreaks(*text);
    }
    return text;
}

std::u16string EditorTextToBody(std::u16string_view text, bool deleteEndBlankLine) {
    std::u16string body;
    if (text.empty()) {
        return body;
    }
    body.reserve(text.size() + text.size() / 16 + 4);
    body.push_back(kTab);
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char16_t c = text[i];
        if (c == kCr || c == kLf) {
            if (c == kCr && i + 1 < text.size() && text[i + 1] == kLf) {
                ++i;
            }
            body.append(u"\r\n\t");
        } else {
            body.push_back(c);
        }
    }
    if (deleteEndBlankLine) {
        const std::size_t keep = body.find_last_not_of(u" \u3000\t\r\n");
        body.resize(keep == std::u16string::npos ? 0 : keep + 1);
    }
    return body;
}

std::u16string BodyToEditorText(std::u16string_view body) {
    std::u16string text;
    text.reserve(body.size());
    std::size_t i = !body.empty() && body.front() == kTab ? 1 : 0;
    while (i < body.size()) {
        const char16_t c = body[i];
        if (c != kCr && c != kLf) {
            text.push_back(c);
            ++i;
            continue;
        }
        const std::size_t breakEnd = c == kCr && i + 1 < body.size() && body[i + 1] == kLf ? i + 2 : i + 1;
        if (breakEnd >= body.size()) {
            break;
        }
        text.push_back(kLf);
        i = body[breakEnd] == kTab ? breakEnd + 1 : breakEnd;
    }
    return text;
}

std::u16string FormatHeader(int year, int month, int day) {
    std::u16string header;
    AppendDecimal(header, year, 4);
    header.push_back(u'/');
    AppendDecimal(header, month, 2);
    header.push_back(u'/');
    AppendDecimal(header, day, 2);
    return header;
}

namespace {

// Appends one entry in the stored form: its own header line when it has one in sourceText (so a
// hand-written header and whatever follows the date on it survive), else a FormatHeader line; then
// the body. Entries after the first are preceded by the separating empty line.
void AppendEntry(std::u16string& text, int year, int month, int day, std::u16string_view sourceText,
                 const DayEntry& entry, std::u16string_view body) {
    if (!text.empty()) {
        AppendLineBreak(text);
    }
    const bool ownHeader = entry.header >= 0 && static_cast<std::size_t>(entry.header) < sourceText.size();
    if (ownHeader) {
        text.append(sourceText.substr(static_cast<std::size_t>(entry.header),
                                      static_cast<std::size_t>(entry.headerLength)));
    } else {
        text.append(FormatHeader(year, month, day));
    }
    AppendLineBreak(text);
    text.append(body);
    AppendLineBreak(text);
}

}  // namespace

std::u16string BuildMonthText(int year, int month, std::u16string_view oldText, const MonthTable& table,
                              int selectedDay, std::u16string_view newBody) {
    std::u16string text;
    text.reserve(oldText.size() + newBody.size() + 64);
    for (int day = 1; day <= static_cast<int>(table.size()); ++day) {
        const DayEntry& entry = table[static_cast<std::size_t>(day - 1)];
        const std::u16string_view body = day == selectedDay ? newBody : EntryBody(oldText, entry);
        if (!body.empty()) {
            AppendEntry(text, year, month, day, oldText, entry, body);
        }
    }
    return text;
}

std::u16string MergeMonthTexts(int year, int month, std::u16string_view base, std::u16string_view ours,
                               std::u16string_view theirs) {
    MonthTable baseDays{};
    MonthTable ourDays{};
    MonthTable theirDays{};
    ParseMonthText(base, year, month, baseDays);
    ParseMonthText(ours, year, month, ourDays);
    ParseMonthText(theirs, year, month, theirDays);
    std::u16string text;
    text.reserve(std::max(ours.size(), theirs.size()) + 64);
    for (std::size_t i = 0; i < ourDays.size(); ++i) {
        const std::u16string_view ourBody = EntryBody(ours, ourDays[i]);
        const bool oursChanged = ourBody != EntryBody(base, baseDays[i]);
        const std::u16string_view source = oursChanged ? ours : theirs;
        const DayEntry& entry = oursChanged ? ourDays[i] : theirDays[i];
        const std::u16string_view body = EntryBody(source, entry);
        if (!body.empty()) {
            AppendEntry(text, year, month, static_cast<int>(i) + 1, source, entry, body);
        }
    }
    return text;
}

std::u16string MonthFileName(int year, int month) {
    std::u16string name;
    AppendDecimal(name, year, 4);
    AppendDecimal(name, month, 2);
    name.append(u".txt");
    return name;
}

std::filesystem::path MonthFilePath(const std::filesystem::path& diaryFolder, int year, int month) {
    return diaryFolder / std::filesystem::path(MonthFileName(year, month));
}

}  // namespace tavrin
