#include "editor/gdi_editor_canvas_win.h"

#include <climits>

namespace tavrin {
namespace {

const wchar_t* WideText(std::u16string_view text) noexcept {
    return reinterpret_cast<const wchar_t*>(text.data());
}

int Length(std::u16string_view text) noexcept {
    return static_cast<int>(std::min<std::size_t>(text.size(), INT_MAX));
}

RECT RectOf(const EditorRect& rect) noexcept {
    return {rect.x, rect.y, rect.x + rect.width, rect.y + rect.height};
}

constexpr UINT kWrappedFormat = DT_CENTER | DT_WORDBREAK | DT_EDITCONTROL | DT_NOPREFIX;

}  // namespace

GdiEditorCanvas::GdiEditorCanvas(Surface& target, const GdiTextMeasurer& fonts, const PictureStore& pictures,
                                 const BackPictureSource& back)
    : target_(target), fonts_(fonts), pictures_(pictures), back_(back) {
    SetTextAlign(target_.Dc(), TA_LEFT | TA_TOP | TA_NOUPDATECP);
    SetBkMode(target_.Dc(), TRANSPARENT);
}

void GdiEditorCanvas::Fill(const EditorRect& rect, std::uint32_t colour) {
    FillSurface(SubView(target_.View(), rect.x, rect.y, rect.width, rect.height),
                static_cast<ColorRef>(colour));
}

void GdiEditorCanvas::Blend(const EditorRect& rect, int opacity, std::uint32_t colour) {
    BlendRect(target_.View(), rect.x, rect.y, rect.width, rect.height, opacity,
              static_cast<ColorRef>(colour));
}

void GdiEditorCanvas::Frame(const EditorRect& rect, std::uint32_t colour) {
    if (rect.Empty()) {
        return;
    }
    Fill({rect.x, rect.y, rect.width, 1}, colour);
    Fill({rect.x, rect.y + rect.height - 1, rect.width, 1}, colour);
    Fill({rect.x, rect.y, 1, rect.height}, colour);
    Fill({rect.x + rect.width - 1, rect.y, 1, rect.height}, colour);
}

void GdiEditorCanvas::BackPicture(int x, int y) {
    if (back_.dc != nullptr && back_.size.width > 0 && back_.size.height > 0) {
        BitBlt(target_.Dc(), x, y, back_.size.width, back_.size.height, back_.dc, 0, 0, SRCCOPY);
    }
}

void GdiEditorCanvas::Picture(int index, const EditorRect& rect) {
    pictures_.Draw(target_.Dc(), index, rect);
}

void GdiEditorCanvas::Glyphs(int slot, int x, int y, std::u16string_view text, std::span<const int> advances,
                             std::uint32_t colour) {
    if (text.empty()) {
        return;
    }
    SelectedObject font(target_.Dc(), fonts_.Font(slot));
    SetTextColor(target_.Dc(), static_cast<COLORREF>(colour));
    const bool stepped = advances.size() >= text.size();
    ExtTextOutW(target_.Dc(), x, y, 0, nullptr, WideText(text), Length(text),
                stepped ? advances.data() : nullptr);
}

void GdiEditorCanvas::Label(int slot, const EditorRect& rect, std::u16string_view text,
                            LabelPlacement placement, std::uint32_t colour) {
    if (text.empty() || rect.Empty()) {
        return;
    }
    SelectedObject font(target_.Dc(), fonts_.Font(slot));
    SetTextColor(target_.Dc(), static_cast<COLORREF>(colour));
    UINT format = DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX;
    switch (placement) {
        case LabelPlacement::Centred:
            format |= DT_CENTER;
            break;
        case LabelPlacement::Right:
            format |= DT_RIGHT;
            break;
        case LabelPlacement::PathEllipsis:
            format |= DT_LEFT | DT_PATH_ELLIPSIS;
            break;
    }
    RECT box = RectOf(rect);
    DrawTextW(target_.Dc(), WideText(text), Length(text), &box, format);
}

int GdiEditorCanvas::LabelWidth(int slot, std::u16string_view text) {
    SelectedObject font(target_.Dc(), fonts_.Font(slot));
    SIZE size{};
    GetTextExtentPoint32W(target_.Dc(), WideText(text), Length(text), &size);
    return size.cx;
}

int GdiEditorCanvas::WrappedHeight(int slot, int width, std::u16string_view text) {
    if (text.empty() || width <= 0) {
        return 0;
    }
    SelectedObject font(target_.Dc(), fonts_.Font(slot));
    RECT box{0, 0, width, 0};
    DrawTextW(target_.Dc(), WideText(text), Length(text), &box, kWrappedFormat | DT_CALCRECT);
    return box.bottom - box.top;
}

void GdiEditorCanvas::Wrapped(int slot, const EditorRect& rect, std::u16string_view text,
                              std::uint32_t colour) {
    if (text.empty() || rect.Empty()) {
        return;
    }
    SelectedObject font(target_.Dc(), fonts_.Font(slot));
    SetTextColor(target_.Dc(), static_cast<COLORREF>(colour));
    RECT box = RectOf(rect);
    DrawTextW(target_.Dc(), WideText(text), Length(text), &box, kWrappedFormat);
}

}  // namespace tavrin
