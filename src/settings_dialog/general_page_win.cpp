// The "全般" page: window, window font, display area and the colour list with its swatches, colour
// chooser, context menu and keys.
#include <windows.h>
#include <commdlg.h>

#include <algorithm>
#include <array>
#include <optional>

#include "../../resources/settings_resource.h"
#include "platform/wide_win.h"
#include "settings_dialog/colour_rows.h"
#include "settings_dialog/settings_page_win.h"
#include "ui/scrollbar/gdi_handles_win.h"

namespace tavrin {
namespace {

constexpr int kColourRowHeight96 = 20;

std::optional<std::u16string> ClipboardText(HWND owner) {
    if (!IsClipboardFormatAvailable(CF_UNICODETEXT) || !OpenClipboard(owner)) {
        return std::nullopt;
    }
    std::optional<std::u16string> text;
    if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
        if (const auto* locked = static_cast<const wchar_t*>(GlobalLock(data))) {
            const std::size_t capacity = GlobalSize(data) / sizeof(wchar_t);
            std::size_t length = 0;
            while (length < capacity && locked[length] != L'\0') {
                ++length;
            }
            text = FromWide(std::wstring_view(locked, length));
            GlobalUnlock(data);
        }
    }
    CloseClipboard();
    return text;
}

void SetClipboardText(HWND owner, const std::u16string& text) {
    if (!OpenClipboard(owner)) {
        return;
    }
    EmptyClipboard();
    const std::size_t bytes = (text.size() + 1) * sizeof(char16_t);
    if (HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes)) {
        if (void* locked = GlobalLock(memory)) {
            std::copy_n(text.c_str(), text.size() + 1, static_cast<char16_t*>(locked));
            GlobalUnlock(memory);
            if (!SetClipboardData(CF_UNICODETEXT, memory)) {
                GlobalFree(memory);
            }
        } else {
            GlobalFree(memory);
        }
    }
    CloseClipboard();
}

std::optional<ColorRef> ClipboardColour(HWND owner) {
    const std::optional<std::u16string> text = ClipboardText(owner);
    return text ? ParseColourClipboardText(*text) : std::nullopt;
}

class GeneralPage final : public FieldPage {
public:
    explicit GeneralPage(SheetState& sheet) : FieldPage(sheet, SettingsPage::kGeneral) {}

protected:
    void FillLists() override {
        HWND list = Item(IDC_GEN_COLOURS);
        for (int row = 0; row < kColourRowCount; ++row) {
            SendMessageW(list, LB_ADDSTRING, 0, row);
        }
        // The rows' height is asked before the page is set up, so it is set here instead.
        SendMessageW(list, LB_SETITEMHEIGHT, 0, RowHeight());
        SendMessageW(list, LB_SETCURSEL, 0, 0);
    }

    void UpdateEnabled() override {
        const bool side = Checked(IDC_GEN_SIDEAREA);
        Enable(IDC_GEN_SIDE_LEFT, side);
        Enable(IDC_GEN_SIDE_RIGHT, side);
        const bool limit = Checked(IDC_GEN_LIMIT);
        Enable(IDC_GEN_MAXWIDTH, limit);
        Enable(IDC_GEN_MAXWIDTH + 1, limit);
    }

    [[nodiscard]] int ReadColour(int slot) const override {
        if (slot >= kCustomColourSlot) {
            return static_cast<int>(custom_[static_cast<std::size_t>(slot - kCustomColourSlot)]);
        }
        return static_cast<int>(colours_[static_cast<std::size_t>(slot - kColourRowSlot)]);
    }

    void ShowColour(int slot, int colour) override {
        if (slot >= kCustomColourSlot) {
            custom_[static_cast<std::size_t>(slot - kCustomColourSlot)] = static_cast<COLORREF>(colour);
        } else {
            SetColour(slot - kColourRowSlot, static_cast<COLORREF>(colour));
        }
    }

    bool OnCommand(int control, int code, HWND window) override {
        if (control == IDC_GEN_RESET && code == BN_CLICKED) {
            FieldValues values = ReadValues();
            ResetGeneralPageColours(values);
            ShowValues(values);
            return true;
        }
        if (control == IDC_GEN_COLOURS && code == LBN_DBLCLK) {
            RunColourCommand(kColourChange);
            return true;
        }
        return FieldPage::OnCommand(control, code, window);
    }

