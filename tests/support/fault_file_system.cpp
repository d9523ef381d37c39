#include "support/fault_file_system.h"

namespace tavrin::testing {
namespace {

class FaultInjectingFile final : public WritableFile {
public:
    FaultInjectingFile(std::unique_ptr<WritableFile> inner, FaultInjectingFileSystem& owner)
        : inner_(std::move(inner)), owner_(owner) {}

    bool Write(std::span<const std::byte> bytes) override {
        if (owner_.ShouldFail("Write")) {
            return false;
        }
        return inner_->Write(bytes);
    }
    bool Commit() override {
        if (owner_.ShouldFail("Commit")) {
            return false;
        }
        return inner_->Commit();
    }

private:
    std::unique_ptr<WritableFile> inner_;
    FaultInjectingFileSystem& owner_;
};

}  // namespace

bool FaultInjectingFileSystem::ShouldFail(const char* name) {
    ++count_;
    log_.emplace_back(name);
    const bool fail = failFrom_ > 0 && count_ >= failFrom_ && (!failOnly_ || count_ < failFrom_ + failCount_);
    if (fail) {
        lastError_ = kInjectedError;
        log_.back() += " (failed)";
    }
    return fail;
}

std::optional<std::vector<std::byte>> FaultInjectingFileSystem::ReadWholeFile(const std::filesystem::path& path) {
    if (ShouldFail("ReadWholeFile")) {
        return std::nullopt;
    }
    return inner_.ReadWholeFile(path);
}

std::unique_ptr<WritableFile> FaultInjectingFileSystem::OpenForWriting(const std::filesystem::path& path) {
    if (ShouldFail("OpenForWriting")) {
        return nullptr;
    }
    std::unique_ptr<WritableFile> file = inner_.OpenForWriting(path);
    if (!file) {
        return nullptr;
    }
    return std::make_unique<FaultInjectingFile>(std::move(file), *this);
}

bool FaultInjectingFileSystem::MoveIntoPlace(const std::filesystem::path& source,
                                             const std::filesystem::path& target) {
    return !ShouldFail("MoveIntoPlace") && inner_.MoveIntoPlace(source, target);
}

std::optional<std::vector<FolderEntry>> FaultInjectingFileSystem::ListFolder(
    const std::filesystem::path& folder) {
    if (ShouldFail("ListFolder")) {
        return std::nullopt;
    }
    std::optional<std::vector<FolderEntry>> entries = inner_.ListFolder(folder);
    if (entries && stampListings_) {
        for (FolderEntry& entry : *entries) {
            std::error_code sizeError;
            std::error_code timeError;
            const std::filesystem::path path = folder / entry.name;
            entry.size = entry.isFolder ? 0 : std::filesystem::file_size(path, sizeError);
            entry.writeTime = std::filesystem::last_write_time(path, timeError).time_since_epoch().count();
            entry.stamped = !sizeError && !timeError;
        }
    }
    return entries;
}

bool FaultInjectingFileSystem::Exists(const std::filesystem::path& path) {
    return !ShouldFail("Exists") && inner_.Exists(path);
}

bool FaultInjectingFileSystem::IsFolder(const std::filesystem::path& path) {
    return !ShouldFail("IsFolder") && inner_.IsFolder(path);
}

bool FaultInjectingFileSystem::CreateFolder(const std::filesystem::path& path) {
    return !ShouldFail("CreateFolder") && inner_.CreateFolder(path);
}

bool FaultInjectingFileSystem::Copy(const std::filesystem::path& from, const std::filesystem::path& to,
                                    bool failIfExists) {
    return !ShouldFail("Copy") && inner_.Copy(from, to, failIfExists);
}

bool FaultInjectingFileSystem::Move(const std::filesystem::path& from, const std::filesystem::path& to) {
    return !ShouldFail("Move") && inner_.Move(from, to);
}

bool FaultInjectingFileSystem::Remove(const std::filesystem::path& path) {
    return !ShouldFail("Remove") && inner_.Remove(path);
}

}  // namespace tavrin::testing
