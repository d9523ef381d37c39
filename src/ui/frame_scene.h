#pragma once
// Everything the main frame paints into its back buffer, and its hit test. The shell fills a
// FrameModel from its state, builds the FrameScene (all boxes and click areas) whenever the layout, the
// date, today or the marks change, paints it through its Canvas, and hit-tests mouse positions against
// the same scene, so that click areas always follow what was drawn.

#include <array>
#include <filesystem>
#include <string_view>

#include "app/app_state.h"
#include "calendar/calendar_animation.h"
#include "calendar/side_calendar.h"
#include "calendar/year_calendar.h"
#include "platform/file_system.h"
#include "store/year_buffer.h"
#include "ui/canvas.h"
#include "ui/frame_layout.h"

namespace tavrin {

// The state the frame's painting and hit test read. app must be set; the other pointers may be null
// (no marks, no slide).
struct FrameModel {
    const AppState* app = nullptr;
    int clientWidth = 0;
    int clientHeight = 0;
    const YearBuffer* yearBuffer = nullptr;  // marks of the selected year; ignored when it holds another year
    BlinkState blink;
    const SlideState* slide = nullptr;  // painted instead of the grid while running
    int hoverCode = 0;                  // the hit code under the mouse
    bool showYearBoxes = true;          // the Space toggle of the marks in calendar mode
    std::u16string_view searchText;     // the search box's text (up to 255 characters are painted)
    bool searchFocused = false;
    bool backImageShown = false;
    int dpi = kBaseDpi;  // the window's screen: every 96-DPI length is scaled for it
};

// The computed boxes and click areas of one state of the frame.
struct FrameScene {
    DisplayMode mode = DisplayMode::kEdit;
    CalendarLook look;
    FrameLayout layout;
    ToolbarLayout toolbar;
    DiaryDate shown;  // the selected date, whose month the side calendar shows
    DiaryDate today;
    GridMetrics grid;
    MonthLayout month;
    SideHeaderLayout header;
    TitleLineLayout title;
    YearCalendarLayout year;
    DayMarks monthMarks{};
    std::array<DayMarks, 12> yearMarks{};
};

// The marks of a month of the buffer (all 0 when the buffer is absent or holds another year).
[[nodiscard]] DayMarks MarksOfMonth(const YearBuffer* buffer, int year, int month) noexcept;

// The marks of the month a slide brings in: from the buffer when it holds that year, else the entry
// lengths of the month's file in the diary folder (all 0 when there is none, when it cannot be read,
// and for years outside 1 to 9999).
[[nodiscard]] DayMarks SlideMonthMarks(FileSystem& fs, const std::filesystem::path& diaryFolder,
                                       const YearBuffer* buffer, int year, int month);

// The toolbar's today text "今日：YYYY/MM/DD".
[[nodiscard]] std::u16string ToolbarTodayText(const DiaryDate& today);

[[nodiscard]] FrameScene BuildFrameScene(const FrameModel& model, const TextMetricsSource& fonts);

// The whole back buffer: background, toolbar, and either the title line, side calendar and search box
// area (edit mode) or the year calendar (calendar mode).
void PaintFrame(Canvas& canvas, const FrameModel& model, const FrameScene& scene);

// Only the side calendar's grid (a slide tick or a blink tick); the shell invalidates GridRect.
void PaintCalendarGrid(Canvas& canvas, const FrameModel& model, const FrameScene& scene);
[[nodiscard]] PixelRect GridRect(const FrameScene& scene) noexcept;

// The hit code at a client point (see ui/hit_codes.h), 0 for nothing.
[[nodiscard]] int HitTestFrame(const FrameScene& scene, int x, int y) noexcept;

// The holiday under a client point, for its tool tip: the day's cell in the side or the year calendar
// and the holiday's name. An empty name (and area) when the point is on no holiday.
struct HolidayTip {
    PixelRect area;
    std::u16string_view name;
};
[[nodiscard]] HolidayTip HolidayTipAt(const FrameScene& scene, int x, int y) noexcept;

}  // namespace tavrin
