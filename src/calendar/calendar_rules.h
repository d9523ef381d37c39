#pragma once
// Japanese calendar rules: leap years, month lengths, weekdays, day arithmetic, public holidays, eras
// and the earthly branches of years. Pure functions without state.

#include <cstdint>
#include <optional>
#include <string_view>

#include "calendar/diary_date.h"

namespace tavrin {

// Weekday numbers: 0 Sunday to 6 Saturday.
inline constexpr int kSunday = 0;
inline constexpr int kMonday = 1;
inline constexpr int kWednesday = 3;
inline constexpr int kFriday = 5;
inline constexpr int kSaturday = 6;

// Returned by the equinox functions for years without an equinox holiday.
inline constexpr int kNoEquinox = 99;

// Holiday codes of HolidayOf; kNoHoliday is an ordinary day.
inline constexpr int kNoHoliday = 0;
inline constexpr int kNewYearsDay = 1;
inline constexpr int kComingOfAgeDay = 2;
inline constexpr int kFoundationDay = 3;
inline constexpr int kVernalEquinoxHoliday = 4;
inline constexpr int kShowaDay = 5;
inline constexpr int kConstitutionDay = 6;
inline constexpr int kGreeneryDay = 7;
inline constexpr int kChildrensDay = 8;
inline constexpr int kMarineDay = 9;
inline constexpr int kMountainDay = 10;
inline constexpr int kRespectForTheAgedDay = 11;
inline constexpr int kAutumnalEquinoxHoliday = 12;
inline constexpr int kHealthSportsDay = 13;
inline constexpr int kCultureDay = 14;
inline constexpr int kLaborThanksgivingDay = 15;
inline constexpr int kEmperorsBirthday = 16;
inline constexpr int kSubstituteHoliday = 17;
inline constexpr int kNationalHoliday = 18;
inline constexpr int kEnthronementDay = 19;
inline constexpr int kEnthronementCeremony = 20;
inline constexpr int kSportsDay = 21;
inline constexpr int kHolidayCodeCount = 22;

// An era and the year within it. Index 0 is everything before the first modern era; its era year is
// the Gregorian year itself.
struct EraYear {
    int era = 0;
    int year = 0;
    friend bool operator==(const EraYear&, const EraYear&) = default;
};
inline constexpr int kEraCount = 6;

[[nodiscard]] bool IsLeapYear(int year) noexcept;
// 28 to 31; month numbers outside 1 to 12 count as 31-day months.
[[nodiscard]] int DaysInMonth(int year, int month) noexcept;
[[nodiscard]] bool IsValidDate(int year, int month, int day) noexcept;
[[nodiscard]] bool IsValidDate(const DiaryDate& date) noexcept;

// 0 Sunday to 6 Saturday, Gregorian rules for every year.
[[nodiscard]] int Weekday(int year, int month, int day) noexcept;
[[nodiscard]] int Weekday(const DiaryDate& date) noexcept;

// The date n days later (earlier for negative n), in the proleptic Gregorian calendar of every year.
[[nodiscard]] DiaryDate AddDays(int year, int month, int day, int n) noexcept;
[[nodiscard]] DiaryDate AddDays(const DiaryDate& date, int n) noexcept;

// Day of March or September of the equinox holiday, kNoEquinox outside 1948 to 2150.
[[nodiscard]] int VernalEquinoxDay(int year) noexcept;
[[nodiscard]] int AutumnalEquinoxDay(int year) noexcept;

[[nodiscard]] int HolidayOf(int year, int month, int day) noexcept;
[[nodiscard]] int HolidayOf(const DiaryDate& date) noexcept;
// The display name of a holiday code; empty for 0 and unknown codes.
[[nodiscard]] std::u16string_view HolidayName(int code) noexcept;

[[nodiscard]] EraYear EraOf(int year, int month, int day) noexcept;
[[nodiscard]] EraYear EraOf(const DiaryDate& date) noexcept;
// "明治以前", "明治", ... "令和"; empty for unknown indexes.
[[nodiscard]] std::u16string_view EraName(int era) noexcept;
// 'M', 'T', 'S', 'H', 'R'; 0 for era 0 and unknown indexes.
[[nodiscard]] char16_t EraLetter(int era) noexcept;

// Index 0 to 11 of the year's earthly branch ("子" to "亥").
[[nodiscard]] int BranchOf(int year) noexcept;
[[nodiscard]] std::u16string_view BranchName(int branch) noexcept;

// "日" to "土"; empty for numbers outside 0 to 6.
[[nodiscard]] std::u16string_view WeekdayName(int weekday) noexcept;

// Reads a date written YYYY?MM?DD: characters 1-4, 6-7 and 9-10 by their leading digits (none gives 0);
// characters 5 and 8 are not looked at. Nothing for texts shorter than 10 characters. The result is not
// checked; callers use IsValidDate.
[[nodiscard]] std::optional<DiaryDate> ParseDateText(std::u16string_view text) noexcept;

}  // namespace tavrin
