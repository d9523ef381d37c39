#include "settings_dialog/key_field_win.h"

#include <commctrl.h>

#include "ui/scrollbar/gdi_handles_win.h"

namespace tavrin {
namespace {

void NotifyChange(HWND field) {
    SendMessageW(GetParent(field), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(field), EN_CHANGE),
                 reinterpret_cast<LPARAM>(field));
}

void SetFieldKey(HWND field, std::uint16_t hotKey) {
    SendMessageW(field, HKM_SETHOTKEY, hotKey, 0);
    NotifyChange(field);
}

void OpenKeyMenu(HWND field, LPARAM position) {
    POINT at{static_cast<short>(LOWORD(position)), static_cast<short>(HIWORD(position))};
    if (position == -1) {
        RECT area{};
        GetWindowRect(field, &area);
        at = POINT{area.left, area.bottom};
    }
    PopupMenu menu;
    UINT_PTR command = 1;
    for (const KeyFieldMenuItem& item : kKeyFieldMenu) {
        AppendMenuW(menu.Get(), MF_STRING, command++, reinterpret_cast<const wchar_t*>(item.label));
    }
    const int chosen =
        TrackPopupMenu(menu.Get(), TPM_RETURNCMD | TPM_RIGHTBUTTON, at.x, at.y, 0, field, nullptr);
    if (chosen > 0 && chosen <= static_cast<int>(std::size(kKeyFieldMenu))) {
        SetFieldKey(field, kKeyFieldMenu[chosen - 1].hotKey);
    }
}

bool IsExtraCharacter(WPARAM character) {
    return character == L'\t' || character == L'\r' || character == 0x1B || character == L' ' ||
           character == L'\b';
}

LRESULT CALLBACK KeyFieldProc(HWND field, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                              DWORD_PTR) {
    switch (message) {
        case WM_GETDLGCODE:
            // Tab, Enter and Esc are keys to bind here, not the dialog's navigation.
            return DLGC_WANTALLKEYS | DLGC_WANTARROWS | DLGC_WANTCHARS;
        case WM_KEYDOWN:
            if (const std::uint16_t extra = ExtraHotKeyValue(static_cast<unsigned>(wParam))) {
                SetFieldKey(field, extra);
                return 0;
            }
            break;
        case WM_CHAR:
            if (IsExtraCharacter(wParam)) {
                return 0;
            }
            break;
        case WM_SYSKEYDOWN:
        case WM_SYSKEYUP:
        case WM_SYSCHAR:
            // Modifiers come from the check boxes, so Alt with a letter is left to the dialog's access
            // keys instead of becoming the field's key.
            return DefWindowProcW(field, message, wParam, lParam);
        case WM_CONTEXTMENU:
            OpenKeyMenu(field, lParam);
            return 0;
        case WM_NCDESTROY:
            RemoveWindowSubclass(field, KeyFieldProc, id);
            break;
        default:
            break;
    }
    return DefSubclassProc(field, message, wParam, lParam);
}

}  // namespace

void InstallKeyField(HWND field) {
    constexpr WPARAM kEveryModifierCombination =
        HKCOMB_S | HKCOMB_C | HKCOMB_A | HKCOMB_SC | HKCOMB_SA | HKCOMB_CA | HKCOMB_SCA;
    SendMessageW(field, HKM_SETRULES, kEveryModifierCombination, MAKELPARAM(0, 0));
    SetWindowSubclass(field, KeyFieldProc, 1, 0);
}

KeyFieldState ReadKeyFieldControls(HWND dialog, const KeyFieldControls& controls) {
    KeyFieldState state;
    state.ctrl = IsDlgButtonChecked(dialog, controls.ctrl) == BST_CHECKED;
    state.shift = IsDlgButtonChecked(dialog, controls.shift) == BST_CHECKED;
    state.alt = IsDlgButtonChecked(dialog, controls.alt) == BST_CHECKED;
    state.hotKey =
        static_cast<std::uint16_t>(SendDlgItemMessageW(dialog, controls.field, HKM_GETHOTKEY, 0, 0));
    return state;
}

void ShowKeyFieldControls(HWND dialog, const KeyFieldControls& controls, const KeyFieldState& state) {
    CheckDlgButton(dialog, controls.ctrl, state.ctrl ? BST_CHECKED : BST_UNCHECKED);
    CheckDlgButton(dialog, controls.shift, state.shift ? BST_CHECKED : BST_UNCHECKED);
    CheckDlgButton(dialog, controls.alt, state.alt ? BST_CHECKED : BST_UNCHECKED);
    SendDlgItemMessageW(dialog, controls.field, HKM_SETHOTKEY, state.hotKey, 0);
}

void EnableKeyFieldControls(HWND dialog, const KeyFieldControls& controls, bool enabled) {
    for (const int control : {controls.ctrl, controls.shift, controls.alt, controls.field}) {
        EnableWindow(GetDlgItem(dialog, control), enabled ? TRUE : FALSE);
    }
}

}  // namespace tavrin
