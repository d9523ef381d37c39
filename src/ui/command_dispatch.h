#pragma once
// What each WM_COMMAND id of the main frame does, decided without windows. The window procedure asks
// DecideCommand and carries out the answer: it owns the windows, the store and the dialogs.

#include "app/app_state.h"
#include "ui/frame_input.h"

namespace tavrin {

enum class CommandKind {
    kUnhandled,  // not a command of the frame: the default handling
    kNothing,    // handled, nothing happens (an edit-mode command in calendar mode, a limit reached)
    kPostClose,
    kMaximise,  // post the system command maximise
    kMinimise,
    kRestore,  // post the system command restore
    kToggleFullscreen,
    kToggleToolBar,  // flip ShowToolBar, Relayout, redraw, invalidate everything
    kToggleSideBar,  // flip ShowSideArea, the same
    kCycleFocus,     // CycleFocusStep
    kAboutBox,
    kSettingsDialog,
    kOpenMenu,        // menu at the client origin (the diary folder menu at DiaryMenuPoint; the template
                      // menu under the caret)
    kSetDisplayMode,  // value: 0 edit, 1 calendar
    kMoveByCommand,   // value: the command id (MoveCommandFromId)
    kStepToEntry,     // value: the command id (StepCommandFromId), animated
    kJumpDialog,      // open it, or focus and show the open one
    kSaveEntry,       // SaveCurrentEntry with error messages
    kCycleDiary,
    kEdit,             // edit operation on target (see EditTarget)
    kInsertFile,       // InsertFileCommand
    kOpenLink,         // OpenLinkAtCaret
    kSetFontSize,      // value: the new FontSize; send MEP_SETFONT with FontName
    kSetLineSpacing,   // value: the new LineSpacing; send MEP_SETLINESPACING
    kFocusSearch,      // the Search command: see leaveCalendarMode, showSideBar, focusSearchBox
    kSearchSelection,  // SearchSelect
    kInsertTemplate,   // value: the template index
    kStartup,
    kActivate,
    kRestoreCommand,
};

enum class EditOperation { kUndo, kRedo, kCut, kCopy, kPaste, kDelete, kSelectAll };

// Where an edit command goes. In the search box, undo and redo are both the edit control's undo (its
// single-level undo is its own redo), delete is a Delete key press and release, select all selects
// its whole text; in the editor paste takes pictures too (the attachment code).
enum class EditTarget { kEditor, kSearchBox };

struct CommandDecision {
    CommandKind kind = CommandKind::kUnhandled;
    int value = 0;
    MenuKind menu = MenuKind::kMain;
    EditOperation edit = EditOperation::kUndo;
    EditTarget target = EditTarget::kEditor;
    bool leaveCalendarMode = false;  // kFocusSearch
    bool showSideBar = false;        // kFocusSearch: show the sidebar, Relayout and redraw first
    bool focusSearchBox = false;     // kFocusSearch: focus the box and select all its text
};

// What the decision depends on.
struct CommandContext {
    DisplayMode mode = DisplayMode::kEdit;
    bool searchBoxFocused = false;
    bool maximised = false;
    bool minimised = false;
    bool sideAreaShown = true;
    int fontSize = 12;     // FontSize, points
    int lineSpacing = 4;   // LineSpacing, pixels
    int verticalDpi = 96;  // the resolution LineSpacing is counted in: 96, as it is a 96-DPI length
    int templateCount = 0;
};

inline constexpr int kMinFontSize = 1;
inline constexpr int kMaxFontSize = 50;

// The editor font size in pixels, FontSize x dpi / 72, or 12 when that is below 1.
[[nodiscard]] int FontPixelSize(int points, int verticalDpi) noexcept;

[[nodiscard]] CommandDecision DecideCommand(int commandId, const CommandContext& context) noexcept;

// The context of the application state (the shell adds focus, window state and resolution).
[[nodiscard]] CommandContext CommandContextOf(const AppState& state) noexcept;

}  // namespace tavrin
