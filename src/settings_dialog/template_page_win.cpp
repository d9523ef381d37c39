// The "定型文" page: the editing copy of the template list in an owner-drawn list box (mouse, keys,
// menu and dragging with an insertion mark), the fields of the selected item, and the special-symbol
// list. Every decision about the list is the core's TemplatePageModel.
#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <cstdlib>
#include <optional>
#include <string>

#include "../../resources/settings_resource.h"
#include "platform/wide_win.h"
#include "settings_dialog/key_field_win.h"
#include "settings_dialog/settings_page_win.h"
#include "settings_dialog/symbol_list_win.h"
#include "settings_dialog/template_page_model.h"
#include "ui/scrollbar/gdi_handles_win.h"

namespace tavrin {
namespace {

constexpr KeyFieldControls kKeyControls{IDC_TPL_CTRL, IDC_TPL_SHIFT, IDC_TPL_ALT, IDC_TPL_KEY};
constexpr int kMinimumRowHeight96 = 16;
constexpr int kTextInset96 = 4;
constexpr int kBodyTabStopDialogUnits = 16;

// The list menu, in order; 0 is a separator.
constexpr struct {
    const char16_t* label;
    int command;
} kListMenu[] = {
    {u"追加(&A)\tInsert", IDC_TPL_ADD},
    {u"区切り(&L)\tCtrl+Insert", IDC_TPL_SEPARATOR},
    {u"複製(&C)\tCtrl+V", IDC_TPL_DUPLICATE},
    {nullptr, 0},
    {u"削除(&D)\tDelete", IDC_TPL_DELETE},
    {u"すべて削除(&W)\tShift+Delete", IDC_TPL_DELETE_ALL},
    {nullptr, 0},
    {u"上へ(&U)\tCtrl+Up", IDC_TPL_UP},
    {u"下へ(&B)\tCtrl+Down", IDC_TPL_DOWN},
    {nullptr, 0},
    {u"初期化(&I)", IDC_TPL_RESET},
};

// A row being dragged with the left button.
struct RowDrag {
    bool pressed = false;  // the button went down on a row; a drag starts after the drag distance
    bool active = false;
    int from = -1;
    POINT start{};
    int gap = 0;  // between visible rows, counted from the list's top row
};

class TemplatePage final : public SettingsPageWindow {
public:
    explicit TemplatePage(SheetState& sheet)
        : SettingsPageWindow(sheet, SettingsPage::kTemplates), model_(*sheet.context.templates) {}

    LRESULT ListMessage(HWND list, UINT message, WPARAM wParam, LPARAM lParam);

protected:
    void OnInit() override;
    void OnApply() override {
        CommitFields();
        model_.Accept(*sheet_.context.templates, sheet_.flags);
    }
    void OnClose() override { CloseSymbolList(sheet_); }
    bool OnCommand(int control, int code, HWND window) override;
    std::optional<INT_PTR> OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    [[nodiscard]] HWND List() const { return Item(IDC_TPL_LIST); }
    [[nodiscard]] int RowHeight() const;
    [[nodiscard]] int RowAt(POINT client) const;
    void CommitFields() {
        if (model_.Current() >= 0) {
            model_.StoreBody(ItemText(IDC_TPL_BODY));
        }
    }
    void RunCommand(int command);
    void OnSelectionChanged(int row);
    void RefillList();
    void ShowItem();
    void InvalidateRow(int row) const;
    void DrawRow(const DRAWITEMSTRUCT& item) const;
    INT_PTR OnListKey(unsigned key);
    void OpenListMenu(POINT screen);
    void OnButtonDown(POINT client);
    void OnDragMove(POINT client);
    void EndDrag();

