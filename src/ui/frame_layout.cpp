#include "ui/frame_layout.h"

#include <algorithm>

#include "calendar/side_calendar.h"
#include "ui/hit_codes.h"

namespace tavrin {
namespace {

// Hand-edited margins and widths are limited so that sums of them cannot overflow; no screen is a
// million pixels wide.
constexpr int kCoordinateLimit = 1 << 20;

int Bounded(int value) noexcept {
    return std::clamp(value, -kCoordinateLimit, kCoordinateLimit);
}

PixelRect ContentBox(const WindowSettings& window, int width, int height) noexcept {
    const int left = Bounded(window.marginLeft);
    const int top = Bounded(window.marginTop);
    PixelRect content{left, top, width - left - Bounded(window.marginRight),
                      height - top - Bounded(window.marginBottom)};
    const int maxWidth = Bounded(window.maxWidth);
    if (window.limitMaxWidth && maxWidth < content.width) {
        content.width = maxWidth;
        content.x = (width - maxWidth) / 2;
    }
    return content;
}

// The boxes inside a shown sidebar: header, weekday row, grid, splitter, search box and list.
void LayoutSidebarInside(FrameLayout& layout, const Settings& settings, int height,
                         const SideFontHeights& fonts) {
    const PixelRect& side = layout.sidebar;
    const CalendarSettings& calendar = settings.calendar;
    const GridMetrics grid = GridMetricsOf(calendar, side.x, 0);
    const int headerHeight = 4 + std::max(fonts.large, 2 * fonts.small);
    const int weekdayHeight = calendar.showWeek ? fonts.small + 2 * (grid.cellHeight / 6) : 0;
    layout.sideHeader = {side.x, side.y, side.width, headerHeight};
    if (weekdayHeight > 0) {
        layout.weekdayRow = {side.x, side.y + headerHeight, side.width, weekdayHeight};
    }
    layout.calendar = {side.x, side.y + headerHeight + weekdayHeight, grid.Width(), grid.Height()};
    layout.calendarSplitter = {side.x, layout.calendar.Bottom() + 2, side.width, kCalendarSplitterHeight};
    const int below = layout.calendarSplitter.Bottom();
    layout.searchBox = {side.x, below + 2, side.width - kSideGap, kSearchBoxHeight};
    layout.searchButton = {layout.searchBox.Right(), layout.searchBox.y - 3, kSideGap, kSideGap};
    const int listTop = below + 8 + kSearchBoxHeight + 2;
    layout.searchList = {side.x, listTop, side.width,
                         height - Bounded(settings.window.marginBottom) - listTop};
    layout.calendarArea = {side.x, side.y, side.width, layout.calendarSplitter.y - side.y};
}

}  // namespace

SideFontHeights SideFontHeightsOf(const TextMetricsSource& fonts) {
    return {fonts.Metrics(FontRole::kSmall).height, fonts.Metrics(FontRole::kLarge).height};
}

FrameLayout ComputeFrameLayout(const Settings& settings, DisplayMode mode, int width, int height,
                               const SideFontHeights& fonts) {
    FrameLayout layout;
    width = Bounded(width);
    height = Bounded(height);
    layout.client = {0, 0, width, height};
    const PixelRect content = ContentBox(settings.window, width, height);
    layout.content = content;
    const int toolbarHeight = settings.window.showToolBar ? kToolbarHeight : 0;
    if (toolbarHeight > 0) {
        layout.toolbar = {content.x, content.y, content.width, toolbarHeight};
    }
    const int top = content.y + toolbarHeight;
    const int below = content.height - toolbarHeight;
    layout.belowToolbar = {content.x, top, content.width, below};

    layout.sidebarShown = mode == DisplayMode::kEdit && settings.window.showSideArea != 0;
    if (!layout.sidebarShown) {
        layout.title = {content.x, top, content.width, kTitleRowHeight};
        layout.editor = {content.x, top + kTitleRowHeight, content.width, below - kTitleRowHeight};
        return layout;
    }
    const int side = GridMetricsOf(settings.calendar, 0, 0).Width();
    const int rest = content.width - side - kSideGap;
    if (settings.window.sideBarLayout == 1) {
        // The sidebar ends at the content box's right edge, where the editor's box would otherwise end,
        // so that editor, strip and sidebar never overlap whatever the two side margins are.
        layout.sidebar = {content.Right() - side, top, side, below};
        layout.sideSplitter = {layout.sidebar.x - kSideGap, top, kSideGap, below};
        layout.title = {content.x, top, rest, kTitleRowHeight};
        layout.editor = {content.x, top + kTitleRowHeight, rest, below - kTitleRowHeight};
    } else {
        layout.sidebar = {content.x, top, side, below};
        layout.sideSplitter = {content.x + side, top, kSideGap, below};
        layout.title = {content.x + side + kSideGap, top, rest, kTitleRowHeight};
        layout.editor = {content.x + side + kSideGap, top + kTitleRowHeight, rest, below - kTitleRowHeight};
    }
    LayoutSidebarInside(layout, settings, height, fonts);
    return layout;
}

PaneVisibility PaneVisibilityOf(DisplayMode mode, bool sidebarShown, bool backImageShown,
                                bool searchBoxFocused) noexcept {
    PaneVisibility visible;
    const bool edit = mode == DisplayMode::kEdit;
    visible.editor = edit;
    visible.searchList = edit && sidebarShown;
    visible.searchBox = edit && sidebarShown && (!backImageShown || searchBoxFocused);
    return visible;
}

int ToolbarLayout::Hit(int x, int y) const noexcept {
    for (int code = kHitModeEdit; code <= kHitExit; ++code) {
        if (Button(code).Contains(x, y)) {
            return code;
        }
    }
    return kHitNothing;
}

PixelRect ToolbarLayout::Button(int code) const noexcept {
    switch (code) {
        case kHitModeEdit:
            return modeEdit;
        case kHitModeCalendar:
            return modeCalendar;
        case kHitOldest:
            return oldest;
        case kHitPrevious:
            return previous;
        case kHitToday:
            return today;
        case kHitNext:
            return next;
        case kHitNewest:
            return newest;
        case kHitDiaryFolder:
            return diaryFolder;
        case kHitSettings:
            return settings;
        case kHitExit:
            return exit;
        default:
            return {};
    }
}

ToolbarLayout LayoutToolbar(const PixelRect& toolbar, int todayTextWidth, int diaryNameWidth,
                            bool fullscreen) noexcept {
    ToolbarLayout bar;
    if (toolbar.Empty()) {
        return bar;
    }
    const int size = kToolbarButtonSize;
    const int pad = kToolbarGlyphInset;
    const int y = toolbar.y;
    bar.modeEdit = {toolbar.x, y, size, size};
    bar.modeCalendar = {toolbar.x + size, y, size, size};

    // The today text is centred in the toolbar but leaves room for the two buttons left of it.
    const int nearest = bar.modeCalendar.Right() + 5 * pad + size;
    const int textX = std::max(toolbar.x + (toolbar.width - todayTextWidth) / 2, nearest);
    bar.todayText = {textX, y, todayTextWidth, size};
    bar.today = {textX - pad, y, todayTextWidth + 2 * pad, size};
    bar.previous = {bar.today.x - size, y, size, size};
    bar.oldest = {bar.previous.x - size, y, size, size};
    bar.next = {bar.today.Right(), y, size, size};
    bar.newest = {bar.next.Right(), y, size, size};

    int right = toolbar.Right();
    if (fullscreen) {
        bar.exit = {right - size, y, size, size};
        right = bar.exit.x;
    }
    if (right - size < bar.newest.Right()) {
        return bar;  // no room for the settings button, nor for the diary name left of it
    }
    bar.settings = {right - size, y, size, size};
    const int room = bar.settings.x - bar.newest.Right();
    const int width = std::min(diaryNameWidth + 3 * pad + 16, room);
    if (width >= size) {
        bar.diaryFolder = {bar.settings.x - width, y, width, size};
        bar.diaryText = {bar.diaryFolder.x + pad, y, width - 3 * pad - 16, size};
        bar.diaryGlyphX = bar.diaryFolder.Right() - pad - 16;
    }
    return bar;
}

}  // namespace tavrin
