// store_kill_test: a child process saves month files through the diary store in a loop, keeping the
// typed text in its recovery file as the program does, while this parent kills it (SIGKILL) at random
// moments and then checks every file:
//   store_kill_test [--rounds N] [--seed S] [--max-delay-us U] [--folder DIR]
// The folder is made afresh (default: under /dev/shm, else the temporary folder) and removed at the end.
// After every kill each month file must be one complete version the child wrote (every entry whole,
// every day present, nothing older than what was seen before), and each recovery file complete or
// absent. Prints the figures; exits 1 at the first broken file.
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <optional>
#include <random>
#include <string>
#include <thread>

#include "platform/clock.h"
#include "platform/utf16_file.h"
#include "store/diary_store.h"
#include "store/month_text.h"
#include "store/recovery_file.h"
#include "store/recovery_store.h"

extern char** environ;

namespace tavrin {
namespace {

namespace fs = std::filesystem;

constexpr std::array<DiaryDate, 6> kDates{
    {{2024, 5, 1}, {2024, 5, 2}, {2024, 5, 3}, {2024, 6, 1}, {2024, 6, 2}, {2024, 6, 3}}};
constexpr std::u16string_view kDiary = u"RaRorir";
// The child's end of the pipe on which it says it has started.
constexpr int kReadyFd = 3;

// The text the child types for a date in a given round: "r<round> d<day> " and a filler whose
// length and letters follow from both, so that any cut shows.
std::u16string TextFor(long long round, int day) {
    std::u16string text;
    const std::string head = "r" + std::to_string(round) + " d" + std::to_string(day) + " ";
    text.assign(head.begin(), head.end());
    const std::size_t filler = 100 + static_cast<std::size_t>((round * 7919 + day * 104729) % 12000);
    for (std::size_t i = 0; i < filler; ++i) {
        text.push_back(static_cast<char16_t>(u'あ' + (round + static_cast<long long>(i)) % 80));
        if (i % 70 == 69) {
            text.push_back(u'\n');
        }
    }
    return text;
}

// The round of a text that TextFor made for day, or nothing when the text is anything else.
std::optional<long long> RoundOf(std::u16string_view text, int day) {
    if (text.size() < 2 || text[0] != u'r') {
        return std::nullopt;
    }
    long long round = 0;
    std::size_t i = 1;
    for (; i < text.size() && text[i] >= u'0' && text[i] <= u'9'; ++i) {
        round = round * 10 + (text[i] - u'0');
    }
    if (i == 1 || TextFor(round, day) != text) {
        return std::nullopt;
    }
    return round;
}

// The month file as the program writes it, with every entry's text for its day.
std::u16string MonthFileText(const std::map<int, std::u16string>& days, int year, int month) {
    std::u16string text;
    for (const auto& [day, editorText] : days) {
        if (!text.empty()) {
            text += u"\r\n";
        }
        text += FormatHeader(year, month, day) + u"\r\n" + EditorTextToBody(editorText, false) + u"\r\n";
    }
    return text;
}

// ---- The child ----

class ChildEditor final : public EditorPort {
public:
    std::u16string text;
    bool modified = false;
    std::optional<std::u16string_view> Text() override { return std::u16string_view(text); }
    bool IsModified() override { return modified; }
    void MarkSaved() override { modified = false; }
    void SetText(std::u16string_view newText) override {
        text = newText;
        modified = false;
    }
    void SetReadOnly(bool) override {}
    std::size_t TextLength() override { return text.size(); }
    void Focus() override {}
};

class QuietView final : public StoreView {
public:
    void StartBlink() override {}
    void StopBlink() override {}
    bool IsAnimating() override { return false; }
    void StartMonthAnimation(const DiaryDate&) override {}
    void SelectedDateChanged() override {}
    void DayMarksChanged() override {}
    void DiarySwitched(std::u16string_view, const fs::path&) override {}
};

class IgnoredErrors final : public ErrorSink {
public:
    void Report(const UserError&) override {}
};

class FixedDate final : public Clock {
public:
    LocalDateTime Now() const override { return {2024, 5, 1, 9, 0, 0, 3}; }
};

// Types a new text for each date in turn, has it kept for recovery, and moves on (which saves it). The
// first date is chosen by the first round's number.
[[noreturn]] void RunChild(const fs::path& folder, long long firstRound) {
    auto system = CreateSystemFileSystem();
    FixedDate clock;
    ChildEditor editor;
    QuietView view;
    IgnoredErrors errors;
    RecoveryStore recovery(CreateSystemFileSystem(), folder);
    DiaryStore store({*system, clock, editor, view, errors}, folder, std::u16string(kDiary));
    store.SetRecovery(&recovery);
    const DiaryDate& first = kDates[static_cast<std::size_t>(firstRound / 1'000'000 % kDates.size())];
    store.ChooseStartDate(2, first.year * 10000 + first.month * 100 + first.day);
    // Tell the parent that start-up is over: its kill is to land among the saves.
    (void)!::write(kReadyFd, "r", 1);
    ::close(kReadyFd);
    for (long long round = firstRound;; ++round) {
        const DiaryDate& date = store.SelectedDate();
        editor.text = TextFor(round, date.day);
        editor.modified = true;
        store.KeepUnsavedText();
        const auto next = std::find(kDates.begin(), kDates.end(), date) + 1;
        (void)store.GoToDate(next == kDates.end() ? kDates.front() : *next, false);
    }
}

// ---- The parent ----

struct Figures {
    long long rounds = 0;
    long long monthChecks = 0;
    long long recoveryFilesComplete = 0;
    long long recoveryFilesAbsent = 0;
    long long killsInsideAWrite = 0;  // a temporary file was left beside a month or recovery file
    long long versionsSeen = 0;       // distinct month-file versions found after kills
};

class Checker {
public:
    explicit Checker(fs::path folder) : folder_(std::move(folder)) {}

