#pragma once
// Recovery files: the unsaved text of an entry, kept beside the diaries so that a crash, a killed
// process or a power cut between two saves loses nothing, and what the next start does with them.
//
// They live in "_recovery" beside the executable (a name starting with "_" is never listed as a
// diary), one folder per diary, one file per date named YYYYMMDD.txt. A file is the month-file form of
// that one entry: the date line, then the text's lines behind a TAB, CR LF line ends, UTF-16 with the
// byte-order mark, so that it can be read and copied by hand like the diary itself. A file the user
// chose not to restore is renamed YYYYMMDD-keptN.txt and never offered again.

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "app/user_error.h"
#include "calendar/diary_date.h"
#include "platform/file_system.h"

namespace tavrin {

inline constexpr std::u16string_view kRecoveryFolderName = u"_recovery";

[[nodiscard]] std::filesystem::path RecoveryFolder(const std::filesystem::path& exeFolder);
[[nodiscard]] std::filesystem::path RecoveryFilePath(const std::filesystem::path& exeFolder,
                                                     std::u16string_view diary, const DiaryDate& date);

// The file text (without byte-order mark) that keeps editorText (LF line breaks) as date's entry.
[[nodiscard]] std::u16string ComposeRecoveryText(const DiaryDate& date, std::u16string_view editorText);
// The editor text a recovery file keeps for date; empty when the file holds no entry for it.
[[nodiscard]] std::u16string RecoveredEditorText(std::u16string_view fileText, const DiaryDate& date);

// Writes a recovery file atomically, creating its folders; false when it could not be written.
bool WriteRecoveryFile(FileSystem& fs, const std::filesystem::path& file, const DiaryDate& date,
                       std::u16string_view editorText);

// A recovered text waiting for the user's choice.
struct RecoveredEntry {
    std::u16string diary;
    DiaryDate date;
    std::u16string text;  // editor text, LF line breaks
    std::filesystem::path file;

    friend bool operator==(const RecoveredEntry&, const RecoveredEntry&) = default;
};

// Every recovery file whose text differs from the entry its diary stores (as a save with
// deleteEndBlankLine would store it), ordered by diary name and date. Files that hold exactly the
// stored entry are removed: nothing in them would be lost. Files that cannot be read, or hold no entry
// for their date, are left alone and not offered.
[[nodiscard]] std::vector<RecoveredEntry> CollectRecoveredEntries(FileSystem& fs,
                                                                  const std::filesystem::path& exeFolder,
                                                                  bool deleteEndBlankLine);

// Puts a recovered text into its entry and writes the month file (keeping every other entry), then
// removes the recovery file. The error to show when that failed: 302 (the month file cannot be read,
// detail: its path), 311 (the diary folder cannot be made, detail: the folder), 303 (detail as for a
// save); the recovery file then stays.
[[nodiscard]] std::optional<UserError> RestoreRecoveredEntry(FileSystem& fs,
                                                             const std::filesystem::path& exeFolder,
                                                             const RecoveredEntry& entry,
                                                             bool deleteEndBlankLine);

// Renames a recovery file to a name that is not offered again (YYYYMMDD-keptN.txt, the first free N);
// false when it could not be renamed.
bool SetRecoveredEntryAside(FileSystem& fs, const RecoveredEntry& entry);

// The question of the start-up box (caption "確認", Yes and No): the dates, each followed by its diary
// in brackets when that is not the current one.
[[nodiscard]] std::u16string RecoveryQuestionText(const std::vector<RecoveredEntry>& entries,
                                                  std::u16string_view currentDiary);
// What the user is told after choosing No.
[[nodiscard]] std::u16string RecoveryKeptText(const std::filesystem::path& recoveryFolder);

}  // namespace tavrin
