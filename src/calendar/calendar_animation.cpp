#include "calendar/calendar_animation.h"

#include <algorithm>

namespace tavrin {
namespace {

constexpr std::array<double, 12> kSlideFactors = {0.92, 0.77, 0.62, 0.49, 0.36, 0.25,
                                                  0.17, 0.11, 0.07, 0.04, 0.02, 0.01};

bool Vertical(SlideDirection direction) noexcept {
    return direction == SlideDirection::kFromBelow || direction == SlideDirection::kFromAbove;
}

}  // namespace

void StartBlink(BlinkState& blink) noexcept {
    blink.running = true;
    blink.count = 0;
}

bool StopBlink(BlinkState& blink) noexcept {
    const bool wasRunning = blink.running;
    blink.running = false;
    blink.count = 0;
    return wasRunning;
}

bool BlinkTick(BlinkState& blink) noexcept {
    if (!blink.running) {
        return false;
    }
    ++blink.count;
    if (blink.count >= BlinkState::kBlinkTicks) {
        StopBlink(blink);
        return false;
    }
    return true;
}

bool SelectedFrameVisible(const BlinkState& blink) noexcept {
    return !blink.running || blink.count % 2 != 0;
}

SlideDirection SlideDirectionOf(const DiaryDate& from, const DiaryDate& to) noexcept {
    if (from.year == to.year) {
        return to.month > from.month ? SlideDirection::kFromBelow : SlideDirection::kFromAbove;
    }
    return to.year > from.year ? SlideDirection::kFromRight : SlideDirection::kFromLeft;
}

std::array<int, 12> SlideOffsets(SlideDirection direction, const GridMetrics& grid) noexcept {
    const int length = Vertical(direction) ? grid.Height() : grid.Width();
    std::array<int, 12> offsets{};
    for (std::size_t i = 0; i < offsets.size(); ++i) {
        offsets[i] = static_cast<int>(length * kSlideFactors[i]);
    }
    return offsets;
}

void StartSlide(SlideState& slide, const DiaryDate& from, const DiaryDate& to, const DayMarks& fromMarks,
                const DayMarks& toMarks, const GridMetrics& grid) noexcept {
    slide.running = true;
    slide.step = 0;
    slide.from = from;
    slide.to = {to.year, std::clamp(to.month, 1, 12), to.day};
    slide.direction = SlideDirectionOf(slide.from, slide.to);
    slide.offsets = SlideOffsets(slide.direction, grid);
    slide.fromMarks = fromMarks;
    slide.toMarks = toMarks;
}

bool SlideTick(SlideState& slide) noexcept {
    if (!slide.running) {
        return true;
    }
    ++slide.step;
    if (slide.step >= static_cast<int>(slide.offsets.size())) {
        slide.running = false;
        slide.step = 0;
        return true;
    }
    return false;
}

void PaintSlide(Canvas& canvas, const CalendarLook& look, const GridMetrics& grid, const SlideState& slide) {
    const PixelRect bounds = grid.Bounds();
    canvas.PushClip(bounds);
    canvas.Background(bounds, look.back);
    const int offset = slide.offsets[static_cast<std::size_t>(std::clamp(slide.step, 0, 11))];
    GridMetrics incoming = grid;
    GridMetrics outgoing = grid;
    const int stepY = grid.Height() + grid.margin;
    const int stepX = grid.Width() + grid.margin;
    switch (slide.direction) {
        case SlideDirection::kFromBelow:
            incoming.top = grid.top + offset;
            outgoing.top = incoming.top - stepY;
            break;
        case SlideDirection::kFromAbove:
            incoming.top = grid.top - offset;
            outgoing.top = incoming.top + stepY;
            break;
        case SlideDirection::kFromRight:
            incoming.left = grid.left + offset;
            outgoing.left = incoming.left - stepX;
            break;
        case SlideDirection::kFromLeft:
            incoming.left = grid.left - offset;
            outgoing.left = incoming.left + stepX;
            break;
    }
    PaintMonthGrid(canvas, look, outgoing,
                   {slide.from.year, slide.from.month, slide.from.day, &slide.fromMarks});
    PaintMonthGrid(canvas, look, incoming, {slide.to.year, slide.to.month, slide.to.day, &slide.toMarks});
    canvas.PopClip();
}

}  // namespace tavrin
