#pragma once
// $-code expansion of template texts (bodies and menu names).

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "templates/template_context.h"

namespace tavrin {

// The selection to set after inserting an expansion, as editor offsets (one character per line
// break). The anchor may lie after the caret.
struct TemplateSelection {
    int anchor = 0;
    int caret = 0;
    friend bool operator==(const TemplateSelection&, const TemplateSelection&) = default;
};

// An expanded template: the text to insert and, when the template has position markers, where the
// selection goes afterwards.
struct TemplateExpansion {
    std::u16string text;
    std::optional<TemplateSelection> selection;
    int base = 0;  // the offset the selection counts from: where the text was expected to go
};

// Expansions larger than this many code units are refused like a failed allocation: the editor's
// offsets are 32-bit, and nothing useful is that large.
inline constexpr std::int64_t kMaxTemplateExpansion = std::int64_t{1} << 27;

// Expands text up to its first NUL. Every "$" followed by a code character of the table is replaced
// by its expansion, "$" followed by anything else stays as it is, and a final lone "$" stays a "$".
// The clock is read once; the era values, the editor's selection ("$@", which may select the word at
// the caret) and the clipboard ("$_") are fetched only when a code of their kind occurs. Nothing when
// the output cannot be allocated. Marker positions are counted as the editor will hold the text, CR LF
// being one character.
[[nodiscard]] std::optional<TemplateExpansion> ExpandTemplate(std::u16string_view text,
                                                              TemplateContext& context);

}  // namespace tavrin
