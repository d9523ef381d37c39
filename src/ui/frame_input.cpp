#include "ui/frame_input.h"

#include "calendar/calendar_rules.h"
#include "ui/hit_codes.h"

namespace tavrin {
namespace {

FrameAction Post(int command) noexcept {
    FrameAction action;
    action.kind = FrameActionKind::kPostCommand;
    action.command = command;
    return action;
}

FrameAction MenuUnder(MenuKind menu, const PixelRect& area) noexcept {
    FrameAction action;
    action.kind = FrameActionKind::kOpenMenu;
    action.menu = menu;
    action.x = area.x;
    action.y = area.Bottom();
    return action;
}

FrameAction GoTo(const DiaryDate& date, bool focusEditor, int thenCommand = 0) noexcept {
    FrameAction action;
    action.kind = FrameActionKind::kGoToDate;
    action.date = date;
    action.focusEditor = focusEditor;
    action.thenCommand = thenCommand;
    return action;
}

FrameAction ToolbarAction(int hitCode) noexcept {
    switch (hitCode) {
        case kHitModeEdit:
            return Post(command_id::kModeEdit);
        case kHitModeCalendar:
            return Post(command_id::kModeCalendar);
        case kHitOldest:
            return Post(command_id::kOldDiary);
        case kHitPrevious:
            return Post(command_id::kPrevDiary);
        case kHitToday:
            return Post(command_id::kToday);
        case kHitNext:
            return Post(command_id::kNextDiary);
        case kHitNewest:
            return Post(command_id::kNewDiary);
        case kHitDiaryFolder:
            return Post(command_id::kMenuDiaryFolder);
        case kHitSettings:
            return Post(command_id::kSetting);
        case kHitExit:
            return Post(command_id::kExit);
        default:
            return {};
    }
}

// A click on a month's title row of the year calendar: that month with the selected day, then edit
// mode; when the day does not exist in that month only the mode changes.
FrameAction MonthTitleAction(const FrameScene& scene, int month) noexcept {
    const DiaryDate target{scene.shown.year, month, scene.shown.day};
    if (!IsValidDate(target)) {
        return Post(command_id::kModeEdit);
    }
    return GoTo(target, false, command_id::kModeEdit);
}

FrameAction HeaderAction(const FrameScene& scene, int hitCode) noexcept {
    switch (hitCode) {
        case kHitHeaderYear:
            return MenuUnder(MenuKind::kYear, scene.header.leftBlock);
        case kHitHeaderMonth:
            return MenuUnder(MenuKind::kMonth, scene.header.monthNumber);
        case kHitTitleYear:
            return MenuUnder(MenuKind::kYear, scene.title.year);
        case kHitTitleMonth:
            return MenuUnder(MenuKind::kMonth, scene.title.month);
        case kHitTitleDay:
            return MenuUnder(MenuKind::kDay, scene.title.day);
        case kHitYearViewYear:
            return MenuUnder(MenuKind::kYear, scene.year.yearArea);
        case kHitYearViewEra:
            return MenuUnder(MenuKind::kYear, scene.year.eraArea);
        case kHitHeaderToday:
        case kHitYearViewToday:
            return Post(command_id::kToday);
        default:
            return {};
    }
}

}  // namespace

FrameAction LeftButtonAction(const FrameScene& scene, int hitCode, bool doubleClick,
                             bool fixedSideBar) noexcept {
    if (IsSideDayHit(hitCode)) {
        return GoTo({scene.shown.year, scene.shown.month, hitCode}, true);
    }
    if (IsYearDayHit(hitCode)) {
        if (doubleClick) {
            return Post(command_id::kModeEdit);
        }
        return GoTo({scene.shown.year, MonthOfYearDayHit(hitCode), DayOfYearDayHit(hitCode)}, false);
    }
    if (IsMonthTitleHit(hitCode)) {
        return MonthTitleAction(scene, MonthOfTitleHit(hitCode));
    }
    if (IsToolbarHit(hitCode)) {
        return ToolbarAction(hitCode);
    }
    FrameAction action;
    switch (hitCode) {
        case kHitSearchBox:
            action.kind = FrameActionKind::kFocusSearchBox;
            return action;
        case kHitSearchButton:
            action.kind = FrameActionKind::kRunSearch;
            return action;
        case kHitSideSplitter:
        case kHitCalendarSplitter:
            action.kind = fixedSideBar ? FrameActionKind::kNone : FrameActionKind::kBeginDrag;
            return action;
        default:
            return HeaderAction(scene, hitCode);
    }
}

FrameAction RightButtonUpAction(int hitCode, int x, int y) noexcept {
    FrameAction action;
    if (hitCode == kHitSearchBox || hitCode == kHitSearchButton) {
        action.kind = FrameActionKind::kSearchBoxMenu;
        return action;
    }
    action.kind = FrameActionKind::kOpenMenu;
    action.menu = MenuKind::kMain;
    action.x = x;
    action.y = y;
    return action;
}

FrameCursor CursorFor(int hitCode, DragKind activeDrag, bool fixedSideBar) noexcept {
    if (activeDrag == DragKind::kWidth || (hitCode == kHitSideSplitter && activeDrag == DragKind::kNone)) {
        return fixedSideBar ? FrameCursor::kArrow : FrameCursor::kSizeWestEast;
    }
    if (activeDrag == DragKind::kHeight || hitCode == kHitCalendarSplitter) {
        return fixedSideBar ? FrameCursor::kArrow : FrameCursor::kSizeNorthSouth;
    }
    if (hitCode == kHitSearchBox) {
        return FrameCursor::kIBeam;
    }
    return hitCode > 0 ? FrameCursor::kHand : FrameCursor::kArrow;
}

SplitterDrag BeginSplitterDrag(int hitCode, int x, int y, const FrameLayout& layout,
                               bool fixedSideBar) noexcept {
    SplitterDrag drag;
    if (fixedSideBar || !layout.sidebarShown) {
        return drag;
    }
    if (hitCode == kHitSideSplitter) {
        drag.kind = DragKind::kWidth;
        drag.grab = x - layout.sideSplitter.x;
    } else if (hitCode == kHitCalendarSplitter) {
        drag.kind = DragKind::kHeight;
        drag.grab = y - layout.calendarSplitter.y;
    }
    return drag;
}

bool AdvanceSplitterDrag(const SplitterDrag& drag, int x, int y, const FrameLayout& layout,
                         Settings& settings) noexcept {
    // The mouse moves on the screen; the box sizes are stored as 96-DPI lengths.
    CalendarSettings& calendar = settings.calendar;
    const int dpi = layout.dpi;
    const int margin = ScaleForDpi(calendar.boxMargin, dpi);
    if (drag.kind == DragKind::kWidth) {
        const bool right = layout.sidebar.x > layout.sideSplitter.x;
        const int span = right ? layout.content.Right() + drag.grab - ScaleForDpi(kSideGap, dpi) - x
                               : x - layout.sidebar.x - drag.grab;
        const int boxWidth = UnscaleForDpi((span - 6 * margin) / 7, dpi);
        if (boxWidth == calendar.boxWidth || boxWidth < 15) {
            return false;
        }
        calendar.boxWidth = boxWidth;
        settings.window.sideBarWidth = SideBarWidthOf(calendar);
        return true;
    }
    if (drag.kind == DragKind::kHeight) {
        const int span = y - (layout.calendar.y + 5 * margin + drag.grab);
        const int boxHeight = UnscaleForDpi(span / 6, dpi);
        if (boxHeight == calendar.boxHeight || boxHeight < 12) {
            return false;
        }
        calendar.boxHeight = boxHeight;
        calendar.rowUnit = boxHeight / 6;
        return true;
    }
    return false;
}

int WheelCommand(int delta, Modifiers keys) noexcept {
    const bool away = delta > 0;
    if (keys.ctrl && keys.shift) {
        return away ? command_id::kOldDiary : command_id::kNewDiary;
    }
    if (keys.ctrl) {
        return away ? command_id::kPrevDiary : command_id::kNextDiary;
    }
    if (keys.shift) {
        return away ? command_id::kPrevYear : command_id::kNextYear;
    }
    if (keys.alt) {
        return away ? command_id::kPrevDay : command_id::kNextDay;
    }
    return away ? command_id::kPrevMonth : command_id::kNextMonth;
}

int HorizontalWheelCommand(int delta, bool ctrl) noexcept {
    if (ctrl) {
        return delta > 0 ? command_id::kOldDiary : command_id::kNewDiary;
    }
    return delta > 0 ? command_id::kNextDiary : command_id::kPrevDiary;
}

int ExtraButtonCommand(int button, bool ctrl) noexcept {
    if (button == 1) {
        return ctrl ? command_id::kOldDiary : command_id::kNextDiary;
    }
    return ctrl ? command_id::kNewDiary : command_id::kPrevDiary;
}

std::optional<int> EditorWheelCommand(int delta, bool ctrl, bool shift) noexcept {
    if (!ctrl) {
        return std::nullopt;
    }
    if (shift) {
        return delta > 0 ? command_id::kEditSpacePlus : command_id::kEditSpaceMinus;
    }
    return delta > 0 ? command_id::kEditFontPlus : command_id::kEditFontMinus;
}

CalendarKeyAction CalendarModeKey(unsigned virtualKey) noexcept {
    switch (virtualKey) {
        case kVirtualKeyReturn:
            return {command_id::kModeEdit, false};
        case kVirtualKeyLeft:
            return {command_id::kPrevDay, false};
        case kVirtualKeyUp:
            return {command_id::kPrevWeek, false};
        case kVirtualKeyRight:
            return {command_id::kNextDay, false};
        case kVirtualKeyDown:
            return {command_id::kNextWeek, false};
        case kVirtualKeySpace:
            return {0, true};
        default:
            return {};
    }
}

FocusStep CycleFocusStep(DisplayMode mode, bool sideAreaShown, FocusPane current) noexcept {
    if (mode == DisplayMode::kCalendar) {
        return {true, FocusPane::kOther};
    }
    if (!sideAreaShown) {
        return {};
    }
    switch (current) {
        case FocusPane::kEditor:
            return {false, FocusPane::kSearchBox};
        case FocusPane::kSearchBox:
            return {false, FocusPane::kSearchList};
        default:
            return {false, FocusPane::kEditor};
    }
}

InvalidateTargets InvalidateTargetsOf(unsigned flags) noexcept {
    if (flags & kInvalidateAll) {
        return {true, true, true, true};
    }
    const bool search = (flags & kInvalidateSearch) != 0;
    return {(flags & kInvalidateFrame) != 0, (flags & kInvalidateEditor) != 0, search, search};
}

WheelTarget RouteWheel(const FrameLayout& layout, DisplayMode mode, int x, int y) noexcept {
    if (mode == DisplayMode::kCalendar) {
        return WheelTarget::kFrame;
    }
    if (layout.editor.Contains(x, y)) {
        return WheelTarget::kEditor;
    }
    if (!layout.sidebarShown) {
        return WheelTarget::kDefault;
    }
    if (layout.searchBox.Contains(x, y)) {
        return WheelTarget::kSearchBox;
    }
    if (layout.searchList.Contains(x, y)) {
        return WheelTarget::kSearchList;
    }
    return layout.calendarArea.Contains(x, y) ? WheelTarget::kFrame : WheelTarget::kDefault;
}

ClientPoint DiaryMenuPoint(const FrameScene& scene) noexcept {
    const PixelRect& button = scene.toolbar.diaryFolder;
    if (button.Empty()) {
        return {};
    }
    return {button.x, button.Bottom()};
}

}  // namespace tavrin
