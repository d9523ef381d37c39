#include "settings_dialog/keyboard_page_model.h"

namespace tavrin {

void KeyboardPageModel::Select(int row) noexcept {
    if (row >= 0 && row < kCommandCount) {
        selected_ = row;
    }
}

ShortcutKey KeyboardPageModel::KeyOf(int row) const noexcept {
    return row >= 0 && row < kCommandCount ? keys_[static_cast<std::size_t>(row)] : ShortcutKey{0};
}

bool KeyboardPageModel::SetSelectedKey(ShortcutKey key) noexcept {
    ShortcutKey& stored = keys_[static_cast<std::size_t>(selected_)];
    if (stored == key) {
        return false;
    }
    stored = key;
    return true;
}

std::u16string_view KeyboardPageModel::RowName(int row) noexcept {
    return row >= 0 && row < kCommandCount ? CommandTable()[static_cast<std::size_t>(row)].displayName
                                           : std::u16string_view();
}

std::u16string KeyboardPageModel::RowKeyText(int row, const KeyNameSource& names) const {
    return FormatShortcutKey(KeyOf(row), true, names);
}

void KeyboardPageModel::Accept(Settings& settings, ChangeFlags& flags) const {
    settings.shortcutKey.pending = keys_;
    if (keys_ != settings.shortcutKey.active) {
        flags.keys = true;
    }
}

}  // namespace tavrin
