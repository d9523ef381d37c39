#pragma once

#include <memory>

namespace tavrin {

// A local date and time as the system clock gives it. weekday: 0 = Sunday to 6 = Saturday.
struct LocalDateTime {
    int year = 0;
    int month = 0;
    int day = 0;
    int hour = 0;
    int minute = 0;
    int second = 0;
    int weekday = 0;

    friend bool operator==(const LocalDateTime&, const LocalDateTime&) = default;
};

// The source of "now" for the core; tests use a fixed clock.
class Clock {
public:
    virtual ~Clock() = default;
    [[nodiscard]] virtual LocalDateTime Now() const = 0;
};

// The local time of the operating system.
[[nodiscard]] std::unique_ptr<Clock> CreateSystemClock();

}  // namespace tavrin
