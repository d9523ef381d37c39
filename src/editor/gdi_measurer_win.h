#pragma once
// The editor's TextMeasurer on Windows: the fonts of the editor's font table as GDI fonts, measured
// on a memory device context. The canvas draws with the same fonts, so drawn and measured widths
// agree.

#include <windows.h>

#include <array>

#include "editor/font_table.h"
#include "editor/text_measurer.h"
#include "ui/scrollbar/gdi_handles_win.h"

namespace tavrin {

// Owns one font per slot of the font table; copying is not allowed.
class GdiTextMeasurer final : public TextMeasurer {
public:
    GdiTextMeasurer();
    GdiTextMeasurer(const GdiTextMeasurer&) = delete;
    GdiTextMeasurer& operator=(const GdiTextMeasurer&) = delete;

    [[nodiscard]] bool Valid() const noexcept { return dc_.Get() != nullptr; }
    FontSlotMetrics OpenFont(int slot, const FontRequest& request) override;
    int MeasureText(int slot, std::u16string_view text) override;
    void MeasureCodeUnits(int slot, char16_t first, char16_t last, std::span<int> widths) override;

    // The font of a slot; nullptr for a slot never opened (the device context's font is used then).
    [[nodiscard]] HFONT Font(int slot) const noexcept;
    // Deletes every font (the window's WM_DESTROY).
    void ReleaseFonts() noexcept;

    // Pixels of a point size on this screen: points x dots per inch / 72, 12 when that is not positive.
    [[nodiscard]] int PixelsOfPoints(int points) const noexcept;
    // The screen fonts are made for from now on (the editor window's DPI); fonts already open keep
    // their size until they are opened again.
    void SetDotsPerInch(int dotsPerInch) noexcept { dotsPerInch_ = dotsPerInch > 0 ? dotsPerInch : 96; }

private:
    MemoryDc dc_;
    int dotsPerInch_ = 96;
    std::array<GdiObject<HFONT>, FontTable::kMaxFonts> fonts_;
};

}  // namespace tavrin
