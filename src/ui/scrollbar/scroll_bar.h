#pragma once
// The ScrollBarPane's decisions without a window: range and steps, thumb geometry, the zones under the
// pointer, pressing, dragging, auto-repeat, hover and the context menu. The window feeds it pointer
// coordinates and sends the parent the codes it returns.

#include <cstdint>
#include <optional>

#include "ui/scrollbar/scroll_bar_messages.h"

namespace tavrin {

// The codes of WM_VSCROLL / WM_HSCROLL (SB_LINEUP .. SB_ENDSCROLL), by value.
enum class ScrollBarCode : int {
    LineUp = 0,
    LineDown = 1,
    PageUp = 2,
    PageDown = 3,
    ThumbPosition = 4,
    ThumbTrack = 5,
    Top = 6,
    Bottom = 7,
    EndScroll = 8
};

// The parts of a bar along its length.
enum class ScrollZone : std::uint8_t { None, FirstArrow, PageUp, Thumb, PageDown, SecondArrow };

// 0: arrow buttons step by a line with auto-repeat; 1: they jump to the ends; 2: no arrow buttons.
enum class ArrowMode : std::uint8_t { Step = 0, Jump = 1, None = 2 };

// Where the thumb lies, in pixels along the bar measured from its start (from the far end of a
// reversed bar). scale maps positions to pixels; shortened is set when the thumb was raised to the
// bar's thickness and the track is mapped over the remaining length.
struct ThumbGeometry {
    int arrow = 0;   // arrow button length
    int extent = 0;  // E: the bar's length (without a reserved corner)
    int track = 0;   // L = E - 2 x arrow
    bool exists = false;
    int start = 0;
    int length = 0;
    double scale = 0;
    bool shortened = false;
    [[nodiscard]] bool Drawn() const noexcept { return exists && length < track; }
};

// A rectangle in the bar's client pixels.
struct BarRect {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
    friend bool operator==(const BarRect&, const BarRect&) = default;
};

// What the window does after an input: notify the parent, start or stop the repeat timer, repaint.
struct ScrollBarReaction {
    std::optional<ScrollBarCode> notify;
    bool startRepeat = false;
    bool repaint = false;
};

// Which items of the context menu can be chosen.
struct ScrollBarMenuState {
    bool scrollHere = false;
    bool toStart = false;  // top / left end, page up, line up
    bool toEnd = false;    // bottom / right end, page down, line down
};

class ScrollBarModel {
public:
    static constexpr int kDragBand = 128;     // pixels across the bar within which a drag follows (96 DPI)
    static constexpr int kThumbBarWidth = 4;  // at 96 DPI

    // The screen the bar is drawn on: the drag band and the painted thumb's width follow it (the owner
    // gives the thickness already scaled).
    void SetDpi(int dpi) noexcept { dpi_ = dpi > 0 ? dpi : 96; }

    // --- Settings -------------------------------------------------------------------------------
    void SetVertical(bool vertical) noexcept { vertical_ = vertical; }
    [[nodiscard]] bool Vertical() const noexcept { return vertical_; }
    // SBP_SETSTYLE: arrow mode (values past 2 count as no arrows), thickness (0 means 1), shortening.
    void SetStyle(int arrowMode, int thickness, int shortening, bool gripPassThrough) noexcept;
    [[nodiscard]] ArrowMode Arrows() const noexcept { return arrowMode_; }
    [[nodiscard]] int Thickness() const noexcept { return thickness_; }
    [[nodiscard]] bool GripPassThrough() const noexcept { return gripPassThrough_ && !vertical_; }
    void SetReversed(bool reversed) noexcept { reversed_ = reversed; }
    [[nodiscard]] bool Reversed() const noexcept { return reversed_; }
    void SetCorner(bool corner) noexcept { corner_ = corner; }
    [[nodiscard]] bool Corner() const noexcept { return corner_ && !vertical_; }
    void SetActive(bool active) noexcept { active_ = active; }
    [[nodiscard]] bool Active() const noexcept { return active_; }
    // Base time of auto-repeat in milliseconds, at least 10.
    void SetRepeatTime(long long milliseconds) noexcept;
    [[nodiscard]] int RepeatTime() const noexcept { return repeatTime_; }
    [[nodiscard]] int FirstRepeatDelay() const noexcept { return repeatTime_ / 2; }
    [[nodiscard]] int RepeatInterval() const noexcept { return repeatTime_ / 10; }
    // Thumb opacities (each limited to 0..256).
    void SetAlpha(long long normal, long long hover) noexcept;
    [[nodiscard]] int NormalAlpha() const noexcept { return normalAlpha_; }
    [[nodiscard]] int HoverAlpha() const noexcept { return hoverAlpha_; }
    void SetSize(int width, int height) noexcept;
    [[nodiscard]] int Width() const noexcept { return width_; }
    [[nodiscard]] int Height() const noexcept { return height_; }

