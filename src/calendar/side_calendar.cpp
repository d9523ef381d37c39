#include "calendar/side_calendar.h"

#include <algorithm>

#include "app/app_state.h"
#include "calendar/calendar_paint.h"
#include "calendar/calendar_rules.h"
#include "platform/text.h"

namespace tavrin {
namespace {

constexpr std::array<std::u16string_view, 12> kEnglishMonths = {
    u"January", u"February", u"March",     u"April",   u"May",      u"June",
    u"July",    u"August",   u"September", u"October", u"November", u"December"};

constexpr std::u16string_view kTodayWord = u"今日";

// Keeps hand-edited box sizes from overflowing the geometry; nobody sees a 2000-pixel day box.
constexpr int kMaxBoxSize = 2000;

int Mod7(int value) noexcept { return ((value % 7) + 7) % 7; }

PixelRect Inset(const PixelRect& rect, int by) noexcept {
    return {rect.x + by, rect.y + by, rect.width - 2 * by, rect.height - 2 * by};
}

std::u16string DateText(const DiaryDate& date) {
    std::u16string text;
    AppendDecimal(text, date.year, 4);
    text += u'/';
    AppendDecimal(text, date.month, 2);
    text += u'/';
    AppendDecimal(text, date.day, 2);
    return text;
}

// "（曜）" or "（曜） holiday".
std::u16string WeekdayTitle(int weekday, int holiday) {
    std::u16string text;
    text.reserve(32);
    text.append(u"（").append(WeekdayName(weekday)).append(u"）");
    if (holiday != kNoHoliday) {
        text.append(u" ").append(HolidayName(holiday));
    }
    return text;
}

TextStyle Style(FontRole font, ColorRef colour, TextAlign align = TextAlign::kLeft) {
    TextStyle style;
    style.font = font;
    style.colour = colour;
    style.align = align;
    return style;
}

}  // namespace

CalendarLook CalendarLookOf(const Settings& settings, int dpi) noexcept {
    const OpacityLevels levels = ComputeOpacityLevels(settings.colour.alpha);
    CalendarLook look;
    look.text = settings.colour.text;
    look.back = settings.colour.back;
    look.saturday = settings.colour.saturday;
    look.sunday = settings.colour.sunday;
    look.baseBlend = levels.base;
    look.mediumBlend = levels.light;
    look.strongBlend = levels.strong;
    look.dropShadow = settings.colour.textDropShadow != 0;
    look.startWeek = Mod7(settings.calendar.startWeek);
    look.dpi = dpi;
    return look;
}

int ColumnOfWeekday(int weekday, int startWeek) noexcept { return Mod7(weekday - Mod7(startWeek)); }

int WeekdayOfColumn(int column, int startWeek) noexcept { return Mod7(column + Mod7(startWeek)); }

ColorRef DayColour(const CalendarLook& look, int year, int month, int day, int column) noexcept {
    const int weekday = WeekdayOfColumn(column, look.startWeek);
    if (weekday == kSunday || HolidayOf(year, month, day) != kNoHoliday) {
        return look.sunday;
    }
    return weekday == kSaturday ? look.saturday : look.text;
}

ColorRef WeekdayColour(const CalendarLook& look, int weekday) noexcept {
    if (weekday == kSunday) {
        return look.sunday;
    }
    return weekday == kSaturday ? look.saturday : look.text;
}

MonthLayout MonthLayoutOf(int year, int month, int startWeek) noexcept {
    MonthLayout layout;
    layout.year = year;
    layout.month = std::clamp(month, 1, 12);
    layout.days = DaysInMonth(year, layout.month);
    layout.firstColumn = ColumnOfWeekday(Weekday(year, layout.month, 1), startWeek);
    return layout;
}

GridMetrics GridMetricsOf(const CalendarSettings& calendar, int left, int top, int dpi) noexcept {
    GridMetrics grid;
    grid.left = left;
    grid.top = top;
    grid.cellWidth = ScaleForDpi(std::clamp(calendar.boxWidth, 1, kMaxBoxSize), dpi);
    grid.cellHeight = ScaleForDpi(std::clamp(calendar.boxHeight, 1, kMaxBoxSize), dpi);
    grid.margin = ScaleForDpi(std::clamp(calendar.boxMargin, 0, kMaxBoxSize), dpi);
    return grid;
}

PixelRect DayCell(const GridMetrics& grid, const MonthLayout& month, int day) noexcept {
    return grid.Cell(month.Column(day), month.Row(day));
}

int DayAt(const GridMetrics& grid, const MonthLayout& month, int x, int y) noexcept {
    if (!grid.Bounds().Contains(x, y)) {
        return 0;
    }
    const int column = (x - grid.left) / (grid.cellWidth + grid.margin);
    const int row = (y - grid.top) / (grid.cellHeight + grid.margin);
    if (!grid.Cell(column, row).Contains(x, y)) {
        return 0;  // in the gap after a cell
    }
    const int day = row * 7 + column - month.firstColumn + 1;
    return day >= 1 && day <= month.days ? day : 0;
}

int SelectionFrameWidth(const CalendarLook& look) noexcept {
    return look.OpaqueBase() ? 2 * look.Line(1) : look.Line(2);
}

void PaintSelectionFrame(Canvas& canvas, const CalendarLook& look, const PixelRect& rect, ColorRef dayColour,
                         ColorRef numberColour) {
    if (look.OpaqueBase()) {
        const int line = look.Line(1);
        OutlineOfWidth(canvas, rect, line, dayColour);
        OutlineOfWidth(canvas, Inset(rect, line), line, numberColour);
        return;
    }
    // The side bars leave out the corners the top and bottom bars already cover, so that no pixel is
    // blended twice.
    const int bar = look.Line(2);
    BlendOrFill(canvas, {rect.x, rect.y, rect.width, bar}, look.strongBlend, dayColour);
    BlendOrFill(canvas, {rect.x, rect.Bottom() - bar, rect.width, bar}, look.strongBlend, dayColour);
    BlendOrFill(canvas, {rect.x, rect.y + bar, bar, rect.height - 2 * bar}, look.strongBlend, dayColour);
    BlendOrFill(canvas, {rect.Right() - bar, rect.y + bar, bar, rect.height - 2 * bar}, look.strongBlend,
                dayColour);
}

void PaintMonthGrid(Canvas& canvas, const CalendarLook& look, const GridMetrics& grid,
                    const MonthGridView& view) {
    const MonthLayout month = MonthLayoutOf(view.year, view.month, look.startWeek);
    for (int day = 1; day <= month.days; ++day) {
        const PixelRect cell = DayCell(grid, month, day);
        const ColorRef colour = DayColour(look, view.year, month.month, day, month.Column(day));
        const bool written = view.marks && (*view.marks)[static_cast<std::size_t>(day - 1)] > 0;
        const bool framed = day == view.selectedDay && view.frameVisible;
        if (written) {
            BlendOrFill(canvas, framed ? Inset(cell, SelectionFrameWidth(look)) : cell, look.baseBlend,
                        colour);
        }
        const bool cutOut = written && look.OpaqueBase();
        const ColorRef numberColour = cutOut ? look.back : colour;
        DrawNumber(canvas, look, cell, day, FontRole::kMedium, numberColour, !cutOut);
        if (framed) {
            PaintSelectionFrame(canvas, look, cell, colour, numberColour);
        }
    }
}

std::u16string_view EnglishMonthName(int month) noexcept {
    return month >= 1 && month <= 12 ? kEnglishMonths[static_cast<std::size_t>(month - 1)]
                                     : std::u16string_view{};
}

SideHeaderLayout LayoutSideHeader(const TextMetricsSource& fonts, const PixelRect& area, int year, int month,
                                  const DiaryDate& today) {
    const int large = fonts.Metrics(FontRole::kLarge).height;
    const int small = fonts.Metrics(FontRole::kSmall).height;
    SideHeaderLayout header;

    const int numberWidth = fonts.TextWidth(FontRole::kLarge, Decimal(month));
    header.monthNumber = {area.x + (area.width - numberWidth) / 2, area.y + (area.height - large) / 2,
                          numberWidth, large};
    const int middle = header.monthNumber.y + large / 2;

    header.year = {area.x, middle - small, fonts.TextWidth(FontRole::kSmall, Decimal(year)), small};
    const int nameWidth = fonts.TextWidth(FontRole::kSmall, EnglishMonthName(month));
    if (area.x + nameWidth <= header.monthNumber.x) {
        header.monthName = {area.x, middle, nameWidth, small};
    }
    header.leftBlock = {area.x, middle - small, std::max(header.year.width, header.monthName.width),
                        header.monthName.Empty() ? small : 2 * small};

    const int wordWidth = fonts.TextWidth(FontRole::kSmall, kTodayWord);
    header.todayWord = {area.Right() - wordWidth, middle - small, wordWidth, small};
    const int dateWidth = fonts.TextWidth(FontRole::kSmall, DateText(today));
    if (area.Right() - dateWidth >= header.monthNumber.Right()) {
        header.todayDate = {area.Right() - dateWidth, middle, dateWidth, small};
    }
    const int rightWidth = std::max(wordWidth, header.todayDate.width);
    header.rightBlock = {area.Right() - rightWidth, middle - small, rightWidth,
                         header.todayDate.Empty() ? small : 2 * small};
    return header;
}

void PaintSideHeader(Canvas& canvas, const CalendarLook& look, const SideHeaderLayout& header, int year,
                     int month, const DiaryDate& today, CalendarHover hover) {
    ShadowedText(canvas, header.monthNumber, Decimal(month), Style(FontRole::kLarge, look.text),
                 look.dropShadow, look.back);
    ShadowedText(canvas, header.year, Decimal(year), Style(FontRole::kSmall, look.text), look.dropShadow,
                 look.back);
    if (!header.monthName.Empty()) {
        ShadowedText(canvas, header.monthName, EnglishMonthName(month), Style(FontRole::kSmall, look.text),
                     look.dropShadow, look.back);
    }
    ShadowedText(canvas, header.todayWord, kTodayWord, Style(FontRole::kSmall, look.text), look.dropShadow,
                 look.back);
    if (!header.todayDate.Empty()) {
        ShadowedText(canvas, header.todayDate, DateText(today), Style(FontRole::kSmall, look.text),
                     look.dropShadow, look.back);
    }
    switch (hover) {
        case CalendarHover::kHeaderLeft:
            PaintHoverUnderline(canvas, look, header.leftBlock);
            break;
        case CalendarHover::kHeaderMonth:
            PaintHoverUnderline(canvas, look, header.monthNumber);
            break;
        case CalendarHover::kHeaderToday:
            PaintHoverUnderline(canvas, look, header.rightBlock);
            break;
        default:
            break;
    }
}

void PaintWeekdayRow(Canvas& canvas, const CalendarLook& look, const PixelRect& row, const GridMetrics& grid,
                     const std::array<std::u16string, 7>& labels) {
    for (int column = 0; column < 7; ++column) {
        const int weekday = WeekdayOfColumn(column, look.startWeek);
        const PixelRect cell = grid.Cell(column, 0);
        const std::u16string& label = labels[static_cast<std::size_t>(weekday)];
        if (label.empty()) {
            continue;
        }
        ShadowedText(canvas, {cell.x, row.y, cell.width, row.height}, label,
                     Style(FontRole::kSmall, WeekdayColour(look, weekday), TextAlign::kCentre),
                     look.dropShadow, look.back);
    }
}

TitleLineLayout LayoutTitleLine(const TextMetricsSource& fonts, const CalendarLook& look,
                                const PixelRect& titleBox, const DiaryDate& date) {
    const FontMetrics large = fonts.Metrics(FontRole::kLarge);
    const FontMetrics medium = fonts.Metrics(FontRole::kMedium);
    TitleLineLayout title;
    const int top = titleBox.y + (titleBox.height - large.height) / 2;
    int x = titleBox.x + look.Px(kTitleInset);
    const auto next = [&](std::u16string_view text) {
        const PixelRect rect{x, top, fonts.TextWidth(FontRole::kLarge, text), large.height};
        x = rect.Right();
        return rect;
    };
    title.year = next(Decimal(date.year, 4));
    title.firstSlash = next(u"/");
    title.month = next(Decimal(date.month, 2));
    title.secondSlash = next(u"/");
    title.day = next(Decimal(date.day, 2));

    const int weekday = Weekday(date);
    const int holiday = HolidayOf(date);
    title.weekdayText = WeekdayTitle(weekday, holiday);
    title.weekdayColour = holiday != kNoHoliday ? look.sunday : WeekdayColour(look, weekday);
    // The two fonts share their baseline.
    const int baseline = top + large.ascent;
    title.weekday = {x, baseline - medium.ascent, fonts.TextWidth(FontRole::kMedium, title.weekdayText),
                     medium.height};
    return title;
}

void PaintTitleLine(Canvas& canvas, const CalendarLook& look, const TitleLineLayout& title,
                    const DiaryDate& date, CalendarHover hover) {
    const TextStyle large = Style(FontRole::kLarge, look.text);
    ShadowedText(canvas, title.year, Decimal(date.year, 4), large, look.dropShadow, look.back);
    ShadowedText(canvas, title.firstSlash, u"/", large, look.dropShadow, look.back);
    ShadowedText(canvas, title.month, Decimal(date.month, 2), large, look.dropShadow, look.back);
    ShadowedText(canvas, title.secondSlash, u"/", large, look.dropShadow, look.back);
    ShadowedText(canvas, title.day, Decimal(date.day, 2), large, look.dropShadow, look.back);
    ShadowedText(canvas, title.weekday, title.weekdayText, Style(FontRole::kMedium, title.weekdayColour),
                 look.dropShadow, look.back);
    switch (hover) {
        case CalendarHover::kTitleYear:
            PaintHoverUnderline(canvas, look, title.year);
            break;
        case CalendarHover::kTitleMonth:
            PaintHoverUnderline(canvas, look, title.month);
            break;
        case CalendarHover::kTitleDay:
            PaintHoverUnderline(canvas, look, title.day);
            break;
        default:
            break;
    }
}

void PaintHoverUnderline(Canvas& canvas, const CalendarLook& look, const PixelRect& area) {
    canvas.Fill({area.x, area.Bottom(), area.width, look.Line(1)}, look.text);
}

}  // namespace tavrin
