#pragma once
// A throw-away portable installation: a fresh folder with a copy of tavrin.exe in it, removed with
// everything the program wrote when the test ends.

#include <windows.h>

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "driver_win.h"

namespace tavrin::e2e {

class PortableFolder {
public:
    PortableFolder();
    PortableFolder(const PortableFolder&) = delete;
    PortableFolder& operator=(const PortableFolder&) = delete;
    ~PortableFolder();

    [[nodiscard]] const std::filesystem::path& path() const noexcept { return path_; }
    [[nodiscard]] std::filesystem::path Exe() const { return path_ / L"tavrin.exe"; }
    [[nodiscard]] std::filesystem::path Ini() const { return path_ / L"tavrin.ini"; }

    // Starts the copy with the given arguments.
    [[nodiscard]] std::optional<drive::TavrinProcess> Start(const std::wstring& arguments = L"") const;

    [[nodiscard]] std::vector<std::byte> ReadFileBytes(const std::filesystem::path& file) const;
    void WriteFileBytes(const std::filesystem::path& file, const std::vector<std::byte>& bytes) const;

private:
    std::filesystem::path path_;
};

// The program as built, converted to the path Wine sees.
[[nodiscard]] std::filesystem::path BuiltTavrinExe();

// FF FE and the text as UTF-16LE, the form of every text file the program writes.
[[nodiscard]] std::vector<std::byte> Utf16File(const std::u16string& text);

// Today's date as the program's StartDate number, YYYYMMDD.
[[nodiscard]] int TodayYmd();

}  // namespace tavrin::e2e
