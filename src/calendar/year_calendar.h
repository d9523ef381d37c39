#pragma once
// The year calendar of calendar mode: twelve month blocks in four columns and three rows under a
// header with the year, its era and today's date. Layout, painting and hit-testing.

#include <array>
#include <string>

#include "calendar/diary_date.h"
#include "calendar/side_calendar.h"
#include "ui/canvas.h"

namespace tavrin {

// Metrics of the view in 96-DPI pixels; a layout scales them for its screen.
inline constexpr int kYearHeaderHeight = 36;
inline constexpr int kYearSideMargin = 10;
inline constexpr int kYearColumnGap = 32;
inline constexpr int kYearRowGap = 8;
inline constexpr int kYearBottomMargin = 4;
inline constexpr int kYearMinCell = 16;
inline constexpr int kYearHeaderClickPad = 8;

// "%s元年　%s" or "%s%d年　%s": the era in force on December 31 of the year, its era year and the
// year's earthly branch.
[[nodiscard]] std::u16string EraLine(int year);
// "今日：%04d/%02d/%02d", also the toolbar's Today button.
[[nodiscard]] std::u16string TodayText(const DiaryDate& today);

// Where everything of the year calendar lies in its view (the area below the toolbar). The block
// columns are centred and may overflow a narrow view on both sides.
struct YearCalendarLayout {
    PixelRect view;
    int cellWidth = kYearMinCell;
    int cellHeight = kYearMinCell;
    int gridLeft = 0;                      // left edge of the first block column
    int headerHeight = kYearHeaderHeight;  // the metrics above, scaled for the screen
    int columnGap = kYearColumnGap;
    int rowGap = kYearRowGap;
    PixelRect yearText;
    PixelRect eraText;
    PixelRect todayText;
    PixelRect yearArea;  // the click areas: the texts widened by 8 pixels and as tall as the header
    PixelRect eraArea;
    PixelRect todayArea;

    [[nodiscard]] int BlocksWidth() const noexcept { return 28 * cellWidth + 3 * columnGap; }
    // The block of a month 1 to 12: 7 cells wide, a title row and six week rows high.
    [[nodiscard]] PixelRect Block(int month) const noexcept;
    [[nodiscard]] PixelRect TitleRow(int month) const noexcept;
    [[nodiscard]] PixelRect Cell(int month, int column, int weekRow) const noexcept;
};

// The layout of the view for a screen of the given DPI.
[[nodiscard]] YearCalendarLayout LayoutYearCalendar(const TextMetricsSource& fonts, const PixelRect& view,
                                                    int year, const DiaryDate& today, int dpi = kBaseDpi);

// The cell of a day of a month of the year, for the given first weekday column.
[[nodiscard]] PixelRect YearDayCell(const YearCalendarLayout& layout, int year, int month, int day,
                                    int startWeek) noexcept;

// What the year calendar shows.
struct YearCalendarView {
    int year = 0;
    DiaryDate selected;
    DiaryDate today;
    const std::array<DayMarks, 12>* marks = nullptr;  // index month - 1
    bool showBoxes = true;                            // the Space toggle
    bool frameVisible = true;                         // false while the blink hides the frame
    int hoverCode = 0;                                // the frame's hit code under the mouse
};

void PaintYearCalendar(Canvas& canvas, const CalendarLook& look, const YearCalendarLayout& layout,
                       const YearCalendarView& view);

// The hit code at a point: the header areas (kHitYearView*), a month's title row (401 to 412), a day
// (YearDayHit), or 0 for gaps, empty cells and everything else.
[[nodiscard]] int YearCalendarHit(const YearCalendarLayout& layout, int year, int startWeek, int x,
                                  int y) noexcept;

}  // namespace tavrin
