#include <gtest/gtest.h>

#include "editor_fakes.h"
#include "support/test_support.h"

namespace tavrin {
namespace {

using testing::EditorFixture;
using testing::U;

// Client width that leaves W pixels for text: scroll bar 16, margins 20 and 10.
constexpr int ClientFor(int available) { return available + 46; }

std::vector<int> RowCounts(const EditState& editor) {
    std::vector<int> counts;
    for (const RowRecord& row : editor.Rows()) {
        counts.push_back(row.charCount);
    }
    return counts;
}

TEST(RowBreaking, LongWordBreaksAtTheEdgeAndEveryRowTakesAFirstCharacter) {
    EditorFixture f(ClientFor(300));
    // 37 ASCII characters of 8 px fit: 288 + 8 < 300, 296 + 8 is not.
    f.Load(std::u16string(50, u'a'));
    EXPECT_EQ(RowCounts(f.editor), (std::vector<int>{37, 13}));
    EXPECT_TRUE(f.editor.Rows()[0].wrapsOn);
    EXPECT_TRUE(f.editor.Rows()[1].isContinuation);
    EXPECT_EQ(f.editor.Rows()[0].width, 296);

    // A character wider than the whole area still gets a row of its own.
    EditorFixture narrow(ClientFor(4));
    narrow.Load(u"\x07\x07");
    EXPECT_EQ(RowCounts(narrow.editor), (std::vector<int>{2}));  // 32 <= 200: the second still fits
}

TEST(RowBreaking, RowsTakeCharactersUntilWiderThan200PixelsInANarrowArea) {
    EditorFixture f(ClientFor(40));
    f.Load(std::u16string(60, u'a'));
    EXPECT_EQ(RowCounts(f.editor), (std::vector<int>{26, 26, 8}));  // 25 * 8 = 200 still takes one more
    f.Load(U("あいうえおかきくけこさしすせそたち"));
    EXPECT_EQ(RowCounts(f.editor), (std::vector<int>{13, 4}));
}

TEST(RowBreaking, WordWrapCarriesAnAsciiWordButNotAnOverflowingSpace) {
    EditorFixture f(ClientFor(300));
    f.Load(std::u16string(30, u'a') + u" " + std::u16string(10, u'b'));
    EXPECT_EQ(RowCounts(f.editor), (std::vector<int>{31, 10}));
    EXPECT_EQ(f.editor.Rows()[1].offset, 31);

    f.Load(std::u16string(37, u'a') + u" b");
    EXPECT_EQ(RowCounts(f.editor), (std::vector<int>{37, 2}));

    // A word without a non-word character before it on the row is broken at the edge.
    f.Load(std::u16string(40, u'c'));
    EXPECT_EQ(RowCounts(f.editor), (std::vector<int>{37, 3}));

    f.editor.SetWordWrap(false);
    f.editor.SetText(std::u16string(30, u'a') + u" " + std::u16string(10, u'b'));
    EXPECT_EQ(RowCounts(f.editor), (std::vector<int>{37, 4}));
}

TEST(RowBreaking, IdeographicCommaHangsOnceWithWordWrapAndWrapsWithout) {
    EditorFixture f(ClientFor(300));
    const std::u16string eighteen = U("あいうえおかきくけこさしすせそたちつ");  // 18 * 16 = 288
    f.Load(eighteen + U("、て"));
    EXPECT_EQ(RowCounts(f.editor), (std::vector<int>{19, 1}));
    EXPECT_EQ(f.editor.Rows()[0].width, 304);

    f.Load(eighteen + U("、、て"));
    EXPECT_EQ(RowCounts(f.editor), (std::vector<int>{19, 2}));

    // At the end of a paragraph the hanging mark takes the LF with it: no empty row follows.
    f.Load(eighteen + U("。\nて"));
    EXPECT_EQ(RowCounts(f.editor), (std::vector<int>{19, 1}));
    EXPECT_EQ(f.editor.Rows()[0].breakCount, 1);
    EXPECT_FALSE(f.editor.Rows()[0].wrapsOn);

    f.editor.SetWordWrap(false);
    f.editor.SetText(eighteen + U("、て"));
    EXPECT_EQ(RowCounts(f.editor), (std::vector<int>{18, 2}));
}

TEST(RowBreaking, TabsAdvanceToStopsAndSkipAStopCloserThanAnX) {
    EditorFixture f;
    f.Load(u"\tb");
    EXPECT_EQ(f.editor.OffsetToPoint(1).x, 20 + 32);  // tab unit 8 ("x"), stop every 4 units
    f.Load(u"abc\td");
    EXPECT_EQ(f.editor.OffsetToPoint(4).x, 20 + 32);
    // Heading characters are 12 px: after five of them the next stop is 4 px away, less than an x.
    f.Load(u"*aaaaa\tb");
    EXPECT_EQ(f.editor.OffsetToPoint(7).x, 20 + 96);
    EXPECT_TRUE(f.editor.SetTabStops(1, 2));
    EXPECT_EQ(f.editor.OffsetToPoint(7).x, 20 + 80);  // stops every 16 px: 60 leaves 4, so 80
    EXPECT_FALSE(f.editor.SetTabStops(1, 0));
    EXPECT_TRUE(f.editor.SetTabStops(0, 99));
    EXPECT_EQ(f.editor.Style().tabStop, 4);
}

TEST(RowBreaking, ControlCharactersAreAsWideAsTheirBoxedName) {
    EditorFixture f;
    f.Load(
        U("a\x07"
          "b\u200D"
          "c\u0099"
          "d"));
    EXPECT_EQ(f.editor.OffsetToPoint(2).x - f.editor.OffsetToPoint(1).x, 32);  // "BEL" + 8
    EXPECT_EQ(f.editor.OffsetToPoint(4).x - f.editor.OffsetToPoint(3).x, 32);  // "ZWJ" + 8
    EXPECT_EQ(f.editor.OffsetToPoint(6).x - f.editor.OffsetToPoint(5).x, 40);  // "SGCI" + 8
    EXPECT_EQ(ControlName(0), u"NUL");
    EXPECT_EQ(ControlName(0x9F), u"APC");
    EXPECT_EQ(ControlName(0x206F), u"NODS");
    EXPECT_TRUE(IsBoxedControl(0));
    EXPECT_FALSE(IsBoxedControl(u'\t'));
    EXPECT_FALSE(IsBoxedControl(0x2029 + 6));
}

TEST(RowBreaking, SurrogatePairsStayTogetherAndLoneSurrogatesAreCharacters) {
    EditorFixture f(ClientFor(300));
    std::u16string text;
    for (int i = 0; i < 20; ++i) {
        text += u"\U0001F600";
    }
    f.Load(text);
    EXPECT_EQ(RowCounts(f.editor), (std::vector<int>{36, 4}));  // 18 pairs of 16 px
    f.Load(
        u"a\xD800"
        "b\xDC00");
    EXPECT_EQ(f.editor.OffsetToPoint(4).x, 20 + 8 + 16 + 8 + 16);
}

TEST(LineClassification, HeadingsObjectsAndPlainText) {
    const auto kind = [](std::u16string_view text, bool title = false) {
        return ClassifyLine(text, 0, title);
    };
    EXPECT_EQ(kind(u"*見出し"), RowKind::Heading);
    EXPECT_EQ(kind(u"見出し", true), RowKind::Heading);
    EXPECT_EQ(kind(u"[[voice.wav]]"), RowKind::Sound);
    EXPECT_EQ(kind(u"[[voice.wav]]\nnext"), RowKind::Sound);
    EXPECT_EQ(kind(u"[[voice.WAV]]"), RowKind::Picture);  // exact comparison, case included
    EXPECT_EQ(kind(u"[[voice.wav]]x"), RowKind::Normal);
    EXPECT_EQ(kind(u"[[clip.mp4]]"), RowKind::Movie);
    EXPECT_EQ(kind(u"[[clip.m4a]]"), RowKind::Movie);
    EXPECT_EQ(kind(u"[[song.mp2]]"), RowKind::Sound);
    EXPECT_EQ(kind(u"[[photo]]"), RowKind::Picture);
    EXPECT_EQ(kind(u"[[x.mpeg4]]"), RowKind::Picture);  // "mpeg4": no list has it
    EXPECT_EQ(kind(u"[[x.wav.mp4]]"), RowKind::Movie);  // the last "." decides
    EXPECT_EQ(kind(u"[[]]"), RowKind::Normal);
    EXPECT_EQ(kind(u"[[a]]b]]"), RowKind::Normal);
    EXPECT_EQ(kind(u"text [[a.png]]"), RowKind::Normal);
    EXPECT_EQ(kind(u"[[" + std::u16string(259, u'n') + u"]]"), RowKind::Picture);
    EXPECT_EQ(kind(u"[[" + std::u16string(260, u'n') + u"]]"), RowKind::Normal);
    EXPECT_EQ(ReferenceExtension(u"a.b.jpeg"), u"jpeg");
    EXPECT_EQ(ReferenceExtension(u"noext"), u"");
}

TEST(RowTable, RecordsHoldOffsetsParagraphsHeightsAndKinds) {
    EditorFixture f(ClientFor(300));
    f.Load(U("*見出し\n") + std::u16string(40, u'a') + u"\n[[s.wav]]\n");
    const auto& rows = f.editor.Rows();
    ASSERT_EQ(rows.size(), 5u);
    EXPECT_EQ(rows[0].kind, RowKind::Heading);
    EXPECT_EQ(rows[0].charCount, 4);
    EXPECT_EQ(rows[0].height, 28);  // heading 24 + spacing 4
    EXPECT_EQ(rows[0].width, 72);   // the mark takes no room; 3 * 24
    EXPECT_EQ(rows[1].offset, 5);
    EXPECT_EQ(rows[1].charCount, 37);
    EXPECT_EQ(rows[2].paragraphStart, 5);
    EXPECT_EQ(rows[2].paragraphNumber, 2);
    EXPECT_EQ(rows[2].breakCount, 1);
    EXPECT_EQ(rows[3].kind, RowKind::Sound);
    EXPECT_EQ(rows[3].objectIndex, 0);
    EXPECT_EQ(rows[3].charCount, 9);
    EXPECT_EQ(rows[3].height, 28);  // media bar max(24, 16 + 4) + padding 4
    EXPECT_EQ(rows[3].width, 302);
    EXPECT_EQ(rows[4].charCount, 0);  // the empty row after the final LF
    EXPECT_EQ(rows[4].breakCount, 0);
    EXPECT_EQ(rows[0].top, 10);
    EXPECT_EQ(rows[4].top, 10 + 28 + 20 + 20 + 28);
    EXPECT_EQ(f.editor.ContentHeight(), 10 + 28 + 20 + 20 + 28 + 20 + 10);
    EXPECT_EQ(f.editor.ParagraphCount(), 4);
    EXPECT_EQ(f.editor.RowCount(), 5);
    EXPECT_EQ(f.editor.LineIndex(1), 5);
    EXPECT_EQ(f.editor.LineIndex(5), -1);
    EXPECT_EQ(f.editor.LineIndex(-2), -1);
}

TEST(RowTable, TitleLineMakesTheFirstLineAHeadingAndMeasuresItsMark) {
    EditorFixture f;
    f.editor.SetTitleLine(true, true);
    f.Load(u"*ab\ncd");
    EXPECT_EQ(f.editor.Rows()[0].kind, RowKind::Heading);
    EXPECT_EQ(f.editor.Rows()[0].width, 36);          // "*" measured for wrapping on a title line
    EXPECT_EQ(f.editor.OffsetToPoint(2).x, 20 + 12);  // but never drawn
    f.Load(u"plain\n*head");
    EXPECT_EQ(f.editor.Rows()[0].kind, RowKind::Heading);
    EXPECT_EQ(f.editor.Rows()[1].kind, RowKind::Heading);
    f.editor.SetTitleLine(false, true);
    EXPECT_EQ(f.editor.Rows()[0].kind, RowKind::Normal);
}

TEST(ObjectRows, PicturesScaleDownToTheAreaAndMissingOnesGetThePlaceholder) {
    EditorFixture f(ClientFor(600));
    f.pictures.sizes[u"big.png"] = {1000, 500};
    f.pictures.sizes[u"small.png"] = {100, 80};
    f.Load(u"[[big.png]]\n[[small.png]]\n[[gone.png]]\n[[m.mp4]]");
    const auto& rows = f.editor.Rows();
    EXPECT_EQ(rows[0].width, 600);
    EXPECT_EQ(rows[0].height, 299 + 4);  // 598 / 1000 * 500
    EXPECT_EQ(rows[1].width, 102);
    EXPECT_EQ(rows[1].height, 84);
    EXPECT_EQ(rows[2].width, 202);
    EXPECT_EQ(rows[2].height, 154);
    EXPECT_EQ(rows[2].objectIndex, 2);
    EXPECT_EQ(rows[3].width, 602);
    EXPECT_EQ(rows[3].height, 338 + 24);  // 602 / 16 * 9 above the control strip
    EXPECT_EQ(rows[3].objectIndex, 0);
    EXPECT_TRUE(f.editor.CanAddPicture());
}

// On a 200 % screen, with fonts twice as large and a client area twice as large, the editor breaks the
// same rows as at 96 DPI and every row, margin, picture, placeholder and media bar is twice the size: a
// picture's own pixels count as 96-DPI pixels. The 96-DPI editor is the reference.
TEST(ObjectRows, AtTwiceTheDpiEveryRowIsThe96DpiRowDoubled) {
    const std::u16string text =
        u"*見出しの行はここまで長く続いてから折り返すことになります\n"
        u"An ASCII line that wraps at word boundaries, and then keeps going for a while.\n"
        u"\tタブと、読点。が入った日本語の行もここで折り返されるくらいの長さがあります。\n"
        u"[[big.png]]\n[[small.png]]\n[[gone.png]]\n[[song.mp3]]\n[[m.mp4]]\n"
        u"最後の行";
    EditorFixture normal(ClientFor(400), 300);
    EditorFixture doubled(2 * ClientFor(400), 600);
    doubled.measurer.dpiFactor = 2;
    doubled.editor.SetDpi(192);
    for (EditorFixture* f : {&normal, &doubled}) {
        f->pictures.sizes[u"big.png"] = {1000, 500};
        f->pictures.sizes[u"small.png"] = {100, 80};
        f->editor.SetTitleLine(true, false);
        f->Load(text);
    }
    EXPECT_EQ(doubled.editor.AvailableWidth(), 2 * normal.editor.AvailableWidth());
    const auto& rows96 = normal.editor.Rows();
    const auto& rows = doubled.editor.Rows();
    ASSERT_EQ(rows.size(), rows96.size());
    for (std::size_t i = 0; i < rows.size(); ++i) {
        RowRecord expected = rows96[i];
        expected.width *= 2;
        expected.height *= 2;
        expected.top *= 2;
        EXPECT_EQ(rows[i], expected) << "row " << i;
    }
    EXPECT_EQ(doubled.editor.ContentHeight(), 2 * normal.editor.ContentHeight());
    const auto picture = [&rows](int index) {
        for (const RowRecord& row : rows) {
            if (row.kind == RowKind::Picture && row.objectIndex == index) {
                return row;
            }
        }
        return RowRecord{};
    };
    EXPECT_EQ(picture(1).width, 2 * 102) << "a 100-pixel picture is shown 200 pixels wide";
    EXPECT_EQ(picture(2).height, 2 * 154) << "the placeholder is 400 x 300";
    const EditorPoint end96 = normal.editor.OffsetToPoint(static_cast<int>(text.size()));
    const EditorPoint end = doubled.editor.OffsetToPoint(static_cast<int>(text.size()));
    EXPECT_EQ(end, (EditorPoint{2 * end96.x, 2 * end96.y}));
    EXPECT_EQ(doubled.editor.PointToOffset(end.x, end.y + 2, false).offset, static_cast<int>(text.size()));

    // Back on a 96-DPI screen the same editor lays out as the reference again.
    doubled.measurer.dpiFactor = 1;
    doubled.editor.SetDpi(96);
    doubled.editor.Resize(ClientFor(400), 300);
    EXPECT_EQ(doubled.editor.Rows(), rows96);
}

TEST(ObjectRows, PicturesAreReloadedOnlyWhenTheirReferenceChanges) {
    EditorFixture f;
    f.pictures.sizes[u"a.png"] = {300, 100};
    f.pictures.sizes[u"b.png"] = {100, 50};
    f.Load(u"text\n[[a.png]]\n");
    EXPECT_EQ(f.pictures.loads, (std::vector<std::u16string>{u"a.png"}));
    f.editor.SetSel(2, 2);
    f.editor.Char(u'x', false, false);  // an edit elsewhere reloads nothing
    f.editor.Resize(700, 400);
    EXPECT_EQ(f.pictures.loads.size(), 1u);
    // Renaming the reference shows the new picture at once.
    f.editor.SetSel(8, 9);
    f.editor.Char(u'b', false, false);
    EXPECT_EQ(f.pictures.loads.back(), u"b.png");
    EXPECT_EQ(f.editor.Rows()[1].height, 54);
    // Removing the line releases the slot.
    f.editor.SetSel(6, 16);
    f.editor.Backspace(false);
    EXPECT_EQ(f.pictures.releasedTo, 0);
    EXPECT_TRUE(f.editor.Pictures().empty());
}

TEST(ObjectRows, TooLongReferencesAreNeverLoaded) {
    EditorFixture f;
    f.Load(u"[[" + std::u16string(256, u'p') + u"]]");
    EXPECT_EQ(f.editor.Rows()[0].kind, RowKind::Picture);
    EXPECT_TRUE(f.pictures.loads.empty());
    EXPECT_EQ(f.editor.Rows()[0].height, 154);
}

TEST(Positions, OffsetToPointAndBackWithRounding) {
    EditorFixture f;
    f.Load(U("abあい\n*見出し"));  // a0 b1 あ2 い3 LF4 *5 見6 出7 し8
    EXPECT_EQ(f.editor.OffsetToPoint(0), (EditorPoint{20, 10}));
    EXPECT_EQ(f.editor.OffsetToPoint(3), (EditorPoint{20 + 32, 10}));
    EXPECT_EQ(f.editor.OffsetToPoint(4), (EditorPoint{20 + 48, 10}));  // before the LF
    EXPECT_EQ(f.editor.OffsetToPoint(5), (EditorPoint{20, 30}));       // heading row start
    EXPECT_EQ(f.editor.OffsetToPoint(6), (EditorPoint{20, 30}));       // behind the invisible mark
    EXPECT_EQ(f.editor.OffsetToPoint(7), (EditorPoint{20 + 24, 30}));

    EXPECT_EQ(f.editor.PointToOffset(20 + 39, 15, false).offset, 3);  // inside "い" (32..48)
    EXPECT_EQ(f.editor.PointToOffset(20 + 39, 15, true).offset, 3);   // left half
    EXPECT_EQ(f.editor.PointToOffset(20 + 41, 15, true).offset, 4);   // right half
    EXPECT_EQ(f.editor.PointToOffset(500, 15, true).offset, 4);       // beyond the row
    EXPECT_EQ(f.editor.PointToOffset(5, 35, true).offset, 6);         // left of the margin: behind the mark
    EXPECT_EQ(f.editor.PointToOffset(30, 2, true).offset, 0);         // above the first row
    EXPECT_EQ(f.editor.PointToOffset(30, 300, true).offset, 9);       // below the last row
    for (int offset : {0, 1, 2, 3, 4, 6, 7, 8, 9}) {
        const EditorPoint point = f.editor.OffsetToPoint(offset);
        EXPECT_EQ(f.editor.PointToOffset(point.x, point.y + 1, true).offset, offset) << offset;
    }
}

TEST(Positions, ClickPastAWrappedRowMarksTheCaretAtTheRowEnd) {
    EditorFixture f(ClientFor(300));
    f.Load(std::u16string(50, u'a'));
    const PointHit hit = f.editor.PointToOffset(340, 15, true);
    EXPECT_EQ(hit.offset, 37);
    EXPECT_TRUE(hit.atRowEnd);
    EXPECT_FALSE(f.editor.PointToOffset(340, 35, true).atRowEnd);
    // A click puts the caret there; it is drawn at the end of the first row.
    f.editor.LButtonDown(340, 15, false, false);
    f.editor.LButtonUp(340, 15);
    EXPECT_TRUE(f.editor.CaretAtRowEnd());
    EXPECT_EQ(f.editor.CaretRow(), 1);
    EXPECT_EQ(f.editor.CaretVisualRow(), 0);
    const CaretPlacement place = f.editor.CaretPlace();
    EXPECT_EQ(place.x, 20 + 296);
    EXPECT_EQ(place.y, 10);
}

TEST(Positions, ObjectRowsHitWholeAndReportTheirIndex) {
    EditorFixture f;
    f.Load(u"[[a.wav]]\n[[b.png]]");
    const PointHit left = f.editor.PointToOffset(30, 15, true);
    EXPECT_EQ(left.objectHit, kHitSound);
    EXPECT_EQ(left.objectIndex, 0);
    EXPECT_EQ(left.offset, 0);
    EXPECT_EQ(f.editor.PointToOffset(500, 15, true).offset, 9);
    const PointHit picture = f.editor.PointToOffset(100, 50, true);
    EXPECT_EQ(picture.objectHit, kHitPicture);
    EXPECT_EQ(f.editor.PointToOffset(300, 50, true).objectHit, 0);  // beyond the 202-px box
    char16_t name[256] = {};
    const EditorPoint on{100, 50};
    EXPECT_EQ(f.editor.GetObjectName(&on, name), 5);
    EXPECT_EQ(std::u16string(name), u"b.png");
    EXPECT_EQ(f.editor.GetObjectName(nullptr, name), -1);
    EXPECT_EQ(f.editor.OffsetToPoint(5).x, 20 + 556);  // inside the object: right of the box (W + 2)
}

TEST(Scrolling, RangeCaretIntoViewAndSteps) {
    EditorFixture f(600, 100);
    std::u16string text;
    for (int i = 0; i < 20; ++i) {
        text += u"line\n";
    }
    f.Load(text);  // 21 rows of 20 px + 20 = 440
    EXPECT_EQ(f.editor.ContentHeight(), 440);
    EXPECT_EQ(f.editor.ScrollMaximum(), 340);
    EXPECT_EQ(f.observer.scroll, (ScrollBarState{440, 0, 100}));
    f.editor.SetSel(50, 50);  // row 10, top 210
    EXPECT_EQ(f.editor.ScrollOffset(), 210 + 20 + 10 - 100);
    f.editor.SetSel(0, 0);
    EXPECT_EQ(f.editor.ScrollOffset(), 0);
    f.editor.Scroll(ScrollCode::LineDown, 0);
    EXPECT_EQ(f.editor.ScrollOffset(), 20);
    f.editor.Scroll(ScrollCode::PageDown, 0);
    EXPECT_EQ(f.editor.ScrollOffset(), 120);
    f.editor.Scroll(ScrollCode::Bottom, 0);
    EXPECT_EQ(f.editor.ScrollOffset(), 340);
    f.editor.Scroll(ScrollCode::LineDown, 0);
    EXPECT_EQ(f.editor.ScrollOffset(), 340);
    f.editor.Scroll(ScrollCode::ThumbTrack, 77);
    EXPECT_EQ(f.editor.ScrollOffset(), 77);
    f.editor.LineScroll(-100);
    EXPECT_EQ(f.editor.ScrollOffset(), 0);
    EXPECT_EQ(f.editor.Wheel(120, false).code, ScrollCode::LineUp);
    EXPECT_EQ(f.editor.Wheel(-120, false).count, 6);
    EXPECT_EQ(f.editor.Wheel(-120, true).count, 1);
    f.editor.SetText(u"");
    EXPECT_EQ(f.observer.scroll, (ScrollBarState{}));
}

TEST(Painting, RowCellsCarryKindsPositionsAndLinksAcrossWrappedRows) {
    EditorFixture f(ClientFor(300));
    const std::u16string url = u"http://example.com/" + std::u16string(30, u'p');
    f.Load(U("*見\n") + u"a\t\x07\U0001F600 " + url + U(" 終"));
    const std::vector<RowCell> heading = f.editor.RowCells(0);
    ASSERT_EQ(heading.size(), 2u);
    EXPECT_EQ(heading[0].kind, CellKind::HeadingMark);
    EXPECT_EQ(heading[0].width, 0);
    EXPECT_EQ(heading[1].x, 20);
    EXPECT_EQ(heading[1].width, 24);

    // Word wrap carries the URL to the next row: this row ends with the space.
    const std::vector<RowCell> cells = f.editor.RowCells(1);
    ASSERT_EQ(cells.size(), 5u);
    EXPECT_EQ(cells[0].kind, CellKind::Text);
    EXPECT_EQ(cells[1].kind, CellKind::Tab);
    EXPECT_EQ(cells[1].x, 28);
    EXPECT_EQ(cells[1].width, 24);
    EXPECT_EQ(cells[2].kind, CellKind::Control);
    EXPECT_EQ(cells[2].width, 32);
    EXPECT_EQ(cells[3].kind, CellKind::Pair);
    EXPECT_EQ(cells[3].units, 2);
    EXPECT_EQ(cells[4].link, LinkKind::None);
    // The URL fills the next row and runs on over the row boundary; the text after it is no link.
    const std::vector<RowCell> url1 = f.editor.RowCells(2);
    ASSERT_EQ(url1.size(), 37u);
    EXPECT_EQ(url1.front().link, LinkKind::Url);
    EXPECT_EQ(url1.back().link, LinkKind::Url);
    const std::vector<RowCell> url2 = f.editor.RowCells(3);
    ASSERT_EQ(url2.size(), 12u + 2u);
    EXPECT_EQ(url2.front().link, LinkKind::Url);
    EXPECT_EQ(url2[11].link, LinkKind::Url);
    EXPECT_EQ(url2[12].link, LinkKind::None);
    EXPECT_TRUE(f.editor.RowCells(7).empty());
    EXPECT_EQ(f.editor.RowTextY(0), 10 + 28 - 24 - 2);
    EXPECT_EQ(f.editor.RowTextY(1), 38 + 20 - 16 - 2);
}

TEST(Painting, VisibleRowsFollowTheScrollOffset) {
    EditorFixture f(600, 100);
    std::u16string text;
    for (int i = 0; i < 20; ++i) {
        text += u"row\n";
    }
    f.Load(text);
    EXPECT_EQ(f.editor.VisibleRows(), (std::pair<int, int>{0, 4}));  // tops 10, 30, 50, 70, 90
    f.editor.Scroll(ScrollCode::ThumbPosition, 35);
    EXPECT_EQ(f.editor.VisibleRows(), (std::pair<int, int>{1, 6}));
    f.Load(u"");
    EXPECT_GT(f.editor.VisibleRows().first, f.editor.VisibleRows().second);
}

TEST(FontTable, CachesWidthsAndCreatesFontsOnDemand) {
    EditorFixture f;
    FontTable& fonts = f.editor.Fonts();
    EXPECT_EQ(fonts.Count(), 8);
    EXPECT_EQ(fonts.PointsOf(FontTable::kHeading), 18);
    EXPECT_EQ(fonts.PointsOf(FontTable::kSmall), 9);
    EXPECT_EQ(fonts.StyleOf(FontTable::kLink), kFontUnderline);
    EXPECT_EQ(fonts.Select(12, kFontUnderline), 1);
    EXPECT_EQ(fonts.Select(18, kFontUnderline), 8);
    EXPECT_EQ(fonts.Count(), 9);
    for (int points = 30; fonts.Count() < FontTable::kMaxFonts; ++points) {
        fonts.Select(points, 0);
    }
    EXPECT_EQ(fonts.Select(18, kFontItalic), 2);  // full: the first entry of that size
    EXPECT_EQ(fonts.Select(99, kFontItalic), 0);
    EXPECT_EQ(fonts.GlyphCell(), 12);
    EXPECT_EQ(fonts.MediaBarHeight(), 24);

    const std::u16string text = U("漢字かな漢字かな");
    f.Load(text);
    const int calls = f.measurer.measureCalls;
    f.editor.SetSel(0, 0);
    f.editor.Char(u'x', false, false);
    EXPECT_EQ(f.measurer.measureCalls, calls);  // every width came from the caches
}

}  // namespace
}  // namespace tavrin
