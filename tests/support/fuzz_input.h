#pragma once
// What every fuzz target needs: a check that ends the run when a property fails, and the input's
// bytes read as UTF-16LE code units.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

namespace tavrin::testing {

// Ends the run (libFuzzer reports it as a crash and keeps the input) when a checked property fails.
inline void FuzzCheck(bool condition) {
    if (!condition) {
        std::abort();
    }
}

// The code unit of the two bytes at data[at], little-endian.
inline char16_t Utf16UnitAt(const std::uint8_t* data, std::size_t at) {
    return static_cast<char16_t>(data[at] | (data[at + 1] << 8));
}

// The bytes from `from` on as UTF-16LE code units; a final odd byte is left out.
inline std::u16string Utf16UnitsFrom(const std::uint8_t* data, std::size_t size, std::size_t from) {
    std::u16string units;
    for (std::size_t i = from; i + 1 < size; i += 2) {
        units.push_back(Utf16UnitAt(data, i));
    }
    return units;
}

}  // namespace tavrin::testing
