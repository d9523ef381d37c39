#include "editor/editor_port_win.h"

#include "editor/edit_state.h"
#include "editor/editor_window_messages.h"

namespace tavrin {

std::optional<std::u16string_view> EditorPaneAdapter::Text() {
    EditState* state = nullptr;
    if (SendMessageW(editor_, MEP_GETSTATE, 0, reinterpret_cast<LPARAM>(&state)) == 0 || state == nullptr) {
        return std::nullopt;
    }
    return state->Text();
}

bool EditorPaneAdapter::IsModified() {
    return SendMessageW(editor_, EM_GETMODIFY, 0, 0) != 0;
}

void EditorPaneAdapter::MarkSaved() { SendMessageW(editor_, EM_SETMODIFY, 0, 0); }

void EditorPaneAdapter::SetText(std::u16string_view text) {
    SendMessageW(editor_, MEP_SETTEXT, reinterpret_cast<WPARAM>(text.data()),
                 static_cast<LPARAM>(text.size()));
}

void EditorPaneAdapter::SetReadOnly(bool readOnly) {
    SendMessageW(editor_, EM_SETREADONLY, readOnly ? 1 : 0, 0);
}

std::size_t EditorPaneAdapter::TextLength() {
    const LRESULT length = SendMessageW(editor_, WM_GETTEXTLENGTH, 0, 0);
    return length > 0 ? static_cast<std::size_t>(length) : 0;
}

void EditorPaneAdapter::Focus() {
    SetFocus(editor_);
}

}  // namespace tavrin
