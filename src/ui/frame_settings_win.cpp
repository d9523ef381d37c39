// The Setting command: the settings sheet, everything its OK changed applied to the running program
// in a fixed order, and the restart after a reset of all settings.
#include <windows.h>

#include "../../resources/resource.h"
#include "app/accelerators_win.h"
#include "app/key_names_win.h"
#include "app/settings_file.h"
#include "app/startup_win.h"
#include "editor/editor_messages.h"
#include "editor/markup_edit_pane_win.h"
#include "platform/wide_win.h"
#include "settings_dialog/settings_apply.h"
#include "settings_dialog/settings_sheet_win.h"
#include "ui/frame_window_win.h"
#include "ui/main_frame_win.h"

namespace tavrin {
namespace {

constexpr int kSettingsSaveError = 303;

// What the store and the title read from the record, followed after every OK (cheap, and EditLock and
// TitleBarName must act on the shown entry and the title at once).
void FollowRecord(FrameWindow& frame) {
    AppState& state = frame.app.state;
    UpdateOpacityLevels(state);
    state.weekdayLabels = SplitWeekLabels(state.settings.calendar.weekFormat);
    ApplyStoreOptions(frame);
    frame.store->ApplyEditLock();
    SetWindowTextW(frame.window,
                   Wide(MainWindowTitle(state.settings.other.titleBarName != 0, state.DiaryName())));
}

// The background picture after its settings changed: shown, hidden, another file, another place. A
// picture that cannot be chosen or loaded any more is let go rather than kept, so the frame never shows
// a picture the settings no longer name.
void ReloadBackgroundPicture(FrameWindow& frame) {
    if (!LoadBackgroundPicture(frame, true)) {
        ReleaseBackgroundPicture(frame);
        Relayout(frame);
        InvalidateFrame(frame, kInvalidateAll);
    }
}

void ApplySettingsChanges(FrameWindow& frame, const ChangeFlags& flags) {
    App& app = frame.app;
    const ApplySteps steps = PlanApply(flags);
    FollowRecord(frame);
    if (steps.copyKeys) {
        app.state.settings.shortcutKey.active = app.state.settings.shortcutKey.pending;
    }
    if (steps.rebuildAccelerators) {
        RebuildAccelerators(app);
    }
    if (steps.sendEditorStyle) {
        ApplyEditorStyle(frame);  // the options included
    } else if (steps.writeEditorOptions) {
        WriteEditorOptions(frame);
    }
    if (steps.recreateSideFonts) {
        CreateSideFonts(frame);
    }
    if (steps.sendEditorStyle || steps.recreateSideFonts) {
        ApplySearchPaneStyle(frame);
    }
    if (steps.reloadBackground) {
        ReloadBackgroundPicture(frame);
    }
    if (steps.relayout) {
        Relayout(frame);
        RedrawFrame(frame);
        InvalidateFrame(frame, kInvalidateAll);
    }
    if (steps.saveSettings && !SaveSettings(*app.fs, app.state.exeFolder, app.state, FrameGeometryOf(app))) {
        // Everything is applied; the file is tried again at exit.
        ShowErrorMessage(frame.window, kSettingsSaveError,
                         PathInExeFolder(app.state.exeFolder, kSettingsFileName).u16string());
    }
}

// After "すべての設定を初期化": the entry being written is saved first, with the usual error box; when
// that fails the reset is called off and the text stays in the editor. Otherwise a new copy is started
// and this one closes, deleting the settings file on its way out.
void RestartWithDefaults(FrameWindow& frame) {
    AppState& state = frame.app.state;
    if (!frame.store->SaveCurrentEntry(true)) {
        state.resetSettingsPending = false;
        return;
    }
    RestartAfterReset(frame.app);
}

}  // namespace

void OpenSettings(FrameWindow& frame) {
    if (frame.settingsDialogOpen || !frame.store) {
        return;
    }
    frame.settingsDialogOpen = true;
    App& app = frame.app;
    HWND window = frame.window;
    const SystemKeyNames keyNames;
    SettingsSheetContext context;
    context.instance = app.shell.instance;
    context.owner = window;
    context.icon = LoadIconW(app.shell.instance, MAKEINTRESOURCEW(IDI_TAVRIN));
    context.windowsVersionCode = app.state.windowsVersionCode;
    context.settings = &app.state.settings;
    context.templates = &app.state.templates;
    context.keyNames = &keyNames;
    context.expandCode = [&frame](std::u16string_view code) { return ExpandTemplateCode(frame, code); };
    context.symbolListRect = &frame.symbolListRect;
    // The whole program waits for the sheet, the open jump dialog included.
    HWND jumpDialog = app.shell.jumpDialog;
    if (jumpDialog) {
        EnableWindow(jumpDialog, FALSE);
    }
    const SettingsSheetResult result = RunSettingsSheet(context);
    if (jumpDialog && IsWindow(jumpDialog)) {
        EnableWindow(jumpDialog, TRUE);
    }
    if (!IsWindow(window)) {
        return;  // the session ended while the sheet was open; the frame is gone
    }
    frame.settingsDialogOpen = false;
    if (result.flags.reset) {
        app.state.resetSettingsPending = true;
        RestartWithDefaults(frame);
    } else if (result.accepted) {
        ApplySettingsChanges(frame, result.flags);
    }
}

}  // namespace tavrin