    // --- Range ----------------------------------------------------------------------------------
    void SetRange(const ScrollRange& range) noexcept;
    [[nodiscard]] ScrollRange Range() const noexcept { return {maximum_, position_, page_}; }
    [[nodiscard]] int Position() const noexcept { return position_; }
    // The last position: maximum - page, never below 0.
    [[nodiscard]] int LastPosition() const noexcept;
    // SBP_SETPOS: true when the position changed.
    bool SetPosition(long long position) noexcept;
    // One step of a scroll code (line, page, top, bottom); true when the position changed, and always
    // for top and bottom. Other codes change nothing.
    bool Step(ScrollBarCode code) noexcept;

    // --- Geometry -------------------------------------------------------------------------------
    [[nodiscard]] ThumbGeometry Thumb() const noexcept;
    // The zone under a pixel along the bar (window coordinates).
    [[nodiscard]] ScrollZone ZoneAt(int along) const noexcept;
    // The 4-pixel bar the thumb is painted as, in client pixels; empty when it is not drawn.
    [[nodiscard]] BarRect ThumbBar() const noexcept;
    [[nodiscard]] int ThumbOpacity() const noexcept;
    // True when a client point lies in the corner square that a grip pass-through bar lets through.
    [[nodiscard]] bool InPassThroughCorner(int x, int y) const noexcept;

    // --- Mouse ----------------------------------------------------------------------------------
    ScrollBarReaction Press(int along, bool shift);
    // Pointer moves with or without the button: drag, or hover marks.
    ScrollBarReaction Move(int along, int across);
    // Button up: ends the drag and the repeat, clears the pressed zone.
    ScrollBarReaction Release() noexcept;
    // The pointer left the window: hover marks are cleared.
    ScrollBarReaction Leave() noexcept;
    // One tick of the repeat timer with the pointer at along.
    ScrollBarReaction RepeatTick(int along);
    [[nodiscard]] bool Dragging() const noexcept { return dragging_; }
    [[nodiscard]] ScrollZone Pressed() const noexcept { return pressed_; }
    [[nodiscard]] ScrollZone Hovered() const noexcept { return hovered_; }

    // --- Context menu ---------------------------------------------------------------------------
    [[nodiscard]] ScrollBarMenuState MenuState() const noexcept;
    // "Scroll here": the thumb's centre jumps to along; ThumbPosition when the position changed.
    ScrollBarReaction JumpTo(int along);
    // The code a menu item sends to the pane: start and end are exchanged on a reversed bar.
    [[nodiscard]] ScrollBarCode MenuCode(ScrollBarCode code) const noexcept;

private:
    // A pointer coordinate along the bar as the geometry counts it (from the far end when reversed).
    [[nodiscard]] int Internal(int along) const noexcept;
    [[nodiscard]] int Extent() const noexcept;
    // Puts the thumb start at start (limited to the track) and derives the position from it.
    bool PlaceThumb(const ThumbGeometry& thumb, long long start);
    [[nodiscard]] static ScrollZone ZoneOf(const ThumbGeometry& thumb, int thickness, bool arrows,
                                           int c) noexcept;

    bool vertical_ = false;
    ArrowMode arrowMode_ = ArrowMode::Step;
    int thickness_ = 1;
    int dpi_ = 96;
    int shortening_ = 0;
    bool gripPassThrough_ = false;
    bool reversed_ = false;
    bool corner_ = false;
    bool active_ = false;
    int repeatTime_ = 500;
    int normalAlpha_ = 100;
    int hoverAlpha_ = 256;
    int width_ = 0;
    int height_ = 0;

    int maximum_ = 0;
    int position_ = 0;
    int page_ = 0;

    bool dragging_ = false;
    bool dragInBand_ = true;
    int dragThumbStart_ = 0;  // where the thumb started when the drag began
    int dragPosition_ = 0;    // the position when the drag began
    int grabOffset_ = 0;
    int dragThumb_ = 0;  // the thumb start while dragging
    ScrollZone pressed_ = ScrollZone::None;
    ScrollZone hovered_ = ScrollZone::None;
    std::optional<ScrollBarCode> repeat_;
};

}  // namespace tavrin
