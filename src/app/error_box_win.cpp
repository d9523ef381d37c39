#include "app/error_box_win.h"

#include "app/error_messages.h"
#include "app/modal_scope_win.h"
#include "platform/wide_win.h"

namespace tavrin {

void ShowErrorMessage(HWND owner, int number, std::u16string_view detail) {
    const DWORD lastError = GetLastError();
    const ErrorBox box = ComposeErrorBox({number, std::u16string(detail), lastError});
    const UINT icon = box.icon == ErrorIcon::kError ? MB_ICONERROR : MB_ICONWARNING;
    const ModalScope modal;
    MessageBoxW(owner, Wide(box.text), Wide(box.caption), MB_OK | icon);
}

void ShowUserError(HWND owner, const UserError& error) {
    SetLastError(error.systemError);
    ShowErrorMessage(owner, error.number, error.detail);
}

}  // namespace tavrin
