// Templates in the running program: the editor and the clipboard as the template code reads them,
// insertion by command, and the entries of the template menus.
#include <vector>

#include "app/key_names_win.h"
#include "editor/editor_messages.h"
#include "platform/wide_win.h"
#include "templates/template_expander.h"
#include "ui/frame_window_win.h"

namespace tavrin {
namespace {

// The MarkupEditPane through its messages.
class EditorPaneTemplateEditor : public TemplateEditor {
public:
    explicit EditorPaneTemplateEditor(HWND editor) : editor_(editor) {}

    bool IsReadOnly() override { return SendMessageW(editor_, MEP_GETREADONLY, 0, 0) != 0; }

    int SelectionStart() override {
        DWORD start = 0;
        DWORD end = 0;
        SendMessageW(editor_, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
        return static_cast<int>(std::min(start, end));
    }

    EditorSelection SelectionOrWordAtCaret() override {
        int length = 0;
        int start = 0;
        const auto* text = reinterpret_cast<const char16_t*>(SendMessageW(
            editor_, MEP_GETSELPTR, reinterpret_cast<WPARAM>(&length), reinterpret_cast<LPARAM>(&start)));
        if (!text || length <= 0) {
            return {start, {}};
        }
        return {start, std::u16string(text, static_cast<std::size_t>(length))};
    }

    void ReplaceSelection(std::u16string_view text) override {
        const std::u16string terminated(text);
        SendMessageW(editor_, EM_REPLACESEL, 1, reinterpret_cast<LPARAM>(Wide(terminated)));
    }

    void SetSelection(int anchor, int caret) override {
        SendMessageW(editor_, EM_SETSEL, static_cast<WPARAM>(anchor), static_cast<LPARAM>(caret));
    }

protected:
    [[nodiscard]] HWND editor() const noexcept { return editor_; }

private:
    HWND editor_;
};

// The editor as menu labels read it: "$@" in a template's name shows the selection, but building a
// menu must not change what is selected, so the word at the caret is not taken.
class LabelTemplateEditor final : public EditorPaneTemplateEditor {
public:
    using EditorPaneTemplateEditor::EditorPaneTemplateEditor;

    EditorSelection SelectionOrWordAtCaret() override {
        std::u16string text(256, u'\0');
        const LRESULT length =
            SendMessageW(editor(), MEP_GETSELTEXT, reinterpret_cast<WPARAM>(WideBuffer(text)), 255);
        text.resize(length > 0 ? static_cast<std::size_t>(length) : 0);
        return {SelectionStart(), text};
    }
};

// The editor as the special-symbol list's examples read it: "$@" shows the selection or the word at
// the caret, but the diary behind the settings sheet keeps its caret where the user left it.
class ExampleTemplateEditor final : public EditorPaneTemplateEditor {
public:
    using EditorPaneTemplateEditor::EditorPaneTemplateEditor;

    EditorSelection SelectionOrWordAtCaret() override {
        DWORD start = 0;
        DWORD end = 0;
        SendMessageW(editor(), EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
        std::u16string text(256, u'\0');
        const LRESULT length =
            SendMessageW(editor(), MEP_GETSELWORD, reinterpret_cast<WPARAM>(WideBuffer(text)), 255);
        text.resize(length > 0 ? static_cast<std::size_t>(length) : 0);
        if (start == end) {
            SendMessageW(editor(), EM_SETSEL, start, static_cast<LPARAM>(start));
        }
        return {static_cast<int>(std::min(start, end)), text};
    }
};

// CF_UNICODETEXT, read with the frame as the clipboard's owner.
class SystemTextClipboard final : public TextClipboard {
public:
    explicit SystemTextClipboard(HWND owner) : owner_(owner) {}

    std::optional<std::u16string> UnicodeText() override {
        if (!IsClipboardFormatAvailable(CF_UNICODETEXT) || !OpenClipboard(owner_)) {
            return std::nullopt;
        }
        std::optional<std::u16string> text;
        if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
            const SIZE_T bytes = GlobalSize(data);
            if (const auto* locked = static_cast<const char16_t*>(GlobalLock(data))) {
                // The text ends at its NUL, or at the end of the memory block when a program left none.
                const std::size_t capacity = bytes / sizeof(char16_t);
                std::size_t length = 0;
                while (length < capacity && locked[length] != u'\0') {
                    ++length;
                }
                text.emplace(locked, length);
                GlobalUnlock(data);
            }
        }
        CloseClipboard();
        return text;
    }

private:
    HWND owner_;
};

}  // namespace

void InsertTemplateCommand(FrameWindow& frame, int index) {
    EditorPaneTemplateEditor editor(frame.app.shell.editor);
    SystemTextClipboard clipboard(frame.window);
    AppTemplateContext context(frame.app.state, *frame.app.clock, editor, clipboard);
    InsertTemplate(frame.app.state.templates, index, context, frame.errors);
}

std::vector<TemplateMenuEntry> TemplateMenuEntries(FrameWindow& frame) {
    LabelTemplateEditor editor(frame.app.shell.editor);
    SystemTextClipboard clipboard(frame.window);
    AppTemplateContext context(frame.app.state, *frame.app.clock, editor, clipboard);
    const SystemKeyNames names;
    return BuildTemplateMenu(frame.app.state.templates, context, names);
}

std::optional<std::u16string> ExpandTemplateCode(FrameWindow& frame, std::u16string_view code) {
    ExampleTemplateEditor editor(frame.app.shell.editor);
    SystemTextClipboard clipboard(frame.window);
    AppTemplateContext context(frame.app.state, *frame.app.clock, editor, clipboard);
    std::optional<TemplateExpansion> expansion = ExpandTemplate(code, context);
    if (!expansion) {
        return std::nullopt;
    }
    return std::move(expansion->text);
}

}  // namespace tavrin
