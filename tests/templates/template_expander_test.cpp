#include "templates/template_expander.h"

#include <gtest/gtest.h>

#include <random>
#include <set>
#include <string>

#include "platform/text.h"
#include "templates/fake_template_context.h"
#include "templates/template_codes.h"

namespace tavrin {
namespace {

using testing::EditorForm;
using testing::FakeTemplateContext;

std::u16string Expand(FakeTemplateContext& context, std::u16string_view text) {
    const std::optional<TemplateExpansion> expansion = ExpandTemplate(text, context);
    EXPECT_TRUE(expansion.has_value());
    return expansion ? expansion->text : u"<none>";
}

std::string Utf8(std::u16string_view text) {
    return ToUtf8(text);
}

// Whether the text ends with a "$" that would pair with what follows it.
bool EndsInOpenDollar(std::u16string_view text) {
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == u'$') {
            if (i + 1 == text.size()) {
                return true;
            }
            ++i;
        }
    }
    return false;
}

TEST(TemplateCodeTable, HasTheFortyNineCodesInListOrder) {
    const auto& table = TemplateCodeTable();
    std::u16string codes;
    std::set<char16_t> distinct;
    for (const TemplateCode& row : table) {
        codes.push_back(row.code);
        distinct.insert(row.code);
        EXPECT_LE(row.description.size(), 15u) << Utf8(row.description);
    }
    EXPECT_EQ(codes, u"123456789YymMfFdDwWaeEjJAgGhHiIsSpP@_KOQ;#%!{}$tn");
    EXPECT_EQ(distinct.size(), kTemplateCodeCount);
    EXPECT_EQ(FindTemplateCode(u'@')->kind, TemplateCodeKind::kSelection);
    EXPECT_EQ(FindTemplateCode(u'_')->kind, TemplateCodeKind::kClipboard);
    EXPECT_EQ(FindTemplateCode(u'A')->kind, TemplateCodeKind::kEra);
    EXPECT_EQ(FindTemplateCode(u'n')->width, 2);
    EXPECT_EQ(FindTemplateCode(u'x'), nullptr);
}

// Every code at Wednesday 2024-05-01 09:05:07, selected date 2024-03-03.
TEST(ExpandTemplate, EveryCodeHasItsWorkedOutput) {
    FakeTemplateContext context;
    context.backImagePath = u"C:\\Pictures\\sky.jpg";
    context.clipboard.text = u"clip";
    context.editor.text = u"abc 日記 def";
    context.editor.anchor = context.editor.caret = 5;
    const std::vector<std::pair<std::u16string, std::u16string>> cases{
        {u"$1", u"2024/05/01"},
        {u"$2", u"09:05"},
        {u"$3", u"2024/05/01 09:05"},
        {u"$4", u"2024年5月1日"},
        {u"$5", u"2024年5月1日（水）"},
        {u"$6", u"2024年5月1日 午前9時5分"},
        {u"$7", u"令和6年5月1日"},
        {u"$8", u"R6.5.1"},
        {u"$9", u"May 1 2024"},
        {u"$Y", u"2024"},
        {u"$y", u"24"},
        {u"$m", u"5"},
        {u"$M", u"05"},
        {u"$f", u"May"},
        {u"$F", u"May"},
        {u"$d", u"1"},
        {u"$D", u"01"},
        {u"$w", u"Wed"},
        {u"$W", u"Wednesday"},
        {u"$a", u"水"},
        {u"$e", u"令和"},
        {u"$E", u"R"},
        {u"$j", u"6"},
        {u"$J", u"06"},
        {u"$A", u"辰"},
        {u"$g", u"9"},
        {u"$G", u"09"},
        {u"$h", u"9"},
        {u"$H", u"09"},
        {u"$i", u"5"},
        {u"$I", u"05"},
        {u"$s", u"7"},
        {u"$S", u"07"},
        {u"$p", u"AM"},
        {u"$P", u"午前"},
        {u"$@", u"日記"},
        {u"$_", u"clip"},
        {u"$K", u"2024"},
        {u"$O", u"03"},
        {u"$Q", u"03"},
        {u"$;", u"RaRorir"},
        {u"$#", u"C:\\Tools\\Tavrin"},
        {u"$%", u"C:\\Pictures\\sky.jpg"},
        {u"$!", u""},
        {u"${", u""},
        {u"$}", u""},
        {u"$$", u"$"},
        {u"$t", u"\t"},
        {u"$n", u"\r\n"},
    };
    ASSERT_EQ(cases.size(), kTemplateCodeCount);
    for (const auto& [code, expected] : cases) {
        EXPECT_EQ(Expand(context, code), expected) << Utf8(code);
    }
}