    TemplatePageModel model_;
    RowDrag drag_;
    bool showing_ = false;
};

LRESULT CALLBACK ListProc(HWND list, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                          DWORD_PTR page) {
    if (message == WM_NCDESTROY) {
        RemoveWindowSubclass(list, ListProc, id);
        return DefSubclassProc(list, message, wParam, lParam);
    }
    return reinterpret_cast<TemplatePage*>(page)->ListMessage(list, message, wParam, lParam);
}

// Ctrl+A selects the whole body; Tab and Esc keep their dialog meaning (the focus moves on, the sheet
// is cancelled) while Enter starts a new line.
LRESULT CALLBACK BodyProc(HWND body, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id, DWORD_PTR) {
    switch (message) {
        case WM_GETDLGCODE: {
            LRESULT code =
                DefSubclassProc(body, message, wParam, lParam) & ~(DLGC_WANTALLKEYS | DLGC_WANTTAB);
            const auto* key = reinterpret_cast<const MSG*>(lParam);
            if (key && key->message == WM_KEYDOWN && key->wParam == VK_RETURN) {
                code |= DLGC_WANTMESSAGE;
            }
            return code;
        }
        case WM_KEYDOWN:
            if (wParam == 'A' && GetKeyState(VK_CONTROL) < 0) {
                SendMessageW(body, EM_SETSEL, 0, -1);
                return 0;
            }
            break;
        case WM_CHAR:
            if (wParam == 0x01) {  // the Ctrl+A character
                return 0;
            }
            break;
        case WM_NCDESTROY:
            RemoveWindowSubclass(body, BodyProc, id);
            break;
        default:
            break;
    }
    return DefSubclassProc(body, message, wParam, lParam);
}

void TemplatePage::OnInit() {
    SetWindowSubclass(List(), ListProc, 1, reinterpret_cast<DWORD_PTR>(this));
    SendMessageW(List(), LB_SETITEMHEIGHT, 0, RowHeight());
    HWND body = Item(IDC_TPL_BODY);
    SetWindowSubclass(body, BodyProc, 1, 0);
    SendMessageW(body, EM_SETLIMITTEXT, 0, 0);
    const int tabStop = kBodyTabStopDialogUnits;
    SendMessageW(body, EM_SETTABSTOPS, 1, reinterpret_cast<LPARAM>(&tabStop));
    SendDlgItemMessageW(dialog_, IDC_TPL_NAME, EM_LIMITTEXT, TemplateItem::kTemplateNameMax, 0);
    InstallKeyField(Item(IDC_TPL_KEY));
    RefillList();
    ShowItem();
}

bool TemplatePage::OnCommand(int control, int code, HWND) {
    switch (control) {
        case IDC_TPL_LIST:
            if (code == LBN_SELCHANGE) {
                OnSelectionChanged(static_cast<int>(SendMessageW(List(), LB_GETCURSEL, 0, 0)));
            }
            return true;
        case IDC_TPL_NAME:
            if (code == EN_CHANGE && !showing_ && model_.StoreName(ItemText(IDC_TPL_NAME))) {
                InvalidateRow(model_.Current());
            }
            return true;
        case IDC_TPL_CTRL:
        case IDC_TPL_SHIFT:
        case IDC_TPL_ALT:
        case IDC_TPL_KEY:
            if ((code == BN_CLICKED || code == EN_CHANGE) && !showing_ &&
                model_.StoreKey(ComposeShortcutKey(ReadKeyFieldControls(dialog_, kKeyControls)))) {
                InvalidateRow(model_.Current());
            }
            return true;
        case IDC_TPL_CLEAR:
            if (code == BN_CLICKED) {
                ShowKeyFieldControls(dialog_, kKeyControls, KeyFieldState{});
                if (model_.StoreKey(0)) {
                    InvalidateRow(model_.Current());
                }
            }
            return true;
        case IDC_TPL_SYMBOLS:
            if (code == BN_CLICKED) {
                if (sheet_.symbolList) {
                    CloseSymbolList(sheet_);
                } else {
                    OpenSymbolList(sheet_, Item(IDC_TPL_BODY));
                }
            }
            return true;
        case IDC_TPL_ADD:
        case IDC_TPL_SEPARATOR:
        case IDC_TPL_DUPLICATE:
        case IDC_TPL_DELETE:
        case IDC_TPL_UP:
        case IDC_TPL_DOWN:
        case IDC_TPL_RESET:
            if (code == BN_CLICKED) {
                RunCommand(control);
            }
            return true;
        default:
            return false;
    }
}

std::optional<INT_PTR> TemplatePage::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_DRAWITEM:
            if (const auto& item = *reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
                item.CtlID == IDC_TPL_LIST) {
                DrawRow(item);
                return TRUE;
            }
            return std::nullopt;
        case WM_VKEYTOITEM:
            return reinterpret_cast<HWND>(lParam) == List()
                       ? std::optional<INT_PTR>(OnListKey(LOWORD(wParam)))
                       : std::nullopt;
        case WM_CHARTOITEM:
            // Typed characters do not move the selection.
            return reinterpret_cast<HWND>(lParam) == List() ? std::optional<INT_PTR>(-2) : std::nullopt;
        default:
            return std::nullopt;
    }
}

