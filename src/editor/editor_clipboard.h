#pragma once
// The seam to the system clipboard for copy, cut and paste. The window implements it with the
// clipboard API (Unicode text, the two registered whole-row formats, dropped-file lists).

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tavrin {

// What a paste finds on the clipboard.
struct ClipboardContent {
    std::optional<std::u16string> text;  // Unicode text, as stored there
    bool lineFormat = false;             // one of the whole-row formats is present
    std::vector<std::u16string> files;   // full paths of a dropped-file list
};

class EditorClipboard {
public:
    virtual ~EditorClipboard() = default;
    // Puts text (line breaks already CR LF) on the clipboard as Unicode text; with wholeRow also under
    // the two whole-row formats. False when the clipboard could not be written.
    virtual bool PutText(std::u16string_view text, bool wholeRow) = 0;
    // Reads what a paste may use.
    virtual ClipboardContent Read() = 0;
};

}  // namespace tavrin
