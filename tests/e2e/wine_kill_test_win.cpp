// tavrin_wine_kill_test: the real tavrin.exe killed (TerminateProcess) at random moments while the user
// types and saves, then started again:
//   tavrin_wine_kill_test [--rounds N] [--seed S] [--log-from ROUND]
// In each round the program is started in the same portable folder; when it offers recovered texts
// the answer is Yes. Then every month file must be byte for byte one the program could have written
// from texts the user had typed (never torn), every recovery file complete, and today's and
// tomorrow's entries must hold at least what was typed 3 seconds before the kill (the recovery file is
// written within about two seconds of a change). Then text is typed, saved and moved
// between the two days at random, and the process is killed at a random moment. Prints the figures;
// exits 1 at the first lost word or broken file.
#include <windows.h>

#include <cstdio>
#include <map>
#include <optional>
#include <random>
#include <string>
#include <vector>

#include "calendar/calendar_rules.h"
#include "driver_win.h"
#include "platform/text.h"
#include "platform/utf16_file.h"
#include "platform/wide_win.h"
#include "portable_folder_win.h"
#include "store/month_text.h"
#include "store/recovery_file.h"

namespace tavrin::e2e {
namespace {

constexpr DWORD kTimeoutMs = 30000;
constexpr int kPrevDay = 41024;
constexpr int kNextDay = 41025;
constexpr int kSaveAs = 41032;
// A change is handed to the recovery file within about two seconds; a second more allows for writing
// it on a loaded machine.
constexpr ULONGLONG kRecoveryDelayMs = 3000;

// What the user typed into one day's entry: every text the editor held, oldest first, with the time it
// was reached. The editor's caret goes to the start whenever the entry is loaded.
struct DayHistory {
    std::vector<std::u16string> versions{u""};
    std::vector<ULONGLONG> reachedAt{0};
    std::size_t shown = 0;  // the version the editor holds now
    std::size_t caret = 0;

    void Reach(std::u16string text) {
        versions.push_back(std::move(text));
        reachedAt.push_back(GetTickCount64());
        shown = versions.size() - 1;
    }
    // Drops every version after the given one, which the editor now shows.
    void Forget(std::size_t after) {
        versions.resize(after + 1);
        reachedAt.resize(after + 1);
        shown = after;
    }
    [[nodiscard]] std::optional<std::size_t> Find(std::u16string_view text) const {
        for (std::size_t i = versions.size(); i-- > 0;) {
            if (versions[i] == text) {
                return i;
            }
        }
        return std::nullopt;
    }
    // The newest version that was in the editor kRecoveryDelayMs before the kill: it must survive.
    [[nodiscard]] std::size_t SafeBefore(ULONGLONG killedAt, std::size_t saved) const {
        std::size_t safe = saved;
        for (std::size_t i = 0; i < versions.size(); ++i) {
            if (reachedAt[i] + kRecoveryDelayMs <= killedAt && i > safe && i <= shown) {
                safe = i;
            }
        }
        return safe;
    }
};

struct Figures {
    int rounds = 0;
    int offers = 0;
    int entriesChecked = 0;
    int recoveryFilesComplete = 0;
    int savesAsked = 0;
    int charactersTyped = 0;
};

class Campaign {
public:
    explicit Campaign(unsigned seed) : random_(seed) {
        std::filesystem::create_directories(folder_.path() / L"RaRorir");
        folder_.WriteFileBytes(folder_.Ini(), Utf16File(u"[Other]\r\nNoAnimation=1\r\n"));
    }

    bool Round(Figures& figures) {
        std::optional<drive::TavrinProcess> process = folder_.Start();
        HWND frame = process ? process->WaitForMainFrame(kTimeoutMs) : nullptr;
        HWND editor = frame ? drive::FindChild(frame, L"MarkupEditPane") : nullptr;
        if (!editor) {
            return Fail("the program did not start");
        }
        // The files the kill left say whether the start must offer recovered texts.
        const auto box = drive::WaitForMessageBox(process->Id(), offerExpected_ ? kTimeoutMs : 1000);
        if (offerExpected_ != box.has_value()) {
            return Fail(offerExpected_ ? "the recovered text was not offered" : "an unexpected box");
        }
        if (box) {
            if (box->caption != L"確認") {
                return Fail("a box that is not the recovery offer: " + ToUtf8(FromWide(box->text)));
            }
            ++figures.offers;
            drive::PressMessageBoxButton(box->window, IDYES);
        }
        drive::WaitUntilIdle(process->Id(), kTimeoutMs);
        current_ = 0;
        if (!CheckAfterRestart(editor, figures)) {
            return false;
        }
        Act(*process, frame, editor, figures);
        killedAt_ = GetTickCount64();
        process->Kill();
        ++figures.rounds;
        return CheckFilesAfterKill(figures);
    }

