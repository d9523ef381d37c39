#include "editor/gdi_measurer_win.h"

#include <algorithm>

namespace tavrin {

GdiTextMeasurer::GdiTextMeasurer() {
    WindowDc screen(nullptr);
    if (screen.Get() != nullptr) {
        dotsPerInch_ = GetDeviceCaps(screen.Get(), LOGPIXELSY);
    }
}

int GdiTextMeasurer::PixelsOfPoints(int points) const noexcept {
    const long long pixels = static_cast<long long>(points) * dotsPerInch_ / 72;
    return pixels > 0 && pixels < 4096 ? static_cast<int>(pixels) : 12;
}

HFONT GdiTextMeasurer::Font(int slot) const noexcept {
    return slot >= 0 && slot < FontTable::kMaxFonts ? fonts_[static_cast<std::size_t>(slot)].Get() : nullptr;
}

void GdiTextMeasurer::ReleaseFonts() noexcept {
    for (GdiObject<HFONT>& font : fonts_) {
        font.Reset();
    }
}

FontSlotMetrics GdiTextMeasurer::OpenFont(int slot, const FontRequest& request) {
    if (slot < 0 || slot >= FontTable::kMaxFonts) {
        return {};
    }
    LOGFONTW description{};
    description.lfHeight = -PixelsOfPoints(request.points);
    description.lfWeight = (request.style & kFontBold) != 0 ? FW_BOLD : FW_DONTCARE;
    description.lfItalic = (request.style & kFontItalic) != 0 ? TRUE : FALSE;
    description.lfUnderline = (request.style & kFontUnderline) != 0 ? TRUE : FALSE;
    description.lfStrikeOut = (request.style & kFontStrikeOut) != 0 ? TRUE : FALSE;
    description.lfCharSet = DEFAULT_CHARSET;
    const std::size_t faceLength = std::min<std::size_t>(request.face.size(), LF_FACESIZE - 1);
    std::copy_n(request.face.data(), faceLength, description.lfFaceName);
    // The slot's old font is not selected anywhere: measuring selects fonts only for one call.
    fonts_[static_cast<std::size_t>(slot)].Reset(CreateFontIndirectW(&description));

    SelectedObject selected(dc_.Get(), Font(slot));
    TEXTMETRICW metrics{};
    if (dc_.Get() == nullptr || !GetTextMetricsW(dc_.Get(), &metrics)) {
        const int height = PixelsOfPoints(request.points);
        return {height, height * 4 / 5};
    }
    return {metrics.tmHeight, metrics.tmAscent};
}

int GdiTextMeasurer::MeasureText(int slot, std::u16string_view text) {
    if (dc_.Get() == nullptr || text.empty()) {
        return 0;
    }
    SelectedObject selected(dc_.Get(), Font(slot));
    SIZE size{};
    GetTextExtentPoint32W(dc_.Get(), reinterpret_cast<const wchar_t*>(text.data()),
                          static_cast<int>(text.size()), &size);
    return size.cx;
}

void GdiTextMeasurer::MeasureCodeUnits(int slot, char16_t first, char16_t last, std::span<int> widths) {
    const std::size_t count = static_cast<std::size_t>(last) - first + 1;
    if (dc_.Get() == nullptr || last < first || widths.size() < count) {
        TextMeasurer::MeasureCodeUnits(slot, first, last, widths);
        return;
    }
    SelectedObject selected(dc_.Get(), Font(slot));
    if (!GetCharWidth32W(dc_.Get(), first, last, widths.data())) {
        TextMeasurer::MeasureCodeUnits(slot, first, last, widths);
    }
}

}  // namespace tavrin
