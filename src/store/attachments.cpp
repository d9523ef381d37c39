#include "store/attachments.h"

#include <algorithm>
#include <utility>

#include "platform/text.h"

namespace tavrin {
namespace {

namespace fs = std::filesystem;

std::size_t KindIndex(FileKind kind) noexcept { return static_cast<std::size_t>(kind) & 3u; }

// A row of a file chooser's filter list: the label shown and the patterns it stands for.
struct ChooserFilterRow {
    std::u16string_view label;
    std::u16string_view patterns;
};

// The picture rows both file choosers start with, so the two cannot come to differ.
constexpr std::array<ChooserFilterRow, 6> kPictureFilterRows = {{
    {u"画像（PNG/JPG/BMP/...）",
     u"*.png;*.jpg;*.jpeg;*.jpe;*.jfif;*.bmp;*.dib;*.gif;*.tif;*.tiff;*.ico;*.wmf;*.emf"},
    {u"　PNG (*.png)", u"*.png"},
    {u"　JPG (*.jpg;*.jpeg;*.jpe;*.jfif)", u"*.jpg;*.jpeg;*.jpe;*.jfif"},
    {u"　BMP (*.bmp;*.dib)", u"*.bmp;*.dib"},
    {u"　GIF (*.gif)", u"*.gif"},
    {u"　TIF (*.tif;*.tiff)", u"*.tif;*.tiff"},
}};
constexpr ChooserFilterRow kAllFilesRow{u"すべてのファイル", u"*.*"};

// The picture rows, then the chooser's own rows, in the system's form.
std::u16string ComposeChooserFilter(std::span<const ChooserFilterRow> ownRows) {
    std::u16string filter;
    for (const std::span<const ChooserFilterRow> rows :
         {std::span<const ChooserFilterRow>(kPictureFilterRows), ownRows}) {
        for (const ChooserFilterRow& row : rows) {
            filter.append(row.label).push_back(u'\0');
            filter.append(row.patterns).push_back(u'\0');
        }
    }
    filter.push_back(u'\0');
    return filter;
}

// The number n of a name "<prefix>_<nnnn>.<extension>", or 0 when the name has another form.
int NumberInName(std::u16string_view name, std::u16string_view prefix,
                 std::u16string_view& extension) noexcept {
    const std::size_t digitsAt = prefix.size() + 1;
    if (name.size() < digitsAt + 5 || !name.starts_with(prefix) || name[prefix.size()] != u'_' ||
        name[digitsAt + 4] != u'.') {
        return 0;
    }
    int number = 0;
    for (std::size_t i = digitsAt; i < digitsAt + 4; ++i) {
        if (name[i] < u'0' || name[i] > u'9') {
            return 0;
        }
        number = number * 10 + (name[i] - u'0');
    }
    extension = name.substr(digitsAt + 5);
    return number;
}

// The name's extension with its dot ("" without a dot): what a copy keeps of the source's name.
std::u16string DottedExtension(const std::u16string& name) {
    const std::size_t dot = name.rfind(u'.');
    return dot == std::u16string::npos ? std::u16string() : name.substr(dot);
}

// Which of the two folders could not be made, and the system's error code.
struct FolderFailure {
    bool diaryFolder = true;
    fs::path folder;
    std::uint32_t systemError = 0;
};

std::optional<FolderFailure> MakeFolders(FileSystem& fs, const AttachmentPlace& place) {
    for (const bool diary : {true, false}) {
        const fs::path& folder = diary ? place.diaryFolder : place.dataFolder;
        if (fs.IsFolder(folder)) {
            continue;
        }
        if (!fs.CreateFolder(folder)) {
            const std::uint32_t code = fs.LastError();
            if (!fs.IsFolder(folder)) {
                return FolderFailure{diary, folder, code};
            }
        }
    }
    return std::nullopt;
}

// A file copied or moved into the data folder by the batch under way.
struct PlacedFile {
    fs::path source;
    fs::path target;
    bool moved = false;
};

// Takes the batch's copies and moves back, newest first; returns the files that had to stay.
std::vector<fs::path> TakeBack(FileSystem& fs, const std::vector<PlacedFile>& placed) {
    std::vector<fs::path> stayed;
    for (auto it = placed.rbegin(); it != placed.rend(); ++it) {
        const bool undone = it->moved ? fs.Move(it->target, it->source) : fs.Remove(it->target);
        if (!undone) {
            stayed.push_back(it->target);
        }
    }
    return stayed;
}

std::u16string CopyFailureDetail(bool moved, const fs::path& source, const fs::path& target) {
    return std::u16string(moved ? u"ファイルを移動できません。" : u"ファイルをコピーできません。") + u"\r\n" +
           PathText(source) + u"\r\n↓\r\n" + PathText(target);
}

// Copies or moves one file to the next free name of its kind. On success the target; on failure the
// error (the target is then not there).
struct PlaceResult {
    std::optional<fs::path> target;
    std::u16string name;
    std::optional<UserError> error;
};

PlaceResult PlaceFile(FileSystem& fs, AttachmentNumbers& numbers, const AttachmentPlace& place,
                      const fs::path& source, FileKind kind, bool move) {
    const std::u16string extension = DottedExtension(PathText(source.filename()));
    for (;;) {
        const std::optional<std::u16string> name = numbers.Next(kind);
        if (!name) {
            return {
                std::nullopt,
                {},
                UserError{kErrorAttachFailed, u"ファイル名の連番が9999を超えたため処理を中断しました。", 0}};
        }
        const fs::path target = place.dataFolder / fs::path(*name + extension);
        if (move ? fs.Move(source, target) : fs.Copy(source, target, true)) {
            return {target, *name + extension, std::nullopt};
        }
        const std::uint32_t code = fs.LastError();
        // Another program took the name since the folder was listed: the next number will do.
        if (fs.Exists(target) && fs.Exists(source)) {
            continue;
        }
        return {
            std::nullopt, {}, UserError{kErrorAttachFailed, CopyFailureDetail(move, source, target), code}};
    }
}

}  // namespace

CopyMode CopyModeOf(int setting) noexcept {
    switch (setting) {
        case 1:
            return CopyMode::kCopy;
        case 2:
            return CopyMode::kMove;
        default:
            return CopyMode::kLinkOnly;
    }
}

CopyMode AttachmentOptions::ModeOf(FileKind kind) const noexcept {
    switch (kind) {
        case FileKind::kPicture:
            return picture;
        case FileKind::kSound:
            return sound;
        case FileKind::kMovie:
            return movie;
        case FileKind::kOther:
            break;
    }
    return CopyMode::kLinkOnly;
}

std::u16string AttachmentPrefix(const DiaryDate& date) {
    return Decimal(date.year, 4) + Decimal(date.month, 2) + Decimal(date.day, 2);
}

AttachmentNumbers::AttachmentNumbers(FileSystem& fs, std::filesystem::path dataFolder, std::u16string prefix)
    : fs_(fs), dataFolder_(std::move(dataFolder)), prefix_(std::move(prefix)) {}

void AttachmentNumbers::ReadListing() {
    const std::optional<std::vector<FolderEntry>> entries = fs_.ListFolder(dataFolder_);
    if (!entries) {
        return;
    }
    listed_ = true;
    for (const FolderEntry& entry : *entries) {
        if (entry.isFolder) {
            continue;
        }
        const std::u16string name = PathText(entry.name);
        std::u16string_view extension;
        const int number = NumberInName(name, prefix_, extension);
        if (number < 1) {
            continue;
        }
        const FileKind kind = ClassifyFileKind(extension);
        if (kind != FileKind::kOther) {
            taken_[KindIndex(kind)].set(static_cast<std::size_t>(number));
        }
    }
}

bool AttachmentNumbers::ProbeTaken(FileKind kind, int number) {
    const std::u16string stem = prefix_ + u"_" + Decimal(number, 4) + u".";
    for (const std::u16string_view extension : ExtensionsOfKind(kind)) {
        if (fs_.Exists(dataFolder_ / fs::path(stem + std::u16string(extension)))) {
            return true;
        }
    }
    return false;
}

std::optional<std::u16string> AttachmentNumbers::Next(FileKind kind) {
    if (kind == FileKind::kOther) {
        return std::nullopt;
    }
    if (!listed_) {
        ReadListing();
    }
    auto& taken = taken_[KindIndex(kind)];
    for (int number = 1; number <= kAttachmentNumberMax; ++number) {
        if (taken.test(static_cast<std::size_t>(number))) {
            continue;
        }
        if (!listed_ && ProbeTaken(kind, number)) {
            taken.set(static_cast<std::size_t>(number));
            continue;
        }
        taken.set(static_cast<std::size_t>(number));
        return prefix_ + u"_" + Decimal(number, 4);
    }
    return std::nullopt;
}

std::optional<std::u16string> NextAttachmentName(FileSystem& fs, const std::filesystem::path& dataFolder,
                                                 std::u16string_view prefix, FileKind kind) {
    AttachmentNumbers numbers(fs, dataFolder, std::u16string(prefix));
    return numbers.Next(kind);
}

std::optional<UserError> EnsureDataFolder(FileSystem& fs, const AttachmentPlace& place) {
    const std::optional<FolderFailure> failure = MakeFolders(fs, place);
    if (!failure) {
        return std::nullopt;
    }
    const std::u16string_view text = failure->diaryFolder ? u"日記フォルダを作成できません。\r\n"
                                                          : u"データフォルダを作成できません。\r\n";
    return UserError{kErrorAttachFailed, std::u16string(text) + PathText(failure->folder),
                     failure->systemError};
}

AttachOutcome AttachFiles(FileSystem& fs, const AttachmentPlace& place, const AttachmentOptions& options,
                          std::span<const AttachRequest> files) {
    AttachOutcome outcome;
    std::vector<PlacedFile> placed;
    AttachmentNumbers numbers(fs, place.dataFolder, AttachmentPrefix(place.date));
    bool foldersReady = false;
    const auto fail = [&](UserError error) {
        const std::vector<fs::path> stayed = TakeBack(fs, placed);
        if (!stayed.empty()) {
            error.detail += u"\r\n\r\n次のファイルは元に戻せませんでした。";
            for (const fs::path& file : stayed) {
                error.detail += u"\r\n" + PathText(file);
            }
        }
        return AttachOutcome{{}, std::move(error), !stayed.empty()};
    };
    for (const AttachRequest& request : files) {
        if (request.path.empty()) {
            continue;
        }
        const fs::path source(request.path);
        if (source.parent_path() == place.dataFolder) {
            outcome.references.push_back(PathText(source.filename()));
            continue;
        }
        const CopyMode mode = options.ModeOf(request.kind);
        if (mode == CopyMode::kLinkOnly) {
            outcome.references.push_back(request.path);
            continue;
        }
        if (!foldersReady) {
            if (std::optional<UserError> error = EnsureDataFolder(fs, place)) {
                return fail(std::move(*error));
            }
            foldersReady = true;
        }
        const bool move = mode == CopyMode::kMove;
        PlaceResult result = PlaceFile(fs, numbers, place, source, request.kind, move);
        if (result.error) {
            return fail(std::move(*result.error));
        }
        placed.push_back({source, *result.target, move});
        outcome.references.push_back(std::move(result.name));
    }
    outcome.filesPlaced = !placed.empty();
    return outcome;
}

PasteSource ChoosePasteSource(bool hasText, bool hasFileList, bool hasBitmap) noexcept {
    if (hasText) {
        return PasteSource::kText;
    }
    if (hasFileList) {
        return PasteSource::kFileList;
    }
    return hasBitmap ? PasteSource::kPicture : PasteSource::kNothing;
}

std::u16string PictureChooserFilter() {
    constexpr std::array<ChooserFilterRow, 1> kAllFiles = {{kAllFilesRow}};
    return ComposeChooserFilter(kAllFiles);
}

std::u16string FileChooserFilter() {
    constexpr std::array<ChooserFilterRow, 3> kSoundsMoviesAndAll = {{
        {u"音声（WMA/MP3/WAVE/...）", u"*.wma;*.mp3;*.wav"},
        {u"動画（WMV/MP4/AVI/...）", u"*.wmv;*.mp4;*.avi"},
        kAllFilesRow,
    }};
    return ComposeChooserFilter(kSoundsMoviesAndAll);
}

std::u16string_view PictureFormatMime(int format) noexcept {
    constexpr std::array<std::u16string_view, kPictureFormatCount> kMime = {
        u"image/png", u"image/jpeg", u"image/bmp", u"image/gif", u"image/tiff"};
    return format >= 0 && format < kPictureFormatCount ? kMime[static_cast<std::size_t>(format)]
                                                       : std::u16string_view();
}

std::u16string_view PictureFormatExtension(int format) noexcept {
    constexpr std::array<std::u16string_view, kPictureFormatCount> kExtensions = {u".png", u".jpg", u".bmp",
                                                                                  u".gif", u".tif"};
    return format >= 0 && format < kPictureFormatCount ? kExtensions[static_cast<std::size_t>(format)]
                                                       : std::u16string_view();
}

std::uint32_t JpegEncoderQuality(int jpegQuality) noexcept {
    return std::min<std::uint32_t>(static_cast<std::uint32_t>(jpegQuality), 100u);
}

PreparedPicture PreparePicturePaste(FileSystem& fs, const AttachmentPlace& place, int format) {
    if (const std::optional<FolderFailure> failure = MakeFolders(fs, place)) {
        return {std::nullopt,
                UserError{kErrorClipboardPicture, PathText(failure->folder), failure->systemError}};
    }
    const std::u16string_view extension = PictureFormatExtension(format);
    const std::optional<std::u16string> name =
        extension.empty()
            ? std::nullopt
            : NextAttachmentName(fs, place.dataFolder, AttachmentPrefix(place.date), FileKind::kPicture);
    if (!name) {
        return {std::nullopt, UserError{kErrorClipboardPicture, PathText(place.dataFolder), 0}};
    }
    const std::u16string fileName = *name + std::u16string(extension);
    return {PictureTarget{place.dataFolder / fs::path(fileName), fileName}, std::nullopt};
}

UserError PictureSaveError(const std::filesystem::path& path, std::uint32_t systemError) {
    return UserError{kErrorClipboardPicture, PathText(path), systemError};
}

UserError PictureLimitError() { return UserError{kErrorPictureLimit, {}, 0}; }

std::filesystem::path AttachmentFilePath(std::u16string_view name, const std::filesystem::path& dataFolder) {
    const fs::path path{std::u16string(name)};
    return path.is_absolute() ? path : dataFolder / path;
}

std::u16string OpenAttachmentFailedText(std::u16string_view name) {
    return u"ファイルを開けません。\r\n" + std::u16string(name);
}

}  // namespace tavrin
