// Feeds any UTF-16 text and a script of operations into the editor core and checks after every
// operation that the row table is whole and equals a fresh full layout.
//
// Input: two bytes of text length n (little-endian, in code units), 2n bytes of text, then operations:
// one opcode byte followed by its argument bytes (missing bytes read as 0).
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "editor_fakes.h"

namespace {

using namespace tavrin;

class Reader {
public:
    Reader(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}
    [[nodiscard]] bool Done() const { return pos_ >= size_; }
    std::uint8_t Byte() { return pos_ < size_ ? data_[pos_++] : 0; }
    int Word() { return Byte() | (Byte() << 8); }
    int Signed() { return static_cast<std::int16_t>(Word()); }
    std::u16string Text(int count) {
        std::u16string text;
        for (int i = 0; i < count && !Done(); ++i) {
            text.push_back(static_cast<char16_t>(Word()));
        }
        return text;
    }

private:
    const std::uint8_t* data_;
    std::size_t size_;
    std::size_t pos_ = 0;
};

void Move(EditState& e, int kind, bool ctrl, bool shift) {
    switch (kind % 7) {
        case 0:
            e.MoveLeft(ctrl, shift);
            break;
        case 1:
            e.MoveRight(ctrl, shift);
            break;
        case 2:
            e.MoveUp(shift);
            break;
        case 3:
            e.MoveDown(shift);
            break;
        case 4:
            e.MoveHome(ctrl, shift);
            break;
        case 5:
            e.MoveEnd(ctrl, shift);
            break;
        default:
            e.MovePage(ctrl, shift);
            break;
    }
}

void Mouse(EditState& e, int kind, int x, int y, bool ctrl, bool shift) {
    switch (kind % 5) {
        case 0:
            e.LButtonDown(x, y, shift, ctrl);
            break;
        case 1:
            e.MouseMove(x, y);
            break;
        case 2:
            e.LButtonUp(x, y);
            break;
        case 3:
            e.LButtonDblClk(x, y);
            break;
        default: {
            char16_t name[256];
            const EditorPoint point{x, y};
            e.GetObjectName(&point, name);
            static_cast<void>(e.HitTestLink(x, y));
            break;
        }
    }
}

void Queries(EditState& e, Reader& in) {
    char16_t buffer[64];
    e.GetSelText(buffer, in.Byte() % 64 - 1);
    e.GetText(buffer, in.Byte() % 65);
    e.GetSelWord(nullptr, 0);
    int length = 0;
    int start = 0;
    const char16_t* selection = e.GetSelPtr(length, start);
    if (length > 0 && selection[length - 1] == 0xFFFF) {
        e.SetSel(start, start);
    }
    e.GetLinkKind();
    e.Reconvert();
    static_cast<void>(e.ImePlacement());
    EditorPoint caret;
    e.GetCaretPos(&caret);
    static_cast<void>(e.LineIndex(in.Signed()));
}

void Style(EditState& e, Reader& in) {
    DisplayStyle style;
    style.faceName[0] = u'F';
    style.fontSize = in.Signed();
    style.fontSizeHead = in.Signed();
    style.lineSpacing = in.Signed();
    style.tabStop = in.Signed();
    style.margins = {in.Signed(), in.Signed(), in.Signed(), in.Signed()};
    style.headingPadding = {0, in.Signed(), 0, in.Signed()};
    style.wordWrap = in.Byte() & 1;
    style.scrollLines = in.Signed();
    e.SetStyle(&style);
}

void RunOne(EditState& e, testing::FakeClipboard& clipboard, Reader& in, bool& readOnly) {
    const int op = in.Byte() % 24;
    const std::uint8_t flags = in.Byte();
    const bool ctrl = (flags & 1) != 0;
    const bool shift = (flags & 2) != 0;
    switch (op) {
        case 0: {
            const int anchor = in.Signed();
            e.SetSel(anchor, in.Signed());
            break;
        }
        case 1:
            e.Char(static_cast<char16_t>(in.Word()), shift, ctrl);
            break;
        case 2:
            e.ReplaceSel(in.Text(in.Byte()));
            break;
        case 3:
            e.Backspace(ctrl);
            break;
        case 4:
            e.ForwardDelete(ctrl);
            break;
        case 5:
            e.Undo();
            break;
        case 6:
            e.Redo();
            break;
        case 7:
            e.ToggleHeading(in.Byte() % 5 - 1);
            break;
        case 8:
            e.IndentBlock(shift);
            break;
        case 9:
            Move(e, in.Byte(), ctrl, shift);
            break;
        case 10:
            e.InsertRef(in.Text(in.Byte()));
            break;
        case 11:
            clipboard.content = {in.Text(in.Byte()), shift, {}};
            e.Paste(clipboard);
            break;
        case 12:
            e.Cut(clipboard);
            break;
        case 13: {
            const int kind = in.Byte();
            const int x = in.Signed();
            Mouse(e, kind, x, in.Signed(), ctrl, shift);
            break;
        }
        case 14: {
            const int width = in.Signed();
            e.Resize(width, in.Signed());
            break;
        }
        case 15:
            Style(e, in);
            break;
        case 16:
            e.SetTitleLine(ctrl, true);
            break;
        case 17:
            Queries(e, in);
            break;
        case 18:
            e.SetText(in.Text(in.Word() % 2048));
            break;
        case 19:
            e.Scroll(static_cast<ScrollCode>(in.Byte() % 9), in.Signed());
            break;
        case 20:
            readOnly = !readOnly;
            e.SetReadOnly(readOnly);
            break;
        case 21:
            e.SetWordWrap(ctrl);
            e.Resize(e.ClientWidth(), e.ClientHeight());  // the stored flag takes effect
            break;
        case 22: {
            // A long run of one character: long lines and many rows.
            const std::u16string run(in.Word() % 5000, static_cast<char16_t>(in.Word()));
            e.ReplaceSel(run);
            break;
        }
        default:
            e.InsertImeResult(in.Text(in.Byte() % 8));
            break;
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static testing::FakeMeasurer measurer;
    static testing::FakePictures pictures;
    static testing::FakePictures referencePictures;
    if (pictures.sizes.empty()) {
        for (testing::FakePictures* host : {&pictures, &referencePictures}) {
            host->sizes[u"a.png"] = {640, 480};
            host->sizes[u"b.jpg"] = {1, 9000};
        }
    }
    testing::RecordingObserver observer;
    testing::FakeClipboard clipboard;
    EditState editor(measurer, &pictures, &observer);
    testing::InvariantChecker checker(measurer, &referencePictures);
    editor.Resize(480, 320);
    Reader in(data, size);
    editor.SetText(in.Text(in.Word()));
    bool readOnly = false;
    for (int step = 0; step < 100 && !in.Done(); ++step) {
        RunOne(editor, clipboard, in, readOnly);
        // The full comparison costs a layout of the whole text: on long texts take every eighth step
        // and the last one.
        if (editor.Length() > 1000 && step % 8 != 7 && !in.Done()) {
            continue;
        }
        const std::string broken = checker.Check(editor);
        if (!broken.empty()) {
            std::fprintf(stderr, "step %d: %s\n", step, broken.c_str());
            std::abort();
        }
    }
    return 0;
}
