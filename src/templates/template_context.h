#pragma once
// What template expansion and insertion read from, and do to, the rest of the program. The shell
// implements the editor and clipboard seams with a few window messages and clipboard calls; tests use
// doubles.

#include <optional>
#include <string>
#include <string_view>

#include "calendar/diary_date.h"
#include "platform/clock.h"

namespace tavrin {

// A run of the editor's text: where it starts (a character offset, line breaks counted as one) and
// its characters. Empty text means "nothing".
struct EditorSelection {
    int start = 0;
    std::u16string text;
    friend bool operator==(const EditorSelection&, const EditorSelection&) = default;
};

// The diary editor as the template code uses it. Each operation is one message to the editor pane.
class TemplateEditor {
public:
    virtual ~TemplateEditor() = default;
    // MEP_GETREADONLY: whether the entry is locked.
    [[nodiscard]] virtual bool IsReadOnly() = 0;
    // EM_GETSEL: the smaller end of the selection, where EM_REPLACESEL puts its text.
    [[nodiscard]] virtual int SelectionStart() = 0;
    // MEP_GETSELPTR: the selection; when nothing is selected the editor first selects the word at the
    // caret and answers with that (empty text when there is no word there).
    [[nodiscard]] virtual EditorSelection SelectionOrWordAtCaret() = 0;
    // EM_REPLACESEL with wParam 1: replaces the selection as one undo step; the editor turns CR LF
    // and lone CR into its LF.
    virtual void ReplaceSelection(std::u16string_view text) = 0;
    // EM_SETSEL: wParam anchor, lParam caret.
    virtual void SetSelection(int anchor, int caret) = 0;
};

// The system clipboard's Unicode text (CF_UNICODETEXT), read with the main window as owner.
class TextClipboard {
public:
    virtual ~TextClipboard() = default;
    // The text up to its terminating NUL; nothing when the clipboard holds no text or cannot be opened.
    [[nodiscard]] virtual std::optional<std::u16string> UnicodeText() = 0;
};

// Everything an expansion reads. AppTemplateContext (template_commands.h) serves it from the
// application state.
class TemplateContext {
public:
    virtual ~TemplateContext() = default;
    [[nodiscard]] virtual LocalDateTime Now() = 0;
    // True while the year calendar replaces the editor.
    [[nodiscard]] virtual bool CalendarMode() = 0;
    [[nodiscard]] virtual DiaryDate SelectedDate() = 0;
    [[nodiscard]] virtual std::u16string DiaryFolderName() = 0;
    // The executable's folder without a trailing backslash.
    [[nodiscard]] virtual std::u16string ExeFolder() = 0;
    // The background picture file, or its folder; empty when none is set.
    [[nodiscard]] virtual std::u16string BackImagePath() = 0;
    [[nodiscard]] virtual TemplateEditor& Editor() = 0;
    [[nodiscard]] virtual TextClipboard& Clipboard() = 0;
};

}  // namespace tavrin
