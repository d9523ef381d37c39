#pragma once
// The settings sheet "設定": a modal property sheet of nine pages that edits the settings record, the
// shortcut keys and the template list of the running program.

#include <windows.h>

#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "app/command_table.h"
#include "app/settings.h"
#include "settings_dialog/setting_fields.h"
#include "templates/template_list.h"

namespace tavrin {

// What the sheet reads and edits. settings and templates are changed only when the user presses OK
// (SettingPage excepted: it follows the page shown even when the sheet is cancelled).
struct SettingsSheetContext {
    HINSTANCE instance = nullptr;
    HWND owner = nullptr;  // the main frame; disabled while the sheet is open
    HICON icon = nullptr;
    int windowsVersionCode = 0;
    Settings* settings = nullptr;
    TemplateList* templates = nullptr;
    const KeyNameSource* keyNames = nullptr;
    // A $-code expanded as an insertion would expand it, for the special-symbol list's examples.
    std::function<std::optional<std::u16string>(std::u16string_view)> expandCode;
    // Where the special-symbol list was when last closed in this run.
    std::optional<ScreenRect>* symbolListRect = nullptr;
};

struct SettingsSheetResult {
    bool accepted = false;  // closed with OK: the pages stored their values
    ChangeFlags flags;  // flags.reset: "すべての設定を初期化" was confirmed (the pages were not accepted)
};

// Shows the sheet on the page shown last and returns when it is closed. Runs its own message loop, so
// that the modeless special-symbol list gets its keyboard navigation too.
[[nodiscard]] SettingsSheetResult RunSettingsSheet(const SettingsSheetContext& context);

}  // namespace tavrin
