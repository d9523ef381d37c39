#pragma once
// Inside the MarkupEditPane: the state record attached to each editor window and the message
// handlers, split between the pane's own messages (markup_edit_pane_win.cpp) and input
// (markup_edit_input_win.cpp). Not for use outside the editor window.

#include <windows.h>

#include <imm.h>

#include "editor/edit_state.h"
#include "editor/editor_paint.h"
#include "editor/gdi_editor_canvas_win.h"
#include "editor/gdi_measurer_win.h"
#include "editor/media_window_win.h"
#include "editor/picture_store_win.h"
#include "ui/surface_win.h"

namespace tavrin {

// ImmGetContext / ImmReleaseContext; the context may be null (no IME, or detached while read-only).
class ImeContext {
public:
    explicit ImeContext(HWND window) : window_(window), context_(ImmGetContext(window)) {}
    ImeContext(const ImeContext&) = delete;
    ImeContext& operator=(const ImeContext&) = delete;
    ~ImeContext() {
        if (context_ != nullptr) {
            ImmReleaseContext(window_, context_);
        }
    }
    [[nodiscard]] HIMC Get() const noexcept { return context_; }

private:
    HWND window_;
    HIMC context_;
};

// The window's input context while it is detached (read-only): attached back when the editor becomes
// writable again or the window goes away.
class DetachedImeContext {
public:
    DetachedImeContext() = default;
    DetachedImeContext(const DetachedImeContext&) = delete;
    DetachedImeContext& operator=(const DetachedImeContext&) = delete;
    ~DetachedImeContext() { Reattach(); }

    void Detach(HWND window) {
        if (!detached_) {
            window_ = window;
            saved_ = ImmAssociateContext(window, nullptr);
            detached_ = true;
        }
    }
    void Reattach() {
        if (detached_) {
            ImmAssociateContext(window_, saved_);
            detached_ = false;
            saved_ = nullptr;
        }
    }

private:
    HWND window_ = nullptr;
    HIMC saved_ = nullptr;
    bool detached_ = false;
};

// Everything one editor window holds. Attached at WM_NCCREATE, freed at WM_NCDESTROY; the editor core
// reports back through the EditorObserver side (notifications are posted to the parent, never sent).
class EditorWindow final : public EditorObserver {
public:
    EditorWindow(HWND window, int id, bool readOnly);
    EditorWindow(const EditorWindow&) = delete;
    EditorWindow& operator=(const EditorWindow&) = delete;

    void Notify(EditorNotification code) override;
    void Invalidate() override;
    void ScrollChanged(const ScrollBarState& state) override;
    void UpdateNow() override;
    void StartTimer(int id, int periodMs) override;
    void StopTimer(int id) override;

    // Renders a frame into the surface; the media player learns where the seek bar was drawn.
    PaintResult Render();
    // Creates, moves or resizes the system caret to the placement when the editor has the focus.
    void PlaceCaret(const CaretPlacement& place);
    // Puts the IME composition window at the caret (point and area style).
    void PlaceComposition();
    // EM_SETREADONLY and ES_READONLY at creation: the flag, the style bit and the input context.
    void ApplyReadOnly(bool readOnly);
    // Follows the window's screen DPI: fonts, layout and the scroll bar's width.
    void ApplyDpi();
    // The scroll bar's width on the window's screen.
    [[nodiscard]] int ScrollBarWidth() const noexcept { return editor.ScrollBarWidth(); }

    HWND window;
    int id;
    GdiTextMeasurer measurer;
    PictureStore pictures;
    EditState editor;
    Surface surface;
    HWND scrollBar = nullptr;
    int caretHeight = 0;  // of the caret as created; 0 while there is none
    int caretWidth = 0;
    CursorKind cursor = CursorKind::IBeam;
    bool imeOpen = false;
    DetachedImeContext detachedIme;
    BackPictureSource back;
    int backX = 0;
    int backY = 0;
    int placedScroll = 0;                     // the scroll offset the composition window was last placed for
    ScrollBarState shownRange;                // what the scroll bar was last given
    std::unique_ptr<MciWindowEngine> player;  // from MEP_CREATEMEDIA on
};

[[nodiscard]] EditorWindow* EditorOf(HWND window) noexcept;

// Message groups handled in markup_edit_input_win.cpp.
LRESULT KeyMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT MouseMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT ImeMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT ClipboardMessage(HWND window, UINT message);
LRESULT OnVScroll(HWND window, WPARAM wParam);
LRESULT OnContextMenu(HWND window, LPARAM lParam);
// The player window (markup_edit_media_win.cpp): MEP_CREATEMEDIA, the media timers, and letting it go
// at WM_DESTROY.
LRESULT OnCreateMedia(HWND window);
LRESULT OnTimer(HWND window, WPARAM id);
void ReleaseMedia(EditorWindow& state);

}  // namespace tavrin
