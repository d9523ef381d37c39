// What the main frame draws with at its screen's DPI: the side-area fonts, the glyph strip (the 16-pixel
// strip at 96 DPI, the 32-pixel one at 192 DPI and the 32-pixel one resampled in between), the search
// pane's fonts and the menu font; and WM_DPICHANGED, which remakes them all and lays the frame out again.
#include <windows.h>

#include <algorithm>

#include "../../resources/resource.h"
#include "platform/wide_win.h"
#include "ui/dpi_win.h"
#include "ui/frame_window_win.h"

namespace tavrin {
namespace {

constexpr int kStripCell = 16;
constexpr int kStripCell2x = 32;

OwnedFont CreateSideFont(const std::u16string& face, int points, int dpi) {
    int pixels = MulDiv(points, dpi, 72);
    if (pixels <= 0) {
        pixels = 12;
    }
    LOGFONTW font{};
    font.lfHeight = -pixels;
    font.lfWeight = FW_NORMAL;
    font.lfCharSet = DEFAULT_CHARSET;
    font.lfQuality = CLEARTYPE_QUALITY;
    const std::size_t length = std::min<std::size_t>(face.size(), LF_FACESIZE - 1);
    std::copy_n(Wide(face), length, font.lfFaceName);
    return OwnedFont(CreateFontIndirectW(&font));
}

// A strip bitmap resource (white glyphs on black) as 32-bit pixels, whose blue channel is then each
// pixel's coverage. Empty when it cannot be loaded.
MemorySurface LoadStripResource(HWND window, HINSTANCE instance, int resource) {
    HBITMAP strip = static_cast<HBITMAP>(
        LoadImageW(instance, MAKEINTRESOURCEW(resource), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
    if (!strip) {
        return MemorySurface(0, 0);
    }
    BITMAP size{};
    GetObjectW(strip, sizeof size, &size);
    Surface copy;
    MemorySurface pixels(0, 0);
    if (size.bmWidth > 0 && size.bmHeight > 0 &&
        CreateSurface(window, copy, 32, size.bmWidth, size.bmHeight, MakeColorRef(0, 0, 0))) {
        HDC source = CreateCompatibleDC(copy.Dc());
        HGDIOBJ previous = SelectObject(source, strip);
        BitBlt(copy.Dc(), 0, 0, size.bmWidth, size.bmHeight, source, 0, 0, SRCCOPY);
        SelectObject(source, previous);
        DeleteDC(source);
        const SurfaceView view = copy.View();
        pixels = MemorySurface(view.width, view.height);
        for (int y = 0; y < view.height; ++y) {
            for (int x = 0; x < view.width; ++x) {
                pixels.SetPixel(x, y, view.Row(y)[x]);
            }
        }
    }
    DeleteObject(strip);
    return pixels;
}

// The glyph strip for the frame's DPI: drawn glyphs at 100 % and 200 %, the 200 % strip scaled down
// (or up) for every other size, so that no glyph is a blurred enlargement of the small one.
void LoadGlyphStrip(FrameWindow& frame) {
    const int cell = std::max(ScaleForDpi(kStripCell, frame.dpi), 1);
    HINSTANCE instance = frame.app.shell.instance;
    if (cell == kStripCell) {
        frame.glyphs = LoadStripResource(frame.window, instance, IDB_GLYPHS);
    } else {
        MemorySurface large = LoadStripResource(frame.window, instance, IDB_GLYPHS_2X);
        frame.glyphs =
            cell == kStripCell2x ? std::move(large) : ResampleGlyphStrip(large.View(), kStripCell2x, cell);
    }
    frame.glyphCell = cell;
}

}  // namespace

void CreateSideFonts(FrameWindow& frame) {
    const WindowSettings& window = frame.app.state.settings.window;
    frame.smallFont = CreateSideFont(window.mainFontName, window.fontSizeS, frame.dpi);
    frame.mediumFont = CreateSideFont(window.mainFontName, window.fontSizeM, frame.dpi);
    frame.largeFont = CreateSideFont(window.mainFontName, window.fontSizeL, frame.dpi);
}

GlyphStripView FrameWindow::GlyphStrip() noexcept { return {glyphs.View(), glyphCell}; }

void ApplyFrameDpi(FrameWindow& frame) {
    CreateSideFonts(frame);
    LoadGlyphStrip(frame);
    ApplySearchPaneStyle(frame);
    frame.tipFont = CreateSystemFont(frame.dpi, &NONCLIENTMETRICSW::lfStatusFont);
    if (frame.holidayTip && frame.tipFont.get()) {
        SendMessageW(frame.holidayTip, WM_SETFONT, reinterpret_cast<WPARAM>(frame.tipFont.get()), TRUE);
    }
}

OwnedFont CreateSystemFont(int dpi, LOGFONTW NONCLIENTMETRICSW::*which) {
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof metrics;
    if (!SystemParametersInfoForDpi(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0,
                                    static_cast<UINT>(dpi)) &&
        !SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0)) {
        return OwnedFont();  // the device context's font is used
    }
    return OwnedFont(CreateFontIndirectW(&(metrics.*which)));
}

LRESULT OnDpiChanged(FrameWindow& frame, WPARAM wParam, LPARAM lParam) {
    frame.dpi = std::max<int>(HIWORD(wParam), 1);
    ApplyFrameDpi(frame);
    ApplyEditorStyle(frame);
    // The suggested rectangle keeps the window's size in proportion to the new scale.
    const RECT& suggested = *reinterpret_cast<const RECT*>(lParam);
    SetWindowPos(frame.window, nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
                 suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
    Relayout(frame);
    InvalidateFrame(frame, kInvalidateAll);
    return 0;
}

}  // namespace tavrin
