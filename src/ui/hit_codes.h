#pragma once
// The codes the main frame's hit test gives for the items under the mouse. The frame keeps the last
// code to know when the hovered item changes; codes 2000 to 2041 have a hover flag each.
//
//   1 to 31        a day of the side calendar (the shown month)
//   401 to 412     the title row of a month of the year calendar
//   2009, 2010     search box, search button
//   2012 to 2021   toolbar buttons
//   2022 to 2030   header and title click areas of the calendars (below)
//   2040, 2041     sidebar splitter strip, calendar splitter
//   3101 to 4231   a day of the year calendar: 3000 + month x 100 + day

namespace tavrin {

inline constexpr int kHitNothing = 0;
inline constexpr int kHitFirstMonthTitle = 401;  // + month - 1
inline constexpr int kHitSearchBox = 2009;
inline constexpr int kHitSearchButton = 2010;
inline constexpr int kHitModeEdit = 2012;
inline constexpr int kHitModeCalendar = 2013;
inline constexpr int kHitOldest = 2014;
inline constexpr int kHitPrevious = 2015;
inline constexpr int kHitToday = 2016;
inline constexpr int kHitNext = 2017;
inline constexpr int kHitNewest = 2018;
inline constexpr int kHitDiaryFolder = 2019;
inline constexpr int kHitSettings = 2020;
inline constexpr int kHitExit = 2021;
// The side calendar's header: year and month name (year menu), month number (month menu), "今日" and
// today's date (Today).
inline constexpr int kHitHeaderYear = 2022;
inline constexpr int kHitHeaderMonth = 2023;
inline constexpr int kHitHeaderToday = 2024;
// The title line's year, month and day (year, month and day menus).
inline constexpr int kHitTitleYear = 2025;
inline constexpr int kHitTitleMonth = 2026;
inline constexpr int kHitTitleDay = 2027;
// The year calendar's header: the year, the era line (both the year menu) and today's date (Today).
inline constexpr int kHitYearViewYear = 2028;
inline constexpr int kHitYearViewEra = 2029;
inline constexpr int kHitYearViewToday = 2030;
inline constexpr int kHitSideSplitter = 2040;
inline constexpr int kHitCalendarSplitter = 2041;

inline constexpr int kHoverFirst = 2000;
inline constexpr int kHoverLast = 2041;

[[nodiscard]] constexpr bool IsSideDayHit(int code) noexcept {
    return code >= 1 && code <= 31;
}
[[nodiscard]] constexpr bool IsMonthTitleHit(int code) noexcept {
    return code >= kHitFirstMonthTitle && code < kHitFirstMonthTitle + 12;
}
[[nodiscard]] constexpr int MonthOfTitleHit(int code) noexcept {
    return code - kHitFirstMonthTitle + 1;
}
[[nodiscard]] constexpr bool IsToolbarHit(int code) noexcept {
    return code >= kHitModeEdit && code <= kHitExit;
}
[[nodiscard]] constexpr bool HasHoverFlag(int code) noexcept {
    return code >= kHoverFirst && code <= kHoverLast;
}

inline constexpr int kHitYearDayBase = 3000;
[[nodiscard]] constexpr int YearDayHit(int month, int day) noexcept {
    return kHitYearDayBase + month * 100 + day;
}
[[nodiscard]] constexpr bool IsYearDayHit(int code) noexcept {
    const int month = (code - kHitYearDayBase) / 100;
    const int day = (code - kHitYearDayBase) % 100;
    return code > kHitYearDayBase && month >= 1 && month <= 12 && day >= 1 && day <= 31;
}
[[nodiscard]] constexpr int MonthOfYearDayHit(int code) noexcept {
    return (code - kHitYearDayBase) / 100;
}
[[nodiscard]] constexpr int DayOfYearDayHit(int code) noexcept {
    return (code - kHitYearDayBase) % 100;
}

}  // namespace tavrin