    // Checks every file; the reason when one is broken.
    std::optional<std::string> Check(Figures& figures) {
        const fs::path diary = folder_ / fs::path(kDiary);
        for (const int month : {5, 6}) {
            if (auto broken = CheckMonth(diary / fs::path(MonthFileName(2024, month)), month, figures)) {
                return broken;
            }
        }
        for (const DiaryDate& date : kDates) {
            if (auto broken = CheckRecovery(RecoveryFilePath(folder_, kDiary, date), date, figures)) {
                return broken;
            }
        }
        // A temporary file left behind shows the kill came inside a write. It is removed, so that the
        // next one shows the next such kill.
        bool insideAWrite = false;
        for (const fs::path& folder : {diary, RecoveryFolder(folder_) / fs::path(kDiary)}) {
            std::error_code error;
            for (const auto& entry : fs::directory_iterator(folder, error)) {
                if (entry.path().extension() == ".tavrin-new") {
                    insideAWrite = true;
                    fs::remove(entry.path(), error);
                }
            }
        }
        figures.killsInsideAWrite += insideAWrite ? 1 : 0;
        return std::nullopt;
    }

private:
    std::optional<std::string> CheckMonth(const fs::path& file, int month, Figures& figures) {
        auto system = CreateSystemFileSystem();
        const std::optional<std::vector<std::byte>> bytes = system->ReadWholeFile(file);
        if (!bytes) {
            return "month file missing: " + file.string();
        }
        const std::u16string text = DecodeUtf16File(*bytes);
        MonthTable table{};
        ParseMonthText(text, 2024, month, table);
        std::map<int, std::u16string> days;
        for (int day = 1; day <= 3; ++day) {
            const std::u16string editorText =
                BodyToEditorText(EntryBody(text, table[static_cast<std::size_t>(day - 1)]));
            const std::optional<long long> round = RoundOf(editorText, day);
            if (!round) {
                return "month " + std::to_string(month) + " day " + std::to_string(day) +
                       ": not a whole entry";
            }
            long long& last = lastRound_[month * 100 + day];
            if (*round < last) {
                return "month " + std::to_string(month) + " day " + std::to_string(day) +
                       ": went back from round " + std::to_string(last) + " to " + std::to_string(*round);
            }
            figures.versionsSeen += *round != last ? 1 : 0;
            last = *round;
            days[day] = editorText;
        }
        if (*bytes != [&] {
                std::vector<std::byte> expected(Utf16ByteOrderMark().begin(), Utf16ByteOrderMark().end());
                const std::vector<std::byte> body = EncodeUtf16Le(MonthFileText(days, 2024, month));
                expected.insert(expected.end(), body.begin(), body.end());
                return expected;
            }()) {
            return "month " + std::to_string(month) + ": not byte for byte a file the program writes";
        }
        ++figures.monthChecks;
        return std::nullopt;
    }

    std::optional<std::string> CheckRecovery(const fs::path& file, const DiaryDate& date, Figures& figures) {
        if (!fs::exists(file)) {
            ++figures.recoveryFilesAbsent;
            return std::nullopt;
        }
        auto system = CreateSystemFileSystem();
        const std::optional<std::u16string> text = ReadUtf16File(*system, file);
        if (!text || !RoundOf(RecoveredEditorText(*text, date), date.day) ||
            *text != ComposeRecoveryText(date, RecoveredEditorText(*text, date))) {
            return "recovery file not complete: " + file.string();
        }
        ++figures.recoveryFilesComplete;
        return std::nullopt;
    }

