#include "recording_editor_canvas.h"

#include <algorithm>

namespace tavrin::testing {

void RecordingEditorCanvas::Fill(const EditorRect& rect, std::uint32_t colour) {
    calls.push_back({EditorCall::Kind::Fill, rect, 0, colour});
}

void RecordingEditorCanvas::Blend(const EditorRect& rect, int opacity, std::uint32_t colour) {
    calls.push_back({EditorCall::Kind::Blend, rect, opacity, colour});
}

void RecordingEditorCanvas::Frame(const EditorRect& rect, std::uint32_t colour) {
    calls.push_back({EditorCall::Kind::Frame, rect, 0, colour});
}

void RecordingEditorCanvas::BackPicture(int x, int y) {
    calls.push_back({EditorCall::Kind::BackPicture, {x, y, 0, 0}});
}

void RecordingEditorCanvas::Picture(int index, const EditorRect& rect) {
    EditorCall call{EditorCall::Kind::Picture, rect};
    call.index = index;
    calls.push_back(call);
}

void RecordingEditorCanvas::Glyphs(int slot, int x, int y, std::u16string_view text,
                                   std::span<const int> advances, std::uint32_t colour) {
    EditorCall call{EditorCall::Kind::Glyphs, {x, y, 0, 0}, 0, colour, slot};
    call.text = std::u16string(text);
    call.advances.assign(advances.begin(), advances.end());
    calls.push_back(call);
}

void RecordingEditorCanvas::Label(int slot, const EditorRect& rect, std::u16string_view text,
                                  LabelPlacement placement, std::uint32_t colour) {
    EditorCall call{EditorCall::Kind::Label, rect, 0, colour, slot};
    call.text = std::u16string(text);
    call.placement = placement;
    calls.push_back(call);
}

int RecordingEditorCanvas::LabelWidth(int slot, std::u16string_view text) {
    static_cast<void>(slot);
    return static_cast<int>(text.size()) * 8;
}

int RecordingEditorCanvas::WrappedHeight(int slot, int width, std::u16string_view text) {
    static_cast<void>(slot);
    const int total = LabelWidth(slot, text);
    const int lines = width > 0 ? std::max(1, (total + width - 1) / width) : 1;
    return lines * 12;
}

void RecordingEditorCanvas::Wrapped(int slot, const EditorRect& rect, std::u16string_view text,
                                    std::uint32_t colour) {
    EditorCall call{EditorCall::Kind::Wrapped, rect, 0, colour, slot};
    call.text = std::u16string(text);
    calls.push_back(call);
}

std::vector<EditorCall> RecordingEditorCanvas::Of(EditorCall::Kind kind) const {
    std::vector<EditorCall> out;
    std::copy_if(calls.begin(), calls.end(), std::back_inserter(out),
                 [kind](const EditorCall& call) { return call.kind == kind; });
    return out;
}

std::vector<EditorCall> RecordingEditorCanvas::GlyphsWith(std::u16string_view text) const {
    std::vector<EditorCall> out;
    for (const EditorCall& call : calls) {
        if (call.kind == EditorCall::Kind::Glyphs && call.text.find(text) != std::u16string::npos) {
            out.push_back(call);
        }
    }
    return out;
}

std::u16string RecordingEditorCanvas::TextIn(std::uint32_t colour) const {
    std::u16string out;
    for (const EditorCall& call : calls) {
        if (call.kind == EditorCall::Kind::Glyphs && call.colour == colour) {
            out += call.text;
        }
    }
    return out;
}

}  // namespace tavrin::testing
