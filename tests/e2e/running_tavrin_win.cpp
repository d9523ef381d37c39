#include "running_tavrin_win.h"

namespace tavrin::e2e {

RunningTavrin::RunningTavrin(const PortableFolder& folder, StartWait wait) : process_(folder.Start()) {
    if (process_) {
        frame_ = process_->WaitForMainFrame(kTimeoutMs);
    }
    if (frame_) {
        editor_ = drive::FindChild(frame_, L"MarkupEditPane");
        if (wait == StartWait::kIdle) {
            drive::WaitUntilIdle(process_->Id(), kTimeoutMs);
        }
    }
}

RunningTavrin::~RunningTavrin() {
    if (process_ && process_->Running()) {
        process_->Kill();
    }
}

}  // namespace tavrin::e2e