TEST(ExpandTemplate, AfternoonNoonAndMidnight) {
    FakeTemplateContext context;
    context.now = {2024, 5, 1, 12, 5, 0, 3};
    EXPECT_EQ(Expand(context, u"$6"), u"2024年5月1日 午後0時5分");
    EXPECT_EQ(Expand(context, u"$p $P $g $G $h"), u"PM 午後 0 00 12");
    context.now = {2024, 5, 1, 12, 30, 0, 3};
    EXPECT_EQ(Expand(context, u"$g"), u"0");
    EXPECT_EQ(Expand(context, u"$6"), u"2024年5月1日 午後0時30分");
    context.now = {2024, 5, 1, 0, 30, 0, 3};
    EXPECT_EQ(Expand(context, u"$6 $p $g"), u"2024年5月1日 午前0時30分 AM 0");
    context.now = {2024, 5, 1, 23, 59, 59, 3};
    EXPECT_EQ(Expand(context, u"$6 $p $G"), u"2024年5月1日 午後11時59分 PM 11");
}

TEST(ExpandTemplate, ErasAroundTheirFirstDays) {
    FakeTemplateContext context;
    context.now = {2019, 4, 30, 10, 0, 0, 2};
    EXPECT_EQ(Expand(context, u"$7|$8|$e|$E|$j|$J"), u"平成31年4月30日|H31.4.30|平成|H|31|31");
    context.now = {2019, 5, 1, 10, 0, 0, 3};
    EXPECT_EQ(Expand(context, u"$7|$8|$e|$E|$j|$J"), u"令和元年5月1日|R1.5.1|令和|R|1|01");
    context.now = {1989, 1, 8, 10, 0, 0, 0};
    EXPECT_EQ(Expand(context, u"$7 $8"), u"平成元年1月8日 H1.1.8");
    // Before the first era: no name and no letter, the Gregorian year as era year.
    context.now = {1868, 9, 7, 10, 0, 0, 1};
    EXPECT_EQ(Expand(context, u"$7|$8|$e|$E|$j"), u"1868年9月7日|1868.9.7|||1868");
    context.now = {2020, 1, 1, 0, 0, 0, 3};
    EXPECT_EQ(Expand(context, u"$A"), u"子");
}

TEST(ExpandTemplate, DateCodesUseTodayAndSelectedDateCodesTheEntry) {
    FakeTemplateContext context;
    context.now = {2030, 12, 31, 8, 0, 0, 2};
    context.selectedDate = {2024, 3, 3};
    EXPECT_EQ(Expand(context, u"$K/$O/$Q"), u"2024/03/03");
    EXPECT_EQ(Expand(context, u"$y $f $F $w $W $9"), u"30 Dec December Tue Tuesday December 31 2030");
    context.now = {1999, 2, 3, 8, 0, 0, 3};
    EXPECT_EQ(Expand(context, u"$y"), u"99") << "the last two digits, also before 2000";
    context.now = {2105, 2, 3, 8, 0, 0, 2};
    EXPECT_EQ(Expand(context, u"$y"), u"05");
}

TEST(ExpandTemplate, DollarSignsThatAreNotCodes) {
    FakeTemplateContext context;
    EXPECT_EQ(Expand(context, u"$$1"), u"$1");
    EXPECT_EQ(Expand(context, u"$x and $ y"), u"$x and $ y");
    EXPECT_EQ(Expand(context, u"cost 5$"), u"cost 5$");
    EXPECT_EQ(Expand(context, u"$"), u"$");
    EXPECT_EQ(Expand(context, u"$$$"), u"$$");
    EXPECT_EQ(Expand(context, u"$\U0001F600"), u"$\U0001F600");
    EXPECT_EQ(Expand(context, std::u16string(u"ab\0$1", 5)), u"ab") << "the text ends at its NUL";
    EXPECT_EQ(Expand(context, u""), u"");
}

TEST(ExpandTemplate, NothingIsFetchedThatNoCodeNeeds) {
    FakeTemplateContext context;
    context.clipboard.text = u"x";
    EXPECT_EQ(Expand(context, u"$1 $$_ $$@"), u"2024/05/01 $_ $@");
    EXPECT_EQ(context.clipboard.reads, 0);
    EXPECT_EQ(context.editor.anchor, context.editor.caret) << "the selection was not touched";
    context.calendarMode = true;
    context.editor.calls = 0;
    EXPECT_EQ(Expand(context, u"$1"), u"2024/05/01");
    EXPECT_EQ(context.editor.calls, 0) << "in calendar mode the editor is not asked for the base";
}