    std::optional<INT_PTR> OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override {
        switch (message) {
            case WM_DRAWITEM:
                if (const auto& item = *reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
                    item.CtlID == IDC_GEN_COLOURS) {
                    DrawColourRow(item);
                    return TRUE;
                }
                break;
            case WM_VKEYTOITEM:
                if (reinterpret_cast<HWND>(lParam) == Item(IDC_GEN_COLOURS)) {
                    return OnColourKey(LOWORD(wParam));
                }
                break;
            case WM_CHARTOITEM:
                // The rows have no text to search: a typed character (the R of "invert", the one
                // Ctrl+C makes) leaves the selection where it is.
                if (reinterpret_cast<HWND>(lParam) == Item(IDC_GEN_COLOURS)) {
                    return -2;
                }
                break;
            case WM_CONTEXTMENU:
                if (reinterpret_cast<HWND>(wParam) == Item(IDC_GEN_COLOURS)) {
                    OpenColourMenu(lParam);
                    return TRUE;
                }
                break;
            default:
                break;
        }
        return FieldPage::OnMessage(message, wParam, lParam);
    }

private:
    [[nodiscard]] int SelectedRow() const {
        const auto row = SendMessageW(Item(IDC_GEN_COLOURS), LB_GETCURSEL, 0, 0);
        return row >= 0 && row < kColourRowCount ? static_cast<int>(row) : -1;
    }

    [[nodiscard]] int RowHeight() const {
        HWND list = Item(IDC_GEN_COLOURS);
        HFONT font = reinterpret_cast<HFONT>(SendMessageW(dialog_, WM_GETFONT, 0, 0));
        WindowDc dc(list);
        SelectedObject selected(dc.Get(), font);
        TEXTMETRICW metrics{};
        GetTextMetricsW(dc.Get(), &metrics);
        return std::max<int>(metrics.tmHeight + 4, Scaled(kColourRowHeight96));
    }

    void SetColour(int row, COLORREF colour) {
        if (row < 0 || row >= kColourRowCount) {
            return;
        }
        colours_[static_cast<std::size_t>(row)] = colour & 0xFFFFFF;
        RECT area{};
        if (SendMessageW(Item(IDC_GEN_COLOURS), LB_GETITEMRECT, static_cast<WPARAM>(row),
                         reinterpret_cast<LPARAM>(&area)) != LB_ERR) {
            InvalidateRect(Item(IDC_GEN_COLOURS), &area, FALSE);
        }
    }

