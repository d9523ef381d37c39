#pragma once
// The MarkupEditPane window: the diary editor as a child window. It behaves like an edit control
// towards its parent (WM_SETTEXT, WM_GETTEXT, EM_GETMODIFY, EM_UNDO, WM_COPY, ... and EN_CHANGE,
// EN_SETFOCUS, EN_KILLFOCUS notifications) and adds the MEP_ messages and MEPN_ notifications of
// editor_messages.h. Every message becomes one call on the editor core (EditState); painting goes to
// an off-screen 32-bit surface copied to the window in one step.

#include <windows.h>

#include "editor/editor_window_messages.h"
#include "ui/surface.h"

namespace tavrin {

// Registers MarkupEditPane (double clicks, no background brush, no class cursor) and the
// ScrollBarPane class the editor creates. True when both are registered (or already were).
[[nodiscard]] bool RegisterMarkupEditPaneClass(HINSTANCE instance);

// Creates a visible editor child with the given control identifier (the frame uses
// kEditorControlId), read-only from the start when asked. nullptr when it cannot be created.
[[nodiscard]] HWND CreateMarkupEditPane(HWND parent, int id, bool readOnly, const RECT& bounds);

// The pixels of the editor's off-screen surface as the last frame left them (invalid view when the
// window is not an editor or has no surface). For tests and screenshots.
[[nodiscard]] SurfaceView EditorSurfaceView(HWND editor);

// Writes the AutoPlay option into the editor's state (through MEP_GETSTATE): from the next entry on
// (and when the player window is created) the first sound or movie starts by itself. False when the
// window has no editor state.
bool SetEditorAutoPlay(HWND editor, bool on);

// Renders a frame into the off-screen surface now, without touching the screen. For screenshots and
// tests of windows that are not shown. False when the window is not an editor.
bool RenderEditorSurface(HWND editor);

}  // namespace tavrin
