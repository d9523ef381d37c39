#include <gtest/gtest.h>

#include <climits>
#include <cstdio>
#include <cstdlib>
#include <random>

#include "platform/text.h"
#include "platform/utf16_file.h"
#include "support/test_support.h"

namespace tavrin {
namespace {

using testing::U;

std::u16string Ascii(const char* text) {
    return std::u16string(text, text + std::char_traits<char>::length(text));
}

TEST(TextFormat, MatchesPrintfForRandomValues) {
    std::mt19937 random(7);
    std::uniform_int_distribution<int> anyInt(INT_MIN, INT_MAX);
    char expected[64];
    for (int round = 0; round < 2000; ++round) {
        const int value = round < 3 ? (round == 0 ? 0 : (round == 1 ? INT_MIN : INT_MAX)) : anyInt(random);
        const int width = round % 6;
        std::snprintf(expected, sizeof expected, "%0*d", width, value);
        EXPECT_EQ(Decimal(value, width), Ascii(expected)) << value << " width " << width;
        const auto unsignedValue = static_cast<unsigned>(value);
        std::snprintf(expected, sizeof expected, "%0*X", width, unsignedValue);
        EXPECT_EQ(Hex(unsignedValue, width), Ascii(expected));
    }
}

TEST(TextFormat, ParseCIntReadsLikeTheCLibrary) {
    const char* samples[] = {"42",         "  -17x", "+8",     "",           "abc",
                             "\t\n 12 34", "-",      "0080C0", "2147483647", "-2147483648"};
    for (const char* sample : samples) {
        EXPECT_EQ(ParseCInt(Ascii(sample)), static_cast<int>(std::strtol(sample, nullptr, 10))) << sample;
    }
    EXPECT_EQ(ParseCInt(u"99999999999999999999"), INT_MAX);
    EXPECT_EQ(ParseCInt(u"-99999999999999999999"), INT_MIN);
    EXPECT_EQ(ParseCInt(u"１２"), 0) << "full-width digits are not digits";
}

TEST(TextFormat, HexDigitValueReadsBothCasesAndNothingElse) {
    constexpr std::u16string_view kLower = u"0123456789abcdef";
    constexpr std::u16string_view kUpper = u"0123456789ABCDEF";
    for (char32_t code = 0; code <= 0xFFFF; ++code) {
        const auto unit = static_cast<char16_t>(code);
        const std::size_t lower = kLower.find(unit);
        const std::size_t found = lower != std::u16string_view::npos ? lower : kUpper.find(unit);
        const int expected = found != std::u16string_view::npos ? static_cast<int>(found) : -1;
        ASSERT_EQ(HexDigitValue(unit), expected) << "U+" << ToUtf8(Hex(unit, 4));
    }
}

TEST(TextFormat, Utf8RoundTripsEveryScalarKind) {
    const std::u16string text = U("日記 abc ＭＳ Ｐゴシック 𠮷");
    EXPECT_EQ(text.size(), 18u) << "𠮷 is a surrogate pair";
    EXPECT_EQ(FromUtf8(ToUtf8(text)), text);
    EXPECT_EQ(ToUtf8(std::u16string(1, u'\xD800')), "\xEF\xBF\xBD") << "a lone surrogate becomes U+FFFD";
    EXPECT_EQ(FromUtf8("a\xE6\x97"), U("a\xEF\xBF\xBD")) << "a truncated sequence becomes U+FFFD";
}

TEST(TextFormat, LineBreaksToLfTurnsEveryKindOfBreakIntoOne) {
    EXPECT_EQ(LineBreaksToLf(u"a\r\nb\rc\nd"), u"a\nb\nc\nd");
    EXPECT_EQ(LineBreaksToLf(u"\r\r\n\n\r"), u"\n\n\n\n") << "CR then CR LF is two breaks";
    EXPECT_EQ(LineBreaksToLf(u"\n\r"), u"\n\n") << "LF CR is two breaks, not one";
    EXPECT_EQ(LineBreaksToLf(u""), u"");
    EXPECT_EQ(LineBreaksToLf(u"x\r"), u"x\n");
}

TEST(Utf16File, DecodesWithAndWithoutByteOrderMarkAndKeepsEverything) {
    auto bytes = [](std::initializer_list<int> values) {
        std::vector<std::byte> out;
        for (int v : values) {
            out.push_back(static_cast<std::byte>(v));
        }
        return out;
    };
    EXPECT_EQ(DecodeUtf16File(bytes({0xFF, 0xFE, 0x41, 0x00, 0xE5, 0x65})), U("A日"));
    EXPECT_EQ(DecodeUtf16File(bytes({0x41, 0x00, 0x42, 0x00})), u"AB") << "no mark: UTF-16LE from byte 0";
    EXPECT_EQ(DecodeUtf16File(bytes({0xFF, 0xFE, 0x41, 0x00, 0x42})), u"A") << "odd last byte dropped";
    EXPECT_EQ(DecodeUtf16File(bytes({0x41, 0x00, 0x00, 0x00, 0x42, 0x00})), std::u16string(u"A\0B", 3))
        << "text after a NUL stays reachable";
    EXPECT_EQ(DecodeUtf16File(bytes({0xFE, 0xFF, 0x00, 0x41})), std::u16string(u"\xFFFE\x4100", 2))
        << "big-endian is not recognised";
    EXPECT_EQ(DecodeUtf16File(bytes({0xFF})), u"");
    const std::u16string sample = U("2024/03/03\r\n\t本文\r\n");
    EXPECT_EQ(DecodeUtf16File(testing::Utf16FileBytes(sample)), sample);
}

}  // namespace
}  // namespace tavrin
