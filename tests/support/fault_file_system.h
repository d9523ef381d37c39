#pragma once

#include <functional>
#include <string>
#include <vector>

#include "platform/file_system.h"

namespace tavrin::testing {

// Wraps a real file system and makes chosen operations fail. Every call counts as one operation,
// including Write and Commit on files it opened, numbered from 1 in call order. With failFrom = N the
// Nth and every later operation fails (FailOnly makes it just the Nth, FailFor a run of them). Failing
// operations do nothing to the wrapped file system and report error code 112 (disk full). The names of
// all operations seen are kept for diagnostics. The pause between retries is skipped and counted, not
// taken for an operation.
class FaultInjectingFileSystem final : public FileSystem {
public:
    explicit FaultInjectingFileSystem(FileSystem& inner) : inner_(inner) {}

    void FailFrom(int operation) {
        failFrom_ = operation;
        failOnly_ = false;
    }
    void FailOnly(int operation) { FailFor(operation, 1); }
    // Operations operation to operation + count - 1 fail.
    void FailFor(int operation, int count) {
        failFrom_ = operation;
        failOnly_ = true;
        failCount_ = count;
    }
    void Heal() { failFrom_ = 0; }
    void ResetCount() {
        count_ = 0;
        retryWaits_ = 0;
        lastError_ = 0;
        log_.clear();
    }
    // Listings give every file's size and write time, as the Win32 listing does (the POSIX one does
    // not, to spare a call per file).
    void StampListings() { stampListings_ = true; }
    [[nodiscard]] int OperationCount() const { return count_; }
    [[nodiscard]] int RetryWaits() const { return retryWaits_; }
    [[nodiscard]] const std::vector<std::string>& Log() const { return log_; }

    std::optional<std::vector<std::byte>> ReadWholeFile(const std::filesystem::path& path) override;
    std::unique_ptr<WritableFile> OpenForWriting(const std::filesystem::path& path) override;
    bool MoveIntoPlace(const std::filesystem::path& source, const std::filesystem::path& target) override;
    std::optional<std::vector<FolderEntry>> ListFolder(const std::filesystem::path& folder) override;
    bool Exists(const std::filesystem::path& path) override;
    bool IsFolder(const std::filesystem::path& path) override;
    bool CreateFolder(const std::filesystem::path& path) override;
    bool Copy(const std::filesystem::path& from, const std::filesystem::path& to, bool failIfExists) override;
    bool Move(const std::filesystem::path& from, const std::filesystem::path& to) override;
    bool Remove(const std::filesystem::path& path) override;
    // The injected error after an injected failure, else what the wrapped file system says.
    std::uint32_t LastError() const override { return lastError_ ? lastError_ : inner_.LastError(); }
    void WaitBeforeRetry() override { ++retryWaits_; }

    // True when this operation is to fail; counts it.
    bool ShouldFail(const char* name);

    static constexpr std::uint32_t kInjectedError = 112;

private:
    FileSystem& inner_;
    int count_ = 0;
    int failFrom_ = 0;
    bool failOnly_ = false;
    bool stampListings_ = false;
    int failCount_ = 1;
    int retryWaits_ = 0;
    std::uint32_t lastError_ = 0;
    std::vector<std::string> log_;
};

}  // namespace tavrin::testing
