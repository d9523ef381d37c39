#include "store/navigation.h"

#include <algorithm>

#include "calendar/calendar_rules.h"
#include "platform/text.h"

namespace tavrin {
namespace {

// A day past the new month's end becomes its last day (March 31 minus a month is February 28 or 29).
DiaryDate KeepDayInMonth(DiaryDate date) noexcept {
    if (date.day > 28) {
        date.day = std::min(date.day, DaysInMonth(date.year, date.month));
    }
    return date;
}

std::u16string FormatDate(const DiaryDate& date) {
    std::u16string text;
    AppendDecimal(text, date.year, 4);
    text.push_back(u'/');
    AppendDecimal(text, date.month, 2);
    text.push_back(u'/');
    AppendDecimal(text, date.day, 2);
    return text;
}

constexpr std::u16string_view kDateCaption = u"日付の選択";

}  // namespace

std::optional<MoveCommand> MoveCommandFromId(int commandId) noexcept {
    switch (commandId) {
        case 41018:
            return MoveCommand::kToday;
        case 41021:
            return MoveCommand::kPrevYear;
        case 41022:
            return MoveCommand::kPrevMonth;
        case 41023:
            return MoveCommand::kPrevWeek;
        case 41024:
            return MoveCommand::kPrevDay;
        case 41025:
            return MoveCommand::kNextDay;
        case 41026:
            return MoveCommand::kNextWeek;
        case 41027:
            return MoveCommand::kNextMonth;
        case 41028:
            return MoveCommand::kNextYear;
        default:
            return std::nullopt;
    }
}

std::optional<StepCommand> StepCommandFromId(int commandId) noexcept {
    switch (commandId) {
        case 41019:
            return StepCommand::kOldDiary;
        case 41020:
            return StepCommand::kPrevDiary;
        case 41029:
            return StepCommand::kNextDiary;
        case 41030:
            return StepCommand::kNewDiary;
        default:
            return std::nullopt;
    }
}

bool IsDiaryDate(const DiaryDate& date) noexcept {
    return IsValidDate(date) && date.year <= kMaxDiaryYear;
}

DiaryDate DateAfterMove(const DiaryDate& from, MoveCommand command, const DiaryDate& today) noexcept {
    switch (command) {
        case MoveCommand::kToday:
            return today;
        case MoveCommand::kPrevYear:
            return KeepDayInMonth({std::max(from.year - 1, 0), from.month, from.day});
        case MoveCommand::kNextYear:
            return KeepDayInMonth({std::min(from.year + 1, kMaxDiaryYear), from.month, from.day});
        case MoveCommand::kPrevMonth:
            return KeepDayInMonth(from.month <= 1 ? DiaryDate{from.year - 1, 12, from.day}
                                                  : DiaryDate{from.year, from.month - 1, from.day});
        case MoveCommand::kNextMonth:
            return KeepDayInMonth(from.month >= 12 ? DiaryDate{from.year + 1, 1, from.day}
                                                   : DiaryDate{from.year, from.month + 1, from.day});
        case MoveCommand::kPrevWeek:
            return AddDays(from, -7);
        case MoveCommand::kPrevDay:
            return AddDays(from, -1);
        case MoveCommand::kNextDay:
            return AddDays(from, 1);
        case MoveCommand::kNextWeek:
            return AddDays(from, 7);
    }
    return from;
}

DiaryDate DateOfTime(const LocalDateTime& time) noexcept {
    return {time.year, time.month, time.day};
}

bool IsLockedByEditLock(const DiaryDate& selected, const LocalDateTime& now, bool editLock) noexcept {
    if (!editLock) {
        return false;
    }
    const DiaryDate today = DateOfTime(now);
    if (selected == AddDays(today, -1)) {
        return now.hour >= 12;
    }
    return selected < today;
}

std::u16string JumpDialogTitle(const DiaryDate& today) {
    return u"日付移動　今日: " + FormatDate(today);
}

JumpCheck CheckJumpFields(std::u16string_view year, std::u16string_view month, std::u16string_view day) {
    const DiaryDate date{std::clamp(ParseCInt(year), 0, kMaxDiaryYear), std::clamp(ParseCInt(month), 1, 12),
                         std::clamp(ParseCInt(day), 1, 31)};
    if (date.year == 0 || date.day > DaysInMonth(date.year, date.month)) {
        return {std::nullopt,
                Notice{FormatDate(date) + u" は存在しない日付です。", std::u16string(kDateCaption)}};
    }
    return {date, std::nullopt};
}

Notice MissingDateLinkNotice(const DiaryDate& date) {
    return {FormatDate(date) + u" は存在しません。", std::u16string(kDateCaption)};
}

}  // namespace tavrin
