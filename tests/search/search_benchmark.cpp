// The full-text search over a generated 50-year diary (1975 to 2024, about 11 MB in 599 month files)
// on the real file system, side by side with ripgrep ("rg -j1 -F -i -l WORD", plus -w for the
// whole-word case) over the same folder in the same run. Each case reports both median times and
// their ratio as counters; without rg on the PATH the comparison is skipped and the label says so.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "diarygen/diary_generator.h"
#include "platform/text.h"
#include "search/full_text_search.h"
#include "support/fault_file_system.h"
#include "support/test_support.h"

extern char** environ;

namespace tavrin {
namespace {

constexpr int kTimedRuns = 21;

struct Diary {
    testing::TempFolder exe;
    std::unique_ptr<FileSystem> fs = CreateSystemFileSystem();
    // With each file's size and time in the listing, as the Win32 listing gives them, for the cache.
    testing::FaultInjectingFileSystem stamped{*fs};
    std::filesystem::path folder = exe.path() / "RaRorir";
    YearBuffer displayedYear;

    Diary() {
        stamped.StampListings();
        const diarygen::GeneratedDiary diary = diarygen::GenerateDiary({});
        if (!diarygen::WriteDiary(diary, *fs, folder)) {
            std::abort();
        }
        LoadYear(displayedYear, *fs, folder, 2024);  // the program holds the selected date's year
    }
};

Diary& SharedDiary() {
    static Diary diary;
    return diary;
}

class NeverInterrupted final : public SearchInterruption {
public:
    bool StopRequested() override { return false; }
};

class FailOnError final : public ErrorSink {
public:
    void Report(const UserError&) override { std::abort(); }
};

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

// One core search; the number of hits. With cached, the search keeps the months it read, as the
// program does, so that only the first run reads the files.
int CoreSearch(std::u16string_view word, bool wordOnly, bool cached = false) {
    Diary& diary = SharedDiary();
    NeverInterrupted interruption;
    FailOnError errors;
    SearchSettings settings;
    settings.wordOnly = wordOnly ? 1 : 0;
    // One state for every run, as the program holds one for its lifetime: each search empties the
    // results of the one before, and that is part of its time.
    static SearchState state;
    FileSystem& files = cached ? static_cast<FileSystem&>(diary.stamped) : *diary.fs;
    const SearchEnvironment environment{
        files,  diary.exe.path().u16string(),   u"RaRorir", diary.displayedYear, interruption,
        errors, cached ? &state.cache : nullptr};
    if (!RunSearch(state, settings, word, environment)) {
        std::abort();
    }
    return state.results.Count();
}

// Milliseconds of one ripgrep run over the diary folder, output discarded; nothing when rg cannot be
// started.
std::optional<double> RipgrepMilliseconds(const std::string& word, bool wordOnly) {
    std::vector<std::string> args{"rg", "-j1", "-F", "-i", "-l"};
    if (wordOnly) {
        args.emplace_back("-w");
    }
    args.push_back(word);
    args.push_back(SharedDiary().folder.string());
    std::vector<char*> argv;
    for (std::string& arg : args) {
        argv.push_back(arg.data());
    }
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    const auto start = std::chrono::steady_clock::now();
    pid_t pid = 0;
    const int spawned = posix_spawnp(&pid, "rg", &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (spawned != 0) {
        return std::nullopt;
    }
    int status = 0;
    waitpid(pid, &status, 0);
    const auto end = std::chrono::steady_clock::now();
    // rg exits with 1 when nothing matched and 2 on errors; 127 is the shell convention for "not found".
    if (!WIFEXITED(status) || WEXITSTATUS(status) > 1) {
        return std::nullopt;
    }
    return std::chrono::duration<double, std::milli>(end - start).count();
}

void BM_SearchVersusRipgrep(benchmark::State& state, std::u16string word, bool wordOnly) {
    int hits = 0;
    for (auto _ : state) {
        hits = CoreSearch(word, wordOnly);
        benchmark::DoNotOptimize(hits);
    }
    state.counters["hits"] = hits;

    // Medians of separately timed runs, interleaved so that both see the same machine state.
    std::vector<double> core;
    std::vector<double> ripgrep;
    const std::string rgWord = ToUtf8(word);
    bool haveRipgrep = true;
    for (int run = 0; run < kTimedRuns; ++run) {
        const auto start = std::chrono::steady_clock::now();
        benchmark::DoNotOptimize(CoreSearch(word, wordOnly));
        core.push_back(
            std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
        if (haveRipgrep) {
            const std::optional<double> milliseconds = RipgrepMilliseconds(rgWord, wordOnly);
            haveRipgrep = milliseconds.has_value();
            if (haveRipgrep) {
                ripgrep.push_back(*milliseconds);
            }
        }
    }
    state.counters["core_ms"] = Median(core);
    if (!haveRipgrep) {
        state.SetLabel("ripgrep (rg) not found or failed: comparison skipped");
        return;
    }
    state.counters["rg_ms"] = Median(ripgrep);
    state.counters["core/rg"] = Median(core) / Median(ripgrep);
}

// Searching again with the months kept from the search before: what a user waits for from the
// second search on (no comparison: ripgrep reads every time).
void BM_RepeatedSearchWithCache(benchmark::State& state, std::u16string word) {
    int hits = CoreSearch(word, false, true);
    for (auto _ : state) {
        hits = CoreSearch(word, false, true);
        benchmark::DoNotOptimize(hits);
    }
    state.counters["hits"] = hits;
}

BENCHMARK_CAPTURE(BM_RepeatedSearchWithCache, dense_japanese_word, std::u16string(u"った"))
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_RepeatedSearchWithCache, rare_word, std::u16string(u"書き直した"))
    ->Unit(benchmark::kMillisecond);

BENCHMARK_CAPTURE(BM_SearchVersusRipgrep, rare_word, std::u16string(u"書き直した"), false)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_SearchVersusRipgrep, common_japanese_word, std::u16string(u"コーヒー"), false)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_SearchVersusRipgrep, whole_word, std::u16string(u"walk"), true)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_SearchVersusRipgrep, absent_word, std::u16string(u"zeppelin"), false)
    ->Unit(benchmark::kMillisecond);
// Words found in about nine entries of ten: ripgrep stops reading a file at its first match, while
// every entry has to be looked at for the result list.
BENCHMARK_CAPTURE(BM_SearchVersusRipgrep, dense_japanese_word, std::u16string(u"った"), false)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_SearchVersusRipgrep, dense_latin_word, std::u16string(u"ED"), false)
    ->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace tavrin
