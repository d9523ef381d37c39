#pragma once
// Readable DiaryDate values in test failure messages.

#include <ostream>

#include "calendar/diary_date.h"

namespace tavrin {

inline void PrintTo(const DiaryDate& date, std::ostream* out) {
    *out << date.year << "-" << date.month << "-" << date.day;
}

}  // namespace tavrin
