#pragma once
// The diary store: the selected date, the year buffer of its year, the current diary folder, and every
// operation that saves, loads or moves between entries.

#include <array>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "app/user_error.h"
#include "calendar/diary_date.h"
#include "platform/clock.h"
#include "platform/file_system.h"
#include "store/navigation.h"
#include "store/store_ports.h"
#include "store/year_buffer.h"

namespace tavrin {

// The settings the store reads, named after their keys in the settings file. The shell copies them
// from the settings record and again whenever the settings dialog changes them.
struct StoreOptions {
    bool editLock = false;
    bool deleteEndBlankLine = false;
    bool noAnimation = false;
    bool titleBarName = false;
};

// The error numbers of the error message table the store reports.
inline constexpr int kErrorOutOfMemory = 203;
inline constexpr int kErrorFileRead = 302;
inline constexpr int kErrorFileSave = 303;
inline constexpr int kErrorFolderCreate = 311;

// The longest diary name kept, in characters.
inline constexpr std::size_t kDiaryFolderNameMax = 259;

// The items of the diary folder menu: one per diary in listing order, the current one checked, then
// (when there are diaries) a separator, then the "open folder" item.
struct DiaryMenu {
    struct Item {
        std::u16string name;
        bool checked = false;
    };
    std::vector<Item> diaries;
    bool separator = false;
    bool openItemEnabled = false;
    static constexpr std::u16string_view kOpenItemText = u"日記フォルダを開く(&F)";
};

// The ports and seams the store works through; all must outlive the store.
struct StorePorts {
    FileSystem& fs;
    Clock& clock;
    EditorPort& editor;
    StoreView& view;
    ErrorSink& errors;
};

// The diary store. The selected date changes only in GoToDate; every change of date or diary saves the
// entry being left first and does not happen when that save fails. Before ChooseStartDate the selected
// date is 0000-00-00 and nothing is loaded.
class DiaryStore {
  public:
    DiaryStore(StorePorts ports, std::filesystem::path exeFolder, std::u16string diaryName);

    StoreOptions options;

    [[nodiscard]] const DiaryDate& SelectedDate() const noexcept { return selected_; }
    [[nodiscard]] const YearBuffer& Year() const noexcept { return year_; }
    [[nodiscard]] const std::u16string& DiaryName() const noexcept { return diaryName_; }
    [[nodiscard]] std::filesystem::path DiaryFolder() const;
    [[nodiscard]] std::filesystem::path DataFolder() const;
    [[nodiscard]] bool InCalendarMode() const noexcept { return calendarMode_; }
    // The value of the StartDate setting at exit: year * 10000 + month * 100 + day.
    [[nodiscard]] std::int32_t StartDateValue() const noexcept;

    // --- Month files and the year buffer ---
    // Stores the editor's text as the selected date's entry and rewrites the month file (atomically).
    // When another program (a second copy) changed the month file since it was read, its entries are
    // taken in first; the entry being saved wins. After a successful save the editor's text counts as
    // unchanged and what the recovery port kept for the entry is discarded. With report, failures go
    // to the error sink: 203 out of memory, 302 (the month file could not be read when the day was
    // loaded and still cannot, detail: its path), 311 (detail: the diary folder), 303 with detail "1"
    // (file not created, or changed by another program and not readable now), "2" (byte-order mark
    // not written) or "3" (text not written or not put in place).
    bool SaveCurrentEntry(bool report);
    // Puts the selected date's entry into the editor and sets its read-only state.
    void LoadCurrentEntry();
    // Follows the editor's text length with the selected day's calendar mark (on EN_CHANGE).
    void UpdateDayMark();
    // Reads the selected date's year again.
    void LoadYear();
    void ClearYear();
    // The final save at exit (no error boxes; when it fails the text goes to the recovery port), then
    // ClearYear.
    void Shutdown();

    // --- Crash recovery ---
    // The port that keeps the shown entry's unsaved text; none (the default) keeps nothing.
    void SetRecovery(RecoveryPort* recovery) noexcept { recovery_ = recovery; }
    // Hands the editor's text to the recovery port while it differs from the saved entry, and tells
    // the port to discard it otherwise. Nothing in calendar mode or before an entry is loaded.
    void KeepUnsavedText();

    // --- Navigation ---
    bool GoToDate(const DiaryDate& date, bool focus);
    void MoveToDate(const DiaryDate& date);
    void MoveByCommand(MoveCommand command);
    void StepToEntry(StepCommand command, bool animate);
    void ApplyEditLock();
    // Chooses and loads the first date after start-up by StartDateMode (0 today, 1 the newest entry,
    // 2 the StartDate value); a diary without entries, or a StartDate that is no date, starts today.
    void ChooseStartDate(int startDateMode, std::int32_t startDate);
    // The jump dialog's button: moves and returns nothing, or returns the notice to show (the dialog
    // then stays open).
    [[nodiscard]] std::optional<Notice> Jump(std::u16string_view year, std::u16string_view month,
                                             std::u16string_view day);
    // A date link (YYYY?MM?DD) was opened: goes there, or returns the notice for a date that does not
    // exist. Texts shorter than ten characters do nothing.
    [[nodiscard]] std::optional<Notice> OpenDateLink(std::u16string_view text);

    // --- Screen mode ---
    // Saves with reporting and hides the entry; stays in edit mode (false) when the save fails.
    bool EnterCalendarMode();
    // Shows the entry again; reloads it when the date or the diary changed in calendar mode.
    void EnterEditMode();

    // --- Diary folders ---
    bool SwitchDiary(std::u16string_view name);
    void CycleDiary();
    [[nodiscard]] DiaryMenu BuildDiaryMenu();
    // The folder the menu's last item opens, with a trailing separator. When opening fails the shell
    // reports error 317 with this path.
    [[nodiscard]] std::filesystem::path DiaryFolderToOpen() const;

  private:
    bool WriteMonth(int month, bool report);
    bool TakeChangesFromDisk(int month, bool report);
    void EntrySaved();
    bool RefreshUnreadableMonth(int month, bool report);
    void Report(bool report, int number, std::u16string detail);
    void EnterDate(const DiaryDate& date);
    std::optional<DiaryDate> FindInYear(StepCommand command, std::optional<DiaryDate>& fallback) const;
    std::optional<DiaryDate> FindNewestEntry();

    StorePorts ports_;
    std::filesystem::path exeFolder_;
    std::u16string diaryName_;
    DiaryDate selected_;
    YearBuffer year_;
    std::array<bool, 12> monthPending_{};  // the buffer holds a month text not yet written
    bool calendarMode_ = false;
    DiaryDate calendarEntryDate_;
    bool editorStale_ = false;  // the editor does not hold the selected date's entry of this diary
    RecoveryPort* recovery_ = nullptr;
};

// The names of the diaries beside the executable: every folder whose name does not start with "_", in
// listing order; empty when the folder cannot be listed.
[[nodiscard]] std::vector<std::u16string> ListDiaries(FileSystem& fs, const std::filesystem::path& exeFolder);

// The detail of error 303 for a failed write: "1" (not created), "2" (byte-order mark not written) or
// "3" (text not written or not put in place).
[[nodiscard]] std::u16string WriteFailureDetail(const WriteResult& result);

// The main window's title: the diary name with TitleBarName, else "Tavrin".
[[nodiscard]] std::u16string MainWindowTitle(bool titleBarName, std::u16string_view diaryName);

}  // namespace tavrin