    fs::path folder_;
    std::map<int, long long> lastRound_;
};

void SeedDiary(const fs::path& folder) {
    auto system = CreateSystemFileSystem();
    fs::create_directories(folder / fs::path(kDiary));
    for (const int month : {5, 6}) {
        std::map<int, std::u16string> days;
        for (int day = 1; day <= 3; ++day) {
            days[day] = TextFor(0, day);
        }
        (void)WriteUtf16File(*system, folder / fs::path(kDiary) / fs::path(MonthFileName(2024, month)),
                             MonthFileText(days, 2024, month));
    }
}

// Starts the child and waits until it has loaded the diary (or died); -1 when it cannot be started.
pid_t SpawnChild(const std::string& self, const fs::path& folder, long long firstRound) {
    std::string folderText = folder.string();
    std::string roundText = std::to_string(firstRound);
    std::string childFlag = "--child";
    char* argv[] = {const_cast<char*>(self.c_str()), childFlag.data(), folderText.data(), roundText.data(),
                    nullptr};
    int ready[2] = {-1, -1};
    if (::pipe(ready) != 0) {
        return -1;
    }
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, ready[1], kReadyFd);
    pid_t child = -1;
    const int spawned = posix_spawn(&child, self.c_str(), &actions, nullptr, argv, environ);
    posix_spawn_file_actions_destroy(&actions);
    ::close(ready[1]);
    char byte = 0;
    if (spawned == 0) {
        (void)!::read(ready[0], &byte, 1);
    }
    ::close(ready[0]);
    return spawned == 0 ? child : -1;
}

int RunParent(int rounds, unsigned seed, int maxDelayUs, fs::path folder) {
    const bool ownFolder = folder.empty();
    if (ownFolder) {
        // A memory file system when there is one: many more saves per kill, so that kills land in every
        // step of a save. Atomicity against a killed process does not depend on the disk.
        std::error_code error;
        const fs::path base =
            fs::is_directory("/dev/shm", error) ? fs::path("/dev/shm") : fs::temp_directory_path();
        folder = base / ("tavrin-kill-" + std::to_string(::getpid()));
    }
    fs::remove_all(folder);
    SeedDiary(folder);
    const std::string self = fs::read_symlink("/proc/self/exe").string();
    std::mt19937 random(seed);
    std::uniform_int_distribution<int> delay(0, maxDelayUs);
    Checker checker(folder);
    Figures figures;
    const auto start = std::chrono::steady_clock::now();
    for (int round = 1; round <= rounds; ++round) {
        const pid_t child = SpawnChild(self, folder, static_cast<long long>(round) * 1'000'000);
        if (child < 0) {
            std::fprintf(stderr, "cannot start the child\n");
            return 1;
        }
        std::this_thread::sleep_for(std::chrono::microseconds(delay(random)));
        ::kill(child, SIGKILL);
        int status = 0;
        ::waitpid(child, &status, 0);
        ++figures.rounds;
        if (const std::optional<std::string> broken = checker.Check(figures)) {
            std::fprintf(stderr, "after kill %d: %s (files kept in %s)\n", round, broken->c_str(),
                         folder.c_str());
            return 1;
        }
    }
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    std::printf(
        "%lld kills in %.1f s: %lld month-file checks, every one a whole version (%lld new versions seen);"
        " recovery files %lld complete, %lld absent, none torn; %lld kills left a temporary file behind"
        " (killed inside a write)\n",
        figures.rounds, seconds, figures.monthChecks, figures.versionsSeen, figures.recoveryFilesComplete,
        figures.recoveryFilesAbsent, figures.killsInsideAWrite);
    if (ownFolder) {
        fs::remove_all(folder);
    }
    return 0;
}

}  // namespace
}  // namespace tavrin

int main(int argc, char** argv) {
    if (argc == 4 && std::string(argv[1]) == "--child") {
        tavrin::RunChild(argv[2], std::atoll(argv[3]));
    }
    int rounds = 200;
    unsigned seed = 1;
    int maxDelayUs = 20000;
    std::filesystem::path folder;
    for (int i = 1; i + 1 < argc; i += 2) {
        const std::string option = argv[i];
        if (option == "--rounds") {
            rounds = std::atoi(argv[i + 1]);
        } else if (option == "--seed") {
            seed = static_cast<unsigned>(std::atoi(argv[i + 1]));
        } else if (option == "--max-delay-us") {
            maxDelayUs = std::atoi(argv[i + 1]);
        } else if (option == "--folder") {
            folder = argv[i + 1];
        }
    }
    return tavrin::RunParent(rounds, seed, maxDelayUs, folder);
}
