#pragma once

#include <cstdint>
#include <string>

namespace tavrin {

// A failure the user is told about: the number of a message of the ErrorMessageTable, an optional
// detail shown under it (usually a path) and the operating system's error code (0 when none), which
// goes into the "(ErrerID:%d)" caption.
struct UserError {
    int number = 0;
    std::u16string detail;
    std::uint32_t systemError = 0;

    friend bool operator==(const UserError&, const UserError&) = default;
};

// Where core operations that run "with reporting" send their failures; the shell shows a message box,
// tests record them.
class ErrorSink {
public:
    virtual ~ErrorSink() = default;
    virtual void Report(const UserError& error) = 0;
};

}  // namespace tavrin
