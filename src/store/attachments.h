#pragma once
// Pictures, sounds and movies that become part of an entry. A file is linked where it lies, or copied or
// moved into the diary's data folder under a name made from the entry's date and a sequence number;
// the entry then gets a reference line "[[name]]". This is the portable half: naming, copying and
// moving through the FileSystem, undoing a batch that failed part-way, the names of pasted pictures and
// where a referenced file lies. The shell reads the clipboard, encodes pictures and talks to the editor.

#include <array>
#include <bitset>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "app/user_error.h"
#include "calendar/diary_date.h"
#include "editor/file_kind.h"
#include "platform/file_system.h"

namespace tavrin {

// The error numbers of the ErrorMessageTable that attaching reports.
inline constexpr int kErrorPictureLimit = 207;  // "画像貼り付けの上限を超えました。…"
inline constexpr int kErrorFileNotFound = 301;  // "ファイルが見つかりません。"
inline constexpr int kErrorClipboardPicture = 319;  // "クリップボードの画像を次のパスへ保存できません。"
inline constexpr int kErrorAttachFailed = 320;  // "ファイルの貼り付けに失敗しました。"

// Sequence numbers of a day run from 1 to this.
inline constexpr int kAttachmentNumberMax = 9999;

// How a kind of file becomes part of an entry: the values of ImageCopySave, SoundCopySave and
// MovieCopySave.
enum class CopyMode { kLinkOnly = 0, kCopy = 1, kMove = 2 };

// The copy mode of a setting's value; anything but 1 and 2 links.
[[nodiscard]] CopyMode CopyModeOf(int setting) noexcept;

// The modes by kind, from the settings.
struct AttachmentOptions {
    CopyMode picture = CopyMode::kCopy;
    CopyMode sound = CopyMode::kLinkOnly;
    CopyMode movie = CopyMode::kLinkOnly;
    [[nodiscard]] CopyMode ModeOf(FileKind kind) const noexcept;
};

// Where the current entry's attachments go: the diary folder, its data folder (absolute paths) and the
// entry's date, which names them.
struct AttachmentPlace {
    std::filesystem::path diaryFolder;
    std::filesystem::path dataFolder;
    DiaryDate date;
};

// "YYYYMMDD" of the date.
[[nodiscard]] std::u16string AttachmentPrefix(const DiaryDate& date);

// The sequence numbers of one day that are taken, per kind: n is taken for a kind when a file
// "<prefix>_<nnnn>.<e>" exists in the data folder for any extension e of the kind (letter case
// ignored, as the file system of the program ignores it). The folder is listed once, so naming the
// files of a long list stays cheap; numbers handed out are marked taken at once.
class AttachmentNumbers {
public:
    AttachmentNumbers(FileSystem& fs, std::filesystem::path dataFolder, std::u16string prefix);

    // The next free name "<prefix>_<nnnn>" of the kind (marked taken), or nothing when all 9,999 are.
    [[nodiscard]] std::optional<std::u16string> Next(FileKind kind);

private:
    // The listing could not be read: every number is checked with Exists, one extension at a time.
    [[nodiscard]] bool ProbeTaken(FileKind kind, int number);
    void ReadListing();