    [[nodiscard]] const std::string& Failure() const { return failure_; }
    // Prints each step's timing, to see why a round lost words.
    void SetLogging(bool on) { log_ = on; }

private:
    [[nodiscard]] DiaryDate DateOf(int index) const { return index == 0 ? today_ : AddDays(today_, 1); }
    [[nodiscard]] std::filesystem::path MonthPath(const DiaryDate& date) const {
        return folder_.path() / L"RaRorir" / (std::to_wstring(date.year * 100 + date.month) + L".txt");
    }

    bool Fail(std::string reason) {
        failure_ = std::move(reason);
        return false;
    }

    // The stored text of a day, checking its month file is one the program writes; nothing when broken.
    std::optional<std::u16string> StoredText(const DiaryDate& date) {
        const std::vector<std::byte> bytes = folder_.ReadFileBytes(MonthPath(date));
        if (bytes.empty()) {
            return std::u16string();
        }
        const std::u16string text = DecodeUtf16File(bytes);
        MonthTable table{};
        ParseMonthText(text, date.year, date.month, table);
        std::u16string rebuilt;
        for (int day = 1; day <= 31; ++day) {
            const DayEntry& entry = table[static_cast<std::size_t>(day - 1)];
            if (entry.HasEntry()) {
                rebuilt += (rebuilt.empty() ? u"" : u"\r\n") + FormatHeader(date.year, date.month, day) +
                           u"\r\n" + std::u16string(EntryBody(text, entry)) + u"\r\n";
            }
        }
        if (Utf16File(rebuilt) != bytes) {
            return std::nullopt;
        }
        return BodyToEditorText(EntryBody(text, table[static_cast<std::size_t>(date.day - 1)]));
    }

    // Right after the kill: every month file whole, every recovery file complete and holding a text
    // that was typed. A recovery file that differs from the stored entry is to be offered.
    bool CheckFilesAfterKill(Figures& figures) {
        offerExpected_ = false;
        for (int index = 0; index < 2; ++index) {
            const DiaryDate date = DateOf(index);
            const std::optional<std::u16string> stored = StoredText(date);
            if (!stored) {
                return Fail("a torn month file: " + MonthPath(date).string());
            }
            keptAfterKill_[index].reset();
            const std::filesystem::path recovery = RecoveryFilePath(folder_.path(), u"RaRorir", date);
            if (std::filesystem::exists(recovery)) {
                const std::u16string text = DecodeUtf16File(folder_.ReadFileBytes(recovery));
                const std::u16string kept = RecoveredEditorText(text, date);
                keptAfterKill_[index] = days_[index].Find(kept);
                if (text != ComposeRecoveryText(date, kept) || !keptAfterKill_[index]) {
                    return Fail("a torn recovery file: " + recovery.string());
                }
                offerExpected_ = offerExpected_ || kept != *stored;
                ++figures.recoveryFilesComplete;
            }
        }
        return true;
    }

    // What is known about a day whose words were lost, for the failure message.
    std::string LossReport(int index, std::size_t found) const {
        const DayHistory& day = days_[index];
        const std::size_t safe = day.SafeBefore(killedAt_, saved_[index]);
        const auto ago = [this, &day](std::size_t version) {
            return std::to_string(static_cast<long long>(killedAt_) -
                                  static_cast<long long>(day.reachedAt[version])) +
                   " ms before the kill";
        };
        std::string report = "day " + std::to_string(index) +
                             " lost words typed before the kill: it holds version " + std::to_string(found) +
                             " (" + ago(found) + "), version " + std::to_string(safe) + " was typed " +
                             ago(safe) + "; saved version " + std::to_string(saved_[index]) +
                             "; recovery file after the kill: ";
        report +=
            keptAfterKill_[index] ? "version " + std::to_string(*keptAfterKill_[index]) : std::string("none");
        return report;
    }

    bool CheckAfterRestart(HWND editor, Figures& figures) {
        for (int index = 0; index < 2; ++index) {
            const DiaryDate date = DateOf(index);
            DayHistory& day = days_[index];
            const std::optional<std::u16string> stored = StoredText(date);
            if (!stored) {
                return Fail("a torn month file: " + MonthPath(date).string());
            }
            const std::optional<std::size_t> version = day.Find(*stored);
            if (!version) {
                return Fail("day " + std::to_string(index) + " holds a text never typed: " + ToUtf8(*stored));
            }
            if (*version < day.SafeBefore(killedAt_, saved_[index])) {
                return Fail(LossReport(index, *version));
            }
            // Versions typed after this one were lost, allowed so since they were typed too close to the
            // kill; what is typed from now on starts from this one.
            day.Forget(*version);
            saved_[index] = *version;
            day.caret = 0;
            ++figures.entriesChecked;
        }
        if (FromWide(drive::TextOf(editor)) != days_[0].versions[days_[0].shown]) {
            return Fail("the editor does not show today's stored entry");
        }
        return true;
    }

