#include "search/search_menus.h"

#include <algorithm>

#include "app/settings_codec.h"
#include "ui/frame_input.h"
#include "ui/menu_draw.h"

namespace tavrin {
namespace {

// Command values of the search box menu. History words are numbered from 1; the editing items use
// the edit control's messages, which the menu drawing gives the editing glyphs.
constexpr int kHistoryWordValue = 1;  // + history index
constexpr int kDeleteHistoryValue = 0x1001;
constexpr int kPasteAndSearchValue = 0x1002;
constexpr int kMatchCaseValue = 0x1003;
constexpr int kWordOnlyValue = 0x1004;
constexpr int kSelectAllValue = 0x00B1;  // EM_SETSEL
constexpr int kClearResultsValue = 0x1005;

void AddHistory(MenuItemArray& menu, const SearchBoxMenuState& state) {
    const SearchHistory empty;
    const SearchHistory& history = state.history ? *state.history : empty;
    const int count = std::clamp(history.count, 0, SearchHistory::kCapacity);
    const int popup = menu.AddPopup();
    menu.Add(0, 0, DisabledIf(count == 0), u"検索履歴(&H)", u"", popup);
    for (int i = 0; i < count; ++i) {
        const std::u16string& word = history.words[static_cast<std::size_t>(i)];
        menu.Add(popup, kHistoryWordValue + i, CheckedIf(word == state.boxText), HistoryMenuLabel(word), u"");
    }
    menu.AddSeparator(popup);
    menu.Add(popup, kDeleteHistoryValue, 0, u"検索履歴の削除(&D)", u"");
}

}  // namespace

std::u16string HistoryMenuLabel(std::u16string_view word) {
    const bool cut = word.size() > kHistoryLabelMax;
    word = CutToLength(word, kHistoryLabelMax);  // never half a surrogate pair
    std::u16string label;
    label.reserve(word.size() + 3);
    for (const char16_t c : word) {
        if (c == u'&') {
            label.push_back(u'&');
        }
        label.push_back(c);
    }
    if (cut) {
        label += u"...";
    }
    return label;
}

MenuItemArray BuildSearchBoxMenu(const SearchBoxMenuState& state, const KeyTextSource& keys) {
    MenuItemArray menu(kSearchBoxMenuSize, keys);
    AddHistory(menu, state);
    menu.AddSeparator(0);
    const bool noSelection = !state.hasSelection;
    const bool noClipboard = !state.clipboardHasText;
    menu.Add(0, kWindowCut, DisabledIf(noSelection), u"切り取り(&T)",
             CommandKeyText(command_id::kEditCut, keys));
    menu.Add(0, kWindowCopy, DisabledIf(noSelection), u"コピー(&C)",
             CommandKeyText(command_id::kEditCopy, keys));
    menu.Add(0, kWindowPaste, DisabledIf(noClipboard), u"貼り付け(&P)",
             CommandKeyText(command_id::kEditPaste, keys));
    menu.Add(0, kPasteAndSearchValue, DisabledIf(noClipboard), u"貼り付けて検索(&S)", u"");
    menu.Add(0, kSelectAllValue, DisabledIf(state.boxText.empty()), u"すべて選択(&A)",
             CommandKeyText(command_id::kEditAllSelect, keys));
    menu.AddSeparator(0);
    menu.Add(0, kMatchCaseValue, CheckedIf(state.matchCase), u"大文字/小文字を区別(&M)", u"");
    menu.Add(0, kWordOnlyValue, CheckedIf(state.wordOnly), u"単語単位(&W)", u"");
    return menu;
}

SearchBoxChoice SearchBoxChoiceOf(const MenuItemArray& menu, int position) noexcept {
    if (position <= 0 || position > menu.Used()) {
        return {};
    }
    const MenuItem& item = menu.Item(position);
    if (item.IsSeparator() || item.Disabled() || item.submenu >= 0) {
        return {};
    }
    const int value = item.commandValue;
    if (value >= kHistoryWordValue && value < kHistoryWordValue + SearchHistory::kCapacity) {
        return {SearchBoxAction::kHistoryWord, value - kHistoryWordValue};
    }
    switch (value) {
        case kDeleteHistoryValue:
            return {SearchBoxAction::kDeleteHistory};
        case kWindowCut:
            return {SearchBoxAction::kCut};
        case kWindowCopy:
            return {SearchBoxAction::kCopy};
        case kWindowPaste:
            return {SearchBoxAction::kPaste};
        case kPasteAndSearchValue:
            return {SearchBoxAction::kPasteAndSearch};
        case kSelectAllValue:
            return {SearchBoxAction::kSelectAll};
        case kMatchCaseValue:
            return {SearchBoxAction::kToggleMatchCase};
        case kWordOnlyValue:
            return {SearchBoxAction::kToggleWordOnly};
        default:
            return {};
    }
}

MenuItemArray BuildSearchListMenu(bool hasHits) {
    MenuItemArray menu(kSearchListMenuSize);
    menu.Add(0, kClearResultsValue, DisabledIf(!hasHits), u"検索結果のクリア(&C)", u"");
    return menu;
}

bool ChoosesClearResults(const MenuItemArray& menu, int position) noexcept {
    return position > 0 && position <= menu.Used() &&
           menu.Item(position).commandValue == kClearResultsValue && !menu.Item(position).Disabled();
}

}  // namespace tavrin
