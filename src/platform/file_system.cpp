#include "platform/file_system.h"

namespace tavrin {

bool FileSystem::ReadWholeFileInto(const std::filesystem::path& path, std::vector<std::byte>& bytes) {
    std::optional<std::vector<std::byte>> content = ReadWholeFile(path);
    if (!content) {
        return false;
    }
    bytes = std::move(*content);
    return true;
}

std::filesystem::path TemporaryPathFor(const std::filesystem::path& target) {
    std::filesystem::path temp = target;
    temp += u".tavrin-new";
    return temp;
}

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
    if (result.ok() && !fs.MoveIntoPlace(temp, target)) {
        result = {WriteStatus::kCommitFailed, -1};
    }
    if (!result.ok()) {
        // Best effort: a leftover temporary file is harmless, the target is untouched either way.
        (void)fs.Remove(temp);
    }
    return result;
}

}  // namespace tavrin
