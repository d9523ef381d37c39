#pragma once
// The $-codes of template texts: the constant table that the expander and the special-symbol list of
// the template settings page share.

#include <array>
#include <string_view>

namespace tavrin {

// What the expander must fetch before it writes anything when a code of the kind occurs.
enum class TemplateCodeKind {
    kPlain,      // nothing beyond the clock and the application's values
    kEra,        // the era and era year of today, and the year's earthly branch
    kSelection,  // the editor's selection, or the word at the caret
    kClipboard,  // the clipboard's Unicode text
};

// One row of the table. width is what the expander reserves for one occurrence when it sizes the
// output; the written total never exceeds the sum of the reservations.
struct TemplateCode {
    char16_t code = 0;  // the character after "$"
    std::u16string_view description;
    int width = 0;
    TemplateCodeKind kind = TemplateCodeKind::kPlain;
};

inline constexpr std::size_t kTemplateCodeCount = 49;

// The 49 codes, in the order of the special-symbol list.
[[nodiscard]] const std::array<TemplateCode, kTemplateCodeCount>& TemplateCodeTable() noexcept;

// The row of a code character ("$" + code), or nullptr when it is not a code.
[[nodiscard]] const TemplateCode* FindTemplateCode(char16_t code) noexcept;

}  // namespace tavrin
