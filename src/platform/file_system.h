#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace tavrin {

// A file being written. Bytes go to the operating system as they are written; Commit flushes them to
// the disk and closes the file. A file destroyed without Commit is closed and may hold any prefix of
// what was written.
class WritableFile {
public:
    virtual ~WritableFile() = default;
    [[nodiscard]] virtual bool Write(std::span<const std::byte> bytes) = 0;
    [[nodiscard]] virtual bool Commit() = 0;
};

// One entry of a folder listing.
struct FolderEntry {
    std::filesystem::path name;  // the entry's name alone, without the folder
    bool isFolder = false;
    // The file's size in bytes and its last write time (in the system's own units, for comparing only),
    // where the listing gives them at no extra cost (stamped): files whose size and time have not
    // changed need not be read again. The Win32 listing has them; POSIX would need a call per file.
    bool stamped = false;
    std::uint64_t size = 0;
    std::int64_t writeTime = 0;
};

// The few file operations the core needs. Every file is opened without sharing; opening is tried up to
// kOpenAttempts times, kRetryDelayMs apart, so another process holding the file briefly can finish
// first. Failures are return values; LastError tells the operating system's code for the most recent
// failed operation (successful ones leave it alone), for the "(ErrerID:%d)" caption of error boxes.
class FileSystem {
public:
    static constexpr int kOpenAttempts = 10;
    static constexpr int kRetryDelayMs = 20;

    virtual ~FileSystem() = default;

    // The whole content of an existing file, or nothing when it cannot be opened or read.
    [[nodiscard]] virtual std::optional<std::vector<std::byte>> ReadWholeFile(
        const std::filesystem::path& path) = 0;
    // The whole content of an existing file as 16-bit little-endian code units, into a caller's buffer
    // whose storage is reused from call to call (the search reads hundreds of files in a row). Nothing
    // is removed, not even a byte-order mark; a final odd byte is dropped. False when the file cannot
    // be opened or read (units is then unspecified). The default goes through ReadWholeFile.
    [[nodiscard]] virtual bool ReadUtf16UnitsInto(const std::filesystem::path& path, std::u16string& units);
    // Creates the file, replacing an existing one, for writing.
    [[nodiscard]] virtual std::unique_ptr<WritableFile> OpenForWriting(const std::filesystem::path& path) = 0;
    // Puts source in the place of target in one step; target may or may not exist. Source is gone after.
    // Tried once; WriteFileAtomically retries it.
    [[nodiscard]] virtual bool MoveIntoPlace(const std::filesystem::path& source,
                                             const std::filesystem::path& target) = 0;
    // The entries of a folder (without "." and ".."), or nothing when it cannot be listed.
    [[nodiscard]] virtual std::optional<std::vector<FolderEntry>> ListFolder(
        const std::filesystem::path& folder) = 0;
    [[nodiscard]] virtual bool Exists(const std::filesystem::path& path) = 0;
    [[nodiscard]] virtual bool IsFolder(const std::filesystem::path& path) = 0;
    [[nodiscard]] virtual bool CreateFolder(const std::filesystem::path& path) = 0;
    [[nodiscard]] virtual bool Copy(const std::filesystem::path& from, const std::filesystem::path& to,
                                    bool failIfExists) = 0;
    [[nodiscard]] virtual bool Move(const std::filesystem::path& from, const std::filesystem::path& to) = 0;
    [[nodiscard]] virtual bool Remove(const std::filesystem::path& path) = 0;
    [[nodiscard]] virtual std::uint32_t LastError() const = 0;
    // The pause between two attempts of a retried operation (kRetryDelayMs); test doubles skip it.
    virtual void WaitBeforeRetry();
};

// Where writing a whole file stopped.
enum class WriteStatus {
    kOk,
    kCreateFailed,  // the temporary file could not be created
    kWriteFailed,   // writing piece failedPiece failed
    kCommitFailed,  // flushing, closing or putting the file in place failed
};

struct WriteResult {
    WriteStatus status = WriteStatus::kOk;
    int failedPiece = -1;
    [[nodiscard]] bool ok() const noexcept { return status == WriteStatus::kOk; }
};

// Writes the pieces, in order, as the whole new content of target. The bytes go to a temporary file in
// the same folder that then replaces target in one step, so a crash, a full disk or a failed write
// leaves target either as it was or complete, never truncated. The replace is tried like an exclusive
// open (kOpenAttempts times, kRetryDelayMs apart): a backup, sync or virus scanner holding target for a
// moment must not make the save fail. A failed attempt removes its temporary file.
[[nodiscard]] WriteResult WriteFileAtomically(FileSystem& fs, const std::filesystem::path& target,
                                              std::span<const std::span<const std::byte>> pieces);

// The temporary name WriteFileAtomically uses beside target.
[[nodiscard]] std::filesystem::path TemporaryPathFor(const std::filesystem::path& target);

// A path as text for error details and listings; names that are no valid text (possible on POSIX)
// give "".
[[nodiscard]] std::u16string PathText(const std::filesystem::path& path);

// The operating system's file system: Win32 in the program, POSIX in native tests and tools.
[[nodiscard]] std::unique_ptr<FileSystem> CreateSystemFileSystem();

}  // namespace tavrin
