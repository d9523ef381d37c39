#include "ui/frame_layout.h"

#include <algorithm>

#include "calendar/side_calendar.h"
#include "ui/hit_codes.h"

namespace tavrin {
namespace {

// Hand-edited margins and widths are limited so that sums of them cannot overflow; no screen is a
// million pixels wide.
constexpr int kCoordinateLimit = 1 << 20;

int Bounded(int value) noexcept { return std::clamp(value, -kCoordinateLimit, kCoordinateLimit); }

// A 96-DPI pixel setting on the screen: bounded first, so that scaling cannot overflow either.
int Scaled(int setting, int dpi) noexcept { return ScaleForDpi(Bounded(setting), dpi); }

PixelRect ContentBox(const WindowSettings& window, int width, int height, int dpi) noexcept {
    const int left = Scaled(window.marginLeft, dpi);
    const int top = Scaled(window.marginTop, dpi);
    PixelRect content{left, top, width - left - Scaled(window.marginRight, dpi),
                      height - top - Scaled(window.marginBottom, dpi)};
    const int maxWidth = Scaled(window.maxWidth, dpi);
    if (window.limitMaxWidth && maxWidth < content.width) {
        content.width = maxWidth;
        content.x = (width - maxWidth) / 2;
    }
    return content;
}

// The boxes inside a shown sidebar: header, weekday row, grid, splitter, search box and list.
void LayoutSidebarInside(FrameLayout& layout, const Settings& settings, int height,
                         const SideFontHeights& fonts) {
    const int dpi = layout.dpi;
    const PixelRect& side = layout.sidebar;
    const CalendarSettings& calendar = settings.calendar;
    const GridMetrics grid = GridMetricsOf(calendar, side.x, 0, dpi);
    const int headerHeight = ScaleForDpi(4, dpi) + std::max(fonts.large, 2 * fonts.small);
    const int weekdayHeight = calendar.showWeek ? fonts.small + 2 * (grid.cellHeight / 6) : 0;
    layout.sideHeader = {side.x, side.y, side.width, headerHeight};
    if (weekdayHeight > 0) {
        layout.weekdayRow = {side.x, side.y + headerHeight, side.width, weekdayHeight};
    }
    const int gap = ScaleForDpi(2, dpi);
    const int searchHeight = ScaleForDpi(kSearchBoxHeight, dpi);
    const int buttonSize = ScaleForDpi(kSideGap, dpi);
    layout.calendar = {side.x, side.y + headerHeight + weekdayHeight, grid.Width(), grid.Height()};
    layout.calendarSplitter = {side.x, layout.calendar.Bottom() + gap, side.width,
                               ScaleForDpi(kCalendarSplitterHeight, dpi)};
    const int below = layout.calendarSplitter.Bottom();
    layout.searchBox = {side.x, below + gap, side.width - buttonSize, searchHeight};
    layout.searchButton = {layout.searchBox.Right(), layout.searchBox.y - ScaleForDpi(3, dpi), buttonSize,
                           buttonSize};
    const int listTop = below + ScaleForDpi(8, dpi) + searchHeight + gap;
    layout.searchList = {side.x, listTop, side.width,
                         height - Scaled(settings.window.marginBottom, dpi) - listTop};
    layout.calendarArea = {side.x, side.y, side.width, layout.calendarSplitter.y - side.y};
}

}  // namespace

SideFontHeights SideFontHeightsOf(const TextMetricsSource& fonts) {
    return {fonts.Metrics(FontRole::kSmall).height, fonts.Metrics(FontRole::kLarge).height};
}

FrameLayout ComputeFrameLayout(const Settings& settings, DisplayMode mode, int width, int height,
                               const SideFontHeights& fonts, int dpi) {
    FrameLayout layout;
    layout.dpi = dpi;
    width = Bounded(width);
    height = Bounded(height);
    layout.client = {0, 0, width, height};
    const PixelRect content = ContentBox(settings.window, width, height, dpi);
    layout.content = content;
    const int toolbarHeight = settings.window.showToolBar ? ScaleForDpi(kToolbarHeight, dpi) : 0;
    if (toolbarHeight > 0) {
        layout.toolbar = {content.x, content.y, content.width, toolbarHeight};
    }
    const int top = content.y + toolbarHeight;
    const int below = content.height - toolbarHeight;
    layout.belowToolbar = {content.x, top, content.width, below};
    const int titleHeight = ScaleForDpi(kTitleRowHeight, dpi);

    layout.sidebarShown = mode == DisplayMode::kEdit && settings.window.showSideArea != 0;
    if (!layout.sidebarShown) {
        layout.title = {content.x, top, content.width, titleHeight};
        layout.editor = {content.x, top + titleHeight, content.width, below - titleHeight};
        return layout;
    }
    const int side = GridMetricsOf(settings.calendar, 0, 0, dpi).Width();
    const int gap = ScaleForDpi(kSideGap, dpi);
    const int rest = content.width - side - gap;
    if (settings.window.sideBarLayout == 1) {
        // The sidebar ends at the content box's right edge, where the editor's box would otherwise end,
        // so that editor, strip and sidebar never overlap whatever the two side margins are.
        layout.sidebar = {content.Right() - side, top, side, below};
        layout.sideSplitter = {layout.sidebar.x - gap, top, gap, below};
        layout.title = {content.x, top, rest, titleHeight};
        layout.editor = {content.x, top + titleHeight, rest, below - titleHeight};
    } else {
        layout.sidebar = {content.x, top, side, below};
        layout.sideSplitter = {content.x + side, top, gap, below};
        layout.title = {content.x + side + gap, top, rest, titleHeight};
        layout.editor = {content.x + side + gap, top + titleHeight, rest, below - titleHeight};
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

ToolbarLayout LayoutToolbar(const PixelRect& toolbar, int todayTextWidth, int diaryNameWidth, bool fullscreen,
                            int dpi) noexcept {
    ToolbarLayout bar;
    if (toolbar.Empty()) {
        return bar;
    }
    const int size = ScaleForDpi(kToolbarButtonSize, dpi);
    const int pad = ScaleForDpi(kToolbarGlyphInset, dpi);
    const int glyph = ScaleForDpi(kGlyphSize, dpi);
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
    const int width = std::min(diaryNameWidth + 3 * pad + glyph, room);
    if (width >= size) {
        bar.diaryFolder = {bar.settings.x - width, y, width, size};
        bar.diaryText = {bar.diaryFolder.x + pad, y, width - 3 * pad - glyph, size};
        bar.diaryGlyphX = bar.diaryFolder.Right() - pad - glyph;
    }
    return bar;
}

}  // namespace tavrin
