#pragma once
// Small UTF-16 text helpers shared by the core: number formatting in the manner of the C library's
// "%d", "%02d" and "%04X", hexadecimal digits and the C library's string-to-int reading, and
// conversions for literals and diagnostics.

#include <cstdint>
#include <string>
#include <string_view>

namespace tavrin {

// Appends value in decimal, zero-padded to at least minDigits digits (the sign does not count), as
// "%0Nd" would.
void AppendDecimal(std::u16string& out, long long value, int minDigits = 0);
// Appends value in upper-case hexadecimal, zero-padded to at least minDigits digits, as "%0NX" would.
void AppendHex(std::u16string& out, std::uint32_t value, int minDigits = 0);

[[nodiscard]] std::u16string Decimal(long long value, int minDigits = 0);
[[nodiscard]] std::u16string Hex(std::uint32_t value, int minDigits = 0);

// The value of a hexadecimal digit, either case, or -1 for any other character (full-width digits
// included).
[[nodiscard]] int HexDigitValue(char16_t c) noexcept;

// Reads a decimal integer like the C library's string-to-int: leading white space, an optional sign,
// then digits up to the first other character; no digits gives 0. Values beyond the int range saturate.
[[nodiscard]] int ParseCInt(std::u16string_view text) noexcept;

// CR LF and lone CR become LF: the editor's form of a text that may come from a file, the clipboard or
// another program.
[[nodiscard]] std::u16string LineBreaksToLf(std::u16string_view text);

// UTF-8 to UTF-16 and back. Invalid sequences become U+FFFD; lone surrogates are written as U+FFFD.
[[nodiscard]] std::u16string FromUtf8(std::string_view text);
[[nodiscard]] std::string ToUtf8(std::u16string_view text);

}  // namespace tavrin
