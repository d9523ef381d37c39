// What the editor paints, recorded through a canvas double over the core with fixed-width fonts
// (ASCII 8 px, others 16 px at 12 points; line heights 16 normal, 24 heading, 12 small).
#include "editor/editor_paint.h"

#include <gtest/gtest.h>

#include "editor_fakes.h"
#include "recording_editor_canvas.h"

namespace tavrin {
namespace {

using testing::EditorCall;
using testing::EditorFixture;
using testing::RecordingEditorCanvas;
using Kind = EditorCall::Kind;

constexpr std::uint32_t kText = 0x000000;
constexpr std::uint32_t kBack = 0xFFFFFF;
constexpr std::uint32_t kHead = 0xE8A200;
constexpr std::uint32_t kUrl = 0xFF8800;

DisplayStyle StyleRecord(int a1, int a2, int a3, bool shadow) {
    DisplayStyle record;
    const std::u16string face = u"メイリオ";
    std::copy(face.begin(), face.end(), record.faceName.begin());
    record.fontSize = 12;
    record.fontSizeHead = 150;
    record.colors = {0x000000, 0xFFFFFF, 0, 0, 0xE8A200, 0, 0, 0, 0xFF8800, 0x8800FF, 0x0088FF, 0, 0, 0};
    record.alpha = {a1, a2, a3};
    record.textDropShadow = shadow ? 1 : 0;
    record.margins = {20, 10, 10, 10};
    record.caretWidth = 2;
    record.lineSpacing = 4;
    record.tabStop = 4;
    record.scrollLines = 6;
    record.wordWrap = 1;
    return record;
}

RecordingEditorCanvas Paint(EditState& editor, const PaintRequest& request = {}) {
    RecordingEditorCanvas canvas;
    PaintEditor(editor, canvas, request);
    return canvas;
}

TEST(EditorPaint, TheFrameStartsWithBackAndTheBackgroundPictureAtItsOrigin) {
    EditorFixture f;
    f.Load(u"本文");
    PaintRequest request;
    request.backPicture = true;
    request.backX = -30;
    request.backY = 40;
    const RecordingEditorCanvas canvas = Paint(f.editor, request);
    ASSERT_GE(canvas.calls.size(), 3u);
    EXPECT_EQ(canvas.calls[0].kind, Kind::Fill);
    EXPECT_EQ(canvas.calls[0].rect, (EditorRect{0, 0, 600, 400}));
    EXPECT_EQ(canvas.calls[0].colour, kBack);
    EXPECT_EQ(canvas.calls[1].kind, Kind::BackPicture);
    EXPECT_EQ(canvas.calls[1].rect.x, -30);
    EXPECT_EQ(canvas.calls[1].rect.y, 40);

    EditorFixture empty(0, 0);
    EXPECT_TRUE(Paint(empty.editor).calls.empty()) << "an empty client area draws nothing";
}

TEST(EditorPaint, AHeadingMarkTakesNoWidthAndHeadingsUseTheirFontAndColour) {
    EditorFixture f;
    f.Load(u"*見出し\n本文");
    const RecordingEditorCanvas canvas = Paint(f.editor);
    const auto heading = canvas.GlyphsWith(u"見出し");
    ASSERT_EQ(heading.size(), 1u);
    EXPECT_EQ(heading[0].text, u"見出し") << "the mark is not drawn";
    EXPECT_EQ(heading[0].rect.x, 20) << "the heading text starts at the left margin";
    EXPECT_EQ(heading[0].rect.y, 10 + 28 - 24 - 2);
    EXPECT_EQ(heading[0].slot, FontTable::kHeading);
    EXPECT_EQ(heading[0].colour, kHead);
    EXPECT_EQ(heading[0].advances, (std::vector<int>{24, 24, 24}));
    const auto body = canvas.GlyphsWith(u"本文");
    ASSERT_EQ(body.size(), 1u);
    EXPECT_EQ(body[0].rect.y, 38 + 20 - 16 - 2);
    EXPECT_EQ(body[0].slot, FontTable::kNormal);
    EXPECT_EQ(body[0].colour, kText);
    EXPECT_TRUE(canvas.GlyphsWith(u"*").empty());
}

TEST(EditorPaint, SelectedTextAtFullAlphaIsBackOnATextBoxWithoutShadow) {
    EditorFixture f;
    const DisplayStyle record = StyleRecord(256, 256, 256, true);
    f.editor.SetStyle(&record);
    f.Load(u"あいう");
    f.editor.SetSel(1, 3);
    const RecordingEditorCanvas canvas = Paint(f.editor);
    const auto blends = canvas.Of(Kind::Blend);
    ASSERT_EQ(blends.size(), 1u);
    EXPECT_EQ(blends[0].rect, (EditorRect{36, 10, 32, 20})) << "the selected cells, full row height";
    EXPECT_EQ(blends[0].opacity, 256);
    EXPECT_EQ(blends[0].colour, kText);
    EXPECT_EQ(canvas.TextIn(kText), u"あ");
    EXPECT_EQ(canvas.TextIn(kBack), u"いう");
    EXPECT_EQ(canvas.Of(Kind::Glyphs).size(), 2u) << "no drop shadow at full alpha";
    // The blend comes before the text it lies under.
    const auto firstGlyph = std::find_if(canvas.calls.begin(), canvas.calls.end(),
                                         [](const EditorCall& call) { return call.kind == Kind::Glyphs; });
    const auto blend = std::find_if(canvas.calls.begin(), canvas.calls.end(),
                                    [](const EditorCall& call) { return call.kind == Kind::Blend; });
    EXPECT_LT(blend - canvas.calls.begin(), firstGlyph - canvas.calls.begin());
}

TEST(EditorPaint, TheDropShadowIsDrawnInBackOnePixelRightAndDownFirst) {
    EditorFixture f;
    const DisplayStyle record = StyleRecord(200, 80, 32, true);
    f.editor.SetStyle(&record);
    f.Load(u"影");
    const auto glyphs = Paint(f.editor).Of(Kind::Glyphs);
    ASSERT_EQ(glyphs.size(), 2u);
    EXPECT_EQ(glyphs[0].colour, kBack);
    EXPECT_EQ(glyphs[0].rect.x, glyphs[1].rect.x + 1);
    EXPECT_EQ(glyphs[0].rect.y, glyphs[1].rect.y + 1);
    EXPECT_EQ(glyphs[1].colour, kText);
}

TEST(EditorPaint, LinksAreUnderlinedInTheirColourAlsoWhereSelected) {
    EditorFixture f;
    const DisplayStyle record = StyleRecord(256, 256, 256, false);
    f.editor.SetStyle(&record);
    f.Load(u"見て http://a.jp/x?q=1 です mail@example.jp");
    f.editor.SetSel(8, 26);
    const RecordingEditorCanvas canvas = Paint(f.editor);
    EXPECT_EQ(canvas.TextIn(kUrl), u"http://a.jp/x?q=1");
    EXPECT_EQ(canvas.TextIn(0x8800FF), u"mail@example.jp");
    for (const EditorCall& call : canvas.GlyphsWith(u"http")) {
        EXPECT_EQ(call.slot, f.editor.Fonts().Select(12, kFontUnderline));
    }
    EXPECT_EQ(canvas.TextIn(kBack), u" です ") << "selected plain text turns Back, the link keeps its colour";
}

TEST(EditorPaint, DatesHashTagsAndHeadingsShowNoLinks) {
    EditorFixture f;
    f.Load(u"*http://a.jp\n2024/05/01 #タグ");
    const RecordingEditorCanvas canvas = Paint(f.editor);
    EXPECT_TRUE(canvas.TextIn(kUrl).empty());
    EXPECT_EQ(canvas.TextIn(kHead), u"http://a.jp");
    EXPECT_EQ(canvas.TextIn(kText), u"2024/05/01 #タグ");
}

TEST(EditorPaint, ALinkWrappedOverRowsKeepsItsColourEvenWhenItsStartIsScrolledAway) {
    EditorFixture f(600, 100);
    std::u16string text;
    for (int line = 0; line < 20; ++line) {
        text += u"行\n";
    }
    const std::u16string url = u"http://example.jp/" + std::u16string(120, u'a');
    text += u"リンク" + url;
    const int urlEnd = static_cast<int>(text.size());
    text += u"\n行\n行\n行\n行\n行\n行";
    f.Load(text);
    const int urlRow = f.editor.RowOfOffset(urlEnd - 1);
    ASSERT_GE(urlRow, 21) << "the link wraps onto a second row";
    const RowRecord& continuation = f.editor.Rows()[static_cast<std::size_t>(urlRow)];
    ASSERT_TRUE(continuation.isContinuation);
    f.editor.Scroll(ScrollCode::ThumbPosition, continuation.top);
    const RecordingEditorCanvas canvas = Paint(f.editor);
    ASSERT_EQ(f.editor.ScrollOffset(), continuation.top);
    const int shownFrom = continuation.offset - (urlEnd - static_cast<int>(url.size()));
    EXPECT_EQ(canvas.TextIn(kUrl), url.substr(static_cast<std::size_t>(shownFrom)));
}

TEST(EditorPaint, AControlCharacterIsABoxedNameAsWideAsTheNamePlusEight) {
    EditorFixture f;
    f.Load(u"a\u0007b");
    const RecordingEditorCanvas canvas = Paint(f.editor);
    const auto frames = canvas.Of(Kind::Frame);
    ASSERT_EQ(frames.size(), 1u);
    EXPECT_EQ(frames[0].rect, (EditorRect{29, 12, 30, 16}));
    EXPECT_EQ(frames[0].colour, kText);
    const auto name = canvas.GlyphsWith(u"BEL");
    ASSERT_EQ(name.size(), 1u);
    EXPECT_EQ(name[0].rect.x, 32);
    EXPECT_EQ(canvas.GlyphsWith(u"b")[0].rect.x, 28 + 32);
}

TEST(EditorPaint, ATabIsAGapWhoseCellIsBlendedWhenSelected) {
    EditorFixture f;
    f.Load(u"a\tb");
    f.editor.SelectAll();
    const RecordingEditorCanvas canvas = Paint(f.editor);
    const auto blends = canvas.Of(Kind::Blend);
    ASSERT_EQ(blends.size(), 1u);
    EXPECT_EQ(blends[0].rect, (EditorRect{20, 10, 40, 20}));
    EXPECT_EQ(blends[0].opacity, 32);
    const auto glyphs = canvas.Of(Kind::Glyphs);
    ASSERT_EQ(glyphs.size(), 2u);
    EXPECT_EQ(glyphs[0].text, u"a");
    EXPECT_EQ(glyphs[1].text, u"b");
    EXPECT_EQ(glyphs[1].rect.x, 52);
}

TEST(EditorPaint, AMissingPictureIsA200By150PlaceholderWithItsName) {
    EditorFixture f;
    f.Load(u"[[missing.jpg]]");
    const RecordingEditorCanvas canvas = Paint(f.editor);
    EXPECT_TRUE(canvas.Of(Kind::Picture).empty());
    const auto blends = canvas.Of(Kind::Blend);
    ASSERT_EQ(blends.size(), 5u);
    EXPECT_EQ(blends[0].rect, (EditorRect{23, 13, 198, 148}));
    EXPECT_EQ(blends[0].colour, kBack);
    EXPECT_EQ(blends[0].opacity, 32);
    const std::vector<EditorRect> edges = {blends[1].rect, blends[2].rect, blends[3].rect, blends[4].rect};
    EXPECT_EQ(edges, (std::vector<EditorRect>{
                         {22, 12, 200, 1}, {22, 161, 200, 1}, {22, 13, 1, 148}, {221, 13, 1, 148}}));
    EXPECT_EQ(blends[1].opacity, 200);
    const auto name = canvas.Of(Kind::Wrapped);
    ASSERT_EQ(name.size(), 1u);
    EXPECT_EQ(name[0].text, u"missing.jpg");
    EXPECT_EQ(name[0].rect, (EditorRect{30, 12 + (150 - 12) / 2, 184, 12}));
    EXPECT_EQ(name[0].slot, FontTable::kSmall);

    f.editor.SelectAll();
    const auto selected = Paint(f.editor).Of(Kind::Blend);
    EXPECT_EQ(selected.back().rect, (EditorRect{22, 12, 200, 150}));
    EXPECT_EQ(selected.back().colour, 0x000000u);
}

TEST(EditorPaint, PicturesAreCopiedAtTheirSizeOrScaledIntoTheBox) {
    EditorFixture f;
    f.pictures.sizes[u"small.png"] = {100, 50};
    f.pictures.sizes[u"wide.png"] = {1000, 500};
    f.Load(u"[[small.png]]\n[[wide.png]]");
    const auto pictures = Paint(f.editor).Of(Kind::Picture);
    ASSERT_EQ(pictures.size(), 2u);
    EXPECT_EQ(pictures[0].index, 0);
    EXPECT_EQ(pictures[0].rect, (EditorRect{22, 12, 100, 50}));
    EXPECT_EQ(pictures[1].index, 1);
    EXPECT_EQ(pictures[1].rect, (EditorRect{22, 10 + 54 + 2, 552, 276}));
}

TEST(EditorPaint, ASoundRowIsABarWithTheButtonAndTheShortenedName) {
    EditorFixture f;
    f.Load(u"[[voice.wav]]");
    RecordingEditorCanvas canvas = Paint(f.editor);
    const auto blends = canvas.Of(Kind::Blend);
    ASSERT_EQ(blends.size(), 1u);
    EXPECT_EQ(blends[0].rect, (EditorRect{22, 12, 554, 24}));
    EXPECT_EQ(blends[0].colour, kText);
    auto labels = canvas.Of(Kind::Label);
    ASSERT_EQ(labels.size(), 2u);
    EXPECT_EQ(labels[0].text, kPlayGlyph);
    EXPECT_EQ(labels[0].rect, (EditorRect{30, 12, 12, 24}));
    EXPECT_EQ(labels[1].text, u"voice.wav");
    EXPECT_EQ(labels[1].rect, (EditorRect{58, 12, 554 - 24 - 12, 24}));
    EXPECT_EQ(labels[1].placement, LabelPlacement::PathEllipsis);

    PaintRequest playing;
    playing.media = {0, 65000, 180000};
    labels = Paint(f.editor, playing).Of(Kind::Label);
    ASSERT_EQ(labels.size(), 3u);
    EXPECT_EQ(labels[0].text, kStopGlyph);
    EXPECT_EQ(labels[1].text, u"1:05 / 3:00");
    EXPECT_EQ(labels[1].placement, LabelPlacement::Right);
    EXPECT_EQ(labels[1].rect.x + labels[1].rect.width, 22 + 554 - 8);
    EXPECT_EQ(labels[2].rect.width, 554 - 24 - 12 - (11 * 8 + 8));
}

TEST(EditorPaint, AMovieShowsItsNameUntilItPlaysThenASeekBar) {
    EditorFixture f;
    f.Load(u"[[clip.mp4]]");
    RecordingEditorCanvas canvas = Paint(f.editor);
    const auto name = canvas.Of(Kind::Wrapped);
    ASSERT_EQ(name.size(), 1u);
    EXPECT_EQ(name[0].colour, 0xFFFFFFu);
    PaintRequest playing;
    playing.media = {0, 30000, 60000};
    RecordingEditorCanvas played;
    const PaintResult result = PaintEditor(f.editor, played, playing);
    EXPECT_TRUE(played.Of(Kind::Wrapped).empty());
    const RowRecord& row = f.editor.Rows()[0];
    const int strip = 10 + row.height - 24;
    const int barWidth = 554 - 12 - 11 * 8 - 40;
    EXPECT_EQ(result.seekBar, (EditorRect{22 + 12 + 24, strip, barWidth, 24}));
    const auto marker = played.Of(Kind::Fill).back();
    EXPECT_EQ(marker.rect, (EditorRect{22 + 12 + 24 + barWidth / 2 - 2, strip + 12 - 5, 3, 10}));
}

TEST(EditorPaint, RowsOutsideTheWindowAreSkipped) {
    EditorFixture f(600, 100);
    std::u16string text;
    for (int line = 0; line < 50; ++line) {
        text += u"行\n";
    }
    f.Load(text);
    f.editor.Scroll(ScrollCode::ThumbPosition, 400);
    const auto glyphs = Paint(f.editor).Of(Kind::Glyphs);
    ASSERT_FALSE(glyphs.empty());
    EXPECT_LE(glyphs.size(), 6u);
    for (const EditorCall& call : glyphs) {
        EXPECT_GT(call.rect.y + 16, 0);
        EXPECT_LT(call.rect.y, 100);
    }
}

TEST(EditorPaint, MediaTimesUseHoursOnlyForAnHourOrMore) {
    EXPECT_EQ(MediaTimeText(65000, 180000), u"1:05 / 3:00");
    EXPECT_EQ(MediaTimeText(0, 0), u"0:00 / 0:00");
    EXPECT_EQ(MediaTimeText(3723000, 4500000), u"1:02:03 / 1:15:00");
    EXPECT_EQ(MediaTimeText(-5, 59999), u"0:00 / 0:59");
}

}  // namespace
}  // namespace tavrin
