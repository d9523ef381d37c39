#include "editor/display_style.h"

#include <algorithm>

#include "ui/dpi.h"

namespace tavrin {
namespace {

constexpr int kMaxMargin = 10000;
constexpr int kMaxFaceName = 63;

int ClampRange(long long value, int low, int high) noexcept {
    return static_cast<int>(std::clamp<long long>(value, low, high));
}

}  // namespace

int ClampFontSize(long long points) noexcept { return ClampRange(points, 1, 4096); }
int ClampLineSpacing(long long pixels) noexcept { return ClampRange(pixels, -1000, 1000); }
int ClampTabStop(long long characters) noexcept { return ClampRange(characters, 1, 1000); }

int EditorStyle::HeadingPoints() const noexcept {
    const double points = std::clamp(fontSizeHead, 1, 10000) / 100.0 * fontSize;
    return ClampFontSize(static_cast<long long>(points));
}

int EditorStyle::SmallPoints() const noexcept { return std::max(8, static_cast<int>(fontSize * 0.8)); }

EditorStyle ScaledEditorStyle(const EditorStyle& style, int dpi) {
    EditorStyle scaled = style;
    scaled.marginLeft = ScaleForDpi(style.marginLeft, dpi);
    scaled.marginTop = ScaleForDpi(style.marginTop, dpi);
    scaled.marginRight = ScaleForDpi(style.marginRight, dpi);
    scaled.marginBottom = ScaleForDpi(style.marginBottom, dpi);
    scaled.lineSpacing = ScaleForDpi(style.lineSpacing, dpi);
    scaled.headingPadTop = ScaleForDpi(style.headingPadTop, dpi);
    scaled.headingPadBottom = ScaleForDpi(style.headingPadBottom, dpi);
    scaled.caretWidth = style.caretWidth > 0 ? ScaleLineForDpi(style.caretWidth, dpi) : 0;
    return scaled;
}

void ApplyDisplayStyle(const DisplayStyle& record, EditorStyle& style) {
    std::u16string face;
    for (char16_t c : record.faceName) {
        if (c == 0 || face.size() >= kMaxFaceName) {
            break;
        }
        face.push_back(c);
    }
    style.face = face;
    style.fontSize = ClampFontSize(record.fontSize);
    style.fontSizeHead = ClampRange(record.fontSizeHead, 1, 10000);
    for (std::size_t i = 0; i < style.colors.size(); ++i) {
        style.colors[i] = static_cast<std::uint32_t>(record.colors[i]);
        style.colorFlags[i] = record.colorFlags[i];
    }
    for (std::size_t i = 0; i < style.alpha.size(); ++i) {
        style.alpha[i] = ClampRange(record.alpha[i], 0, 256);
    }
    style.textDropShadow = record.textDropShadow != 0;
    style.marginLeft = ClampRange(record.margins[0], 0, kMaxMargin);
    style.marginTop = ClampRange(record.margins[1], 0, kMaxMargin);
    style.marginRight = ClampRange(record.margins[2], 0, kMaxMargin);
    style.marginBottom = ClampRange(record.margins[3], 0, kMaxMargin);
    style.caretWidth = ClampRange(record.caretWidth, 0, 100);
    style.lineSpacing = ClampLineSpacing(record.lineSpacing);
    style.tabStop = record.tabStop < 1 ? 4 : ClampTabStop(record.tabStop);
    style.scrollLines = ClampRange(record.scrollLines, -1, 100);
    style.headingPadTop = ClampRange(record.headingPadding[1], 0, kMaxMargin);
    style.headingPadBottom = ClampRange(record.headingPadding[3], 0, kMaxMargin);
    style.wordWrap = record.wordWrap != 0;
}

}  // namespace tavrin
