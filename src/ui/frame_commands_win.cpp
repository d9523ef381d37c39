// The frame's WM_COMMAND: commands from keys, toolbar and menus, and the panes' notifications.
#include <windows.h>
#include <shellapi.h>

#include "app/modal_scope_win.h"
#include "editor/editor_messages.h"
#include "editor/editor_observer.h"
#include "platform/wide_win.h"
#include "ui/command_dispatch.h"
#include "ui/dialogs/about_box_win.h"
#include "ui/dialogs/jump_dialog_win.h"
#include "ui/frame_window_win.h"
#include "ui/link_open.h"
#include "ui/main_frame_win.h"

namespace tavrin {
namespace {

FocusPane FocusedPane(const FrameWindow& frame) {
    HWND focus = GetFocus();
    const ShellState& shell = frame.app.shell;
    if (focus && focus == shell.editor) {
        return FocusPane::kEditor;
    }
    if (focus && focus == shell.searchBox) {
        return FocusPane::kSearchBox;
    }
    if (focus && focus == shell.searchList) {
        return FocusPane::kSearchList;
    }
    return FocusPane::kOther;
}

void CycleFocus(FrameWindow& frame) {
    const FocusStep step = CycleFocusStep(
        frame.app.state.displayMode, frame.app.state.settings.window.showSideArea != 0, FocusedPane(frame));
    if (step.switchToEditMode) {
        SetDisplayMode(frame, DisplayMode::kEdit);
    }
    const ShellState& shell = frame.app.shell;
    switch (step.target) {
        case FocusPane::kEditor:
            SetFocus(shell.editor);
            break;
        case FocusPane::kSearchBox:
            SetFocus(shell.searchBox);
            break;
        case FocusPane::kSearchList:
            SetFocus(shell.searchList ? shell.searchList : shell.editor);
            break;
        case FocusPane::kOther:
            break;
    }
}

void EditCommand(FrameWindow& frame, EditOperation operation, EditTarget target) {
    const ShellState& shell = frame.app.shell;
    if (target == EditTarget::kSearchBox) {
        HWND box = shell.searchBox;
        switch (operation) {
            case EditOperation::kUndo:
            case EditOperation::kRedo:
                PostMessageW(box, EM_UNDO, 0, 0);
                return;
            case EditOperation::kCut:
                PostMessageW(box, WM_CUT, 0, 0);
                return;
            case EditOperation::kCopy:
                PostMessageW(box, WM_COPY, 0, 0);
                return;
            case EditOperation::kPaste:
                PostMessageW(box, WM_PASTE, 0, 0);
                return;
            case EditOperation::kDelete:
                SendMessageW(box, WM_KEYDOWN, VK_DELETE, 0);
                SendMessageW(box, WM_KEYUP, VK_DELETE, 0xC0000001);
                return;
            case EditOperation::kSelectAll:
                SendMessageW(box, EM_SETSEL, 0, -1);
                return;
        }
        return;
    }
    HWND editor = shell.editor;
    switch (operation) {
        case EditOperation::kUndo:
            PostMessageW(editor, EM_UNDO, 0, 0);
            return;
        case EditOperation::kRedo:
            PostMessageW(editor, kEditRedo, 0, 0);
            return;
        case EditOperation::kCut:
            PostMessageW(editor, WM_CUT, 0, 0);
            return;
        case EditOperation::kCopy:
            PostMessageW(editor, WM_COPY, 0, 0);
            return;
        case EditOperation::kPaste:
            PasteFromClipboard(frame);
            return;
        case EditOperation::kDelete:
            PostMessageW(editor, WM_CLEAR, 0, 0);
            return;
        case EditOperation::kSelectAll:
            PostMessageW(editor, MEP_SELECTALL, 0, 0);
            return;
    }
}

// The link at the caret or the selection, opened as its kind asks.
void OpenLinkAtCaret(FrameWindow& frame) {
    const ModalScope modal;  // the confirmation and error boxes below
    HWND editor = frame.app.shell.editor;
    const auto kind = static_cast<LinkKind>(SendMessageW(editor, MEP_GETLINKKIND, 0, 0));
    wchar_t buffer[256] = {};
    const LRESULT length = SendMessageW(editor, MEP_GETSELTEXT, reinterpret_cast<WPARAM>(buffer), 255);
    const std::u16string text =
        FromWide(std::wstring_view(buffer, length > 0 ? static_cast<std::size_t>(length) : 0));
    const AppState& state = frame.app.state;
    const LinkOpenPlan plan =
        PlanLinkOpen(kind, text, frame.store->DiaryFolder(), state.settings.other.checkLinkOpen != 0);
    if (plan.confirm && MessageBoxW(frame.window, Wide(LinkConfirmText(text)), L"確認",
                                    MB_OKCANCEL | MB_ICONQUESTION) != IDOK) {
        return;
    }
    switch (plan.kind) {
        case LinkOpenKind::kShell: {
            const auto result = reinterpret_cast<INT_PTR>(
                ShellExecuteW(frame.window, nullptr, Wide(plan.target), nullptr, nullptr, SW_SHOWNORMAL));
            if (result <= 32) {
                MessageBoxW(frame.window, Wide(LinkErrorText(text)), Wide(LinkErrorCaption(result, true)),
                            MB_OK | MB_ICONWARNING);
            }
            return;
        }
        case LinkOpenKind::kDate:
            if (const std::optional<Notice> notice = frame.store->OpenDateLink(plan.target)) {
                MessageBoxW(frame.window, Wide(notice->text), Wide(notice->caption), MB_OK | MB_ICONWARNING);
            }
            return;
        case LinkOpenKind::kHashTag:
            SearchForText(frame, plan.target);
            return;
        case LinkOpenKind::kError:
            MessageBoxW(frame.window, Wide(LinkErrorText(text)), Wide(LinkErrorCaption(0, false)),
                        MB_OK | MB_ICONWARNING);
            return;
    }
}

void OpenJump(FrameWindow& frame) {
    ShellState& shell = frame.app.shell;
    if (shell.jumpDialog) {
        ShowJumpDialog(shell.jumpDialog);
        return;
    }
    const LocalDateTime now = frame.app.clock->Now();
    JumpDialogContext context;
    context.selected = frame.store->SelectedDate();
    context.today = DiaryDate{now.year, now.month, now.day};
    context.jump = [&frame](std::u16string_view year, std::u16string_view month, std::u16string_view day) {
        return frame.store->Jump(year, month, day);
    };
    context.closed = [&shell] { shell.jumpDialog = nullptr; };
    shell.jumpDialog = OpenJumpDialog(shell.instance, frame.window, std::move(context));
}

void FocusSearch(FrameWindow& frame, const CommandDecision& decision) {
    if (decision.leaveCalendarMode) {
        SetDisplayMode(frame, DisplayMode::kEdit);
    }
    if (decision.showSideBar) {
        ShowSideArea(frame);
    }
    if (decision.focusSearchBox) {
        SetFocus(frame.app.shell.searchBox);
        SendMessageW(frame.app.shell.searchBox, EM_SETSEL, 0, -1);
    }
}

void ToggleSetting(FrameWindow& frame, int& flag) {
    flag = flag ? 0 : 1;
    Relayout(frame);
    InvalidateFrame(frame, kInvalidateAll);
}

POINT ClientOrigin(const FrameWindow& frame) {
    POINT origin{0, 0};
    ClientToScreen(frame.window, &origin);
    return origin;
}

void OpenMenuCommand(FrameWindow& frame, MenuKind menu) {
    if (menu == MenuKind::kTemplate) {
        OpenMenu(frame, menu, PointUnderCaret(frame));
        return;
    }
    if (menu == MenuKind::kDiaryFolder) {
        const ClientPoint at = DiaryMenuPoint(frame.scene);
        POINT point{at.x, at.y};
        ClientToScreen(frame.window, &point);
        OpenMenu(frame, menu, point);
        return;
    }
    OpenMenu(frame, menu, ClientOrigin(frame));
}

void RunDecision(FrameWindow& frame, const CommandDecision& decision) {
    AppState& state = frame.app.state;
    HWND editor = frame.app.shell.editor;
    switch (decision.kind) {
        case CommandKind::kUnhandled:
        case CommandKind::kNothing:
            return;
        case CommandKind::kSearchSelection:
            SearchSelection(frame);
            return;
        case CommandKind::kInsertFile:
            InsertFileCommand(frame);
            return;
        case CommandKind::kPostClose:
            PostMessageW(frame.window, WM_CLOSE, 0, 0);
            return;
        case CommandKind::kMaximise:
            PostMessageW(frame.window, WM_SYSCOMMAND, SC_MAXIMIZE, 0);
            return;
        case CommandKind::kMinimise:
            PostMessageW(frame.window, WM_SYSCOMMAND, SC_MINIMIZE, 0);
            return;
        case CommandKind::kRestore:
            PostMessageW(frame.window, WM_SYSCOMMAND, SC_RESTORE, 0);
            return;
        case CommandKind::kToggleFullscreen:
            ToggleFullscreen(frame);
            return;
        case CommandKind::kToggleToolBar:
            ToggleSetting(frame, state.settings.window.showToolBar);
            return;
        case CommandKind::kToggleSideBar:
            ToggleSetting(frame, state.settings.window.showSideArea);
            return;
        case CommandKind::kCycleFocus:
            CycleFocus(frame);
            return;
        case CommandKind::kSettingsDialog:
            OpenSettings(frame);
            return;
        case CommandKind::kAboutBox:
            ShowAboutBox(frame.app.shell.instance, frame.window);
            return;
        case CommandKind::kOpenMenu:
            OpenMenuCommand(frame, decision.menu);
            return;
        case CommandKind::kSetDisplayMode:
            SetDisplayMode(frame, decision.value == 1 ? DisplayMode::kCalendar : DisplayMode::kEdit);
            return;
        case CommandKind::kMoveByCommand:
            if (const auto command = MoveCommandFromId(decision.value)) {
                frame.store->MoveByCommand(*command);
            }
            return;
        case CommandKind::kStepToEntry:
            if (const auto command = StepCommandFromId(decision.value)) {
                frame.store->StepToEntry(*command, true);
            }
            return;
        case CommandKind::kJumpDialog:
            OpenJump(frame);
            return;
        case CommandKind::kSaveEntry:
            frame.store->SaveCurrentEntry(true);
            return;
        case CommandKind::kCycleDiary:
            frame.store->CycleDiary();
            return;
        case CommandKind::kEdit:
            EditCommand(frame, decision.edit, decision.target);
            return;
        case CommandKind::kOpenLink:
            OpenLinkAtCaret(frame);
            return;
        case CommandKind::kSetFontSize:
            state.settings.edit.fontSize = decision.value;
            SendMessageW(editor, MEP_SETFONT, reinterpret_cast<WPARAM>(Wide(state.settings.edit.fontName)),
                         decision.value);
            return;
        case CommandKind::kSetLineSpacing:
            state.settings.edit.lineSpacing = decision.value;
            SendMessageW(editor, MEP_SETLINESPACING, static_cast<WPARAM>(decision.value), 0);
            return;
        case CommandKind::kFocusSearch:
            FocusSearch(frame, decision);
            return;
        case CommandKind::kInsertTemplate:
            InsertTemplateCommand(frame, decision.value);
            return;
        case CommandKind::kStartup:
            OnStartupCommand(frame);
            return;
        case CommandKind::kActivate:
            if (IsIconic(frame.window)) {
                ShowWindow(frame.window, SW_RESTORE);
            }
            return;
        case CommandKind::kRestoreCommand:
            RecordRestoreCommand(state, FrameGeometryOf(frame.app));
            return;
    }
}

LRESULT OnEditorNotification(FrameWindow& frame, unsigned code) {
    switch (code) {
        case EN_CHANGE:
            frame.store->UpdateDayMark();
            NoteEntryChanged(frame);
            return 0;
        case static_cast<unsigned>(EditorNotification::OpenLink):
            OpenLinkAtCaret(frame);
            return 0;
        case static_cast<unsigned>(EditorNotification::ContextMenu): {
            POINT cursor{};
            GetCursorPos(&cursor);
            OpenMenu(frame, MenuKind::kEditorContext, cursor);
            return 0;
        }
        case static_cast<unsigned>(EditorNotification::ContextMenuKey):
            OpenMenu(frame, MenuKind::kEditorContext, PointUnderCaret(frame));
            return 0;
        case static_cast<unsigned>(EditorNotification::OpenObject):
            OpenObjectAtCursor(frame);
            return 0;
        default:
            return 0;
    }
}

LRESULT OnSearchBoxNotification(FrameWindow& frame, unsigned code) {
    if (code == EN_CHANGE && frame.app.state.startupDone) {
        const int length = GetWindowTextLengthW(frame.app.shell.searchBox);
        if (static_cast<std::size_t>(length) != frame.searchText.size()) {
            RedrawFrame(frame);
            InvalidateFrame(frame, kInvalidateFrame);
        }
    }
    if ((code == EN_SETFOCUS || code == EN_KILLFOCUS) && frame.app.state.startupDone) {
        // The box's outline follows the focus; over a background picture the box comes and goes too.
        if (frame.model.backImageShown) {
            Relayout(frame);
        } else {
            RedrawFrame(frame);
        }
        InvalidateFrame(frame, kInvalidateFrame);
    }
    return 0;
}

}  // namespace

LRESULT OnCommand(FrameWindow& frame, WPARAM wParam, LPARAM lParam) {
    const int id = LOWORD(wParam);
    const unsigned code = HIWORD(wParam);
    if (lParam != 0) {
        if (id == kEditorControlId) {
            return OnEditorNotification(frame, code);
        }
        if (id == kSearchBoxControlId) {
            return OnSearchBoxNotification(frame, code);
        }
        if (id == kSearchListControlId) {
            return OnSearchListNotification(frame, code);
        }
        return DefWindowProcW(frame.window, WM_COMMAND, wParam, lParam);
    }
    if (!frame.store) {
        return 0;
    }
    CommandContext context = CommandContextOf(frame.app.state);
    context.searchBoxFocused = GetFocus() == frame.app.shell.searchBox && frame.app.shell.searchBox;
    context.maximised = IsZoomed(frame.window) != FALSE;
    context.minimised = IsIconic(frame.window) != FALSE;
    // LineSpacing is a 96-DPI length, so the font size it is held against is counted at 96 DPI too:
    // the smallest spacing is the same on every screen.
    context.verticalDpi = kBaseDpi;
    const CommandDecision decision = DecideCommand(id, context);
    if (decision.kind == CommandKind::kUnhandled) {
        return DefWindowProcW(frame.window, WM_COMMAND, wParam, lParam);
    }
    RunDecision(frame, decision);
    return 0;
}

}  // namespace tavrin
