#pragma once
// A throw-away portable installation: a fresh folder with a copy of tavrin.exe in it, removed with
// everything the program wrote when the test ends; and the files a test puts there or reads back.

#include <windows.h>

#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "calendar/diary_date.h"
#include "driver_win.h"

namespace tavrin::e2e {

// Entries of a diary: YYYYMM -> day -> entry text (lines separated by LF).
using DiaryMonths = std::map<int, std::map<int, std::u16string>>;

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
    // A text file as the program writes it (UTF-16LE after FF FE), decoded; "" when it cannot be read.
    [[nodiscard]] std::u16string ReadTextFile(const std::filesystem::path& file) const;

    [[nodiscard]] std::u16string SettingsText() const { return ReadTextFile(Ini()); }
    void WriteSettings(const std::u16string& text) const;
    // Creates the diary folder of that name and writes its month files.
    void WriteDiary(const std::wstring& name, const DiaryMonths& months) const;

private:
    std::filesystem::path path_;
};

// The program as built, converted to the path Wine sees.
[[nodiscard]] std::filesystem::path BuiltTavrinExe();

// FF FE and the text as UTF-16LE, the form of every text file the program writes.
[[nodiscard]] std::vector<std::byte> Utf16File(const std::u16string& text);

// A month file as the program writes it: "YYYY/MM/DD" headers, every body line behind a TAB, CR LF
// line ends, one empty line between entries.
[[nodiscard]] std::u16string MonthFileText(int yearMonth, const std::map<int, std::u16string>& days);

// Today's date, and as the program's StartDate number, YYYYMMDD.
[[nodiscard]] DiaryDate Today();
[[nodiscard]] int TodayYmd();

}  // namespace tavrin::e2e
