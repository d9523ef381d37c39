// Painting of the frame's back buffer (see frame_scene.h).

#include "calendar/calendar_paint.h"
#include "ui/frame_scene.h"
#include "ui/hit_codes.h"

namespace tavrin {
namespace {

// Search box text the frame paints while the edit control is hidden behind a background picture.
constexpr std::size_t kSearchTextMax = 255;

TextStyle SmallText(ColorRef colour) {
    TextStyle style;
    style.font = FontRole::kSmall;
    style.colour = colour;
    return style;
}

void ButtonGlyph(Canvas& canvas, const CalendarLook& look, const PixelRect& button, int glyph, int opacity) {
    if (!button.Empty()) {
        const int inset = look.Px(kToolbarGlyphInset);
        ShadowedGlyph(canvas, button.x + inset, button.y + inset, glyph, opacity, look.text, look.dropShadow,
                      look.back);
    }
}

void Underline(Canvas& canvas, const CalendarLook& look, const PixelRect& button) {
    if (!button.Empty()) {
        canvas.Fill({button.x, button.Bottom(), button.width, look.Line(2)}, look.text);
    }
}

void PaintToolbar(Canvas& canvas, const FrameModel& model, const FrameScene& scene) {
    const CalendarLook& look = scene.look;
    const ToolbarLayout& bar = scene.toolbar;
    const bool edit = scene.mode == DisplayMode::kEdit;
    ButtonGlyph(canvas, look, bar.modeEdit, kGlyphModeEdit, edit ? 256 : model.app->alphaLight);
    ButtonGlyph(canvas, look, bar.modeCalendar, kGlyphModeCalendar, edit ? model.app->alphaLight : 256);
    ButtonGlyph(canvas, look, bar.oldest, kGlyphOldest, 256);
    ButtonGlyph(canvas, look, bar.previous, kGlyphPrevious, 256);
    TextStyle centred = SmallText(look.text);
    centred.align = TextAlign::kCentre;
    ShadowedText(canvas, bar.todayText, ToolbarTodayText(scene.today), centred, look.dropShadow, look.back);
    ButtonGlyph(canvas, look, bar.next, kGlyphNext, 256);
    ButtonGlyph(canvas, look, bar.newest, kGlyphNewest, 256);
    if (!bar.diaryFolder.Empty()) {
        TextStyle name = SmallText(look.text);
        name.align = TextAlign::kRight;
        name.ellipsis = true;
        ShadowedText(canvas, bar.diaryText, model.app->DiaryName(), name, look.dropShadow, look.back);
        ShadowedGlyph(canvas, bar.diaryGlyphX, bar.diaryFolder.y + look.Px(kToolbarGlyphInset),
                      kGlyphDropDown, 256, look.text, look.dropShadow, look.back);
    }
    ButtonGlyph(canvas, look, bar.settings, kGlyphSettings, 256);
    ButtonGlyph(canvas, look, bar.exit, kGlyphExit, 256);

    const PixelRect& box = scene.layout.toolbar;
    BlendOrFill(canvas, {box.x, box.y + look.Px(kToolbarButtonSize), box.width, look.Line(2)},
                model.app->alphaLight, look.text);
    Underline(canvas, look, edit ? bar.modeEdit : bar.modeCalendar);
    if (IsToolbarHit(model.hoverCode)) {
        Underline(canvas, look, bar.Button(model.hoverCode));
    }
}

// A frame of line width blended at level.
void BlendedOutline(Canvas& canvas, const PixelRect& box, int line, int level, ColorRef colour) {
    BlendOrFill(canvas, {box.x, box.y, box.width, line}, level, colour);
    BlendOrFill(canvas, {box.x, box.Bottom() - line, box.width, line}, level, colour);
    BlendOrFill(canvas, {box.x, box.y + line, line, box.height - 2 * line}, level, colour);
    BlendOrFill(canvas, {box.Right() - line, box.y + line, line, box.height - 2 * line}, level, colour);
}

void PaintSearchArea(Canvas& canvas, const FrameModel& model, const FrameScene& scene) {
    const CalendarLook& look = scene.look;
    const PixelRect& box = scene.layout.searchBox;
    const int line = look.Line(1);
    BlendedOutline(canvas, box, line, model.searchFocused ? model.app->alphaStrong : model.app->alphaLight,
                   look.text);
    if (model.backImageShown) {
        if (model.searchFocused) {
            canvas.Fill({box.x + line, box.y + line, box.width - 2 * line, box.height - 2 * line}, look.back);
        } else {
            ShadowedText(canvas, {box.x + look.Px(6), box.y, box.width - look.Px(10), box.height},
                         CutToLength(model.searchText, kSearchTextMax), SmallText(look.text), look.dropShadow,
                         look.back);
        }
    }
    const PixelRect& button = scene.layout.searchButton;
    const int inset = look.Px(kToolbarGlyphInset);
    ShadowedGlyph(canvas, button.x + inset, button.y + inset, kGlyphSearch,
                  model.searchText.empty() ? model.app->alphaLight : 256, look.text, look.dropShadow,
                  look.back);
}

CalendarHover HoverOf(int code) noexcept {
    switch (code) {
        case kHitHeaderYear:
            return CalendarHover::kHeaderLeft;
        case kHitHeaderMonth:
            return CalendarHover::kHeaderMonth;
        case kHitHeaderToday:
            return CalendarHover::kHeaderToday;
        case kHitTitleYear:
            return CalendarHover::kTitleYear;
        case kHitTitleMonth:
            return CalendarHover::kTitleMonth;
        case kHitTitleDay:
            return CalendarHover::kTitleDay;
        default:
            return CalendarHover::kNone;
    }
}

void PaintGrid(Canvas& canvas, const FrameModel& model, const FrameScene& scene) {
    if (model.slide && model.slide->running) {
        PaintSlide(canvas, scene.look, scene.grid, *model.slide);
        return;
    }
    PaintMonthGrid(canvas, scene.look, scene.grid,
                   {scene.shown.year, scene.shown.month, scene.shown.day, &scene.monthMarks,
                    SelectedFrameVisible(model.blink)});
}

void PaintEditMode(Canvas& canvas, const FrameModel& model, const FrameScene& scene) {
    const CalendarHover hover = HoverOf(model.hoverCode);
    PaintTitleLine(canvas, scene.look, scene.title, scene.shown, hover);
    if (!scene.layout.sidebarShown) {
        return;
    }
    PaintSideHeader(canvas, scene.look, scene.header, scene.shown.year, scene.shown.month, scene.today,
                    hover);
    if (!scene.layout.weekdayRow.Empty()) {
        PaintWeekdayRow(canvas, scene.look, scene.layout.weekdayRow, scene.grid, model.app->weekdayLabels);
    }
    PaintGrid(canvas, model, scene);
    PaintSearchArea(canvas, model, scene);
}

}  // namespace

void PaintFrame(Canvas& canvas, const FrameModel& model, const FrameScene& scene) {
    canvas.Background(scene.layout.client, scene.look.back);
    if (!scene.layout.toolbar.Empty()) {
        PaintToolbar(canvas, model, scene);
    }
    if (scene.mode == DisplayMode::kCalendar) {
        YearCalendarView view;
        view.year = scene.shown.year;
        view.selected = scene.shown;
        view.today = scene.today;
        view.marks = &scene.yearMarks;
        view.showBoxes = model.showYearBoxes;
        view.frameVisible = SelectedFrameVisible(model.blink);
        view.hoverCode = model.hoverCode;
        PaintYearCalendar(canvas, scene.look, scene.year, view);
        return;
    }
    PaintEditMode(canvas, model, scene);
}

void PaintCalendarGrid(Canvas& canvas, const FrameModel& model, const FrameScene& scene) {
    if (scene.mode != DisplayMode::kEdit || !scene.layout.sidebarShown) {
        return;
    }
    if (model.slide && model.slide->running) {
        PaintSlide(canvas, scene.look, scene.grid, *model.slide);  // clips and lays the background itself
        return;
    }
    canvas.PushClip(scene.grid.Bounds());
    canvas.Background(scene.grid.Bounds(), scene.look.back);
    PaintGrid(canvas, model, scene);
    canvas.PopClip();
}

}  // namespace tavrin
