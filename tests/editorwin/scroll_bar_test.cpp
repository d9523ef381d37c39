// The scroll bar's geometry and mouse decisions, without a window.
#include "ui/scrollbar/scroll_bar.h"

#include <gtest/gtest.h>

namespace tavrin {
namespace {

// A vertical bar as the editor makes it: 16 wide, no arrows, the given length.
ScrollBarModel EditorBar(int length, int maximum, int position, int page) {
    ScrollBarModel bar;
    bar.SetVertical(true);
    bar.SetStyle(2, 16, 0, false);
    bar.SetSize(16, length);
    bar.SetRange({maximum, position, page});
    return bar;
}

TEST(ScrollBarModel, ThumbLengthAndTheLastPositionReachTheEndOfTheTrack) {
    ScrollBarModel bar = EditorBar(200, 99, 0, 9);
    ThumbGeometry thumb = bar.Thumb();
    EXPECT_EQ(thumb.length, 18);
    EXPECT_EQ(thumb.start, 0);
    EXPECT_FALSE(thumb.shortened);
    bar.SetPosition(90);
    thumb = bar.Thumb();
    EXPECT_EQ(thumb.start + thumb.length, 200) << "the last position ends exactly at the track's end";
    bar.SetPosition(45);
    EXPECT_EQ(bar.Thumb().start, static_cast<int>(200.0 / 99 * 45));
    EXPECT_EQ(bar.ThumbBar(), (BarRect{6, bar.Thumb().start, 4, 18})) << "a 4-pixel bar centred across";
}

TEST(ScrollBarModel, AShortThumbIsRaisedToTheThicknessAndTheRestOfTheTrackIsMapped) {
    ScrollBarModel bar = EditorBar(200, 999, 0, 9);
    ThumbGeometry thumb = bar.Thumb();
    EXPECT_EQ(thumb.length, 16);
    EXPECT_TRUE(thumb.shortened);
    bar.SetPosition(990);
    thumb = bar.Thumb();
    EXPECT_EQ(thumb.start, 184);
    EXPECT_EQ(thumb.start + thumb.length, 200);
    bar.SetPosition(495);
    EXPECT_EQ(bar.Thumb().start, 92);
}

TEST(ScrollBarModel, ANothingToScrollThumbFillsTheTrackAndIsNotDrawn) {
    ScrollBarModel bar = EditorBar(200, 0, 0, 0);
    const ThumbGeometry thumb = bar.Thumb();
    EXPECT_TRUE(thumb.exists);
    EXPECT_EQ(thumb.length, 200);
    EXPECT_FALSE(thumb.Drawn());
    EXPECT_EQ(bar.ThumbBar(), BarRect{});
    EXPECT_EQ(bar.ZoneAt(50), ScrollZone::Thumb);
    // A bar too short for its arrows has no thumb and no zones but the arrows.
    ScrollBarModel tiny;
    tiny.SetVertical(true);
    tiny.SetStyle(0, 16, 0, false);
    tiny.SetSize(16, 30);
    tiny.SetRange({100, 0, 10});
    EXPECT_FALSE(tiny.Thumb().exists);
    EXPECT_EQ(tiny.ZoneAt(5), ScrollZone::FirstArrow);
    EXPECT_EQ(tiny.ZoneAt(25), ScrollZone::SecondArrow);
}

TEST(ScrollBarModel, StepsStayInsideTheRange) {
    ScrollBarModel bar = EditorBar(200, 100, 0, 30);
    EXPECT_FALSE(bar.Step(ScrollBarCode::LineUp)) << "nothing above 0";
    EXPECT_TRUE(bar.Step(ScrollBarCode::LineDown));
    EXPECT_EQ(bar.Position(), 1);
    EXPECT_TRUE(bar.Step(ScrollBarCode::PageDown));
    EXPECT_EQ(bar.Position(), 31);
    EXPECT_TRUE(bar.Step(ScrollBarCode::PageDown));
    EXPECT_TRUE(bar.Step(ScrollBarCode::PageDown));
    EXPECT_EQ(bar.Position(), 70) << "not beyond maximum - page";
    EXPECT_FALSE(bar.Step(ScrollBarCode::LineDown));
    EXPECT_TRUE(bar.Step(ScrollBarCode::Bottom)) << "top and bottom always report a change";
    EXPECT_TRUE(bar.Step(ScrollBarCode::Top));
    EXPECT_EQ(bar.Position(), 0);
    EXPECT_FALSE(bar.Step(ScrollBarCode::ThumbTrack));
    bar.SetRange({-5, -7, -1});
    EXPECT_EQ(bar.Range(), (ScrollRange{0, 0, 0})) << "negative ranges mean nothing to scroll";
}

TEST(ScrollBarModel, ZonesWithArrowButtons) {
    ScrollBarModel bar;
    bar.SetVertical(true);
    bar.SetStyle(0, 16, 4, false);  // arrows 12 long, zones of the buttons 16
    bar.SetSize(16, 224);
    bar.SetRange({100, 50, 10});
    const ThumbGeometry thumb = bar.Thumb();
    EXPECT_EQ(thumb.arrow, 12);
    EXPECT_EQ(thumb.track, 200);
    EXPECT_EQ(bar.ZoneAt(0), ScrollZone::FirstArrow);
    EXPECT_EQ(bar.ZoneAt(15), ScrollZone::FirstArrow);
    EXPECT_EQ(bar.ZoneAt(16), ScrollZone::PageUp);
    EXPECT_EQ(bar.ZoneAt(thumb.start), ScrollZone::Thumb);
    EXPECT_EQ(bar.ZoneAt(thumb.start + thumb.length), ScrollZone::PageDown);
    EXPECT_EQ(bar.ZoneAt(208), ScrollZone::SecondArrow);
    EXPECT_EQ(bar.ZoneAt(224), ScrollZone::None);
    EXPECT_EQ(bar.ZoneAt(-1), ScrollZone::None);
}

TEST(ScrollBarModel, ArrowButtonsStepWithRepeatOrJumpToTheEnds) {
    ScrollBarModel bar;
    bar.SetVertical(true);
    bar.SetStyle(0, 16, 0, false);
    bar.SetSize(16, 232);
    bar.SetRange({100, 50, 10});
    ScrollBarReaction reaction = bar.Press(230, false);
    EXPECT_EQ(reaction.notify, ScrollBarCode::LineDown);
    EXPECT_TRUE(reaction.startRepeat);
    EXPECT_EQ(bar.Position(), 51);
    reaction = bar.RepeatTick(230);
    EXPECT_EQ(reaction.notify, ScrollBarCode::LineDown);
    EXPECT_EQ(bar.Position(), 52);
    bar.Release();
    EXPECT_FALSE(bar.RepeatTick(230).notify) << "the repeat ends with the button";

    bar.SetStyle(1, 16, 0, false);
    reaction = bar.Press(2, false);
    EXPECT_EQ(reaction.notify, ScrollBarCode::Top);
    EXPECT_FALSE(reaction.startRepeat);
    EXPECT_EQ(bar.Position(), 0);
    bar.Release();
    EXPECT_EQ(bar.Press(230, false).notify, ScrollBarCode::Bottom);
    EXPECT_EQ(bar.Position(), 90);
}

TEST(ScrollBarModel, PagingByHoldingTheButtonStopsOnceTheThumbHasPassedThePointer) {
    ScrollBarModel bar = EditorBar(200, 1000, 0, 100);  // thumb 20 pixels, 100 units per page
    const int pointer = 75;
    ScrollBarReaction reaction = bar.Press(pointer, false);
    EXPECT_EQ(reaction.notify, ScrollBarCode::PageDown);
    EXPECT_TRUE(reaction.startRepeat);
    int pages = 1;
    for (int tick = 0; tick < 20; ++tick) {
        if (bar.RepeatTick(pointer).notify) {
            ++pages;
        }
    }
    const ThumbGeometry thumb = bar.Thumb();
    EXPECT_LE(thumb.start, pointer);
    EXPECT_GT(thumb.start + thumb.length, pointer) << "the thumb stops under the pointer";
    EXPECT_EQ(pages, 3);
    EXPECT_EQ(bar.Position(), 300);
}

TEST(ScrollBarModel, DraggingFollowsThePointerAndReturnsWhenItLeavesTheBand) {
    ScrollBarModel bar = EditorBar(200, 1000, 0, 100);  // thumb 20, scale 0.2 pixels per unit
    ScrollBarReaction reaction = bar.Press(10, false);
    EXPECT_FALSE(reaction.notify);
    EXPECT_TRUE(bar.Dragging());
    reaction = bar.Move(60, 8);
    EXPECT_EQ(reaction.notify, ScrollBarCode::ThumbTrack);
    EXPECT_EQ(bar.Thumb().start, 50);
    EXPECT_EQ(bar.Position(), 250);
    reaction = bar.Move(61, 8);
    EXPECT_EQ(bar.Position(), 255);
    // Far to the side: back to the start, once.
    reaction = bar.Move(150, 16 + 128);
    EXPECT_EQ(reaction.notify, ScrollBarCode::ThumbTrack);
    EXPECT_EQ(bar.Position(), 0);
    EXPECT_EQ(bar.Thumb().start, 0);
    EXPECT_FALSE(bar.Move(170, -200).notify) << "it returns only once";
    EXPECT_EQ(bar.Position(), 0);
    // Back in the band the thumb follows again, limited to the track.
    bar.Move(400, 16 + 127);
    EXPECT_EQ(bar.Thumb().start, 180);
    EXPECT_EQ(bar.Position(), 900);
    reaction = bar.Release();
    EXPECT_FALSE(reaction.notify) << "releasing sends nothing";
    EXPECT_FALSE(bar.Dragging());
    EXPECT_EQ(bar.Thumb().start, 180);
}

TEST(ScrollBarModel, DraggingAShortenedThumbTruncatesAndNeverPassesTheLastPosition) {
    ScrollBarModel bar = EditorBar(200, 999, 0, 9);  // thumb 16, scale 184 / 990
    bar.Press(3, false);
    bar.Move(3 + 92, 0);
    EXPECT_EQ(bar.Position(), static_cast<int>(92 / (184.0 / 990)));
    bar.Move(500, 0);
    EXPECT_EQ(bar.Position(), 990);
}

TEST(ScrollBarModel, ShiftClickCentresTheThumbOnThePointerAndHoldsIt) {
    ScrollBarModel bar = EditorBar(200, 1000, 0, 100);
    ScrollBarReaction reaction = bar.Press(110, true);
    EXPECT_EQ(reaction.notify, ScrollBarCode::ThumbPosition);
    EXPECT_EQ(bar.Thumb().start, 100);
    EXPECT_EQ(bar.Position(), 500);
    EXPECT_TRUE(bar.Dragging());
    bar.Move(120, 0);
    EXPECT_EQ(bar.Position(), 550);
    bar.Move(120, 500);
    EXPECT_EQ(bar.Position(), 500) << "leaving the band returns to where the held drag began";
}

TEST(ScrollBarModel, HoverUsesTheHoverOpacityOnTheThumbOnly) {
    ScrollBarModel bar = EditorBar(200, 1000, 0, 100);
    bar.SetAlpha(100, 300);
    EXPECT_EQ(bar.HoverAlpha(), 256);
    EXPECT_TRUE(bar.Move(5, 8).repaint);
    EXPECT_EQ(bar.Hovered(), ScrollZone::Thumb);
    EXPECT_EQ(bar.ThumbOpacity(), 256);
    EXPECT_FALSE(bar.Move(6, 8).repaint) << "same zone, nothing to repaint";
    bar.Move(100, 8);
    EXPECT_EQ(bar.ThumbOpacity(), 100);
    bar.Move(5, 8);
    EXPECT_TRUE(bar.Leave().repaint);
    EXPECT_EQ(bar.Hovered(), ScrollZone::None);
}

TEST(ScrollBarModel, ReversedBarsCountFromTheFarEnd) {
    ScrollBarModel bar = EditorBar(200, 1000, 0, 100);
    bar.SetReversed(true);
    EXPECT_EQ(bar.ThumbBar().y, 180) << "position 0 sits at the bottom";
    EXPECT_EQ(bar.ZoneAt(190), ScrollZone::Thumb);
    EXPECT_EQ(bar.ZoneAt(10), ScrollZone::PageDown);
    EXPECT_EQ(bar.MenuCode(ScrollBarCode::Top), ScrollBarCode::Bottom);
    const ScrollBarMenuState menu = bar.MenuState();
    EXPECT_TRUE(menu.toStart);
    EXPECT_FALSE(menu.toEnd);
}

TEST(ScrollBarModel, MenuItemsFollowThePosition) {
    ScrollBarModel bar = EditorBar(200, 1000, 0, 100);
    ScrollBarMenuState menu = bar.MenuState();
    EXPECT_TRUE(menu.scrollHere);
    EXPECT_FALSE(menu.toStart);
    EXPECT_TRUE(menu.toEnd);
    bar.SetPosition(900);
    menu = bar.MenuState();
    EXPECT_TRUE(menu.toStart);
    EXPECT_FALSE(menu.toEnd);
    EXPECT_FALSE(EditorBar(200, 0, 0, 0).MenuState().scrollHere);
    EXPECT_EQ(bar.JumpTo(100).notify, ScrollBarCode::ThumbPosition);
    EXPECT_EQ(bar.Position(), 450);
    EXPECT_FALSE(bar.JumpTo(100).notify) << "no change, no notification";
}

TEST(ScrollBarModel, HorizontalBarsReserveTheCornerAndMayLetItThrough) {
    ScrollBarModel bar;
    bar.SetStyle(2, 16, 0, true);
    bar.SetSize(216, 16);
    bar.SetCorner(true);
    bar.SetRange({1000, 0, 100});
    EXPECT_EQ(bar.Thumb().track, 200);
    EXPECT_EQ(bar.ThumbBar(), (BarRect{0, 6, 20, 4}));
    EXPECT_TRUE(bar.InPassThroughCorner(210, 3));
    EXPECT_FALSE(bar.InPassThroughCorner(190, 3));
    bar.SetVertical(true);
    EXPECT_FALSE(bar.InPassThroughCorner(210, 3)) << "only horizontal bars pass hits through";
}

}  // namespace
}  // namespace tavrin
