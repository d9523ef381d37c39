#pragma once
// The search pane's two popup menus as item arrays: the search box menu (history, editing, options)
// and the result list's menu; and what a choice in them means. Their items are no commands of the
// frame, so the shell acts on the choice itself instead of posting it.

#include <string>
#include <string_view>

#include "app/settings.h"
#include "ui/menu_model.h"

namespace tavrin {

inline constexpr int kSearchBoxMenuSize = 24;
inline constexpr int kSearchListMenuSize = 10;
// History words longer than this are shown cut, followed by "...".
inline constexpr std::size_t kHistoryLabelMax = 60;

// What the search box menu enables and marks.
struct SearchBoxMenuState {
    const SearchHistory* history = nullptr;
    std::u16string_view boxText;
    bool hasSelection = false;
    bool clipboardHasText = false;
    bool matchCase = false;
    bool wordOnly = false;
};

// "検索履歴(&H)" (a submenu of the history words, the box text's marked, then "検索履歴の削除(&D)";
// disabled with an empty history), cut, copy, paste, paste and search, select all, and the MatchCase
// and WordOnly toggles. The editing items carry the key texts of the frame's editing commands.
[[nodiscard]] MenuItemArray BuildSearchBoxMenu(const SearchBoxMenuState& state, const KeyTextSource& keys);

// The label of a history word: at most 60 characters and "...", with "&" doubled so that it shows.
[[nodiscard]] std::u16string HistoryMenuLabel(std::u16string_view word);

enum class SearchBoxAction {
    kNone,
    kHistoryWord,  // put history word historyIndex into the box, select it and search
    kDeleteHistory,
    kCut,
    kCopy,
    kPaste,
    kPasteAndSearch,
    kSelectAll,
    kToggleMatchCase,
    kToggleWordOnly,
};
struct SearchBoxChoice {
    SearchBoxAction action = SearchBoxAction::kNone;
    int historyIndex = -1;
    friend bool operator==(const SearchBoxChoice&, const SearchBoxChoice&) = default;
};
// The action of the item chosen at position (0 or a position outside the menu: none).
[[nodiscard]] SearchBoxChoice SearchBoxChoiceOf(const MenuItemArray& menu, int position) noexcept;

// The list menu: "検索結果のクリア(&C)", disabled without hits.
[[nodiscard]] MenuItemArray BuildSearchListMenu(bool hasHits);
// Whether the choice at position clears the results.
[[nodiscard]] bool ChoosesClearResults(const MenuItemArray& menu, int position) noexcept;

}  // namespace tavrin
