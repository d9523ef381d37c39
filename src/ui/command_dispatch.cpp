#include "ui/command_dispatch.h"

#include <climits>

namespace tavrin {
namespace {

namespace id = command_id;

CommandDecision Decision(CommandKind kind, int value = 0) noexcept {
    CommandDecision decision;
    decision.kind = kind;
    decision.value = value;
    return decision;
}

CommandDecision Menu(MenuKind menu) noexcept {
    CommandDecision decision = Decision(CommandKind::kOpenMenu);
    decision.menu = menu;
    return decision;
}

CommandDecision Edit(EditOperation operation, const CommandContext& context) noexcept {
    CommandDecision decision = Decision(CommandKind::kEdit);
    decision.edit = operation;
    decision.target = context.searchBoxFocused ? EditTarget::kSearchBox : EditTarget::kEditor;
    return decision;
}

CommandDecision FontStep(int step, const CommandContext& context) noexcept {
    const int size = context.fontSize;
    int next = size;
    if (step > 0 && size < kMaxFontSize) {
        next = size < kMinFontSize ? kMinFontSize : size + 1;
    } else if (step < 0 && size > kMinFontSize) {
        next = size > kMaxFontSize ? kMaxFontSize : size - 1;
    }
    return next == size ? Decision(CommandKind::kNothing) : Decision(CommandKind::kSetFontSize, next);
}

CommandDecision SpacingStep(int step, const CommandContext& context) noexcept {
    const int spacing = context.lineSpacing;
    if (step > 0) {
        return spacing == INT_MAX ? Decision(CommandKind::kNothing)
                                  : Decision(CommandKind::kSetLineSpacing, spacing + 1);
    }
    // Lines may overlap, but never by more than one line's height and a pixel.
    if (spacing < -FontPixelSize(context.fontSize, context.verticalDpi)) {
        return Decision(CommandKind::kNothing);
    }
    return Decision(CommandKind::kSetLineSpacing, spacing - 1);
}

CommandDecision FocusSearch(const CommandContext& context) noexcept {
    CommandDecision decision = Decision(CommandKind::kFocusSearch);
    decision.leaveCalendarMode = context.mode == DisplayMode::kCalendar;
    decision.showSideBar = !context.sideAreaShown;
    decision.focusSearchBox = !context.searchBoxFocused || decision.leaveCalendarMode;
    return decision;
}

// The commands that act on the editor or the search box; none of them does anything in calendar mode.
CommandDecision EditModeCommand(int commandId, const CommandContext& context) noexcept {
    switch (commandId) {
        case id::kMenuTemplate:
            return Menu(MenuKind::kTemplate);
        case id::kEditUndo:
            return Edit(EditOperation::kUndo, context);
        case id::kEditRedo:
            return Edit(EditOperation::kRedo, context);
        case id::kEditCut:
            return Edit(EditOperation::kCut, context);
        case id::kEditCopy:
            return Edit(EditOperation::kCopy, context);
        case id::kEditPaste:
            return Edit(EditOperation::kPaste, context);
        case id::kEditDelete:
            return Edit(EditOperation::kDelete, context);
        case id::kEditAllSelect:
            return Edit(EditOperation::kSelectAll, context);
        case id::kSearchSelect:
            return Decision(CommandKind::kSearchSelection);
        default:
            return Decision(CommandKind::kUnhandled);
    }
}

bool IsEditModeCommand(int commandId) noexcept {
    return commandId == id::kMenuTemplate || commandId == id::kSearchSelect ||
           (commandId >= id::kEditUndo && commandId <= id::kEditAllSelect);
}

CommandDecision WindowCommand(int commandId, const CommandContext& context) noexcept {
    switch (commandId) {
        case id::kExit:
            return Decision(CommandKind::kPostClose);
        case id::kMax:
            return Decision(context.maximised ? CommandKind::kRestore : CommandKind::kMaximise);
        case id::kMin:
            return Decision(context.minimised ? CommandKind::kRestore : CommandKind::kMinimise);
        case id::kFullscreen:
            return Decision(CommandKind::kToggleFullscreen);
        case id::kToolBar:
            return Decision(CommandKind::kToggleToolBar);
        case id::kSideBar:
            return Decision(CommandKind::kToggleSideBar);
        case id::kFocus:
            return Decision(CommandKind::kCycleFocus);
        case id::kVersion:
            return Decision(CommandKind::kAboutBox);
        case id::kSetting:
            return Decision(CommandKind::kSettingsDialog);
        case id::kMenuMain:
            return Menu(MenuKind::kMain);
        case id::kMenuYear:
            return Menu(MenuKind::kYear);
        case id::kMenuMonth:
            return Menu(MenuKind::kMonth);
        case id::kMenuDay:
            return Menu(MenuKind::kDay);
        case id::kMenuDiaryFolder:
            return Menu(MenuKind::kDiaryFolder);
        case id::kModeEdit:
            return Decision(CommandKind::kSetDisplayMode, 0);
        case id::kModeCalendar:
            return Decision(CommandKind::kSetDisplayMode, 1);
        default:
            return Decision(CommandKind::kUnhandled);
    }
}

CommandDecision DiaryCommand(int commandId, const CommandContext& context) noexcept {
    switch (commandId) {
        case id::kToday:
        case id::kPrevYear:
        case id::kPrevMonth:
        case id::kPrevWeek:
        case id::kPrevDay:
        case id::kNextDay:
        case id::kNextWeek:
        case id::kNextMonth:
        case id::kNextYear:
            return Decision(CommandKind::kMoveByCommand, commandId);
        case id::kOldDiary:
        case id::kPrevDiary:
        case id::kNextDiary:
        case id::kNewDiary:
            return Decision(CommandKind::kStepToEntry, commandId);
        case id::kJump:
            return Decision(CommandKind::kJumpDialog);
        case id::kSaveAs:
            return Decision(CommandKind::kSaveEntry);
        case id::kDiaryChange:
            return Decision(CommandKind::kCycleDiary);
        case id::kEditInsertFile:
            return Decision(CommandKind::kInsertFile);
        case id::kEditOpenLink:
            return Decision(CommandKind::kOpenLink);
        case id::kEditFontPlus:
            return FontStep(1, context);
        case id::kEditFontMinus:
            return FontStep(-1, context);
        case id::kEditSpacePlus:
            return SpacingStep(1, context);
        case id::kEditSpaceMinus:
            return SpacingStep(-1, context);
        case id::kSearch:
            return FocusSearch(context);
        case id::kStartupCommand:
            return Decision(CommandKind::kStartup);
        case id::kActivateCommand:
            return Decision(CommandKind::kActivate);
        case id::kRestoreCommand:
            return Decision(CommandKind::kRestoreCommand);
        default:
            return Decision(CommandKind::kUnhandled);
    }
}

}  // namespace

int FontPixelSize(int points, int verticalDpi) noexcept {
    const long long pixels = static_cast<long long>(points) * verticalDpi / 72;
    return pixels < 1 || pixels > INT_MAX ? 12 : static_cast<int>(pixels);
}

CommandDecision DecideCommand(int commandId, const CommandContext& context) noexcept {
    if (commandId >= kTemplateCommandBase && commandId - kTemplateCommandBase < context.templateCount) {
        if (context.mode == DisplayMode::kCalendar) {
            return Decision(CommandKind::kNothing);
        }
        return Decision(CommandKind::kInsertTemplate, commandId - kTemplateCommandBase);
    }
    if (IsEditModeCommand(commandId)) {
        return context.mode == DisplayMode::kCalendar ? Decision(CommandKind::kNothing)
                                                      : EditModeCommand(commandId, context);
    }
    if (const CommandDecision window = WindowCommand(commandId, context);
        window.kind != CommandKind::kUnhandled) {
        return window;
    }
    return DiaryCommand(commandId, context);
}

CommandContext CommandContextOf(const AppState& state) noexcept {
    CommandContext context;
    context.mode = state.displayMode;
    context.sideAreaShown = state.settings.window.showSideArea != 0;
    context.fontSize = state.settings.edit.fontSize;
    context.lineSpacing = state.settings.edit.lineSpacing;
    context.templateCount = state.templates.Count();
    return context;
}

}  // namespace tavrin
