#include "calendar/calendar_rules.h"

#include <array>

namespace tavrin {
namespace {

constexpr std::array<std::u16string_view, kHolidayCodeCount> kHolidayNames{
    u"",           u"元日",       u"成人の日",       u"建国記念の日", u"春分の日",   u"昭和の日",
    u"憲法記念日", u"みどりの日", u"こどもの日",     u"海の日",       u"山の日",     u"敬老の日",
    u"秋分の日",   u"体育の日",   u"文化の日",       u"勤労感謝の日", u"天皇誕生日", u"振替休日",
    u"国民の休日", u"新天皇即位", u"即位礼正殿の儀", u"スポーツの日",
};

struct EraStart {
    std::int32_t key;  // year * 10000 + month * 100 + day of the era's first day
    int offset;        // era year = Gregorian year - offset
    std::u16string_view name;
    char16_t letter;
};

constexpr std::array<EraStart, kEraCount> kEras{{
    {0, 0, u"明治以前", 0},
    {18680908, 1867, u"明治", u'M'},
    {19120730, 1911, u"大正", u'T'},
    {19261226, 1925, u"昭和", u'S'},
    {19890108, 1988, u"平成", u'H'},
    {20190501, 2018, u"令和", u'R'},
}};

constexpr std::array<std::u16string_view, 12> kBranchNames{u"子", u"丑", u"寅", u"卯", u"辰", u"巳",
                                                           u"午", u"未", u"申", u"酉", u"戌", u"亥"};

constexpr std::array<std::u16string_view, 7> kWeekdayNames{u"日", u"月", u"火", u"水", u"木", u"金", u"土"};

// Days are counted in the proleptic Gregorian calendar for every year, the calendar that leap years,
// date validity and weekdays follow too: counting the years before 1582 in the Julian calendar made
// day steps stall on the Julian-only leap days (Feb 29 of 100, 200, 300, 500 ...) that no valid date
// has, and skip the ten days of October 1582 that the calendar shows.
// The day number is the count of days since 1970-01-01 (era arithmetic over 400-year cycles of
// 146097 days, exact for negative years as well); month numbers outside 1 to 12 and days outside the
// month carry over linearly.
std::int64_t ToDayNumber(std::int64_t year, std::int64_t month, std::int64_t day) noexcept {
    year += (month - 1 >= 0 ? (month - 1) / 12 : (month - 12) / 12);
    month = ((month - 1) % 12 + 12) % 12 + 1;
    year -= month <= 2 ? 1 : 0;
    const std::int64_t era = (year >= 0 ? year : year - 399) / 400;
    const std::int64_t yearOfEra = year - era * 400;
    const std::int64_t dayOfYear = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
    const std::int64_t dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    return era * 146097 + dayOfEra - 719468;
}

DiaryDate FromDayNumber(std::int64_t days) noexcept {
    days += 719468;
    const std::int64_t era = (days >= 0 ? days : days - 146096) / 146097;
    const std::int64_t dayOfEra = days - era * 146097;
    const std::int64_t yearOfEra = (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
    const std::int64_t dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    const std::int64_t shifted = (5 * dayOfYear + 2) / 153;  // months counted from March
    const std::int64_t day = dayOfYear - (153 * shifted + 2) / 5 + 1;
    const std::int64_t month = shifted < 10 ? shifted + 3 : shifted - 9;
    const std::int64_t year = yearOfEra + era * 400 + (month <= 2 ? 1 : 0);
    return {static_cast<std::int32_t>(year), static_cast<std::int32_t>(month),
            static_cast<std::int32_t>(day)};
}

int EquinoxDay(int year, double base1948, double base1980, double base2100) noexcept {
    const double x = 0.242194 * (year - 1980);
    if (year >= 1948 && year <= 1979) {
        return static_cast<int>(base1948 + x - (year - 1983) / 4);
    }
    if (year >= 1980 && year <= 2099) {
        return static_cast<int>(base1980 + x - (year - 1980) / 4);
    }
    if (year >= 2100 && year <= 2150) {
        return static_cast<int>(base2100 + x - (year - 1980) / 4);
    }
    return kNoEquinox;
}

bool IsSunday(int year, int month, int day) noexcept { return Weekday(year, month, day) == kSunday; }

// The Monday among days first to first + 6 of the month ("the second Monday" and the like).
bool IsMondayBetween(int year, int month, int day, int first) noexcept {
    return day >= first && day <= first + 6 && Weekday(year, month, day) == kMonday;
}

int JanuaryHoliday(int year, int day) noexcept {
    if (day == 1) {
        return kNewYearsDay;
    }
    if (day == 2 && IsSunday(year, 1, 1)) {
        return kSubstituteHoliday;
    }
    return IsMondayBetween(year, 1, day, 8) ? kComingOfAgeDay : kNoHoliday;
}

int FebruaryHoliday(int year, int day) noexcept {
    if (day == 11) {
        return kFoundationDay;
    }
    if (day == 12 && IsSunday(year, 2, 11)) {
        return kSubstituteHoliday;
    }
    if (year >= 2020) {
        if (day == 23) {
            return kEmperorsBirthday;
        }
        if (day == 24 && IsSunday(year, 2, 23)) {
            return kSubstituteHoliday;
        }
    }
    return kNoHoliday;
}

int MarchHoliday(int year, int day) noexcept {
    if (day < 19 || day > 22) {
        return kNoHoliday;
    }
    const int equinox = VernalEquinoxDay(year);
    if (day == equinox) {
        return kVernalEquinoxHoliday;
    }
    if (day == equinox + 1 && IsSunday(year, 3, equinox)) {
        return kSubstituteHoliday;
    }
    return kNoHoliday;
}

int AprilHoliday(int year, int day) noexcept {
    if (day == 29) {
        return kShowaDay;
    }
    if (day == 30 && IsSunday(year, 4, 29)) {
        return kSubstituteHoliday;
    }
    return year == 2019 && day == 30 ? kNationalHoliday : kNoHoliday;
}

int MayHoliday(int year, int day) noexcept {
    switch (day) {
        case 3:
            return kConstitutionDay;
        case 4:
            return kGreeneryDay;
        case 5:
            return kChildrensDay;
        case 6: {
            // May 3 on a Friday, Saturday or Sunday puts one of the three holidays on a Sunday.
            const int weekday = Weekday(year, 5, 3);
            return weekday == kSunday || weekday == kFriday || weekday == kSaturday ? kSubstituteHoliday
                                                                                    : kNoHoliday;
        }
        default:
            break;
    }
    if (year == 2019) {
        if (day == 1) {
            return kEnthronementDay;
        }
        if (day == 2) {
            return kNationalHoliday;
        }
    }
    return kNoHoliday;
}

int JulyHoliday(int year, int day) noexcept {
    if (year == 2020) {
        return day == 23 ? kMarineDay : day == 24 ? kSportsDay : kNoHoliday;
    }
    if (year == 2021) {
        return day == 22 ? kMarineDay : day == 23 ? kSportsDay : kNoHoliday;
    }
    return IsMondayBetween(year, 7, day, 15) ? kMarineDay : kNoHoliday;
}

int AugustHoliday(int year, int day) noexcept {
    if (year < 2016) {
        return kNoHoliday;
    }
    if (year == 2020) {
        return day == 10 ? kMountainDay : kNoHoliday;
    }
    if (year == 2021) {
        return day == 8 ? kMountainDay : day == 9 ? kSubstituteHoliday : kNoHoliday;
    }
    if (day == 11) {
        return kMountainDay;
    }
    return day == 12 && IsSunday(year, 8, 11) ? kSubstituteHoliday : kNoHoliday;
}

int SeptemberHoliday(int year, int day) noexcept {
    if (IsMondayBetween(year, 9, day, 15)) {
        return kRespectForTheAgedDay;
    }
    if (day < 21 || day > 25) {
        return kNoHoliday;
    }
    const int equinox = AutumnalEquinoxDay(year);
    if (day == equinox) {
        return kAutumnalEquinoxHoliday;
    }
    if (equinox == kNoEquinox) {
        return kNoHoliday;
    }
    const int weekday = Weekday(year, 9, equinox);
    if (day == equinox + 1 && weekday == kSunday) {
        return kSubstituteHoliday;
    }
    return day == equinox - 1 && weekday == kWednesday ? kNationalHoliday : kNoHoliday;
}

int OctoberHoliday(int year, int day) noexcept {
    if (year == 2020 || year == 2021) {
        return kNoHoliday;
    }
    if (IsMondayBetween(year, 10, day, 8)) {
        if (year < 2020) {
            return kHealthSportsDay;
        }
        if (year >= 2022) {
            return kSportsDay;
        }
    }
    return year == 2019 && day == 22 ? kEnthronementCeremony : kNoHoliday;
}

int NovemberHoliday(int year, int day) noexcept {
    if (day == 3) {
        return kCultureDay;
    }
    if (day == 4 && IsSunday(year, 11, 3)) {
        return kSubstituteHoliday;
    }
    if (day == 23) {
        return kLaborThanksgivingDay;
    }
    return day == 24 && IsSunday(year, 11, 23) ? kSubstituteHoliday : kNoHoliday;
}

int DecemberHoliday(int year, int day) noexcept {
    if (year > 2018) {
        return kNoHoliday;
    }
    if (day == 23) {
        return kEmperorsBirthday;
    }
    return day == 24 && IsSunday(year, 12, 23) ? kSubstituteHoliday : kNoHoliday;
}

// The value of the leading ASCII digits of a field; 0 when it starts with anything else.
std::int32_t LeadingDigits(std::u16string_view field) noexcept {
    std::int32_t value = 0;
    for (const char16_t c : field) {
        if (c < u'0' || c > u'9') {
            break;
        }
        value = value * 10 + (c - u'0');
    }
    return value;
}

}  // namespace

bool IsLeapYear(int year) noexcept { return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0; }

int DaysInMonth(int year, int month) noexcept {
    switch (month) {
        case 2:
            return IsLeapYear(year) ? 29 : 28;
        case 4:
        case 6:
        case 9:
        case 11:
            return 30;
        default:
            return 31;
    }
}

bool IsValidDate(int year, int month, int day) noexcept {
    return year >= 1 && month >= 1 && month <= 12 && day >= 1 && day <= DaysInMonth(year, month);
}

bool IsValidDate(const DiaryDate& date) noexcept { return IsValidDate(date.year, date.month, date.day); }

int Weekday(int year, int month, int day) noexcept {
    std::int64_t y = year;
    std::int64_t m = month;
    if (m < 3) {
        y -= 1;
        m += 12;
    }
    // trunc(2.6 * m + 1.6) == trunc((26 * m + 16) / 10)
    const std::int64_t w = (26 * m + 16) / 10 + y / 400 - y / 100 + y + y / 4 + day;
    const std::int64_t weekday = w % 7;
    return weekday < 0 ? 0 : static_cast<int>(weekday);
}

int Weekday(const DiaryDate& date) noexcept { return Weekday(date.year, date.month, date.day); }

DiaryDate AddDays(int year, int month, int day, int n) noexcept {
    return FromDayNumber(ToDayNumber(year, month, day) + n);
}

DiaryDate AddDays(const DiaryDate& date, int n) noexcept {
    return AddDays(date.year, date.month, date.day, n);
}

int VernalEquinoxDay(int year) noexcept { return EquinoxDay(year, 20.8357, 20.8431, 21.851); }

int AutumnalEquinoxDay(int year) noexcept { return EquinoxDay(year, 23.2588, 23.2488, 24.2488); }

int HolidayOf(int year, int month, int day) noexcept {
    switch (month) {
        case 1:
            return JanuaryHoliday(year, day);
        case 2:
            return FebruaryHoliday(year, day);
        case 3:
            return MarchHoliday(year, day);
        case 4:
            return AprilHoliday(year, day);
        case 5:
            return MayHoliday(year, day);
        case 7:
            return JulyHoliday(year, day);
        case 8:
            return AugustHoliday(year, day);
        case 9:
            return SeptemberHoliday(year, day);
        case 10:
            return OctoberHoliday(year, day);
        case 11:
            return NovemberHoliday(year, day);
        case 12:
            return DecemberHoliday(year, day);
        default:
            return kNoHoliday;
    }
}

int HolidayOf(const DiaryDate& date) noexcept { return HolidayOf(date.year, date.month, date.day); }

std::u16string_view HolidayName(int code) noexcept {
    return code >= 0 && code < kHolidayCodeCount ? kHolidayNames[static_cast<std::size_t>(code)] : u"";
}

EraYear EraOf(int year, int month, int day) noexcept {
    const std::int64_t key = std::int64_t{year} * 10000 + std::int64_t{month} * 100 + day;
    for (int era = kEraCount - 1; era >= 1; --era) {
        const EraStart& start = kEras[static_cast<std::size_t>(era)];
        if (key >= start.key) {
            return {era, year - start.offset};
        }
    }
    return {0, year};
}

EraYear EraOf(const DiaryDate& date) noexcept { return EraOf(date.year, date.month, date.day); }

std::u16string_view EraName(int era) noexcept {
    return era >= 0 && era < kEraCount ? kEras[static_cast<std::size_t>(era)].name : u"";
}

char16_t EraLetter(int era) noexcept {
    return era >= 0 && era < kEraCount ? kEras[static_cast<std::size_t>(era)].letter : u'\0';
}

int BranchOf(int year) noexcept {
    const int remainder = static_cast<int>((std::int64_t{year} - 4) % 12);
    return remainder < 0 ? remainder + 12 : remainder;
}

std::u16string_view BranchName(int branch) noexcept {
    return branch >= 0 && branch < 12 ? kBranchNames[static_cast<std::size_t>(branch)] : u"";
}

std::u16string_view WeekdayName(int weekday) noexcept {
    return weekday >= 0 && weekday < 7 ? kWeekdayNames[static_cast<std::size_t>(weekday)] : u"";
}

std::optional<DiaryDate> ParseDateText(std::u16string_view text) noexcept {
    if (text.size() < 10) {
        return std::nullopt;
    }
    return DiaryDate{LeadingDigits(text.substr(0, 4)), LeadingDigits(text.substr(5, 2)),
                     LeadingDigits(text.substr(8, 2))};
}

}  // namespace tavrin
