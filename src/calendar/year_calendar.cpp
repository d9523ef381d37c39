#include "calendar/year_calendar.h"

#include <algorithm>

#include "calendar/calendar_paint.h"
#include "calendar/calendar_rules.h"
#include "platform/text.h"
#include "ui/hit_codes.h"

namespace tavrin {
namespace {

PixelRect Widened(const PixelRect& text, const PixelRect& view, int pad, int height) noexcept {
    return {text.x - pad, view.y, text.width + 2 * pad, height};
}

TextStyle Style(FontRole font, ColorRef colour) {
    TextStyle style;
    style.font = font;
    style.colour = colour;
    return style;
}

std::u16string MonthTitle(int month) {
    std::u16string title = Decimal(month);
    title += u"  ";
    title += EnglishMonthName(month);
    return title;
}

void PaintHeader(Canvas& canvas, const CalendarLook& look, const YearCalendarLayout& layout,
                 const YearCalendarView& view) {
    ShadowedText(canvas, layout.yearText, Decimal(view.year), Style(FontRole::kLarge, look.text),
                 look.dropShadow, look.back);
    ShadowedText(canvas, layout.eraText, EraLine(view.year), Style(FontRole::kSmall, look.text),
                 look.dropShadow, look.back);
    ShadowedText(canvas, layout.todayText, TodayText(view.today), Style(FontRole::kSmall, look.text),
                 look.dropShadow, look.back);
    if (view.hoverCode == kHitYearViewYear) {
        PaintHoverUnderline(canvas, look, layout.yearText);
    } else if (view.hoverCode == kHitYearViewEra) {
        PaintHoverUnderline(canvas, look, layout.eraText);
    } else if (view.hoverCode == kHitYearViewToday) {
        PaintHoverUnderline(canvas, look, layout.todayText);
    }
}

void PaintMonthTitle(Canvas& canvas, const CalendarLook& look, const YearCalendarLayout& layout, int month,
                     int hoverCode, const TextMetricsSource& fonts) {
    const PixelRect row = layout.TitleRow(month);
    const std::u16string title = MonthTitle(month);
    const PixelRect text{row.x + layout.cellWidth / 4, row.y, row.width - layout.cellWidth / 4, row.height};
    ShadowedText(canvas, text, title, Style(FontRole::kSmall, look.text), look.dropShadow, look.back);
    if (hoverCode == kHitFirstMonthTitle + month - 1) {
        const int small = fonts.Metrics(FontRole::kSmall).height;
        const int width = std::min(fonts.TextWidth(FontRole::kSmall, title), text.width);
        PaintHoverUnderline(canvas, look, {text.x, text.y + (text.height - small) / 2, width, small});
    }
}

void PaintMonthDays(Canvas& canvas, const CalendarLook& look, const YearCalendarLayout& layout,
                    const YearCalendarView& view, int month) {
    const MonthLayout days = MonthLayoutOf(view.year, month, look.startWeek);
    const DayMarks* marks = view.marks ? &(*view.marks)[static_cast<std::size_t>(month - 1)] : nullptr;
    const int cw = layout.cellWidth;
    const int ch = layout.cellHeight;
    const int gap = look.Line(1);  // between the boxes of neighbouring days
    for (int day = 1; day <= days.days; ++day) {
        const PixelRect cell = layout.Cell(month, days.Column(day), days.Row(day));
        const ColorRef colour = DayColour(look, view.year, month, day, days.Column(day));
        const bool selected = view.selected.month == month && view.selected.day == day;
        const bool boxed = view.showBoxes && marks && (*marks)[static_cast<std::size_t>(day - 1)] > 0;
        if (boxed) {
            const PixelRect box = selected ? PixelRect{cell.x + gap, cell.y + gap, cw - 3 * gap, ch - 3 * gap}
                                           : PixelRect{cell.x, cell.y, cw - gap, ch - gap};
            BlendOrFill(canvas, box, look.baseBlend, colour);
        }
        const bool cutOut = boxed && look.OpaqueBase();
        const ColorRef numberColour = cutOut ? look.back : colour;
        DrawNumber(canvas, look, cell, day, FontRole::kSmall, numberColour, !cutOut);
        if (selected && view.frameVisible) {
            PaintSelectionFrame(canvas, look, {cell.x, cell.y, cw - gap, ch - gap}, colour, numberColour);
        }
    }
}

}  // namespace

std::u16string EraLine(int year) {
    const EraYear era = EraOf(year, 12, 31);
    std::u16string line(EraName(era.era));
    if (era.year == 1) {
        line += u"元年";
    } else {
        AppendDecimal(line, era.year);
        line += u"年";
    }
    line += u"　";
    line += BranchName(BranchOf(year));
    return line;
}

std::u16string TodayText(const DiaryDate& today) {
    std::u16string text = u"今日：";
    AppendDecimal(text, today.year, 4);
    text += u'/';
    AppendDecimal(text, today.month, 2);
    text += u'/';
    AppendDecimal(text, today.day, 2);
    return text;
}

PixelRect YearCalendarLayout::Block(int month) const noexcept {
    const int i = month - 1;
    return {gridLeft + (7 * cellWidth + columnGap) * (i % 4),
            view.y + headerHeight + (7 * cellHeight + rowGap) * (i / 4), 7 * cellWidth, 7 * cellHeight};
}

PixelRect YearCalendarLayout::TitleRow(int month) const noexcept {
    const PixelRect block = Block(month);
    return {block.x, block.y, block.width, cellHeight};
}

PixelRect YearCalendarLayout::Cell(int month, int column, int weekRow) const noexcept {
    const PixelRect block = Block(month);
    return {block.x + column * cellWidth, block.y + (weekRow + 1) * cellHeight, cellWidth, cellHeight};
}

YearCalendarLayout LayoutYearCalendar(const TextMetricsSource& fonts, const PixelRect& view, int year,
                                      const DiaryDate& today, int dpi) {
    YearCalendarLayout layout;
    layout.view = view;
    layout.headerHeight = ScaleForDpi(kYearHeaderHeight, dpi);
    layout.columnGap = ScaleForDpi(kYearColumnGap, dpi);
    layout.rowGap = ScaleForDpi(kYearRowGap, dpi);
    const int sideMargin = ScaleForDpi(kYearSideMargin, dpi);
    const int bottomMargin = ScaleForDpi(kYearBottomMargin, dpi);
    const int minCell = ScaleForDpi(kYearMinCell, dpi);
    layout.cellWidth = std::max((view.width - 2 * sideMargin - 3 * layout.columnGap) / 28, minCell);
    layout.cellHeight =
        std::max((view.height - 2 * layout.rowGap - layout.headerHeight - bottomMargin) / 21, minCell);
    layout.gridLeft = view.x + (view.width - layout.BlocksWidth()) / 2;

    const int large = fonts.Metrics(FontRole::kLarge).height;
    const int small = fonts.Metrics(FontRole::kSmall).height;
    const int yearWidth = fonts.TextWidth(FontRole::kLarge, Decimal(year));
    layout.yearText = {layout.gridLeft + (layout.BlocksWidth() - yearWidth) / 2,
                       view.y + (layout.headerHeight - large) / 2, yearWidth, large};
    const int smallTop = view.y + (layout.headerHeight - small) / 2;
    layout.eraText = {layout.gridLeft, smallTop, fonts.TextWidth(FontRole::kSmall, EraLine(year)), small};
    const int todayWidth = fonts.TextWidth(FontRole::kSmall, TodayText(today));
    layout.todayText = {layout.gridLeft + layout.BlocksWidth() - todayWidth, smallTop, todayWidth, small};
    const int pad = ScaleForDpi(kYearHeaderClickPad, dpi);
    layout.yearArea = Widened(layout.yearText, view, pad, layout.headerHeight);
    layout.eraArea = Widened(layout.eraText, view, pad, layout.headerHeight);
    layout.todayArea = Widened(layout.todayText, view, pad, layout.headerHeight);
    return layout;
}

PixelRect YearDayCell(const YearCalendarLayout& layout, int year, int month, int day,
                      int startWeek) noexcept {
    const MonthLayout days = MonthLayoutOf(year, month, startWeek);
    return layout.Cell(month, days.Column(day), days.Row(day));
}

void PaintYearCalendar(Canvas& canvas, const CalendarLook& look, const YearCalendarLayout& layout,
                       const YearCalendarView& view) {
    PaintHeader(canvas, look, layout, view);
    for (int month = 1; month <= 12; ++month) {
        PaintMonthTitle(canvas, look, layout, month, view.hoverCode, canvas);
        PaintMonthDays(canvas, look, layout, view, month);
    }
}

int YearCalendarHit(const YearCalendarLayout& layout, int year, int startWeek, int x, int y) noexcept {
    if (layout.yearArea.Contains(x, y)) {
        return kHitYearViewYear;
    }
    if (layout.eraArea.Contains(x, y)) {
        return kHitYearViewEra;
    }
    if (layout.todayArea.Contains(x, y)) {
        return kHitYearViewToday;
    }
    for (int month = 1; month <= 12; ++month) {
        const PixelRect block = layout.Block(month);
        if (!block.Contains(x, y)) {
            continue;
        }
        if (layout.TitleRow(month).Contains(x, y)) {
            return kHitFirstMonthTitle + month - 1;
        }
        const int column = (x - block.x) / layout.cellWidth;
        const int weekRow = (y - block.y) / layout.cellHeight - 1;
        const MonthLayout days = MonthLayoutOf(year, month, startWeek);
        const int day = weekRow * 7 + column - days.firstColumn + 1;
        return day >= 1 && day <= days.days ? YearDayHit(month, day) : kHitNothing;
    }
    return kHitNothing;
}

}  // namespace tavrin
