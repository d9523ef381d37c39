#pragma once
// The shortcut-key editor shared by the template and keyboard pages: three check boxes for Ctrl,
// Shift and Alt and a hot-key field for the key itself. Only the check boxes give modifiers; the field
// gives the virtual-key code and whether it is an extended key.

#include <cstdint>

#include "app/command_table.h"

namespace tavrin {

// What the hot-key field reports: the virtual-key code in the low byte and its own flags in the high
// byte, of which only the extended-key flag counts here.
inline constexpr unsigned kHotKeyFieldExtended = 0x08;

// What the four controls show for a key.
struct KeyFieldState {
    bool ctrl = false;
    bool shift = false;
    bool alt = false;
    std::uint16_t hotKey = 0;  // the field's value: code, and kHotKeyFieldExtended in the high byte
    friend bool operator==(const KeyFieldState&, const KeyFieldState&) = default;
};

// The ShortcutKey the controls make: flags Ctrl 0x01, Shift 0x02, Alt 0x04 and 0x10 for an extended key,
// times 256, plus the code. No box ticked and no key gives 0. Ctrl and Shift with F5 give 0x0374.
[[nodiscard]] ShortcutKey ComposeShortcutKey(const KeyFieldState& controls) noexcept;

// The controls for a key (the Win flag has no box and is not shown).
[[nodiscard]] KeyFieldState KeyFieldStateOf(std::uint32_t key) noexcept;

// The keys the hot-key field takes beyond those a hot-key control takes by itself: Backspace, Tab,
// Enter, Esc and Space as plain keys, Delete as an extended one. The field value for a virtual key, or
// 0 when the field leaves the key to the control.
[[nodiscard]] std::uint16_t ExtraHotKeyValue(unsigned virtualKey) noexcept;

// The field's context menu: "Tab", "Enter", "Esc", "変換" (VK_CONVERT), "無変換" (VK_NONCONVERT).
struct KeyFieldMenuItem {
    const char16_t* label;
    std::uint16_t hotKey;
};
inline constexpr KeyFieldMenuItem kKeyFieldMenu[] = {
    {u"Tab", 0x09}, {u"Enter", 0x0D}, {u"Esc", 0x1B}, {u"変換", 0x1C}, {u"無変換", 0x1D},
};

}  // namespace tavrin
