#pragma once
// The pages of the settings sheet as windows: the sheet's shared state, the page base class with its
// dialog procedure, and the page built from a field table. Internal to src/settings_dialog.

#include <windows.h>

#include <memory>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "settings_dialog/settings_pages.h"
#include "settings_dialog/settings_sheet_win.h"

namespace tavrin {

// What every page of one sheet shares: the context, the change flags, the open special-symbol list.
struct SheetState {
    explicit SheetState(const SettingsSheetContext& context) : context(context) {}

    const SettingsSheetContext& context;
    ChangeFlags flags;
    bool applied = false;
    bool centred = false;
    HWND symbolList = nullptr;  // the modeless special-symbol list while it is open

    [[nodiscard]] Settings& Record() const noexcept { return *context.settings; }
};

// One page. The property sheet creates its window when the page is first shown; until then the page
// has no window and nothing to accept.
class SettingsPageWindow {
public:
    SettingsPageWindow(SheetState& sheet, SettingsPage page) : sheet_(sheet), page_(page) {}
    virtual ~SettingsPageWindow() = default;
    SettingsPageWindow(const SettingsPageWindow&) = delete;
    SettingsPageWindow& operator=(const SettingsPageWindow&) = delete;

    [[nodiscard]] SettingsPage Page() const noexcept { return page_; }
    [[nodiscard]] HWND Dialog() const noexcept { return dialog_; }

    // The page's dialog procedure; the page object comes with WM_INITDIALOG.
    static INT_PTR CALLBACK DialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

protected:
    virtual void OnInit() = 0;
    // OK: store the values (PSN_APPLY).
    virtual void OnApply() = 0;
    // Cancel (PSN_RESET), and the end of the sheet after OK.
    virtual void OnClose() {}
    // A WM_COMMAND from a control; true when handled.
    virtual bool OnCommand(int control, int code, HWND window) = 0;
    // Any other message; a value when handled (returned from the dialog procedure as it stands).
    virtual std::optional<INT_PTR> OnMessage(UINT message, WPARAM wParam, LPARAM lParam);

    [[nodiscard]] HWND Item(int control) const noexcept { return GetDlgItem(dialog_, control); }
    [[nodiscard]] std::u16string ItemText(int control) const;
    void SetItemText(int control, const std::u16string& text) const;
    [[nodiscard]] bool Checked(int control) const noexcept;
    void SetChecked(int control, bool checked) const noexcept;
    void Enable(int control, bool enabled) const noexcept;
    // A question with OK and Cancel (caption "確認", question icon); true for OK.
    [[nodiscard]] bool Confirm(std::u16string_view question) const;
    // Pixels of a 96-DPI length at the page's DPI.
    [[nodiscard]] int Scaled(int length96) const noexcept;

    SheetState& sheet_;
    HWND dialog_ = nullptr;

private:
    INT_PTR Dispatch(UINT message, WPARAM wParam, LPARAM lParam);
    INT_PTR OnNotify(const NMHDR& header);
    void CentreSheetOnce();

    SettingsPage page_;
};

// A page whose controls are the fields of its table: loads them, keeps dependent controls enabled, and
// accepts them through the core. Pages with more (lists, buttons) derive from it.
class FieldPage : public SettingsPageWindow {
public:
    using SettingsPageWindow::SettingsPageWindow;

protected:
    void OnInit() override;
    void OnApply() override;
    bool OnCommand(int control, int code, HWND window) override;
    std::optional<INT_PTR> OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

    // Fills the lists and combo boxes of the page before the values are shown.
    virtual void FillLists() {}
    // Enables the controls that depend on a check box.
    virtual void UpdateEnabled() {}
    // Colour fields are kept by the page itself.
    [[nodiscard]] virtual int ReadColour(int /*slot*/) const { return 0; }
    virtual void ShowColour(int /*slot*/, int /*colour*/) {}

    [[nodiscard]] std::span<const SettingField> Fields() const noexcept { return SettingsPageFields(Page()); }
    [[nodiscard]] FieldValues ReadValues() const;
    void ShowValues(const FieldValues& values);
    void FillCombo(int control, std::span<const std::u16string_view> texts) const;

private:
    void ShowValue(const SettingField& field, const FieldValue& value);
    [[nodiscard]] FieldValue ReadValue(const SettingField& field) const;
};

// The pages, in sheet order.
[[nodiscard]] std::unique_ptr<SettingsPageWindow> CreateSettingsPage(SheetState& sheet, SettingsPage page);
std::unique_ptr<SettingsPageWindow> CreateGeneralPage(SheetState& sheet);
std::unique_ptr<SettingsPageWindow> CreateBackgroundPage(SheetState& sheet);
std::unique_ptr<SettingsPageWindow> CreateTemplatePage(SheetState& sheet);
std::unique_ptr<SettingsPageWindow> CreateKeyboardPage(SheetState& sheet);
std::unique_ptr<SettingsPageWindow> CreateOtherPage(SheetState& sheet);

}  // namespace tavrin
