#pragma once
// The seam through which the layout learns the sizes of the pictures an entry embeds. The window
// implements it by decoding the files with GDI+ and keeping the bitmaps for painting; tests use a
// table of sizes.

#include <string_view>

namespace tavrin {

struct PictureSize {
    int width = 0;
    int height = 0;
    friend bool operator==(const PictureSize&, const PictureSize&) = default;
};

// Holds the decoded pictures of the current entry in slots numbered like the picture rows (0-based,
// in text order).
class PictureHost {
public:
    virtual ~PictureHost() = default;
    // Loads the picture file name (relative to the current directory, which the frame keeps at the
    // diary's data folder) into slot index, replacing what the slot held. Returns its size, or
    // {0, 0} when it cannot be loaded; the editor then shows the 200 x 150 placeholder.
    virtual PictureSize LoadPicture(int index, std::u16string_view name) = 0;
    // Releases the slots from count on (0 releases every picture).
    virtual void ReleasePictures(int count) = 0;
};

}  // namespace tavrin
