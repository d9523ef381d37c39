#include "calendar/year_calendar.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "calendar/calendar_rules.h"
#include "support/recording_canvas.h"
#include "support/test_support.h"
#include "ui/dpi.h"
#include "ui/hit_codes.h"

namespace tavrin {
namespace {

using testing::CanvasCall;
using testing::RecordingCanvas;
using testing::U;
using Kind = CanvasCall::Kind;

constexpr ColorRef kText = MakeColorRef(0, 128, 192);
constexpr ColorRef kBack = MakeColorRef(255, 255, 255);
constexpr ColorRef kSundayRed = MakeColorRef(255, 51, 51);

CalendarLook Look(int alpha, int startWeek = 0) {
    Settings settings;
    settings.colour.text = kText;
    settings.colour.back = kBack;
    settings.colour.sunday = kSundayRed;
    settings.colour.alpha = alpha;
    settings.calendar.startWeek = startWeek;
    return CalendarLookOf(settings);
}

std::vector<CanvasCall> CallsOfKind(const RecordingCanvas& canvas, Kind kind) {
    std::vector<CanvasCall> found;
    for (const CanvasCall& call : canvas.Calls()) {
        if (call.kind == kind) {
            found.push_back(call);
        }
    }
    return found;
}

TEST(YearCalendar, EraLineUsesTheEraAtTheEndOfTheYear) {
    EXPECT_EQ(EraLine(2019), U("令和元年　亥")) << "Reiwa began in May 2019";
    EXPECT_EQ(EraLine(1989), U("平成元年　巳"));
    EXPECT_EQ(EraLine(2024), U("令和6年　辰"));
    EXPECT_EQ(EraLine(1926), U("昭和元年　寅"));
    EXPECT_EQ(EraLine(1000), U("明治以前1000年　子"));
    EXPECT_EQ(TodayText({2024, 5, 1}), U("今日：2024/05/01"));
}

TEST(YearCalendar, LayoutCentresTheBlocksAndKeepsTheMinimumCell) {
    RecordingCanvas fonts;
    const YearCalendarLayout layout = LayoutYearCalendar(fonts, {50, 92, 700, 468}, 2024, {2024, 5, 1});
    EXPECT_EQ(layout.cellWidth, (700 - 20 - 96) / 28);
    EXPECT_EQ(layout.cellHeight, (468 - 16 - 36 - 4) / 21);
    EXPECT_EQ(layout.gridLeft, 50 + (700 - (28 * 20 + 96)) / 2);
    EXPECT_EQ(layout.Block(6), (PixelRect{layout.gridLeft + 7 * 20 + 32, 92 + 36 + 7 * 19 + 8, 140, 133}));
    EXPECT_EQ(layout.yearArea, (PixelRect{layout.yearText.x - 8, 92, 32 + 16, 36}));
    EXPECT_EQ(layout.eraArea.x, layout.gridLeft - 8);
    EXPECT_EQ(layout.todayText.Right(), layout.gridLeft + layout.BlocksWidth());

    const YearCalendarLayout justBelow =
        LayoutYearCalendar(fonts, {0, 0, 20 + 96 + 28 * 16 - 1, 100}, 2024, {});
    EXPECT_EQ(justBelow.cellWidth, 16);
    EXPECT_EQ(justBelow.cellHeight, 16);
    const YearCalendarLayout narrow = LayoutYearCalendar(fonts, {0, 0, 500, 100}, 2024, {});
    EXPECT_EQ(narrow.cellWidth, 16);
    EXPECT_EQ(narrow.gridLeft, (500 - 544) / 2) << "the blocks overflow the view on both sides";
}

// Every point of the view against a naive model built from the day cells and title rows, on screens
// of 96, 144 and 192 DPI (a view and fonts of the scaled size).
TEST(YearCalendar, HitTestMatchesTheDrawnCellsEverywhere) {
    for (const int dpi : {96, 144, 192}) {
        RecordingCanvas fonts(8, dpi);
        const int startWeek = 2;
        const int width = ScaleForDpi(640, dpi);
        const int height = ScaleForDpi(450, dpi);
        const YearCalendarLayout layout =
            LayoutYearCalendar(fonts, {0, 0, width, height}, 2026, {2026, 1, 1}, dpi);
        // The model: a map of the view with each title row and day cell painted in with its code.
        std::vector<int> model(static_cast<std::size_t>(width * height), 0);
        const auto paint = [&model, width, height](const PixelRect& rect, int code) {
            for (int y = std::max(rect.y, 0); y < std::min(rect.Bottom(), height); ++y) {
                for (int x = std::max(rect.x, 0); x < std::min(rect.Right(), width); ++x) {
                    model[static_cast<std::size_t>(y * width + x)] = code;
                }
            }
        };
        for (int month = 1; month <= 12; ++month) {
            paint(layout.TitleRow(month), kHitFirstMonthTitle + month - 1);
            for (int day = 1; day <= DaysInMonth(2026, month); ++day) {
                paint(YearDayCell(layout, 2026, month, day, startWeek), YearDayHit(month, day));
            }
        }
        int mismatches = 0;
        for (int y = ScaleForDpi(kYearHeaderHeight, dpi); y < height; ++y) {
            for (int x = 0; x < width; ++x) {
                const int expected = model[static_cast<std::size_t>(y * width + x)];
                if (YearCalendarHit(layout, 2026, startWeek, x, y) != expected && ++mismatches < 5) {
                    ADD_FAILURE() << x << "," << y << " expected " << expected << " at " << dpi << " DPI";
                }
            }
        }
        const PixelRect era = layout.eraArea;
        EXPECT_EQ(YearCalendarHit(layout, 2026, startWeek, era.x, era.y), kHitYearViewEra) << "widened by 8";
        EXPECT_EQ(YearCalendarHit(layout, 2026, startWeek, layout.yearArea.Right() - 1,
                                  ScaleForDpi(kYearHeaderHeight, dpi) - 1),
                  kHitYearViewYear);
        EXPECT_EQ(YearCalendarHit(layout, 2026, startWeek, layout.todayText.x, 1), kHitYearViewToday);
        const int code =
            YearCalendarHit(layout, 2026, startWeek, layout.Cell(8, 6, 0).x, layout.Cell(8, 6, 0).y);
        ASSERT_TRUE(IsYearDayHit(code));
        EXPECT_EQ(MonthOfYearDayHit(code), 8);
        EXPECT_EQ(DayOfYearDayHit(code), 3) << "2026-08-01 is a Saturday, column 4 with Tuesday first";
    }
}

// At 200 % the year calendar is the 96-DPI one doubled: cells, gaps, blocks and header areas (in a view
// whose room divides into whole cells at both sizes; otherwise each size rounds its cells down).
TEST(YearCalendar, AtTwiceTheDpiTheLayoutDoubles) {
    RecordingCanvas fonts96;
    RecordingCanvas fonts192(8, 192);
    const int width = 20 + 96 + 28 * 20;
    const int height = 16 + 36 + 4 + 21 * 19;
    const YearCalendarLayout base = LayoutYearCalendar(fonts96, {50, 92, width, height}, 2024, {2024, 5, 1});
    const YearCalendarLayout twice =
        LayoutYearCalendar(fonts192, {100, 184, 2 * width, 2 * height}, 2024, {2024, 5, 1}, 192);
    EXPECT_EQ(base.cellWidth, 20);
    EXPECT_EQ(base.cellHeight, 19);
    EXPECT_EQ(twice.cellWidth, 2 * base.cellWidth);
    EXPECT_EQ(twice.cellHeight, 2 * base.cellHeight);
    EXPECT_EQ(twice.gridLeft, 2 * base.gridLeft);
    for (int month = 1; month <= 12; ++month) {
        const PixelRect block = base.Block(month);
        EXPECT_EQ(twice.Block(month),
                  (PixelRect{2 * block.x, 2 * block.y, 2 * block.width, 2 * block.height}));
    }
    EXPECT_EQ(twice.yearArea, (PixelRect{2 * base.yearArea.x, 2 * base.yearArea.y, 2 * base.yearArea.width,
                                         2 * base.yearArea.height}));
    const YearCalendarLayout narrow = LayoutYearCalendar(fonts192, {0, 0, 1000, 200}, 2024, {}, 192);
    EXPECT_EQ(narrow.cellWidth, 32) << "the smallest cell is 16 pixels at 96 DPI";
}

TEST(YearCalendar, OpaqueBoxesCutOutTheNumberAndTheSelectionSitsInside) {
    RecordingCanvas canvas;
    const YearCalendarLayout layout = LayoutYearCalendar(canvas, {0, 0, 700, 468}, 2024, {2024, 5, 1});
    std::array<DayMarks, 12> marks{};
    marks[1][11] = 9;  // 2024-02-12
    marks[1][12] = 9;  // 2024-02-13, selected
    YearCalendarView view;
    view.year = 2024;
    view.selected = {2024, 2, 13};
    view.marks = &marks;
    PaintYearCalendar(canvas, Look(100), layout, view);
    const int cw = layout.cellWidth;
    const int ch = layout.cellHeight;
    const PixelRect cell12 = YearDayCell(layout, 2024, 2, 12, 0);
    const PixelRect cell13 = YearDayCell(layout, 2024, 2, 13, 0);
    const std::vector<CanvasCall> fills = CallsOfKind(canvas, Kind::kFill);
    ASSERT_EQ(fills.size(), 2u);
    EXPECT_EQ(fills[0].rect, (PixelRect{cell12.x, cell12.y, cw - 1, ch - 1}));
    EXPECT_EQ(fills[0].colour, kSundayRed);
    EXPECT_EQ(fills[1].rect, (PixelRect{cell13.x + 1, cell13.y + 1, cw - 3, ch - 3}));
    const std::vector<CanvasCall> outlines = CallsOfKind(canvas, Kind::kOutline);
    ASSERT_EQ(outlines.size(), 2u);
    EXPECT_EQ(outlines[0].rect, (PixelRect{cell13.x, cell13.y, cw - 1, ch - 1}));
    EXPECT_EQ(outlines[1].colour, kBack);
    EXPECT_EQ(canvas.TextCalls(u"2  February").size(), 1u);
    EXPECT_EQ(canvas.TextCalls(u"2  February")[0].rect.x, layout.Block(2).x + cw / 4);
    EXPECT_EQ(canvas.TextCalls(U("令和6年　辰")).size(), 1u);

    canvas.Clear();
    view.showBoxes = false;
    PaintYearCalendar(canvas, Look(100), layout, view);
    EXPECT_TRUE(CallsOfKind(canvas, Kind::kFill).empty()) << "Space turned the boxes off";
    EXPECT_EQ(CallsOfKind(canvas, Kind::kOutline).size(), 2u) << "the selected day keeps its frame";
    int twelves = 0;
    for (const CanvasCall& call : canvas.TextCalls(u"12")) {
        twelves += call.rect == cell12 && call.colour == kSundayRed;
    }
    EXPECT_EQ(twelves, 1) << "an unboxed number takes its day colour";
}

TEST(YearCalendar, TranslucentSelectionBarsFollowTheBlink) {
    RecordingCanvas canvas;
    const YearCalendarLayout layout = LayoutYearCalendar(canvas, {0, 0, 700, 468}, 2024, {2024, 5, 1});
    YearCalendarView view;
    view.year = 2024;
    view.selected = {2024, 7, 4};
    PaintYearCalendar(canvas, Look(15), layout, view);
    const std::vector<CanvasCall> blends = CallsOfKind(canvas, Kind::kBlend);
    ASSERT_EQ(blends.size(), 4u);
    const PixelRect cell = YearDayCell(layout, 2024, 7, 4, 0);
    EXPECT_EQ(blends[0].rect, (PixelRect{cell.x, cell.y, layout.cellWidth - 1, 2}));
    EXPECT_EQ(blends[0].opacity, 166);

    canvas.Clear();
    view.frameVisible = false;
    PaintYearCalendar(canvas, Look(15), layout, view);
    EXPECT_TRUE(CallsOfKind(canvas, Kind::kBlend).empty());
}

}  // namespace
}  // namespace tavrin
