#pragma once
// A Canvas that remembers every call, for tests that assert what painting code drew. Text is measured
// with fixed widths: an ASCII character is charWidth pixels, anything else twice that. On a canvas for
// another screen (dpi) the fonts and widths are those of the 96-DPI canvas scaled, as real fonts are.

#include <string>
#include <vector>

#include "ui/canvas.h"

namespace tavrin::testing {

struct CanvasCall {
    enum class Kind { kFill, kBlend, kOutline, kText, kGlyph, kPushClip, kPopClip };
    Kind kind = Kind::kFill;
    PixelRect rect;
    ColorRef colour = 0;
    int opacity = 0;
    int cellX = 0;
    std::u16string text;
    TextStyle style;
};

class RecordingCanvas final : public Canvas {
public:
    explicit RecordingCanvas(int charWidth = 8, int dpi = kBaseDpi) : charWidth_(charWidth), dpi_(dpi) {}

    [[nodiscard]] FontMetrics Metrics(FontRole font) const override;
    [[nodiscard]] int TextWidth(FontRole font, std::u16string_view text) const override;
    void Fill(const PixelRect& rect, ColorRef colour) override;
    void Blend(const PixelRect& rect, int opacity, ColorRef colour) override;
    void Outline(const PixelRect& rect, ColorRef colour) override;
    void Text(const PixelRect& rect, std::u16string_view text, const TextStyle& style) override;
    void Glyph(int x, int y, int cellX, int opacity, ColorRef colour) override;
    void PushClip(const PixelRect& rect) override;
    void PopClip() override;
    [[nodiscard]] int Dpi() const override { return dpi_; }

    [[nodiscard]] const std::vector<CanvasCall>& Calls() const noexcept { return calls_; }
    // The text calls whose text equals text, in order.
    [[nodiscard]] std::vector<CanvasCall> TextCalls(std::u16string_view text) const;
    void Clear() { calls_.clear(); }

private:
    int charWidth_;
    int dpi_;
    std::vector<CanvasCall> calls_;
};

}  // namespace tavrin::testing
