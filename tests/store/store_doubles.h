#pragma once
// Test doubles of the diary store: a file system with locked files, the editor and view ports and an
// error sink that records. Used by the tests and the benchmarks.

#include <functional>
#include <set>
#include <string>
#include <vector>

#include "app/user_error.h"
#include "platform/file_system.h"
#include "store/store_ports.h"

namespace tavrin::testing {

// Forwards to a real file system, except that reading a locked path fails as if another process held
// the file open.
class LockingFileSystem final : public FileSystem {
  public:
    explicit LockingFileSystem(FileSystem& inner) : inner_(inner) {}

    void Lock(const std::filesystem::path& path) { locked_.insert(path); }
    void Unlock(const std::filesystem::path& path) { locked_.erase(path); }
    [[nodiscard]] int Reads() const { return reads_; }

    std::optional<std::vector<std::byte>> ReadWholeFile(const std::filesystem::path& path) override {
        ++reads_;
        if (locked_.count(path) != 0) {
            return std::nullopt;
        }
        return inner_.ReadWholeFile(path);
    }
    std::unique_ptr<WritableFile> OpenForWriting(const std::filesystem::path& path) override {
        return inner_.OpenForWriting(path);
    }
    bool MoveIntoPlace(const std::filesystem::path& source, const std::filesystem::path& target) override {
        return inner_.MoveIntoPlace(source, target);
    }
    std::optional<std::vector<FolderEntry>> ListFolder(const std::filesystem::path& folder) override {
        return inner_.ListFolder(folder);
    }
    bool Exists(const std::filesystem::path& path) override { return inner_.Exists(path); }
    bool IsFolder(const std::filesystem::path& path) override { return inner_.IsFolder(path); }
    bool CreateFolder(const std::filesystem::path& path) override { return inner_.CreateFolder(path); }
    bool Copy(const std::filesystem::path& from, const std::filesystem::path& to,
              bool failIfExists) override {
        return inner_.Copy(from, to, failIfExists);
    }
    bool Move(const std::filesystem::path& from, const std::filesystem::path& to) override {
        return inner_.Move(from, to);
    }
    bool Remove(const std::filesystem::path& path) override { return inner_.Remove(path); }
    std::uint32_t LastError() const override { return inner_.LastError(); }

  private:
    FileSystem& inner_;
    std::set<std::filesystem::path> locked_;
    int reads_ = 0;
};

// The editor pane as the store sees it: a text with a modified flag that SetText and MarkSaved clear.
// savedText is the text at the clean point, for undo.
class FakeEditor final : public EditorPort {
  public:
    std::u16string text;
    std::u16string savedText;
    bool modified = false;
    bool readOnly = false;
    bool available = true;
    int setTextCalls = 0;
    int focusCalls = 0;

    // What typing does: new text, modified flag set.
    void Type(std::u16string_view newText) {
        text = newText;
        modified = true;
    }
    // What undo or redo does: the text of an earlier or later step, modified unless that is the text
    // at the clean point.
    void StepTo(std::u16string_view newText) {
        text = newText;
        modified = text != savedText;
    }

    std::optional<std::u16string_view> Text() override {
        if (!available) {
            return std::nullopt;
        }
        return std::u16string_view(text);
    }
    bool IsModified() override { return modified; }
    void MarkSaved() override {
        savedText = text;
        modified = false;
    }
    void SetText(std::u16string_view newText) override {
        text = newText;
        savedText = text;
        modified = false;
        ++setTextCalls;
    }
    void SetReadOnly(bool value) override { readOnly = value; }
    std::size_t TextLength() override { return text.size(); }
    void Focus() override { ++focusCalls; }
};

// Records what the store asks of the calendar and the frame. The month-change animation runs until
// the test finishes it.
class RecordingView final : public StoreView {
  public:
    int blinks = 0;
    int blinkStops = 0;
    int dateChanges = 0;
    int markChanges = 0;
    bool animating = false;
    std::optional<DiaryDate> animationTarget;
    std::vector<std::u16string> titles;
    std::filesystem::path dataFolder;

    void StartBlink() override { ++blinks; }
    void StopBlink() override { ++blinkStops; }
    bool IsAnimating() override { return animating; }
    void StartMonthAnimation(const DiaryDate& target) override {
        animating = true;
        animationTarget = target;
    }
    void SelectedDateChanged() override { ++dateChanges; }
    void DayMarksChanged() override { ++markChanges; }
    std::function<void()> onDiarySwitched;  // runs inside DiarySwitched, to see what the editor holds then

    void DiarySwitched(std::u16string_view title, const std::filesystem::path& folder) override {
        titles.emplace_back(title);
        dataFolder = folder;
        if (onDiarySwitched) {
            onDiarySwitched();
        }
    }
};

class RecordingErrors final : public ErrorSink {
  public:
    std::vector<UserError> errors;
    void Report(const UserError& error) override { errors.push_back(error); }
};

}  // namespace tavrin::testing
