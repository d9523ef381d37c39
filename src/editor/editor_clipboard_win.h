#pragma once
// The editor's clipboard on Windows: Unicode text, the two registered whole-row formats and
// dropped-file lists.

#include <windows.h>
#include <shellapi.h>

#include <cstddef>
#include <string>
#include <vector>

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

// The paths of a dropped or copied file list, in its order; paths the list cannot give whole are left
// out.
[[nodiscard]] std::vector<std::u16string> DroppedFilePaths(HDROP drop);

// The clipboard's packed bitmap (CF_DIB), copied out while the clipboard is open; empty when there is
// none or the clipboard stays held by another program.
[[nodiscard]] std::vector<std::byte> ReadClipboardBitmap(HWND owner);

}  // namespace tavrin
