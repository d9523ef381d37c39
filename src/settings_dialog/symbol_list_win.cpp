#include "settings_dialog/symbol_list_win.h"

#include <commctrl.h>

#include <algorithm>
#include <string>
#include <vector>

#include "../../resources/settings_resource.h"
#include "platform/wide_win.h"
#include "settings_dialog/symbol_list_model.h"
#include "ui/dpi_win.h"

namespace tavrin {
namespace {

constexpr int kButtonMargin96 = 10;
constexpr int kMinimumSize96 = 240;

// The open list's state, attached to its window and freed with it.
struct SymbolList {
    SheetState& sheet;
    HWND body;
    std::vector<SymbolRow> rows;
};

SymbolList* ListOf(HWND window) {
    return reinterpret_cast<SymbolList*>(GetWindowLongPtrW(window, DWLP_USER));
}

void AddColumns(HWND view) {
    RECT client{};
    GetClientRect(view, &client);
    const UINT dpi = GetDpiForWindow(view);
    const SymbolColumns widths =
        SymbolListColumns(client.right + 2 * GetSystemMetricsForDpi(SM_CXEDGE, dpi),
                          GetSystemMetricsForDpi(SM_CXEDGE, dpi), GetSystemMetricsForDpi(SM_CXVSCROLL, dpi));
    const std::u16string titles[] = {u"記号", u"説明", u"変換例"};
    const int cx[] = {widths.code, widths.description, widths.example};
    for (int column = 0; column < 3; ++column) {
        LVCOLUMNW entry{};
        entry.mask = LVCF_TEXT | LVCF_WIDTH;
        entry.pszText = const_cast<wchar_t*>(Wide(titles[column]));
        entry.cx = cx[column];
        ListView_InsertColumn(view, column, &entry);
    }
}

void FillRows(HWND view, const std::vector<SymbolRow>& rows) {
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const int row = static_cast<int>(i);
        LVITEMW item{};
        item.mask = LVIF_TEXT;
        item.iItem = row;
        item.pszText = const_cast<wchar_t*>(Wide(rows[i].code));
        ListView_InsertItem(view, &item);
        ListView_SetItemText(view, row, 1, const_cast<wchar_t*>(Wide(rows[i].description)));
        ListView_SetItemText(view, row, 2, const_cast<wchar_t*>(Wide(rows[i].example)));
    }
    ListView_SetItemState(view, 0, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
}

// The first placement beside the sheet, kept inside the work area of the sheet's monitor.
void Place(HWND window, const SymbolList& list) {
    HWND sheetWindow = GetWindow(window, GW_OWNER);
    RECT sheet{};
    GetWindowRect(sheetWindow, &sheet);
    ScreenRect rect = SymbolListPlacement(*list.sheet.context.symbolListRect,
                                          ScreenRect{sheet.left, sheet.top, sheet.right, sheet.bottom},
                                          WindowDpi(sheetWindow));
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    if (GetMonitorInfoW(MonitorFromWindow(sheetWindow, MONITOR_DEFAULTTONEAREST), &monitor)) {
        const RECT& work = monitor.rcWork;
        const int width = std::min(rect.Width(), static_cast<int>(work.right - work.left));
        const int height = std::min(rect.Height(), static_cast<int>(work.bottom - work.top));
        rect.left = std::clamp<int>(rect.left, work.left, work.right - width);
        rect.top = std::clamp<int>(rect.top, work.top, work.bottom - height);
        rect.right = rect.left + width;
        rect.bottom = rect.top + height;
    }
    SetWindowPos(window, nullptr, rect.left, rect.top, rect.Width(), rect.Height(),
                 SWP_NOZORDER | SWP_NOACTIVATE);
}

// The list over the whole width above the buttons; "挿入" at the bottom left, "閉じる" at the bottom
// right, 10 pixels from the edges.
void Layout(HWND window) {
    RECT client{};
    GetClientRect(window, &client);
    const int margin = ScaleForWindow(window, kButtonMargin96);
    HWND insert = GetDlgItem(window, IDC_SYMBOL_INSERT);
    HWND close = GetDlgItem(window, IDCANCEL);
    RECT button{};
    GetWindowRect(insert, &button);
    const int width = button.right - button.left;
    const int height = button.bottom - button.top;
    const int buttonTop = client.bottom - margin - height;
    HDWP moves = BeginDeferWindowPos(3);
    moves = DeferWindowPos(moves, GetDlgItem(window, IDC_SYMBOL_LIST), nullptr, 0, 0, client.right,
                           std::max<int>(buttonTop - margin, 0), SWP_NOZORDER);
    moves = DeferWindowPos(moves, insert, nullptr, margin, buttonTop, 0, 0, SWP_NOZORDER | SWP_NOSIZE);
    moves = DeferWindowPos(moves, close, nullptr, client.right - margin - width, buttonTop, 0, 0,
                           SWP_NOZORDER | SWP_NOSIZE);
    EndDeferWindowPos(moves);
}

void InsertSelected(HWND window, const SymbolList& list) {
    const int row = ListView_GetNextItem(GetDlgItem(window, IDC_SYMBOL_LIST), -1, LVNI_SELECTED);
    if (row < 0 || row >= static_cast<int>(list.rows.size()) || !IsWindow(list.body)) {
        return;
    }
    // One undoable step in the body, replacing its selection; the list stays open.
    SendMessageW(list.body, EM_REPLACESEL, TRUE,
                 reinterpret_cast<LPARAM>(Wide(list.rows[static_cast<std::size_t>(row)].code)));
}

void Close(HWND window, SymbolList& list) {
    RECT rect{};
    if (!IsIconic(window) && GetWindowRect(window, &rect)) {
        *list.sheet.context.symbolListRect = ScreenRect{rect.left, rect.top, rect.right, rect.bottom};
    }
    DestroyWindow(window);
}

INT_PTR OnInit(HWND window, SymbolList* list) {
    SetWindowLongPtrW(window, DWLP_USER, reinterpret_cast<LONG_PTR>(list));
    list->sheet.symbolList = window;
    HWND view = GetDlgItem(window, IDC_SYMBOL_LIST);
    ListView_SetExtendedListViewStyle(view, LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES | LVS_EX_DOUBLEBUFFER);
    Place(window, *list);
    Layout(window);
    AddColumns(view);
    list->rows = SymbolRows(list->sheet.context.expandCode);
    FillRows(view, list->rows);
    return TRUE;
}

INT_PTR CALLBACK SymbolListProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        return OnInit(window, reinterpret_cast<SymbolList*>(lParam));
    }
    SymbolList* list = ListOf(window);
    if (!list) {
        return FALSE;
    }
    switch (message) {
        case WM_COMMAND:
            if (LOWORD(wParam) == IDC_SYMBOL_INSERT || LOWORD(wParam) == IDOK) {
                InsertSelected(window, *list);
            } else if (LOWORD(wParam) == IDCANCEL) {
                Close(window, *list);
            }
            return TRUE;
        case WM_NOTIFY:
            if (const auto& header = *reinterpret_cast<const NMHDR*>(lParam);
                header.idFrom == IDC_SYMBOL_LIST && header.code == NM_DBLCLK) {
                InsertSelected(window, *list);
            }
            return TRUE;
        case WM_SIZE:
            Layout(window);
            return TRUE;
        case WM_GETMINMAXINFO:
            reinterpret_cast<MINMAXINFO*>(lParam)->ptMinTrackSize =
                POINT{ScaleForWindow(window, kMinimumSize96), ScaleForWindow(window, kMinimumSize96)};
            return TRUE;
        case WM_CLOSE:
            Close(window, *list);
            return TRUE;
        case WM_NCDESTROY:
            SetWindowLongPtrW(window, DWLP_USER, 0);
            list->sheet.symbolList = nullptr;
            delete list;
            return FALSE;
        default:
            return FALSE;
    }
}

}  // namespace

void OpenSymbolList(SheetState& sheet, HWND body) {
    if (sheet.symbolList) {
        return;
    }
    HWND page = GetParent(body);
    HWND sheetWindow = GetParent(page);
    auto* list = new SymbolList{sheet, body, {}};
    HWND window = CreateDialogParamW(sheet.context.instance,
                                     MAKEINTRESOURCEW(SymbolListResource(sheet.context.windowsVersionCode)),
                                     sheetWindow, SymbolListProc, reinterpret_cast<LPARAM>(list));
    if (!window) {
        delete list;
        return;
    }
    ShowWindow(window, SW_SHOW);
}

void CloseSymbolList(SheetState& sheet) {
    if (sheet.symbolList) {
        SendMessageW(sheet.symbolList, WM_CLOSE, 0, 0);
    }
}

}  // namespace tavrin
