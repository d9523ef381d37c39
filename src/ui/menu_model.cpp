#include "ui/menu_model.h"

#include <algorithm>

#include "app/settings_codec.h"

namespace tavrin {
namespace {

const MenuItem kEmptyItem{};

constexpr int kLastPostedCommand = 41049;

}  // namespace

std::u16string CommandKeyText(int commandValue, const KeyTextSource& keys) {
    const int row = commandValue - kFirstCommandId;
    if (!keys.activeKeys || !keys.keyNames || row < 0 || row >= kCommandCount) {
        return {};
    }
    const ShortcutKey key = (*keys.activeKeys)[static_cast<std::size_t>(row)];
    if (key == 0) {
        return {};
    }
    return FormatShortcutKey(key, false, *keys.keyNames);
}

std::u16string MenuSystemText(std::u16string_view label) {
    if (label.size() <= kMenuSystemTextMax) {
        return std::u16string(label);
    }
    std::u16string text(CutToLength(label, kMenuSystemTextMax));
    text += u"...";
    return text;
}

MenuItemArray::MenuItemArray(int capacity, KeyTextSource keys)
    : items_(static_cast<std::size_t>(std::max(capacity, 1))), popups_(1), keys_(keys) {}

const MenuItem& MenuItemArray::Item(int position) const noexcept {
    if (position < 1 || position > used_) {
        return kEmptyItem;
    }
    return items_[static_cast<std::size_t>(position)];
}

int MenuItemArray::AddPopup() {
    popups_.emplace_back();
    return static_cast<int>(popups_.size()) - 1;
}

int MenuItemArray::Add(int menu, int commandValue, unsigned flags, std::optional<std::u16string_view> label,
                       std::optional<std::u16string_view> keyText, int submenu) {
    const int position = used_ + 1;
    if (position >= Capacity() || menu < 0 || menu >= static_cast<int>(popups_.size())) {
        return 0;
    }
    MenuItem& item = items_[static_cast<std::size_t>(position)];
    item.commandValue = commandValue;
    item.flags = flags;
    item.submenu = submenu;
    if (label) {
        item.label = std::u16string(CutToLength(*label, kMenuLabelMax));
    } else {
        item.label.assign(1, u'-');
        item.flags |= kMenuSeparator;
    }
    item.keyText = keyText ? std::u16string(*keyText) : CommandKeyText(commandValue, keys_);
    item.keyText = std::u16string(CutToLength(item.keyText, kMenuKeyTextMax));
    used_ = position;
    popups_[static_cast<std::size_t>(menu)].push_back(position);
    return position;
}

std::optional<int> RunMenuChoice(const MenuItemArray& menu, int position, int templateCount) noexcept {
    if (position < 1 || position > menu.Used()) {
        return std::nullopt;
    }
    const int value = menu.Item(position).commandValue;
    if (value >= kFirstCommandId && value <= kLastPostedCommand) {
        return value;
    }
    if (value >= kTemplateCommandBase && value - kTemplateCommandBase < templateCount) {
        return value;
    }
    return std::nullopt;
}

}  // namespace tavrin
