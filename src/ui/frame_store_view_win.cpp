// The diary store's view of the frame: the blink of the selected day, the month slide and repaints.
#include "editor/editor_messages.h"
#include "platform/wide_win.h"
#include "store/diary_store.h"
#include "ui/frame_window_win.h"

namespace tavrin {

void FrameStoreView::StartBlink() {
    tavrin::StartBlink(frame_.model.blink);
    SetTimer(frame_.window, kBlinkTimer, kBlinkPeriodMs, nullptr);
    RedrawFrame(frame_);
    InvalidateFrame(frame_, kInvalidateFrame);
}

void FrameStoreView::StopBlink() {
    if (!frame_.model.blink.running) {
        return;
    }
    tavrin::StopBlink(frame_.model.blink);
    KillTimer(frame_.window, kBlinkTimer);
    RedrawFrame(frame_);
    InvalidateFrame(frame_, kInvalidateFrame);
}

bool FrameStoreView::IsAnimating() { return frame_.slide.running; }

void FrameStoreView::StartMonthAnimation(const DiaryDate& target) {
    const DiaryDate from = frame_.store->SelectedDate();
    const YearBuffer* year = &frame_.store->Year();
    StartSlide(frame_.slide, from, target, MarksOfMonth(year, from.year, from.month),
               SlideMonthMarks(*frame_.app.fs, frame_.store->DiaryFolder(), year, target.year, target.month),
               frame_.scene.grid);
    // The first position of the slide is shown now; each tick then shows the next one.
    PaintSlideStep(frame_);
    SetTimer(frame_.window, kSlideTimer, kSlidePeriodMs, nullptr);
}

void FrameStoreView::SelectedDateChanged() {
    frame_.app.state.selectedDate = frame_.store->SelectedDate();
    RedrawFrame(frame_);
    InvalidateFrame(frame_, kInvalidateFrame);
}

void FrameStoreView::DayMarksChanged() {
    RedrawFrame(frame_);
    InvalidateFrame(frame_, kInvalidateFrame);
}

void FrameStoreView::DiarySwitched(std::u16string_view title, const std::filesystem::path& dataFolder) {
    AppState& state = frame_.app.state;
    state.settings.system.diaryName = frame_.store->DiaryName();
    state.selectedDate = frame_.store->SelectedDate();
    SetWindowTextW(frame_.window, Wide(std::u16string(title)));
    SetCurrentDirectoryW(dataFolder.c_str());
    ClearSearchPane(frame_);  // hits of the other diary would lead to dates of this one
    RedrawFrame(frame_);
    InvalidateFrame(frame_, kInvalidateAll);
}

}  // namespace tavrin
