#include "search/month_search.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "platform/text.h"
#include "search/search_reference.h"

namespace tavrin {
namespace {

using namespace std::string_literals;

// A random month text of March 2024 in the stored form and around it: headers in and out of order,
// headers of other months and past the month's end, lines starting with digits, empty lines, text
// before the first header, bodies with and without their TAB.
std::u16string RandomMonthText(std::mt19937& random, std::u16string_view lineBreak) {
    static const std::vector<std::u16string> kLines{
        u"2024/03/01", u"2024/03/05", u"2024/03/05 晴れ", u"2024/3/9",       u"2024/03/31", u"2024/03/32",
        u"2024/04/02", u"2024/03/20", u"\t天気は晴れ",    u"\t日記を書いた", u"\t*旅行",    u"\t",
        u"",           u"",           u"7時に起きた",     u"\tABC abc",      u"x",          u"\t日記帳",
        u"  ",         u"\0\t日記"s};
    std::u16string text;
    const int lines = static_cast<int>(random() % 25);
    for (int i = 0; i < lines; ++i) {
        text += kLines[random() % kLines.size()];
        if (i + 1 < lines || random() % 2 == 0) {
            text += lineBreak;
        }
    }
    return text;
}

// The hits of every entry that contains the word, found entry by entry with the naive matcher.
std::vector<SearchHit> ReferenceHits(std::u16string_view text, const MonthTable& table, int year, int month,
                                     std::u16string_view word, bool matchCase, bool wordOnly) {
    std::vector<SearchHit> hits;
    for (std::size_t day = 0; day < table.size(); ++day) {
        const std::u16string_view body = EntryBody(text, table[day]);
        if (!body.empty() && testing::ReferenceFind(body, word, matchCase, wordOnly) >= 0) {
            hits.push_back({{year, month, static_cast<int>(day) + 1}, EntryExcerpt(body)});
        }
    }
    return hits;
}

TEST(ScanCrLfMonthText, FindsTheEntriesParseMonthTextFinds) {
    std::mt19937 random(3);
    for (int round = 0; round < 20000; ++round) {
        const std::u16string text = RandomMonthText(random, u"\r\n");
        MonthTable expected{};
        MonthTable scanned{};
        ASSERT_TRUE(ParseMonthText(text, 2024, 3, expected));
        ASSERT_TRUE(ScanCrLfMonthText(text, 2024, 3, scanned)) << ToUtf8(text);
        ASSERT_EQ(scanned, expected) << ToUtf8(text);
    }
}

TEST(ScanCrLfMonthText, RefusesLoneLineBreaks) {
    MonthTable table{};
    EXPECT_FALSE(ScanCrLfMonthText(u"2024/03/01\n\ta\r\n", 2024, 3, table));
    EXPECT_FALSE(ScanCrLfMonthText(u"2024/03/01\r\n\ta\r", 2024, 3, table));
    EXPECT_FALSE(ScanCrLfMonthText(u"2024/03/01\r\r\n\ta", 2024, 3, table));
    EXPECT_TRUE(ScanCrLfMonthText(u"2024/03/01\r\n\ta", 2024, 3, table));
    EXPECT_EQ(table[0].length, 2);
}

// The entries with a match, month by month, are those of a naive scan of every entry: the fast path
// that skips entries before the next occurrence in the whole text, and the path for hand-edited
// files with lone line breaks (normalised first, as the year buffer holds them).
TEST(MonthFileSearcher, FindsTheEntriesANaiveScanFinds) {
    const std::vector<std::u16string> words{u"日記", u"abc",  u"ABC",        u"\t",
                                            u"晴れ", u"2024", u"\r\n\t日記", u"a"};
    const std::vector<std::u16string> breaks{u"\r\n", u"\r\n", u"\n", u"\r"};
    std::mt19937 random(9);
    MonthFileSearcher searcher;
    int hitCount = 0;
    for (int round = 0; round < 6000; ++round) {
        const std::u16string text = RandomMonthText(random, breaks[random() % breaks.size()]);
        std::u16string normalised = text;
        NormalizeLineBreaks(normalised);
        MonthTable table{};
        ParseMonthText(normalised, 2024, 3, table);
        const std::u16string& word = words[random() % words.size()];
        const bool matchCase = random() % 2 == 0;
        const bool wordOnly = random() % 2 == 0;
        const std::vector<SearchHit> expected =
            ReferenceHits(normalised, table, 2024, 3, word, matchCase, wordOnly);
        std::vector<SearchHit> hits;
        searcher.Search(text, 2024, 3, SearchPattern(word, matchCase, wordOnly), hits);
        ASSERT_EQ(hits, expected) << ToUtf8(text) << " / " << ToUtf8(word);
        hitCount += static_cast<int>(hits.size());
    }
    EXPECT_GT(hitCount, 2000);
}

TEST(EntryExcerpt, IsTheFirstLineWithTextWithoutBlanksAndHeadingMark) {
    EXPECT_EQ(EntryExcerpt(u"\t\r\n\t\r\n\t*旅行\t初日\r\n\t二行目"), u"旅行\t初日");
    EXPECT_EQ(EntryExcerpt(u"\t  今日は\r\n\tx"), u"今日は");
    EXPECT_EQ(EntryExcerpt(u"\t* 見出し "), u" 見出し ") << "only the mark goes; blanks after it stay";
    EXPECT_EQ(EntryExcerpt(u"\t\r\n"), u"");
    EXPECT_EQ(EntryExcerpt(u""), u"");
    EXPECT_EQ(EntryExcerpt(u"\tab\0cd"s), u"ab") << "a NUL ends the title";
    EXPECT_EQ(EntryExcerpt(u"\t\nx\ny"), u"x") << "a lone line break is one break";
    const std::u16string longLine(100, u'あ');
    EXPECT_EQ(EntryExcerpt(u"\t" + longLine), longLine.substr(0, 64));
    EXPECT_EQ(EntryExcerpt(u"\t*" + longLine), longLine.substr(0, 63)) << "cut first, then the mark goes";
    const std::u16string pairs = std::u16string(63, u'a') + u"\U0001F600";
    EXPECT_EQ(EntryExcerpt(u"\t" + pairs), std::u16string(63, u'a')) << "no half surrogate pair";
}

}  // namespace
}  // namespace tavrin
