#pragma once

#include <compare>
#include <cstdint>

namespace tavrin {

// A calendar date without time of day: year, month and day as plain signed integers. A value need not
// be a valid date (navigation computes candidates such as year 0 or day 31 of April and then checks
// them with IsValidDate); the comparison orders by year, then month, then day.
struct DiaryDate {
    std::int32_t year = 0;
    std::int32_t month = 0;
    std::int32_t day = 0;

    friend bool operator==(const DiaryDate&, const DiaryDate&) = default;
    friend auto operator<=>(const DiaryDate&, const DiaryDate&) = default;
};

}  // namespace tavrin
