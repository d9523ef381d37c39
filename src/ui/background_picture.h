#pragma once
// The background picture of the main window: which file it comes from (one fixed file, the shown
// month's picture from a folder, or a random picture from a folder) and where it lies in the frame and
// in the panes that show it too (the editor and the search list's scroll bar). Loading, fading and
// drawing are the shell's; it asks here what to load and where to put it.

#include <cstddef>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "platform/file_system.h"
#include "ui/canvas.h"

namespace tavrin {

// Folder entries with longer names are not considered.
inline constexpr std::size_t kBackgroundNameMax = 260;

// The Mode setting of [BackImage]: 0 the picture named after the shown month, 1 a random picture.
inline constexpr int kBackgroundModeMonth = 0;

// The Path setting without its trailing backslashes (the setting keeps this form); the root of a drive
// keeps its one backslash, so that it still names the root.
[[nodiscard]] std::u16string WithoutTrailingBackslashes(std::u16string_view path);

// Picks an index below count uniformly (count is at least 1).
using RandomPick = std::function<std::size_t(std::size_t count)>;

// The file to load. When path (already without trailing backslashes) names a folder: in mode 0 the first
// picture of the listing whose name without its extension is the shown month's number ("4.jpg" for
// April); in any other mode one of the folder's pictures chosen by pick. Folders, names longer than
// kBackgroundNameMax and files that are no pictures are never chosen; nothing when none is left. When
// path names no folder it is the file itself (nothing for an empty path).
[[nodiscard]] std::optional<std::filesystem::path> ChooseBackgroundFile(FileSystem& fs,
                                                                        std::u16string_view path, int mode,
                                                                        int shownMonth,
                                                                        const RandomPick& pick);

// A point in pixels.
struct PicturePoint {
    int x = 0;
    int y = 0;
    friend bool operator==(const PicturePoint&, const PicturePoint&) = default;
};

// The picture's top-left corner in the frame's client area: the room left over (client less picture,
// negative for a picture larger than the client) taken PosX and PosY percent of, truncated toward
// zero; 0 puts the picture at the left or top edge, 50 in the middle, 100 at the right or bottom edge.
[[nodiscard]] PicturePoint BackgroundOrigin(int clientWidth, int clientHeight, int pictureWidth,
                                            int pictureHeight, int posX, int posY) noexcept;

// The origin seen from a pane whose box lies at the given place in the frame's client area.
[[nodiscard]] PicturePoint OriginInPane(const PicturePoint& origin, const PixelRect& pane) noexcept;

// The origin seen from the search list's scroll bar, the rightmost barWidth pixels of the list's box.
[[nodiscard]] PicturePoint OriginInSearchScrollBar(const PicturePoint& origin, const PixelRect& searchList,
                                                   int barWidth) noexcept;

}  // namespace tavrin
