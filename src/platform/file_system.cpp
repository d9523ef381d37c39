#include "platform/file_system.h"

#include <chrono>
#include <thread>

namespace tavrin {

bool FileSystem::ReadUtf16UnitsInto(const std::filesystem::path& path, std::u16string& units) {
    const std::optional<std::vector<std::byte>> bytes = ReadWholeFile(path);
    if (!bytes) {
        return false;
    }
    units.resize(bytes->size() / 2);
    for (std::size_t i = 0; i < units.size(); ++i) {
        units[i] = static_cast<char16_t>(std::to_integer<unsigned>((*bytes)[2 * i]) |
                                         (std::to_integer<unsigned>((*bytes)[2 * i + 1]) << 8));
    }
    return true;
}

void FileSystem::WaitBeforeRetry() { std::this_thread::sleep_for(std::chrono::milliseconds(kRetryDelayMs)); }

std::filesystem::path TemporaryPathFor(const std::filesystem::path& target) {
    std::filesystem::path temp = target;
    temp += u".tavrin-new";
    return temp;
}

namespace {

bool MoveIntoPlaceWithRetries(FileSystem& fs, const std::filesystem::path& source,
                              const std::filesystem::path& target) {
    for (int attempt = 1;; ++attempt) {
        if (fs.MoveIntoPlace(source, target)) {
            return true;
        }
        if (attempt == FileSystem::kOpenAttempts) {
            return false;
        }
        fs.WaitBeforeRetry();
    }
}

}  // namespace

WriteResult WriteFileAtomically(FileSystem& fs, const std::filesystem::path& target,
                                std::span<const std::span<const std::byte>> pieces) {
    const std::filesystem::path temp = TemporaryPathFor(target);
    std::unique_ptr<WritableFile> file = fs.OpenForWriting(temp);
    if (!file) {
        return {WriteStatus::kCreateFailed, -1};
    }
    WriteResult result;
    for (std::size_t i = 0; i < pieces.size(); ++i) {
        if (!file->Write(pieces[i])) {
            result = {WriteStatus::kWriteFailed, static_cast<int>(i)};
            break;
        }
    }
    if (result.ok() && !file->Commit()) {
        result = {WriteStatus::kCommitFailed, -1};
    }
    file.reset();
    if (result.ok() && !MoveIntoPlaceWithRetries(fs, temp, target)) {
        result = {WriteStatus::kCommitFailed, -1};
    }
    if (!result.ok()) {
        // Best effort: a leftover temporary file is harmless, the target is untouched either way.
        (void)fs.Remove(temp);
    }
    return result;
}

std::u16string PathText(const std::filesystem::path& path) {
    try {
        return path.u16string();
    } catch (...) {
        return {};
    }
}

}  // namespace tavrin
