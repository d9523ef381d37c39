#include "ui/gdi_canvas_win.h"

#include <algorithm>

#include "platform/wide_win.h"

namespace tavrin {
namespace {

// The width of a cell in the 16-pixel strip, the unit of the cell offsets painters give.
constexpr int kGlyphCellX = 16;

PixelRect Intersect(const PixelRect& a, const PixelRect& b) noexcept {
    const int left = std::max(a.x, b.x);
    const int top = std::max(a.y, b.y);
    const int right = std::min(a.Right(), b.Right());
    const int bottom = std::min(a.Bottom(), b.Bottom());
    return {left, top, std::max(right - left, 0), std::max(bottom - top, 0)};
}

// Selects a font into a device context for the life of the object.
class SelectedFont {
public:
    SelectedFont(HDC dc, HFONT font) : dc_(dc), previous_(font ? SelectObject(dc, font) : nullptr) {}
    SelectedFont(const SelectedFont&) = delete;
    SelectedFont& operator=(const SelectedFont&) = delete;
    ~SelectedFont() {
        if (previous_) {
            SelectObject(dc_, previous_);
        }
    }

private:
    HDC dc_;
    HGDIOBJ previous_;
};

}  // namespace

GdiCanvas::GdiCanvas(Surface& target, const CanvasFonts& fonts, const GlyphStripView& glyphStrip, int dpi)
    : target_(target), fonts_(fonts), glyphStrip_(glyphStrip), dpi_(dpi) {
    clips_.push_back({0, 0, target.Width(), target.Height()});
}

HFONT GdiCanvas::FontOf(FontRole font) const noexcept {
    switch (font) {
        case FontRole::kSmall:
            return fonts_.small;
        case FontRole::kMedium:
            return fonts_.medium;
        case FontRole::kLarge:
            return fonts_.large;
        case FontRole::kMenu:
            return fonts_.menu;
    }
    return nullptr;
}

PixelRect GdiCanvas::Clipped(const PixelRect& rect) const noexcept { return Intersect(rect, clips_.back()); }

FontMetrics GdiCanvas::Metrics(FontRole font) const {
    SelectedFont selected(target_.Dc(), FontOf(font));
    TEXTMETRICW metrics{};
    GetTextMetricsW(target_.Dc(), &metrics);
    return {metrics.tmHeight, metrics.tmAscent, metrics.tmDescent};
}

int GdiCanvas::TextWidth(FontRole font, std::u16string_view text) const {
    SelectedFont selected(target_.Dc(), FontOf(font));
    SIZE size{};
    GetTextExtentPoint32W(target_.Dc(), reinterpret_cast<const wchar_t*>(text.data()),
                          static_cast<int>(text.size()), &size);
    return size.cx;
}

void GdiCanvas::Fill(const PixelRect& rect, ColorRef colour) {
    const PixelRect part = Clipped(rect);
    FillSurface(SubView(target_.View(), part.x, part.y, part.width, part.height), colour);
}

void GdiCanvas::Blend(const PixelRect& rect, int opacity, ColorRef colour) {
    const PixelRect part = Clipped(rect);
    const SurfaceView view = SubView(target_.View(), part.x, part.y, part.width, part.height);
    BlendRect(view, 0, 0, view.width, view.height, opacity, colour);
}

void GdiCanvas::Outline(const PixelRect& rect, ColorRef colour) {
    if (rect.Empty()) {
        return;
    }
    Fill({rect.x, rect.y, rect.width, 1}, colour);
    Fill({rect.x, rect.Bottom() - 1, rect.width, 1}, colour);
    Fill({rect.x, rect.y, 1, rect.height}, colour);
    Fill({rect.Right() - 1, rect.y, 1, rect.height}, colour);
}

void GdiCanvas::Text(const PixelRect& rect, std::u16string_view text, const TextStyle& style) {
    const PixelRect part = Clipped(rect);
    if (part.Empty() || text.empty()) {
        return;
    }
    HDC dc = target_.Dc();
    const int saved = SaveDC(dc);
    IntersectClipRect(dc, part.x, part.y, part.Right(), part.Bottom());
    SelectedFont selected(dc, FontOf(style.font));
    SetTextColor(dc, static_cast<COLORREF>(style.colour));
    SetBkMode(dc, TRANSPARENT);
    // Menu labels show their access key underlined ("&&" is a literal "&"); other texts are literal.
    UINT format = DT_SINGLELINE | (style.mnemonic ? 0 : DT_NOPREFIX);
    format |= style.align == TextAlign::kCentre ? DT_CENTER
                                                : (style.align == TextAlign::kRight ? DT_RIGHT : DT_LEFT);
    format |= style.verticalCentre ? DT_VCENTER : DT_TOP;
    if (style.ellipsis) {
        format |= DT_END_ELLIPSIS;
    }
    RECT box{rect.x, rect.y, rect.Right(), rect.Bottom()};
    DrawTextW(dc, reinterpret_cast<const wchar_t*>(text.data()), static_cast<int>(text.size()), &box, format);
    RestoreDC(dc, saved);
}

void GdiCanvas::Glyph(int x, int y, int cellX, int opacity, ColorRef colour) {
    const PixelRect clip = clips_.back();
    const SurfaceView view = SubView(target_.View(), clip.x, clip.y, clip.width, clip.height);
    // The sub-view starts at the clip's first visible pixel; shift the glyph by the same amount.
    const int originX = std::max(clip.x, 0);
    const int originY = std::max(clip.y, 0);
    const int cell = glyphStrip_.cell;
    DrawGlyph(view, x - originX, y - originY, glyphStrip_.pixels, cellX / kGlyphCellX * cell, opacity, colour,
              cell);
}

void GdiCanvas::PushClip(const PixelRect& rect) { clips_.push_back(Clipped(rect)); }

void GdiCanvas::PopClip() {
    if (clips_.size() > 1) {
        clips_.pop_back();
    }
}

void GdiCanvas::SetBackgroundPicture(const Surface* picture, int x, int y) noexcept {
    picture_ = picture;
    pictureX_ = x;
    pictureY_ = y;
}

void GdiCanvas::Background(const PixelRect& rect, ColorRef back) {
    Fill(rect, back);
    if (picture_ == nullptr || !picture_->Valid()) {
        return;
    }
    const PixelRect area =
        Intersect(Clipped(rect), {pictureX_, pictureY_, picture_->Width(), picture_->Height()});
    if (area.Empty()) {
        return;
    }
    BitBlt(target_.Dc(), area.x, area.y, area.width, area.height, picture_->Dc(), area.x - pictureX_,
           area.y - pictureY_, SRCCOPY);
    GdiFlush();  // painters go on with the pixels directly
}

}  // namespace tavrin
