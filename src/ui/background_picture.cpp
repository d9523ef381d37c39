#include "ui/background_picture.h"

#include <vector>

#include "editor/file_kind.h"
#include "platform/text.h"

namespace tavrin {
namespace {

namespace fs = std::filesystem;

// The folder's pictures that may be chosen, in listing order.
std::vector<std::u16string> PicturesIn(FileSystem& fs, const fs::path& folder) {
    std::vector<std::u16string> pictures;
    const std::optional<std::vector<FolderEntry>> entries = fs.ListFolder(folder);
    if (!entries) {
        return pictures;
    }
    for (const FolderEntry& entry : *entries) {
        if (entry.isFolder) {
            continue;
        }
        // A name that is no valid text (POSIX only) comes back empty and is no picture.
        std::u16string name = PathText(entry.name);
        if (name.size() <= kBackgroundNameMax &&
            ClassifyFileKind(FileExtension(name)) == FileKind::kPicture) {
            pictures.push_back(std::move(name));
        }
    }
    return pictures;
}

// The name without the "." and extension that FileExtension takes off.
std::u16string_view NameWithoutExtension(std::u16string_view name) noexcept {
    const std::size_t dot = name.rfind(u'.');
    return dot == std::u16string_view::npos ? name : name.substr(0, dot);
}

int TruncatedShare(int room, int percent) noexcept {
    if (percent == 100) {
        return room;
    }
    return static_cast<int>(static_cast<double>(room) * static_cast<double>(percent) / 100.0);
}

}  // namespace

std::u16string WithoutTrailingBackslashes(std::u16string_view path) {
    while (!path.empty() && path.back() == u'\\') {
        path.remove_suffix(1);
    }
    std::u16string trimmed(path);
    // "E:" alone would mean the current folder of drive E, not its root.
    if (trimmed.size() == 2 && trimmed[1] == u':') {
        trimmed.push_back(u'\\');
    }
    return trimmed;
}

std::optional<std::filesystem::path> ChooseBackgroundFile(FileSystem& fs, std::u16string_view path, int mode,
                                                          int shownMonth, const RandomPick& pick) {
    if (path.empty()) {
        return std::nullopt;
    }
    const fs::path setting{std::u16string(path)};
    if (!fs.IsFolder(setting)) {
        return setting;
    }
    const std::vector<std::u16string> pictures = PicturesIn(fs, setting);
    if (pictures.empty()) {
        return std::nullopt;
    }
    if (mode == kBackgroundModeMonth) {
        const std::u16string month = Decimal(shownMonth);
        for (const std::u16string& name : pictures) {
            if (NameWithoutExtension(name) == month) {
                return setting / fs::path(name);
            }
        }
        return std::nullopt;
    }
    const std::size_t index = pick ? pick(pictures.size()) : 0;
    return setting / fs::path(pictures[index < pictures.size() ? index : 0]);
}

PicturePoint BackgroundOrigin(int clientWidth, int clientHeight, int pictureWidth, int pictureHeight,
                              int posX, int posY) noexcept {
    return {TruncatedShare(clientWidth - pictureWidth, posX),
            TruncatedShare(clientHeight - pictureHeight, posY)};
}

PicturePoint OriginInPane(const PicturePoint& origin, const PixelRect& pane) noexcept {
    return {origin.x - pane.x, origin.y - pane.y};
}

PicturePoint OriginInSearchScrollBar(const PicturePoint& origin, const PixelRect& searchList,
                                     int barWidth) noexcept {
    return {origin.x - searchList.x - searchList.width + barWidth, origin.y - searchList.y};
}

}  // namespace tavrin
