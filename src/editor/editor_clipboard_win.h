#pragma once
// The editor's clipboard on Windows: Unicode text, the two registered whole-row formats and
// dropped-file lists.

#include <windows.h>

#include "editor/editor_clipboard.h"

namespace tavrin {

class WinEditorClipboard final : public EditorClipboard {
public:
    explicit WinEditorClipboard(HWND owner) : owner_(owner) {}

    // Empties the clipboard and puts the text (with a terminator) under CF_UNICODETEXT, and with
    // wholeRow under both line formats as well, each in its own memory block.
    bool PutText(std::u16string_view text, bool wholeRow) override;
    // Unicode text up to its first NUL or the end of its memory block, whichever comes first (the
    // data of other programs need not be terminated); whether a line format is there, by registered
    // name; and the paths of a dropped-file list. Nothing when the clipboard cannot be opened.
    ClipboardContent Read() override;

private:
    HWND owner_;
};

}  // namespace tavrin
