#include "support/recording_canvas.h"

namespace tavrin::testing {

namespace {

FontMetrics MetricsAt96(FontRole font) {
    switch (font) {
        case FontRole::kSmall:
            return {12, 10, 2};
        case FontRole::kMedium:
            return {18, 15, 3};
        case FontRole::kLarge:
            return {29, 24, 5};
        case FontRole::kMenu:
            return {16, 13, 3};
    }
    return {};
}

}  // namespace

FontMetrics RecordingCanvas::Metrics(FontRole font) const {
    const FontMetrics base = MetricsAt96(font);
    const int ascent = ScaleForDpi(base.ascent, dpi_);
    const int descent = ScaleForDpi(base.descent, dpi_);
    return {ascent + descent, ascent, descent};
}

int RecordingCanvas::TextWidth(FontRole, std::u16string_view text) const {
    int width = 0;
    for (const char16_t c : text) {
        width += c < 0x80 ? charWidth_ : 2 * charWidth_;
    }
    return ScaleForDpi(width, dpi_);
}

void RecordingCanvas::Fill(const PixelRect& rect, ColorRef colour) {
    calls_.push_back({CanvasCall::Kind::kFill, rect, colour});
}

void RecordingCanvas::Blend(const PixelRect& rect, int opacity, ColorRef colour) {
    calls_.push_back({CanvasCall::Kind::kBlend, rect, colour, opacity});
}

void RecordingCanvas::Outline(const PixelRect& rect, ColorRef colour) {
    calls_.push_back({CanvasCall::Kind::kOutline, rect, colour});
}

void RecordingCanvas::Text(const PixelRect& rect, std::u16string_view text, const TextStyle& style) {
    CanvasCall call{CanvasCall::Kind::kText, rect, style.colour};
    call.text = std::u16string(text);
    call.style = style;
    calls_.push_back(std::move(call));
}

void RecordingCanvas::Glyph(int x, int y, int cellX, int opacity, ColorRef colour) {
    const int size = ScaleForDpi(16, dpi_);
    calls_.push_back({CanvasCall::Kind::kGlyph, {x, y, size, size}, colour, opacity, cellX});
}

void RecordingCanvas::PushClip(const PixelRect& rect) {
    calls_.push_back({CanvasCall::Kind::kPushClip, rect});
}

void RecordingCanvas::PopClip() { calls_.push_back({CanvasCall::Kind::kPopClip}); }

std::vector<CanvasCall> RecordingCanvas::TextCalls(std::u16string_view text) const {
    std::vector<CanvasCall> found;
    for (const CanvasCall& call : calls_) {
        if (call.kind == CanvasCall::Kind::kText && call.text == text) {
            found.push_back(call);
        }
    }
    return found;
}

}  // namespace tavrin::testing
