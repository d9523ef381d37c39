#include "ui/scrollbar/scroll_bar.h"

#include <algorithm>

#include "ui/dpi.h"

namespace tavrin {
namespace {

// Sizes beyond this are no bar; they only make the arithmetic below overflow.
constexpr int kMaxPixels = 1 << 20;

int ClampInt(long long value, int low, int high) noexcept {
    return static_cast<int>(std::clamp<long long>(value, low, high));
}

}  // namespace

// --- Settings -----------------------------------------------------------------------------------

void ScrollBarModel::SetStyle(int arrowMode, int thickness, int shortening, bool gripPassThrough) noexcept {
    arrowMode_ = arrowMode == 0 ? ArrowMode::Step : (arrowMode == 1 ? ArrowMode::Jump : ArrowMode::None);
    thickness_ = ClampInt(thickness, 1, kMaxPixels);
    shortening_ = ClampInt(shortening, 0, kMaxPixels);
    gripPassThrough_ = gripPassThrough;
}

void ScrollBarModel::SetRepeatTime(long long milliseconds) noexcept {
    repeatTime_ = ClampInt(milliseconds, 10, 60000);
}

void ScrollBarModel::SetAlpha(long long normal, long long hover) noexcept {
    normalAlpha_ = ClampInt(normal, 0, 256);
    hoverAlpha_ = ClampInt(hover, 0, 256);
}

void ScrollBarModel::SetSize(int width, int height) noexcept {
    width_ = ClampInt(width, 0, kMaxPixels);
    height_ = ClampInt(height, 0, kMaxPixels);
}

// --- Range --------------------------------------------------------------------------------------

void ScrollBarModel::SetRange(const ScrollRange& range) noexcept {
    // Negative values mean nothing to scroll; keeping them would only turn the geometry inside out.
    maximum_ = std::max(0, range.maximum);
    page_ = std::max(0, range.page);
    position_ = std::max(0, range.position);
}

int ScrollBarModel::LastPosition() const noexcept { return std::max(0, maximum_ - page_); }

bool ScrollBarModel::SetPosition(long long position) noexcept {
    const int value = ClampInt(position, 0, 0x7FFFFFFF);
    if (value == position_) {
        return false;
    }
    position_ = value;
    return true;
}

bool ScrollBarModel::Step(ScrollBarCode code) noexcept {
    const long long last = LastPosition();
    long long next = position_;
    switch (code) {
        case ScrollBarCode::LineUp:
            next = std::max<long long>(0, next - 1);
            break;
        case ScrollBarCode::LineDown:
            next = std::min(next + 1, last);
            break;
        case ScrollBarCode::PageUp:
            next = std::max<long long>(0, next - page_);
            break;
        case ScrollBarCode::PageDown:
            next = std::min(next + page_, last);
            break;
        case ScrollBarCode::Top:
            position_ = 0;
            return true;
        case ScrollBarCode::Bottom:
            position_ = static_cast<int>(last);
            return true;
        default:
            return false;
    }
    const bool changed = next != position_;
    position_ = static_cast<int>(next);
    return changed;
}

// --- Geometry -----------------------------------------------------------------------------------

int ScrollBarModel::Extent() const noexcept {
    return vertical_ ? height_ : std::max(0, width_ - (Corner() ? thickness_ : 0));
}

int ScrollBarModel::Internal(int along) const noexcept { return reversed_ ? Extent() - 1 - along : along; }

ThumbGeometry ScrollBarModel::Thumb() const noexcept {
    ThumbGeometry g;
    g.arrow = arrowMode_ == ArrowMode::None ? 0 : std::max(0, thickness_ - shortening_);
    g.extent = Extent();
    g.track = g.extent - 2 * g.arrow;
    if (g.track <= 0) {
        return g;
    }
    g.exists = true;
    const double track = g.track;
    long long length = maximum_ <= 0 ? g.track : static_cast<long long>(track / maximum_ * page_);
    length = std::clamp<long long>(length, 0, g.track);  // a page larger than the range fills the track
    if (length < thickness_) {
        length = std::min(thickness_, g.track);
        g.shortened = true;
        const int span = maximum_ - page_;
        g.scale = span > 0 ? (track - static_cast<double>(length)) / span : 0;
    } else {
        g.scale = maximum_ > 0 ? track / maximum_ : 0;
    }
    g.length = static_cast<int>(length);
    const int lastStart = g.arrow + g.track - g.length;
    if (dragging_) {
        g.start = std::clamp(dragThumb_, g.arrow, lastStart);
        return g;
    }
    long long start = g.arrow + static_cast<long long>(g.scale * position_);
    // Truncation can leave the thumb one pixel short of the end at the last position.
    if (!g.shortened && maximum_ > 0 && static_cast<long long>(position_) + page_ == maximum_ &&
        start + g.length < g.arrow + g.track) {
        ++start;
    }
    g.start = ClampInt(start, g.arrow, lastStart);
    return g;
}

ScrollZone ScrollBarModel::ZoneOf(const ThumbGeometry& g, int thickness, bool arrows, int c) noexcept {
    if (c < 0 || c >= g.extent) {
        return ScrollZone::None;
    }
    if (arrows) {
        if (c < thickness) {
            return ScrollZone::FirstArrow;
        }
        if (c >= g.extent - thickness) {
            return ScrollZone::SecondArrow;
        }
    }
    if (!g.exists) {
        return ScrollZone::None;
    }
    if (c >= g.start && c < g.start + g.length) {
        return ScrollZone::Thumb;
    }
    if (c >= g.arrow && c < g.start) {
        return ScrollZone::PageUp;
    }
    if (c >= g.start + g.length && c < g.arrow + g.track) {
        return ScrollZone::PageDown;
    }
    return ScrollZone::None;
}

ScrollZone ScrollBarModel::ZoneAt(int along) const noexcept {
    return ZoneOf(Thumb(), thickness_, arrowMode_ != ArrowMode::None, Internal(along));
}

BarRect ScrollBarModel::ThumbBar() const noexcept {
    const ThumbGeometry g = Thumb();
    if (!g.Drawn()) {
        return {};
    }
    const int start = reversed_ ? g.extent - g.start - g.length : g.start;
    const int thumbBar = ScaleForDpi(kThumbBarWidth, dpi_);
    if (vertical_) {
        return {(width_ - thumbBar) / 2, start, thumbBar, g.length};
    }
    return {start, (height_ - thumbBar) / 2, g.length, thumbBar};
}

int ScrollBarModel::ThumbOpacity() const noexcept {
    return hovered_ == ScrollZone::Thumb || dragging_ ? hoverAlpha_ : normalAlpha_;
}

bool ScrollBarModel::InPassThroughCorner(int x, int y) const noexcept {
    return GripPassThrough() && x >= width_ - thickness_ && x < width_ && y >= 0 && y < height_;
}

// --- Mouse --------------------------------------------------------------------------------------

bool ScrollBarModel::PlaceThumb(const ThumbGeometry& g, long long start) {
    const int placed = ClampInt(start, g.arrow, g.arrow + g.track - g.length);
    dragThumb_ = placed;
    int position = 0;
    if (placed == g.arrow + g.track - g.length && g.scale > 0) {
        position = LastPosition();  // exactly, whatever the floating-point scale makes of it
    } else if (g.scale > 0) {
        const double offset = placed - g.arrow;
        position = g.shortened ? static_cast<int>(offset / g.scale)
                               : static_cast<int>((offset + g.scale / 2) / g.scale);
    }
    // Rounding may land one past the last position; the range never allows that.
    position = std::clamp(position, 0, LastPosition());
    const bool changed = position != position_;
    position_ = position;
    return changed;
}

ScrollBarReaction ScrollBarModel::Press(int along, bool shift) {
    ScrollBarReaction reaction;
    reaction.repaint = true;
    const ThumbGeometry g = Thumb();
    const int c = Internal(along);
    if (shift && g.exists && c >= g.arrow && c < g.arrow + g.track) {
        if (PlaceThumb(g, static_cast<long long>(c) - g.length / 2)) {
            reaction.notify = ScrollBarCode::ThumbPosition;
        }
        pressed_ = ScrollZone::Thumb;
        dragging_ = true;
        dragInBand_ = true;
        dragThumbStart_ = dragThumb_;
        dragPosition_ = position_;
        grabOffset_ = c - dragThumb_;
        return reaction;
    }
    pressed_ = ZoneOf(g, thickness_, arrowMode_ != ArrowMode::None, c);
    const auto stepAndRepeat = [&](ScrollBarCode code) {
        Step(code);
        reaction.notify = code;
        repeat_ = code;
        reaction.startRepeat = true;
    };
    switch (pressed_) {
        case ScrollZone::FirstArrow:
            if (arrowMode_ == ArrowMode::Jump) {
                Step(ScrollBarCode::Top);
                reaction.notify = ScrollBarCode::Top;
            } else {
                stepAndRepeat(ScrollBarCode::LineUp);
            }
            break;
        case ScrollZone::SecondArrow:
            if (arrowMode_ == ArrowMode::Jump) {
                Step(ScrollBarCode::Bottom);
                reaction.notify = ScrollBarCode::Bottom;
            } else {
                stepAndRepeat(ScrollBarCode::LineDown);
            }
            break;
        case ScrollZone::PageUp:
            stepAndRepeat(ScrollBarCode::PageUp);
            break;
        case ScrollZone::PageDown:
            stepAndRepeat(ScrollBarCode::PageDown);
            break;
        case ScrollZone::Thumb:
            dragging_ = true;
            dragInBand_ = true;
            dragThumbStart_ = g.start;
            dragThumb_ = g.start;
            dragPosition_ = position_;
            grabOffset_ = c - g.start;
            break;
        case ScrollZone::None:
            break;
    }
    return reaction;
}

ScrollBarReaction ScrollBarModel::Move(int along, int across) {
    ScrollBarReaction reaction;
    if (dragging_) {
        const int band = ScaleForDpi(kDragBand, dpi_);
        const bool inBand = across >= -band && across < thickness_ + band;
        if (inBand) {
            dragInBand_ = true;
            if (PlaceThumb(Thumb(), static_cast<long long>(Internal(along)) - grabOffset_)) {
                reaction.notify = ScrollBarCode::ThumbTrack;
            }
            reaction.repaint = true;
        } else if (dragInBand_) {
            dragInBand_ = false;
            dragThumb_ = dragThumbStart_;
            position_ = dragPosition_;
            reaction.notify = ScrollBarCode::ThumbTrack;
            reaction.repaint = true;
        }
        return reaction;
    }
    const ScrollZone zone = ZoneAt(along);
    if (zone != hovered_) {
        hovered_ = zone;
        reaction.repaint = true;
    }
    return reaction;
}

ScrollBarReaction ScrollBarModel::Release() noexcept {
    dragging_ = false;
    pressed_ = ScrollZone::None;
    repeat_.reset();
    ScrollBarReaction reaction;
    reaction.repaint = true;
    return reaction;
}

ScrollBarReaction ScrollBarModel::Leave() noexcept {
    ScrollBarReaction reaction;
    reaction.repaint = hovered_ != ScrollZone::None;
    hovered_ = ScrollZone::None;
    return reaction;
}

ScrollBarReaction ScrollBarModel::RepeatTick(int along) {
    ScrollBarReaction reaction;
    if (!repeat_) {
        return reaction;
    }
    const ScrollBarCode code = *repeat_;
    if (code == ScrollBarCode::PageUp || code == ScrollBarCode::PageDown) {
        // Paging stops once the thumb has passed the pointer.
        const ThumbGeometry g = Thumb();
        const int c = Internal(along);
        const bool beyond = code == ScrollBarCode::PageUp ? c < g.start : c >= g.start + g.length;
        if (!beyond) {
            return reaction;
        }
    }
    if (Step(code)) {
        reaction.notify = code;
        reaction.repaint = true;
    }
    return reaction;
}

// --- Context menu -------------------------------------------------------------------------------

ScrollBarMenuState ScrollBarModel::MenuState() const noexcept {
    ScrollBarMenuState state;
    state.scrollHere = page_ != 0;
    const bool atStart = position_ <= 0;
    const bool atEnd = position_ >= LastPosition();
    state.toStart = reversed_ ? !atEnd : !atStart;
    state.toEnd = reversed_ ? !atStart : !atEnd;
    return state;
}

ScrollBarReaction ScrollBarModel::JumpTo(int along) {
    ScrollBarReaction reaction;
    const ThumbGeometry g = Thumb();
    if (!g.exists) {
        return reaction;
    }
    if (PlaceThumb(g, static_cast<long long>(Internal(along)) - g.length / 2)) {
        reaction.notify = ScrollBarCode::ThumbPosition;
    }
    reaction.repaint = true;
    return reaction;
}

ScrollBarCode ScrollBarModel::MenuCode(ScrollBarCode code) const noexcept {
    if (!reversed_) {
        return code;
    }
    switch (code) {
        case ScrollBarCode::LineUp:
            return ScrollBarCode::LineDown;
        case ScrollBarCode::LineDown:
            return ScrollBarCode::LineUp;
        case ScrollBarCode::PageUp:
            return ScrollBarCode::PageDown;
        case ScrollBarCode::PageDown:
            return ScrollBarCode::PageUp;
        case ScrollBarCode::Top:
            return ScrollBarCode::Bottom;
        case ScrollBarCode::Bottom:
            return ScrollBarCode::Top;
        default:
            return code;
    }
}

}  // namespace tavrin
