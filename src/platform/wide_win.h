#pragma once
// The one bridge between core text (char16_t) and the W APIs (wchar_t). On Windows both are 16-bit
// UTF-16 code units, so the conversion is a reinterpretation, never a copy.

#include <windows.h>

#include <filesystem>
#include <string>
#include <string_view>

namespace tavrin {

static_assert(sizeof(wchar_t) == sizeof(char16_t), "Windows wchar_t holds UTF-16 code units");

// A NUL-terminated wide pointer to core text; valid while the string lives.
[[nodiscard]] inline const wchar_t* Wide(const std::u16string& text) noexcept {
    return reinterpret_cast<const wchar_t*>(text.c_str());
}
[[nodiscard]] inline const wchar_t* Wide(const char16_t* text) noexcept {
    return reinterpret_cast<const wchar_t*>(text);
}
[[nodiscard]] inline wchar_t* WideBuffer(std::u16string& text) noexcept {
    return reinterpret_cast<wchar_t*>(text.data());
}
[[nodiscard]] inline std::u16string FromWide(std::wstring_view text) {
    return {reinterpret_cast<const char16_t*>(text.data()), text.size()};
}
[[nodiscard]] inline std::u16string FromWide(const wchar_t* text) {
    return text ? FromWide(std::wstring_view(text)) : std::u16string();
}

// A window's or control's text; empty for no window.
[[nodiscard]] inline std::u16string WindowText(HWND window) {
    const int length = GetWindowTextLengthW(window);
    std::u16string text(static_cast<std::size_t>(length > 0 ? length : 0) + 1, u'\0');
    text.resize(static_cast<std::size_t>(GetWindowTextW(window, WideBuffer(text), length + 1)));
    return text;
}

}  // namespace tavrin