    std::u16string Chunk() {
        static const std::u16string letters = u"日記をかくabc 123\n朝晴れ";
        std::u16string chunk;
        const int length = 1 + static_cast<int>(random_() % 12);
        for (int i = 0; i < length; ++i) {
            chunk.push_back(letters[random_() % letters.size()]);
        }
        return chunk;
    }

    // Types, saves and moves between the two days for a random while.
    void Act(const drive::TavrinProcess& process, HWND frame, HWND editor, Figures& figures) {
        const int steps = 1 + static_cast<int>(random_() % 8);
        for (int step = 0; step < steps; ++step) {
            const unsigned what = random_() % 10;
            DayHistory& day = days_[current_];
            const ULONGLONG stepStart = GetTickCount64();
            if (what < 6) {
                const std::u16string chunk = Chunk();
                drive::TypeText(editor, Wide(chunk));
                std::u16string text = day.versions[day.shown];
                text.insert(day.caret, chunk);
                day.caret += chunk.size();
                day.Reach(std::move(text));
                figures.charactersTyped += static_cast<int>(chunk.size());
            } else if (what < 8) {
                drive::SendCommand(frame, kSaveAs);
                saved_[current_] = day.shown;
                ++figures.savesAsked;
            } else {
                drive::SendCommand(frame, current_ == 0 ? kNextDay : kPrevDay);
                saved_[current_] = day.shown;
                current_ = 1 - current_;
                days_[current_].caret = 0;
            }
            if (log_) {
                std::printf("  day %d step %u took %llu ms, now version %zu of %zu characters\n", current_,
                            what, GetTickCount64() - stepStart, days_[current_].shown,
                            days_[current_].versions[days_[current_].shown].size());
            }
            Sleep(random_() % 1200);
        }
        const ULONGLONG idleStart = GetTickCount64();
        drive::WaitUntilIdle(process.Id(), kTimeoutMs);
        if (log_) {
            std::printf("  idle after %llu ms\n", GetTickCount64() - idleStart);
        }
        Sleep(random_() % 3500);
    }

    PortableFolder folder_;
    std::mt19937 random_;
    DiaryDate today_ = Today();
    DayHistory days_[2];
    std::size_t saved_[2] = {0, 0};  // the version each day's month file holds at least
    int current_ = 0;
    ULONGLONG killedAt_ = 0;
    bool offerExpected_ = false;
    std::optional<std::size_t> keptAfterKill_[2];
    std::string failure_;
    bool log_ = false;
};

}  // namespace
}  // namespace tavrin::e2e

int wmain(int argc, wchar_t** argv) {
    int rounds = 200;
    unsigned seed = 1;
    int logFrom = 1 << 30;
    for (int i = 1; i + 1 < argc; i += 2) {
        const std::wstring option = argv[i];
        if (option == L"--rounds") {
            rounds = _wtoi(argv[i + 1]);
        } else if (option == L"--seed") {
            seed = static_cast<unsigned>(_wtoi(argv[i + 1]));
        } else if (option == L"--log-from") {
            logFrom = _wtoi(argv[i + 1]);
        }
    }
    tavrin::e2e::Campaign campaign(seed);
    tavrin::e2e::Figures figures;
    const ULONGLONG start = GetTickCount64();
    for (int round = 1; round <= rounds; ++round) {
        campaign.SetLogging(round >= logFrom);
        if (round >= logFrom) {
            std::printf("round %d\n", round);
        }
        if (!campaign.Round(figures)) {
            std::printf("round %d: %s\n", round, campaign.Failure().c_str());
            return 1;
        }
    }
    // The last kill is checked by one more start.
    if (!campaign.Round(figures)) {
        std::printf("after the last kill: %s\n", campaign.Failure().c_str());
        return 1;
    }
    std::printf(
        "%d kills of tavrin.exe in %.0f s: %d characters typed, %d saves asked, %d recovery offers taken;"
        " %d entries checked after restarts, none lost or torn; %d recovery files seen, all complete\n",
        figures.rounds, static_cast<double>(GetTickCount64() - start) / 1000.0, figures.charactersTyped,
        figures.savesAsked, figures.offers, figures.entriesChecked, figures.recoveryFilesComplete);
    return 0;
}
