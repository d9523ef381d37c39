#pragma once
// The items of an owner-drawn popup menu as data. One MenuItemArray holds every item of one open menu
// (its submenus included) by position; the shell creates one system menu per popup, inserts each item
// with its position as the menu identifier and the system text below, and draws items from the array.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "app/command_table.h"

namespace tavrin {

// Item flags.
inline constexpr unsigned kMenuDisabled = 0x01;
inline constexpr unsigned kMenuChecked = 0x02;  // check mark
inline constexpr unsigned kMenuRadio = 0x04;    // radio mark
inline constexpr unsigned kMenuHighlighted = 0x08;
inline constexpr unsigned kMenuDefault = 0x10;

// Item flags from the conditions that set them.
[[nodiscard]] constexpr unsigned CheckedIf(bool on, unsigned flag = kMenuChecked) noexcept {
    return on ? flag : 0;
}
[[nodiscard]] constexpr unsigned DisabledIf(bool off) noexcept { return off ? kMenuDisabled : 0; }
inline constexpr unsigned kMenuSeparator = 0x80;

inline constexpr std::size_t kMenuLabelMax = 255;
inline constexpr std::size_t kMenuKeyTextMax = 63;
// The text handed to the system with an item: the label cut to this many characters plus "...".
inline constexpr std::size_t kMenuSystemTextMax = 120;

// One menu position. A separator has the label "-" and the separator flag.
struct MenuItem {
    std::u16string label;
    std::u16string keyText;  // shown right-aligned
    int commandValue = 0;    // a command id, a year, a month, a day, a template command ...
    unsigned flags = 0;
    int submenu = -1;  // the popup this item opens, or -1

    [[nodiscard]] bool IsSeparator() const noexcept { return (flags & kMenuSeparator) != 0; }
    [[nodiscard]] bool Disabled() const noexcept { return (flags & kMenuDisabled) != 0; }
};

// Where key texts come from: the active keys of the command table rendered without spacing. Without
// a source, items get no looked-up key text.
struct KeyTextSource {
    const ShortcutKeyArray* activeKeys = nullptr;
    const KeyNameSource* keyNames = nullptr;
};

// The key text of a command value: the active key of the CommandTable row with that command id,
// e.g. "Ctrl+Z"; empty for values that are no command id and for keys of 0.
[[nodiscard]] std::u16string CommandKeyText(int commandValue, const KeyTextSource& keys);

// The text given to the system for a label: the first 120 characters and "..." when it is longer.
[[nodiscard]] std::u16string MenuSystemText(std::u16string_view label);

// All items of one menu. Position 0 stays empty; positions 1 to Capacity() - 1 are filled in order.
// Popup 0 is the menu itself; AddPopup makes submenus.
class MenuItemArray {
public:
    MenuItemArray(int capacity, KeyTextSource keys = {});

    [[nodiscard]] int Capacity() const noexcept { return static_cast<int>(items_.size()); }
    // The number of positions filled (the last position used).
    [[nodiscard]] int Used() const noexcept { return used_; }
    // The item at a position; an empty item for position 0 and positions outside the array.
    [[nodiscard]] const MenuItem& Item(int position) const noexcept;
    // The positions shown by each popup, in order; [0] is the top level.
    [[nodiscard]] const std::vector<std::vector<int>>& Popups() const noexcept { return popups_; }

    // A new, empty submenu; returns its popup index.
    int AddPopup();
    // Fills the next position and appends it to popup menu (AddMenuItem). No label makes a separator;
    // no key text looks one up for the command value. Labels are cut to 255 characters, key texts to 63.
    // Returns the position, or 0 when the array is full or the popup does not exist.
    int Add(int menu, int commandValue, unsigned flags, std::optional<std::u16string_view> label,
            std::optional<std::u16string_view> keyText = std::nullopt, int submenu = -1);
    int AddSeparator(int menu) { return Add(menu, 0, kMenuSeparator, std::nullopt, u""); }

private:
    std::vector<MenuItem> items_;
    std::vector<std::vector<int>> popups_;
    KeyTextSource keys_;
    int used_ = 0;
};

// The command a menu choice posts to the frame (RunMenuChoice): the chosen item's command value when
// it is a command id 41001 to 41049 or a template command 45000 to 45000 + templateCount - 1; nothing
// for other values and for positions outside the array (0 is "nothing chosen").
[[nodiscard]] std::optional<int> RunMenuChoice(const MenuItemArray& menu, int position,
                                               int templateCount) noexcept;

}  // namespace tavrin
