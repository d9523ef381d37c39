#pragma once
// The keyboard page: the pending key of every CommandTable row while the sheet is open, the one
// selected row, and what OK makes of them.

#include <string>

#include "app/command_table.h"
#include "app/settings.h"
#include "settings_dialog/setting_fields.h"

namespace tavrin {

// The pending keys start as a copy of the active keys; the list always has one row selected.
class KeyboardPageModel {
public:
    explicit KeyboardPageModel(const ShortcutKeyArray& active) : keys_(active) {}

    [[nodiscard]] int Selected() const noexcept { return selected_; }
    // Selects a row; rows outside the table are ignored, so a row stays selected.
    void Select(int row) noexcept;
    [[nodiscard]] ShortcutKey KeyOf(int row) const noexcept;
    [[nodiscard]] const ShortcutKeyArray& Keys() const noexcept { return keys_; }
    // Stores the key into the selected row; false when it was already its key.
    bool SetSelectedKey(ShortcutKey key) noexcept;
    // "初期化(&I)": every row back to its default key.
    void ResetToDefaults() noexcept { keys_ = DefaultShortcutKeys(); }

    // The row's texts as the list shows them: the display name and the key with spacing.
    [[nodiscard]] static std::u16string_view RowName(int row) noexcept;
    [[nodiscard]] std::u16string RowKeyText(int row, const KeyNameSource& names) const;

    // OK: the pending keys of the settings take the page's keys; the keys flag is raised when they
    // differ from the active keys.
    void Accept(Settings& settings, ChangeFlags& flags) const;

private:
    ShortcutKeyArray keys_;
    int selected_ = 0;
};

}  // namespace tavrin
