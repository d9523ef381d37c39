// When the program may end: a close request saves the entry first and stays open when that fails; the
// end of the Windows session puts everything on disk (the entry, or its recovery file when it cannot
// be saved) and never frees anything under a menu or message box that is still open.
#include <windows.h>

#include "app/modal_scope_win.h"
#include "app/settings_file.h"
#include "ui/frame_window_win.h"
#include "ui/main_frame_win.h"

namespace tavrin {
namespace {

// The entry is saved without error boxes; when that fails, or cannot be tried because the code that
// opened a menu or box may be in the middle of a save, the text goes to its recovery file. Then the
// settings are written. Nothing is freed: the program may go on running (another program can cancel
// the end of the session).
void PutEverythingOnDisk(FrameWindow& frame) {
    App& app = frame.app;
    if (frame.store) {
        if (ModalUiOpen() || !frame.store->SaveCurrentEntry(false)) {
            frame.store->KeepUnsavedText();
        }
        app.state.selectedDate = frame.store->SelectedDate();
    }
    if (frame.recovery) {
        frame.recovery->Flush();
    }
    (void)SaveSettings(*app.fs, app.state.exeFolder, app.state, FrameGeometryOf(app));
}

}  // namespace

bool ReadyToClose(FrameWindow& frame) {
    if (ModalUiOpen()) {
        return false;  // the box or menu answers first; the user can close again afterwards
    }
    return !frame.store || frame.store->SaveCurrentEntry(true);
}

LRESULT OnQueryEndSession(FrameWindow& frame) {
    PutEverythingOnDisk(frame);
    return TRUE;
}

bool SessionEnds(FrameWindow& frame, WPARAM ending) {
    if (ending == FALSE) {
        return false;  // another program cancelled it: carry on
    }
    if (ModalUiOpen()) {
        // Code below us still waits for its menu or box: destroying the frame would free what it uses
        // when it returns. Everything goes on disk once more (the user may have typed since the query)
        // and the process ends here, as Windows would end it.
        PutEverythingOnDisk(frame);
        ExitProcess(0);
    }
    return true;  // the ordinary shutdown saves the entry (or keeps its text) and the settings
}

}  // namespace tavrin
