#include <windows.h>

#include "platform/clock.h"

namespace tavrin {
namespace {

class Win32Clock final : public Clock {
public:
    LocalDateTime Now() const override {
        SYSTEMTIME local{};
        GetLocalTime(&local);
        return {local.wYear,   local.wMonth,  local.wDay,      local.wHour,
                local.wMinute, local.wSecond, local.wDayOfWeek};
    }
};

}  // namespace

std::unique_ptr<Clock> CreateSystemClock() { return std::make_unique<Win32Clock>(); }

}  // namespace tavrin
