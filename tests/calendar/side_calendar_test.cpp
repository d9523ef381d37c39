#include "calendar/side_calendar.h"

#include <gtest/gtest.h>

#include <vector>

#include "app/settings_codec.h"
#include "calendar/calendar_animation.h"
#include "calendar/calendar_rules.h"
#include "platform/text.h"
#include "support/recording_canvas.h"
#include "support/test_support.h"
#include "ui/dpi.h"

namespace tavrin {
namespace {

using testing::CanvasCall;
using testing::RecordingCanvas;
using testing::U;
using Kind = CanvasCall::Kind;

constexpr ColorRef kText = MakeColorRef(0, 128, 192);
constexpr ColorRef kBack = MakeColorRef(255, 255, 255);
constexpr ColorRef kSaturdayBlue = MakeColorRef(0, 0, 200);
constexpr ColorRef kSundayRed = MakeColorRef(255, 51, 51);

Settings TestSettings(int alpha = 15, int startWeek = 0) {
    Settings settings;
    settings.colour.text = kText;
    settings.colour.back = kBack;
    settings.colour.saturday = kSaturdayBlue;
    settings.colour.sunday = kSundayRed;
    settings.colour.alpha = alpha;
    settings.calendar.startWeek = startWeek;
    return settings;
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

// The last text call drawing text (the shadow copy, when there is one, comes first).
CanvasCall LastText(const RecordingCanvas& canvas, std::u16string_view text) {
    const std::vector<CanvasCall> calls = canvas.TextCalls(text);
    EXPECT_FALSE(calls.empty()) << "no text " << ToUtf8(text);
    return calls.empty() ? CanvasCall{} : calls.back();
}

TEST(SideCalendar, AMonthStartingInTheLastColumnUsesAllSixRows) {
    const Settings settings = TestSettings();
    const MonthLayout august = MonthLayoutOf(2026, 8, 0);
    EXPECT_EQ(august.firstColumn, 6) << "2026-08-01 is a Saturday";
    EXPECT_EQ(august.days, 31);
    const GridMetrics grid = GridMetricsOf(settings.calendar, 100, 50);
    EXPECT_EQ(DayCell(grid, august, 1), (PixelRect{100 + 6 * 36, 50, 32, 24}));
    EXPECT_EQ(DayCell(grid, august, 31), (PixelRect{100 + 36, 50 + 5 * 28, 32, 24}))
        << "the 31st is in the sixth row";
    EXPECT_EQ(grid.Bounds(), (PixelRect{100, 50, 7 * 32 + 6 * 4, 6 * 24 + 5 * 4}));

    const MonthLayout mondayFirst = MonthLayoutOf(2026, 8, 1);
    EXPECT_EQ(mondayFirst.firstColumn, 5);
    EXPECT_EQ(mondayFirst.Row(31), 5) << "Monday columns: the 31st (a Monday) starts the sixth row";
    EXPECT_EQ(mondayFirst.Column(31), 0);
}

// Every pixel of the grid against a naive model: the day whose cell contains the point, else 0; on
// screens of 96, 120, 144 and 192 DPI, where the boxes and gaps of the settings are scaled.
TEST(SideCalendar, DayAtFindsExactlyThePointsInsideACell) {
    Settings settings = TestSettings(15, 3);
    settings.calendar.boxMargin = 5;
    for (const int dpi : {96, 120, 144, 192}) {
        const GridMetrics grid = GridMetricsOf(settings.calendar, 7, 11, dpi);
        EXPECT_EQ(grid.cellWidth, ScaleForDpi(settings.calendar.boxWidth, dpi));
        EXPECT_EQ(grid.cellHeight, ScaleForDpi(settings.calendar.boxHeight, dpi));
        EXPECT_EQ(grid.margin, ScaleForDpi(5, dpi));
        for (const auto& [year, month] : std::vector<std::pair<int, int>>{{2024, 2}, {2026, 8}, {2021, 2}}) {
            const MonthLayout layout = MonthLayoutOf(year, month, 3);
            int mismatches = 0;
            for (int y = grid.top - 3; y < grid.top + grid.Height() + 3; ++y) {
                for (int x = grid.left - 3; x < grid.left + grid.Width() + 3; ++x) {
                    int expected = 0;
                    for (int day = 1; day <= layout.days; ++day) {
                        if (DayCell(grid, layout, day).Contains(x, y)) {
                            expected = day;
                        }
                    }
                    if (DayAt(grid, layout, x, y) != expected && ++mismatches < 5) {
                        ADD_FAILURE()
                            << year << "-" << month << " at " << x << "," << y << ", " << dpi << " DPI";
                    }
                }
            }
        }
    }
}

TEST(SideCalendar, ColumnsFollowStartWeekAndHolidaysAreSundayColouredAnywhere) {
    const CalendarLook sundayFirst = CalendarLookOf(TestSettings(15, 0));
    const CalendarLook mondayFirst = CalendarLookOf(TestSettings(15, 1));
    EXPECT_EQ(ColumnOfWeekday(kSunday, 1), 6) << "with StartWeek 1 Sunday is the last column";
    EXPECT_EQ(ColumnOfWeekday(kSaturday, 1), 5);
    EXPECT_EQ(CalendarLookOf(TestSettings(15, -6)).startWeek, 1) << "StartWeek is taken mod 7";

    const MonthLayout march = MonthLayoutOf(2024, 3, 1);
    const auto colour = [&](const CalendarLook& look, int day) {
        return DayColour(look, 2024, 3, day, MonthLayoutOf(2024, 3, look.startWeek).Column(day));
    };
    EXPECT_EQ(march.Column(3), 6);
    EXPECT_EQ(colour(mondayFirst, 3), kSundayRed) << "2024-03-03 is a Sunday";
    EXPECT_EQ(colour(mondayFirst, 2), kSaturdayBlue);
    EXPECT_EQ(colour(mondayFirst, 4), kText);
    EXPECT_EQ(colour(mondayFirst, 20), kSundayRed) << "the vernal equinox holiday, a Wednesday";
    EXPECT_EQ(colour(sundayFirst, 20), kSundayRed);
    EXPECT_EQ(DayColour(sundayFirst, 2022, 1, 1, MonthLayoutOf(2022, 1, 0).Column(1)), kSundayRed)
        << "New Year's Day on a Saturday takes the holiday colour";
}

TEST(SideCalendar, OpaqueWrittenDaysAreSolidBoxesWithTheNumberInBack) {
    const Settings settings = TestSettings(100);
    const CalendarLook look = CalendarLookOf(settings);
    const GridMetrics grid = GridMetricsOf(settings.calendar, 0, 0);
    DayMarks marks{};
    marks[11] = 40;  // the 12th
    marks[14] = 3;   // the 15th, also selected
    RecordingCanvas canvas;
    PaintMonthGrid(canvas, look, grid, {2024, 2, 15, &marks, true});
    const MonthLayout february = MonthLayoutOf(2024, 2, 0);

    const std::vector<CanvasCall> fills = CallsOfKind(canvas, Kind::kFill);
    ASSERT_EQ(fills.size(), 2u);
    EXPECT_EQ(fills[0].rect, DayCell(grid, february, 12));
    EXPECT_EQ(fills[0].colour, kSundayRed) << "2024-02-12 is a substitute holiday";
    const PixelRect cell15 = DayCell(grid, february, 15);
    EXPECT_EQ(fills[1].rect, (PixelRect{cell15.x + 2, cell15.y + 2, 28, 20})) << "inset under the frame";
    EXPECT_TRUE(CallsOfKind(canvas, Kind::kBlend).empty());

    EXPECT_EQ(LastText(canvas, u"12").colour, kBack);
    EXPECT_EQ(canvas.TextCalls(u"12").size(), 1u) << "a cut-out number has no shadow";
    EXPECT_EQ(LastText(canvas, u"13").colour, kText);

    const std::vector<CanvasCall> outlines = CallsOfKind(canvas, Kind::kOutline);
    ASSERT_EQ(outlines.size(), 2u);
    EXPECT_EQ(outlines[0].rect, cell15);
    EXPECT_EQ(outlines[0].colour, kText);
    EXPECT_EQ(outlines[1].rect, (PixelRect{cell15.x + 1, cell15.y + 1, 30, 22}));
    EXPECT_EQ(outlines[1].colour, kBack) << "the inner line takes the number's colour";
}

TEST(SideCalendar, TransparentWrittenDaysLookLikeAnyOtherDay) {
    const Settings settings = TestSettings(0);
    const CalendarLook look = CalendarLookOf(settings);
    DayMarks marks{};
    marks.fill(5);
    RecordingCanvas canvas;
    PaintMonthGrid(canvas, look, GridMetricsOf(settings.calendar, 0, 0), {2024, 5, 0, &marks, true});
    EXPECT_TRUE(CallsOfKind(canvas, Kind::kFill).empty());
    EXPECT_TRUE(CallsOfKind(canvas, Kind::kBlend).empty());
    EXPECT_EQ(LastText(canvas, u"3").colour, kSundayRed) << "Constitution Day";
    EXPECT_EQ(CallsOfKind(canvas, Kind::kText).size(), 31u);
}

TEST(SideCalendar, TranslucentSelectionIsFourStrongBarsAndBlinksAway) {
    Settings settings = TestSettings(15);
    settings.colour.textDropShadow = 1;
    const CalendarLook look = CalendarLookOf(settings);
    const GridMetrics grid = GridMetricsOf(settings.calendar, 0, 0);
    DayMarks marks{};
    marks[9] = 1;
    RecordingCanvas canvas;
    PaintMonthGrid(canvas, look, grid, {2024, 5, 10, &marks, true});
    const PixelRect cell = DayCell(grid, MonthLayoutOf(2024, 5, 0), 10);
    const std::vector<CanvasCall> blends = CallsOfKind(canvas, Kind::kBlend);
    ASSERT_EQ(blends.size(), 5u);
    EXPECT_EQ(blends[0].rect, (PixelRect{cell.x + 2, cell.y + 2, cell.width - 4, cell.height - 4}));
    EXPECT_EQ(blends[0].opacity, 38) << "the base blend of Alpha 15";
    for (std::size_t i = 1; i < blends.size(); ++i) {
        EXPECT_EQ(blends[i].opacity, 166) << "the strong blend";
        EXPECT_EQ(blends[i].colour, kText);
    }
    EXPECT_EQ(blends[1].rect, (PixelRect{cell.x, cell.y, cell.width, 2}));
    EXPECT_EQ(blends[4].rect, (PixelRect{cell.Right() - 2, cell.y + 2, 2, cell.height - 4}));
    const std::vector<CanvasCall> tens = canvas.TextCalls(u"10");
    ASSERT_EQ(tens.size(), 2u) << "shadow, then the number";
    EXPECT_EQ(tens[0].colour, kBack);
    EXPECT_EQ(tens[0].rect.x, tens[1].rect.x + 1);

    canvas.Clear();
    PaintMonthGrid(canvas, look, grid, {2024, 5, 10, &marks, false});
    ASSERT_EQ(CallsOfKind(canvas, Kind::kBlend).size(), 1u) << "hidden frame: only the fill, at full size";
    EXPECT_EQ(CallsOfKind(canvas, Kind::kBlend)[0].rect, cell);
}

TEST(SideCalendar, BlinkHidesTheFrameOnEvenCountsThreeTimes) {
    BlinkState blink;
    EXPECT_TRUE(SelectedFrameVisible(blink));
    StartBlink(blink);
    std::vector<bool> shown{SelectedFrameVisible(blink)};
    int ticks = 0;
    while (BlinkTick(blink)) {
        shown.push_back(SelectedFrameVisible(blink));
        ++ticks;
    }
    EXPECT_EQ(ticks, 5) << "the sixth tick ends it";
    EXPECT_EQ(shown, (std::vector<bool>{false, true, false, true, false, true}));
    EXPECT_FALSE(blink.running);
    EXPECT_TRUE(SelectedFrameVisible(blink));
    EXPECT_FALSE(StopBlink(blink));
    StartBlink(blink);
    EXPECT_TRUE(StopBlink(blink));
}

TEST(SideCalendar, SlideDirectionsOffsetsAndEnd) {
    EXPECT_EQ(SlideDirectionOf({2024, 12, 5}, {2025, 1, 5}), SlideDirection::kFromRight);
    EXPECT_EQ(SlideDirectionOf({2024, 3, 5}, {2024, 2, 5}), SlideDirection::kFromAbove);
    EXPECT_EQ(SlideDirectionOf({2024, 3, 5}, {2024, 4, 5}), SlideDirection::kFromBelow);
    EXPECT_EQ(SlideDirectionOf({1, 3, 5}, {0, 3, 5}), SlideDirection::kFromLeft);

    const GridMetrics grid;  // 248 x 164
    EXPECT_EQ(SlideOffsets(SlideDirection::kFromAbove, grid),
              (std::array<int, 12>{150, 126, 101, 80, 59, 41, 27, 18, 11, 6, 3, 1}));
    EXPECT_EQ(SlideOffsets(SlideDirection::kFromRight, grid)[0], 228) << "248 x 0.92";

    SlideState slide;
    StartSlide(slide, {2024, 3, 31}, {2024, 14, 2}, {}, {}, grid);
    EXPECT_EQ(slide.to.month, 12) << "the month is clamped";
    int ticks = 0;
    while (!SlideTick(slide)) {
        ++ticks;
    }
    EXPECT_EQ(ticks, 11) << "twelve frames, the twelfth tick ends the slide";
    EXPECT_FALSE(slide.running);
}

TEST(SideCalendar, SlidePaintsBothMonthsClippedOverTheBackground) {
    const Settings settings = TestSettings(100);
    const CalendarLook look = CalendarLookOf(settings);
    const GridMetrics grid = GridMetricsOf(settings.calendar, 10, 100);
    SlideState slide;
    DayMarks marchMarks{};
    marchMarks[0] = 1;
    StartSlide(slide, {2024, 3, 5}, {2024, 2, 7}, marchMarks, {}, grid);
    RecordingCanvas canvas;
    PaintSlide(canvas, look, grid, slide);
    const std::vector<CanvasCall>& calls = canvas.Calls();
    ASSERT_GE(calls.size(), 3u);
    EXPECT_EQ(calls.front().kind, Kind::kPushClip);
    EXPECT_EQ(calls.front().rect, grid.Bounds());
    EXPECT_EQ(calls[1].kind, Kind::kFill) << "the background first";
    EXPECT_EQ(calls[1].rect, grid.Bounds());
    EXPECT_EQ(calls[1].colour, kBack);
    EXPECT_EQ(calls.back().kind, Kind::kPopClip);

    // February comes down from above: its top is 150 above the grid, March follows one margin below it.
    const std::vector<CanvasCall> ones = canvas.TextCalls(u"1");
    ASSERT_EQ(ones.size(), 2u);
    GridMetrics march = grid;
    march.top = grid.top - 150 + 164 + 4;
    GridMetrics february = grid;
    february.top = grid.top - 150;
    EXPECT_EQ(ones[0].rect, DayCell(march, MonthLayoutOf(2024, 3, 0), 1));
    EXPECT_EQ(ones[0].colour, kBack) << "March keeps its own marks";
    EXPECT_EQ(ones[1].rect, DayCell(february, MonthLayoutOf(2024, 2, 0), 1));
    EXPECT_EQ(CallsOfKind(canvas, Kind::kOutline).size(), 4u) << "each month frames its own selected day";
}

TEST(SideCalendar, TitleLineOfASubstituteHoliday) {
    const CalendarLook look = CalendarLookOf(TestSettings());
    RecordingCanvas canvas;
    const PixelRect box{300, 52, 400, 32};
    const DiaryDate date{2024, 2, 12};
    const TitleLineLayout title = LayoutTitleLine(canvas, look, box, date);
    PaintTitleLine(canvas, look, title, date, CalendarHover::kNone);
    const std::u16string weekday = U("（月） 振替休日");
    EXPECT_EQ(title.weekdayText, weekday);
    const CanvasCall holiday = LastText(canvas, weekday);
    EXPECT_EQ(holiday.colour, kSundayRed);
    EXPECT_EQ(holiday.style.font, FontRole::kMedium);
    for (const char16_t* part : {u"2024", u"02", u"12"}) {
        EXPECT_EQ(LastText(canvas, part).colour, kText);
        EXPECT_EQ(LastText(canvas, part).style.font, FontRole::kLarge);
    }
    // Click areas follow the drawn texts: "2024" "/" "02" "/" "12" side by side from the inset.
    EXPECT_EQ(title.year, (PixelRect{320, 53, 32, 29}));
    EXPECT_EQ(title.month, (PixelRect{360, 53, 16, 29}));
    EXPECT_EQ(title.day, (PixelRect{384, 53, 16, 29}));
    EXPECT_EQ(title.weekday.x, 400);
    EXPECT_EQ(title.weekday.y + 15, 53 + 24) << "both fonts share the baseline";

    EXPECT_EQ(LayoutTitleLine(canvas, look, box, {2024, 2, 10}).weekdayColour, kSaturdayBlue);
    EXPECT_EQ(LayoutTitleLine(canvas, look, box, {2024, 2, 11}).weekdayText, U("（日） 建国記念の日"));
    EXPECT_EQ(LayoutTitleLine(canvas, look, box, {2024, 2, 13}).weekdayColour, kText);
}

TEST(SideCalendar, WeekdayRowFollowsWeekFormatAndStartWeek) {
    const Settings settings = TestSettings(15, 1);
    const CalendarLook look = CalendarLookOf(settings);
    const GridMetrics grid = GridMetricsOf(settings.calendar, 0, 40);
    RecordingCanvas canvas;
    PaintWeekdayRow(canvas, look, {0, 20, 252, 20}, grid, SplitWeekLabels(u"S,M,T,W,R"));
    const std::vector<CanvasCall> texts = CallsOfKind(canvas, Kind::kText);
    ASSERT_EQ(texts.size(), 5u) << "Friday and Saturday have no names";
    EXPECT_EQ(texts[0].text, u"M");
    EXPECT_EQ(texts[0].rect, (PixelRect{0, 20, 32, 20}));
    EXPECT_EQ(texts[4].text, u"S");
    EXPECT_EQ(texts[4].rect.x, 6 * 36) << "Sunday is the last column";
    EXPECT_EQ(texts[4].colour, kSundayRed);
}

TEST(SideCalendar, HeaderDropsTextsThatWouldReachTheMonthNumber) {
    const CalendarLook look = CalendarLookOf(TestSettings());
    RecordingCanvas canvas;  // ASCII 8 pixels, other characters 16
    const DiaryDate today{2024, 5, 1};
    const SideHeaderLayout wide = LayoutSideHeader(canvas, {0, 0, 252, 33}, 2024, 9, today);
    EXPECT_EQ(wide.monthNumber, (PixelRect{122, 2, 8, 29}));
    EXPECT_EQ(wide.year, (PixelRect{0, 4, 32, 12})) << "the year's bottom at the number's middle";
    EXPECT_EQ(wide.monthName, (PixelRect{0, 16, 72, 12}));
    EXPECT_EQ(wide.todayDate, (PixelRect{172, 16, 80, 12}));
    EXPECT_EQ(wide.leftBlock, (PixelRect{0, 4, 72, 24}));
    EXPECT_EQ(wide.rightBlock, (PixelRect{172, 4, 80, 24}));

    const SideHeaderLayout narrow = LayoutSideHeader(canvas, {0, 0, 140, 33}, 2024, 9, today);
    EXPECT_TRUE(narrow.monthName.Empty()) << "September would run into the month number";
    EXPECT_TRUE(narrow.todayDate.Empty());
    EXPECT_EQ(narrow.leftBlock, (PixelRect{0, 4, 32, 12}));
    EXPECT_EQ(narrow.rightBlock, (PixelRect{108, 4, 32, 12}));
    PaintSideHeader(canvas, look, narrow, 2024, 9, today, CalendarHover::kHeaderToday);
    EXPECT_TRUE(canvas.TextCalls(u"September").empty());
    EXPECT_TRUE(canvas.TextCalls(u"2024/05/01").empty());
    EXPECT_EQ(canvas.Calls().back().kind, Kind::kFill) << "the hovered block is underlined";
    EXPECT_EQ(canvas.Calls().back().rect, (PixelRect{108, 16, 32, 1}));
}

}  // namespace
}  // namespace tavrin
