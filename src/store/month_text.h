#pragma once
// The stored form of one month of entries and the conversions around it.
//
// A month file holds the month's entries in ascending day order. Each entry is a header line
// "YYYY/MM/DD" followed by its body lines, every body line prefixed by one TAB (so that a line starting
// with a digit is never taken for a header), entries separated by one empty line, CR LF line ends.
// Hand-edited files may deviate in every way; the parser places every line somewhere.

#include <array>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "platform/file_system.h"

namespace tavrin {

// Where one day's entry lies inside its month text. A default value means "no entry".
//
// body and length are the entry's body range as the month format defines it: body is the first
// character after the header line, length counts every line break as two characters (exact for CR LF
// text). ParseMonthText guarantees body + length <= the text's length. header is the start of the
// entry's header line and headerLength its length without the line break; header is -1 when the entry
// has no header line of its own (text before the first header of a hand-edited file). mark is what the
// calendars show: set to length by every parse and moved while the user types.
struct DayEntry {
    std::int32_t body = 0;
    std::int32_t length = 0;
    std::int32_t mark = 0;
    std::int32_t header = -1;
    std::int32_t headerLength = 0;

    [[nodiscard]] bool HasEntry() const noexcept { return length > 0; }
    friend bool operator==(const DayEntry&, const DayEntry&) = default;
};

// The 31 day slots of one month, index day - 1. Slots past the month's last day stay empty.
using MonthTable = std::array<DayEntry, 31>;

// Month texts longer than this cannot be indexed with 32-bit positions.
inline constexpr std::size_t kMaxMonthTextLength = 0x7FFF'FFFF;

// Fills the table from a month text (all slots cleared first). Lines end at CR LF, lone CR or lone
// LF. A line starting with an ASCII digit is a header when its numbers name this month, a day of it,
// and a day after the open entry's; every other non-empty line is body text (text before the first
// header is the entry of the 1st). An entry's range runs from the line after its header to the end of
// its last line; when the next header follows an empty line, that line is the separator and is left
// out. Lengths count two characters per line break, so for lone CR or LF text a range may reach past
// the entry's real end; it is cut at the end of the text. Returns false (table empty) only for a text
// longer than kMaxMonthTextLength.
bool ParseMonthText(std::u16string_view text, int year, int month, MonthTable& table);

// The three numbers of a header line: each run of ASCII digits gives one number from its first eight
// digits, any other characters separate them, missing numbers are 0.
struct HeaderNumbers {
    std::int32_t year = 0;
    std::int32_t month = 0;
    std::int32_t day = 0;
    friend bool operator==(const HeaderNumbers&, const HeaderNumbers&) = default;
};
[[nodiscard]] HeaderNumbers ReadHeaderNumbers(std::u16string_view line) noexcept;

// The entry's body inside its month text, cut to the text whatever the entry says.
[[nodiscard]] std::u16string_view EntryBody(std::u16string_view text, const DayEntry& entry) noexcept;

// Turns every lone CR and lone LF into CR LF, so that the ranges of ParseMonthText are exact. Returns
// whether anything changed.
bool NormalizeLineBreaks(std::u16string& text);

// Reads a month file (see ReadUtf16File) and normalises its line breaks.
[[nodiscard]] std::optional<std::u16string> ReadMonthText(FileSystem& fs, const std::filesystem::path& path);

// Editor text (lines separated by LF; CR LF and lone CR are accepted too) to the stored body: every
// line prefixed by TAB, CR LF between lines. With deleteEndBlankLine, trailing spaces, ideographic
// spaces, TABs and line breaks are removed, which may leave nothing. An empty text gives an empty body.
[[nodiscard]] std::u16string EditorTextToBody(std::u16string_view text, bool deleteEndBlankLine);

// Stored body to editor text: one TAB dropped at the start of every line, every line break written as
// a single LF; a line break at the very end of the body is dropped.
[[nodiscard]] std::u16string BodyToEditorText(std::u16string_view body);

// "YYYY/MM/DD" as the program writes it.
[[nodiscard]] std::u16string FormatHeader(int year, int month, int day);

// Rebuilds a month text from the entries of table (ranges into oldText), with newBody in place of the
// entry of selectedDay (1 to 31; 0 replaces nothing). Days with an empty body are left out. Each
// entry keeps its own header line as it stands, so hand-written header lines and whatever follows the
// date on them survive; entries without one get a FormatHeader line.
[[nodiscard]] std::u16string BuildMonthText(int year, int month, std::u16string_view oldText,
                                            const MonthTable& table, int selectedDay,
                                            std::u16string_view newBody);

// Joins two copies' changes to one month, day by day. base is what the file held when this copy last
// read or wrote it, ours what this copy holds now, theirs what the file holds now (another program
// wrote it since). A day whose entry ours changed since base takes ours, an entry ours removed staying
// removed; every other day takes theirs. Entries are rebuilt as BuildMonthText does.
[[nodiscard]] std::u16string MergeMonthTexts(int year, int month, std::u16string_view base,
                                             std::u16string_view ours, std::u16string_view theirs);

// "YYYYMM.txt" and the month file's path inside a diary folder.
[[nodiscard]] std::u16string MonthFileName(int year, int month);
[[nodiscard]] std::filesystem::path MonthFilePath(const std::filesystem::path& diaryFolder, int year,
                                                  int month);

}  // namespace tavrin