TEST(ExpandTemplate, ClipboardTextIsInsertedWholeAtEveryOccurrence) {
    FakeTemplateContext context;
    context.clipboard.text = u"a\r\nb";
    EXPECT_EQ(Expand(context, u"[$_][$_]"), u"[a\r\nb][a\r\nb]");
    EXPECT_EQ(context.clipboard.reads, 1) << "read once per expansion";
    context.clipboard.text.reset();
    EXPECT_EQ(Expand(context, u"[$_]"), u"[]");
    const std::u16string megabyte(1 << 20, u'm');
    context.clipboard.text = megabyte;
    EXPECT_EQ(Expand(context, u"$_$_"), megabyte + megabyte);
}

TEST(ExpandTemplate, MarkersGivePositionsFromTheInsertionBase) {
    FakeTemplateContext context;
    context.editor.text = std::u16string(150, u'x');
    context.editor.anchor = context.editor.caret = 100;
    auto selection = [&](std::u16string_view body) { return ExpandTemplate(body, context)->selection; };

    const std::u16string diary = u"*$}今日のタイトル${\r\n天気：\r\n食べた物：\r\n今日の出来事：\r\n";
    EXPECT_EQ(selection(diary), (TemplateSelection{108, 101}));
    EXPECT_EQ(selection(u"$!abc$!"), (TemplateSelection{103, 103})) << "the last marker wins";
    EXPECT_EQ(selection(u"${a$!b$}c"), (TemplateSelection{101, 101})) << "a caret mark overrides the others";
    EXPECT_EQ(selection(u"ab${cd"), (TemplateSelection{102, 102}));
    EXPECT_EQ(selection(u"ab$}cd"), (TemplateSelection{100, 102}));
    EXPECT_EQ(selection(u"abc"), std::nullopt);
    EXPECT_EQ(selection(u"$!"), (TemplateSelection{100, 100}));
    // A backwards selection (anchor after caret): the text goes where the selection starts.
    context.editor.anchor = 120;
    context.editor.caret = 110;
    EXPECT_EQ(selection(u"ab$!"), (TemplateSelection{112, 112}));
    context.calendarMode = true;
    EXPECT_EQ(selection(u"ab$!"), (TemplateSelection{2, 2}));
}

// The editor keeps one LF for every CR LF and lone CR: markers behind line breaks count them as one.
TEST(ExpandTemplate, MarkerPositionsCountLineBreaksAsTheEditorDoes) {
    FakeTemplateContext context;
    auto caret = [&](std::u16string_view body) { return ExpandTemplate(body, context)->selection->caret; };
    EXPECT_EQ(caret(u"a\r\nb$!"), 3);
    EXPECT_EQ(caret(u"a$nb$n$!"), 4);
    EXPECT_EQ(caret(u"a\rb\n$!"), 4);
    context.clipboard.text = u"x\r\ny\rz\n";
    EXPECT_EQ(caret(u"$_$!"), 6);
    context.clipboard.text = u"x\r";
    EXPECT_EQ(caret(u"$_\nq$!"), 3) << "a CR from the clipboard and an LF of the body make one break";
}

TEST(ExpandTemplate, SelectionCodeTakesTheSelectionOrTheWordAtTheCaret) {
    FakeTemplateContext context;
    context.editor.text = u"今日は日記を書く";
    context.editor.anchor = context.editor.caret = 4;
    const std::optional<TemplateExpansion> word = ExpandTemplate(u"${（$@）$}", context);
    EXPECT_EQ(word->text, u"（日記）");
    EXPECT_EQ(word->selection, (TemplateSelection{3, 7})) << "the base is the start of the word";
    EXPECT_EQ(context.editor.Selected(), u"日記") << "the editor selected the word";

    context.editor.anchor = 8;
    context.editor.caret = 6;
    EXPECT_EQ(Expand(context, u"<$@|$@>"), u"<書く|書く>");

    context.editor.text = u"a  b";
    context.editor.anchor = context.editor.caret = 2;
    const std::optional<TemplateExpansion> none = ExpandTemplate(u"[$@]$!", context);
    EXPECT_EQ(none->text, u"[]") << "no word at the caret: the code gives nothing";
    EXPECT_EQ(none->selection, (TemplateSelection{4, 4}));
}