int TemplatePage::RowHeight() const {
    HFONT font = reinterpret_cast<HFONT>(SendMessageW(dialog_, WM_GETFONT, 0, 0));
    WindowDc dc(dialog_);
    SelectedObject selected(dc.Get(), font);
    TEXTMETRICW metrics{};
    GetTextMetricsW(dc.Get(), &metrics);
    return std::max<int>(metrics.tmHeight + Scaled(4), Scaled(kMinimumRowHeight96));
}

int TemplatePage::RowAt(POINT client) const {
    const auto hit = SendMessageW(List(), LB_ITEMFROMPOINT, 0, MAKELPARAM(client.x, client.y));
    return HIWORD(hit) == 0 && static_cast<int>(LOWORD(hit)) < model_.Count() ? static_cast<int>(LOWORD(hit))
                                                                              : -1;
}

void TemplatePage::RunCommand(int command) {
    if (command == IDC_TPL_RESET && !Confirm(kResetTemplatesQuestion)) {
        return;
    }
    CommitFields();
    switch (command) {
        case IDC_TPL_ADD:
            model_.Add();
            break;
        case IDC_TPL_SEPARATOR:
            model_.AddSeparator();
            break;
        case IDC_TPL_DUPLICATE:
            model_.Duplicate();
            break;
        case IDC_TPL_DELETE:
            model_.Remove();
            break;
        case IDC_TPL_DELETE_ALL:
            model_.RemoveAll();
            break;
        case IDC_TPL_UP:
            model_.MoveUp();
            break;
        case IDC_TPL_DOWN:
            model_.MoveDown();
            break;
        case IDC_TPL_RESET:
            model_.ResetToDefaults();
            break;
        default:
            return;
    }
    RefillList();
    ShowItem();
}

void TemplatePage::OnSelectionChanged(int row) {
    if (row < 0 || row == model_.Current()) {
        return;
    }
    CommitFields();
    model_.Select(row);
    ShowItem();
}

