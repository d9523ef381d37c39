// Saving and loading entries, day marks, screen modes and diary folders. Navigation lives in
// diary_navigation.cpp.
#include "store/diary_store.h"

#include <algorithm>
#include <limits>
#include <new>

#include "platform/utf16_file.h"
#include "store/month_text.h"

namespace tavrin {
namespace {

constexpr std::u16string_view kDataFolderName = u"data";

}  // namespace

std::u16string WriteFailureDetail(const WriteResult& result) {
    switch (result.status) {
        case WriteStatus::kCreateFailed:
            return u"1";
        case WriteStatus::kWriteFailed:
            return result.failedPiece == 0 ? u"2" : u"3";
        case WriteStatus::kCommitFailed:
        case WriteStatus::kOk:
            break;
    }
    return u"3";
}

DiaryStore::DiaryStore(StorePorts ports, std::filesystem::path exeFolder, std::u16string diaryName)
    : ports_(ports), exeFolder_(std::move(exeFolder)), diaryName_(std::move(diaryName)) {
    if (diaryName_.size() > kDiaryFolderNameMax) {
        diaryName_.resize(kDiaryFolderNameMax);
    }
}

std::filesystem::path DiaryStore::DiaryFolder() const {
    return exeFolder_ / std::filesystem::path(diaryName_);
}

std::filesystem::path DiaryStore::DataFolder() const {
    return DiaryFolder() / std::filesystem::path(kDataFolderName);
}

std::int32_t DiaryStore::StartDateValue() const noexcept {
    return selected_.year * 10000 + selected_.month * 100 + selected_.day;
}

void DiaryStore::Report(bool report, int number, std::u16string detail) {
    if (report) {
        const std::uint32_t systemError = number == kErrorOutOfMemory ? 0 : ports_.fs.LastError();
        ports_.errors.Report(UserError{number, std::move(detail), systemError});
    }
}

bool DiaryStore::SaveCurrentEntry(bool report) {
    if (calendarMode_) {
        return true;
    }
    const std::optional<std::u16string_view> editorText = ports_.editor.Text();
    if (!editorText) {
        return false;
    }
    if (!ports_.editor.IsModified()) {
        return true;
    }
    if (!IsDiaryDate(selected_) || year_.Year() != selected_.year) {
        return false;  // nothing has been loaded yet: there is no entry to store the text as
    }
    const int month = selected_.month;
    const int day = selected_.day;
    const bool wasUnreadable = year_.State(month) == MonthState::kUnreadable;
    if (wasUnreadable ? !RefreshUnreadableMonth(month, report) : !TakeChangesFromDisk(month, report)) {
        return false;
    }
    try {
        std::u16string body = EditorTextToBody(*editorText, options.deleteEndBlankLine);
        const std::u16string_view stored = year_.Body(month, day);
        if (wasUnreadable && !stored.empty()) {
            // The editor never showed this entry (its file could not be read when the day was
            // loaded); keep the stored text in front of the new one rather than replace it unseen.
            body = body.empty() ? std::u16string(stored) : std::u16string(stored) + u"\r\n" + body;
        }
        if (body == stored && !monthPending_[static_cast<std::size_t>(month - 1)]) {
            EntrySaved();
            return true;  // the file already holds exactly this
        }
        std::u16string text =
            BuildMonthText(selected_.year, month, year_.MonthText(month), year_.Days(month), day, body);
        year_.SetMonth(month, MonthState::kLoaded, std::move(text));
    } catch (const std::bad_alloc&) {
        Report(report, kErrorOutOfMemory, {});
        return false;
    }
    monthPending_[static_cast<std::size_t>(month - 1)] = true;
    if (!WriteMonth(month, report)) {
        return false;
    }
    monthPending_[static_cast<std::size_t>(month - 1)] = false;
    EntrySaved();
    return true;
}

void DiaryStore::EntrySaved() {
    ports_.editor.MarkSaved();
    if (recovery_ != nullptr) {
        recovery_->Discard(diaryName_, selected_);
    }
}

bool DiaryStore::TakeChangesFromDisk(int month, bool report) {
    const std::filesystem::path path = MonthFilePath(DiaryFolder(), year_.Year(), month);
    // The program never deletes a month file: one that went missing is written again whole.
    if (!ports_.fs.Exists(path)) {
        return true;
    }
    try {
        std::optional<std::u16string> onDisk = ReadMonthText(ports_.fs, path);
        if (!onDisk || onDisk->size() > kMaxMonthTextLength) {
            if (!onDisk && ports_.fs.IsFolder(path)) {
                return true;  // a folder in its place makes the write itself fail
            }
            // Another copy's entries may be in it: replacing it unread could lose them.
            Report(report, kErrorFileSave, u"1");
            return false;
        }
        if (*onDisk == year_.DiskText(month)) {
            return true;
        }
        std::u16string merged =
            MergeMonthTexts(year_.Year(), month, year_.DiskText(month), year_.MonthText(month), *onDisk);
        year_.SetMonth(month, MonthState::kLoaded, std::move(merged));
        year_.SetDiskText(month, std::move(*onDisk));
    } catch (const std::bad_alloc&) {
        Report(report, kErrorOutOfMemory, {});
        return false;
    }
    ports_.view.DayMarksChanged();
    return true;
}

void DiaryStore::KeepUnsavedText() {
    if (recovery_ == nullptr || calendarMode_ || !IsDiaryDate(selected_) || year_.Year() != selected_.year) {
        return;
    }
    const std::optional<std::u16string_view> text = ports_.editor.Text();
    if (!text) {
        return;
    }
    // An emptied entry has no words to keep; what was kept before it was emptied goes too.
    if (ports_.editor.IsModified() && !text->empty()) {
        recovery_->Keep(diaryName_, selected_, *text);
    } else {
        recovery_->Discard(diaryName_, selected_);
    }
}

bool DiaryStore::RefreshUnreadableMonth(int month, bool report) {
    if (ReloadMonth(year_, ports_.fs, DiaryFolder(), month) == MonthState::kUnreadable) {
        Report(report, kErrorFileRead, PathText(MonthFilePath(DiaryFolder(), year_.Year(), month)));
        return false;
    }
    return true;
}

bool DiaryStore::WriteMonth(int month, bool report) {
    const std::filesystem::path folder = DiaryFolder();
    if (!ports_.fs.IsFolder(folder) && !ports_.fs.CreateFolder(folder) && !ports_.fs.IsFolder(folder)) {
        Report(report, kErrorFolderCreate, PathText(folder));
        return false;
    }
    const WriteResult result =
        WriteUtf16File(ports_.fs, MonthFilePath(folder, year_.Year(), month), year_.MonthText(month));
    if (!result.ok()) {
        Report(report, kErrorFileSave, WriteFailureDetail(result));
        return false;
    }
    year_.SetDiskText(month, std::u16string(year_.MonthText(month)));
    return true;
}

void DiaryStore::LoadCurrentEntry() {
    if (calendarMode_) {
        return;
    }
    if (year_.State(selected_.month) == MonthState::kUnreadable && year_.Year() == selected_.year) {
        (void)ReloadMonth(year_, ports_.fs, DiaryFolder(), selected_.month);
    }
    ApplyEditLock();
    std::u16string text;
    try {
        text = BodyToEditorText(year_.Year() == selected_.year ? year_.Body(selected_.month, selected_.day)
                                                               : std::u16string_view{});
    } catch (const std::bad_alloc&) {
        text.clear();
    }
    ports_.editor.SetText(text);
    editorStale_ = false;
}

void DiaryStore::ApplyEditLock() {
    // A month whose file could not be read is shown empty; typing there would build the month anew
    // from nothing, so it stays read-only until the file can be read.
    const bool unreadable =
        year_.Year() == selected_.year && year_.State(selected_.month) == MonthState::kUnreadable;
    ports_.editor.SetReadOnly(unreadable ||
                              IsLockedByEditLock(selected_, ports_.clock.Now(), options.editLock));
}

void DiaryStore::UpdateDayMark() {
    if (year_.Year() != selected_.year || !IsDiaryDate(selected_)) {
        return;
    }
    const std::size_t length = ports_.editor.TextLength();
    const std::int32_t mark = year_.Day(selected_.month, selected_.day).mark;
    if (length == 0 && mark != 0) {
        year_.SetMark(selected_.month, selected_.day, 0);
    } else if (length > 0 && mark == 0) {
        const auto capped = std::min<std::size_t>(length, std::numeric_limits<std::int32_t>::max());
        year_.SetMark(selected_.month, selected_.day, static_cast<std::int32_t>(capped));
    } else {
        return;
    }
    ports_.view.DayMarksChanged();
}

void DiaryStore::LoadYear() {
    tavrin::LoadYear(year_, ports_.fs, DiaryFolder(), selected_.year);
    monthPending_.fill(false);
}

void DiaryStore::ClearYear() {
    tavrin::ClearYear(year_);
    monthPending_.fill(false);
}

void DiaryStore::Shutdown() {
    if (!SaveCurrentEntry(false)) {
        KeepUnsavedText();
    }
    ClearYear();
}

bool DiaryStore::EnterCalendarMode() {
    if (calendarMode_) {
        return true;
    }
    if (!SaveCurrentEntry(true)) {
        return false;
    }
    calendarMode_ = true;
    calendarEntryDate_ = selected_;
    return true;
}

void DiaryStore::EnterEditMode() {
    if (!calendarMode_) {
        return;
    }
    calendarMode_ = false;
    if (selected_ != calendarEntryDate_ || editorStale_) {
        LoadCurrentEntry();
    }
}

bool DiaryStore::SwitchDiary(std::u16string_view name) {
    if (!SaveCurrentEntry(true)) {
        return false;
    }
    diaryName_.assign(name.substr(0, std::min(name.size(), kDiaryFolderNameMax)));
    LoadYear();
    // The view makes the new data folder current first: the entry's pictures are looked up there.
    ports_.view.DiarySwitched(MainWindowTitle(options.titleBarName, diaryName_), DataFolder());
    if (calendarMode_) {
        ports_.editor.SetText(u"");
        editorStale_ = true;
    } else {
        LoadCurrentEntry();
    }
    return true;
}

void DiaryStore::CycleDiary() {
    if (!SaveCurrentEntry(true)) {
        return;
    }
    const std::vector<std::u16string> diaries = ListDiaries(ports_.fs, exeFolder_);
    if (diaries.size() <= 1) {
        return;
    }
    const auto current = std::find(diaries.begin(), diaries.end(), diaryName_);
    const std::size_t position =
        current == diaries.end() ? 0 : static_cast<std::size_t>(current - diaries.begin());
    (void)SwitchDiary(diaries[(position + 1) % diaries.size()]);
}

DiaryMenu DiaryStore::BuildDiaryMenu() {
    DiaryMenu menu;
    for (std::u16string& name : ListDiaries(ports_.fs, exeFolder_)) {
        const bool current = name == diaryName_;
        menu.diaries.push_back({std::move(name), current});
    }
    menu.separator = !menu.diaries.empty();
    menu.openItemEnabled = ports_.fs.IsFolder(DiaryFolder());
    return menu;
}

std::filesystem::path DiaryStore::DiaryFolderToOpen() const {
    return DiaryFolder() / "";
}

std::vector<std::u16string> ListDiaries(FileSystem& fs, const std::filesystem::path& exeFolder) {
    std::vector<std::u16string> diaries;
    const std::optional<std::vector<FolderEntry>> entries = fs.ListFolder(exeFolder);
    if (!entries) {
        return diaries;
    }
    for (const FolderEntry& entry : *entries) {
        std::u16string name = PathText(entry.name);
        if (entry.isFolder && !name.empty() && name.front() != u'_') {
            diaries.push_back(std::move(name));
        }
    }
    return diaries;
}

std::u16string MainWindowTitle(bool titleBarName, std::u16string_view diaryName) {
    return titleBarName ? std::u16string(diaryName) : std::u16string(u"Tavrin");
}

}  // namespace tavrin
