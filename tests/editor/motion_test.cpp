#include <gtest/gtest.h>

#include "editor_fakes.h"
#include "support/test_support.h"

namespace tavrin {
namespace {

using testing::EditorFixture;
using testing::U;

TEST(Motion, HeadingMarkIsSteppedOverOnTheFirstLineAndAfterLineBreaks) {
    EditorFixture f;
    EditState& e = f.Load(u"*abc\n*de");
    e.SetSel(0, 0);
    e.MoveRight(false, false);
    EXPECT_EQ(e.Caret(), 2);  // behind the first visible character
    e.MoveLeft(false, false);
    EXPECT_EQ(e.Caret(), 1);  // drawn where 0 is
    e.SetSel(4, 4);           // on the LF
    e.MoveRight(false, false);
    EXPECT_EQ(e.Caret(), 6);  // behind the next heading's mark
    e.MoveLeft(false, false);
    EXPECT_EQ(e.Caret(), 4);  // column 1 of a heading row: back in front of the previous LF
    e.SetSel(5, 5);
    e.MoveLeft(false, false);
    EXPECT_EQ(e.Caret(), 4);
}

TEST(Motion, ObjectRowsAreSteppedOverWhole) {
    EditorFixture f;
    EditState& e = f.Load(u"x\n[[a.png]]\ny");
    e.SetSel(2, 2);
    e.MoveRight(false, false);
    EXPECT_EQ(e.Caret(), 11);
    e.MoveRight(false, false);
    EXPECT_EQ(e.Caret(), 12);
    e.SetSel(11, 11);
    e.MoveLeft(false, false);
    EXPECT_EQ(e.Caret(), 2);
    e.MoveLeft(false, false);
    EXPECT_EQ(e.Caret(), 1);
    e.SetSel(5, 5);  // inside the reference
    e.MoveRight(false, false);
    EXPECT_EQ(e.Caret(), 11);
}

TEST(Motion, CtrlMovesByRunsOfOneCharacterClass) {
    EditorFixture f;
    EditState& e = f.Load(U("今日は晴れ。abc_1 def"));  // 今日|は|晴|れ|。|abc_1| |def
    e.SetSel(0, 0);
    std::vector<int> stops;
    for (int i = 0; i < 8; ++i) {
        e.MoveRight(true, false);
        stops.push_back(e.Caret());
    }
    EXPECT_EQ(stops, (std::vector<int>{2, 3, 4, 5, 6, 11, 12, 15}));
    stops.clear();
    for (int i = 0; i < 8; ++i) {
        e.MoveLeft(true, false);
        stops.push_back(e.Caret());
    }
    EXPECT_EQ(stops, (std::vector<int>{12, 11, 6, 5, 4, 3, 2, 0}));
}

TEST(Motion, UpAndDownKeepTheGoalColumnAndReachTheTextEnds) {
    EditorFixture f;
    EditState& e = f.Load(u"abcdefgh\nab\nabcdefgh");
    e.SetSel(6, 6);
    e.MoveDown(false);
    EXPECT_EQ(e.Caret(), 11);  // the short line's end
    EXPECT_EQ(e.GoalX(), 20 + 48);
    e.MoveDown(false);
    EXPECT_EQ(e.Caret(), 18);  // back at the remembered column
    e.MoveDown(false);
    EXPECT_EQ(e.Caret(), 20);  // the last row: the end of the text
    e.MoveUp(false);
    EXPECT_EQ(e.Caret(), 11);
    e.MoveUp(false);
    EXPECT_EQ(e.Caret(), 8);  // goal x became the text end's x (20 + 64)
    e.MoveUp(false);
    EXPECT_EQ(e.Caret(), 0);
    EXPECT_EQ(e.GoalX(), 0);
    e.SetSel(3, 3);
    e.MoveDown(true);
    EXPECT_EQ(e.Anchor(), 3);
    EXPECT_EQ(e.Caret(), 11);
}

TEST(Motion, HomeAndEndOfWrappedRowsStayOnTheirRow) {
    EditorFixture f(300 + 46);
    EditState& e = f.Load(std::u16string(50, u'a'));
    e.SetSel(5, 5);
    e.MoveEnd(false, false);
    EXPECT_EQ(e.Caret(), 37);
    EXPECT_TRUE(e.CaretAtRowEnd());
    EXPECT_EQ(e.CaretVisualRow(), 0);
    e.MoveEnd(false, false);  // a second End stays put instead of walking down the paragraph
    EXPECT_EQ(e.Caret(), 37);
    e.MoveHome(false, false);
    EXPECT_EQ(e.Caret(), 0);
    EXPECT_FALSE(e.CaretAtRowEnd());
    e.MoveEnd(true, false);
    EXPECT_EQ(e.Caret(), 50);
    e.MoveHome(true, true);
    EXPECT_EQ(e.Caret(), 0);
    EXPECT_EQ(e.Anchor(), 50);
    e.SetSel(40, 40);
    e.MoveHome(false, false);
    EXPECT_EQ(e.Caret(), 37);
}

TEST(Motion, PageDownMovesAndScrollsByWholeRows) {
    EditorFixture f(600, 200);
    std::u16string text;
    for (int i = 0; i < 40; ++i) {
        text += u"row\n";
    }
    EditState& e = f.Load(text);
    e.SetSel(0, 0);
    e.MovePage(true, false);
    // Target y = 10 + 200 - 16 - 20 - 4 = 170: row 8; the view moves 20 * (180 / 20 - 1) = 160.
    EXPECT_EQ(e.CaretRow(), 8);
    EXPECT_EQ(e.ScrollOffset(), 160);
    e.MovePage(false, true);
    // Target y = 10 - 200 + 2 * 20 + 20 = -130, which is content y 30 while scrolled by 160: row 1.
    EXPECT_EQ(e.CaretRow(), 1);
    EXPECT_EQ(e.Anchor(), 32);
    EXPECT_EQ(e.ScrollOffset(), 0);
    e.SetSel(e.Length(), e.Length());
    const int before = e.Caret();
    e.MovePage(true, false);
    EXPECT_EQ(e.Caret(), before);
}

TEST(Deletion, BackspaceAtAHeadingStartRemovesOnlyItsMark) {
    EditorFixture f;
    EditState& e = f.Load(u"ab\n*head");
    e.SetSel(3, 3);
    EXPECT_TRUE(e.Backspace(false));
    EXPECT_EQ(e.Text(), u"ab\nhead");
    EXPECT_EQ(e.Rows()[1].kind, RowKind::Normal);
    f.Load(u"*x");
    e.SetSel(0, 0);
    EXPECT_FALSE(e.Backspace(false));     // at offset 0 nothing happens
    EXPECT_TRUE(e.ForwardDelete(false));  // Delete on the first row steps behind the mark first
    EXPECT_EQ(e.Text(), u"*");
}

TEST(Deletion, CtrlDeletesByWords) {
    EditorFixture f;
    EditState& e = f.Load(u"one two three");
    e.SetSel(8, 8);  // at the start of "three"
    e.Backspace(true);
    EXPECT_EQ(e.Text(), u"one twothree");
    e.Backspace(true);
    EXPECT_EQ(e.Text(), u"one three");
    e.SetSel(0, 0);
    e.ForwardDelete(true);
    EXPECT_EQ(e.Text(), u" three");
    e.SetSel(6, 6);
    EXPECT_FALSE(e.ForwardDelete(true));
    f.Load(u"ab\ncd");
    e.SetSel(2, 2);
    e.ForwardDelete(true);  // at an LF the word is empty: at least one character goes
    EXPECT_EQ(e.Text(), u"abcd");
}

TEST(Typing, CharactersTabsAndEnter) {
    EditorFixture f;
    EditState& e = f.Load(u"");
    EXPECT_TRUE(e.Char(u'a', false, false));
    EXPECT_TRUE(e.Char(u'\r', false, false));
    EXPECT_TRUE(e.Char(u'\t', false, false));
    EXPECT_TRUE(e.Char(u'\t', true, false));  // Shift+Tab on one row types a TAB too
    EXPECT_FALSE(e.Char(u'b', false, true));
    EXPECT_FALSE(e.Char(0x08, false, false));
    EXPECT_FALSE(e.Char(0x1B, false, false));
    EXPECT_EQ(e.Text(), u"a\n\t\t");
    EXPECT_EQ(f.observer.Count(EditorNotification::Change), 4);
}

TEST(Keys, ShortcutTable) {
    EditorFixture f;
    EditState& e = f.Load(u"abc");
    EXPECT_TRUE(e.KeyDown(EditorKey::A, false, true, &f.clipboard));
    EXPECT_EQ(e.SelectionEnd() - e.SelectionStart(), 3);
    EXPECT_TRUE(e.KeyDown(EditorKey::C, false, true, &f.clipboard));
    EXPECT_EQ(f.clipboard.content.text, u"abc");
    EXPECT_TRUE(e.KeyDown(EditorKey::Delete, false, false, &f.clipboard));
    EXPECT_EQ(e.Text(), u"");
    EXPECT_TRUE(e.KeyDown(EditorKey::Z, false, true, &f.clipboard));
    EXPECT_EQ(e.Text(), u"abc");
    EXPECT_TRUE(e.KeyDown(EditorKey::Z, true, true, &f.clipboard));
    EXPECT_EQ(e.Text(), u"");
    EXPECT_TRUE(e.KeyDown(EditorKey::Z, false, true, &f.clipboard));
    EXPECT_TRUE(e.KeyDown(EditorKey::Y, false, true, &f.clipboard));
    EXPECT_EQ(e.Text(), u"");
    EXPECT_TRUE(e.KeyDown(EditorKey::Insert, true, false, &f.clipboard));
    EXPECT_EQ(e.Text(), u"abc");
    EXPECT_FALSE(e.KeyDown(EditorKey::A, false, false, &f.clipboard));
    EXPECT_FALSE(e.KeyDown(EditorKey::V, false, true, nullptr));
    EXPECT_TRUE(e.KeyDown(EditorKey::Left, true, false, nullptr));
    EXPECT_EQ(e.Caret(), 2);
    EXPECT_EQ(e.Anchor(), 3);
}

}  // namespace
}  // namespace tavrin
