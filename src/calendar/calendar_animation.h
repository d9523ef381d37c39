#pragma once
// The two animations of the side calendar as plain state machines driven by the frame's timers: the
// blink of the selected day (timer 103) and the month-change slide (timer 102). The frame starts
// them, forwards each tick and repaints; these types decide what each tick means.

#include <array>

#include "calendar/diary_date.h"
#include "calendar/side_calendar.h"
#include "ui/canvas.h"

namespace tavrin {

inline constexpr int kSlideTimerId = 102;
inline constexpr int kSlidePeriodMs = 10;
inline constexpr int kBlinkTimerId = 103;
inline constexpr int kBlinkPeriodMs = 50;

// The blink: count runs from 0 to kBlinkTicks while running; the frame of the selected day is hidden
// on even counts, so it flashes three times in 300 ms.
struct BlinkState {
    static constexpr int kBlinkTicks = 6;
    bool running = false;
    int count = 0;
};

// Starts (or restarts) the blink; the caller repaints and starts the 50 ms timer.
void StartBlink(BlinkState& blink) noexcept;
// Stops a running blink; true when one was running (the caller kills the timer and repaints).
bool StopBlink(BlinkState& blink) noexcept;
// One tick: the count grows; at kBlinkTicks the blink ends. Returns whether it still runs (false: kill
// the timer). The caller repaints either way.
bool BlinkTick(BlinkState& blink) noexcept;
[[nodiscard]] bool SelectedFrameVisible(const BlinkState& blink) noexcept;

// How the new month comes in: 0 rises from below (later month, same year), 1 comes down from above
// (earlier month, same year), 2 comes in from the right (later year), 3 from the left (earlier year).
enum class SlideDirection { kFromBelow = 0, kFromAbove = 1, kFromRight = 2, kFromLeft = 3 };

[[nodiscard]] SlideDirection SlideDirectionOf(const DiaryDate& from, const DiaryDate& to) noexcept;

// The twelve pixel offsets of a run: the grid's height (vertical slides) or width (horizontal) times
// 0.92, 0.77, ... 0.01, truncated.
[[nodiscard]] std::array<int, 12> SlideOffsets(SlideDirection direction, const GridMetrics& grid) noexcept;

// The month-change slide. Invariant while running: 0 <= step < 12.
struct SlideState {
    bool running = false;
    SlideDirection direction = SlideDirection::kFromBelow;
    int step = 0;
    std::array<int, 12> offsets{};
    DiaryDate from;
    DiaryDate to;  // month clamped to 1..12
    DayMarks fromMarks{};
    DayMarks toMarks{};
};

// Starts a slide from the shown date to the target. toMarks are the target month's marks (from the
// year buffer in the same year, else from that month's file). The caller starts the 10 ms timer.
void StartSlide(SlideState& slide, const DiaryDate& from, const DiaryDate& to, const DayMarks& fromMarks,
                const DayMarks& toMarks, const GridMetrics& grid) noexcept;
// One tick. Returns true when the slide has ended: the caller kills the timer and runs
// GoToDate(slide.to, focus on). Otherwise it repaints the grid with PaintSlide.
bool SlideTick(SlideState& slide) noexcept;

// The grid area during a slide: both months at the current offset, clipped to the grid, over the
// frame's background.
void PaintSlide(Canvas& canvas, const CalendarLook& look, const GridMetrics& grid, const SlideState& slide);

}  // namespace tavrin
