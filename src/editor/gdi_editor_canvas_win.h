#pragma once
// The editor's canvas on Windows: the portable pixel operations on the off-screen 32-bit surface for
// fills and blends, GDI text with the measurer's fonts, and the pictures of the entry.

#include <windows.h>

#include "editor/editor_canvas.h"
#include "editor/gdi_measurer_win.h"
#include "editor/picture_store_win.h"
#include "ui/scrollbar/scroll_bar_messages.h"
#include "ui/surface_win.h"

namespace tavrin {

// The background picture the frame lends the editor: a memory device context and its size.
struct BackPictureSource {
    HDC dc = nullptr;
    PictureExtent size;
};

// Draws on the target surface for one frame; holds no handles of its own.
class GdiEditorCanvas final : public EditorCanvas {
public:
    GdiEditorCanvas(Surface& target, const GdiTextMeasurer& fonts, const PictureStore& pictures,
                    const BackPictureSource& back);

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

private:
    Surface& target_;
    const GdiTextMeasurer& fonts_;
    const PictureStore& pictures_;
    BackPictureSource back_;
};

}  // namespace tavrin
