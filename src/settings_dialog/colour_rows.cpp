#include "settings_dialog/colour_rows.h"

#include "platform/text.h"

namespace tavrin {
namespace {

constexpr std::array<std::u16string_view, kColourRowCount> kNames{
    u"文字", u"背景", u"土曜日", u"日曜日・祝日", u"見出し", u"URL", u"メールアドレス", u"ファイルパス",
};

bool IsSpace(char16_t c) noexcept {
    return c == u' ' || c == u'\t' || c == u'\r' || c == u'\n' || c == u'\u3000';
}

}  // namespace

std::u16string_view ColourRowName(int row) noexcept {
    return row >= 0 && row < kColourRowCount ? kNames[static_cast<std::size_t>(row)] : std::u16string_view();
}

std::array<ColorRef, kColourRowCount> DefaultColourRows() noexcept {
    const ColourSettings defaults;
    return {defaults.text, defaults.back, defaults.saturday, defaults.sunday,
            defaults.head, defaults.url,  defaults.mail,     defaults.file};
}

std::u16string ColourClipboardText(ColorRef colour) {
    std::u16string text = u"#";
    AppendColour(text, colour);
    return text;
}

std::optional<ColorRef> ParseColourClipboardText(std::u16string_view text) noexcept {
    while (!text.empty() && IsSpace(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && IsSpace(text.back())) {
        text.remove_suffix(1);
    }
    if (!text.empty() && text.front() == u'#') {
        text.remove_prefix(1);
    }
    if (text.size() != 6) {
        return std::nullopt;
    }
    unsigned value = 0;
    for (const char16_t c : text) {
        const int digit = HexDigitValue(c);
        if (digit < 0) {
            return std::nullopt;
        }
        value = value * 16 + static_cast<unsigned>(digit);
    }
    return MakeColorRef((value >> 16) & 0xFF, (value >> 8) & 0xFF, value & 0xFF);
}

std::array<ColourMenuItem, 6> ColourMenuItems() noexcept {
    return {{
        {u"色の変更(&C)...\tSpace", kColourChange},
        {u"色の反転(&R)\tR", kColourInvert},
        {u"色のコピー(&Y)\tCtrl+C", kColourCopy},
        {u"色の貼り付け(&P)\tCtrl+V", kColourPaste},
        {u"", 0},
        {u"すべての色を初期化(&I)", kColourResetAll},
    }};
}

}  // namespace tavrin
