#include "app/key_names_win.h"

#include "platform/wide_win.h"

namespace tavrin {

unsigned SystemKeyNames::ScanCodeOf(unsigned virtualKey) const {
    return MapVirtualKeyW(virtualKey, MAPVK_VK_TO_VSC);
}

std::u16string SystemKeyNames::NameOf(unsigned scanCode, bool extended) const {
    // GetKeyNameText takes the lParam layout of a key message: scan code in bits 16-23, the extended
    // flag in bit 24.
    const LONG keyData = static_cast<LONG>((scanCode & 0xFFu) << 16 | (extended ? 1u << 24 : 0u));
    wchar_t name[128] = {};
    const int length = GetKeyNameTextW(keyData, name, 128);
    return length > 0 ? FromWide(std::wstring_view(name, static_cast<std::size_t>(length)))
                      : std::u16string();
}

}  // namespace tavrin
