#include "settings_dialog/settings_sheet_win.h"

#include <commctrl.h>

#include <array>
#include <memory>

#include "app/modal_scope_win.h"
#include "settings_dialog/settings_page_win.h"
#include "settings_dialog/symbol_list_win.h"

namespace tavrin {
namespace {

constexpr wchar_t kSheetTitle[] = L"設定";

// Before the sheet's window is created: no context-help button in its caption.
int CALLBACK SheetCallback(HWND, UINT message, LPARAM lParam) {
    if (message == PSCB_PRECREATE && lParam) {
        // The template is a DLGTEMPLATEEX when its first word is 1 and its second 0xFFFF.
        auto* words = reinterpret_cast<WORD*>(lParam);
        if (words[0] == 1 && words[1] == 0xFFFF) {
            auto* extended = reinterpret_cast<DWORD*>(lParam);  // dlgVer, signature, helpID, exStyle, style
            extended[2] &= ~static_cast<DWORD>(WS_EX_CONTEXTHELP);
            extended[3] &= ~static_cast<DWORD>(DS_CONTEXTHELP);
        } else {
            auto* plain = reinterpret_cast<DLGTEMPLATE*>(lParam);
            plain->style &= ~static_cast<DWORD>(DS_CONTEXTHELP);
            plain->dwExtendedStyle &= ~static_cast<DWORD>(WS_EX_CONTEXTHELP);
        }
    }
    return 0;
}

// The sheet's own loop: the special-symbol list and the sheet get their dialog keys; the program's
// accelerators stay out, as under any modal dialog. Ends when OK or Cancel closed the sheet.
void RunSheetLoop(HWND window, SheetState& state) {
    MSG message{};
    while (PropSheet_GetCurrentPageHwnd(window)) {
        const BOOL got = GetMessageW(&message, nullptr, 0, 0);
        if (got == 0) {
            // The program is quitting: leave the quit message for the main loop.
            PostQuitMessage(static_cast<int>(message.wParam));
            return;
        }
        if (got == -1) {
            return;
        }
        if (state.symbolList && IsDialogMessageW(state.symbolList, &message)) {
            continue;
        }
        if (PropSheet_IsDialogMessage(window, &message)) {
            continue;
        }
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

}  // namespace

SettingsSheetResult RunSettingsSheet(const SettingsSheetContext& context) {
    const INITCOMMONCONTROLSEX controls{sizeof(INITCOMMONCONTROLSEX), ICC_UPDOWN_CLASS | ICC_HOTKEY_CLASS |
                                                                          ICC_LISTVIEW_CLASSES |
                                                                          ICC_TAB_CLASSES};
    InitCommonControlsEx(&controls);
    SheetState state(context);
    std::array<std::unique_ptr<SettingsPageWindow>, kSettingsPageCount> pages;
    std::array<PROPSHEETPAGEW, kSettingsPageCount> sheetPages{};
    for (int i = 0; i < kSettingsPageCount; ++i) {
        const auto page = static_cast<SettingsPage>(i);
        pages[static_cast<std::size_t>(i)] = CreateSettingsPage(state, page);
        PROPSHEETPAGEW& sheetPage = sheetPages[static_cast<std::size_t>(i)];
        sheetPage.dwSize = sizeof sheetPage;
        sheetPage.dwFlags = PSP_DEFAULT;
        sheetPage.hInstance = context.instance;
        sheetPage.pszTemplate = MAKEINTRESOURCEW(SettingsPageResource(page, context.windowsVersionCode));
        sheetPage.pfnDlgProc = SettingsPageWindow::DialogProc;
        sheetPage.lParam = reinterpret_cast<LPARAM>(pages[static_cast<std::size_t>(i)].get());
    }
    PROPSHEETHEADERW header{};
    header.dwSize = sizeof header;
    header.dwFlags = PSH_PROPSHEETPAGE | PSH_MODELESS | PSH_NOAPPLYNOW | PSH_NOCONTEXTHELP | PSH_USECALLBACK |
                     (context.icon ? PSH_USEHICON : 0);
    header.hwndParent = context.owner;
    header.hInstance = context.instance;
    header.hIcon = context.icon;
    header.pszCaption = kSheetTitle;
    header.nPages = kSettingsPageCount;
    header.nStartPage = static_cast<UINT>(StartPageIndex(*context.settings));
    header.ppsp = sheetPages.data();
    header.pfnCallback = SheetCallback;

    const auto window = reinterpret_cast<HWND>(PropertySheetW(&header));
    SettingsSheetResult result;
    if (!window || reinterpret_cast<INT_PTR>(window) == -1) {
        return result;
    }
    EnableWindow(context.owner, FALSE);
    {
        const ModalScope modal;  // the sheet runs its own loop: nothing may close the frame under it
        RunSheetLoop(window, state);
    }
    CloseSymbolList(state);
    // The owner first, so that it takes the activation back when the sheet goes.
    EnableWindow(context.owner, TRUE);
    DestroyWindow(window);
    result.accepted = state.applied && !state.flags.reset;
    result.flags = state.flags;
    return result;
}

}  // namespace tavrin