    void DrawColourRow(const DRAWITEMSTRUCT& item) const {
        const RECT& area = item.rcItem;
        const bool selected = (item.itemState & ODS_SELECTED) != 0;
        FillRect(item.hDC, &area, GetSysColorBrush(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW));
        const int row = static_cast<int>(item.itemID);
        if (row < 0 || row >= kColourRowCount) {
            return;
        }
        const int inset = Scaled(3);
        const int height = area.bottom - area.top;
        RECT swatch{area.left + Scaled(4), area.top + inset, area.left + Scaled(4) + height * 3 / 2,
                    area.bottom - inset};
        GdiObject<HBRUSH> fill(CreateSolidBrush(colours_[static_cast<std::size_t>(row)]));
        FillRect(item.hDC, &swatch, fill.Get());
        FrameRect(item.hDC, &swatch, GetSysColorBrush(selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
        SetBkMode(item.hDC, TRANSPARENT);
        SetTextColor(item.hDC, GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
        SelectedObject font(item.hDC, reinterpret_cast<HFONT>(SendMessageW(dialog_, WM_GETFONT, 0, 0)));
        const std::u16string name(ColourRowName(row));
        RECT text{swatch.right + Scaled(6), area.top, area.right, area.bottom};
        DrawTextW(item.hDC, Wide(name), static_cast<int>(name.size()), &text,
                  DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS);
        if ((item.itemState & ODS_FOCUS) != 0 && (item.itemState & ODS_NOFOCUSRECT) == 0) {
            DrawFocusRect(item.hDC, &area);
        }
    }

    INT_PTR OnColourKey(unsigned key) {
        const bool ctrl = GetKeyState(VK_CONTROL) < 0;
        if (key == VK_SPACE && !ctrl) {
            RunColourCommand(kColourChange);
        } else if (key == 'R' && !ctrl) {
            RunColourCommand(kColourInvert);
        } else if (key == 'C' && ctrl) {
            RunColourCommand(kColourCopy);
        } else if (key == 'V' && ctrl) {
            RunColourCommand(kColourPaste);
        } else {
            return -1;  // the list's own keys: arrows, Home, End
        }
        return -2;
    }

    void OpenColourMenu(LPARAM position) {
        HWND list = Item(IDC_GEN_COLOURS);
        POINT at{static_cast<short>(LOWORD(position)), static_cast<short>(HIWORD(position))};
        if (position == -1) {
            RECT row{};
            SendMessageW(list, LB_GETITEMRECT, static_cast<WPARAM>(std::max(SelectedRow(), 0)),
                         reinterpret_cast<LPARAM>(&row));
            at = POINT{row.left, row.bottom};
            ClientToScreen(list, &at);
        } else {
            POINT client = at;
            ScreenToClient(list, &client);
            const auto hit = SendMessageW(list, LB_ITEMFROMPOINT, 0, MAKELPARAM(client.x, client.y));
            if (HIWORD(hit) == 0) {
                SendMessageW(list, LB_SETCURSEL, LOWORD(hit), 0);
            }
        }
        const bool pasteable = ClipboardColour(dialog_).has_value();
        PopupMenu menu;
        for (const ColourMenuItem& entry : ColourMenuItems()) {
            const std::u16string label(entry.label);
            const UINT disabled = entry.command == kColourPaste && !pasteable ? MF_GRAYED : 0;
            AppendMenuW(menu.Get(), entry.command == 0 ? MF_SEPARATOR : MF_STRING | disabled,
                        static_cast<UINT_PTR>(entry.command), Wide(label));
        }
        const int command =
            TrackPopupMenu(menu.Get(), TPM_RETURNCMD | TPM_RIGHTBUTTON, at.x, at.y, 0, dialog_, nullptr);
        if (command != 0) {
            RunColourCommand(command);
        }
    }

    void RunColourCommand(int command) {
        const int row = SelectedRow();
        if (command == kColourResetAll) {
            const auto defaults = DefaultColourRows();
            for (int i = 0; i < kColourRowCount; ++i) {
                SetColour(i, defaults[static_cast<std::size_t>(i)]);
            }
            return;
        }
        if (row < 0) {
            return;
        }
        const COLORREF colour = colours_[static_cast<std::size_t>(row)];
        switch (command) {
            case kColourChange:
                ChooseRowColour(row);
                return;
            case kColourInvert:
                SetColour(row, InvertColour(colour));
                return;
            case kColourCopy:
                SetClipboardText(dialog_, ColourClipboardText(colour));
                return;
            case kColourPaste:
                if (const auto pasted = ClipboardColour(dialog_)) {
                    SetColour(row, *pasted);
                } else {
                    MessageBeep(MB_OK);
                }
                return;
            default:
                return;
        }
    }

    void ChooseRowColour(int row) {
        CHOOSECOLORW choose{};
        choose.lStructSize = sizeof choose;
        choose.hwndOwner = GetParent(dialog_);
        choose.rgbResult = colours_[static_cast<std::size_t>(row)];
        choose.lpCustColors = custom_.data();
        choose.Flags = CC_RGBINIT | CC_ANYCOLOR;
        if (ChooseColorW(&choose)) {
            SetColour(row, choose.rgbResult);
        }
    }

    std::array<COLORREF, kColourRowCount> colours_{};
    std::array<COLORREF, kCustomColourCount> custom_{};
};

}  // namespace

std::unique_ptr<SettingsPageWindow> CreateGeneralPage(SheetState& sheet) {
    return std::make_unique<GeneralPage>(sheet);
}

}  // namespace tavrin
