#pragma once
// Realistic test diaries: years of daily entries in month files, for tests, benchmarks and end-to-end
// runs. The output is a pure function of the options (the random numbers are the generator's own, not
// the standard library's distributions, so every platform writes the same bytes).
//
// The month files are written here independently of the store's code, following the file format: the
// tests then check the store's reading against this writer.

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "calendar/diary_date.h"
#include "platform/file_system.h"

namespace tavrin::diarygen {

struct GeneratorOptions {
    int years = 50;       // how many years, ending with lastYear
    int lastYear = 2024;  // 1 to 9999
    std::uint64_t seed = 1;
    int entryPercent = 85;  // share of days that get an entry
    // Hand-edited months in the first year: no byte-order mark (March), unpadded dates and a note after
    // a date (May), lone LF line ends (July), text before the first header (September), a file holding
    // only the byte-order mark (November) and a month without file (December).
    bool oddities = true;
};

// One month file: its name "YYYYMM.txt" and its whole content.
struct GeneratedFile {
    int year = 0;
    int month = 0;
    std::vector<std::byte> bytes;
};

struct GeneratedDiary {
    std::vector<GeneratedFile> files;
    // Every entry as the editor shows it (lines separated by LF, without the stored TABs).
    std::map<DiaryDate, std::u16string> entries;
    [[nodiscard]] std::size_t TotalBytes() const;
};

[[nodiscard]] GeneratedDiary GenerateDiary(const GeneratorOptions& options);

// Writes the month files into diaryFolder (created when missing, with its parents). False on the first
// failure.
[[nodiscard]] bool WriteDiary(const GeneratedDiary& diary, FileSystem& fs,
                              const std::filesystem::path& diaryFolder);

}  // namespace tavrin::diarygen