void TemplatePage::RefillList() {
    HWND list = List();
    const auto top = SendMessageW(list, LB_GETTOPINDEX, 0, 0);
    SendMessageW(list, WM_SETREDRAW, FALSE, 0);
    SendMessageW(list, LB_RESETCONTENT, 0, 0);
    for (int row = 0; row < model_.Count(); ++row) {
        SendMessageW(list, LB_ADDSTRING, 0, row);
    }
    SendMessageW(list, LB_SETTOPINDEX, static_cast<WPARAM>(std::max<LRESULT>(top, 0)), 0);
    SendMessageW(list, LB_SETCURSEL, static_cast<WPARAM>(model_.Current()), 0);
    SendMessageW(list, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(list, nullptr, TRUE);
}

void TemplatePage::ShowItem() {
    showing_ = true;
    const TemplateItem* item = model_.CurrentItem();
    SetItemText(IDC_TPL_NAME, item ? item->name : std::u16string());
    SetItemText(IDC_TPL_BODY, item ? item->body : std::u16string());
    ShowKeyFieldControls(dialog_, kKeyControls,
                         KeyFieldStateOf(item ? static_cast<std::uint32_t>(std::max(item->key, 0)) : 0));
    showing_ = false;

    const TemplatePageButtons buttons = model_.Buttons();
    for (const int control : {IDC_TPL_NAME, IDC_TPL_BODY, IDC_TPL_CLEAR}) {
        Enable(control, buttons.fields);
    }
    EnableKeyFieldControls(dialog_, kKeyControls, buttons.fields);
    Enable(IDC_TPL_DUPLICATE, buttons.duplicate);
    Enable(IDC_TPL_DELETE, buttons.remove);
    Enable(IDC_TPL_UP, buttons.up);
    Enable(IDC_TPL_DOWN, buttons.down);
    // A button that just became unusable (the last item deleted, a row moved to the top) would leave
    // the focus nowhere.
    if (HWND focus = GetFocus(); !focus || (IsChild(dialog_, focus) && !IsWindowEnabled(focus))) {
        SetFocus(model_.Count() == 0 ? Item(IDC_TPL_ADD) : List());
    }
}

void TemplatePage::InvalidateRow(int row) const {
    RECT area{};
    if (row >= 0 && SendMessageW(List(), LB_GETITEMRECT, static_cast<WPARAM>(row),
                                 reinterpret_cast<LPARAM>(&area)) != LB_ERR) {
        InvalidateRect(List(), &area, FALSE);
    }
}

void TemplatePage::DrawRow(const DRAWITEMSTRUCT& item) const {
    const RECT& area = item.rcItem;
    const int width = area.right - area.left;
    const int height = area.bottom - area.top;
    if (width <= 0 || height <= 0) {
        return;
    }
    // Painted off-screen and copied in one step, so a row never flickers while it is redrawn.
    MemoryDc memory(item.hDC);
    GdiObject<HBITMAP> bitmap(CreateCompatibleBitmap(item.hDC, width, height));
    SelectedObject selectedBitmap(memory.Get(), bitmap.Get());
    SelectedObject selectedFont(memory.Get(),
                                reinterpret_cast<HFONT>(SendMessageW(dialog_, WM_GETFONT, 0, 0)));
    const HDC dc = memory.Get();
    const RECT row{0, 0, width, height};
    const bool selected = (item.itemState & ODS_SELECTED) != 0;
    FillRect(dc, &row, GetSysColorBrush(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW));
    const TemplateItem* entry = ItemAt(model_.Items(), static_cast<int>(item.itemID));
    const int inset = Scaled(kTextInset96);
    if (entry && entry->IsSeparator()) {
        RECT line{inset, height / 2, width - inset, height / 2 + 1};
        FillRect(dc, &line, GetSysColorBrush(COLOR_GRAYTEXT));
    } else if (entry) {
        SetBkMode(dc, TRANSPARENT);
        SetTextColor(dc, GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
        RECT name{inset, 0, width * 2 / 3, height};
        DrawTextW(dc, Wide(entry->name), static_cast<int>(entry->name.size()), &name,
                  DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS);
        if (entry->key > 0) {
            const std::u16string key =
                FormatShortcutKey(static_cast<std::uint32_t>(entry->key), true, *sheet_.context.keyNames);
            RECT keyArea{width * 2 / 3 + inset, 0, width, height};
            DrawTextW(dc, Wide(key), static_cast<int>(key.size()), &keyArea,
                      DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS);
        }
    }
    if (drag_.active) {
        // The insertion mark: a line at the top of the row below the gap, or under the last row.
        const int top = static_cast<int>(SendMessageW(List(), LB_GETTOPINDEX, 0, 0));
        const int marked = top + drag_.gap;
        const int thickness = std::max(Scaled(2), 1);
        const int id = static_cast<int>(item.itemID);
        if (id == marked || (marked == model_.Count() && id == marked - 1)) {
            const int y = id == marked ? 0 : height - thickness;
            RECT mark{0, y, width, y + thickness};
            FillRect(dc, &mark, GetSysColorBrush(COLOR_WINDOWTEXT));
        }
    } else if ((item.itemState & ODS_FOCUS) != 0 && (item.itemState & ODS_NOFOCUSRECT) == 0) {
        DrawFocusRect(dc, &row);
    }
    BitBlt(item.hDC, area.left, area.top, width, height, dc, 0, 0, SRCCOPY);
}

INT_PTR TemplatePage::OnListKey(unsigned key) {
    const bool ctrl = GetKeyState(VK_CONTROL) < 0;
    const bool shift = GetKeyState(VK_SHIFT) < 0;
    int command = 0;
    if (key == VK_INSERT) {
        command = ctrl ? IDC_TPL_SEPARATOR : IDC_TPL_ADD;
    } else if (key == 'V' && ctrl) {
        command = IDC_TPL_DUPLICATE;
    } else if (key == VK_DELETE) {
        command = shift ? IDC_TPL_DELETE_ALL : IDC_TPL_DELETE;
    } else if (key == VK_UP && ctrl) {
        command = IDC_TPL_UP;
    } else if (key == VK_DOWN && ctrl) {
        command = IDC_TPL_DOWN;
    }
    if (command == 0) {
        return -1;
    }
    if (command != IDC_TPL_ADD && command != IDC_TPL_SEPARATOR && model_.Current() < 0) {
        return -2;
    }
    RunCommand(command);
    return -2;
}

void TemplatePage::OpenListMenu(POINT screen) {
    const TemplatePageButtons buttons = model_.Buttons();
    PopupMenu menu;
    for (const auto& entry : kListMenu) {
        if (!entry.label) {
            AppendMenuW(menu.Get(), MF_SEPARATOR, 0, nullptr);
            continue;
        }
        bool enabled = true;
        switch (entry.command) {
            case IDC_TPL_DUPLICATE:
                enabled = buttons.duplicate;
                break;
            case IDC_TPL_DELETE:
            case IDC_TPL_DELETE_ALL:
                enabled = buttons.remove;
                break;
            case IDC_TPL_UP:
                enabled = buttons.up;
                break;
            case IDC_TPL_DOWN:
                enabled = buttons.down;
                break;
            default:
                break;
        }
        AppendMenuW(menu.Get(), MF_STRING | (enabled ? 0 : MF_GRAYED), static_cast<UINT_PTR>(entry.command),
                    Wide(entry.label));
    }
    const int command =
        TrackPopupMenu(menu.Get(), TPM_RETURNCMD | TPM_RIGHTBUTTON, screen.x, screen.y, 0, dialog_, nullptr);
    if (command != 0) {
        RunCommand(command);
    }
}

void TemplatePage::OnButtonDown(POINT client) {
    HWND list = List();
    SetFocus(list);
    const int row = RowAt(client);
    if (row >= 0) {
        SendMessageW(list, LB_SETCURSEL, static_cast<WPARAM>(row), 0);
        OnSelectionChanged(row);
    }
    drag_ = RowDrag{true, false, row, client, 0};
    SetCapture(list);
}

void TemplatePage::OnDragMove(POINT client) {
    HWND list = List();
    if (!drag_.active) {
        const bool moved = std::abs(client.x - drag_.start.x) >= GetSystemMetrics(SM_CXDRAG) ||
                           std::abs(client.y - drag_.start.y) >= GetSystemMetrics(SM_CYDRAG);
        if (!moved || drag_.from < 0) {
            return;
        }
        drag_.active = true;
    }
    RECT area{};
    GetClientRect(list, &area);
    const int rowHeight = std::max(static_cast<int>(SendMessageW(list, LB_GETITEMHEIGHT, 0, 0)), 1);
    auto top = static_cast<int>(SendMessageW(list, LB_GETTOPINDEX, 0, 0));
    // Above or below the list it scrolls by one row per move.
    if (client.y < 0 && top > 0) {
        SendMessageW(list, LB_SETTOPINDEX, static_cast<WPARAM>(--top), 0);
    } else if (client.y > area.bottom) {
        SendMessageW(list, LB_SETTOPINDEX, static_cast<WPARAM>(top + 1), 0);
        top = static_cast<int>(SendMessageW(list, LB_GETTOPINDEX, 0, 0));
    }
    drag_.gap = DragGapAt(client.y, rowHeight, area.bottom / rowHeight, model_.Count() - top);
    InvalidateRect(list, nullptr, FALSE);
}

void TemplatePage::EndDrag() {
    if (!drag_.pressed) {
        return;
    }
    const RowDrag drag = drag_;
    drag_ = RowDrag{};
    if (GetCapture() == List()) {
        ReleaseCapture();
    }
    if (!drag.active) {
        return;
    }
    const int top = static_cast<int>(SendMessageW(List(), LB_GETTOPINDEX, 0, 0));
    CommitFields();
    if (model_.Drop(drag.from, top + drag.gap)) {
        RefillList();
        ShowItem();
    } else {
        InvalidateRect(List(), nullptr, FALSE);
    }
}

LRESULT TemplatePage::ListMessage(HWND list, UINT message, WPARAM wParam, LPARAM lParam) {
    const POINT client{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
    switch (message) {
        case WM_LBUTTONDOWN:
            OnButtonDown(client);
            return 0;
        case WM_MOUSEMOVE:
            if (drag_.pressed && GetCapture() == list) {
                OnDragMove(client);
            }
            return 0;
        case WM_LBUTTONUP:
        case WM_CAPTURECHANGED:
            EndDrag();
            return 0;
        case WM_MOUSEWHEEL:
            if (drag_.active) {
                UINT lines = 3;
                if (!SystemParametersInfoW(SPI_GETWHEELSCROLLLINES, 0, &lines, 0) || lines == 0) {
                    lines = 3;
                }
                const int steps = GET_WHEEL_DELTA_WPARAM(wParam) / WHEEL_DELTA * static_cast<int>(lines);
                const auto top = static_cast<int>(SendMessageW(list, LB_GETTOPINDEX, 0, 0));
                SendMessageW(list, LB_SETTOPINDEX, static_cast<WPARAM>(std::max(top - steps, 0)), 0);
                InvalidateRect(list, nullptr, FALSE);
                return 0;
            }
            break;
        case WM_LBUTTONDBLCLK:
            if (model_.Current() >= 0) {
                SetFocus(Item(IDC_TPL_NAME));
                SendDlgItemMessageW(dialog_, IDC_TPL_NAME, EM_SETSEL, 0, -1);
            }
            return 0;
        case WM_RBUTTONDOWN: {
            SetFocus(list);
            if (const int row = RowAt(client); row >= 0) {
                SendMessageW(list, LB_SETCURSEL, static_cast<WPARAM>(row), 0);
                OnSelectionChanged(row);
            }
            POINT screen = client;
            ClientToScreen(list, &screen);
            OpenListMenu(screen);
            return 0;
        }
        case WM_RBUTTONUP:
            return 0;
        case WM_CONTEXTMENU:
            if (lParam == -1) {
                RECT row{};
                SendMessageW(list, LB_GETITEMRECT, static_cast<WPARAM>(std::max(model_.Current(), 0)),
                             reinterpret_cast<LPARAM>(&row));
                POINT below{row.left, model_.Current() >= 0 ? row.bottom : 0};
                ClientToScreen(list, &below);
                OpenListMenu(below);
            }
            return 0;
        default:
            break;
    }
    return DefSubclassProc(list, message, wParam, lParam);
}

}  // namespace

std::unique_ptr<SettingsPageWindow> CreateTemplatePage(SheetState& sheet) {
    return std::make_unique<TemplatePage>(sheet);
}

}  // namespace tavrin
