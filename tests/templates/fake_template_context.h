#pragma once
// Test doubles of the template seams: an editor that holds a text and a selection and behaves like the
// editor pane for the few messages templates send, a clipboard, and a context with settable values.

#include <algorithm>
#include <optional>
#include <string>
#include <string_view>

#include "platform/text.h"
#include "templates/template_context.h"

namespace tavrin::testing {

// The editor's text form: CR LF and lone CR become LF.
inline std::u16string EditorForm(std::u16string_view text) { return LineBreaksToLf(text); }

// A small word rule for the double: runs of ASCII word characters, ideographs, hiragana or other
// non-space characters.
inline int FakeWordClass(char16_t c) {
    if ((c >= u'0' && c <= u'9') || (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z') || c == u'_') {
        return 1;
    }
    if (c >= 0x4E00 && c <= 0x9FA0) {
        return 2;
    }
    if (c >= 0x3041 && c <= 0x309E) {
        return 3;
    }
    if (c == u'\n' || c == u' ') {
        return 0;
    }
    return 4;
}

class FakeEditor final : public TemplateEditor {
public:
    std::u16string text;
    int anchor = 0;
    int caret = 0;
    bool readOnly = false;
    bool headingFirstLine = false;  // like the real editor with an entry that opens with a heading
    int calls = 0;

    bool IsReadOnly() override {
        ++calls;
        return readOnly;
    }
    int SelectionStart() override {
        ++calls;
        return std::min(anchor, caret);
    }
    EditorSelection SelectionOrWordAtCaret() override {
        ++calls;
        if (anchor == caret) {
            SelectWordAtCaret();
        }
        const int start = std::min(anchor, caret);
        const int end = std::max(anchor, caret);
        anchor = start;
        caret = end;
        return {start, text.substr(static_cast<std::size_t>(start), static_cast<std::size_t>(end - start))};
    }
    void ReplaceSelection(std::u16string_view inserted) override {
        ++calls;
        const std::u16string normal = EditorForm(inserted);
        auto start = static_cast<std::size_t>(std::min(anchor, caret));
        const auto end = static_cast<std::size_t>(std::max(anchor, caret));
        text.erase(start, end - start);
        // Typed and inserted text never lands in front of the heading mark of the first line.
        if (start == 0 && headingFirstLine && !text.empty() && text[0] == u'*') {
            start = 1;
        }
        text.insert(start, normal);
        anchor = caret = static_cast<int>(start + normal.size());
    }
    void SetSelection(int newAnchor, int newCaret) override {
        ++calls;
        const int length = static_cast<int>(text.size());
        anchor = std::clamp(newAnchor, 0, length);
        caret = std::clamp(newCaret, 0, length);
    }
    [[nodiscard]] std::u16string Selected() const {
        const auto start = static_cast<std::size_t>(std::min(anchor, caret));
        const auto end = static_cast<std::size_t>(std::max(anchor, caret));
        return text.substr(start, end - start);
    }

private:
    void SelectWordAtCaret() {
        const auto at = static_cast<std::size_t>(caret);
        if (at >= text.size() || FakeWordClass(text[at]) == 0) {
            return;
        }
        const int cls = FakeWordClass(text[at]);
        std::size_t start = at;
        std::size_t end = at;
        while (start > 0 && FakeWordClass(text[start - 1]) == cls) {
            --start;
        }
        while (end < text.size() && FakeWordClass(text[end]) == cls) {
            ++end;
        }
        anchor = static_cast<int>(start);
        caret = static_cast<int>(end);
    }
};

class FakeClipboard final : public TextClipboard {
public:
    std::optional<std::u16string> text;
    int reads = 0;
    std::optional<std::u16string> UnicodeText() override {
        ++reads;
        return text;
    }
};

class FakeTemplateContext final : public TemplateContext {
public:
    LocalDateTime now{2024, 5, 1, 9, 5, 7, 3};
    bool calendarMode = false;
    DiaryDate selectedDate{2024, 3, 3};
    std::u16string diaryName = u"RaRorir";
    std::u16string exeFolder = u"C:\\Tools\\Tavrin";
    std::u16string backImagePath;
    FakeEditor editor;
    FakeClipboard clipboard;

    LocalDateTime Now() override { return now; }
    bool CalendarMode() override { return calendarMode; }
    DiaryDate SelectedDate() override { return selectedDate; }
    std::u16string DiaryFolderName() override { return diaryName; }
    std::u16string ExeFolder() override { return exeFolder; }
    std::u16string BackImagePath() override { return backImagePath; }
    TemplateEditor& Editor() override { return editor; }
    TextClipboard& Clipboard() override { return clipboard; }
};

}  // namespace tavrin::testing
