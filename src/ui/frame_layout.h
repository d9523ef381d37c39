#pragma once
// Where every area of the main frame lies: the boxes of the frame layout for each combination of
// toolbar, sidebar side, screen mode and width limit, which child panes are shown, and the toolbar's
// buttons. Everything here is computed from settings, the client size and font heights.

#include <string_view>

#include "app/app_state.h"
#include "app/settings.h"
#include "ui/canvas.h"
#include "ui/dpi.h"

namespace tavrin {

// Fixed metrics of the frame in 96-DPI pixels; the layout scales them for the window's screen, as it
// scales the pixel settings (margins, MaxWidth, the calendar's boxes).
inline constexpr int kToolbarButtonSize = 32;
inline constexpr int kToolbarGlyphInset = 8;
inline constexpr int kToolbarFreeSpace = 20;
inline constexpr int kToolbarHeight = kToolbarButtonSize + kToolbarFreeSpace;
inline constexpr int kTitleRowHeight = 32;
inline constexpr int kSideGap = 32;  // the splitter strip between editor and sidebar
inline constexpr int kCalendarSplitterHeight = 8;
inline constexpr int kSearchBoxHeight = 26;
inline constexpr int kGlyphSize = 16;  // a cell of the glyph strip

// The boxes of the frame, in client pixels. Boxes of areas that are not shown are empty.
struct FrameLayout {
    int dpi = kBaseDpi;  // the screen the boxes were laid out for
    PixelRect client;
    PixelRect content;       // client less the margins, limited to MaxWidth when asked
    PixelRect toolbar;       // empty while the toolbar is hidden
    PixelRect belowToolbar;  // the rest of the content box: the year calendar's view
    PixelRect title;         // the title row above the editor
    PixelRect editor;
    PixelRect sidebar;
    PixelRect sideSplitter;  // the strip between editor and sidebar (width drag)
    PixelRect sideHeader;    // the calendar's header inside the sidebar
    PixelRect weekdayRow;    // empty when ShowWeek is off
    PixelRect calendar;      // the day grid
    PixelRect calendarSplitter;
    PixelRect searchBox;  // the frame's box around the search box edit control
    PixelRect searchButton;
    PixelRect searchList;
    PixelRect calendarArea;  // sidebar top to the calendar splitter: wheel input here goes to the frame
    bool sidebarShown = false;

    // Where the search box edit control goes: the search box less 4 pixels left, top and right and 2
    // at the bottom (at 96 DPI).
    [[nodiscard]] PixelRect SearchEdit() const noexcept {
        const int side = ScaleForDpi(4, dpi);
        const int bottom = ScaleForDpi(2, dpi);
        return {searchBox.x + side, searchBox.y + side, searchBox.width - 2 * side,
                searchBox.height - side - bottom};
    }
};

// The side-area font heights the layout depends on.
struct SideFontHeights {
    int small = 12;
    int large = 29;
};
[[nodiscard]] SideFontHeights SideFontHeightsOf(const TextMetricsSource& fonts);

// The layout of a client area of width x height (Relayout) on a screen of the given DPI. The sidebar is
// shown in edit mode when ShowSideArea is on; SideBarLayout 1 puts it at the right edge of the content
// box.
[[nodiscard]] FrameLayout ComputeFrameLayout(const Settings& settings, DisplayMode mode, int width,
                                             int height, const SideFontHeights& fonts, int dpi = kBaseDpi);

// Which child panes are visible. The editor and the search list only in edit mode; the search box in
// edit mode, except that while a background picture is shown it is visible only while it has the
// focus (the frame paints its text otherwise). Panes of a hidden sidebar are hidden too.
struct PaneVisibility {
    bool editor = false;
    bool searchBox = false;
    bool searchList = false;
    friend bool operator==(const PaneVisibility&, const PaneVisibility&) = default;
};
[[nodiscard]] PaneVisibility PaneVisibilityOf(DisplayMode mode, bool sidebarShown, bool backImageShown,
                                              bool searchBoxFocused) noexcept;

// Glyph cells of the toolbar glyph strip.
inline constexpr int kGlyphExit = 0;
inline constexpr int kGlyphSettings = 16;
inline constexpr int kGlyphModeEdit = 32;
inline constexpr int kGlyphModeCalendar = 48;
inline constexpr int kGlyphSearch = 80;
inline constexpr int kGlyphDropDown = 96;
inline constexpr int kGlyphOldest = 112;
inline constexpr int kGlyphPrevious = 128;
inline constexpr int kGlyphNext = 288;
inline constexpr int kGlyphNewest = 304;

// The toolbar's buttons; a button left out for want of room is empty.
struct ToolbarLayout {
    PixelRect modeEdit;
    PixelRect modeCalendar;
    PixelRect oldest;
    PixelRect previous;
    PixelRect today;  // the today text's button, 8 pixels wider than the text on each side
    PixelRect next;
    PixelRect newest;
    PixelRect diaryFolder;  // DiaryName and the drop-down glyph
    PixelRect settings;
    PixelRect exit;  // fullscreen only
    PixelRect todayText;
    PixelRect diaryText;  // the name, right-aligned with an ellipsis
    int diaryGlyphX = 0;

    // The toolbar hit code (2012 to 2021) of the button at the point, or 0.
    [[nodiscard]] int Hit(int x, int y) const noexcept;
    // The button of a toolbar hit code; empty for other codes.
    [[nodiscard]] PixelRect Button(int code) const noexcept;
};

// The buttons in the toolbar box. todayTextWidth and diaryNameWidth are the widths of the today text
// and of DiaryName in the small font. Everything is empty when the toolbar box is.
[[nodiscard]] ToolbarLayout LayoutToolbar(const PixelRect& toolbar, int todayTextWidth, int diaryNameWidth,
                                          bool fullscreen, int dpi = kBaseDpi) noexcept;

}  // namespace tavrin
