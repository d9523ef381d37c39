#include <gtest/gtest.h>

#include <climits>

#include "editor_fakes.h"
#include "support/test_support.h"

namespace tavrin {
namespace {

using testing::EditorFixture;

TEST(BadInput, AMillionCharacterLineStaysUsable) {
    EditorFixture f(600, 400);
    std::u16string line(1000000, u'a');
    for (std::size_t i = 7; i < line.size(); i += 9973) {
        line[i] = u' ';
    }
    EditState& e = f.Load(line);
    ASSERT_GT(e.RowCount(), 10000);
    EXPECT_EQ(e.Rows().back().End(), 1000000);
    e.SetSel(500000, 500000);
    e.Char(u'x', false, false);
    EXPECT_EQ(e.Length(), 1000001);
    e.MoveDown(false);
    e.MovePage(true, false);
    e.MoveEnd(false, false);
    e.MoveLeft(true, false);
    const auto [first, last] = e.VisibleRows();
    ASSERT_LE(first, last);
    for (int row = first; row <= last; ++row) {
        EXPECT_FALSE(e.RowCells(row).empty());
    }
    static_cast<void>(e.HitTestLink(100, 100));
    e.LButtonDown(100, 100, false, false);
    e.MouseMove(100, 300);
    e.LButtonUp(100, 300);
    EXPECT_TRUE(e.Undo());
    EXPECT_EQ(e.Text(), line);
    testing::InvariantChecker checker(f.measurer, nullptr);
    EXPECT_EQ(checker.Check(e), "");
}

TEST(BadInput, ExtremeCoordinatesSizesAndStyleValuesAreClamped) {
    EditorFixture f;
    EditState& e = f.Load(u"*head\nline one\n[[a.png]]\n\x01\xD800\xDFFF\0end");
    for (const int x : {INT_MIN, -1, 0, 20, INT_MAX}) {
        for (const int y : {INT_MIN, -1, 0, 15, INT_MAX}) {
            const PointHit hit = e.PointToOffset(x, y, true);
            EXPECT_GE(hit.offset, 0);
            EXPECT_LE(hit.offset, e.Length());
            static_cast<void>(e.HitTestLink(x, y));
            e.LButtonDown(x, y, x < 0, y < 0);
            e.MouseMove(y, x);
            e.LButtonUp(x, y);
            e.LButtonDblClk(x, y);
            EXPECT_LE(e.SelectionEnd(), e.Length());
        }
    }
    e.Scroll(ScrollCode::ThumbTrack, INT_MIN);
    EXPECT_EQ(e.ScrollOffset(), 0);
    e.LineScroll(LLONG_MAX);
    EXPECT_EQ(e.ScrollOffset(), e.ScrollMaximum());
    e.LineScroll(LLONG_MIN);
    EXPECT_EQ(e.ScrollOffset(), 0);
    EXPECT_EQ(e.LineIndex(LLONG_MIN), -1);
    EXPECT_EQ(e.LineIndex(LLONG_MAX), -1);
    e.SetSel(LLONG_MIN, LLONG_MAX);
    EXPECT_EQ(e.Anchor(), 0);
    EXPECT_EQ(e.Caret(), e.Length());

    e.Resize(INT_MIN, INT_MAX);
    e.Resize(-5, -5);
    EXPECT_GT(e.RowCount(), 0);  // laid out even without a client area
    DisplayStyle style;
    style.fontSize = INT_MAX;
    style.fontSizeHead = INT_MAX;
    style.lineSpacing = INT_MIN;
    style.tabStop = INT_MAX;
    style.margins = {INT_MIN, INT_MAX, INT_MAX, INT_MIN};
    style.headingPadding = {0, INT_MAX, 0, INT_MAX};
    style.scrollLines = INT_MAX;
    EXPECT_TRUE(e.SetStyle(&style));
    EXPECT_FALSE(e.SetStyle(nullptr));
    for (const RowRecord& row : e.Rows()) {
        EXPECT_GE(row.height, 1);
    }
    EXPECT_LE(e.Wheel(-1, false).count, 100);
    e.SetLineSpacing(INT_MIN);
    EXPECT_TRUE(e.SetTabStops(1, LLONG_MAX));
    e.Resize(600, 400);
    e.MovePage(true, false);
    e.MovePage(false, true);
    testing::InvariantChecker checker(f.measurer, nullptr);
    EXPECT_EQ(checker.Check(e), "");
}

TEST(BadInput, EveryControlCharacterAndLoneSurrogateLaysOutAndEdits) {
    EditorFixture f(200, 200);
    std::u16string text;
    for (char16_t c = 0; c < 0x100; ++c) {
        text.push_back(c);
    }
    text += u"\xD800\xD800\xDC00\xDC00\x200C\x202E\x206F\xFFFF\xFEFF";
    EditState& e = f.Load(text);
    testing::InvariantChecker checker(f.measurer, nullptr);
    EXPECT_EQ(checker.Check(e), "");
    for (int i = 0; i < e.Length() + 2; ++i) {
        e.MoveRight(i % 3 == 0, false);
    }
    EXPECT_EQ(e.Caret(), e.Length());
    while (e.Length() > 0) {
        ASSERT_TRUE(e.Backspace(e.Length() % 5 == 0));
    }
    while (e.CanUndo()) {
        e.Undo();
    }
    EXPECT_EQ(e.Text(), text);
    EXPECT_FALSE(e.Modified());
    EXPECT_EQ(checker.Check(e), "");
}

}  // namespace
}  // namespace tavrin
