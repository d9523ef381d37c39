#include "store/recovery_store.h"

#include <algorithm>
#include <new>
#include <system_error>

#include "store/recovery_file.h"

namespace tavrin {

RecoveryStore::RecoveryStore(std::unique_ptr<FileSystem> fs, std::filesystem::path exeFolder)
    : fs_(std::move(fs)), exeFolder_(std::move(exeFolder)) {
    try {
        thread_ = std::thread([this] { Run(); });
    } catch (const std::system_error&) {
        // Without a thread the work is done when it is asked for: slower typing pauses, nothing lost.
    }
}

RecoveryStore::~RecoveryStore() {
    if (!thread_.joinable()) {
        return;
    }
    {
        const std::lock_guard lock(mutex_);
        stopping_ = true;
    }
    wake_.notify_all();
    thread_.join();
}

void RecoveryStore::Keep(std::u16string_view diary, const DiaryDate& date, std::u16string_view text) {
    try {
        Job job{RecoveryFilePath(exeFolder_, diary, date), date, std::u16string(text)};
        written_.insert(job.file);
        Submit(std::move(job));
    } catch (const std::bad_alloc&) {
        // The text stays in the editor; the next change tries again.
    }
}

void RecoveryStore::Discard(std::u16string_view diary, const DiaryDate& date) {
    try {
        std::filesystem::path file = RecoveryFilePath(exeFolder_, diary, date);
        if (written_.erase(file) != 0) {
            Submit(Job{std::move(file), date, std::nullopt});
        }
    } catch (const std::bad_alloc&) {
        // A file left behind holds the saved text; the next start finds it equal and removes it.
    }
}

void RecoveryStore::Flush() {
    std::unique_lock lock(mutex_);
    idle_.wait(lock, [this] { return jobs_.empty() && !busy_; });
}

void RecoveryStore::Submit(Job job) {
    if (!thread_.joinable()) {
        Perform(job);
        return;
    }
    {
        const std::lock_guard lock(mutex_);
        const auto queued = std::find_if(jobs_.begin(), jobs_.end(),
                                         [&job](const Job& other) { return other.file == job.file; });
        if (queued != jobs_.end()) {
            *queued = std::move(job);
        } else {
            jobs_.push_back(std::move(job));
        }
    }
    wake_.notify_one();
}

void RecoveryStore::Perform(const Job& job) noexcept {
    // A recovery file is a safety net: when it cannot be written the entry is still in the editor,
    // and the next change tries again. Nothing may escape the thread.
    try {
        if (job.text) {
            (void)WriteRecoveryFile(*fs_, job.file, job.date, *job.text);
        } else {
            (void)fs_->Remove(job.file);
        }
    } catch (...) {
    }
}

void RecoveryStore::Run() {
    std::unique_lock lock(mutex_);
    for (;;) {
        wake_.wait(lock, [this] { return stopping_ || !jobs_.empty(); });
        if (jobs_.empty()) {
            return;  // stopping, and nothing is left to write
        }
        const Job job = std::move(jobs_.front());
        jobs_.pop_front();
        busy_ = true;
        lock.unlock();
        Perform(job);
        lock.lock();
        busy_ = false;
        idle_.notify_all();
    }
}

}  // namespace tavrin
