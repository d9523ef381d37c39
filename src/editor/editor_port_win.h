#pragma once
// The diary store's view of the editor (EditorPort), carried out with the MarkupEditPane's messages:
// the frame hands the store one of these for its editor window.

#include <windows.h>

#include "store/store_ports.h"

namespace tavrin {

class EditorPaneAdapter final : public EditorPort {
public:
    explicit EditorPaneAdapter(HWND editor) : editor_(editor) {}

    // The core's text through MEP_GETSTATE; nothing when the window has no editor state.
    [[nodiscard]] std::optional<std::u16string_view> Text() override;
    [[nodiscard]] bool IsModified() override;
    void MarkSaved() override;
    // MEP_SETTEXT with the length, so NUL characters stay part of the entry.
    void SetText(std::u16string_view text) override;
    void SetReadOnly(bool readOnly) override;
    [[nodiscard]] std::size_t TextLength() override;
    void Focus() override;

private:
    HWND editor_;
};

}  // namespace tavrin
