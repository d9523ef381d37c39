#pragma once
// The recovery store: keeps the shown entry's unsaved text in its recovery file, written on a thread of
// its own so that a keystroke never waits for the disk; and the schedule that decides when the text is
// handed over.

#include <condition_variable>
#include <cstdint>
#include <deque>
#include <filesystem>
#include <memory>
#include <mutex>
#include <optional>
#include <set>
#include <string>
#include <thread>

#include "platform/file_system.h"
#include "store/store_ports.h"

namespace tavrin {

// When the editor's text is handed to the recovery store: once the user has paused for kQuietMs, and
// while they keep typing at least every kLongestMs, so that no change waits more than about two
// seconds (kLongestMs and one tick) before it is handed over. The caller looks every kTickMs while
// Pending(). Handing over costs a copy of the text; the writing happens on the store's own thread.
class RecoverySchedule {
public:
    static constexpr std::uint64_t kQuietMs = 1000;
    static constexpr std::uint64_t kLongestMs = 2000;
    static constexpr unsigned kTickMs = 250;

    // The text changed at nowMs (a millisecond counter).
    void Changed(std::uint64_t nowMs) noexcept {
        if (!pending_) {
            firstMs_ = nowMs;
        }
        pending_ = true;
        lastMs_ = nowMs;
    }
    [[nodiscard]] bool Pending() const noexcept { return pending_; }
    [[nodiscard]] bool Due(std::uint64_t nowMs) const noexcept {
        return pending_ && (nowMs - lastMs_ >= kQuietMs || nowMs - firstMs_ >= kLongestMs);
    }
    // The text as it is now was handed over.
    void Kept() noexcept { pending_ = false; }

private:
    bool pending_ = false;
    std::uint64_t firstMs_ = 0;
    std::uint64_t lastMs_ = 0;
};

// Writes and removes recovery files (see recovery_file.h) in the order asked, on its own thread with
// its own file system. Keep and Discard only copy the text and queue the work; a newer request for a
// file replaces one that has not started yet. Only files this store wrote are removed by Discard.
// Keep, Discard and Flush are called from one thread.
class RecoveryStore final : public RecoveryPort {
public:
    // fs is used by the writing thread only. When no thread can be started the work is done at once.
    RecoveryStore(std::unique_ptr<FileSystem> fs, std::filesystem::path exeFolder);
    RecoveryStore(const RecoveryStore&) = delete;
    RecoveryStore& operator=(const RecoveryStore&) = delete;
    // Finishes the queued work, then stops the thread.
    ~RecoveryStore() override;

    void Keep(std::u16string_view diary, const DiaryDate& date, std::u16string_view text) override;
    void Discard(std::u16string_view diary, const DiaryDate& date) override;
    // Returns once everything asked so far is on disk (or has failed).
    void Flush();

private:
    // One file's work: write text, or remove the file when there is none.
    struct Job {
        std::filesystem::path file;
        DiaryDate date;
        std::optional<std::u16string> text;
    };

    void Submit(Job job);
    void Perform(const Job& job) noexcept;
    void Run();

    std::unique_ptr<FileSystem> fs_;
    std::filesystem::path exeFolder_;
    std::set<std::filesystem::path> written_;  // files kept in this run and not discarded since
    std::mutex mutex_;
    std::condition_variable wake_;
    std::condition_variable idle_;
    std::deque<Job> jobs_;
    bool busy_ = false;
    bool stopping_ = false;
    std::thread thread_;  // started last, when everything it uses is ready
};

}  // namespace tavrin
