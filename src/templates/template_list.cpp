#include "templates/template_list.h"

#include <array>

namespace tavrin {
namespace {

TemplateItem Copied(const TemplateItem& item) {
    TemplateItem copy = item;
    if (copy.name.size() > TemplateItem::kTemplateNameMax) {
        copy.name.resize(TemplateItem::kTemplateNameMax);
    }
    return copy;
}

bool IsIndex(const TemplateList& list, int index) { return index >= 0 && index < list.Count(); }

}  // namespace

void LoadDefaultTemplates(TemplateList& list) {
    // Keys: high byte 0x01 Ctrl, 0x04 Alt, 0x10 extended; low byte the virtual-key code.
    static const std::array<TemplateItem, 11> kDefaults{{
        {u"日付(&;)", u"$1", 0x04BB},
        {u"時刻(&:)", u"$2", 0x04BA},
        {u"日付と時刻(&D)", u"$3", 0x0144},
        {u"$K/$O/$Q 編集日の日付(&E)", u"$K/$O/$Q", 0},
        {u"-", u"", 0},
        {u"日記テンプレート(&T)", u"*$}今日のタイトル${\r\n天気：\r\n食べた物：\r\n今日の出来事：\r\n", 0x142D},
        {u"-", u"", 0},
        {u"（ ）で囲む(&1)", u"${（$@）$}", 0},
        {u"「 」で囲む(&2)", u"${「$@」$}", 0},
        {u"『 』で囲む(&3)", u"${『$@』$}", 0},
        {u"【 】で囲む(&4)", u"${【$@】$}", 0},
    }};
    for (const TemplateItem& item : kDefaults) {
        InsertAt(list, list.Count(), item);
    }
}

bool InsertAt(TemplateList& list, int index, const TemplateItem& item) {
    auto& items = list.items_;
    const auto position = IsIndex(list, index) ? items.begin() + index : items.end();
    items.insert(position, Copied(item));
    return true;
}

bool RemoveAt(TemplateList& list, int index) {
    if (!IsIndex(list, index)) {
        return false;
    }
    list.items_.erase(list.items_.begin() + index);
    return true;
}

const TemplateItem* ItemAt(const TemplateList& list, int index) {
    return IsIndex(list, index) ? &list.Items()[static_cast<std::size_t>(index)] : nullptr;
}

bool ReadItem(const TemplateList& list, int index, TemplateItem& record) {
    const TemplateItem* item = ItemAt(list, index);
    if (!item) {
        return false;
    }
    record = *item;
    return true;
}

bool ReplaceAt(TemplateList& list, int index, const TemplateItem& item) {
    if (!IsIndex(list, index)) {
        return false;
    }
    list.items_[static_cast<std::size_t>(index)] = Copied(item);
    return true;
}

int MoveItem(TemplateList& list, int from, int to) {
    const int count = list.Count();
    const bool toEnd = to < 0 || to >= count;
    if (count == 0 || !IsIndex(list, from) || from == to || to == from + 1 || (from == count - 1 && toEnd)) {
        return -1;
    }
    const int target = toEnd ? count - 1 : (to > from ? to - 1 : to);
    auto& items = list.items_;
    TemplateItem moved = std::move(items[static_cast<std::size_t>(from)]);
    items.erase(items.begin() + from);
    items.insert(items.begin() + target, std::move(moved));
    return target;
}

void ClearTemplates(TemplateList& list) { list.items_.clear(); }

}  // namespace tavrin
