#include "ui/frame_layout.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdlib>
#include <random>
#include <vector>

#include "ui/hit_codes.h"

namespace tavrin {
namespace {

constexpr SideFontHeights kFonts{12, 29};  // small and large heights of the recording canvas

bool Inside(const PixelRect& inner, const PixelRect& outer) {
    return inner.x >= outer.x && inner.y >= outer.y && inner.Right() <= outer.Right() &&
           inner.Bottom() <= outer.Bottom();
}

bool Overlap(const PixelRect& a, const PixelRect& b) {
    return !a.Empty() && !b.Empty() && a.x < b.Right() && b.x < a.Right() && a.y < b.Bottom() &&
           b.y < a.Bottom();
}

// The recording canvas's font heights on a screen of dpi.
SideFontHeights ScaledFonts(int dpi) {
    return {ScaleForDpi(kFonts.small, dpi), ScaleForDpi(kFonts.large, dpi)};
}

PixelRect Scaled(const PixelRect& box, int dpi) {
    return {ScaleForDpi(box.x, dpi), ScaleForDpi(box.y, dpi), ScaleForDpi(box.width, dpi),
            ScaleForDpi(box.height, dpi)};
}

// Within a few pixels of the 96-DPI box scaled: each 96-DPI length is rounded on its own, so sums of
// them may differ from the scaled sum by a pixel per term.
::testing::AssertionResult NearScaled(const PixelRect& actual, const PixelRect& box96, int dpi, int slack) {
    const PixelRect expected = Scaled(box96, dpi);
    const bool near = std::abs(actual.x - expected.x) <= slack && std::abs(actual.y - expected.y) <= slack &&
                      std::abs(actual.Right() - expected.Right()) <= slack &&
                      std::abs(actual.Bottom() - expected.Bottom()) <= slack;
    if (near) {
        return ::testing::AssertionSuccess();
    }
    return ::testing::AssertionFailure()
           << "{" << actual.x << ", " << actual.y << ", " << actual.width << ", " << actual.height
           << "} is not near {" << expected.x << ", " << expected.y << ", " << expected.width << ", "
           << expected.height << "}";
}

// The window on a screen of 120, 144 or 192 DPI is the 96-DPI window scaled, box by box: a client area
// scaled by the same factor, with fonts of the scaled height, gives every box scaled (exactly at 200 %).
TEST(FrameLayout, OnHighDpiScreensEveryBoxIsThe96DpiBoxScaled) {
    std::vector<Settings> variants(5);
    variants[1].window.sideBarLayout = 1;
    variants[2].window.showToolBar = 0;
    variants[3].window.limitMaxWidth = 1;
    variants[3].window.maxWidth = 700;
    variants[4].calendar.boxWidth = 41;
    variants[4].calendar.boxHeight = 27;
    variants[4].calendar.boxMargin = 3;
    for (const int dpi : {120, 144, 192}) {
        for (std::size_t v = 0; v < variants.size(); ++v) {
            // Exact at 200 %, except that a BoxHeight that is no multiple of 6 rounds the weekday
            // row's padding (BoxHeight / 6) on its own. Elsewhere each length rounds on its own; and
            // since every cell and gap is a whole number of pixels, odd box sizes (variant 4) gain
            // their half pixel once per cell: up to seven across the grid.
            int slack = dpi == 192 && v != 4 ? 0 : 3;
            if (v == 4 && dpi != 192) {
                slack = 8;
            }
            for (const DisplayMode mode : {DisplayMode::kEdit, DisplayMode::kCalendar}) {
                const FrameLayout base = ComputeFrameLayout(variants[v], mode, 1000, 700, kFonts);
                const FrameLayout layout = ComputeFrameLayout(variants[v], mode, ScaleForDpi(1000, dpi),
                                                              ScaleForDpi(700, dpi), ScaledFonts(dpi), dpi);
                const auto boxes = [](const FrameLayout& l) {
                    return std::array{l.content,      l.toolbar,    l.belowToolbar,     l.title,
                                      l.editor,       l.sidebar,    l.sideSplitter,     l.sideHeader,
                                      l.weekdayRow,   l.calendar,   l.calendarSplitter, l.searchBox,
                                      l.searchButton, l.searchList, l.calendarArea,     l.SearchEdit()};
                };
                const auto expected = boxes(base);
                const auto actual = boxes(layout);
                for (std::size_t b = 0; b < expected.size(); ++b) {
                    EXPECT_TRUE(NearScaled(actual[b], expected[b], dpi, slack))
                        << "box " << b << " of variant " << v << " at " << dpi << " DPI";
                }
                const ToolbarLayout bar96 = LayoutToolbar(base.toolbar, 128, 56, false);
                const ToolbarLayout bar =
                    LayoutToolbar(layout.toolbar, ScaleForDpi(128, dpi), ScaleForDpi(56, dpi), false, dpi);
                for (int code = kHitModeEdit; code <= kHitSettings; ++code) {
                    EXPECT_TRUE(NearScaled(bar.Button(code), bar96.Button(code), dpi, slack))
                        << "toolbar button " << code << " at " << dpi << " DPI";
                }
            }
        }
    }
}

TEST(FrameLayout, LimitMaxWidthCentresTheContent) {
    Settings settings;
    settings.window.limitMaxWidth = 1;
    const FrameLayout layout = ComputeFrameLayout(settings, DisplayMode::kEdit, 1600, 900, kFonts);
    EXPECT_EQ(layout.content, (PixelRect{325, 40, 950, 820}));
    EXPECT_EQ(layout.toolbar, (PixelRect{325, 40, 950, 52}));

    settings.window.maxWidth = 2000;
    EXPECT_EQ(ComputeFrameLayout(settings, DisplayMode::kEdit, 1600, 900, kFonts).content,
              (PixelRect{50, 40, 1500, 820}))
        << "a limit wider than the content changes nothing";
}

TEST(FrameLayout, DefaultLeftSidebarBoxes) {
    const Settings settings;
    const FrameLayout layout = ComputeFrameLayout(settings, DisplayMode::kEdit, 800, 600, kFonts);
    EXPECT_TRUE(layout.sidebarShown);
    EXPECT_EQ(layout.content, (PixelRect{50, 40, 700, 520}));
    EXPECT_EQ(layout.sidebar, (PixelRect{50, 92, 248, 468}));
    EXPECT_EQ(layout.sideSplitter, (PixelRect{298, 92, 32, 468}));
    EXPECT_EQ(layout.title, (PixelRect{330, 92, 420, 32}));
    EXPECT_EQ(layout.editor, (PixelRect{330, 124, 420, 436}));
    EXPECT_EQ(layout.sideHeader, (PixelRect{50, 92, 248, 33})) << "4 + max(29, 2 x 12)";
    EXPECT_EQ(layout.weekdayRow, (PixelRect{50, 125, 248, 20})) << "12 + 2 x (24 / 6)";
    EXPECT_EQ(layout.calendar, (PixelRect{50, 145, 248, 164}));
    EXPECT_EQ(layout.calendarSplitter, (PixelRect{50, 311, 248, 8}));
    EXPECT_EQ(layout.searchBox, (PixelRect{50, 321, 216, 26}));
    EXPECT_EQ(layout.searchButton, (PixelRect{266, 318, 32, 32}));
    EXPECT_EQ(layout.searchList, (PixelRect{50, 355, 248, 205}));
    EXPECT_EQ(layout.calendarArea, (PixelRect{50, 92, 248, 219}));
    EXPECT_EQ(layout.SearchEdit(), (PixelRect{54, 325, 208, 20}));
    EXPECT_EQ(layout.belowToolbar, (PixelRect{50, 92, 700, 468}));
}

TEST(FrameLayout, RightSidebarEndsAtTheContentEdgeEvenWithUnequalMargins) {
    Settings settings;
    settings.window.sideBarLayout = 1;
    const FrameLayout layout = ComputeFrameLayout(settings, DisplayMode::kEdit, 800, 600, kFonts);
    EXPECT_EQ(layout.sidebar, (PixelRect{502, 92, 248, 468}));
    EXPECT_EQ(layout.sideSplitter, (PixelRect{470, 92, 32, 468}));
    EXPECT_EQ(layout.title, (PixelRect{50, 92, 420, 32}));
    EXPECT_EQ(layout.editor, (PixelRect{50, 124, 420, 436}));

    settings.window.marginLeft = 10;
    settings.window.marginRight = 90;
    const FrameLayout uneven = ComputeFrameLayout(settings, DisplayMode::kEdit, 800, 600, kFonts);
    EXPECT_EQ(uneven.sidebar.Right(), 710);
    EXPECT_EQ(uneven.editor.Right(), uneven.sideSplitter.x) << "no overlap, no hole";
}

TEST(FrameLayout, CalendarModeHiddenSidebarHiddenToolbarAndNoWeekdayRow) {
    Settings settings;
    const FrameLayout calendar = ComputeFrameLayout(settings, DisplayMode::kCalendar, 800, 600, kFonts);
    EXPECT_FALSE(calendar.sidebarShown);
    EXPECT_TRUE(calendar.sidebar.Empty());
    EXPECT_TRUE(calendar.searchList.Empty());
    EXPECT_EQ(calendar.title, (PixelRect{50, 92, 700, 32}));
    EXPECT_EQ(calendar.editor, (PixelRect{50, 124, 700, 436}));

    settings.window.showToolBar = 0;
    settings.window.showSideArea = 0;
    const FrameLayout bare = ComputeFrameLayout(settings, DisplayMode::kEdit, 800, 600, kFonts);
    EXPECT_TRUE(bare.toolbar.Empty());
    EXPECT_EQ(bare.title, (PixelRect{50, 40, 700, 32}));
    EXPECT_EQ(bare.belowToolbar, (PixelRect{50, 40, 700, 520}));

    settings.window.showSideArea = 1;
    settings.calendar.showWeek = 0;
    const FrameLayout noWeek = ComputeFrameLayout(settings, DisplayMode::kEdit, 800, 600, kFonts);
    EXPECT_TRUE(noWeek.weekdayRow.Empty());
    EXPECT_EQ(noWeek.calendar.y, 40 + 33);
}

// Random settings and sizes: the boxes of the edit view never overlap and the sidebar's inner boxes
// stack in order, whatever the combination.
TEST(FrameLayout, BoxesNeverOverlapForAnyCombination) {
    std::mt19937 random(6);
    std::uniform_int_distribution<int> dpiChoice(0, 4);
    std::uniform_int_distribution<int> margin(0, 120);
    std::uniform_int_distribution<int> size(600, 2600);
    std::uniform_int_distribution<int> box(15, 60);
    for (int i = 0; i < 5000; ++i) {
        Settings settings;
        settings.window.showToolBar = i & 1;
        settings.window.showSideArea = (i >> 1) & 1;
        settings.window.sideBarLayout = (i >> 2) & 1;
        settings.window.limitMaxWidth = (i >> 3) & 1;
        settings.calendar.showWeek = (i >> 4) & 1;
        settings.window.maxWidth = size(random);
        settings.window.marginLeft = margin(random);
        settings.window.marginRight = margin(random);
        settings.window.marginTop = margin(random);
        settings.window.marginBottom = margin(random);
        settings.calendar.boxWidth = box(random);
        settings.calendar.boxHeight = box(random);
        settings.calendar.boxMargin = box(random) / 5;
        const DisplayMode mode = (i >> 5) & 1 ? DisplayMode::kCalendar : DisplayMode::kEdit;
        const int dpi = std::array{96, 120, 144, 168, 192}[static_cast<std::size_t>(dpiChoice(random))];
        const FrameLayout layout =
            ComputeFrameLayout(settings, mode, size(random), size(random), ScaledFonts(dpi), dpi);
        ASSERT_EQ(layout.sidebarShown, mode == DisplayMode::kEdit && settings.window.showSideArea) << i;
        EXPECT_EQ(layout.title.Bottom(), layout.editor.y) << i;
        EXPECT_EQ(layout.editor.Bottom(), layout.content.Bottom()) << i;
        if (!layout.sidebarShown) {
            EXPECT_EQ(layout.editor.width, layout.content.width) << i;
            continue;
        }
        EXPECT_FALSE(Overlap(layout.editor, layout.sideSplitter)) << i;
        EXPECT_FALSE(Overlap(layout.editor, layout.sidebar)) << i;
        EXPECT_FALSE(Overlap(layout.sideSplitter, layout.sidebar)) << i;
        EXPECT_EQ(layout.editor.width + layout.sideSplitter.width + layout.sidebar.width,
                  layout.content.width)
            << i;
        EXPECT_EQ(layout.calendar.x, layout.sidebar.x) << i;
        EXPECT_EQ(layout.calendar.width, layout.sidebar.width) << i;
        EXPECT_TRUE(Inside(layout.sideHeader, layout.sidebar)) << i;
        EXPECT_LT(layout.calendar.Bottom(), layout.calendarSplitter.y) << i;
        EXPECT_LT(layout.calendarSplitter.Bottom(), layout.searchBox.y) << i;
        EXPECT_LT(layout.searchBox.Bottom(), layout.searchList.y) << i;
        EXPECT_EQ(layout.searchList.Bottom(), layout.content.Bottom()) << i;
    }
}

TEST(FrameLayout, AbsurdMarginsGiveEmptyBoxesWithoutOverflow) {
    Settings settings;
    settings.window.marginLeft = 2'000'000'000;
    settings.window.marginRight = 2'000'000'000;
    settings.calendar.boxWidth = 2'000'000'000;
    const FrameLayout layout = ComputeFrameLayout(settings, DisplayMode::kEdit, 800, 600, kFonts);
    EXPECT_TRUE(layout.content.Empty());
    EXPECT_TRUE(layout.editor.Empty());
}

TEST(FrameLayout, PaneVisibility) {
    EXPECT_EQ(PaneVisibilityOf(DisplayMode::kEdit, true, false, false), (PaneVisibility{true, true, true}));
    EXPECT_EQ(PaneVisibilityOf(DisplayMode::kEdit, true, true, false), (PaneVisibility{true, false, true}))
        << "behind a picture the frame paints the search text";
    EXPECT_EQ(PaneVisibilityOf(DisplayMode::kEdit, true, true, true), (PaneVisibility{true, true, true}));
    EXPECT_EQ(PaneVisibilityOf(DisplayMode::kEdit, false, false, true), (PaneVisibility{true, false, false}));
    EXPECT_EQ(PaneVisibilityOf(DisplayMode::kCalendar, true, false, true),
              (PaneVisibility{false, false, false}));
}

TEST(Toolbar, ButtonsAroundTheCentredTodayText) {
    const ToolbarLayout bar = LayoutToolbar({50, 40, 700, 52}, 128, 56, false);
    EXPECT_EQ(bar.modeEdit, (PixelRect{50, 40, 32, 32}));
    EXPECT_EQ(bar.modeCalendar, (PixelRect{82, 40, 32, 32}));
    EXPECT_EQ(bar.todayText, (PixelRect{336, 40, 128, 32}));
    EXPECT_EQ(bar.today, (PixelRect{328, 40, 144, 32}));
    EXPECT_EQ(bar.previous.x, 296);
    EXPECT_EQ(bar.oldest.x, 264);
    EXPECT_EQ(bar.next.x, 472);
    EXPECT_EQ(bar.newest.x, 504);
    EXPECT_EQ(bar.settings, (PixelRect{718, 40, 32, 32}));
    EXPECT_EQ(bar.diaryFolder, (PixelRect{622, 40, 96, 32})) << "the name plus 3 x 8 + 16";
    EXPECT_EQ(bar.diaryText, (PixelRect{630, 40, 56, 32}));
    EXPECT_EQ(bar.diaryGlyphX, 694);
    EXPECT_TRUE(bar.exit.Empty());
    EXPECT_EQ(bar.Hit(740, 50), kHitSettings);
    EXPECT_EQ(bar.Hit(400, 71), kHitToday);
    EXPECT_EQ(bar.Hit(400, 72), kHitNothing) << "the free space below the buttons";
    EXPECT_EQ(bar.Hit(200, 50), kHitNothing);

    const ToolbarLayout fullscreen = LayoutToolbar({0, 0, 700, 52}, 128, 56, true);
    EXPECT_EQ(fullscreen.exit, (PixelRect{668, 0, 32, 32}));
    EXPECT_EQ(fullscreen.settings.x, 636);
    EXPECT_EQ(fullscreen.Hit(690, 10), kHitExit);
}

TEST(Toolbar, NarrowToolbarsKeepTheTodayTextClearAndDropTheRightButtons) {
    const ToolbarLayout narrow = LayoutToolbar({50, 40, 300, 52}, 128, 56, false);
    EXPECT_EQ(narrow.todayText.x, 50 + 64 + 72) << "never closer than 5 x 8 + 32 to the mode buttons";
    EXPECT_EQ(narrow.oldest.x, 50 + 64) << "so the oldest-entry button touches them";
    EXPECT_TRUE(narrow.settings.Empty());
    EXPECT_TRUE(narrow.diaryFolder.Empty());

    const ToolbarLayout shrunk = LayoutToolbar({50, 40, 480, 52}, 128, 56, false);
    EXPECT_EQ(shrunk.diaryFolder, (PixelRect{426, 40, 72, 32})) << "shrunk to the room left";
    EXPECT_EQ(shrunk.diaryText.width, 32);
    EXPECT_EQ(LayoutToolbar({50, 40, 400, 52}, 128, 56, false).diaryFolder.width, 32);
    EXPECT_TRUE(LayoutToolbar({50, 40, 399, 52}, 128, 56, false).diaryFolder.Empty())
        << "31 pixels are not enough";
    EXPECT_FALSE(LayoutToolbar({50, 40, 399, 52}, 128, 56, false).settings.Empty());
    EXPECT_TRUE(LayoutToolbar({}, 128, 56, true).exit.Empty()) << "no toolbar, no buttons";
}

}  // namespace
}  // namespace tavrin
