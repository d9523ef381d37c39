#pragma once
// The MarkupEditPane's window interface: class name, control identifiers, private messages and the
// notification codes it posts to its parent as WM_COMMAND (code in the high word, control identifier
// in the low word, the editor's window handle as lParam). Portable, so that the frame's portable code
// and tests can name them without a Windows header.

#include "editor/editor_observer.h"

namespace tavrin {

inline constexpr wchar_t kMarkupEditPaneClassName[] = L"MarkupEditPane";
inline constexpr int kEditorControlId = 200;  // the identifier the main frame gives the editor
inline constexpr int kEditorScrollBarId = 1;  // the editor's own ScrollBarPane child
inline constexpr int kEditorScrollBarWidth = 16;

// All return 0 when the editor has no state, except where noted.
inline constexpr unsigned MEP_ISREADY = 32818;      // 1 when the state exists
inline constexpr unsigned MEP_CREATEMEDIA = 32819;  // creates the media player (later); 1
inline constexpr unsigned MEP_SETSTYLE = 32820;     // wParam const DisplayStyle*; 0 for null
inline constexpr unsigned MEP_SETFONT = 32821;      // wParam face (wchar_t*), lParam low word points
inline constexpr unsigned MEP_GETSTATE = 32822;     // lParam EditState** receives the state (null without)
inline constexpr unsigned MEP_SETTEXT = 32823;      // wParam text, lParam length; 0 when refused
inline constexpr unsigned MEP_GETSELTEXT = 32824;  // wParam buffer or null, lParam capacity; -1 without state
inline constexpr unsigned MEP_GETSELWORD = 32825;  // as MEP_GETSELTEXT, widening to the word first
inline constexpr unsigned MEP_SETLINESPACING = 32826;  // wParam pixels (signed)
inline constexpr unsigned MEP_SETIMEOPEN = 32827;      // wParam 1 open, 0 close
inline constexpr unsigned MEP_SETWORDWRAP = 32828;     // wParam flag, applied at the next layout
inline constexpr unsigned MEP_RESERVED = 32829;        // returns 1, no effect
inline constexpr unsigned MEP_GETREADONLY = 32830;     // the read-only flag
inline constexpr unsigned MEP_SETTITLELINE = 32831;    // wParam flag, lParam != 0: relayout now
inline constexpr unsigned MEP_SELECTALL = 32832;
inline constexpr unsigned MEP_TOGGLEHEADING = 32833;  // wParam 0 toggles; refused when read-only
inline constexpr unsigned MEP_INSERTREF = 32835;      // wParam file name; refused when read-only
inline constexpr unsigned MEP_REDRAWSCROLLBAR = 32843;
inline constexpr unsigned MEP_GETSELPTR =
    32845;  // wParam int* length, lParam int* start; returns the pointer
inline constexpr unsigned MEP_GETCARETPOS =
    32846;  // wParam POINT* or null; returns the caret height, -1 without state
inline constexpr unsigned MEP_SETBACKIMAGE = 32847;     // wParam picture HDC or 0, lParam PictureExtent*
inline constexpr unsigned MEP_SETBACKIMAGEPOS = 32848;  // wParam x << 16 | y (signed), lParam repeat flags
inline constexpr unsigned MEP_GETLINKKIND = 32849;      // the LinkKind at the caret or of the selection
inline constexpr unsigned MEP_SETDBLCLICKLINK = 32850;  // wParam flag; returns 0
inline constexpr unsigned MEP_CANADDPICTURE = 32851;    // 1 while fewer than 50 pictures
inline constexpr unsigned MEP_GETOBJECTNAME =
    32852;  // wParam POINT*, lParam buffer (256); -1 for null point or no state

// Edit-control messages the system headers may not name.
inline constexpr unsigned kEmRedo = 1108;     // EM_REDO (WM_USER + 84)
inline constexpr unsigned kEmCanRedo = 1109;  // EM_CANREDO (WM_USER + 85)

// Notification codes (the EditorNotification values).
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
