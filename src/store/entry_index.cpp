#include "store/entry_index.h"

#include <algorithm>

#include "platform/utf16_file.h"
#include "store/month_text.h"

namespace tavrin {
namespace {

template <typename Char>
bool IsAsciiDigit(Char c) noexcept {
    return c >= Char('0') && c <= Char('9');
}

template <typename Char>
Char AsciiLower(Char c) noexcept {
    return c >= Char('A') && c <= Char('Z') ? static_cast<Char>(c - Char('A') + Char('a')) : c;
}

// Names are compared in the file system's own character type, so that names which are not valid
// text in any encoding are simply no month files.
template <typename String>
bool EndsWithTxt(const String& name, bool anyCase) noexcept {
    using Char = typename String::value_type;
    constexpr Char kSuffix[] = {Char('.'), Char('t'), Char('x'), Char('t')};
    if (name.size() < 4) {
        return false;
    }
    for (std::size_t i = 0; i < 4; ++i) {
        const Char c = name[name.size() - 4 + i];
        if ((anyCase ? AsciiLower(c) : c) != kSuffix[i]) {
            return false;
        }
    }
    return true;
}

// The entry a step command takes from one month's table: the first or the last day with an entry.
std::optional<int> EntryDayOf(const MonthTable& table, bool last) {
    for (int i = 0; i < 31; ++i) {
        const int day = last ? 31 - i : 1 + i;
        if (table[static_cast<std::size_t>(day - 1)].HasEntry()) {
            return day;
        }
    }
    return std::nullopt;
}

}  // namespace

std::optional<MonthFileRow> ParseMonthFileName(const std::filesystem::path& name) {
    const auto& text = name.native();
    if (text.size() != 10 || !EndsWithTxt(text, false)) {
        return std::nullopt;
    }
    int number = 0;
    for (std::size_t i = 0; i < 6; ++i) {
        if (!IsAsciiDigit(text[i])) {
            return std::nullopt;
        }
        number = number * 10 + static_cast<int>(text[i] - '0');
    }
    const int year = number / 100;
    const int month = number % 100;
    if (year < 1 || month < 1 || month > 12) {
        return std::nullopt;
    }
    return MonthFileRow{name, year, month, number};
}

std::optional<EntryIndex> BuildEntryIndex(FileSystem& fs, const std::filesystem::path& diaryFolder) {
    std::optional<std::vector<FolderEntry>> entries = fs.ListFolder(diaryFolder);
    if (!entries) {
        return std::nullopt;
    }
    EntryIndex index;
    for (const FolderEntry& entry : *entries) {
        if (!EndsWithTxt(entry.name.native(), true)) {
            continue;
        }
        index.anyTextFile = true;
        if (!entry.isFolder) {
            if (std::optional<MonthFileRow> row = ParseMonthFileName(entry.name)) {
                index.rows.push_back(std::move(*row));
            }
        }
    }
    std::sort(index.rows.begin(), index.rows.end(),
              [](const MonthFileRow& a, const MonthFileRow& b) { return a.key < b.key; });
    return index;
}

std::optional<DiaryDate> FindEntryInFiles(FileSystem& fs, const std::filesystem::path& diaryFolder,
                                          const EntryIndex& index, StepCommand command, int year) {
    const bool earlier = command == StepCommand::kOldDiary || command == StepCommand::kPrevDiary;
    const bool descending = command == StepCommand::kPrevDiary || command == StepCommand::kNewDiary;
    const bool lastEntry = descending;
    MonthTable table;
    const auto visit = [&](const MonthFileRow& row) -> std::optional<DiaryDate> {
        if (earlier ? row.year >= year : row.year <= year) {
            return std::nullopt;
        }
        const std::optional<std::u16string> text = ReadUtf16File(fs, diaryFolder / row.name);
        if (!text || !ParseMonthText(*text, row.year, row.month, table)) {
            return std::nullopt;
        }
        if (const std::optional<int> day = EntryDayOf(table, lastEntry)) {
            return DiaryDate{row.year, row.month, *day};
        }
        return std::nullopt;
    };
    if (descending) {
        for (auto it = index.rows.rbegin(); it != index.rows.rend(); ++it) {
            if (auto found = visit(*it)) {
                return found;
            }
        }
    } else {
        for (const MonthFileRow& row : index.rows) {
            if (auto found = visit(row)) {
                return found;
            }
        }
    }
    return std::nullopt;
}

}  // namespace tavrin
