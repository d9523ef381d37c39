#include <gtest/gtest.h>

#include "editor_fakes.h"
#include "support/test_support.h"

namespace tavrin {
namespace {

using testing::EditorFixture;
using testing::U;

// Client point of the middle of the character at offset (rows are 20 px high from y = 10).
EditorPoint On(EditState& e, int offset) {
    const EditorPoint p = e.OffsetToPoint(offset);
    return {p.x + 3, p.y + 5};
}

TEST(Clipboard, CopiesTheSelectionWithCrLfOrTheCaretRowAsAWholeRow) {
    EditorFixture f(300 + 46);
    EditState& e = f.Load(u"ab\ncd\rxy\n" + std::u16string(30, u'\u3042'));
    e.SetSel(0, 8);
    EXPECT_TRUE(e.Copy(f.clipboard));
    EXPECT_EQ(f.clipboard.content.text, u"ab\r\ncd\r\nxy");
    EXPECT_FALSE(f.clipboard.content.lineFormat);
    e.SetSel(12, 12);  // on the wrapped paragraph: only its display row (18 ideographs fit)
    e.Copy(f.clipboard);
    EXPECT_EQ(f.clipboard.content.text, std::u16string(18, u'\u3042') + u"\r\n");
    EXPECT_TRUE(f.clipboard.content.lineFormat);
    f.clipboard.content = {};
    f.Load(u"");
    EXPECT_TRUE(e.Copy(f.clipboard));
    EXPECT_FALSE(f.clipboard.content.text.has_value());
}

TEST(Clipboard, AWholeRowIsPastedAboveTheCaretRowAndTheCaretKeepsItsPlace) {
    EditorFixture f;
    EditState& e = f.Load(u"abc\ndef");
    e.SetSel(5, 5);
    f.clipboard.content = {u"row\r\n", true, {}};
    EXPECT_TRUE(e.Paste(f.clipboard));
    EXPECT_EQ(e.Text(), u"abc\nrow\ndef");
    EXPECT_EQ(e.Caret(), 9);
    e.Undo();
    EXPECT_EQ(e.Text(), u"abc\ndef");
    EXPECT_EQ(e.Caret(), 5);

    f.clipboard.content = {u"x\r\ny\rz", false, {}};
    e.Paste(f.clipboard);
    EXPECT_EQ(e.Text(), u"abc\ndx\ny\nzef");
    f.clipboard.content = {std::nullopt, false, {u"C:\\a.txt", u"D:\\b c.png"}};
    e.SetSel(0, 0);
    e.Paste(f.clipboard);
    EXPECT_EQ(e.Text().substr(0, 20), u"C:\\a.txt\nD:\\b c.png\n");
    EXPECT_EQ(e.History().Top(), 2);
}

TEST(Clipboard, CuttingARowKeepsTheCaretsColumnOnTheRowThatMovesUp) {
    EditorFixture f;
    EditState& e = f.Load(u"first\nsecond\nthird");
    e.SetSel(8, 8);
    EXPECT_TRUE(e.Cut(f.clipboard));
    EXPECT_EQ(e.Text(), u"first\nthird");
    EXPECT_EQ(e.Caret(), 8);
    EXPECT_EQ(f.clipboard.content.text, u"second\r\n");
    EXPECT_TRUE(f.clipboard.content.lineFormat);
    e.Undo();
    EXPECT_EQ(e.Text(), u"first\nsecond\nthird");

    f.clipboard.failPut = true;
    EXPECT_FALSE(e.Cut(f.clipboard));
    EXPECT_EQ(e.Text(), u"first\nsecond\nthird");
    f.clipboard.failPut = false;
    e.SetSel(1, 3);
    EXPECT_TRUE(e.Cut(f.clipboard));
    EXPECT_EQ(e.Text(), u"fst\nsecond\nthird");
    EXPECT_EQ(f.clipboard.content.text, u"ir");
}

TEST(Mouse, ASingleClickOpensALinkOnlyWhenReleasedOnTheSamePixel) {
    EditorFixture f;
    EditState& e = f.Load(u"see http://example.com/x now");
    const EditorPoint p = On(e, 10);
    EXPECT_EQ(e.MouseMove(p.x, p.y), CursorKind::Hand);
    EXPECT_TRUE(e.LButtonDown(p.x, p.y, false, false).capture);
    EXPECT_TRUE(e.LButtonUp(p.x, p.y));
    EXPECT_EQ(e.Anchor(), 4);
    EXPECT_EQ(e.Caret(), 24);
    EXPECT_EQ(f.observer.Count(EditorNotification::OpenLink), 1);
    EXPECT_EQ(f.observer.notifications.back(), EditorNotification::OpenLink);

    // Dragging from a link selects text and opens nothing.
    f.observer.notifications.clear();
    e.LButtonDown(p.x, p.y, false, false);
    const EditorPoint q = On(e, 26);
    e.MouseMove(q.x, q.y);
    e.LButtonUp(q.x, q.y);
    EXPECT_EQ(f.observer.Count(EditorNotification::OpenLink), 0);
    EXPECT_EQ(e.Anchor(), 10);
    EXPECT_EQ(e.Caret(), 26);
    EXPECT_EQ(e.MouseMove(On(e, 1).x, On(e, 1).y), CursorKind::IBeam);
}

TEST(Mouse, DoubleClicksSelectWordsOrOpenLinksAndPictures) {
    EditorFixture f;
    EditState& e = f.Load(U("今日はwww.example.jpで\n[[p.png]]"));
    e.LButtonDown(On(e, 1).x, On(e, 1).y, false, false);
    e.LButtonUp(On(e, 1).x, On(e, 1).y);
    e.LButtonDblClk(On(e, 1).x, On(e, 1).y);
    EXPECT_EQ(e.Anchor(), 0);
    EXPECT_EQ(e.Caret(), 2);
    EXPECT_TRUE(e.Selecting());
    e.LButtonUp(On(e, 1).x, On(e, 1).y);

    e.SetDoubleClickLink(true);
    const EditorPoint link = On(e, 6);
    e.LButtonDown(link.x, link.y, false, false);
    e.LButtonUp(link.x, link.y);
    EXPECT_EQ(f.observer.Count(EditorNotification::OpenLink), 0);  // single clicks no longer open
    e.LButtonDblClk(link.x, link.y);
    EXPECT_EQ(e.Anchor(), 3);
    EXPECT_EQ(e.Caret(), 17);
    EXPECT_EQ(f.observer.Count(EditorNotification::OpenLink), 1);

    e.LButtonDblClk(60, 60);
    EXPECT_EQ(f.observer.Count(EditorNotification::OpenObject), 1);
    EXPECT_EQ(e.MouseMove(60, 60), CursorKind::Arrow);
}

TEST(Mouse, CtrlClickSelectsTheWordOrLinkAndDragExtendsByWords) {
    EditorFixture f;
    EditState& e = f.Load(u"alpha beta gamma http://x.jp");
    e.LButtonDown(On(e, 7).x, On(e, 7).y, false, true);
    EXPECT_EQ(e.Anchor(), 6);
    EXPECT_EQ(e.Caret(), 10);
    e.MouseMove(On(e, 13).x, On(e, 13).y);
    EXPECT_EQ(e.Anchor(), 6);
    EXPECT_EQ(e.Caret(), 16);
    e.MouseMove(On(e, 1).x, On(e, 1).y);
    EXPECT_EQ(e.Anchor(), 10);
    EXPECT_EQ(e.Caret(), 0);
    e.LButtonUp(On(e, 1).x, On(e, 1).y);
    e.LButtonDown(On(e, 20).x, On(e, 20).y, false, true);
    EXPECT_EQ(e.Anchor(), 17);
    EXPECT_EQ(e.Caret(), 28);
    e.LButtonUp(On(e, 20).x, On(e, 20).y);
    // Shift keeps the anchor.
    e.SetSel(2, 2);
    e.LButtonDown(On(e, 12).x, On(e, 12).y, true, false);
    EXPECT_EQ(e.Anchor(), 2);
    EXPECT_EQ(e.Caret(), 12);
    e.LButtonUp(On(e, 12).x, On(e, 12).y);
}

TEST(Mouse, MediaRowsAreLeftToThePlayer) {
    EditorFixture f;
    EditState& e = f.Load(u"[[a.wav]]\n[[b.mp4]]");
    e.SetSel(3, 3);
    const MouseDownResult sound = e.LButtonDown(40, 15, false, false);
    EXPECT_EQ(sound.mediaHit, kHitSound);
    EXPECT_EQ(sound.mediaIndex, 0);
    EXPECT_FALSE(sound.capture);
    EXPECT_EQ(e.Caret(), 3);
    const MouseDownResult movie = e.LButtonDown(40, 60, false, false);
    EXPECT_EQ(movie.mediaHit, kHitMovie);
    EXPECT_EQ(movie.mediaIndex, 1);
}

TEST(Links, GetLinkKindSelectsTheLinkAtTheCaretOrClassifiesTheSelection) {
    EditorFixture f;
    EditState& e = f.Load(U("予定 2024/03/10 #旅行 メール taro@example.jp"));
    e.SetSel(3, 13);
    EXPECT_EQ(e.GetLinkKind(), LinkKind::Date);
    e.SetSel(14, 17);
    EXPECT_EQ(e.GetLinkKind(), LinkKind::HashTag);
    EXPECT_EQ(e.LastLinkKind(), LinkKind::HashTag);
    e.SetSel(28, 28);
    EXPECT_EQ(e.GetLinkKind(), LinkKind::Mail);
    EXPECT_EQ(e.Anchor(), 22);
    EXPECT_EQ(e.Caret(), 37);
    e.SetSel(5, 5);  // a date under the caret is not found by pointing
    EXPECT_EQ(e.GetLinkKind(), LinkKind::None);
    EXPECT_EQ(e.Caret(), 5);
    f.Load(u"*http://x.jp");
    e.SetSel(5, 5);
    EXPECT_EQ(e.GetLinkKind(), LinkKind::None);  // headings hold no links
}

TEST(Ime, ReconversionPlacementAndFont) {
    EditorFixture f;
    EditState& e = f.Load(U("前の行\n今日は晴れ"));
    e.SetSel(5, 5);
    const ReconvertRequest request = e.Reconvert();
    EXPECT_EQ(request.line, U("今日は晴れ"));
    EXPECT_EQ(request.targetOffset, 0);
    EXPECT_EQ(request.targetLength, 2);
    EXPECT_EQ(e.Caret(), 4);
    EXPECT_EQ(e.Anchor(), 6);
    e.SetSel(6, 6);
    const CompositionPlacement place = e.ImePlacement();
    EXPECT_EQ(place.point, (EditorPoint{20 + 32, 30 + 2}));
    EXPECT_EQ(place.left, 20);
    EXPECT_EQ(place.right, 600 - 16 - 10);
    EXPECT_EQ(place.bottom, 400 - 10);
    EXPECT_EQ(e.ImeFontSlot(), FontTable::kNormal);
    EXPECT_TRUE(e.InsertImeResult(U("雨")));
    EXPECT_EQ(e.Text(), U("前の行\n今日雨は晴れ"));
    f.Load(u"*h");
    EXPECT_EQ(e.ImeFontSlot(), FontTable::kHeading);
    f.Load(u"\nempty line above");
    e.SetSel(0, 0);
    EXPECT_TRUE(e.Reconvert().line.empty());
}

TEST(Caret, PositionForTheCaretAndTheContextMenu) {
    EditorFixture f(600, 100);
    EditState& e = f.Load(u"");
    EditorPoint point{-1, -1};
    EXPECT_EQ(e.GetCaretPos(&point), 20);
    EXPECT_EQ(point, (EditorPoint{20, 10}));
    std::u16string text;
    for (int i = 0; i < 10; ++i) {
        text += u"abc\n";
    }
    f.Load(text);
    e.SetSel(6, 6);
    EXPECT_EQ(e.GetCaretPos(&point), 20);
    EXPECT_EQ(point, (EditorPoint{20 + 16, 30}));
    e.Scroll(ScrollCode::Bottom, 0);  // the caret's row is above the window now
    EXPECT_EQ(e.CaretPlace().x, -100);
    e.GetCaretPos(&point);
    EXPECT_EQ(point, (EditorPoint{0, 0}));
}

}  // namespace
}  // namespace tavrin
