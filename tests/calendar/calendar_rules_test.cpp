#include "calendar/calendar_rules.h"

#include <gtest/gtest.h>

#include <chrono>
#include <string>

#include "calendar/date_printer.h"
#include "support/test_support.h"

namespace tavrin {
namespace {

using testing::U;

// Every date the diary can hold, against <chrono>'s civil calendar (proleptic Gregorian, like the
// program's): chrono gives each month's length, the day number and the weekday of its first day; every
// day of it is then checked for its successor, its weekday and a jump of the whole distance from the
// first date (which exercises the day-number conversion at every size of offset). One chrono
// conversion per month keeps the loop fast under the sanitizers.
TEST(CalendarRules, AddDaysAndWeekdayAgreeWithChronoForEveryDate) {
    namespace chrono = std::chrono;
    const DiaryDate origin{1, 1, 1};
    const chrono::sys_days originDay = chrono::year{1} / chrono::January / 1;
    int mismatches = 0;
    const auto check = [&mismatches](bool ok, const DiaryDate& date) {
        if (!ok && ++mismatches <= 5) {
            ADD_FAILURE() << "at " << ::testing::PrintToString(date);
        }
    };
    for (int year = 1; year <= 9999; ++year) {
        for (int month = 1; month <= 12; ++month) {
            const chrono::year_month ym{chrono::year{year}, chrono::month{static_cast<unsigned>(month)}};
            const chrono::sys_days first = ym / chrono::day{1};
            const int last = static_cast<int>(static_cast<unsigned>((ym / chrono::last).day()));
            const int firstWeekday = static_cast<int>(chrono::weekday{first}.c_encoding());
            const int offset = static_cast<int>((first - originDay).count()) - 1;
            for (int day = 1; day <= last; ++day) {
                const DiaryDate date{year, month, day};
                const DiaryDate next = day < last   ? DiaryDate{year, month, day + 1}
                                       : month < 12 ? DiaryDate{year, month + 1, 1}
                                                    : DiaryDate{year + 1, 1, 1};
                check(AddDays(date, 1) == next, date);
                check(AddDays(next, -1) == date, next);
                check(AddDays(origin, offset + day) == date, date);
                check(Weekday(date) == (firstWeekday + day - 1) % 7, date);
            }
            check(IsLeapYear(year) == chrono::year{year}.is_leap(), {year, 0, 0});
            check(DaysInMonth(year, month) == last, {year, month, 0});
        }
    }
    EXPECT_EQ(mismatches, 0);
    EXPECT_EQ(AddDays(9999, 12, 31, -3'652'058), origin);
}

TEST(CalendarRules, AddDaysWorkedExamplesAndEarlyCenturies) {
    EXPECT_EQ(AddDays(2024, 2, 28, 1), (DiaryDate{2024, 2, 29}));
    EXPECT_EQ(AddDays(2023, 12, 31, 1), (DiaryDate{2024, 1, 1}));
    EXPECT_EQ(AddDays(2024, 3, 3, -7), (DiaryDate{2024, 2, 25}));
    EXPECT_EQ(AddDays(1900, 2, 24, 1), (DiaryDate{1900, 2, 25}));
    EXPECT_EQ(AddDays(2100, 2, 28, 1), (DiaryDate{2100, 3, 1}));
    // One calendar for every year: October 1582 has all its days, and the century years that are no
    // Gregorian leap years go from February 28 straight to March 1 (they used to stall there).
    EXPECT_EQ(AddDays(1582, 10, 4, 1), (DiaryDate{1582, 10, 5}));
    EXPECT_EQ(AddDays(1582, 10, 15, -1), (DiaryDate{1582, 10, 14}));
    for (const int year : {100, 200, 300, 500, 900, 1500}) {
        EXPECT_EQ(AddDays(year, 2, 28, 1), (DiaryDate{year, 3, 1})) << year;
        EXPECT_EQ(AddDays(year, 3, 1, -1), (DiaryDate{year, 2, 28})) << year;
    }
    EXPECT_EQ(AddDays(400, 2, 28, 1), (DiaryDate{400, 2, 29}));
    EXPECT_EQ(AddDays(1, 1, 1, 365), (DiaryDate{2, 1, 1}));
    EXPECT_EQ(AddDays(1, 1, 1, -1), (DiaryDate{0, 12, 31}));
    EXPECT_EQ(AddDays(1, 1, 1, -366), (DiaryDate{0, 1, 1})) << "year 0 is a leap year";
    // Months and days outside their ranges carry over.
    EXPECT_EQ(AddDays(2023, 13, 1, 0), (DiaryDate{2024, 1, 1}));
    EXPECT_EQ(AddDays(2024, 0, 31, 0), (DiaryDate{2023, 12, 31}));
    EXPECT_EQ(AddDays(2024, 2, 30, 0), (DiaryDate{2024, 3, 1}));
}

TEST(CalendarRules, MonthLengthsAndValidity) {
    EXPECT_EQ(DaysInMonth(1900, 2), 28);
    EXPECT_EQ(DaysInMonth(2000, 2), 29);
    EXPECT_EQ(DaysInMonth(2023, 2), 28);
    EXPECT_EQ(DaysInMonth(2024, 4), 30);
    EXPECT_EQ(DaysInMonth(2024, 13), 31) << "numbers outside 1 to 12 count as long months";
    EXPECT_TRUE(IsValidDate(2024, 2, 29));
    EXPECT_FALSE(IsValidDate(2023, 2, 29));
    EXPECT_FALSE(IsValidDate(0, 1, 1));
    EXPECT_FALSE(IsValidDate(2024, 0, 1));
    EXPECT_FALSE(IsValidDate(2024, 13, 1));
    EXPECT_FALSE(IsValidDate(2024, 4, 31));
    EXPECT_FALSE(IsValidDate(2024, 4, 0));
    EXPECT_TRUE(IsValidDate(1, 1, 1));
}

TEST(CalendarRules, EquinoxDays) {
    EXPECT_EQ(VernalEquinoxDay(2024), 20);
    EXPECT_EQ(AutumnalEquinoxDay(2024), 22);
    EXPECT_EQ(VernalEquinoxDay(1948), 21);
    EXPECT_EQ(AutumnalEquinoxDay(1948), 23);
    EXPECT_EQ(VernalEquinoxDay(1947), kNoEquinox);
    EXPECT_EQ(AutumnalEquinoxDay(2151), kNoEquinox);
    EXPECT_EQ(VernalEquinoxDay(2150), 21);
    // Every year of the tables lands on a plausible day.
    for (int year = 1948; year <= 2150; ++year) {
        EXPECT_GE(VernalEquinoxDay(year), 19);
        EXPECT_LE(VernalEquinoxDay(year), 22);
        EXPECT_GE(AutumnalEquinoxDay(year), 21);
        EXPECT_LE(AutumnalEquinoxDay(year), 25);
    }
}

std::u16string Holiday(int year, int month, int day) {
    return std::u16string(HolidayName(HolidayOf(year, month, day)));
}

TEST(CalendarRules, HolidaysOfTheEraChangeAndTheOlympicYears) {
    EXPECT_EQ(Holiday(2019, 4, 30), U("国民の休日"));
    EXPECT_EQ(Holiday(2019, 5, 1), U("新天皇即位"));
    EXPECT_EQ(Holiday(2019, 5, 2), U("国民の休日"));
    EXPECT_EQ(Holiday(2019, 5, 6), U("振替休日"));
    EXPECT_EQ(Holiday(2019, 10, 22), U("即位礼正殿の儀"));
    EXPECT_EQ(Holiday(2019, 10, 14), U("体育の日"));
    EXPECT_EQ(Holiday(2020, 7, 23), U("海の日"));
    EXPECT_EQ(Holiday(2020, 7, 24), U("スポーツの日"));
    EXPECT_EQ(Holiday(2020, 7, 20), u"") << "the usual third Monday moved away";
    EXPECT_EQ(Holiday(2020, 8, 10), U("山の日"));
    EXPECT_EQ(Holiday(2020, 8, 11), u"");
    EXPECT_EQ(Holiday(2021, 7, 22), U("海の日"));
    EXPECT_EQ(Holiday(2021, 7, 23), U("スポーツの日"));
    EXPECT_EQ(Holiday(2021, 8, 8), U("山の日"));
    EXPECT_EQ(Holiday(2021, 8, 9), U("振替休日"));
    EXPECT_EQ(Holiday(2022, 10, 10), U("スポーツの日"));
    for (int year : {2020, 2021}) {
        for (int day = 1; day <= 31; ++day) {
            EXPECT_EQ(HolidayOf(year, 10, day), kNoHoliday) << year << "-10-" << day;
        }
    }
}

TEST(CalendarRules, HolidaysThatMovedOrStarted) {
    EXPECT_EQ(Holiday(2018, 12, 23), U("天皇誕生日"));
    EXPECT_EQ(Holiday(2019, 12, 23), u"");
    EXPECT_EQ(Holiday(2019, 2, 23), u"");
    EXPECT_EQ(Holiday(2020, 2, 23), U("天皇誕生日"));
    EXPECT_EQ(Holiday(2020, 2, 24), U("振替休日")) << "2020-02-23 was a Sunday";
    EXPECT_EQ(Holiday(2015, 8, 11), u"");
    EXPECT_EQ(Holiday(2016, 8, 11), U("山の日"));
    EXPECT_EQ(Holiday(1950, 4, 29), U("昭和の日")) << "every year, as the rules say";
    EXPECT_EQ(Holiday(2024, 1, 8), U("成人の日"));
    EXPECT_EQ(Holiday(1990, 1, 8), U("成人の日"));
    EXPECT_EQ(Holiday(2024, 7, 15), U("海の日"));
    EXPECT_EQ(Holiday(2024, 9, 16), U("敬老の日"));
    EXPECT_EQ(Holiday(2026, 9, 21), U("敬老の日"));
    EXPECT_EQ(Holiday(2026, 9, 22), U("国民の休日")) << "the equinox 2026-09-23 is a Wednesday";
    EXPECT_EQ(Holiday(2026, 9, 23), U("秋分の日"));
    EXPECT_EQ(Holiday(2024, 3, 20), U("春分の日"));
    EXPECT_EQ(Holiday(2024, 9, 22), U("秋分の日"));
    EXPECT_EQ(Holiday(2024, 9, 23), U("振替休日"));
    EXPECT_EQ(Holiday(1900, 3, 21), u"") << "no equinox holiday before 1948";
    EXPECT_EQ(Holiday(2023, 1, 2), U("振替休日"));
    EXPECT_EQ(Holiday(2024, 5, 6), U("振替休日")) << "May 3 2024 was a Friday";
    EXPECT_EQ(Holiday(2023, 5, 6), u"") << "May 3 2023 was a Wednesday";
    EXPECT_EQ(Holiday(2024, 11, 4), U("振替休日"));
    EXPECT_EQ(Holiday(2024, 6, 10), u"");
}

// Whole-year counts against the published calendars: 2019 had 22 days off (the enthronement week
// included), 2023 the 16 regular holidays plus the substitute of 2023-01-02.
TEST(CalendarRules, HolidayCountsPerYear) {
    const auto count = [](int year) {
        int n = 0;
        for (DiaryDate d{year, 1, 1}; d.year == year; d = AddDays(d, 1)) {
            n += HolidayOf(d) != kNoHoliday ? 1 : 0;
        }
        return n;
    };
    EXPECT_EQ(count(2019), 22);
    EXPECT_EQ(count(2023), 17);
}

TEST(CalendarRules, ErasBranchesAndNames) {
    EXPECT_EQ(EraOf(2019, 4, 30), (EraYear{4, 31}));
    EXPECT_EQ(EraOf(2019, 5, 1), (EraYear{5, 1}));
    EXPECT_EQ(EraOf(1989, 1, 7), (EraYear{3, 64}));
    EXPECT_EQ(EraOf(1989, 1, 8), (EraYear{4, 1}));
    EXPECT_EQ(EraOf(1868, 9, 7), (EraYear{0, 1868}));
    EXPECT_EQ(EraOf(1868, 9, 8), (EraYear{1, 1}));
    EXPECT_EQ(EraOf(1926, 12, 25), (EraYear{2, 15}));
    EXPECT_EQ(EraName(5), U("令和"));
    EXPECT_EQ(EraName(0), U("明治以前"));
    EXPECT_EQ(EraLetter(3), u'S');
    EXPECT_EQ(EraLetter(0), u'\0');
    EXPECT_EQ(BranchName(BranchOf(2024)), U("辰"));
    EXPECT_EQ(BranchName(BranchOf(2020)), U("子"));
    EXPECT_EQ(BranchOf(4), 0);
    EXPECT_EQ(BranchOf(3), 11) << "non-negative remainder";
    EXPECT_EQ(BranchOf(-8), 0);
    EXPECT_EQ(WeekdayName(Weekday(2024, 3, 10)), U("日"));
    EXPECT_EQ(WeekdayName(7), u"");
}

TEST(CalendarRules, WeekdayOutsideTheUsualRangeStaysInRange) {
    EXPECT_EQ(Weekday(1, 1, 1), 1) << "0001-01-01 is a Monday in the proleptic Gregorian calendar";
    for (const int year : {0, -1, -400, 1000000}) {
        for (int month = 1; month <= 12; ++month) {
            const int weekday = Weekday(year, month, 1);
            EXPECT_GE(weekday, 0);
            EXPECT_LE(weekday, 6);
        }
    }
}

TEST(CalendarRules, ParseDateText) {
    EXPECT_EQ(ParseDateText(u"2024/03/10"), (DiaryDate{2024, 3, 10}));
    EXPECT_EQ(ParseDateText(U("2024年3月01日")), (DiaryDate{2024, 3, 1})) << "separators are not looked at";
    EXPECT_EQ(ParseDateText(u"2024-3-1-xx"), (DiaryDate{2024, 3, 0})) << "fixed character positions";
    EXPECT_EQ(ParseDateText(u"2024.12.31 and more"), (DiaryDate{2024, 12, 31}));
    EXPECT_EQ(ParseDateText(u"ab24/xx/1z"), (DiaryDate{0, 0, 1}));
    EXPECT_EQ(ParseDateText(u"2024/3/10"), std::nullopt) << "shorter than ten characters";
    EXPECT_EQ(ParseDateText(u""), std::nullopt);
}

}  // namespace
}  // namespace tavrin
