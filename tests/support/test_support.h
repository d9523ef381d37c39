#pragma once
// Helpers shared by the test programs: temporary folders, a fixed clock and byte/text conversions.

#include <cstddef>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "platform/clock.h"

namespace tavrin::testing {

// A fresh, empty folder that is removed with everything in it when the object goes away.
class TempFolder {
public:
    TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;
    ~TempFolder();
    [[nodiscard]] const std::filesystem::path& path() const noexcept { return path_; }

private:
    std::filesystem::path path_;
};

// A clock that says whatever the test sets.
class FixedClock final : public Clock {
public:
    explicit FixedClock(LocalDateTime now = {2024, 5, 1, 9, 30, 0, 3}) : now_(now) {}
    [[nodiscard]] LocalDateTime Now() const override { return now_; }
    void Set(LocalDateTime now) { now_ = now; }

private:
    LocalDateTime now_;
};

// The raw bytes of a file (empty when it cannot be read) and writing raw bytes.
[[nodiscard]] std::vector<std::byte> ReadBytes(const std::filesystem::path& path);
void WriteBytes(const std::filesystem::path& path, const std::vector<std::byte>& bytes);

// FF FE followed by text as UTF-16LE: what the program writes for every text file.
[[nodiscard]] std::vector<std::byte> Utf16FileBytes(std::u16string_view text);

// UTF-8 literal to UTF-16, for readable test sources.
[[nodiscard]] std::u16string U(std::string_view utf8);

}  // namespace tavrin::testing
