// The POSIX file system, for native tests, benchmarks and tools. POSIX has no share modes; the retry
// loop on open is kept so that behaviour matches the Win32 implementation.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <bit>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <thread>

#include "platform/file_system.h"

namespace tavrin {
namespace {

namespace fs = std::filesystem;

class PosixFile final : public WritableFile {
public:
    PosixFile(int fd, std::uint32_t& lastError) : fd_(fd), lastError_(lastError) {}
    PosixFile(const PosixFile&) = delete;
    PosixFile& operator=(const PosixFile&) = delete;
    ~PosixFile() override {
        if (fd_ >= 0) {
            ::close(fd_);
        }
    }

    bool Write(std::span<const std::byte> bytes) override {
        const std::byte* data = bytes.data();
        std::size_t left = bytes.size();
        while (left > 0) {
            const ssize_t n = ::write(fd_, data, left);
            if (n < 0) {
                if (errno == EINTR) {
                    continue;
                }
                return Fail();
            }
            data += n;
            left -= static_cast<std::size_t>(n);
        }
        return true;
    }

    bool Commit() override {
        const bool synced = ::fsync(fd_) == 0;
        if (!synced) {
            lastError_ = static_cast<std::uint32_t>(errno);
        }
        const int fd = fd_;
        fd_ = -1;
        if (::close(fd) != 0) {
            return Fail();
        }
        return synced;
    }

private:
    bool Fail() {
        lastError_ = static_cast<std::uint32_t>(errno);
        return false;
    }

    int fd_;
    std::uint32_t& lastError_;
};

class PosixFileSystem final : public FileSystem {
public:
    std::optional<std::vector<std::byte>> ReadWholeFile(const fs::path& path) override {
        std::vector<std::byte> bytes;
        if (!ReadInto(path, bytes)) {
            return std::nullopt;
        }
        return bytes;
    }

    bool ReadUtf16UnitsInto(const fs::path& path, std::u16string& units) override {
        if (!ReadInto(path, units)) {
            return false;
        }
        if constexpr (std::endian::native == std::endian::big) {
            for (char16_t& unit : units) {
                unit = static_cast<char16_t>((unit >> 8) | (unit << 8));
            }
        }
        return true;
    }

    std::unique_ptr<WritableFile> OpenForWriting(const fs::path& path) override {
        const int fd = OpenWithRetries(path, O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
        if (fd < 0) {
            return nullptr;
        }
        return std::make_unique<PosixFile>(fd, lastError_);
    }

    bool MoveIntoPlace(const fs::path& source, const fs::path& target) override {
        if (std::rename(source.c_str(), target.c_str()) != 0) {
            return Remember();
        }
        SyncFolderOf(target);
        return true;
    }

    std::optional<std::vector<FolderEntry>> ListFolder(const fs::path& folder) override {
        std::error_code error;
        fs::directory_iterator it(folder, error);
        if (error) {
            return Remember(error), std::nullopt;
        }
        std::vector<FolderEntry> entries;
        for (; it != fs::directory_iterator(); it.increment(error)) {
            if (error) {
                return Remember(error), std::nullopt;
            }
            std::error_code kindError;
            entries.push_back({it->path().filename(), it->is_directory(kindError)});
        }
        return entries;
    }

    bool Exists(const fs::path& path) override {
        std::error_code error;
        return fs::exists(path, error);
    }

    bool IsFolder(const fs::path& path) override {
        std::error_code error;
        return fs::is_directory(path, error);
    }

    bool CreateFolder(const fs::path& path) override {
        if (::mkdir(path.c_str(), 0755) != 0) {
            return Remember();
        }
        return true;
    }

    bool Copy(const fs::path& from, const fs::path& to, bool failIfExists) override {
        std::error_code error;
        const auto options = failIfExists ? fs::copy_options::none : fs::copy_options::overwrite_existing;
        if (!fs::copy_file(from, to, options, error) || error) {
            return Remember(error ? error : std::make_error_code(std::errc::file_exists));
        }
        return true;
    }

    bool Move(const fs::path& from, const fs::path& to) override {
        if (Exists(to)) {
            lastError_ = EEXIST;
            return false;
        }
        if (std::rename(from.c_str(), to.c_str()) != 0) {
            return Remember();
        }
        return true;
    }

    bool Remove(const fs::path& path) override {
        if (::unlink(path.c_str()) != 0) {
            return Remember();
        }
        return true;
    }

    std::uint32_t LastError() const override { return lastError_; }

private:
    // Reads a whole file into buffer, a vector of bytes or a string of 16-bit units, straight from the
    // system (no copy in between); a final byte that does not fill a unit is dropped.
    template <class Buffer>
    bool ReadInto(const fs::path& path, Buffer& buffer) {
        constexpr std::size_t kUnit = sizeof(typename Buffer::value_type);
        const int fd = OpenWithRetries(path, O_RDONLY | O_CLOEXEC, 0);
        if (fd < 0) {
            return false;
        }
        struct stat info {};
        if (::fstat(fd, &info) != 0) {
            Remember();
            ::close(fd);
            return false;
        }
        // Files that report no size (such as those of /proc) are read until their end.
        const bool sized = info.st_size > 0;
        std::size_t capacity = sized ? static_cast<std::size_t>(info.st_size) : 65536;
        buffer.resize((capacity + kUnit - 1) / kUnit);
        std::size_t done = 0;
        for (;;) {
            if (done == capacity) {
                if (sized) {
                    break;
                }
                capacity *= 2;
                buffer.resize(capacity / kUnit);
            }
            std::byte* bytes = reinterpret_cast<std::byte*>(buffer.data());
            const ssize_t n = ::read(fd, bytes + done, capacity - done);
            if (n < 0) {
                if (errno == EINTR) {
                    continue;
                }
                Remember();
                ::close(fd);
                return false;
            }
            if (n == 0) {
                break;  // the file shrank while we read it
            }
            done += static_cast<std::size_t>(n);
        }
        ::close(fd);
        buffer.resize(done / kUnit);
        return true;
    }

    int OpenWithRetries(const fs::path& path, int flags, mode_t mode) {
        for (int attempt = 1;; ++attempt) {
            const int fd = ::open(path.c_str(), flags, mode);
            if (fd >= 0) {
                return fd;
            }
            Remember();
            // A file that is not there will not appear by waiting: reads give up at once.
            const bool missing = errno == ENOENT || errno == ENOTDIR;
            if (attempt == kOpenAttempts || (missing && (flags & O_ACCMODE) == O_RDONLY)) {
                return -1;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(kRetryDelayMs));
        }
    }

    static void SyncFolderOf(const fs::path& path) {
        const fs::path folder = path.has_parent_path() ? path.parent_path() : fs::path(".");
        const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        if (fd >= 0) {
            (void)::fsync(fd);
            ::close(fd);
        }
    }

    bool Remember() {
        lastError_ = static_cast<std::uint32_t>(errno);
        return false;
    }
    bool Remember(std::error_code error) {
        lastError_ = static_cast<std::uint32_t>(error.value());
        return false;
    }

    std::uint32_t lastError_ = 0;
};

}  // namespace

std::unique_ptr<FileSystem> CreateSystemFileSystem() { return std::make_unique<PosixFileSystem>(); }

}  // namespace tavrin
