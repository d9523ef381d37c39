#pragma once
// The 48 user commands that can be bound to keys, their shortcut keys, the key texts shown in menus and
// the settings dialog, and the accelerator entries the shell turns into its accelerator table.

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace tavrin {

class TemplateList;

// A key binding: the low byte is a Windows virtual-key code (0 = no key), the high byte holds the
// kKey* modifier flags below. 0x0473 is Alt + F4.
using ShortcutKey = std::uint16_t;

// Modifier flags of a ShortcutKey, as values of its high byte.
inline constexpr unsigned kKeyCtrl = 0x01;
inline constexpr unsigned kKeyShift = 0x02;
inline constexpr unsigned kKeyAlt = 0x04;
inline constexpr unsigned kKeyWin = 0x08;       // shown in key texts only; accelerators ignore it
inline constexpr unsigned kKeyExtended = 0x10;  // asks the key-name lookup for the extended-key name

[[nodiscard]] constexpr unsigned KeyCode(std::uint32_t key) noexcept {
    return key & 0xFFu;
}
[[nodiscard]] constexpr unsigned KeyFlags(std::uint32_t key) noexcept {
    return (key >> 8) & 0xFFu;
}
[[nodiscard]] constexpr ShortcutKey MakeShortcutKey(unsigned flags, unsigned code) noexcept {
    return static_cast<ShortcutKey>(((flags & 0xFFu) << 8) | (code & 0xFFu));
}

inline constexpr int kCommandCount = 48;
inline constexpr int kFirstCommandId = 41001;
inline constexpr int kTemplateCommandBase = 45000;

// One row of the CommandTable. displayName is "[group] name" for the settings list, keyName the key
// of the row's line in the [ShortcutKey] section of the settings file.
struct CommandRow {
    std::u16string_view displayName;
    std::u16string_view shortName;
    std::u16string_view keyName;
    ShortcutKey defaultKey = 0;
};

// The constant table, in row order; the row index is the command's identity (see CommandIdOfRow).
[[nodiscard]] const std::array<CommandRow, kCommandCount>& CommandTable() noexcept;

// The row whose keyName equals name, or -1.
[[nodiscard]] int CommandRowOfKeyName(std::u16string_view name) noexcept;

[[nodiscard]] constexpr int CommandIdOfRow(int row) noexcept {
    return kFirstCommandId + row;
}
[[nodiscard]] constexpr int TemplateCommandId(int index) noexcept {
    return kTemplateCommandBase + index;
}

// One key per CommandTable row.
using ShortcutKeyArray = std::array<ShortcutKey, kCommandCount>;

// The default key of every row.
[[nodiscard]] ShortcutKeyArray DefaultShortcutKeys() noexcept;

// The system's names for keys. The program asks the keyboard layout (MapVirtualKey and
// GetKeyNameText); tests use a fixed table.
class KeyNameSource {
  public:
    virtual ~KeyNameSource() = default;
    // The scan code of a virtual-key code; 0 when it has none.
    [[nodiscard]] virtual unsigned ScanCodeOf(unsigned virtualKey) const = 0;
    // The name of the key with that scan code (the extended-key name when extended is set); empty when
    // the system has no name for it.
    [[nodiscard]] virtual std::u16string NameOf(unsigned scanCode, bool extended) const = 0;
};

// The text of a key, such as "Ctrl + Shift + F" (spacing on) or "Ctrl+Shift+F" (spacing off). Empty
// when the key has neither modifiers nor a key code; otherwise never empty.
[[nodiscard]] std::u16string FormatShortcutKey(std::uint32_t key, bool spacing,
                                               const KeyNameSource& keyNames);

// Flags of an accelerator entry, with the values of the Windows ACCEL structure.
inline constexpr std::uint8_t kAccelVirtKey = 0x01;
inline constexpr std::uint8_t kAccelShift = 0x04;
inline constexpr std::uint8_t kAccelControl = 0x08;
inline constexpr std::uint8_t kAccelAlt = 0x10;

// One accelerator entry, field for field an ACCEL. An entry with flags, key and command 0 is empty
// and never matches.
struct AcceleratorEntry {
    std::uint8_t flags = 0;
    std::uint16_t key = 0;
    std::uint16_t command = 0;

    friend bool operator==(const AcceleratorEntry&, const AcceleratorEntry&) = default;
};

// The entry of one key for one command: the virtual key with Ctrl, Shift and Alt (Win is dropped).
[[nodiscard]] AcceleratorEntry AcceleratorOf(std::uint32_t key, std::uint16_t command) noexcept;

// The entries of the accelerator table: one per CommandTable row (rows without a key included, they
// never match), then one per template item in list order, empty for an item without a key so that
// later items keep their command ids. A template whose command id would not fit the 16-bit command
// field also gets an empty entry rather than a wrapped id that would trigger another command.
[[nodiscard]] std::vector<AcceleratorEntry> BuildAccelerators(const ShortcutKeyArray& activeKeys,
                                                              const TemplateList& templates);

}  // namespace tavrin
