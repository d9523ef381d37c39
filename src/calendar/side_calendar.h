#pragma once
// The month calendar of the side area and the title line above the editor: colours, cell geometry,
// header and title click areas, and their painting through a Canvas. The year calendar shares the
// colour rules and the selected-day frame.

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "app/settings.h"
#include "calendar/diary_date.h"
#include "ui/canvas.h"
#include "ui/dpi.h"

namespace tavrin {

// The calendar mark of each day of a month, index day - 1: above 0 means the day is written.
using DayMarks = std::array<std::int32_t, 31>;

// Colours, blend levels and options shared by every calendar painter. Blend levels run from 0 to 256;
// 256 is opaque.
struct CalendarLook {
    ColorRef text = 0;
    ColorRef back = 0;
    ColorRef saturday = 0;
    ColorRef sunday = 0;
    int baseBlend = 0;    // fill of written days
    int mediumBlend = 0;  // inactive toolbar buttons, search box frame
    int strongBlend = 0;  // bars of the selected-day frame
    bool dropShadow = false;
    int startWeek = 0;   // weekday of the first column, 0 to 6
    int dpi = kBaseDpi;  // the screen the calendars are drawn for

    [[nodiscard]] bool OpaqueBase() const noexcept { return baseBlend >= 256; }
    // A length of the 96-DPI drawing (a line, an inset) on this screen.
    [[nodiscard]] int Px(int length96) const noexcept { return ScaleForDpi(length96, dpi); }
    // The width of a line drawn width96 pixels wide at 96 DPI.
    [[nodiscard]] int Line(int width96) const noexcept { return ScaleLineForDpi(width96, dpi); }
};

// The look of the settings: the [Color] colours and Alpha, TextDropShadow, StartWeek (taken mod 7),
// for a screen of the given DPI.
[[nodiscard]] CalendarLook CalendarLookOf(const Settings& settings, int dpi = kBaseDpi) noexcept;

// The column (0 to 6) that shows a weekday when the first column is startWeek, and the reverse.
[[nodiscard]] int ColumnOfWeekday(int weekday, int startWeek) noexcept;
[[nodiscard]] int WeekdayOfColumn(int column, int startWeek) noexcept;

// Sunday for holidays and the Sunday column, Saturday for the Saturday column, Text otherwise.
[[nodiscard]] ColorRef DayColour(const CalendarLook& look, int year, int month, int day, int column) noexcept;
// The colour of a weekday name: Sunday for 0, Saturday for 6, Text for the rest.
[[nodiscard]] ColorRef WeekdayColour(const CalendarLook& look, int weekday) noexcept;

// Where the days of one month fall in seven columns and six rows. days is DaysInMonth; firstColumn is
// the column of the 1st. Year 0 and other out-of-range values still give a usable layout (the slide
// of a refused PrevYear draws such a month).
struct MonthLayout {
    int year = 0;
    int month = 1;
    int days = 31;
    int firstColumn = 0;

    [[nodiscard]] int Column(int day) const noexcept { return (firstColumn + day - 1) % 7; }
    [[nodiscard]] int Row(int day) const noexcept { return (firstColumn + day - 1) / 7; }
};

[[nodiscard]] MonthLayout MonthLayoutOf(int year, int month, int startWeek) noexcept;

// The side calendar's grid: cells of cellWidth x cellHeight with margin pixels between them.
struct GridMetrics {
    int left = 0;
    int top = 0;
    int cellWidth = 32;
    int cellHeight = 24;
    int margin = 4;

