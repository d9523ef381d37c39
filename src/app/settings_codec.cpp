#include "app/settings_codec.h"

#include "platform/text.h"

namespace tavrin {
namespace {

bool IsHighSurrogate(char16_t c) noexcept { return c >= 0xD800 && c <= 0xDBFF; }
bool IsLowSurrogate(char16_t c) noexcept { return c >= 0xDC00 && c <= 0xDFFF; }

}  // namespace

std::uint32_t DecodeHexKey(std::u16string_view text) noexcept {
    constexpr int kMaxDigits = 7;
    std::uint32_t value = 0;
    int digits = 0;
    for (std::size_t i = text.size(); i > 0 && digits < kMaxDigits; --i) {
        const int digit = HexDigitValue(text[i - 1]);
        if (digit < 0) {
            continue;
        }
        value |= static_cast<std::uint32_t>(digit) << (4 * digits);
        ++digits;
    }
    return value;
}

ColorRef DecodeColour(std::u16string_view text) noexcept {
    const std::uint32_t rgb = DecodeHexKey(text);
    return MakeColorRef(rgb >> 16, rgb >> 8, rgb);
}

void AppendColour(std::u16string& out, ColorRef colour) {
    AppendHex(out, colour & 0xFFu, 2);
    AppendHex(out, (colour >> 8) & 0xFFu, 2);
    AppendHex(out, (colour >> 16) & 0xFFu, 2);
}

CommaField SplitCommaField(std::u16string_view text, std::size_t start) noexcept {
    CommaField field;
    field.start = start;
    std::size_t i = start;
    while (i < text.size()) {
        const char16_t c = text[i];
        if (c == u',') {
            field.length = i - start;
            field.next = i + 1;
            field.hasNext = true;
            return field;
        }
        if (c == u'\\') {
            if (i + 1 == text.size()) {
                break;  // a backslash at the very end is dropped
            }
            if (text[i + 1] == u',' || text[i + 1] == u'\\') {
                i += 2;
                continue;
            }
        }
        ++i;
    }
    field.length = i - start;
    field.next = text.size();
    return field;
}

void AppendEscaped(std::u16string& out, std::u16string_view text, bool escapeCommas) {
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char16_t c = text[i];
        switch (c) {
            case u'\0':
                return;
            case u'\t':
                out += u"\\t";
                break;
            case u'\r':
                if (i + 1 < text.size() && text[i + 1] == u'\n') {
                    ++i;
                }
                out += u"\\n";
                break;
            case u'\n':
                out += u"\\n";
                break;
            case u'\\':
                out += u"\\\\";
                break;
            case u',':
                out += escapeCommas ? u"\\," : u",";
                break;
            default:
                out.push_back(c);
                break;
        }
    }
}

std::u16string DecodeEscaped(std::u16string_view text, EscapedKind kind) {
    std::u16string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char16_t c = text[i];
        if (c == u'\0' || c == u'\r') {
            break;
        }
        if (c != u'\\' || i + 1 == text.size()) {
            out.push_back(c);
            continue;
        }
        const char16_t next = text[i + 1];
        if (next == u'\0' || next == u'\r') {
            out.push_back(c);
            break;
        }
        ++i;
        switch (next) {
            case u',':
            case u'\\':
                out.push_back(next);
                break;
            case u't':
                out.push_back(u'\t');
                break;
            case u'n':
                out += kind == EscapedKind::kBody ? u"\r\n" : u"\n";
                break;
            default:
                out.push_back(c);
                out.push_back(next);
                break;
        }
    }
    return out;
}

void AppendItemValue(std::u16string& out, const TemplateItem& item) {
    AppendEscaped(out, item.name, true);
    out.push_back(u',');
    AppendEscaped(out, item.body, true);
    out.push_back(u',');
    AppendHex(out, static_cast<std::uint32_t>(item.key), 4);
}

TemplateItem DecodeItemValue(std::u16string_view value) {
    TemplateItem item;
    const CommaField name = SplitCommaField(value, 0);
    std::u16string decodedName = DecodeEscaped(value.substr(name.start, name.length), EscapedKind::kName);
    if (decodedName.size() <= TemplateItem::kTemplateNameMax) {
        item.name = std::move(decodedName);
    }
    if (!name.hasNext) {
        return item;
    }
    const CommaField body = SplitCommaField(value, name.next);
    item.body = DecodeEscaped(value.substr(body.start, body.length), EscapedKind::kBody);
    if (!body.hasNext) {
        return item;
    }
    const CommaField key = SplitCommaField(value, body.next);
    item.key = static_cast<std::int32_t>(DecodeHexKey(value.substr(key.start, key.length)));
    return item;
}

WeekLabels SplitWeekLabels(std::u16string_view weekFormat) {
    WeekLabels labels;
    std::size_t start = 0;
    for (std::u16string& label : labels) {
        if (start > weekFormat.size()) {
            break;
        }
        std::size_t end = weekFormat.find(u',', start);
        if (end == std::u16string_view::npos) {
            end = weekFormat.size();
        }
        if (end - start >= kWeekLabelLimit) {
            break;
        }
        label = weekFormat.substr(start, end - start);
        start = end + 1;
    }
    return labels;
}

std::u16string_view CutToLength(std::u16string_view text, std::size_t maxLength) noexcept {
    if (text.size() <= maxLength) {
        return text;
    }
    std::size_t length = maxLength;
    if (length > 0 && IsHighSurrogate(text[length - 1]) && IsLowSurrogate(text[length])) {
        --length;
    }
    return text.substr(0, length);
}

}  // namespace tavrin
