#include <gtest/gtest.h>

#include "editor_fakes.h"
#include "support/test_support.h"

namespace tavrin {
namespace {

using testing::EditorFixture;
using testing::U;

TEST(HeadingToggle, AddsMarksToEverySelectedLineAndMovesTheSelectionWithThem) {
    EditorFixture f;
    EditState& e = f.Load(u"one\n\ntwo\n*three\nfour");
    e.SetSel(1, 13);  // from inside "one" into "*three"
    EXPECT_TRUE(e.ToggleHeading(0));
    EXPECT_EQ(e.Text(), u"*one\n*\n*two\n*three\nfour");
    EXPECT_EQ(e.Anchor(), 2);
    EXPECT_EQ(e.Caret(), 16);
    EXPECT_EQ(f.observer.Count(EditorNotification::SelChange), 1);
    e.Undo();
    EXPECT_EQ(e.Text(), u"one\n\ntwo\n*three\nfour");
    EXPECT_EQ(e.Anchor(), 1);
    EXPECT_EQ(e.Caret(), 13);
}

TEST(HeadingToggle, RemovesMarksWhenTheBlockStartsWithOne) {
    EditorFixture f;
    EditState& e = f.Load(u"*one\ntwo\n*three");
    e.SetSel(12, 2);  // backwards selection from "three" to "one"
    e.ToggleHeading(0);
    EXPECT_EQ(e.Text(), u"one\ntwo\nthree");
    EXPECT_EQ(e.Anchor(), 10);
    EXPECT_EQ(e.Caret(), 1);
}

TEST(HeadingToggle, WorksOnTheCaretLineAndAtItsVeryStart) {
    EditorFixture f;
    EditState& e = f.Load(u"a\n*head\nb");
    e.SetSel(2, 2);  // in front of the mark
    e.ToggleHeading(0);
    EXPECT_EQ(e.Text(), u"a\nhead\nb");
    EXPECT_EQ(e.Caret(), 2);
    e.ToggleHeading(0);
    EXPECT_EQ(e.Text(), u"a\n*head\nb");
    EXPECT_EQ(e.Caret(), 3);
    // A selection that ends at the start of a line leaves that line alone.
    e.SetSel(0, 2);
    e.ToggleHeading(0);
    EXPECT_EQ(e.Text(), u"*a\n*head\nb");
    // Modes 1-3 only notify.
    f.observer.notifications.clear();
    EXPECT_TRUE(e.ToggleHeading(2));
    EXPECT_EQ(e.Text(), u"*a\n*head\nb");
    EXPECT_EQ(f.observer.Count(EditorNotification::SelChange), 1);
}

TEST(HeadingToggle, TheOnlyMarkOfTheTextCanBeRemoved) {
    EditorFixture f;
    EditState& e = f.Load(u"*");
    e.ToggleHeading(0);
    EXPECT_EQ(e.Text(), u"");
    e.Char(u'x', false, false);  // a later edit is not pulled into the toggle's group
    e.Undo();
    EXPECT_EQ(e.Text(), u"");
    e.Undo();
    EXPECT_EQ(e.Text(), u"*");
    e.Redo();
    EXPECT_EQ(e.Text(), u"");
}

TEST(BlockIndent, TabIndentsNonEmptyLinesAndShiftTabUnindents) {
    EditorFixture f;
    EditState& e = f.Load(u"one\n\n  two\n\tthree");
    e.SetSel(1, 12);
    EXPECT_TRUE(e.Char(u'\t', false, false));
    EXPECT_EQ(e.Text(), u"\tone\n\n\t  two\n\t\tthree");
    EXPECT_EQ(e.Anchor(), 0);
    EXPECT_EQ(e.Caret(), 20);
    EXPECT_EQ(f.observer.Count(EditorNotification::SelChange), 1);
    e.Undo();
    EXPECT_EQ(e.Text(), u"one\n\n  two\n\tthree");

    f.Load(u"      six\n  \tx\n\ty");
    e.SetSel(0, 16);
    EXPECT_TRUE(e.Char(u'\t', true, false));
    EXPECT_EQ(e.Text(), u"  six\nx\ny");  // at most four spaces, or spaces then a TAB
    e.SelectAll();
    e.Char(u'\t', true, false);
    e.SelectAll();
    EXPECT_TRUE(e.Char(u'\t', true, false));  // nothing left to remove: done, no TAB typed
    EXPECT_EQ(e.Text(), u"six\nx\ny");
}

TEST(InsertReference, PlacesTheLineByTheCaretsContext) {
    EditorFixture f;
    EditState& e = f.Load(u"");
    EXPECT_TRUE(e.InsertRef(u"a.png"));
    EXPECT_EQ(e.Text(), u"[[a.png]]\n");
    EXPECT_FALSE(e.InsertRef(u""));

    e.SetTitleLine(true, true);
    f.Load(u"");
    e.InsertRef(u"a.png");
    EXPECT_EQ(e.Text(), u"\n[[a.png]]\n");
    f.Load(u"Title\nbody");
    e.SetSel(2, 2);
    e.InsertRef(u"b.wav");
    EXPECT_EQ(e.Text(), u"Title\n[[b.wav]]\nbody");
    e.SetTitleLine(false, true);

    f.Load(u"abcdef");
    e.SetSel(3, 3);
    e.InsertRef(u"c.jpg");
    EXPECT_EQ(e.Text(), u"abc\n[[c.jpg]]\ndef");
    EXPECT_EQ(e.Caret(), 14);

    f.Load(u"*head\nx");
    e.SetSel(1, 1);
    e.InsertRef(u"d.png");  // at the heading's start: above it, and the heading keeps its mark
    EXPECT_EQ(e.Text(), u"[[d.png]]\n*head\nx");
    f.Load(u"*head\nx");
    e.SetSel(3, 3);
    e.InsertRef(u"d.png");
    EXPECT_EQ(e.Text(), u"*he\n[[d.png]]\nad\nx");

    f.Load(u"line\nnext");
    e.SetSel(4, 4);  // end of a line that ends with LF
    e.InsertRef(u"e.png");
    EXPECT_EQ(e.Text(), u"line\n[[e.png]]\nnext");

    f.Load(u"replace me");
    e.SetSel(0, 10);
    e.InsertRef(u"f.png");
    EXPECT_EQ(e.Text(), u"[[f.png]]\n");
    e.Undo();
    EXPECT_EQ(e.Text(), u"replace me");
}

}  // namespace
}  // namespace tavrin
