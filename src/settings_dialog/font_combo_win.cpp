#include "settings_dialog/font_combo_win.h"

#include <algorithm>
#include <set>
#include <string>

#include "ui/dpi_win.h"
#include "ui/scrollbar/gdi_handles_win.h"

namespace tavrin {
namespace {

// The list's row height, at least 20 pixels at 96 DPI.
constexpr int kRowHeight96 = 20;

struct FamilyCollector {
    std::set<std::wstring> names;
    std::set<std::wstring> symbolFonts;
};

int CALLBACK CollectFamily(const LOGFONTW* font, const TEXTMETRICW*, DWORD, LPARAM context) {
    auto& collector = *reinterpret_cast<FamilyCollector*>(context);
    const std::wstring name(font->lfFaceName);
    if (!name.empty() && name.front() != L'@') {
        collector.names.insert(name);
        if (font->lfCharSet == SYMBOL_CHARSET) {
            collector.symbolFonts.insert(name);
        }
    }
    return 1;
}

int FontHeight(HWND window) {
    HFONT font = reinterpret_cast<HFONT>(SendMessageW(window, WM_GETFONT, 0, 0));
    WindowDc dc(window);
    SelectedObject selected(dc.Get(), font);
    TEXTMETRICW metrics{};
    GetTextMetricsW(dc.Get(), &metrics);
    return metrics.tmHeight;
}

}  // namespace

bool IsFontCombo(HWND combo) noexcept {
    wchar_t className[16] = {};
    GetClassNameW(combo, className, 16);
    return _wcsicmp(className, L"ComboBox") == 0 &&
           (GetWindowLongPtrW(combo, GWL_STYLE) & CBS_OWNERDRAWFIXED) != 0;
}

void FillFontCombo(HWND combo) {
    FamilyCollector collector;
    LOGFONTW query{};
    query.lfCharSet = DEFAULT_CHARSET;
    WindowDc dc(combo);
    EnumFontFamiliesExW(dc.Get(), &query, CollectFamily, reinterpret_cast<LPARAM>(&collector), 0);
    SendMessageW(combo, WM_SETREDRAW, FALSE, 0);
    for (const std::wstring& name : collector.names) {
        const auto index = SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name.c_str()));
        // A symbol font draws its own name as pictures; the item data tells the painter to use the
        // dialog's font for it.
        if (index >= 0) {
            SendMessageW(combo, CB_SETITEMDATA, static_cast<WPARAM>(index),
                         collector.symbolFonts.contains(name));
        }
    }
    SendMessageW(combo, WM_SETREDRAW, TRUE, 0);
    // The rows' height is asked before the dialog is set up, so it is set here instead.
    const int height = std::max(FontHeight(combo) + 4, ScaleForWindow(combo, kRowHeight96));
    SendMessageW(combo, CB_SETITEMHEIGHT, 0, height);
}

void DrawFontItem(const DRAWITEMSTRUCT& item) {
    const RECT& area = item.rcItem;
    const bool selected = (item.itemState & ODS_SELECTED) != 0;
    FillRect(item.hDC, &area, GetSysColorBrush(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW));
    if (item.itemID == static_cast<UINT>(-1)) {
        return;
    }
    const auto length = SendMessageW(item.hwndItem, CB_GETLBTEXTLEN, item.itemID, 0);
    if (length <= 0) {
        return;
    }
    std::wstring name(static_cast<std::size_t>(length) + 1, L'\0');
    name.resize(static_cast<std::size_t>(
        SendMessageW(item.hwndItem, CB_GETLBTEXT, item.itemID, reinterpret_cast<LPARAM>(name.data()))));
    // The edit part (and a symbol font) shows the name in the dialog's font, the list in its own face.
    const bool ownFace = (item.itemState & ODS_COMBOBOXEDIT) == 0 && item.itemData == 0;
    GdiObject<HFONT> preview;
    HFONT dialogFont = reinterpret_cast<HFONT>(SendMessageW(item.hwndItem, WM_GETFONT, 0, 0));
    if (ownFace) {
        LOGFONTW font{};
        GetObjectW(dialogFont, sizeof font, &font);
        font.lfHeight = -std::max<LONG>((area.bottom - area.top) * 7 / 10, 1);
        font.lfWidth = 0;
        font.lfCharSet = DEFAULT_CHARSET;
        lstrcpynW(font.lfFaceName, name.c_str(), LF_FACESIZE);
        preview.Reset(CreateFontIndirectW(&font));
    }
    SelectedObject selectedFont(item.hDC, preview ? preview.Get() : dialogFont);
    SetBkMode(item.hDC, TRANSPARENT);
    SetTextColor(item.hDC, GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
    RECT text = area;
    text.left += ScaleForWindow(item.hwndItem, 4);
    DrawTextW(item.hDC, name.c_str(), static_cast<int>(name.size()), &text,
              DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS);
    if ((item.itemState & ODS_FOCUS) != 0 && (item.itemState & ODS_NOFOCUSRECT) == 0) {
        DrawFocusRect(item.hDC, &area);
    }
}

}  // namespace tavrin
