#pragma once
// Test doubles of the diary store's tests: a file system with locked files and the editor and view
// ports.

#include <set>
#include <string>
#include <vector>

#include "platform/file_system.h"

namespace tavrin::testing {

// Forwards to a real file system, except that reading a locked path fails as if another process held
// the file open.
class LockingFileSystem final : public FileSystem {
  public:
    explicit LockingFileSystem(FileSystem& inner) : inner_(inner) {}

    void Lock(const std::filesystem::path& path) { locked_.insert(path); }
    void Unlock(const std::filesystem::path& path) { locked_.erase(path); }
    [[nodiscard]] int Reads() const { return reads_; }

    std::optional<std::vector<std::byte>> ReadWholeFile(const std::filesystem::path& path) override {
        ++reads_;
        if (locked_.count(path) != 0) {
            return std::nullopt;
        }
        return inner_.ReadWholeFile(path);
    }
    std::unique_ptr<WritableFile> OpenForWriting(const std::filesystem::path& path) override {
        return inner_.OpenForWriting(path);
    }
    bool MoveIntoPlace(const std::filesystem::path& source, const std::filesystem::path& target) override {
        return inner_.MoveIntoPlace(source, target);
    }
    std::optional<std::vector<FolderEntry>> ListFolder(const std::filesystem::path& folder) override {
        return inner_.ListFolder(folder);
    }
    bool Exists(const std::filesystem::path& path) override { return inner_.Exists(path); }
    bool IsFolder(const std::filesystem::path& path) override { return inner_.IsFolder(path); }
    bool CreateFolder(const std::filesystem::path& path) override { return inner_.CreateFolder(path); }
    bool Copy(const std::filesystem::path& from, const std::filesystem::path& to,
              bool failIfExists) override {
        return inner_.Copy(from, to, failIfExists);
    }
    bool Move(const std::filesystem::path& from, const std::filesystem::path& to) override {
        return inner_.Move(from, to);
    }
    bool Remove(const std::filesystem::path& path) override { return inner_.Remove(path); }
    std::uint32_t LastError() const override { return inner_.LastError(); }

  private:
    FileSystem& inner_;
    std::set<std::filesystem::path> locked_;
    int reads_ = 0;
};

}  // namespace tavrin::testing
