#include "store/year_buffer.h"

#include <algorithm>

namespace tavrin {
namespace {

constexpr DayEntry kNoEntry{};

}  // namespace

std::size_t YearBuffer::Index(int month) noexcept {
    // Out-of-range months are a caller's mistake; they read month 1 or 12 rather than memory
    // outside the buffer.
    return static_cast<std::size_t>(std::clamp(month, 1, 12) - 1);
}

std::int32_t YearBuffer::MonthLength(int month) const noexcept {
    const Month& m = months_[Index(month)];
    switch (m.state) {
        case MonthState::kLoaded:
            return static_cast<std::int32_t>(std::min(m.text.size(), kMaxMonthTextLength));
        case MonthState::kUnreadable:
            return -1;
        case MonthState::kAbsent:
            break;
    }
    return 0;
}

const DayEntry& YearBuffer::Day(int month, int day) const noexcept {
    if (day < 1 || day > 31) {
        return kNoEntry;
    }
    return months_[Index(month)].days[static_cast<std::size_t>(day - 1)];
}

std::u16string_view YearBuffer::Body(int month, int day) const noexcept {
    return EntryBody(MonthText(month), Day(month, day));
}

void YearBuffer::Clear(int year) noexcept {
    year_ = year;
    for (Month& m : months_) {
        m.state = MonthState::kAbsent;
        m.text.clear();
        m.text.shrink_to_fit();
        m.onDisk.clear();
        m.onDisk.shrink_to_fit();
        m.days.fill(DayEntry{});
    }
}

void YearBuffer::SetMonth(int month, MonthState state, std::u16string text) {
    Month& m = months_[Index(month)];
    m.state = state;
    m.text = state == MonthState::kLoaded ? std::move(text) : std::u16string{};
    ParseMonth(month);
}

void YearBuffer::ParseAll() {
    for (int month = 1; month <= 12; ++month) {
        ParseMonth(month);
    }
}

void YearBuffer::ParseMonth(int month) {
    Month& m = months_[Index(month)];
    ParseMonthText(m.text, year_, month, m.days);
}

void YearBuffer::SetMark(int month, int day, std::int32_t mark) noexcept {
    if (day >= 1 && day <= 31) {
        months_[Index(month)].days[static_cast<std::size_t>(day - 1)].mark = mark;
    }
}

void ClearYear(YearBuffer& buffer) {
    buffer.Clear(buffer.Year());
}

MonthState ReloadMonth(YearBuffer& buffer, FileSystem& fs, const std::filesystem::path& diaryFolder,
                       int month) {
    const std::filesystem::path path = MonthFilePath(diaryFolder, buffer.Year(), month);
    buffer.SetDiskText(month, {});
    if (!fs.Exists(path)) {
        buffer.SetMonth(month, MonthState::kAbsent);
        return MonthState::kAbsent;
    }
    std::optional<std::u16string> text = ReadMonthText(fs, path);
    // A text too long for the day table is as good as unreadable: writing the month back from a table
    // that could not describe it would lose entries.
    if (!text && fs.IsFolder(path)) {
        // A folder that only looks like a month file holds no entries; a save will report that the
        // file cannot be written.
        buffer.SetMonth(month, MonthState::kAbsent);
        return MonthState::kAbsent;
    }
    if (!text || text->size() > kMaxMonthTextLength) {
        buffer.SetMonth(month, MonthState::kUnreadable);
        return MonthState::kUnreadable;
    }
    buffer.SetDiskText(month, *text);
    buffer.SetMonth(month, MonthState::kLoaded, std::move(*text));
    return MonthState::kLoaded;
}

void LoadYear(YearBuffer& buffer, FileSystem& fs, const std::filesystem::path& diaryFolder, int year) {
    buffer.Clear(year);
    for (int month = 1; month <= 12; ++month) {
        (void)ReloadMonth(buffer, fs, diaryFolder, month);
    }
}

void ParseYear(YearBuffer& buffer) {
    buffer.ParseAll();
}

}  // namespace tavrin
