// The Win32 file system of the program: W APIs only, every open without sharing and retried.
#include <windows.h>

#include "platform/file_system.h"

namespace tavrin {
namespace {

namespace fs = std::filesystem;

// Owns a file handle; copying is not allowed.
class FileHandle {
public:
    explicit FileHandle(HANDLE handle) noexcept : handle_(handle) {}
    FileHandle(const FileHandle&) = delete;
    FileHandle& operator=(const FileHandle&) = delete;
    ~FileHandle() { Close(); }
    [[nodiscard]] HANDLE get() const noexcept { return handle_; }
    [[nodiscard]] bool valid() const noexcept { return handle_ != INVALID_HANDLE_VALUE; }
    bool Close() noexcept {
        if (!valid()) {
            return true;
        }
        const bool closed = CloseHandle(handle_) != FALSE;
        handle_ = INVALID_HANDLE_VALUE;
        return closed;
    }

private:
    HANDLE handle_;
};

class Win32File final : public WritableFile {
public:
    Win32File(HANDLE handle, std::uint32_t& lastError) : handle_(handle), lastError_(lastError) {}

    bool Write(std::span<const std::byte> bytes) override {
        const std::byte* data = bytes.data();
        std::size_t left = bytes.size();
        while (left > 0) {
            const DWORD chunk = left > 0x40000000u ? 0x40000000u : static_cast<DWORD>(left);
            DWORD written = 0;
            if (!WriteFile(handle_.get(), data, chunk, &written, nullptr) || written == 0) {
                return Fail();
            }
            data += written;
            left -= written;
        }
        return true;
    }

    bool Commit() override {
        const bool flushed = FlushFileBuffers(handle_.get()) != FALSE;
        if (!flushed) {
            Fail();
        }
        if (!handle_.Close()) {
            return Fail();
        }
        return flushed;
    }

private:
    bool Fail() {
        lastError_ = GetLastError();
        return false;
    }

    FileHandle handle_;
    std::uint32_t& lastError_;
};

class Win32FileSystem final : public FileSystem {
public:
    std::optional<std::vector<std::byte>> ReadWholeFile(const fs::path& path) override {
        std::vector<std::byte> bytes;
        if (!ReadInto(path, bytes)) {
            return std::nullopt;
        }
        return bytes;
    }

    bool ReadUtf16UnitsInto(const fs::path& path, std::u16string& units) override {
        return ReadInto(path, units);  // Windows is little-endian
    }

    std::unique_ptr<WritableFile> OpenForWriting(const fs::path& path) override {
        const HANDLE handle = OpenWithRetries(path, GENERIC_WRITE, CREATE_ALWAYS);
        if (handle == INVALID_HANDLE_VALUE) {
            return nullptr;
        }
        return std::make_unique<Win32File>(handle, lastError_);
    }

    bool MoveIntoPlace(const fs::path& source, const fs::path& target) override {
        // A file the user made read-only is not replaced, as Windows refuses it; some file systems
        // (and Wine) would replace it silently.
        const DWORD attributes = GetFileAttributesW(target.c_str());
        if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY) != 0) {
            lastError_ = ERROR_ACCESS_DENIED;
            return false;
        }
        return Check(
            MoveFileExW(source.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH));
    }

