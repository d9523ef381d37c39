#pragma once
// The value codecs of the settings file, shared with the template and settings-dialog code: hex keys,
// colours, comma fields, escaped text, "Item" lines and the weekday labels of WeekFormat.

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "templates/template_list.h"

namespace tavrin {

// A Windows COLORREF: red in the low byte, then green, then blue.
using ColorRef = std::uint32_t;

[[nodiscard]] constexpr ColorRef MakeColorRef(unsigned red, unsigned green, unsigned blue) noexcept {
    return (red & 0xFFu) | ((green & 0xFFu) << 8) | ((blue & 0xFFu) << 16);
}

// Reads a hex number from the end of text toward its start, skipping every character that is not a
// hex digit and taking at most seven digits (the last one least significant). Text without digits
// gives 0. Hand-edited values such as "#ff8000" or "Ctrl 0x0144" therefore still read.
[[nodiscard]] std::uint32_t DecodeHexKey(std::u16string_view text) noexcept;

// A colour stored as RRGGBB: the hex scan of DecodeHexKey, then red, green and blue from the number.
[[nodiscard]] ColorRef DecodeColour(std::u16string_view text) noexcept;
// Appends the six upper-case hex digits RRGGBB.
void AppendColour(std::u16string& out, ColorRef colour);

// One field of a comma-separated value. A backslash escapes a following "," or backslash; the pair
// stays in the field (decoded later). A backslash that ends the text is dropped and ends the text.
struct CommaField {
    std::size_t start = 0;
    std::size_t length = 0;  // in characters, escapes included
    std::size_t next = 0;    // where the following field starts
    bool hasNext = false;    // an unescaped comma ended this field
};

// The field that starts at start (at most text.size()).
[[nodiscard]] CommaField SplitCommaField(std::u16string_view text, std::size_t start) noexcept;

// Which kind of escaped text: the body of an item keeps CR LF line breaks, its name single LFs.
enum class EscapedKind { kBody, kName };

// Writes TAB as "\t", every line break (CR LF, lone CR, lone LF) as "\n", a backslash as "\\" and,
// when escapeCommas is set, a comma as "\,". The text ends at a NUL, which never reaches the file.
void AppendEscaped(std::u16string& out, std::u16string_view text, bool escapeCommas);
// Reverses AppendEscaped: "\n" becomes CR LF for a body and LF for a name; a backslash before any
// other character is kept with it. Decoding stops at a NUL or CR.
[[nodiscard]] std::u16string DecodeEscaped(std::u16string_view text, EscapedKind kind);

// The value of an "Item" line (the text after "Item="): name "," body "," key as %04X.
void AppendItemValue(std::u16string& out, const TemplateItem& item);
// Decodes an "Item" value; never fails. Only the first three fields count. A name that decodes to
// more than TemplateItem::kTemplateNameMax characters is dropped (the item gets an empty name); a
// value without commas is all name, with no body and no key.
[[nodiscard]] TemplateItem DecodeItemValue(std::u16string_view value);

// Splits WeekFormat at every ",": the first seven pieces are the labels, Sunday first; missing ones
// are empty. A piece of kWeekLabelLimit characters or more ends the split, leaving it and all later
// labels empty.
inline constexpr std::size_t kWeekLabelLimit = 63;
using WeekLabels = std::array<std::u16string, 7>;
[[nodiscard]] WeekLabels SplitWeekLabels(std::u16string_view weekFormat);

// Cuts text to at most maxLength code units, one fewer when the cut would split a surrogate pair.
[[nodiscard]] std::u16string_view CutToLength(std::u16string_view text, std::size_t maxLength) noexcept;

}  // namespace tavrin
