// tavrin_diarygen: writes a generated test diary into a folder.
//   tavrin_diarygen --out FOLDER [--years N] [--last-year YYYY] [--seed S] [--entry-percent P]
//                   [--no-oddities]
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "diarygen/diary_generator.h"
#include "platform/file_system.h"

namespace {

void PrintUsage() {
    std::fputs(
        "usage: tavrin_diarygen --out FOLDER [--years N] [--last-year YYYY] [--seed S]\n"
        "                       [--entry-percent P] [--no-oddities]\n"
        "Writes N years (default 50) of month files ending with YYYY (default 2024) into FOLDER.\n",
        stderr);
}

bool ReadNumber(const char* text, long long low, long long high, long long& value) {
    char* end = nullptr;
    value = std::strtoll(text, &end, 10);
    return end != text && *end == '\0' && value >= low && value <= high;
}

}  // namespace

int main(int argc, char** argv) {
    tavrin::diarygen::GeneratorOptions options;
    std::string out;
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        const bool hasValue = i + 1 < argc;
        long long value = 0;
        if (arg == "--no-oddities") {
            options.oddities = false;
        } else if (arg == "--out" && hasValue) {
            out = argv[++i];
        } else if (arg == "--years" && hasValue && ReadNumber(argv[++i], 1, 9999, value)) {
            options.years = static_cast<int>(value);
        } else if (arg == "--last-year" && hasValue && ReadNumber(argv[++i], 1, 9999, value)) {
            options.lastYear = static_cast<int>(value);
        } else if (arg == "--seed" && hasValue && ReadNumber(argv[++i], 0, INT64_MAX, value)) {
            options.seed = static_cast<std::uint64_t>(value);
        } else if (arg == "--entry-percent" && hasValue && ReadNumber(argv[++i], 0, 100, value)) {
            options.entryPercent = static_cast<int>(value);
        } else {
            PrintUsage();
            return 2;
        }
    }
    if (out.empty()) {
        PrintUsage();
        return 2;
    }
    const tavrin::diarygen::GeneratedDiary diary = tavrin::diarygen::GenerateDiary(options);
    const auto fs = tavrin::CreateSystemFileSystem();
    if (!tavrin::diarygen::WriteDiary(diary, *fs, out)) {
        std::fprintf(stderr, "tavrin_diarygen: cannot write into %s (error %u)\n", out.c_str(),
                     fs->LastError());
        return 1;
    }
    std::printf("%zu month files, %zu entries, %zu bytes in %s\n", diary.files.size(), diary.entries.size(),
                diary.TotalBytes(), out.c_str());
    return 0;
}
