#include "templates/template_commands.h"

#include <gtest/gtest.h>

#include <vector>

#include "support/test_support.h"
#include "templates/fake_template_context.h"
#include "templates/template_expander.h"

namespace tavrin {
namespace {

using testing::FakeTemplateContext;

class RecordingErrors final : public ErrorSink {
public:
    void Report(const UserError& error) override { errors.push_back(error); }
    std::vector<UserError> errors;
};

// Names for the few keys of the default templates.
class FakeKeyNames final : public KeyNameSource {
public:
    unsigned ScanCodeOf(unsigned virtualKey) const override { return virtualKey; }
    std::u16string NameOf(unsigned scanCode, bool) const override {
        switch (scanCode) {
            case 0xBB:
                return u";";
            case 0xBA:
                return u":";
            case 0x44:
                return u"D";
            case 0x2D:
                return u"Insert";
            default:
                return u"";
        }
    }
};

TemplateList Defaults() {
    TemplateList list;
    LoadDefaultTemplates(list);
    return list;
}

class InsertTemplateTest : public ::testing::Test {
protected:
    InsertTemplateTest() {
        context_.editor.text = u"今日は日記を書く";
        context_.editor.anchor = context_.editor.caret = 4;
    }
    FakeTemplateContext context_;
    RecordingErrors errors_;
    TemplateList list_ = Defaults();
};

TEST_F(InsertTemplateTest, BracketTemplateWrapsTheWordAtTheCaretAndSelectsIt) {
    EXPECT_TRUE(InsertTemplate(list_, 7, context_, errors_));
    EXPECT_EQ(context_.editor.text, u"今日は（日記）を書く");
    EXPECT_EQ(context_.editor.anchor, 3);
    EXPECT_EQ(context_.editor.caret, 7);
    EXPECT_EQ(context_.editor.Selected(), u"（日記）");
    EXPECT_TRUE(errors_.errors.empty());
}

TEST_F(InsertTemplateTest, DiaryTemplateSelectsTheTitleWithTheCaretBeforeIt) {
    context_.editor.text = std::u16string(100, u'x');
    context_.editor.anchor = context_.editor.caret = 100;
    EXPECT_TRUE(InsertTemplate(list_, 5, context_, errors_));
    EXPECT_EQ(context_.editor.text.substr(100), u"*今日のタイトル\n天気：\n食べた物：\n今日の出来事：\n");
    EXPECT_EQ(context_.editor.anchor, 108);
    EXPECT_EQ(context_.editor.caret, 101);
    EXPECT_EQ(context_.editor.Selected(), u"今日のタイトル");
}

// At offset 0 of an entry that opens with a heading the editor inserts behind the "*"; the selection
// follows the text to where it went, so typing over it keeps the inserted heading mark.
TEST_F(InsertTemplateTest, SelectionFollowsTheTextBehindAnOpeningHeadingMark) {
    context_.editor.text = u"*見出し\n本文";
    context_.editor.headingFirstLine = true;
    context_.editor.anchor = context_.editor.caret = 0;
    EXPECT_TRUE(InsertTemplate(list_, 5, context_, errors_));
    EXPECT_EQ(context_.editor.text, u"**今日のタイトル\n天気：\n食べた物：\n今日の出来事：\n見出し\n本文");
    EXPECT_EQ(context_.editor.Selected(), u"今日のタイトル");
    EXPECT_EQ(context_.editor.caret, 2);
    EXPECT_EQ(context_.editor.anchor, 9);
}

TEST_F(InsertTemplateTest, MarkersAfterLineBreaksLandOnTheirCharacters) {
    InsertAt(list_, list_.Count(), {u"x", u"天気：\r\n${晴れ$}\r\n", 0});
    InsertAt(list_, list_.Count(), {u"y", u"a$nb${cd$}", 0});
    context_.editor.text = u"ab";
    context_.editor.anchor = context_.editor.caret = 1;
    EXPECT_TRUE(InsertTemplate(list_, 11, context_, errors_));
    EXPECT_EQ(context_.editor.text, u"a天気：\n晴れ\nb");
    EXPECT_EQ(context_.editor.Selected(), u"晴れ");
    context_.editor.text.clear();
    context_.editor.anchor = context_.editor.caret = 0;
    EXPECT_TRUE(InsertTemplate(list_, 12, context_, errors_));
    EXPECT_EQ(context_.editor.text, u"a\nbcd");
    EXPECT_EQ(context_.editor.Selected(), u"cd");
}

TEST_F(InsertTemplateTest, ReplacesTheSelectionAndLeavesTheCaretBehindWithoutMarkers) {
    context_.editor.anchor = 3;
    context_.editor.caret = 5;
    EXPECT_TRUE(InsertTemplate(list_, 0, context_, errors_));
    EXPECT_EQ(context_.editor.text, u"今日は2024/05/01を書く");
    EXPECT_EQ(context_.editor.caret, 13);
    EXPECT_EQ(context_.editor.anchor, 13);
}

TEST_F(InsertTemplateTest, OnlyACaretMarkerMovesTheCaretToTheInsertionPoint) {
    InsertAt(list_, list_.Count(), {u"caret", u"$!", 0});
    context_.editor.anchor = 6;
    context_.editor.caret = 2;
    EXPECT_TRUE(InsertTemplate(list_, 11, context_, errors_));
    EXPECT_EQ(context_.editor.text, u"今日は日記を書く");
    EXPECT_EQ(context_.editor.anchor, 2);
    EXPECT_EQ(context_.editor.caret, 2);
}

TEST_F(InsertTemplateTest, CalendarModeReadOnlyAndEmptyBodiesChangeNothing) {
    const std::u16string before = context_.editor.text;
    context_.calendarMode = true;
    EXPECT_FALSE(InsertTemplate(list_, 0, context_, errors_));
    EXPECT_EQ(context_.editor.calls, 0);
    context_.calendarMode = false;
    context_.editor.readOnly = true;
    EXPECT_FALSE(InsertTemplate(list_, 0, context_, errors_));
    context_.editor.readOnly = false;
    EXPECT_FALSE(InsertTemplate(list_, 4, context_, errors_)) << "a separator has no body";
    EXPECT_EQ(context_.editor.text, before);
    EXPECT_EQ(context_.editor.anchor, 4);
    EXPECT_TRUE(errors_.errors.empty());
}

TEST_F(InsertTemplateTest, MissingItemAndFailedExpansionAreReported) {
    EXPECT_FALSE(InsertTemplate(list_, 11, context_, errors_));
    EXPECT_FALSE(InsertTemplate(list_, -1, context_, errors_));
    std::u16string body;
    for (int i = 0; i < 200; ++i) {
        body += u"$_";
    }
    InsertAt(list_, list_.Count(), {u"huge", body, 0});
    context_.clipboard.text = std::u16string(1 << 20, u'c');
    const std::u16string before = context_.editor.text;
    EXPECT_FALSE(InsertTemplate(list_, 11, context_, errors_));
    EXPECT_EQ(context_.editor.text, before);
    ASSERT_EQ(errors_.errors.size(), 3u);
    EXPECT_EQ(errors_.errors[0], (UserError{600, u"定型文ID: 11", 0}));
    EXPECT_EQ(errors_.errors[1], (UserError{600, u"定型文ID: -1", 0}));
    EXPECT_EQ(errors_.errors[2], (UserError{203, u"定型文ID: 11", 0}));
}

TEST(TemplateMenu, LabelsExpandCodesAndAreCutAtThirtyTwoCharacters) {
    FakeTemplateContext context;
    EXPECT_EQ(TemplateMenuLabel({u"$K/$O/$Q 編集日の日付(&E)", u"", 0}, context),
              u"2024/03/03 編集日の日付(&E)");
    EXPECT_EQ(TemplateMenuLabel({u"", u"x", 0}, context), u"");
    const std::u16string long32(32, u'a');
    EXPECT_EQ(TemplateMenuLabel({long32, u"", 0}, context), long32);
    EXPECT_EQ(TemplateMenuLabel({long32 + u"b", u"", 0}, context), long32 + u"...");
    EXPECT_EQ(TemplateMenuLabel({u"$1 $1 $1", u"", 0}, context), u"2024/05/01 2024/05/01 2024/05/01");
    EXPECT_EQ(TemplateMenuLabel({u"$1 $1 $1!", u"", 0}, context), u"2024/05/01 2024/05/01 2024/05/01...");
    EXPECT_EQ(TemplateMenuLabel({std::u16string(31, u'a') + u"\U0001F600", u"", 0}, context),
              std::u16string(31, u'a') + u"...")
        << "a surrogate pair is not cut in half";
}

TEST(TemplateMenu, DefaultListGivesCommandsSeparatorsAndKeyTexts) {
    FakeTemplateContext context;
    const std::vector<TemplateMenuEntry> menu = BuildTemplateMenu(Defaults(), context, FakeKeyNames());
    ASSERT_EQ(menu.size(), 11u);
    EXPECT_EQ(menu[0], (TemplateMenuEntry{45000, false, u"日付(&;)", u"Alt+;"}));
    EXPECT_EQ(menu[2], (TemplateMenuEntry{45002, false, u"日付と時刻(&D)", u"Ctrl+D"}));
    EXPECT_EQ(menu[3], (TemplateMenuEntry{45003, false, u"2024/03/03 編集日の日付(&E)", u""}));
    EXPECT_EQ(menu[4], (TemplateMenuEntry{45004, true, u"", u""}));
    EXPECT_EQ(menu[5].keyText, u"Alt+Insert");
    EXPECT_EQ(menu[10], (TemplateMenuEntry{45010, false, u"【 】で囲む(&4)", u""}));
}

TEST(AppTemplateContext, ServesTheApplicationState) {
    AppState state;
    state.exeFolder = u"D:\\Tavrin";
    state.selectedDate = {2023, 12, 24};
    state.settings.system.diaryName = u"家族";
    state.settings.backImage.path = u"D:\\bg.png";
    testing::FixedClock clock({2024, 1, 2, 15, 4, 5, 2});
    testing::FakeEditor editor;
    testing::FakeClipboard clipboard;
    clipboard.text = u"c";
    AppTemplateContext context(state, clock, editor, clipboard);
    EXPECT_EQ(ExpandTemplate(u"$3|$K$O$Q|$;|$#|$%|$_", context)->text,
              u"2024/01/02 15:04|20231224|家族|D:\\Tavrin|D:\\bg.png|c");
    EXPECT_FALSE(context.CalendarMode());
    state.displayMode = DisplayMode::kCalendar;
    EXPECT_TRUE(context.CalendarMode());
}

}  // namespace
}  // namespace tavrin
