#pragma once
// The private window messages of MarkupEditPane and what each one answers when the window has no
// editor state (before WM_CREATE finished or after WM_DESTROY). The window dispatches each message to
// one EditState call (named in the comments); notifications are EditorNotification values.

#include <cstdint>

namespace tavrin {

// WM_APP is 32768; the numbers are fixed because the frame and other panes send them.
inline constexpr std::uint32_t MEP_ISREADY = 32818;          // 1 when the state exists
inline constexpr std::uint32_t MEP_CREATEMEDIA = 32819;      // window: media player
inline constexpr std::uint32_t MEP_SETSTYLE = 32820;         // SetStyle
inline constexpr std::uint32_t MEP_SETFONT = 32821;          // SetFont(face, LOWORD(lParam))
inline constexpr std::uint32_t MEP_GETSTATE = 32822;         // the EditState pointer
inline constexpr std::uint32_t MEP_SETTEXT = 32823;          // SetText
inline constexpr std::uint32_t MEP_GETSELTEXT = 32824;       // GetSelText
inline constexpr std::uint32_t MEP_GETSELWORD = 32825;       // GetSelWord
inline constexpr std::uint32_t MEP_SETLINESPACING = 32826;   // SetLineSpacing
inline constexpr std::uint32_t MEP_SETIMEOPEN = 32827;       // window: IME open status
inline constexpr std::uint32_t MEP_SETWORDWRAP = 32828;      // SetWordWrap
inline constexpr std::uint32_t MEP_RESERVED = 32829;         // 1, no effect
inline constexpr std::uint32_t MEP_GETREADONLY = 32830;      // ReadOnly
inline constexpr std::uint32_t MEP_SETTITLELINE = 32831;     // SetTitleLine(wParam, lParam != 0)
inline constexpr std::uint32_t MEP_SELECTALL = 32832;        // SelectAll
inline constexpr std::uint32_t MEP_TOGGLEHEADING = 32833;    // ToggleHeading
inline constexpr std::uint32_t MEP_INSERTREF = 32835;        // InsertRef
inline constexpr std::uint32_t MEP_REDRAWSCROLLBAR = 32843;  // window: scroll bar pane
inline constexpr std::uint32_t MEP_GETSELPTR = 32845;        // GetSelPtr
inline constexpr std::uint32_t MEP_GETCARETPOS = 32846;      // GetCaretPos
inline constexpr std::uint32_t MEP_SETBACKIMAGE = 32847;     // window: background picture
inline constexpr std::uint32_t MEP_SETBACKIMAGEPOS = 32848;  // window: background picture origin
inline constexpr std::uint32_t MEP_GETLINKKIND = 32849;      // GetLinkKind
inline constexpr std::uint32_t MEP_SETDBLCLICKLINK = 32850;  // SetDoubleClickLink; answers 0
inline constexpr std::uint32_t MEP_CANADDPICTURE = 32851;    // CanAddPicture
inline constexpr std::uint32_t MEP_GETOBJECTNAME = 32852;    // GetObjectName

// Edit-control messages the editor answers itself (not defined by the system headers).
inline constexpr std::uint32_t kEditRedo = 1108;     // EM_REDO = WM_USER + 84: Redo
inline constexpr std::uint32_t kEditCanRedo = 1109;  // EM_CANREDO = WM_USER + 85: CanRedo

// Answer of a message when the window has no state: 0 for every message except these, which
// answer -1.
[[nodiscard]] constexpr std::intptr_t ResultWithoutState(std::uint32_t message) noexcept {
    return message == MEP_GETSELTEXT || message == MEP_GETSELWORD || message == MEP_GETCARETPOS ||
                   message == MEP_GETOBJECTNAME
               ? -1
               : 0;
}

// Control identifier the frame gives the editor, and the scroll bar pane's inside the editor.
inline constexpr int kEditorControlId = 200;
inline constexpr int kEditorScrollBarId = 1;

}  // namespace tavrin
