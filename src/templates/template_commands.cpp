#include "templates/template_commands.h"

#include <algorithm>
#include <climits>

#include "platform/text.h"
#include "templates/template_expander.h"

namespace tavrin {

std::u16string TemplateIdDetail(int index) {
    std::u16string detail = u"定型文ID: ";
    AppendDecimal(detail, index);
    return detail;
}

namespace {

// Where the editor really put the text it was just given: its caret stands behind it. The editor can
// place it elsewhere than the expansion expected: at offset 0 of an entry that opens with a heading it
// inserts behind the "*".
int InsertionStart(TemplateEditor& editor, std::u16string_view inserted) {
    const auto length = static_cast<std::int64_t>(LineBreaksToLf(inserted).size());
    return static_cast<int>(std::max<std::int64_t>(editor.SelectionStart() - length, 0));
}

TemplateSelection ShiftedToInsertion(const TemplateSelection& selection, int expectedStart,
                                     int actualStart) noexcept {
    const std::int64_t shift = static_cast<std::int64_t>(actualStart) - expectedStart;
    const auto moved = [shift](int offset) {
        return static_cast<int>(std::clamp<std::int64_t>(offset + shift, 0, INT_MAX));
    };
    return {moved(selection.anchor), moved(selection.caret)};
}

}  // namespace

bool InsertTemplate(const TemplateList& list, int index, TemplateContext& context, ErrorSink& errors) {
    if (context.CalendarMode() || context.Editor().IsReadOnly()) {
        return false;
    }
    const TemplateItem* item = ItemAt(list, index);
    if (!item) {
        errors.Report({kTemplateMissingError, TemplateIdDetail(index), 0});
        return false;
    }
    if (item->body.empty()) {
        return false;
    }
    const std::optional<TemplateExpansion> expansion = ExpandTemplate(item->body, context);
    if (!expansion) {
        errors.Report({kTemplateOutOfMemoryError, TemplateIdDetail(index), 0});
        return false;
    }
    std::optional<TemplateSelection> selection = expansion->selection;
    if (!expansion->text.empty()) {
        context.Editor().ReplaceSelection(expansion->text);
        if (selection) {
            selection = ShiftedToInsertion(*selection, expansion->base,
                                           InsertionStart(context.Editor(), expansion->text));
        }
    }
    if (selection) {
        context.Editor().SetSelection(selection->anchor, selection->caret);
    }
    return !expansion->text.empty() || expansion->selection.has_value();
}

std::u16string TemplateMenuLabel(const TemplateItem& item, TemplateContext& context) {
    if (item.name.empty()) {
        return item.name;
    }
    std::optional<TemplateExpansion> expansion = ExpandTemplate(item.name, context);
    if (!expansion) {
        return item.name;
    }
    std::u16string label = std::move(expansion->text);
    if (label.size() > kTemplateLabelMax) {
        std::size_t cut = kTemplateLabelMax;
        // Keep a surrogate pair whole rather than show half of it.
        if (label[cut - 1] >= 0xD800 && label[cut - 1] <= 0xDBFF) {
            --cut;
        }
        label.resize(cut);
        label += u"...";
    }
    return label;
}

std::vector<TemplateMenuEntry> BuildTemplateMenu(const TemplateList& list, TemplateContext& context,
                                                 const KeyNameSource& keyNames) {
    std::vector<TemplateMenuEntry> menu;
    menu.reserve(list.Items().size());
    for (int index = 0; index < list.Count(); ++index) {
        const TemplateItem& item = list.Items()[static_cast<std::size_t>(index)];
        TemplateMenuEntry entry;
        entry.command = TemplateCommandId(index);
        entry.separator = item.IsSeparator();
        if (!entry.separator) {
            entry.label = TemplateMenuLabel(item, context);
            if (item.key > 0) {
                entry.keyText = FormatShortcutKey(static_cast<std::uint32_t>(item.key), false, keyNames);
            }
        }
        menu.push_back(std::move(entry));
    }
    return menu;
}

}  // namespace tavrin
