#include "ui/frame_scene.h"

#include "calendar/calendar_rules.h"
#include "platform/text.h"
#include "store/month_text.h"
#include "ui/hit_codes.h"

namespace tavrin {

DayMarks MarksOfMonth(const YearBuffer* buffer, int year, int month) noexcept {
    DayMarks marks{};
    if (!buffer || buffer->Year() != year || month < 1 || month > 12) {
        return marks;
    }
    const MonthTable& days = buffer->Days(month);
    for (std::size_t i = 0; i < marks.size(); ++i) {
        marks[i] = days[i].mark;
    }
    return marks;
}

DayMarks SlideMonthMarks(FileSystem& fs, const std::filesystem::path& diaryFolder, const YearBuffer* buffer,
                         int year, int month) {
    if (buffer && buffer->Year() == year) {
        return MarksOfMonth(buffer, year, month);
    }
    DayMarks marks{};
    if (year < 1 || year > 9999 || month < 1 || month > 12) {
        return marks;
    }
    const std::optional<std::u16string> text = ReadMonthText(fs, MonthFilePath(diaryFolder, year, month));
    MonthTable table{};
    if (!text || !ParseMonthText(*text, year, month, table)) {
        return marks;
    }
    for (std::size_t i = 0; i < marks.size(); ++i) {
        marks[i] = table[i].length;
    }
    return marks;
}

std::u16string ToolbarTodayText(const DiaryDate& today) { return TodayText(today); }

FrameScene BuildFrameScene(const FrameModel& model, const TextMetricsSource& fonts) {
    const AppState& app = *model.app;
    const Settings& settings = app.settings;
    const int dpi = model.dpi;
    FrameScene scene;
    scene.mode = app.displayMode;
    scene.look = CalendarLookOf(settings, dpi);
    scene.shown = app.selectedDate;
    scene.today = DateOf(app.now);
    scene.layout = ComputeFrameLayout(settings, scene.mode, model.clientWidth, model.clientHeight,
                                      SideFontHeightsOf(fonts), dpi);
    scene.toolbar = LayoutToolbar(
        scene.layout.toolbar, fonts.TextWidth(FontRole::kSmall, TodayText(scene.today)),
        fonts.TextWidth(FontRole::kSmall, app.DiaryName()), settings.window.fullscreen != 0, dpi);
    const int year = scene.shown.year;
    if (scene.mode == DisplayMode::kCalendar) {
        scene.year = LayoutYearCalendar(fonts, scene.layout.belowToolbar, year, scene.today, dpi);
        for (int month = 1; month <= 12; ++month) {
            scene.yearMarks[static_cast<std::size_t>(month - 1)] =
                MarksOfMonth(model.yearBuffer, year, month);
        }
        return scene;
    }
    scene.title = LayoutTitleLine(fonts, scene.look, scene.layout.title, scene.shown);
    if (scene.layout.sidebarShown) {
        scene.grid = GridMetricsOf(settings.calendar, scene.layout.calendar.x, scene.layout.calendar.y, dpi);
        scene.month = MonthLayoutOf(year, scene.shown.month, scene.look.startWeek);
        scene.header = LayoutSideHeader(fonts, scene.layout.sideHeader, year, scene.shown.month, scene.today);
        scene.monthMarks = MarksOfMonth(model.yearBuffer, year, scene.shown.month);
    }
    return scene;
}

PixelRect GridRect(const FrameScene& scene) noexcept {
    return scene.layout.sidebarShown ? scene.grid.Bounds() : PixelRect{};
}

namespace {

int SidebarHit(const FrameScene& scene, int x, int y) noexcept {
    const FrameLayout& layout = scene.layout;
    if (const int day = DayAt(scene.grid, scene.month, x, y); day > 0) {
        return day;
    }
    if (scene.header.leftBlock.Contains(x, y)) {
        return kHitHeaderYear;
    }
    if (scene.header.monthNumber.Contains(x, y)) {
        return kHitHeaderMonth;
    }
    if (scene.header.rightBlock.Contains(x, y)) {
        return kHitHeaderToday;
    }
    if (layout.sideSplitter.Contains(x, y)) {
        return kHitSideSplitter;
    }
    if (layout.calendarSplitter.Contains(x, y)) {
        return kHitCalendarSplitter;
    }
    if (layout.searchBox.Contains(x, y)) {
        return kHitSearchBox;
    }
    if (layout.searchButton.Contains(x, y)) {
        return kHitSearchButton;
    }
    return kHitNothing;
}

int TitleHit(const TitleLineLayout& title, int x, int y) noexcept {
    if (title.year.Contains(x, y)) {
        return kHitTitleYear;
    }
    if (title.month.Contains(x, y)) {
        return kHitTitleMonth;
    }
    if (title.day.Contains(x, y)) {
        return kHitTitleDay;
    }
    return kHitNothing;
}

}  // namespace

int HitTestFrame(const FrameScene& scene, int x, int y) noexcept {
    if (const int code = scene.toolbar.Hit(x, y); code != kHitNothing) {
        return code;
    }
    if (scene.mode == DisplayMode::kCalendar) {
        return YearCalendarHit(scene.year, scene.shown.year, scene.look.startWeek, x, y);
    }
    if (scene.layout.sidebarShown) {
        if (const int code = SidebarHit(scene, x, y); code != kHitNothing) {
            return code;
        }
    }
    return TitleHit(scene.title, x, y);
}

HolidayTip HolidayTipAt(const FrameScene& scene, int x, int y) noexcept {
    const int year = scene.shown.year;
    int month = 0;
    int day = 0;
    PixelRect cell;
    if (scene.mode == DisplayMode::kCalendar) {
        const int code = YearCalendarHit(scene.year, year, scene.look.startWeek, x, y);
        if (IsYearDayHit(code)) {
            month = MonthOfYearDayHit(code);
            day = DayOfYearDayHit(code);
            cell = YearDayCell(scene.year, year, month, day, scene.look.startWeek);
        }
    } else if (scene.layout.sidebarShown) {
        month = scene.shown.month;
        day = DayAt(scene.grid, scene.month, x, y);
        cell = day > 0 ? DayCell(scene.grid, scene.month, day) : PixelRect{};
    }
    const int holiday = day > 0 ? HolidayOf(year, month, day) : kNoHoliday;
    if (holiday == kNoHoliday) {
        return {};
    }
    return {cell, HolidayName(holiday)};
}

}  // namespace tavrin
