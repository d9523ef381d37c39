#pragma once
// The "定型文" page's editing copy of the template list: the current item whose fields the page
// shows, the list commands with their selection rules, the enabled state of the buttons, and the
// gap a dragged row is dropped into.

#include <cstdint>
#include <string>
#include <string_view>

#include "settings_dialog/setting_fields.h"
#include "templates/template_list.h"

namespace tavrin {

// Which controls of the page can be used.
struct TemplatePageButtons {
    bool fields = false;  // name, body and key controls
    bool duplicate = false;
    bool remove = false;  // "削除" and "すべて削除"
    bool up = false;
    bool down = false;
    friend bool operator==(const TemplatePageButtons&, const TemplatePageButtons&) = default;
};

// The name of a new item and of a separator.
inline constexpr std::u16string_view kNewTemplateName = u"新規定型文";
inline constexpr std::u16string_view kSeparatorName = u"-";

// The copy and the current index (-1 when the list is empty). Every command that changes the list
// expects the page to have stored the fields of the current item first (StoreFields).
class TemplatePageModel {
public:
    // Fills the copy with the live items and makes the first one current.
    explicit TemplatePageModel(const TemplateList& live);

    [[nodiscard]] const TemplateList& Items() const noexcept { return copy_; }
    [[nodiscard]] int Count() const noexcept { return copy_.Count(); }
    [[nodiscard]] int Current() const noexcept { return current_; }
    [[nodiscard]] const TemplateItem* CurrentItem() const noexcept { return ItemAt(copy_, current_); }
    [[nodiscard]] TemplatePageButtons Buttons() const noexcept;

    // The name edit: stored at once, cut to 63 characters. True when the name changed.
    bool StoreName(std::u16string_view name);
    // The key controls: stored at once. True when the key changed.
    bool StoreKey(std::int32_t key) noexcept;
    // The body, stored when the item is committed.
    void StoreBody(std::u16string_view body);

    // Makes another row current (the page stores the fields of the old one first). Rows outside the
    // list are ignored.
    void Select(int index) noexcept;

    // "追加" and "区切り": a new item before the current one (at 0 when there is none), made current.
    void Add();
    void AddSeparator();
    // "複製": a copy of the current item inserted before it and made current.
    void Duplicate();
    // "削除": the current item goes; the row at the same index, or the new last one, becomes current.
    void Remove();
    // "すべて削除".
    void RemoveAll();
    // "上へ", "下へ": false when the current row cannot move that way.
    bool MoveUp();
    bool MoveDown();
    // A drag of row from dropped into the gap before row to (to = count: after the last row). False
    // when that changes nothing.
    bool Drop(int from, int to);
    // "初期化(&I)": the copy holds the default items, the first one current.
    void ResetToDefaults();

    // OK: the live list takes the copy; the templates flag is raised when they differ.
    void Accept(TemplateList& live, ChangeFlags& flags) const;

private:
    void InsertBeforeCurrent(const TemplateItem& item);

    TemplateList copy_;
    int current_ = -1;
};

// The gap under the pointer while a row is dragged: (y + rowHeight / 2) / rowHeight, limited to the
// visible rows and the rows below the first visible one. y is in the list's client pixels.
[[nodiscard]] int DragGapAt(int y, int rowHeight, int visibleRows, int rowsFromTop) noexcept;

}  // namespace tavrin
