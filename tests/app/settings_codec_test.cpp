#include <gtest/gtest.h>

#include <random>

#include "app/settings_codec.h"
#include "platform/text.h"
#include "support/test_support.h"

namespace tavrin {
namespace {

using testing::U;

std::u16string ItemValue(const TemplateItem& item) {
    std::u16string out;
    AppendItemValue(out, item);
    return out;
}

std::u16string Field(std::u16string_view text, const CommaField& field) {
    return std::u16string(text.substr(field.start, field.length));
}

TEST(HexKeyCodec, ScansFromTheEndSkippingNonDigits) {
    EXPECT_EQ(DecodeHexKey(u"0473"), 0x0473u);
    EXPECT_EQ(DecodeHexKey(u"11de"), 0x11DEu);
    EXPECT_EQ(DecodeHexKey(u"#ff8000"), 0xFF8000u);
    EXPECT_EQ(DecodeHexKey(u"1 2-3z"), 0x123u) << "non-digits anywhere are skipped";
    EXPECT_EQ(DecodeHexKey(u""), 0u);
    EXPECT_EQ(DecodeHexKey(u"xyz"), 0u);
    EXPECT_EQ(DecodeHexKey(u"123456789"), 0x3456789u) << "only the last seven digits count";
    EXPECT_EQ(DecodeHexKey(u"FFFFFFFF"), 0x0FFFFFFFu);
}

TEST(ColourCodec, ReadsRrGgBbAndWritesUpperCase) {
    EXPECT_EQ(DecodeColour(u"#ff8000"), MakeColorRef(255, 128, 0));
    EXPECT_EQ(DecodeColour(u"0080C0"), MakeColorRef(0, 128, 192));
    EXPECT_EQ(DecodeColour(u"80C0"), MakeColorRef(0, 128, 192)) << "missing leading digits are zero";
    EXPECT_EQ(DecodeColour(u"1ABCDEF"), MakeColorRef(0xAB, 0xCD, 0xEF)) << "a seventh digit is beyond red";
    std::u16string out;
    AppendColour(out, MakeColorRef(0, 128, 192));
    AppendColour(out, MakeColorRef(255, 51, 10));
    EXPECT_EQ(out, u"0080C0FF330A");
}

TEST(CommaFieldSplitter, KeepsEscapesInTheFieldAndDropsAFinalBackslash) {
    const std::u16string_view text = u"a\\,b,c\\\\,\\x,end\\";
    CommaField field = SplitCommaField(text, 0);
    EXPECT_EQ(Field(text, field), u"a\\,b");
    ASSERT_TRUE(field.hasNext);
    field = SplitCommaField(text, field.next);
    EXPECT_EQ(Field(text, field), u"c\\\\") << "an escaped backslash does not escape the comma after it";
    field = SplitCommaField(text, field.next);
    EXPECT_EQ(Field(text, field), u"\\x");
    field = SplitCommaField(text, field.next);
    EXPECT_EQ(Field(text, field), u"end") << "a backslash at the very end is removed";
    EXPECT_FALSE(field.hasNext);

    const std::u16string_view trailing = u"a,";
    field = SplitCommaField(trailing, 0);
    ASSERT_TRUE(field.hasNext);
    field = SplitCommaField(trailing, field.next);
    EXPECT_EQ(field.length, 0u);
    EXPECT_FALSE(field.hasNext);
    EXPECT_EQ(SplitCommaField(u"", 0).length, 0u);
}

TEST(EscapedText, WritesEveryLineBreakAsBackslashN) {
    std::u16string out;
    AppendEscaped(out, u"a,b\\c\td\r\ne\rf\ng", true);
    EXPECT_EQ(out, u"a\\,b\\\\c\\td\\ne\\nf\\ng");
    out.clear();
    AppendEscaped(out, u"a,b", false);
    EXPECT_EQ(out, u"a,b") << "commas are escaped in Item lines only";
    out.clear();
    AppendEscaped(out, std::u16string_view(u"ab\0cd", 5), true);
    EXPECT_EQ(out, u"ab") << "a NUL ends the text and never reaches the file";
}

TEST(EscapedText, LineBreaksDecodeByKindAndUnknownEscapesStay) {
    EXPECT_EQ(DecodeEscaped(u"x\\ny\\tz\\,\\\\", EscapedKind::kBody), u"x\r\ny\tz,\\");
    EXPECT_EQ(DecodeEscaped(u"x\\ny", EscapedKind::kName), u"x\ny");
    EXPECT_EQ(DecodeEscaped(u"\\x\\$1\\", EscapedKind::kBody), u"\\x\\$1\\");
    EXPECT_EQ(DecodeEscaped(std::u16string_view(u"ab\0cd", 5), EscapedKind::kBody), u"ab");
    EXPECT_EQ(DecodeEscaped(u"ab\rcd", EscapedKind::kBody), u"ab");
}

// Random texts over the characters that matter: escaping then decoding gives the text back, for bodies
// (line breaks as CR LF) and names (line breaks as LF).
TEST(EscapedText, RandomRoundTrips) {
    std::mt19937 random(7);
    const std::u16string alphabet = u"ab,\\\tnt$日\xD83D\xDE00";
    for (int round = 0; round < 2000; ++round) {
        std::u16string body;
        std::u16string name;
        const int length = static_cast<int>(random() % 24);
        for (int i = 0; i < length; ++i) {
            const std::size_t pick = random() % (alphabet.size() + 1);
            if (pick == alphabet.size()) {
                body += u"\r\n";
                name += u"\n";
            } else {
                body.push_back(alphabet[pick]);
                name.push_back(alphabet[pick]);
            }
        }
        std::u16string escaped;
        AppendEscaped(escaped, body, true);
        EXPECT_EQ(DecodeEscaped(escaped, EscapedKind::kBody), body);
        EXPECT_EQ(escaped.find_first_of(u"\r\n\t"), std::u16string::npos);
        escaped.clear();
        AppendEscaped(escaped, name, true);
        EXPECT_EQ(DecodeEscaped(escaped, EscapedKind::kName), name);

        // Inside an Item line, the escaped comma keeps the fields apart.
        const TemplateItem item{name.substr(0, TemplateItem::kTemplateNameMax), body, 0x142D};
        EXPECT_EQ(DecodeItemValue(ItemValue(item)), item) << ToUtf8(ItemValue(item));
    }
}

TEST(ItemLine, EncodesTheDefaultDiaryTemplate) {
    const TemplateItem item{U("日記テンプレート(&T)"),
                            U("*$}今日のタイトル${\r\n天気：\r\n食べた物：\r\n今日の出来事：\r\n"), 0x142D};
    EXPECT_EQ(ItemValue(item),
              U("日記テンプレート(&T),*$}今日のタイトル${\\n天気：\\n食べた物：\\n今日の出来事：\\n,142D"));
    EXPECT_EQ(ItemValue(TemplateItem{u"-", u"", 0}), u"-,,0000") << "a separator";
    EXPECT_EQ(DecodeItemValue(u"-,,0000"), (TemplateItem{u"-", u"", 0}));
}

TEST(ItemLine, DecodesPartialAndOversizedValues) {
    EXPECT_EQ(DecodeItemValue(u"only a name"), (TemplateItem{u"only a name", u"", 0}));
    EXPECT_EQ(DecodeItemValue(u"n,body"), (TemplateItem{u"n", u"body", 0}));
    EXPECT_EQ(DecodeItemValue(u"n,,0144,junk"), (TemplateItem{u"n", u"", 0x144}))
        << "a fourth field is ignored";
    EXPECT_EQ(DecodeItemValue(u"n,b,01\\,44"), (TemplateItem{u"n", u"b", 0x144}));
    EXPECT_EQ(DecodeItemValue(u""), (TemplateItem{u"", u"", 0}));

    // The name limit counts decoded characters: 62 letters and "\n" decode to 63 and are kept.
    const std::u16string name63 = std::u16string(62, u'x') + u"\\n";
    EXPECT_EQ(DecodeItemValue(name63 + u",b,0041").name, std::u16string(62, u'x') + u"\n");
    const std::u16string name64(64, u'x');
    EXPECT_EQ(DecodeItemValue(name64 + u",b,0041"), (TemplateItem{u"", u"b", 0x41}))
        << "a name of 64 characters is dropped, the rest of the item stays";
}

TEST(WeekLabels, SplitsSevenPiecesAndStopsAtAnOverlongOne) {
    EXPECT_EQ(SplitWeekLabels(U("日,月,火,水,木,金,土")),
              (WeekLabels{U("日"), U("月"), U("火"), U("水"), U("木"), U("金"), U("土")}));
    EXPECT_EQ(SplitWeekLabels(u"Su,Mo"), (WeekLabels{u"Su", u"Mo", u"", u"", u"", u"", u""}));
    EXPECT_EQ(SplitWeekLabels(u"1,2,3,4,5,6,7,8,9"), (WeekLabels{u"1", u"2", u"3", u"4", u"5", u"6", u"7"}));
    EXPECT_EQ(SplitWeekLabels(u",,x"), (WeekLabels{u"", u"", u"x", u"", u"", u"", u""}));
    const std::u16string ok(62, u'a');
    const std::u16string tooLong(63, u'b');
    EXPECT_EQ(SplitWeekLabels(ok + u"," + tooLong + u",c"), (WeekLabels{ok, u"", u"", u"", u"", u"", u""}));
}

TEST(CutToLength, NeverSplitsASurrogatePair) {
    const std::u16string text = u"ab\xD83D\xDE00z";
    EXPECT_EQ(CutToLength(text, 10), text);
    EXPECT_EQ(CutToLength(text, 4), u"ab\xD83D\xDE00");
    EXPECT_EQ(CutToLength(text, 3), u"ab");
    EXPECT_EQ(CutToLength(u"\xDE00\xDE00\xDE00", 2), u"\xDE00\xDE00") << "lone surrogates are plain units";
}

}  // namespace
}  // namespace tavrin
