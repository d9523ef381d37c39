#pragma once
// Key names from the keyboard layout, for key texts in menus and the settings dialog.

#include "app/command_table.h"

namespace tavrin {

class SystemKeyNames final : public KeyNameSource {
public:
    [[nodiscard]] unsigned ScanCodeOf(unsigned virtualKey) const override;
    [[nodiscard]] std::u16string NameOf(unsigned scanCode, bool extended) const override;
};

}  // namespace tavrin
