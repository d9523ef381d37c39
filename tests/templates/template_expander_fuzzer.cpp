// Expands any text with a fixed clock, selection and clipboard; checks that the output stays within
// what the text reserves and that the positions lie inside the inserted text.
#include <cstddef>
#include <cstdint>
#include <string>

#include "support/fuzz_input.h"
#include "templates/fake_template_context.h"
#include "templates/template_expander.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace tavrin;
    using testing::FuzzCheck;
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
    const std::u16string text = testing::Utf16UnitsFrom(data, size, 1);
    const std::optional<TemplateExpansion> expansion = ExpandTemplate(text, context);
    FuzzCheck(expansion.has_value());
    // No code writes more than 260 characters here (the selection and the clipboard are shorter).
    const std::size_t bound = 260 * text.size();
    FuzzCheck(expansion->text.size() <= bound);
    if (expansion->selection) {
        const int end =
            static_cast<int>(context.editor.text.size() + testing::EditorForm(expansion->text).size());
        FuzzCheck(expansion->selection->anchor >= 0 && expansion->selection->anchor <= end);
        FuzzCheck(expansion->selection->caret >= 0 && expansion->selection->caret <= end);
    }
    return 0;
}
