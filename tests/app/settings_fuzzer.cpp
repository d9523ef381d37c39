// Fuzzes the settings-file parser and the "Item" decoder with arbitrary bytes. Beyond not crashing,
// whatever a file parses to must survive a write and a re-read unchanged: parse -> compose -> parse
// gives the same record and the same text again.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <span>

#include "app/settings.h"
#include "app/settings_codec.h"
#include "app/settings_file.h"
#include "platform/utf16_file.h"
#include "support/fuzz_input.h"

namespace {

using namespace tavrin;

using testing::FuzzCheck;

Settings Defaults() { return DefaultSettings({10, ScreenRect{0, 0, 1920, 1040}, 20240501}); }

void FuzzSettingsText(std::u16string_view text) {
    Settings first = Defaults();
    TemplateList firstTemplates;
    ParseSettingsText(text, first, firstTemplates);
    const std::u16string composed = ComposeSettingsText(first, firstTemplates);
    FuzzCheck(composed.find(u'\0') == std::u16string::npos);

    Settings second = Defaults();
    TemplateList secondTemplates;
    ParseSettingsText(composed, second, secondTemplates);
    FuzzCheck(second == first);
    FuzzCheck(secondTemplates == firstTemplates);
    FuzzCheck(ComposeSettingsText(second, secondTemplates) == composed);
}

void FuzzItemValue(std::u16string_view value) {
    const TemplateItem item = DecodeItemValue(value);
    FuzzCheck(item.name.size() <= TemplateItem::kTemplateNameMax);
    std::u16string encoded;
    AppendItemValue(encoded, item);
    FuzzCheck(DecodeItemValue(encoded) == item);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::u16string text = DecodeUtf16File(std::as_bytes(std::span(data, size)));
    FuzzSettingsText(text);
    // The Item decoder sees one line's value, which never holds a line break or a NUL.
    const std::size_t end = std::min(text.find_first_of(std::u16string_view(u"\r\n\0", 3)), text.size());
    FuzzItemValue(std::u16string_view(text).substr(0, end));
    return 0;
}
