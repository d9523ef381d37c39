#include "settings_dialog/key_field.h"

namespace tavrin {

ShortcutKey ComposeShortcutKey(const KeyFieldState& controls) noexcept {
    unsigned flags = 0;
    flags |= controls.ctrl ? kKeyCtrl : 0;
    flags |= controls.shift ? kKeyShift : 0;
    flags |= controls.alt ? kKeyAlt : 0;
    const unsigned code = controls.hotKey & 0xFFu;
    if (code != 0 && (controls.hotKey >> 8) & kHotKeyFieldExtended) {
        flags |= kKeyExtended;
    }
    return MakeShortcutKey(flags, code);
}

KeyFieldState KeyFieldStateOf(std::uint32_t key) noexcept {
    const unsigned flags = KeyFlags(key);
    KeyFieldState state;
    state.ctrl = (flags & kKeyCtrl) != 0;
    state.shift = (flags & kKeyShift) != 0;
    state.alt = (flags & kKeyAlt) != 0;
    const unsigned code = KeyCode(key);
    const unsigned fieldFlags = code != 0 && (flags & kKeyExtended) ? kHotKeyFieldExtended : 0;
    state.hotKey = static_cast<std::uint16_t>(fieldFlags << 8 | code);
    return state;
}

std::uint16_t ExtraHotKeyValue(unsigned virtualKey) noexcept {
    constexpr unsigned kBack = 0x08;
    constexpr unsigned kTab = 0x09;
    constexpr unsigned kReturn = 0x0D;
    constexpr unsigned kEscape = 0x1B;
    constexpr unsigned kSpace = 0x20;
    constexpr unsigned kDelete = 0x2E;
    switch (virtualKey) {
        case kBack:
        case kTab:
        case kReturn:
        case kEscape:
        case kSpace:
            return static_cast<std::uint16_t>(virtualKey);
        case kDelete:
            return static_cast<std::uint16_t>(kHotKeyFieldExtended << 8 | kDelete);
        default:
            return 0;
    }
}

}  // namespace tavrin
