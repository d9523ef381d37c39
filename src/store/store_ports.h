#pragma once
// What the diary store needs from the windows around it. The shell implements these with window
// messages to the editor pane and the main frame; tests use recording doubles.

#include <filesystem>
#include <optional>
#include <string_view>

#include "calendar/diary_date.h"

namespace tavrin {

// The entry editor (the MarkupEditPane).
class EditorPort {
  public:
    virtual ~EditorPort() = default;
    // The editor's whole text, lines separated by LF (MEP_GETSTATE); nothing when the editor cannot be
    // asked. The view stays valid until the editor's text changes.
    [[nodiscard]] virtual std::optional<std::u16string_view> Text() = 0;
    // Whether the text differs from the one last loaded or saved (EM_GETMODIFY).
    [[nodiscard]] virtual bool IsModified() = 0;
    // The text was saved: from now on it is the unchanged one, so that undoing past this point or
    // redoing back to it counts as a change again (EM_SETMODIFY 0).
    virtual void MarkSaved() = 0;
    // Replaces the whole text, which resets undo and clears the modified flag (WM_SETTEXT). The text
    // may contain NUL characters, which are part of the entry.
    virtual void SetText(std::u16string_view text) = 0;
    // EM_SETREADONLY.
    virtual void SetReadOnly(bool readOnly) = 0;
    // The text's length in characters (WM_GETTEXTLENGTH).
    [[nodiscard]] virtual std::size_t TextLength() = 0;
    // Gives the editor the keyboard focus.
    virtual void Focus() = 0;
};

// Where the shown entry's unsaved text is kept against a crash until it is saved. Both calls return at
// once; the writing happens elsewhere, never on the typing path.
class RecoveryPort {
public:
    virtual ~RecoveryPort() = default;
    // Keeps text (editor text, LF line breaks) as the unsaved entry of date in the diary.
    virtual void Keep(std::u16string_view diary, const DiaryDate& date, std::u16string_view text) = 0;
    // Forgets what was kept for date in the diary (it was saved, or holds nothing to keep).
    virtual void Discard(std::u16string_view diary, const DiaryDate& date) = 0;
};

// The side calendar, the title line and the main window.
class StoreView {
  public:
    virtual ~StoreView() = default;
    // Starts the blink of the selected day (timer 103); restarts it when it runs.
    virtual void StartBlink() = 0;
    // Stops a running blink and repaints the day; nothing when none runs.
    virtual void StopBlink() = 0;
    // Whether the month-change animation is running; date commands are ignored meanwhile.
    [[nodiscard]] virtual bool IsAnimating() = 0;
    // Starts the month-change animation towards target (timer 102). When it ends the shell calls
    // DiaryStore::GoToDate(target, true).
    virtual void StartMonthAnimation(const DiaryDate& target) = 0;
    // The selected date changed: recompute the displayed month, repaint the side calendar and title.
    virtual void SelectedDateChanged() = 0;
    // A day's calendar mark changed while typing: repaint the side calendar and the main window.
    virtual void DayMarksChanged() = 0;
    // Another diary became current: set the main window's title, make dataFolder the process's
    // current directory, recompute the displayed month and repaint the calendar, the main window, the
    // editor with its scroll bar (MEP_REDRAWSCROLLBAR) and the search panes. Called before the new
    // diary's entry goes into the editor, so that its pictures are found in the new data folder.
    virtual void DiarySwitched(std::u16string_view title, const std::filesystem::path& dataFolder) = 0;
};

}  // namespace tavrin
