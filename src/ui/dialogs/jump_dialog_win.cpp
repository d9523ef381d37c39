#include "ui/dialogs/jump_dialog_win.h"

#include <commctrl.h>

#include <string>

#include "../../../resources/resource.h"
#include "app/modal_scope_win.h"
#include "platform/text.h"
#include "platform/wide_win.h"

namespace tavrin {
namespace {

JumpDialogContext* ContextOf(HWND dialog) {
    return reinterpret_cast<JumpDialogContext*>(GetWindowLongPtrW(dialog, DWLP_USER));
}

std::u16string FieldText(HWND dialog, int id) { return WindowText(GetDlgItem(dialog, id)); }

void SetUpField(HWND dialog, int field, int spin, int digits, int low, int high, int value) {
    SendDlgItemMessageW(dialog, field, EM_LIMITTEXT, static_cast<WPARAM>(digits), 0);
    SendDlgItemMessageW(dialog, spin, UDM_SETRANGE32, static_cast<WPARAM>(low), static_cast<LPARAM>(high));
    SendDlgItemMessageW(dialog, spin, UDM_SETPOS32, 0, static_cast<LPARAM>(value));
    SetDlgItemTextW(dialog, field, Wide(Decimal(value)));
}

INT_PTR OnInitDialog(HWND dialog, JumpDialogContext* context) {
    SetWindowLongPtrW(dialog, DWLP_USER, reinterpret_cast<LONG_PTR>(context));
    SetWindowTextW(dialog, Wide(JumpDialogTitle(context->today)));
    SetUpField(dialog, IDC_JUMP_YEAR, IDC_JUMP_YEAR_SPIN, kJumpYearDigits, 0, kMaxDiaryYear,
               context->selected.year);
    SetUpField(dialog, IDC_JUMP_MONTH, IDC_JUMP_MONTH_SPIN, kJumpMonthDigits, 1, 12, context->selected.month);
    SetUpField(dialog, IDC_JUMP_DAY, IDC_JUMP_DAY_SPIN, kJumpDayDigits, 1, 31, context->selected.day);
    SendDlgItemMessageW(dialog, IDC_JUMP_YEAR, EM_SETSEL, 0, -1);
    return TRUE;
}

void OnMove(HWND dialog, JumpDialogContext& context) {
    const std::optional<Notice> notice = context.jump(
        FieldText(dialog, IDC_JUMP_YEAR), FieldText(dialog, IDC_JUMP_MONTH), FieldText(dialog, IDC_JUMP_DAY));
    if (notice) {
        const ModalScope modal;
        MessageBoxW(dialog, Wide(notice->text), Wide(notice->caption), MB_OK | MB_ICONWARNING);
        return;
    }
    DestroyWindow(dialog);
}

INT_PTR CALLBACK JumpDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        return OnInitDialog(dialog, reinterpret_cast<JumpDialogContext*>(lParam));
    }
    JumpDialogContext* context = ContextOf(dialog);
    if (!context) {
        return FALSE;
    }
    switch (message) {
        case WM_COMMAND:
            if (LOWORD(wParam) == IDOK) {
                OnMove(dialog, *context);
                return TRUE;
            }
            if (LOWORD(wParam) == IDCANCEL) {
                DestroyWindow(dialog);
                return TRUE;
            }
            return FALSE;
        case WM_NCDESTROY: {
            SetWindowLongPtrW(dialog, DWLP_USER, 0);
            const std::function<void()> closed = context->closed;
            delete context;
            if (closed) {
                closed();
            }
            return FALSE;
        }
        default:
            return FALSE;
    }
}

}  // namespace

HWND OpenJumpDialog(HINSTANCE instance, HWND owner, JumpDialogContext context) {
    const INITCOMMONCONTROLSEX controls{sizeof(INITCOMMONCONTROLSEX), ICC_UPDOWN_CLASS};
    InitCommonControlsEx(&controls);
    auto* owned = new JumpDialogContext(std::move(context));
    HWND dialog = CreateDialogParamW(instance, MAKEINTRESOURCEW(IDD_JUMP), owner, JumpDialogProc,
                                     reinterpret_cast<LPARAM>(owned));
    if (!dialog) {
        delete owned;
        return nullptr;
    }
    ShowWindow(dialog, SW_SHOW);
    return dialog;
}

void ShowJumpDialog(HWND dialog) {
    ShowWindow(dialog, SW_SHOW);
    SetForegroundWindow(dialog);
    HWND year = GetDlgItem(dialog, IDC_JUMP_YEAR);
    SetFocus(year);
    SendMessageW(year, EM_SETSEL, 0, -1);
}

}  // namespace tavrin
