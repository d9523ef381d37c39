// The MarkupEditPane's player window: created on MEP_CREATEMEDIA and handed to the editor's media
// player, its subclass procedure, and the two media timers.
#include "editor/markup_edit_window_win.h"

namespace tavrin {
namespace {

LRESULT OnPlayerEraseBackground(HWND player, WPARAM dc) {
    RECT client{};
    GetClientRect(player, &client);
    FillRect(reinterpret_cast<HDC>(dc), &client, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    return 1;
}

LRESULT OnPlayerButtonDown(EditorWindow& state) {
    state.editor.Media().PictureClicked();
    return 0;
}

// The editor's procedure for its player window. Without the editor's state (the editor is being torn
// down) nothing of the player is known any more, and the default handling takes every message.
LRESULT CALLBACK PlayerProc(HWND player, UINT message, WPARAM wParam, LPARAM lParam) {
    EditorWindow* state = EditorOf(GetParent(player));
    if (state == nullptr || state->player == nullptr || state->player->Window() != player) {
        return DefWindowProcW(player, message, wParam, lParam);
    }
    const WNDPROC previous = state->player->PreviousProcedure();
    switch (message) {
        case WM_ERASEBKGND:
            return OnPlayerEraseBackground(player, wParam);
        case WM_SETCURSOR:
            SetCursor(LoadCursorW(nullptr, IDC_ARROW));
            return TRUE;
        case WM_LBUTTONDOWN:
            return OnPlayerButtonDown(*state);
        case WM_DESTROY:
            SetWindowLongPtrW(player, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(previous));
            return CallWindowProcW(previous, player, message, wParam, lParam);
        default:
            return CallWindowProcW(previous, player, message, wParam, lParam);
    }
}

}  // namespace

LRESULT OnCreateMedia(HWND window) {
    EditorWindow* state = EditorOf(window);
    if (state == nullptr) {
        return 0;
    }
    if (state->player == nullptr) {
        state->player = MciWindowEngine::Create(window, PlayerProc);
    }
    state->editor.Media().Attach(state->player.get());
    return 1;
}

LRESULT OnTimer(HWND window, WPARAM id) {
    if (EditorWindow* state = EditorOf(window)) {
        if (id == kMediaPositionTimer || id == kMediaStartFadeTimer) {
            state->editor.Media().OnTimer(static_cast<int>(id));
        }
    }
    return 0;
}

void ReleaseMedia(EditorWindow& state) {
    state.editor.Media().Detach();
    state.player.reset();
}

void EditorWindow::UpdateNow() { UpdateWindow(window); }

void EditorWindow::StartTimer(int id, int periodMs) {
    SetTimer(window, static_cast<UINT_PTR>(id), static_cast<UINT>(periodMs), nullptr);
}

void EditorWindow::StopTimer(int id) { KillTimer(window, static_cast<UINT_PTR>(id)); }

}  // namespace tavrin