    std::optional<std::vector<FolderEntry>> ListFolder(const fs::path& folder) override {
        const std::wstring pattern = (folder / L"*").wstring();
        WIN32_FIND_DATAW found{};
        const HANDLE search = FindFirstFileW(pattern.c_str(), &found);
        if (search == INVALID_HANDLE_VALUE) {
            if (GetLastError() == ERROR_FILE_NOT_FOUND) {
                return std::vector<FolderEntry>{};
            }
            Remember();
            return std::nullopt;
        }
        std::vector<FolderEntry> entries;
        do {
            const std::wstring_view name(found.cFileName);
            if (name != L"." && name != L"..") {
                const std::uint64_t size =
                    static_cast<std::uint64_t>(found.nFileSizeHigh) << 32 | found.nFileSizeLow;
                const std::int64_t written = static_cast<std::int64_t>(
                    static_cast<std::uint64_t>(found.ftLastWriteTime.dwHighDateTime) << 32 |
                    found.ftLastWriteTime.dwLowDateTime);
                entries.push_back({fs::path(name), (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0,
                                   true, size, written});
            }
        } while (FindNextFileW(search, &found));
        const DWORD error = GetLastError();
        FindClose(search);
        if (error != ERROR_NO_MORE_FILES) {
            lastError_ = error;
            return std::nullopt;
        }
        return entries;
    }

    bool Exists(const fs::path& path) override {
        return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
    }

    bool IsFolder(const fs::path& path) override {
        const DWORD attributes = GetFileAttributesW(path.c_str());
        return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    }

    bool CreateFolder(const fs::path& path) override {
        return Check(CreateDirectoryW(path.c_str(), nullptr));
    }

    bool Copy(const fs::path& from, const fs::path& to, bool failIfExists) override {
        return Check(CopyFileW(from.c_str(), to.c_str(), failIfExists ? TRUE : FALSE));
    }

    bool Move(const fs::path& from, const fs::path& to) override {
        return Check(MoveFileW(from.c_str(), to.c_str()));
    }

    bool Remove(const fs::path& path) override { return Check(DeleteFileW(path.c_str())); }

    std::uint32_t LastError() const override { return lastError_; }

private:
    // Reads a whole file into buffer, a vector of bytes or a string of 16-bit units, straight from the
    // system (no copy in between); a final byte that does not fill a unit is dropped.
    template <class Buffer>
    bool ReadInto(const fs::path& path, Buffer& buffer) {
        constexpr std::size_t kUnit = sizeof(typename Buffer::value_type);
        if (!Exists(path)) {
            Remember();
            return false;
        }
        FileHandle file(OpenWithRetries(path, GENERIC_READ, OPEN_EXISTING));
        if (!file.valid()) {
            return false;
        }
        LARGE_INTEGER size{};
        if (!GetFileSizeEx(file.get(), &size) || size.QuadPart < 0) {
            Remember();
            return false;
        }
        const auto capacity = static_cast<std::size_t>(size.QuadPart);
        buffer.resize((capacity + kUnit - 1) / kUnit);
        std::byte* bytes = reinterpret_cast<std::byte*>(buffer.data());
        std::size_t done = 0;
        while (done < capacity) {
            const std::size_t left = capacity - done;
            const DWORD chunk = left > 0x40000000u ? 0x40000000u : static_cast<DWORD>(left);
            DWORD read = 0;
            if (!ReadFile(file.get(), bytes + done, chunk, &read, nullptr)) {
                Remember();
                return false;
            }
            if (read == 0) {
                break;  // the file shrank while we read it
            }
            done += read;
        }
        buffer.resize(done / kUnit);
        return true;
    }

    HANDLE OpenWithRetries(const fs::path& path, DWORD access, DWORD disposition) {
        for (int attempt = 1;; ++attempt) {
            const HANDLE handle =
                CreateFileW(path.c_str(), access, 0, nullptr, disposition, FILE_ATTRIBUTE_NORMAL, nullptr);
            if (handle != INVALID_HANDLE_VALUE) {
                return handle;
            }
            Remember();
            if (attempt == kOpenAttempts) {
                return INVALID_HANDLE_VALUE;
            }
            Sleep(kRetryDelayMs);
        }
    }

    bool Check(BOOL succeeded) {
        if (!succeeded) {
            Remember();
        }
        return succeeded != FALSE;
    }
    void Remember() { lastError_ = GetLastError(); }

    std::uint32_t lastError_ = 0;
};

}  // namespace

std::unique_ptr<FileSystem> CreateSystemFileSystem() { return std::make_unique<Win32FileSystem>(); }

}  // namespace tavrin
