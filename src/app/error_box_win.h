#pragma once
// The one way the program shows a numbered error to the user: a modal message box.

#include <windows.h>

#include <string_view>

#include "app/user_error.h"

namespace tavrin {

// Shows the message of number with the detail below it. The system's last error code is read first,
// before anything can change it, and goes into the caption when it is not 0.
void ShowErrorMessage(HWND owner, int number, std::u16string_view detail = {});

// Shows an error a core operation reported, with the system error code it carried.
void ShowUserError(HWND owner, const UserError& error);

// Sends core failures to message boxes owned by a window.
class MessageBoxErrorSink final : public ErrorSink {
public:
    explicit MessageBoxErrorSink(HWND owner) : owner_(owner) {}
    void Report(const UserError& error) override { ShowUserError(owner_, error); }

private:
    HWND owner_;
};

}  // namespace tavrin
