// Expands any text with a fixed clock, selection and clipboard; checks that the output stays within
// what the text reserves and that the positions lie inside the inserted text.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "templates/fake_template_context.h"
#include "templates/template_expander.h"

namespace {

void Check(bool condition) {
    if (!condition) {
        std::abort();
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace tavrin;
    testing::FakeTemplateContext context;
    context.now = {2019, 5, 1, 12, 30, 59, 3};
    context.editor.text = u"今日は日記を\r書く word_1 \U0001F600";
    context.editor.anchor = context.editor.caret = 4;
    context.clipboard.text = u"clip\r\nboard\r";
    const std::uint8_t flags = size > 0 ? data[0] : 0;
    context.calendarMode = (flags & 1) != 0;
    if ((flags & 2) != 0) {
        context.clipboard.text.reset();
    }
    std::u16string text;
    for (std::size_t i = 1; i + 1 < size; i += 2) {
        text.push_back(static_cast<char16_t>(data[i] | (data[i + 1] << 8)));
    }
    const std::optional<TemplateExpansion> expansion = ExpandTemplate(text, context);
    Check(expansion.has_value());
    // No code writes more than 260 characters here (the selection and the clipboard are shorter).
    const std::size_t bound = 260 * text.size();
    Check(expansion->text.size() <= bound);
    if (expansion->selection) {
        const int end =
            static_cast<int>(context.editor.text.size() + testing::EditorForm(expansion->text).size());
        Check(expansion->selection->anchor >= 0 && expansion->selection->anchor <= end);
        Check(expansion->selection->caret >= 0 && expansion->selection->caret <= end);
    }
    return 0;
}