    [[nodiscard]] int Width() const noexcept { return 7 * cellWidth + 6 * margin; }
    [[nodiscard]] int Height() const noexcept { return 6 * cellHeight + 5 * margin; }
    [[nodiscard]] PixelRect Bounds() const noexcept { return {left, top, Width(), Height()}; }
    [[nodiscard]] PixelRect Cell(int column, int row) const noexcept {
        return {left + column * (cellWidth + margin), top + row * (cellHeight + margin), cellWidth,
                cellHeight};
    }
};

// The grid of the calendar settings placed at (left, top): BoxWidth, BoxHeight and BoxMargin are 96-DPI
// lengths, scaled for a screen of the given DPI.
[[nodiscard]] GridMetrics GridMetricsOf(const CalendarSettings& calendar, int left, int top,
                                        int dpi = kBaseDpi) noexcept;

[[nodiscard]] PixelRect DayCell(const GridMetrics& grid, const MonthLayout& month, int day) noexcept;
// The day whose cell holds the point (gaps between cells hold none), or 0.
[[nodiscard]] int DayAt(const GridMetrics& grid, const MonthLayout& month, int x, int y) noexcept;

// The selected-day frame of both calendars inside rect: with an opaque base blend two one-pixel
// rectangles (the day colour, then the number colour one pixel inside); otherwise four 2-pixel bars
// along the edges in the day colour at the strong blend. Line widths are scaled with the look's DPI.
void PaintSelectionFrame(Canvas& canvas, const CalendarLook& look, const PixelRect& rect, ColorRef dayColour,
                         ColorRef numberColour);
// How far the selected-day frame reaches into its cell.
[[nodiscard]] int SelectionFrameWidth(const CalendarLook& look) noexcept;

// What one month of the side calendar shows.
struct MonthGridView {
    int year = 0;
    int month = 1;
    int selectedDay = 0;  // 0 for none
    const DayMarks* marks = nullptr;
    bool frameVisible = true;  // false while the blink hides the selected day's frame
};

// The days of one month: written-day fills, numbers, the selected-day frame. The grid's left and top
// may lie outside the visible grid (the month-change slide moves them); the caller clips.
void PaintMonthGrid(Canvas& canvas, const CalendarLook& look, const GridMetrics& grid,
                    const MonthGridView& view);

// The English month names "January" to "December"; empty outside 1 to 12.
[[nodiscard]] std::u16string_view EnglishMonthName(int month) noexcept;

// The header above the side calendar's grid and its click areas. Empty rectangles are texts that are
// not drawn (the month name when it would reach the month number, today's date when it would start
// left of the month number's right edge).
struct SideHeaderLayout {
    PixelRect year;
    PixelRect monthName;
    PixelRect monthNumber;
    PixelRect todayWord;
    PixelRect todayDate;
    PixelRect leftBlock;   // year and month name: the year menu
    PixelRect rightBlock;  // "今日" and the date: the Today command
};

// Lays out the header in area (the grid's width, the sidebar's title-area height). Large font for the
// month number, small font for the rest.
[[nodiscard]] SideHeaderLayout LayoutSideHeader(const TextMetricsSource& fonts, const PixelRect& area,
                                                int year, int month, const DiaryDate& today);

// Which header or title item is hovered, for its underline.
enum class CalendarHover {
    kNone,
    kHeaderLeft,
    kHeaderMonth,
    kHeaderToday,
    kTitleYear,
    kTitleMonth,
    kTitleDay,
};

void PaintSideHeader(Canvas& canvas, const CalendarLook& look, const SideHeaderLayout& header, int year,
                     int month, const DiaryDate& today, CalendarHover hover);

// The row of weekday names over the grid's columns, starting with weekday startWeek; names from
// WeekFormat (labels[0] is Sunday's).
void PaintWeekdayRow(Canvas& canvas, const CalendarLook& look, const PixelRect& row, const GridMetrics& grid,
                     const std::array<std::u16string, 7>& labels);

// The title line of the selected date: "YYYY/MM/DD" in the large font, each number a click area,
// then "（曜）" or "（曜） holiday" in the medium font in the weekday's colour.
struct TitleLineLayout {
    PixelRect year;
    PixelRect firstSlash;
    PixelRect month;
    PixelRect secondSlash;
    PixelRect day;
    PixelRect weekday;
    std::u16string weekdayText;
    ColorRef weekdayColour = 0;
};

// Space between the title box's left edge and the date, the editor's own left margin (96-DPI pixels).
inline constexpr int kTitleInset = 20;

[[nodiscard]] TitleLineLayout LayoutTitleLine(const TextMetricsSource& fonts, const CalendarLook& look,
                                              const PixelRect& titleBox, const DiaryDate& date);
void PaintTitleLine(Canvas& canvas, const CalendarLook& look, const TitleLineLayout& title,
                    const DiaryDate& date, CalendarHover hover);

// An underline in the text colour under a hovered click area: one pixel at 96 DPI, scaled like lines.
void PaintHoverUnderline(Canvas& canvas, const CalendarLook& look, const PixelRect& area);

}  // namespace tavrin
