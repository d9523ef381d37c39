#pragma once
// The twelve month texts of the displayed year and where each day's entry lies in them.

#include <array>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "platform/file_system.h"
#include "store/month_text.h"

namespace tavrin {

// What is known about one month's file.
enum class MonthState {
    kAbsent,      // no file (or not loaded yet): the month has no entries
    kLoaded,      // the text holds the file's content (line breaks normalised to CR LF)
    kUnreadable,  // the file exists but could not be read: its entries are unknown and must not be
                  // overwritten by a save built from an empty month
};

// The year of the selected date in memory. Invariants: a month has a text exactly when its state is
// kLoaded; the day table always describes the current texts (every change of a text re-parses it);
// every range of the table lies inside its month's text.
class YearBuffer {
  public:
    [[nodiscard]] int Year() const noexcept { return year_; }
    [[nodiscard]] MonthState State(int month) const noexcept { return months_[Index(month)].state; }
    // The month's text; empty unless the state is kLoaded.
    [[nodiscard]] std::u16string_view MonthText(int month) const noexcept {
        return months_[Index(month)].text;
    }
    // The length of the month's text in characters: 0 when absent, -1 when the file was unreadable.
    [[nodiscard]] std::int32_t MonthLength(int month) const noexcept;
    [[nodiscard]] const MonthTable& Days(int month) const noexcept { return months_[Index(month)].days; }
    [[nodiscard]] const DayEntry& Day(int month, int day) const noexcept;
    [[nodiscard]] bool HasEntry(int month, int day) const noexcept { return Day(month, day).HasEntry(); }
    // The stored body of the day's entry (empty when none).
    [[nodiscard]] std::u16string_view Body(int month, int day) const noexcept;
    // What the month file held (line breaks normalised) when it was last read or written by this
    // program; empty for a file that did not exist or could not be read. Another copy of the program
    // may have changed the file since: saving compares and merges against this.
    [[nodiscard]] std::u16string_view DiskText(int month) const noexcept {
        return months_[Index(month)].onDisk;
    }
    void SetDiskText(int month, std::u16string text) { months_[Index(month)].onDisk = std::move(text); }

    // Empties every month and sets the year.
    void Clear(int year) noexcept;
    // Replaces one month's text (and parses it); nothing makes the month absent.
    void SetMonth(int month, MonthState state, std::u16string text = {});
    // Re-parses every loaded month; every mark becomes its entry's length.
    void ParseAll();
    // The calendar mark of a day (1 to 31 of a month 1 to 12).
    void SetMark(int month, int day, std::int32_t mark) noexcept;

  private:
    struct Month {
        MonthState state = MonthState::kAbsent;
        std::u16string text;
        MonthTable days{};
        std::u16string onDisk;
    };

    [[nodiscard]] static std::size_t Index(int month) noexcept;
    void ParseMonth(int month);

    int year_ = 0;
    std::array<Month, 12> months_{};
};

// Empties the buffer (ClearYear).
void ClearYear(YearBuffer& buffer);
// Reads the twelve month files of year from the diary folder (LoadYear). A missing file is an empty
// month; a file that exists but cannot be read is marked kUnreadable.
void LoadYear(YearBuffer& buffer, FileSystem& fs, const std::filesystem::path& diaryFolder, int year);
// Parses every month of the buffer again (ParseYear).
void ParseYear(YearBuffer& buffer);
// Reads one month file into the buffer again; returns its new state.
MonthState ReloadMonth(YearBuffer& buffer, FileSystem& fs, const std::filesystem::path& diaryFolder,
                       int month);

}  // namespace tavrin
