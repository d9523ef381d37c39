// Crash recovery in the frame: the shown entry's unsaved text goes to its recovery file shortly after
// the user pauses (on the recovery store's own thread), and the start offers what an earlier run left.
#include <windows.h>

#include "app/app_state.h"
#include "app/error_box_win.h"
#include "app/modal_scope_win.h"
#include "platform/wide_win.h"
#include "store/recovery_file.h"
#include "ui/frame_window_win.h"
#include "ui/main_frame_win.h"

namespace tavrin {
namespace {

// Another copy of the program (MultipleStart) is running: its recovery files belong to texts it is
// still editing.
bool AnotherCopyRuns(HWND ownFrame) {
    for (HWND other = FindWindowExW(nullptr, nullptr, kMainFrameClassName, nullptr); other;
         other = FindWindowExW(nullptr, other, kMainFrameClassName, nullptr)) {
        if (other != ownFrame) {
            return true;
        }
    }
    return false;
}

// Absolute also for a copy run from a drive's root, whose folder text is a bare "E:".
std::filesystem::path ExeFolderOf(const FrameWindow& frame) {
    return ExeFolderPath(frame.app.state.exeFolder);
}

bool DeleteEndBlankLine(const FrameWindow& frame) {
    return frame.app.state.settings.other.deleteEndBlankLine != 0;
}

void RestoreEntries(FrameWindow& frame, const std::vector<RecoveredEntry>& entries) {
    bool currentDiaryChanged = false;
    for (const RecoveredEntry& entry : entries) {
        const std::optional<UserError> error =
            RestoreRecoveredEntry(*frame.app.fs, ExeFolderOf(frame), entry, DeleteEndBlankLine(frame));
        if (error) {
            ShowUserError(frame.window, *error);  // the file stays and is offered again next time
        } else {
            currentDiaryChanged = currentDiaryChanged || entry.diary == frame.store->DiaryName();
        }
    }
    if (currentDiaryChanged) {
        // The editor holds the entry exactly as loaded a moment ago: nothing is lost by loading it anew.
        frame.store->LoadYear();
        frame.store->LoadCurrentEntry();
        RedrawFrame(frame);
        InvalidateFrame(frame, kInvalidateAll);
    }
}

void SetEntriesAside(FrameWindow& frame, const std::vector<RecoveredEntry>& entries) {
    for (const RecoveredEntry& entry : entries) {
        (void)SetRecoveredEntryAside(*frame.app.fs, entry);
    }
    const std::u16string text = RecoveryKeptText(RecoveryFolder(ExeFolderOf(frame)));
    const ModalScope modal;
    MessageBoxW(frame.window, Wide(text), L"Tavrin", MB_OK | MB_ICONINFORMATION);
}

}  // namespace

void StartRecovery(FrameWindow& frame) {
    frame.recovery = std::make_unique<RecoveryStore>(CreateSystemFileSystem(), ExeFolderOf(frame));
    frame.store->SetRecovery(frame.recovery.get());
}

void NoteEntryChanged(FrameWindow& frame) {
    frame.recoverySchedule.Changed(GetTickCount64());
    if (!frame.recoveryTimerRunning) {
        frame.recoveryTimerRunning =
            SetTimer(frame.window, kRecoveryTimer, RecoverySchedule::kTickMs, nullptr) != 0;
    }
}

void OnRecoveryTick(FrameWindow& frame) {
    if (frame.recoverySchedule.Due(GetTickCount64())) {
        frame.store->KeepUnsavedText();
        frame.recoverySchedule.Kept();
    }
    if (!frame.recoverySchedule.Pending()) {
        KillTimer(frame.window, kRecoveryTimer);
        frame.recoveryTimerRunning = false;
    }
}

void OfferRecoveredTexts(FrameWindow& frame) {
    if (AnotherCopyRuns(frame.window)) {
        return;
    }
    const std::vector<RecoveredEntry> entries =
        CollectRecoveredEntries(*frame.app.fs, ExeFolderOf(frame), DeleteEndBlankLine(frame));
    if (entries.empty()) {
        return;
    }
    int answer = IDNO;
    {
        const ModalScope modal;
        answer = MessageBoxW(frame.window, Wide(RecoveryQuestionText(entries, frame.store->DiaryName())),
                             L"確認", MB_YESNO | MB_ICONQUESTION);
    }
    if (answer == IDYES) {
        RestoreEntries(frame, entries);
    } else {
        SetEntriesAside(frame, entries);
    }
}

}  // namespace tavrin
