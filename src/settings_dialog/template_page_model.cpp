#include "settings_dialog/template_page_model.h"

#include <algorithm>

#include "app/settings_codec.h"

namespace tavrin {

TemplatePageModel::TemplatePageModel(const TemplateList& live) : copy_(live) {
    current_ = copy_.Empty() ? -1 : 0;
}

TemplatePageButtons TemplatePageModel::Buttons() const noexcept {
    TemplatePageButtons buttons;
    const bool any = current_ >= 0;
    buttons.fields = any;
    buttons.duplicate = any;
    buttons.remove = any;
    buttons.up = any && current_ > 0;
    buttons.down = any && current_ < Count() - 1;
    return buttons;
}

bool TemplatePageModel::StoreName(std::u16string_view name) {
    TemplateItem item;
    if (!ReadItem(copy_, current_, item)) {
        return false;
    }
    const std::u16string_view cut = CutToLength(name, TemplateItem::kTemplateNameMax);
    if (item.name == cut) {
        return false;
    }
    item.name.assign(cut);
    ReplaceAt(copy_, current_, item);
    return true;
}

bool TemplatePageModel::StoreKey(std::int32_t key) noexcept {
    TemplateItem item;
    if (!ReadItem(copy_, current_, item) || item.key == key) {
        return false;
    }
    item.key = key;
    ReplaceAt(copy_, current_, item);
    return true;
}

void TemplatePageModel::StoreBody(std::u16string_view body) {
    TemplateItem item;
    if (ReadItem(copy_, current_, item) && item.body != body) {
        item.body.assign(body);
        ReplaceAt(copy_, current_, item);
    }
}

void TemplatePageModel::Select(int index) noexcept {
    if (index >= 0 && index < Count()) {
        current_ = index;
    }
}

void TemplatePageModel::InsertBeforeCurrent(const TemplateItem& item) {
    const int at = current_ >= 0 ? current_ : 0;
    InsertAt(copy_, at, item);
    current_ = at;
}

void TemplatePageModel::Add() { InsertBeforeCurrent(TemplateItem{std::u16string(kNewTemplateName), u"", 0}); }

void TemplatePageModel::AddSeparator() {
    InsertBeforeCurrent(TemplateItem{std::u16string(kSeparatorName), u"", 0});
}

void TemplatePageModel::Duplicate() {
    TemplateItem item;
    if (ReadItem(copy_, current_, item)) {
        InsertBeforeCurrent(item);
    }
}

void TemplatePageModel::Remove() {
    if (!RemoveAt(copy_, current_)) {
        return;
    }
    current_ = std::min(current_, Count() - 1);
}

void TemplatePageModel::RemoveAll() {
    ClearTemplates(copy_);
    current_ = -1;
}

bool TemplatePageModel::MoveUp() { return current_ > 0 && Drop(current_, current_ - 1); }

bool TemplatePageModel::MoveDown() {
    return current_ >= 0 && current_ < Count() - 1 && Drop(current_, current_ + 2);
}

bool TemplatePageModel::Drop(int from, int to) {
    const int moved = MoveItem(copy_, from, std::clamp(to, 0, Count()));
    if (moved < 0) {
        return false;
    }
    current_ = moved;
    return true;
}

void TemplatePageModel::ResetToDefaults() {
    ClearTemplates(copy_);
    LoadDefaultTemplates(copy_);
    current_ = copy_.Empty() ? -1 : 0;
}

void TemplatePageModel::Accept(TemplateList& live, ChangeFlags& flags) const {
    if (live != copy_) {
        live = copy_;
        flags.templates = true;
    }
}

int DragGapAt(int y, int rowHeight, int visibleRows, int rowsFromTop) noexcept {
    if (rowHeight <= 0) {
        return 0;
    }
    const int gap = (y + rowHeight / 2) / rowHeight;
    const int limit = std::max(std::min(visibleRows, rowsFromTop), 0);
    return std::clamp(gap, 0, limit);
}

}  // namespace tavrin
