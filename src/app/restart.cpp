#include "app/restart.h"

#include <cstdint>

#include "platform/text.h"

namespace tavrin {

std::u16string RestartLockName(std::u16string_view upperCaseExePath) {
    // Kernel object names cannot hold the path's backslashes, so the path is hashed (64-bit FNV-1a over
    // its UTF-16 units) into the name.
    std::uint64_t hash = 0xCBF29CE484222325ULL;
    for (const char16_t unit : upperCaseExePath) {
        hash ^= unit;
        hash *= 0x100000001B3ULL;
    }
    std::u16string name = u"Local\\Tavrin.Restart.";
    AppendHex(name, static_cast<std::uint32_t>(hash >> 32), 8);
    AppendHex(name, static_cast<std::uint32_t>(hash), 8);
    return name;
}

}  // namespace tavrin
