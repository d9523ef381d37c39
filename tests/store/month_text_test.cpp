#include "store/month_text.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <random>
#include <string>
#include <vector>

#include "support/test_support.h"

namespace tavrin {
namespace {

using testing::U;

std::u16string BodyOf(std::u16string_view text, const MonthTable& table, int day) {
    return std::u16string(EntryBody(text, table[static_cast<std::size_t>(day - 1)]));
}

MonthTable Parse(std::u16string_view text, int year = 2024, int month = 3) {
    MonthTable table;
    EXPECT_TRUE(ParseMonthText(text, year, month, table));
    return table;
}

std::vector<int> DaysWithEntries(const MonthTable& table) {
    std::vector<int> days;
    for (int day = 1; day <= 31; ++day) {
        if (table[static_cast<std::size_t>(day - 1)].HasEntry()) {
            days.push_back(day);
        }
    }
    return days;
}

// The example month of the file format, built by hand line by line.
TEST(MonthText, WrittenMonthMatchesTheFormatByHand) {
    const std::u16string handMade =
        U("2024/03/03\r\n"
          "\t朝は雨。\r\n"
          "\t12時に晴れた\r\n"
          "\r\n"
          "2024/03/10\r\n"
          "\tone line\r\n");
    MonthTable empty;
    ParseMonthText(u"", 2024, 3, empty);
    std::u16string text =
        BuildMonthText(2024, 3, u"", empty, 3, EditorTextToBody(U("朝は雨。\n12時に晴れた"), false));
    MonthTable table = Parse(text);
    text = BuildMonthText(2024, 3, text, table, 10, EditorTextToBody(u"one line", false));
    EXPECT_EQ(text, handMade);

    table = Parse(text);
    EXPECT_EQ(DaysWithEntries(table), (std::vector<int>{3, 10}));
    EXPECT_EQ(table[2].body, 12);
    EXPECT_EQ(table[2].length, 15) << "TAB + 4 + CR LF + TAB + 7";
    EXPECT_EQ(table[2].header, 0);
    EXPECT_EQ(table[2].headerLength, 10);
    EXPECT_EQ(table[2].mark, table[2].length);
    EXPECT_EQ(BodyToEditorText(BodyOf(text, table, 3)), U("朝は雨。\n12時に晴れた"));
    EXPECT_EQ(BodyToEditorText(BodyOf(text, table, 10)), u"one line");
}

TEST(MonthText, EntryConversions) {
    EXPECT_EQ(EditorTextToBody(u"a\n\nb", false), u"\ta\r\n\t\r\n\tb");
    EXPECT_EQ(BodyToEditorText(u"\ta\r\n\t\r\n\tb"), u"a\n\nb");
    EXPECT_EQ(EditorTextToBody(u"a\n", false), u"\ta\r\n\t") << "a final line break keeps an empty line";
    EXPECT_EQ(BodyToEditorText(u"\ta\r\n\t"), u"a\n");
    EXPECT_EQ(EditorTextToBody(u"", false), u"");
    EXPECT_EQ(EditorTextToBody(u"x\r\ny\rz", false), u"\tx\r\n\ty\r\n\tz") << "any break is stored as CR LF";
    EXPECT_EQ(EditorTextToBody(U("a \u3000\t\n\n  \n"), true), u"\ta");
    EXPECT_EQ(EditorTextToBody(U(" \n\u3000\n\t"), true), u"") << "only blanks: the entry goes";
    EXPECT_EQ(EditorTextToBody(u"  lead", true), u"\t  lead") << "only the end is trimmed";
    EXPECT_EQ(BodyToEditorText(u"no tab\r\nsecond\r\n"), u"no tab\nsecond")
        << "a bare final break is dropped";
    EXPECT_EQ(BodyToEditorText(u"\t\tindent\r\n\t\tmore"), u"\tindent\n\tmore") << "only one TAB is dropped";
    EXPECT_EQ(BodyToEditorText(u"\ta\rb\nc"), u"a\nb\nc");
    EXPECT_EQ(BodyToEditorText(u"\ta\r"), u"a");
    EXPECT_EQ(BodyToEditorText(u""), u"");
}

TEST(MonthText, HeaderNumbers) {
    EXPECT_EQ(ReadHeaderNumbers(u"2024/03/10"), (HeaderNumbers{2024, 3, 10}));
    EXPECT_EQ(ReadHeaderNumbers(u"2024-3-10"), (HeaderNumbers{2024, 3, 10}));
    EXPECT_EQ(ReadHeaderNumbers(u"2024 03 10 x 11"), (HeaderNumbers{2024, 3, 10}));
    EXPECT_EQ(ReadHeaderNumbers(U("2024年3月")), (HeaderNumbers{2024, 3, 0}));
    EXPECT_EQ(ReadHeaderNumbers(u"1234567890/3/4"), (HeaderNumbers{12345678, 3, 4}))
        << "eight digits of a longer run count, the rest belongs to it";
    EXPECT_EQ(ReadHeaderNumbers(u""), (HeaderNumbers{}));
}

TEST(MonthText, HandEditedHeadersStayTextOfThePrecedingEntry) {
    const std::u16string text =
        U("before the first date\r\n"
          "2024/03/01\r\n"  // the 1st is already open: text
          "2024/3/5\r\n"    // unpadded header
          "\tfifth\r\n"
          "2024/03/05\r\n"  // repeated day: text
          "2024/04/06\r\n"  // another month: text
          "2024/03/02\r\n"  // descending: text
          "\r\n"
          "2024/03/31 31st\r\n"  // header with a note after the date
          "\tlast\r\n");
    const MonthTable table = Parse(text);
    EXPECT_EQ(DaysWithEntries(table), (std::vector<int>{1, 5, 31}));
    EXPECT_EQ(BodyOf(text, table, 1), U("before the first date\r\n2024/03/01"));
    EXPECT_EQ(table[0].header, -1);
    EXPECT_EQ(BodyOf(text, table, 5), U("\tfifth\r\n2024/03/05\r\n2024/04/06\r\n2024/03/02"));
    EXPECT_EQ(BodyOf(text, table, 31), u"\tlast");

    const MonthTable april = Parse(u"2024/04/31\r\n\tx\r\n2024/04/30\r\n\ty", 2024, 4);
    EXPECT_EQ(DaysWithEntries(april), (std::vector<int>{1, 30})) << "no 31st in April";
    EXPECT_EQ(BodyOf(u"2024/04/31\r\n\tx\r\n2024/04/30\r\n\ty", april, 1), u"2024/04/31\r\n\tx");
}

// Saving rebuilds the month from the day table; a hand-edited file must come back with all its text.
TEST(MonthText, RebuildKeepsHandEditedText) {
    const std::u16string text =
        U("\r\n"
          "memo\r\n"
          "2024/3/5 晴れ\r\n"
          "first\r\n"
          "\r\n"
          "second paragraph\r\n"  // empty line inside, header right after: both paragraphs stay
          "2024/03/07\r\n"
          "\r\n"
          "\r\n"
          "\r\n"
          "2024/03/09\r\n"
          "\tninth\r\n"
          "\r\n");
    const MonthTable table = Parse(text);
    EXPECT_EQ(BodyOf(text, table, 5), U("first\r\n\r\nsecond paragraph"));
    EXPECT_EQ(BodyOf(text, table, 7), u"\r\n") << "two blank lines before the separator";
    EXPECT_FALSE(Parse(u"2024/03/07\r\n\r\n2024/03/08\r\n\tx")[6].HasEntry())
        << "a lone separator is no entry";
    EXPECT_EQ(BodyOf(text, table, 9), u"\tninth\r\n");

    const std::u16string rebuilt = BuildMonthText(2024, 3, text, table, 0, u"");
    EXPECT_EQ(rebuilt, U("2024/03/01\r\nmemo\r\n"
                         "\r\n2024/3/5 晴れ\r\nfirst\r\n\r\nsecond paragraph\r\n"
                         "\r\n2024/03/07\r\n\r\n\r\n"
                         "\r\n2024/03/09\r\n\tninth\r\n\r\n"));
    EXPECT_EQ(BuildMonthText(2024, 3, rebuilt, Parse(rebuilt), 0, u""), rebuilt) << "stable when saved again";
}

TEST(MonthText, LoneLineBreaksStayInsideTheText) {
    const std::u16string lf = u"2024/03/01\n\ta\n\tb\n\tc\n\td\n\n2024/03/02\n\te\n\tf\n\tg";
    MonthTable table = Parse(lf);
    EXPECT_EQ(DaysWithEntries(table), (std::vector<int>{1, 2}));
    EXPECT_EQ(table[0].length, 14) << "measured two characters per break";
    EXPECT_LE(table[1].body + table[1].length, static_cast<std::int32_t>(lf.size())) << "cut at the end";

    std::u16string normalised = lf;
    EXPECT_TRUE(NormalizeLineBreaks(normalised));
    EXPECT_FALSE(NormalizeLineBreaks(normalised));
    table = Parse(normalised);
    EXPECT_EQ(BodyOf(normalised, table, 1), u"\ta\r\n\tb\r\n\tc\r\n\td");
    EXPECT_EQ(BodyOf(normalised, table, 2), u"\te\r\n\tf\r\n\tg");

    std::u16string mixed = u"a\rb\r\r\nc\n\r";
    NormalizeLineBreaks(mixed);
    EXPECT_EQ(mixed, u"a\r\nb\r\n\r\nc\r\n\r\n");
}

// Lines of a hand-edited month: dates of every sort, digits, blanks and ordinary text.
std::u16string RandomHandEditedMonth(std::mt19937& random) {
    static const std::vector<std::u16string> kLines{
        u"",           u"",
        u"\t",         u"\ttext",
        u"text",       u"2024/03/05",
        u"2024/3/7",   u"2024/03/31",
        u"2024/04/02", u"12 apples",
        u"2024/03/01", u"2024/03/15 note",
        u"0",          u"\t2024/03/20",
        u"  ",         u"3/3/3",
        u"2024/03/29", u"9/3/30",
    };
    std::u16string text;
    const int lines = static_cast<int>(random() % 40);
    for (int i = 0; i < lines; ++i) {
        text += kLines[random() % kLines.size()];
        if (i + 1 < lines || random() % 2 == 0) {
            text += u"\r\n";
        }
    }
    return text;
}

// The lines of a CR LF text with their start positions.
std::vector<std::pair<std::size_t, std::u16string>> SplitLines(std::u16string_view text) {
    std::vector<std::pair<std::size_t, std::u16string>> lines;
    std::size_t start = 0;
    for (std::size_t end; (end = text.find(u"\r\n", start)) != std::u16string_view::npos; start = end + 2) {
        lines.emplace_back(start, text.substr(start, end - start));
    }
    lines.emplace_back(start, text.substr(start));
    return lines;
}

TEST(MonthText, RandomHandEditedMonthsRebuildWithoutLosingALine) {
    std::mt19937 random(20240310);
    for (int round = 0; round < 3000; ++round) {
        const std::u16string text = RandomHandEditedMonth(random);
        const MonthTable table = Parse(text);
        // Ranges end exactly at a line end, never inside a line or a break.
        for (const DayEntry& entry : table) {
            ASSERT_LE(entry.body + entry.length, static_cast<std::int32_t>(text.size()));
            if (entry.HasEntry()) {
                const std::size_t end = static_cast<std::size_t>(entry.body + entry.length);
                ASSERT_TRUE(end == text.size() || text.compare(end, 2, u"\r\n") == 0)
                    << ::testing::PrintToString(text);
            }
        }
        const std::u16string rebuilt = BuildMonthText(2024, 3, text, table, 0, u"");
        // Every non-empty line survives, in order, except the date lines of entries without text.
        std::vector<std::u16string> after;
        for (auto& [start, line] : SplitLines(rebuilt)) {
            after.push_back(line);
        }
        auto next = after.begin();
        for (const auto& [lineStart, line] : SplitLines(text)) {
            const auto start = static_cast<std::int32_t>(lineStart);
            const bool emptyEntry = std::any_of(table.begin(), table.end(), [&](const DayEntry& entry) {
                return !entry.HasEntry() && entry.header == start;
            });
            if (!line.empty() && !emptyEntry) {
                next = std::find(next, after.end(), line);
                ASSERT_NE(next, after.end())
                    << "lost " << ::testing::PrintToString(line) << " of " << ::testing::PrintToString(text);
                ++next;
            }
        }
        // Parsing the rebuilt month finds the same entries with the same bodies.
        const MonthTable again = Parse(rebuilt);
        for (int day = 1; day <= 31; ++day) {
            ASSERT_EQ(BodyOf(rebuilt, again, day), BodyOf(text, table, day))
                << "day " << day << " of " << ::testing::PrintToString(text);
        }
    }
}

// Any editor text, saved among other entries and read back, is the same text.
TEST(MonthText, RandomEntryTextsRoundTrip) {
    std::mt19937 random(7);
    const std::u16string pool =
        U("ab 1\t\n\n\u3000漢字09/") + std::u16string{u'\0', u'\xD800', u'\xDC00', u'\xFEFF'};
    const std::u16string neighbours = U("2024/02/01\r\n\tfirst\r\n\r\n2024/02/29\r\n\tlast\r\n");
    const MonthTable neighbourTable = Parse(neighbours, 2024, 2);
    for (int round = 0; round < 3000; ++round) {
        std::u16string editorText;
        const int length = static_cast<int>(random() % 30);
        for (int i = 0; i < length; ++i) {
            editorText.push_back(pool[random() % pool.size()]);
        }
        const int day = 1 + static_cast<int>(random() % 29);
        const std::u16string month =
            BuildMonthText(2024, 2, neighbours, neighbourTable, day, EditorTextToBody(editorText, false));
        const MonthTable table = Parse(month, 2024, 2);
        ASSERT_EQ(BodyToEditorText(BodyOf(month, table, day)), editorText)
            << ::testing::PrintToString(editorText);
        if (day != 1) {
            ASSERT_EQ(BodyOf(month, table, 1), u"\tfirst");
        }
        if (day != 29) {
            ASSERT_EQ(BodyOf(month, table, 29), u"\tlast");
        }
    }
}

// A month as the program writes it, from day -> editor text (empty texts are left out).
std::u16string ComposeMonth(const std::map<int, std::u16string>& days) {
    std::u16string text;
    for (const auto& [day, editorText] : days) {
        const MonthTable table = Parse(text);
        text = BuildMonthText(2024, 3, text, table, day, EditorTextToBody(editorText, false));
    }
    return text;
}

// Two copies of the program changed one month: every day takes the copy that changed it since base,
// against a day-by-day model, over random months.
TEST(MergeMonthTexts, EveryDayTakesTheCopyThatChangedIt) {
    std::mt19937 random(2024);
    const std::u16string words[] = {u"", u"朝", u"2024/03/05 digits", u"two\nlines", u"\n", u"x\n\ny"};
    const auto pick = [&] { return words[random() % std::size(words)]; };
    for (int round = 0; round < 300; ++round) {
        std::map<int, std::u16string> base;
        std::map<int, std::u16string> ours;
        std::map<int, std::u16string> theirs;
        std::map<int, std::u16string> expected;
        for (int day = 1; day <= 31; ++day) {
            base[day] = random() % 2 ? pick() : u"";
            ours[day] = random() % 4 == 0 ? pick() : base[day];
            theirs[day] = random() % 4 == 0 ? pick() : base[day];
            expected[day] = ours[day] != base[day] ? ours[day] : theirs[day];
        }
        const std::u16string merged =
            MergeMonthTexts(2024, 3, ComposeMonth(base), ComposeMonth(ours), ComposeMonth(theirs));
        ASSERT_EQ(merged, ComposeMonth(expected)) << "round " << round;
    }
}

TEST(MergeMonthTexts, KeepsHandWrittenHeadersAndWhatEachCopyRemoved) {
    const std::u16string base = U("2024/03/01\r\n\tone\r\n\r\n2024/03/02\r\n\ttwo\r\n");
    // This copy emptied the 1st; the other added the 3rd under a header of its own making.
    const std::u16string ours = U("2024/03/02\r\n\ttwo\r\n");
    const std::u16string theirs = base + U("\r\n2024/3/3 (土)\r\n\tthree\r\n");
    EXPECT_EQ(MergeMonthTexts(2024, 3, base, ours, theirs),
              U("2024/03/02\r\n\ttwo\r\n\r\n2024/3/3 (土)\r\n\tthree\r\n"));
    EXPECT_EQ(MergeMonthTexts(2024, 3, base, base, theirs), theirs) << "nothing changed here";
    EXPECT_EQ(MergeMonthTexts(2024, 3, u"", ours, u""), ours) << "the file is new to both";
}

TEST(MonthText, FileNames) {
    EXPECT_EQ(MonthFileName(2024, 3), u"202403.txt");
    EXPECT_EQ(MonthFileName(7, 12), u"000712.txt");
    EXPECT_EQ(MonthFilePath("diary", 2024, 3), std::filesystem::path("diary") / "202403.txt");
    EXPECT_EQ(FormatHeader(2024, 3, 5), u"2024/03/05");
}

}  // namespace
}  // namespace tavrin
