// The "キーボード" page: the 48 commands with their keys in a list view, and the key editor below it
// that changes the selected row's pending key.
#include <windows.h>
#include <commctrl.h>

#include <optional>

#include "../../resources/settings_resource.h"
#include "platform/wide_win.h"
#include "settings_dialog/key_field_win.h"
#include "settings_dialog/keyboard_page_model.h"
#include "settings_dialog/settings_page_win.h"

namespace tavrin {
namespace {

constexpr KeyFieldControls kKeyControls{IDC_KEY_CTRL, IDC_KEY_SHIFT, IDC_KEY_ALT, IDC_KEY_FIELD};

// Posted to the page when a click left the list without a selected row.
constexpr UINT kReselectMessage = WM_APP + 1;

class KeyboardPage final : public SettingsPageWindow {
public:
    explicit KeyboardPage(SheetState& sheet)
        : SettingsPageWindow(sheet, SettingsPage::kKeyboard), model_(sheet.Record().shortcutKey.active) {}

protected:
    void OnInit() override {
        HWND list = Item(IDC_KEY_LIST);
        ListView_SetExtendedListViewStyle(list,
                                          LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES | LVS_EX_DOUBLEBUFFER);
        AddColumns(list);
        for (int row = 0; row < kCommandCount; ++row) {
            const std::u16string name(KeyboardPageModel::RowName(row));
            LVITEMW item{};
            item.mask = LVIF_TEXT;
            item.iItem = row;
            item.pszText = const_cast<wchar_t*>(Wide(name));
            ListView_InsertItem(list, &item);
            RefreshRow(row);
        }
        InstallKeyField(Item(IDC_KEY_FIELD));
        SelectRow(0);
    }

    void OnApply() override { model_.Accept(sheet_.Record(), sheet_.flags); }

    bool OnCommand(int control, int code, HWND) override {
        switch (control) {
            case IDC_KEY_CTRL:
            case IDC_KEY_SHIFT:
            case IDC_KEY_ALT:
                if (code == BN_CLICKED) {
                    StoreKey();
                }
                return true;
            case IDC_KEY_FIELD:
                if (code == EN_CHANGE && !showing_) {
                    StoreKey();
                }
                return true;
            case IDC_KEY_CLEAR:
                if (code == BN_CLICKED) {
                    ShowKey(KeyFieldState{});
                    StoreKey();
                }
                return true;
            case IDC_KEY_RESET:
                if (code == BN_CLICKED && Confirm(kResetKeysQuestion)) {
                    model_.ResetToDefaults();
                    for (int row = 0; row < kCommandCount; ++row) {
                        RefreshRow(row);
                    }
                    ShowKey(KeyFieldStateOf(model_.KeyOf(model_.Selected())));
                }
                return true;
            default:
                return false;
        }
    }

    std::optional<INT_PTR> OnMessage(UINT message, WPARAM, LPARAM lParam) override {
        if (message == WM_NOTIFY) {
            const auto& header = *reinterpret_cast<const NMHDR*>(lParam);
            if (header.idFrom == IDC_KEY_LIST && header.code == LVN_ITEMCHANGED) {
                OnItemChanged(*reinterpret_cast<const NMLISTVIEW*>(lParam));
                return TRUE;
            }
        } else if (message == kReselectMessage) {
            if (ListView_GetNextItem(Item(IDC_KEY_LIST), -1, LVNI_SELECTED) < 0) {
                SelectRow(model_.Selected());
            }
            return TRUE;
        }
        return std::nullopt;
    }

private:
    void AddColumns(HWND list) {
        RECT client{};
        GetClientRect(list, &client);
        const int width = client.right - GetSystemMetricsForDpi(SM_CXVSCROLL, GetDpiForWindow(list));
        const std::u16string titles[] = {u"コマンド", u"キー"};
        const int widths[] = {width * 3 / 5, width - width * 3 / 5};
        for (int column = 0; column < 2; ++column) {
            LVCOLUMNW entry{};
            entry.mask = LVCF_TEXT | LVCF_WIDTH;
            entry.pszText = const_cast<wchar_t*>(Wide(titles[column]));
            entry.cx = widths[column];
            ListView_InsertColumn(list, column, &entry);
        }
    }

    void RefreshRow(int row) {
        const std::u16string text = model_.RowKeyText(row, *sheet_.context.keyNames);
        ListView_SetItemText(Item(IDC_KEY_LIST), row, 1, const_cast<wchar_t*>(Wide(text)));
    }

    void SelectRow(int row) {
        HWND list = Item(IDC_KEY_LIST);
        ListView_SetItemState(list, row, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
        ListView_EnsureVisible(list, row, FALSE);
    }

    void OnItemChanged(const NMLISTVIEW& change) {
        if ((change.uChanged & LVIF_STATE) == 0) {
            return;
        }
        if ((change.uNewState & LVIS_SELECTED) != 0 && (change.uOldState & LVIS_SELECTED) == 0) {
            model_.Select(change.iItem);
            ShowKey(KeyFieldStateOf(model_.KeyOf(change.iItem)));
        } else if ((change.uOldState & LVIS_SELECTED) != 0 && (change.uNewState & LVIS_SELECTED) == 0) {
            // The list always keeps a row: a click on the empty area below the rows takes it back.
            PostMessageW(dialog_, kReselectMessage, 0, 0);
        }
    }

    void ShowKey(const KeyFieldState& state) {
        showing_ = true;
        ShowKeyFieldControls(dialog_, kKeyControls, state);
        showing_ = false;
    }

    void StoreKey() {
        if (model_.SetSelectedKey(ComposeShortcutKey(ReadKeyFieldControls(dialog_, kKeyControls)))) {
            RefreshRow(model_.Selected());
        }
    }

    KeyboardPageModel model_;
    bool showing_ = false;
};

}  // namespace

std::unique_ptr<SettingsPageWindow> CreateKeyboardPage(SheetState& sheet) {
    return std::make_unique<KeyboardPage>(sheet);
}

}  // namespace tavrin
