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

// What loading a picture file gives, with the reasons a picture cannot be shown.
enum class PictureLoad { Loaded = 0, Missing = 2, Undecodable = 3, NoSurface = 4, TooLarge = 5 };

// Decodes a picture file into a 32-bit surface filled with the background colour first (transparent
// pictures show it). The surface is never larger than maxWidth pixels across (the picture is scaled
// down, aspect kept) and pictures of more than kMaxPicturePixels are refused before decoding, so a
// huge picture cannot exhaust memory. natural receives the picture's own size.
inline constexpr long long kMaxPicturePixels = 64LL * 1024 * 1024;
PictureLoad LoadPictureFile(HWND window, std::u16string_view file, COLORREF background, int maxWidth,
                            Surface& surface, PictureSize& natural);

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
