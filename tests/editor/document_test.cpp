#include <gtest/gtest.h>

#include "editor_fakes.h"
#include "support/test_support.h"

namespace tavrin {
namespace {

using testing::EditorFixture;
using testing::U;

void Type(EditState& editor, std::u16string_view text) {
    for (char16_t c : text) {
        editor.Char(c, false, false);
    }
}

TEST(Document, AnEmptyDocumentHasNoRowsAndNothingToDelete) {
    EditorFixture f;
    EditState& e = f.Load(u"");
    EXPECT_EQ(e.RowCount(), 0);
    EXPECT_FALSE(e.Backspace(false));
    EXPECT_FALSE(e.ForwardDelete(true));
    EXPECT_FALSE(e.CanUndo());
    EXPECT_FALSE(e.CanRedo());
    EXPECT_EQ(e.LineIndex(-1), -1);
    EXPECT_EQ(e.CaretRow(), 0);
    EXPECT_EQ(e.CaretColumn(), 0);
    EXPECT_TRUE(f.observer.notifications.empty());
}

TEST(Document, TypingOverASelectionUndoesTogetherWithItsDeletion) {
    EditorFixture f;
    EditState& e = f.Load(u"abcdef");
    e.SetSel(1, 4);
    Type(e, u"XY");
    EXPECT_EQ(e.Text(), u"aXYef");
    EXPECT_TRUE(e.Undo());
    EXPECT_EQ(e.Text(), u"aXef");
    EXPECT_TRUE(e.Undo());  // the first character and the selected text come back together
    EXPECT_EQ(e.Text(), u"abcdef");
    EXPECT_EQ(e.Anchor(), 1);
    EXPECT_EQ(e.Caret(), 4);
    EXPECT_FALSE(e.CanUndo());
    EXPECT_TRUE(e.Undo());  // nothing left: success without change
    EXPECT_EQ(e.Text(), u"abcdef");

    EXPECT_TRUE(e.Redo());
    EXPECT_EQ(e.Text(), u"aXef");
    EXPECT_EQ(e.Caret(), 2);
    EXPECT_TRUE(e.Redo());
    EXPECT_EQ(e.Text(), u"aXYef");
    EXPECT_FALSE(e.CanRedo());
    // One record per character; the grouped deletion carries the group flag.
    ASSERT_EQ(e.History().Size(), 3);
    EXPECT_EQ(e.History().At(0).flags, kUndoDeleteBack | kUndoGroupNext);
    EXPECT_EQ(e.History().At(0).saved, u"bcd");
    EXPECT_EQ(e.History().At(1).flags, kUndoInsert);
    EXPECT_EQ(e.History().At(2).flags, kUndoInsert);
}

TEST(Document, UndoingEverythingClearsModifiedAndRedoSetsItAgain) {
    EditorFixture f;
    EditState& e = f.Load(u"entry");
    EXPECT_FALSE(e.Modified());
    e.SetSel(5, 5);
    Type(e, u"!?");
    EXPECT_TRUE(e.Modified());
    e.Undo();
    EXPECT_TRUE(e.Modified());
    e.Undo();
    EXPECT_FALSE(e.Modified());
    e.Redo();
    EXPECT_TRUE(e.Modified());
}

TEST(Document, ASavedStateIsTheOneUndoReturnsTo) {
    EditorFixture f;
    EditState& e = f.Load(u"entry");
    e.SetSel(5, 5);
    Type(e, u"ab");
    e.SetModified(false);  // the frame saved the text with "ab"
    e.Undo();
    e.Undo();
    EXPECT_TRUE(e.Modified());  // back at the loaded text, which differs from what was saved
    e.Redo();
    e.Redo();
    EXPECT_FALSE(e.Modified());
    e.SetModified(true);
    e.Undo();
    e.Redo();
    EXPECT_TRUE(e.Modified());
}

TEST(Document, ANewEditAfterUndoDiscardsTheRedoTail) {
    EditorFixture f;
    EditState& e = f.Load(u"");
    Type(e, u"abc");
    e.Undo();
    e.Undo();
    EXPECT_TRUE(e.CanRedo());
    Type(e, u"z");
    EXPECT_FALSE(e.CanRedo());
    EXPECT_EQ(e.Text(), u"az");
    EXPECT_EQ(e.History().Size(), 2);
}

TEST(Document, TypingAtTheFrontOfAHeadingLandsBehindItsMark) {
    EditorFixture f;
    EditState& e = f.Load(u"*title");
    e.SetSel(0, 0);
    Type(e, u"x");
    EXPECT_EQ(e.Text(), u"*xtitle");
    EXPECT_EQ(e.Caret(), 2);
    // The same holds for a replaced selection that starts at the mark.
    e.SetSel(0, 2);
    Type(e, u"*y");
    EXPECT_EQ(e.Text(), u"*ytitle");
    e.SetSel(0, 0);
    EXPECT_TRUE(e.ReplaceSel(u"zz"));
    EXPECT_EQ(e.Text(), u"*zzytitle");
}

TEST(Document, SelectionTextCopiesUpToTheCapacity) {
    EditorFixture f;
    EditState& e = f.Load(u"0123456789abc");
    e.SetSel(2, 12);
    char16_t buffer[16];
    std::fill(std::begin(buffer), std::end(buffer), u'#');
    EXPECT_EQ(e.GetSelText(buffer, 3), 3);
    EXPECT_EQ(std::u16string(buffer), u"234");
    EXPECT_EQ(e.GetSelText(nullptr, 3), 10);
    EXPECT_EQ(e.GetSelText(buffer, -5), 0);
    EXPECT_EQ(buffer[0], 0);
    e.SetSel(4, 4);
    buffer[0] = u'#';
    EXPECT_EQ(e.GetSelText(buffer, 10), 0);
    EXPECT_EQ(buffer[0], 0);

    f.Load(U("今日は晴れ"));
    e.SetSel(1, 1);
    EXPECT_EQ(e.GetSelWord(buffer, 15), 2);  // "今日": ideographs only, not the hiragana
    EXPECT_EQ(std::u16string(buffer), U("今日"));
    int length = 0;
    int start = 0;
    e.SetSel(3, 3);
    const char16_t* pointer = e.GetSelPtr(length, start);
    EXPECT_EQ(start, 3);
    EXPECT_EQ(length, 1);  // "晴" (class 19) then "れ" (class 14)
    EXPECT_EQ(*pointer, U("晴")[0]);
}

TEST(Document, WholeTextAndSelectionMessages) {
    EditorFixture f;
    EditState& e = f.Load(u"abcdef");
    char16_t buffer[4];
    EXPECT_EQ(e.GetText(buffer, 4), 3);
    EXPECT_EQ(std::u16string(buffer), u"abc");
    EXPECT_EQ(e.GetText(buffer, 0), 0);
    EXPECT_EQ(e.GetText(nullptr, 10), 0);

    e.SetSel(5, -1);
    int start = -1;
    int end = -1;
    EXPECT_EQ(e.GetSel(&start, &end), (5LL << 16) | 0);
    EXPECT_EQ(start, 0);
    EXPECT_EQ(end, 5);
    EXPECT_EQ(e.Anchor(), 5);
    e.SetSel(0, -1);  // selects nothing: selecting all is its own message
    EXPECT_EQ(e.Caret(), e.Anchor());
    e.SetSel(1LL << 40, 99);
    EXPECT_EQ(e.Anchor(), 6);
    EXPECT_EQ(e.Caret(), 6);
    EXPECT_TRUE(e.SelectAll());
    EXPECT_EQ(e.Anchor(), 0);
    EXPECT_EQ(e.Caret(), 6);

    EXPECT_FALSE(e.SetText(u"x", -1));
    EXPECT_FALSE(e.SetText(nullptr, 3));
    EXPECT_EQ(e.Text(), u"abcdef");
    EXPECT_TRUE(e.SetText(u"a\0b", 3));  // NULs stay text
    EXPECT_EQ(e.Length(), 3);
    EXPECT_EQ(e.RowCount(), 1);
}

TEST(Document, ReplaceSelNormalisesLineBreaksAndIsOneStep) {
    EditorFixture f;
    EditState& e = f.Load(u"ab");
    e.SetSel(1, 1);
    EXPECT_TRUE(e.ReplaceSel(u"1\r\n2\r3\n4"));
    EXPECT_EQ(e.Text(), u"a1\n2\n3\n4b");
    EXPECT_EQ(e.Caret(), 8);
    EXPECT_FALSE(e.ReplaceSel(u""));
    e.Undo();
    EXPECT_EQ(e.Text(), u"ab");
    // The insertion posts one change; the undo posts one for its deletion and one for the step.
    EXPECT_EQ(f.observer.Count(EditorNotification::Change), 3);
}

TEST(Document, ReadOnlyRefusesEveryChangeButKeepsSelecting) {
    EditorFixture f;
    EditState& e = f.Load(u"*head\nbody");
    e.SetSel(7, 7);
    Type(e, u"x");
    e.SetReadOnly(true);
    Type(e, u"y");
    EXPECT_FALSE(e.Backspace(false));
    EXPECT_FALSE(e.ForwardDelete(false));
    EXPECT_FALSE(e.ReplaceSel(u"z"));
    EXPECT_FALSE(e.Undo());
    EXPECT_FALSE(e.Redo());
    EXPECT_FALSE(e.ToggleHeading(0));
    EXPECT_FALSE(e.InsertRef(u"a.png"));
    EXPECT_FALSE(e.InsertImeResult(u"あ"));
    EXPECT_FALSE(e.Paste(f.clipboard));
    EXPECT_FALSE(e.Cut(f.clipboard));
    EXPECT_EQ(e.Text(), u"*head\nbxody");
    e.MoveLeft(false, true);
    EXPECT_EQ(e.Caret(), 7);
    EXPECT_TRUE(e.Copy(f.clipboard));
    EXPECT_EQ(f.clipboard.content.text, u"x");
}

TEST(Document, CaretRowsAndColumnsFollowTheRowTable) {
    EditorFixture f;
    EditState& e = f.Load(u"*head\n[[a.png]]\nxyz");
    e.SetSel(1, 3);
    EXPECT_EQ(e.CaretRow(), 0);
    EXPECT_EQ(e.CaretColumn(), 2);  // the mark of row 0 is not counted
    EXPECT_EQ(e.AnchorColumn(), 0);
    e.SetSel(9, 18);
    EXPECT_EQ(e.AnchorRow(), 1);
    EXPECT_EQ(e.AnchorColumn(), 1);  // inside an object row
    EXPECT_EQ(e.CaretRow(), 2);
    EXPECT_EQ(e.CaretColumn(), 2);
    EXPECT_EQ(e.LineIndex(-1), 16);
}

TEST(Document, UndoRestoresForwardDeletionsWithTheCaretInFront) {
    EditorFixture f;
    EditState& e = f.Load(u"abcdef");
    e.SetSel(2, 2);
    e.ForwardDelete(false);
    e.ForwardDelete(true);
    EXPECT_EQ(e.Text(), u"ab");
    e.Undo();
    EXPECT_EQ(e.Text(), u"abdef");
    EXPECT_EQ(e.Caret(), 2);
    e.Undo();
    EXPECT_EQ(e.Text(), u"abcdef");
    EXPECT_EQ(e.Caret(), 2);
    EXPECT_EQ(e.History().At(0).flags, kUndoDeleteForward);
}

TEST(Document, SurrogatePairsAreTypedAsTwoRecordsAndDeletedWhole) {
    EditorFixture f;
    EditState& e = f.Load(u"");
    Type(e, u"a\U0001F600b");
    EXPECT_EQ(e.History().Size(), 4);
    e.MoveLeft(false, false);
    e.MoveLeft(false, false);
    EXPECT_EQ(e.Caret(), 1);
    e.MoveRight(false, false);
    EXPECT_EQ(e.Caret(), 3);
    e.Backspace(false);
    EXPECT_EQ(e.Text(), u"ab");
    e.ForwardDelete(false);
    EXPECT_EQ(e.Text(), u"a");
}

}  // namespace
}  // namespace tavrin
