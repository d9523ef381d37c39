// Benchmarks of the diary store on a generated 50-year diary (1975 to 2024, about 11 MB in 599 month
// files) on the real file system.
#include <benchmark/benchmark.h>

#include <memory>

#include "diarygen/diary_generator.h"
#include "platform/utf16_file.h"
#include "store/diary_store.h"
#include "store/month_text.h"
#include "store_doubles.h"
#include "support/test_support.h"

namespace tavrin {
namespace {

using testing::FakeEditor;
using testing::FixedClock;
using testing::RecordingErrors;
using testing::RecordingView;
using testing::TempFolder;

// The generated diary, written once per process.
struct Diary {
    TempFolder exe;
    std::unique_ptr<FileSystem> fs = CreateSystemFileSystem();
    diarygen::GeneratedDiary generated = diarygen::GenerateDiary({});
    std::filesystem::path folder = exe.path() / "RaRorir";

    Diary() {
        if (!diarygen::WriteDiary(generated, *fs, folder)) {
            std::abort();
        }
    }
};

Diary& SharedDiary() {
    static Diary diary;
    return diary;
}

// A store on the shared diary with recording ports; no animation, so steps go straight to GoToDate.
struct Session {
    FixedClock clock{{2024, 12, 31, 9, 0, 0, 2}};
    FakeEditor editor;
    RecordingView view;
    RecordingErrors errors;
    DiaryStore store;

    Session()
        : store({*SharedDiary().fs, clock, editor, view, errors}, SharedDiary().exe.path(), u"RaRorir") {
        store.options.noAnimation = true;
    }
};

void BM_LoadYear(benchmark::State& state) {
    Diary& diary = SharedDiary();
    YearBuffer buffer;
    int year = 1975;
    for (auto _ : state) {
        LoadYear(buffer, *diary.fs, diary.folder, year);
        benchmark::DoNotOptimize(buffer.MonthLength(12));
        year = year == 2024 ? 1975 : year + 1;
    }
    state.SetItemsProcessed(state.iterations() * 12);  // month files
}
BENCHMARK(BM_LoadYear)->Unit(benchmark::kMicrosecond);

// The largest month of the diary, as a (year, month) pair.
std::pair<int, int> LargestMonth() {
    const diarygen::GeneratedFile* largest = &SharedDiary().generated.files.front();
    for (const diarygen::GeneratedFile& file : SharedDiary().generated.files) {
        if (file.bytes.size() > largest->bytes.size()) {
            largest = &file;
        }
    }
    return {largest->year, largest->month};
}

// One day of a full month edited and saved: month rebuilt, parsed, written to a temporary file,
// flushed to the disk and moved over the month file.
void BM_SaveCurrentEntry(benchmark::State& state) {
    const auto [year, month] = LargestMonth();
    Session session;
    session.store.ChooseStartDate(2, year * 10000 + month * 100 + 15);
    const std::u16string original = session.editor.text;
    bool flip = false;
    for (auto _ : state) {
        session.editor.Type(flip ? original : original + u"\n追記");
        flip = !flip;
        if (!session.store.SaveCurrentEntry(true)) {
            state.SkipWithError("save failed");
            break;
        }
    }
    state.counters["month_chars"] = static_cast<double>(session.store.Year().MonthLength(month));
    session.editor.Type(original);  // leave the shared diary as generated
    (void)session.store.SaveCurrentEntry(true);
}
BENCHMARK(BM_SaveCurrentEntry)->Unit(benchmark::kMicrosecond);

// The same save without the disk: the rebuild and parse of the month text alone.
void BM_RebuildFullMonth(benchmark::State& state) {
    const auto [year, month] = LargestMonth();
    Diary& diary = SharedDiary();
    const std::u16string text = *ReadMonthText(*diary.fs, MonthFilePath(diary.folder, year, month));
    MonthTable table;
    ParseMonthText(text, year, month, table);
    const std::u16string body =
        EditorTextToBody(BodyToEditorText(EntryBody(text, table[14])) + u"\n追記", false);
    for (auto _ : state) {
        const std::u16string rebuilt = BuildMonthText(year, month, text, table, 15, body);
        MonthTable parsed;
        ParseMonthText(rebuilt, year, month, parsed);
        benchmark::DoNotOptimize(parsed);
    }
}
BENCHMARK(BM_RebuildFullMonth)->Unit(benchmark::kMicrosecond);

// OldDiary from the newest year: entry index of all month files, the first file read, the oldest
// year loaded and its entry shown.
void BM_StepToEntryOldDiary(benchmark::State& state) {
    Session session;
    session.store.ChooseStartDate(2, 20240615);
    for (auto _ : state) {
        session.store.StepToEntry(StepCommand::kOldDiary, false);
        state.PauseTiming();
        if (session.store.SelectedDate().year != 1975 || !session.store.GoToDate({2024, 6, 15}, false)) {
            state.SkipWithError("did not reach the oldest entry");
        }
        state.ResumeTiming();
    }
}
BENCHMARK(BM_StepToEntryOldDiary)->Unit(benchmark::kMicrosecond);

// NewDiary from the oldest year, the other way round.
void BM_StepToEntryNewDiary(benchmark::State& state) {
    Session session;
    session.store.ChooseStartDate(2, 19750615);
    for (auto _ : state) {
        session.store.StepToEntry(StepCommand::kNewDiary, false);
        state.PauseTiming();
        if (session.store.SelectedDate().year != 2024 || !session.store.GoToDate({1975, 6, 15}, false)) {
            state.SkipWithError("did not reach the newest entry");
        }
        state.ResumeTiming();
    }
}
BENCHMARK(BM_StepToEntryNewDiary)->Unit(benchmark::kMicrosecond);

// Every entry of the diary in turn with NextDiary, from the oldest to the newest: stepping inside a
// year and, at each year's end, across to the next year's files.
void BM_WalkWholeDiaryNextDiary(benchmark::State& state) {
    const std::size_t entries = SharedDiary().generated.entries.size();
    for (auto _ : state) {
        Session session;
        const DiaryDate first = SharedDiary().generated.entries.begin()->first;
        session.store.ChooseStartDate(2, first.year * 10000 + first.month * 100 + first.day);
        for (std::size_t i = 1; i < entries; ++i) {
            session.store.StepToEntry(StepCommand::kNextDiary, false);
        }
        if (session.view.blinks != 0 ||
            session.store.SelectedDate() != SharedDiary().generated.entries.rbegin()->first) {
            state.SkipWithError("walk did not end at the newest entry");
        }
    }
    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(entries));
}
BENCHMARK(BM_WalkWholeDiaryNextDiary)->Unit(benchmark::kMillisecond);

// The start-up path with StartDateMode 1: entry index, the newest file, its year loaded, the entry shown.
void BM_ChooseStartDateNewest(benchmark::State& state) {
    for (auto _ : state) {
        Session session;
        session.store.ChooseStartDate(1, 0);
        benchmark::DoNotOptimize(session.editor.text.size());
    }
}
BENCHMARK(BM_ChooseStartDateNewest)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace tavrin
