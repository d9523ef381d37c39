#pragma once
// What the MarkupEditPane window adds to the message numbers of editor_messages.h: its class name,
// the width of its scroll bar, the notification codes by their names and the registered clipboard
// formats of a whole-row copy. Portable, so that tests and the frame's portable code can name them.

#include "editor/editor_messages.h"
#include "editor/editor_observer.h"

namespace tavrin {

inline constexpr wchar_t kMarkupEditPaneClassName[] = L"MarkupEditPane";
inline constexpr int kEditorScrollBarWidth = 16;  // at 96 DPI; scaled for the editor's screen

// Notifications posted to the parent as WM_COMMAND: the code in the high word, the control
// identifier in the low word, the editor's window handle as lParam.
inline constexpr unsigned MEPN_IMEON = static_cast<unsigned>(EditorNotification::ImeOn);
inline constexpr unsigned MEPN_IMEOFF = static_cast<unsigned>(EditorNotification::ImeOff);
inline constexpr unsigned MEPN_SELCHANGE = static_cast<unsigned>(EditorNotification::SelChange);
inline constexpr unsigned MEPN_OPENLINK = static_cast<unsigned>(EditorNotification::OpenLink);
inline constexpr unsigned MEPN_CONTEXTMENU = static_cast<unsigned>(EditorNotification::ContextMenu);
inline constexpr unsigned MEPN_CONTEXTMENUKEY = static_cast<unsigned>(EditorNotification::ContextMenuKey);
inline constexpr unsigned MEPN_OPENOBJECT = static_cast<unsigned>(EditorNotification::OpenObject);

// The registered clipboard formats that mark a whole-row copy.
inline constexpr wchar_t kLineSelectFormat[] = L"MSDEVLineSelect";
inline constexpr wchar_t kLineCutCopyFormat[] = L"VisualStudioEditorOperationsLineCutCopyClipboardTag";

}  // namespace tavrin
