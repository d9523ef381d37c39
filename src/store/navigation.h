#pragma once
// Date arithmetic of the navigation commands, the edit lock rule and the checks of typed dates:
// everything of date navigation that needs neither files nor windows.

#include <optional>
#include <string>
#include <string_view>

#include "calendar/diary_date.h"
#include "platform/clock.h"

namespace tavrin {

// The largest year a diary date may have: month files are named with four-digit years, and a later
// year could be written but never found again by the entry index.
inline constexpr int kMaxDiaryYear = 9999;

// The commands that move the selected date by a fixed amount.
enum class MoveCommand {
    kToday,
    kPrevYear,
    kPrevMonth,
    kPrevWeek,
    kPrevDay,
    kNextDay,
    kNextWeek,
    kNextMonth,
    kNextYear
};

// The commands that step to a day with an entry.
enum class StepCommand { kOldDiary, kPrevDiary, kNextDiary, kNewDiary };

// The command of a command id of the command table (41001 + row): Today 41018, OldDiary 41019,
// PrevDiary 41020, PrevYear 41021 ... NextYear 41028, NextDiary 41029, NewDiary 41030.
[[nodiscard]] std::optional<MoveCommand> MoveCommandFromId(int commandId) noexcept;
[[nodiscard]] std::optional<StepCommand> StepCommandFromId(int commandId) noexcept;

// A date the diary can select: a valid date of the years 1 to kMaxDiaryYear.
[[nodiscard]] bool IsDiaryDate(const DiaryDate& date) noexcept;

// The date a move command leads to from `from`. Year and month moves keep the day where the new month
// has it and otherwise take the month's last day; PrevYear stops at 0 and NextYear at kMaxDiaryYear
// (year 0 is then refused by GoToDate). The result is not checked.
[[nodiscard]] DiaryDate DateAfterMove(const DiaryDate& from, MoveCommand command,
                                      const DiaryDate& today) noexcept;

// Today's date of a clock reading.
[[nodiscard]] DiaryDate DateOfTime(const LocalDateTime& time) noexcept;

// Whether the entry of `selected` is read-only under the edit lock at time `now`: dates before today
// are locked, except yesterday until noon.
[[nodiscard]] bool IsLockedByEditLock(const DiaryDate& selected, const LocalDateTime& now,
                                      bool editLock) noexcept;

// A message box the shell shows: text, caption, OK button, warning icon.
struct Notice {
    std::u16string text;
    std::u16string caption;
    friend bool operator==(const Notice&, const Notice&) = default;
};

// The jump dialog's fields: at most kJumpYearDigits characters for the year, spin range up to
// kMaxDiaryYear.
inline constexpr int kJumpYearDigits = 4;
inline constexpr int kJumpMonthDigits = 2;
inline constexpr int kJumpDayDigits = 2;

// "日付移動　今日: YYYY/MM/DD".
[[nodiscard]] std::u16string JumpDialogTitle(const DiaryDate& today);

// The outcome of the jump dialog's button: a date to move to, or a notice and the dialog stays open.
struct JumpCheck {
    std::optional<DiaryDate> date;
    std::optional<Notice> notice;
};

// Reads the three fields like the C library's atoi, clamps the year to 0 to kMaxDiaryYear, the month
// to 1 to 12 and the day to 1 to 31, and refuses year 0 and days past the month's end with
// "YYYY/MM/DD は存在しない日付です。".
[[nodiscard]] JumpCheck CheckJumpFields(std::u16string_view year, std::u16string_view month,
                                        std::u16string_view day);

// "YYYY/MM/DD は存在しません。" for a date link that names no date.
[[nodiscard]] Notice MissingDateLinkNotice(const DiaryDate& date);

}  // namespace tavrin
