#pragma once
// An EditorCanvas that remembers every call, so painting tests can assert what was drawn, where and
// in which colour. Labels measure 8 pixels per code unit; wrapped text is 12 pixels per line.

#include <string>
#include <vector>

#include "editor/editor_canvas.h"

namespace tavrin::testing {

struct EditorCall {
    enum class Kind { Fill, Blend, Frame, BackPicture, Picture, Glyphs, Label, Wrapped };
    Kind kind = Kind::Fill;
    EditorRect rect;
    int opacity = 0;
    std::uint32_t colour = 0;
    int slot = -1;
    int index = -1;
    std::u16string text;
    std::vector<int> advances;
    LabelPlacement placement = LabelPlacement::Centred;
};

class RecordingEditorCanvas final : public EditorCanvas {
public:
    void Fill(const EditorRect& rect, std::uint32_t colour) override;
    void Blend(const EditorRect& rect, int opacity, std::uint32_t colour) override;
    void Frame(const EditorRect& rect, std::uint32_t colour) override;
    void BackPicture(int x, int y) override;
    void Picture(int index, const EditorRect& rect) override;
    void Glyphs(int slot, int x, int y, std::u16string_view text, std::span<const int> advances,
                std::uint32_t colour) override;
    void Label(int slot, const EditorRect& rect, std::u16string_view text, LabelPlacement placement,
               std::uint32_t colour) override;
    [[nodiscard]] int LabelWidth(int slot, std::u16string_view text) override;
    [[nodiscard]] int WrappedHeight(int slot, int width, std::u16string_view text) override;
    void Wrapped(int slot, const EditorRect& rect, std::u16string_view text, std::uint32_t colour) override;

    [[nodiscard]] std::vector<EditorCall> Of(EditorCall::Kind kind) const;
    // Glyph calls whose text contains the given text.
    [[nodiscard]] std::vector<EditorCall> GlyphsWith(std::u16string_view text) const;
    // All glyph text drawn in the colour, concatenated in drawing order.
    [[nodiscard]] std::u16string TextIn(std::uint32_t colour) const;

    std::vector<EditorCall> calls;
};

}  // namespace tavrin::testing
