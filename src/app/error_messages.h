#pragma once
// The numbered error messages the user sees, and the caption, text and icon of the box that shows one.
// The shell only displays what ComposeErrorBox decides.

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "app/user_error.h"

namespace tavrin {

// One row of the ErrorMessageTable.
struct ErrorMessage {
    int number = 0;
    std::u16string_view text;
};

// Every numbered message, in number order.
[[nodiscard]] std::span<const ErrorMessage> ErrorMessageTable() noexcept;

// The message of a number; empty for a number the table does not have.
[[nodiscard]] std::u16string_view ErrorMessageText(int number) noexcept;

inline constexpr std::size_t kErrorCaptionMax = 63;
inline constexpr std::size_t kErrorTextMax = 1023;

// "Tavrin", or "Tavrin (ErrerID:%d)" with the system's last error code when it is not 0 (printed as a
// signed number, as the box always has). At most kErrorCaptionMax characters.
[[nodiscard]] std::u16string ComposeErrorCaption(std::uint32_t systemError);

// The message of the number, then "\r\n\r\n" and the detail when there is one; cut to
// kErrorTextMax characters without splitting a surrogate pair.
[[nodiscard]] std::u16string ComposeErrorText(int number, std::u16string_view detail);

enum class ErrorIcon { kError, kWarning };

// The error icon for 600 (an internal failure), the warning icon for everything else.
[[nodiscard]] ErrorIcon ErrorIconOf(int number) noexcept;

// Everything the shell needs to show one error box (its only button is OK).
struct ErrorBox {
    std::u16string caption;
    std::u16string text;
    ErrorIcon icon = ErrorIcon::kWarning;
    friend bool operator==(const ErrorBox&, const ErrorBox&) = default;
};

[[nodiscard]] ErrorBox ComposeErrorBox(const UserError& error);

}  // namespace tavrin