TEST(ExpandTemplate, OutputNeverExceedsTheReservedSize) {
    FakeTemplateContext context;
    context.diaryName = std::u16string(300, u'd');
    EXPECT_EQ(Expand(context, u"$;"), std::u16string(260, u'd'));
    EXPECT_EQ(Expand(context, u"$;abc"), std::u16string(263, u'd'))
        << "the cut applies to the whole output, not to each code";
    context.diaryName = std::u16string(259, u'd') + u"\U0001F600";
    EXPECT_EQ(Expand(context, u"$;"), std::u16string(259, u'd')) << "no half surrogate pair at the cut";
}

TEST(ExpandTemplate, HugeExpansionsFailLikeAFailedAllocation) {
    FakeTemplateContext context;
    context.clipboard.text = std::u16string(1 << 20, u'c');
    std::u16string body;
    for (int i = 0; i < 200; ++i) {
        body += u"$_";
    }
    EXPECT_FALSE(ExpandTemplate(body, context).has_value());
    std::u16string manyCodes;
    for (int i = 0; i < 5000; ++i) {
        manyCodes += u"$3$@$!";
    }
    const std::optional<TemplateExpansion> many = ExpandTemplate(manyCodes, context);
    ASSERT_TRUE(many.has_value());
    EXPECT_EQ(many->text.size(), 5000u * 16u);
}

// Every code's output fits its reservation on any date and time a clock can give, so the cut only
// ever applies to values from outside (folder names, paths).
TEST(ExpandTemplate, EveryCodeFitsItsWidthOnAnyDate) {
    FakeTemplateContext context;
    std::mt19937 random(7);
    for (int round = 0; round < 1000; ++round) {
        context.now = {static_cast<int>(random() % 9999) + 1, static_cast<int>(random() % 12) + 1,
                       static_cast<int>(random() % 28) + 1,   static_cast<int>(random() % 24),
                       static_cast<int>(random() % 60),       static_cast<int>(random() % 60)};
        context.selectedDate = {static_cast<int>(random() % 9999) + 1, static_cast<int>(random() % 12) + 1,
                                static_cast<int>(random() % 31) + 1};
        for (const TemplateCode& row : TemplateCodeTable()) {
            if (row.kind == TemplateCodeKind::kSelection || row.kind == TemplateCodeKind::kClipboard ||
                row.width == 260) {
                continue;
            }
            // A code that outgrew its reservation would push the final "|" past the cut.
            const std::u16string code{u'$', row.code};
            const std::u16string text = Expand(context, code + u"|");
            EXPECT_TRUE(text.ends_with(u'|')) << Utf8(code) << " " << Utf8(text);
        }
    }
}

// Random bodies of text, codes, line breaks and surrogates, with one caret marker: after the editor
// takes the expansion, the text before the caret is exactly the expansion of the part before the
// marker, in the editor's form.
TEST(ExpandTemplate, CaretMarkerLandsBehindTheTextBeforeItInTheEditor) {
    const std::u16string alphabet = u"ab$$$1ntK_\r\n\r\n日\U0001F600 ";
    std::mt19937 random(11);
    auto randomText = [&](std::size_t length) {
        std::u16string text;
        for (std::size_t i = 0; i < length; ++i) {
            text.push_back(alphabet[random() % alphabet.size()]);
        }
        return text;
    };
    for (int round = 0; round < 2000; ++round) {
        FakeTemplateContext context;
        context.clipboard.text = randomText(random() % 6);
        context.editor.text = u"0123456789";
        context.editor.anchor = static_cast<int>(random() % 11);
        context.editor.caret = static_cast<int>(random() % 11);
        std::u16string before = randomText(random() % 12);
        if (EndsInOpenDollar(before)) {
            before.pop_back();  // "$" + "$!" would read as "$$" + "!"
        }
        const std::u16string after = randomText(random() % 12);
        const std::u16string prefix = context.editor.text.substr(
            0, static_cast<std::size_t>(std::min(context.editor.anchor, context.editor.caret)));
        const std::u16string expectedBefore = EditorForm(ExpandTemplate(before, context)->text);

        const std::optional<TemplateExpansion> expansion = ExpandTemplate(before + u"$!" + after, context);
        ASSERT_TRUE(expansion && expansion->selection);
        context.editor.ReplaceSelection(expansion->text);
        context.editor.SetSelection(expansion->selection->anchor, expansion->selection->caret);
        EXPECT_EQ(context.editor.text.substr(0, static_cast<std::size_t>(context.editor.caret)),
                  prefix + expectedBefore)
            << Utf8(before) << " | " << Utf8(after);
    }
}

}  // namespace
}  // namespace tavrin