    FileSystem& fs_;
    std::filesystem::path dataFolder_;
    std::u16string prefix_;
    bool listed_ = false;
    std::array<std::bitset<kAttachmentNumberMax + 1>, 4> taken_{};
};

// The first free name of the kind for the prefix in the data folder, "<prefix>_<nnnn>", or nothing when
// 1 to 9999 are all taken.
[[nodiscard]] std::optional<std::u16string> NextAttachmentName(FileSystem& fs,
                                                               const std::filesystem::path& dataFolder,
                                                               std::u16string_view prefix, FileKind kind);

// One file to attach: its full path and its kind (picture, sound or movie).
struct AttachRequest {
    std::u16string path;
    FileKind kind = FileKind::kOther;
};

// What attaching a list of files did. On success: one reference text per file, in order. On failure
// no reference at all, and every file copied or moved before the failure was taken back, so the entry
// and the data folder are as they were; error says which file failed and why (its systemError is the
// operating system's code).
struct AttachOutcome {
    std::vector<std::u16string> references;
    std::optional<UserError> error;
    bool filesPlaced = false;  // a file was copied or moved into the data folder (and kept)
};

// Attaches the files in order (empty paths are skipped): a file already in the data folder is
// referenced by its name; with the kind's mode "link only" by its full path; otherwise it is copied or
// moved to "<data folder>/<prefix>_<nnnn><its extension>" (creating the diary and data folders when
// missing) and referenced by that name. Nothing is ever overwritten.
[[nodiscard]] AttachOutcome AttachFiles(FileSystem& fs, const AttachmentPlace& place,
                                        const AttachmentOptions& options,
                                        std::span<const AttachRequest> files);

// Creates the diary folder and its data folder when they are missing. The error is 320 with the
// folder's own detail text, or nothing when both exist afterwards.
[[nodiscard]] std::optional<UserError> EnsureDataFolder(FileSystem& fs, const AttachmentPlace& place);

// --- The clipboard and the file chooser ---

// What EditPaste takes from the clipboard, tried in this order: Unicode text (the editor pastes it),
// a file list (each file as if dropped, without a drop point and without Ctrl), a bitmap (saved as a
// picture file).
enum class PasteSource { kNothing, kText, kFileList, kPicture };
[[nodiscard]] PasteSource ChoosePasteSource(bool hasText, bool hasFileList, bool hasBitmap) noexcept;

// The insert-file chooser: its title and its filters as the system wants them, each label and its
// patterns followed by a NUL, the whole list ended by one more NUL. FileOpenFilterNumber is a
// 1-based index into it.
inline constexpr std::u16string_view kFileChooserTitle = u"ファイルの参照";
[[nodiscard]] std::u16string FileChooserFilter();
// The background picture's chooser, in the same form: the insert-file chooser's picture rows and its
// "すべてのファイル" row, without the sound and movie rows.
[[nodiscard]] std::u16string PictureChooserFilter();

// --- Pictures pasted from the clipboard ---

// The save formats of DefaultImageFormat: 0 PNG, 1 JPEG, 2 BMP, 3 GIF, 4 TIFF.
inline constexpr int kPictureFormatCount = 5;
inline constexpr int kPictureFormatJpeg = 1;
// The encoder's MIME type and the file extension (with its dot) of a format; empty outside 0 to 4.
[[nodiscard]] std::u16string_view PictureFormatMime(int format) noexcept;
[[nodiscard]] std::u16string_view PictureFormatExtension(int format) noexcept;
// The JPEG encoder quality for a JPEGQuality value: taken as an unsigned number, at most 100.
[[nodiscard]] std::uint32_t JpegEncoderQuality(int jpegQuality) noexcept;

// Where a pasted picture is saved: the full path and the name the entry references.
struct PictureTarget {
    std::filesystem::path file;
    std::u16string name;
};

// Creates the folders and names the pasted picture with the next free picture number and the format's
// extension. Failures are error 319 with the path as far as it was built.
struct PreparedPicture {
    std::optional<PictureTarget> target;
    std::optional<UserError> error;
};
[[nodiscard]] PreparedPicture PreparePicturePaste(FileSystem& fs, const AttachmentPlace& place, int format);

// Error 319 for a picture that could not be written to path.
[[nodiscard]] UserError PictureSaveError(const std::filesystem::path& path, std::uint32_t systemError);
// Error 207: the entry shows as many pictures as it may.
[[nodiscard]] UserError PictureLimitError();

// --- Opening an attachment ---

// The file an object line names: a full path as it stands, any other name inside the data folder.
[[nodiscard]] std::filesystem::path AttachmentFilePath(std::u16string_view name,
                                                       const std::filesystem::path& dataFolder);
// "ファイルを開けません。\r\n" and the name: the warning when the shell cannot open an attachment.
[[nodiscard]] std::u16string OpenAttachmentFailedText(std::u16string_view name);

}  // namespace tavrin
