#pragma once
// The pictures of the entry in the editor, decoded with GDI+ from files named relative to the current
// directory (the frame keeps it at the diary's data folder) and kept as 32-bit surfaces for painting.

#include <windows.h>

#include <memory>
#include <string_view>
#include <vector>

#include "editor/editor_canvas.h"
#include "editor/picture_host.h"
#include "ui/surface_win.h"

namespace tavrin {

// What loading a picture file gives: 0 loaded, 2 no such file, 3 not a picture (or of zero size),
// 4 no surface could be made, 5 too large to decode (more than kMaxPicturePixels).
enum class PictureLoad { Loaded = 0, Missing = 2, Undecodable = 3, NoSurface = 4, TooLarge = 5 };
inline constexpr long long kMaxPicturePixels = 64LL * 1024 * 1024;

// Decodes a picture file with GDI+ into a 32-bit surface that is first filled with the background
// colour, so that transparent parts show it. Below 100 % opacity the picture is faded into the
// background (each pixel = background x (1 - a) + picture x a, a = opacity / 100; negative counts as
// 0). With maxWidth > 0 a wider picture is kept scaled down to that width (aspect kept), which is all
// the editor ever shows of it; 0 keeps the picture's own size. Pictures of more than
// kMaxPicturePixels are refused before their pixels are decoded, so a huge file cannot exhaust
// memory. natural receives the picture's own size when given.
PictureLoad LoadPictureToSurface(HWND window, Surface& surface, std::u16string_view file, COLORREF background,
                                 int opacityPercent, int maxWidth = 0, PictureSize* natural = nullptr);

// Slots of decoded pictures, numbered like the picture rows.
class PictureStore final : public PictureHost {
public:
    explicit PictureStore(HWND window);

    // The colour pictures are laid on when they are loaded (the editor's Back).
    void SetBackground(COLORREF colour) noexcept { background_ = colour; }
    PictureSize LoadPicture(int index, std::u16string_view name) override;
    void ReleasePictures(int count) override;
    // Draws slot index scaled into rect (halftone), or copied when rect has the stored size.
    void Draw(HDC target, int index, const EditorRect& rect) const;

private:
    HWND window_;
    COLORREF background_ = RGB(255, 255, 255);
    int maxWidth_ = 1920;
    std::vector<std::unique_ptr<Surface>> pictures_;
};

}  // namespace tavrin
