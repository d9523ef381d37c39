#pragma once
// Fixed phrases ("定型文"): the records and the list operations. Expansion of $-codes lives beside it.

#include <cstdint>
#include <string>
#include <vector>

namespace tavrin {

// One fixed phrase. name holds at most kTemplateNameMax characters and may contain "&" mnemonics and
// $-codes; the name "-" makes the item a menu separator. body is the template text; an empty body is
// the absent body of the stored form and inserts nothing. key is a ShortcutKey; 0 or below means none.
struct TemplateItem {
    static constexpr std::size_t kTemplateNameMax = 63;

    std::u16string name;
    std::u16string body;
    std::int32_t key = 0;

    [[nodiscard]] bool IsSeparator() const noexcept { return name == u"-"; }
    [[nodiscard]] std::int32_t BodyLength() const noexcept { return static_cast<std::int32_t>(body.size()); }
    friend bool operator==(const TemplateItem&, const TemplateItem&) = default;
};

// The ordered template list; list order is menu order and items are addressed by 0-based index.
// Items are deep copies: the list owns names and bodies.
class TemplateList {
public:
    [[nodiscard]] int Count() const noexcept { return static_cast<int>(items_.size()); }
    [[nodiscard]] bool Empty() const noexcept { return items_.empty(); }
    [[nodiscard]] const std::vector<TemplateItem>& Items() const noexcept { return items_; }
    friend bool operator==(const TemplateList&, const TemplateList&) = default;

private:
    friend bool InsertAt(TemplateList& list, int index, const TemplateItem& item);
    friend bool RemoveAt(TemplateList& list, int index);
    friend bool ReplaceAt(TemplateList& list, int index, const TemplateItem& item);
    friend int MoveItem(TemplateList& list, int from, int to);
    friend void ClearTemplates(TemplateList& list);

    std::vector<TemplateItem> items_;
};

// Appends the eleven default items (the caller clears the list first).
void LoadDefaultTemplates(TemplateList& list);
// Inserts a copy before the item at index; index 0 makes it first, an index at or past the end (or
// below 0) appends it. Names longer than kTemplateNameMax are cut.
bool InsertAt(TemplateList& list, int index, const TemplateItem& item);
// Removes the item; false when there is none at index.
bool RemoveAt(TemplateList& list, int index);
// The item at index, or nullptr.
[[nodiscard]] const TemplateItem* ItemAt(const TemplateList& list, int index);
// Copies the item's fields into record; false when there is no item at index.
bool ReadItem(const TemplateList& list, int index, TemplateItem& record);
// Replaces name, body and key of the item at index; false when there is none.
bool ReplaceAt(TemplateList& list, int index, const TemplateItem& item);
// Moves the item at from so that it stands directly before the item that was at to (to outside the
// list means the end). Returns the moved item's new index, or -1 with nothing changed when the move
// would change nothing or from is not an item.
int MoveItem(TemplateList& list, int from, int to);
void ClearTemplates(TemplateList& list);

}  // namespace tavrin
