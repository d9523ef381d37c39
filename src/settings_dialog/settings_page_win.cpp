// The page base class and the pages that are only their field tables.
#include "settings_dialog/settings_page_win.h"

#include <commctrl.h>

#include <algorithm>

#include "../../resources/settings_resource.h"
#include "platform/wide_win.h"
#include "settings_dialog/font_combo_win.h"
#include "ui/dpi_win.h"

namespace tavrin {
namespace {

bool HasClass(HWND window, const wchar_t* name) {
    wchar_t className[32] = {};
    GetClassNameW(window, className, 32);
    return _wcsicmp(className, name) == 0;
}

bool IsRadioGroup(HWND control) { return HasClass(control, L"Button"); }

// The area the sheet gives its pages, in sheet client pixels.
RECT PageArea(HWND sheet) {
    HWND tab = PropSheet_GetTabControl(sheet);
    RECT area{};
    GetClientRect(tab, &area);
    TabCtrl_AdjustRect(tab, FALSE, &area);
    MapWindowPoints(tab, sheet, reinterpret_cast<POINT*>(&area), 2);
    return area;
}

// The sheet measures its pages in its own dialog font, the pages are laid out in theirs ("Meiryo UI"
// or "MS UI Gothic" at 9 points), which can be larger: the tabs, the buttons and the sheet grow until
// a page fits whole. Growing the tabs can put them in fewer rows, so the area is measured again.
void FitSheetToPage(HWND sheet, HWND page) {
    RECT pageRect{};
    GetWindowRect(page, &pageRect);
    int grownX = 0;
    int grownY = 0;
    for (int round = 0; round < 3; ++round) {
        // Never smaller than the sheet made itself; what was added may be given back.
        const RECT area = PageArea(sheet);
        const int dx = std::max<int>(pageRect.right - pageRect.left - (area.right - area.left), -grownX);
        const int dy = std::max<int>(pageRect.bottom - pageRect.top - (area.bottom - area.top), -grownY);
        if (dx == 0 && dy == 0) {
            return;
        }
        grownX += dx;
        grownY += dy;
        HWND tab = PropSheet_GetTabControl(sheet);
        for (HWND child = GetWindow(sheet, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
            RECT box{};
            GetWindowRect(child, &box);
            MapWindowPoints(nullptr, sheet, reinterpret_cast<POINT*>(&box), 2);
            if (child == tab) {
                SetWindowPos(child, nullptr, 0, 0, box.right - box.left + dx, box.bottom - box.top + dy,
                             SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
            } else if (HasClass(child, L"Button")) {
                SetWindowPos(child, nullptr, box.left + dx, box.top + dy, 0, 0,
                             SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
            }
        }
        RECT window{};
        GetWindowRect(sheet, &window);
        SetWindowPos(sheet, nullptr, 0, 0, window.right - window.left + dx, window.bottom - window.top + dy,
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
}

}  // namespace

// ---- SettingsPageWindow ----

INT_PTR CALLBACK SettingsPageWindow::DialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        const auto& sheetPage = *reinterpret_cast<const PROPSHEETPAGEW*>(lParam);
        auto* page = reinterpret_cast<SettingsPageWindow*>(sheetPage.lParam);
        SetWindowLongPtrW(dialog, DWLP_USER, reinterpret_cast<LONG_PTR>(page));
        page->dialog_ = dialog;
        page->CentreSheetOnce();
        page->OnInit();
        return TRUE;
    }
    auto* page = reinterpret_cast<SettingsPageWindow*>(GetWindowLongPtrW(dialog, DWLP_USER));
    if (!page) {
        return FALSE;
    }
    if (message == WM_NCDESTROY) {
        SetWindowLongPtrW(dialog, DWLP_USER, 0);
        page->dialog_ = nullptr;
        return FALSE;
    }
    return page->Dispatch(message, wParam, lParam);
}

INT_PTR SettingsPageWindow::Dispatch(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_COMMAND:
            return OnCommand(LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HWND>(lParam)) ? TRUE : FALSE;
        case WM_NOTIFY:
            if (const auto& header = *reinterpret_cast<const NMHDR*>(lParam);
                header.hwndFrom == GetParent(dialog_)) {
                return OnNotify(header);
            }
            break;
        default:
            break;
    }
    return OnMessage(message, wParam, lParam).value_or(FALSE);
}

INT_PTR SettingsPageWindow::OnNotify(const NMHDR& header) {
    switch (header.code) {
        case PSN_SETACTIVE:
            // The sheet opens on this page next time, whether it is closed with OK or not.
            sheet_.Record().window.settingPage = static_cast<int>(page_);
            SetWindowLongPtrW(dialog_, DWLP_MSGRESULT, 0);
            return TRUE;
        case PSN_APPLY:
            OnApply();
            sheet_.applied = true;
            OnClose();
            SetWindowLongPtrW(dialog_, DWLP_MSGRESULT, PSNRET_NOERROR);
            return TRUE;
        case PSN_RESET:
            OnClose();
            return TRUE;
        default:
            return FALSE;
    }
}

std::optional<INT_PTR> SettingsPageWindow::OnMessage(UINT, WPARAM, LPARAM) { return std::nullopt; }

void SettingsPageWindow::CentreSheetOnce() {
    if (sheet_.centred) {
        return;
    }
    sheet_.centred = true;
    HWND sheetWindow = GetParent(dialog_);
    FitSheetToPage(sheetWindow, dialog_);
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    RECT window{};
    if (!GetWindowRect(sheetWindow, &window) ||
        !GetMonitorInfoW(MonitorFromWindow(sheet_.context.owner, MONITOR_DEFAULTTONEAREST), &monitor)) {
        return;
    }
    const RECT& work = monitor.rcWork;
    const int width = window.right - window.left;
    const int height = window.bottom - window.top;
    const int left = work.left + (work.right - work.left - width) / 2;
    const int top = work.top + std::max<int>((work.bottom - work.top - height) / 2, 0);
    SetWindowPos(sheetWindow, nullptr, left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

std::u16string SettingsPageWindow::ItemText(int control) const { return WindowText(Item(control)); }

void SettingsPageWindow::SetItemText(int control, const std::u16string& text) const {
    SetDlgItemTextW(dialog_, control, Wide(text));
}

bool SettingsPageWindow::Checked(int control) const noexcept {
    return IsDlgButtonChecked(dialog_, control) == BST_CHECKED;
}

void SettingsPageWindow::SetChecked(int control, bool checked) const noexcept {
    CheckDlgButton(dialog_, control, checked ? BST_CHECKED : BST_UNCHECKED);
}

void SettingsPageWindow::Enable(int control, bool enabled) const noexcept {
    EnableWindow(Item(control), enabled ? TRUE : FALSE);
}

bool SettingsPageWindow::Confirm(std::u16string_view question) const {
    const std::u16string text(question);
    const std::u16string caption(kConfirmCaption);
    return MessageBoxW(GetParent(dialog_), Wide(text), Wide(caption), MB_OKCANCEL | MB_ICONQUESTION) == IDOK;
}

int SettingsPageWindow::Scaled(int length96) const noexcept { return ScaleForWindow(dialog_, length96); }

// ---- FieldPage ----

void FieldPage::OnInit() {
    FillLists();
    for (const SettingField& field : Fields()) {
        if (field.kind == FieldKind::kText && IsFontCombo(Item(field.control))) {
            FillFontCombo(Item(field.control));
        }
    }
    ShowValues(LoadFields(Fields(), sheet_.Record()));
}

void FieldPage::OnApply() { AcceptSettingsPage(Page(), ReadValues(), sheet_.Record(), sheet_.flags); }

bool FieldPage::OnCommand(int /*control*/, int code, HWND /*window*/) {
    if (code == BN_CLICKED) {
        UpdateEnabled();
    }
    return false;
}

std::optional<INT_PTR> FieldPage::OnMessage(UINT message, WPARAM, LPARAM lParam) {
    if (message == WM_DRAWITEM) {
        const auto& item = *reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
        if (item.CtlType == ODT_COMBOBOX) {
            DrawFontItem(item);
            return TRUE;
        }
    }
    return std::nullopt;
}

FieldValues FieldPage::ReadValues() const {
    FieldValues values;
    for (const SettingField& field : Fields()) {
        values.push_back(ReadValue(field));
    }
    return values;
}

void FieldPage::ShowValues(const FieldValues& values) {
    const auto fields = Fields();
    for (std::size_t i = 0; i < fields.size() && i < values.size(); ++i) {
        ShowValue(fields[i], values[i]);
    }
    UpdateEnabled();
}

void FieldPage::FillCombo(int control, std::span<const std::u16string_view> texts) const {
    HWND combo = Item(control);
    SendMessageW(combo, CB_RESETCONTENT, 0, 0);
    for (const std::u16string_view text : texts) {
        const std::u16string item(text);
        SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Wide(item)));
    }
}

void FieldPage::ShowValue(const SettingField& field, const FieldValue& value) {
    HWND control = Item(field.control);
    switch (field.kind) {
        case FieldKind::kCheck:
            SetChecked(field.control, value.number != 0);
            return;
        case FieldKind::kNumber:
            if (HWND upDown = Item(field.control + 1); upDown && HasClass(upDown, UPDOWN_CLASSW)) {
                SendMessageW(upDown, UDM_SETRANGE32, static_cast<WPARAM>(field.low), field.high);
            }
            // Room for any number the user may type; what is out of range is clamped on OK.
            SendMessageW(control, HasClass(control, L"ComboBox") ? CB_LIMITTEXT : EM_LIMITTEXT, 11, 0);
            SetItemText(field.control, value.text);
            return;
        case FieldKind::kText:
        case FieldKind::kPath:
            SendMessageW(control, HasClass(control, L"ComboBox") ? CB_LIMITTEXT : EM_LIMITTEXT,
                         field.maxLength, 0);
            SetItemText(field.control, value.text);
            return;
        case FieldKind::kChoice:
            if (IsRadioGroup(control)) {
                for (int i = field.low; i <= field.high; ++i) {
                    SetChecked(field.control + i - field.low, i == value.number);
                }
            } else {
                SendMessageW(control, CB_SETCURSEL, static_cast<WPARAM>(value.number), 0);
            }
            return;
        case FieldKind::kColour:
            ShowColour(field.control, value.number);
            return;
    }
}

FieldValue FieldPage::ReadValue(const SettingField& field) const {
    FieldValue value;
    HWND control = Item(field.control);
    switch (field.kind) {
        case FieldKind::kCheck:
            value.number = Checked(field.control) ? 1 : 0;
            break;
        case FieldKind::kNumber:
        case FieldKind::kText:
        case FieldKind::kPath:
            value.text = ItemText(field.control);
            break;
        case FieldKind::kChoice:
            value.number = -1;
            if (IsRadioGroup(control)) {
                for (int i = field.low; i <= field.high; ++i) {
                    if (Checked(field.control + i - field.low)) {
                        value.number = i;
                    }
                }
            } else {
                value.number = static_cast<int>(SendMessageW(control, CB_GETCURSEL, 0, 0));
            }
            break;
        case FieldKind::kColour:
            value.number = ReadColour(field.control);
            break;
    }
    return value;
}

// ---- The pages that are their field tables ----

namespace {

class EditPage final : public FieldPage {
public:
    explicit EditPage(SheetState& sheet) : FieldPage(sheet, SettingsPage::kEdit) {}

protected:
    void FillLists() override { FillCombo(IDC_EDIT_TAB, TabStopPresets()); }
};

class CalendarPage final : public FieldPage {
public:
    explicit CalendarPage(SheetState& sheet) : FieldPage(sheet, SettingsPage::kCalendar) {}

protected:
    void FillLists() override {
        FillCombo(IDC_CAL_START, WeekdayChoices());
        FillCombo(IDC_CAL_FORMAT, WeekFormatPresets());
    }
};

class PastePage final : public FieldPage {
public:
    explicit PastePage(SheetState& sheet) : FieldPage(sheet, SettingsPage::kPaste) {}

protected:
    void FillLists() override {
        for (const int control : {IDC_PASTE_IMAGE, IDC_PASTE_SOUND, IDC_PASTE_MOVIE}) {
            FillCombo(control, CopySaveChoices());
        }
    }
};

class StartupPage final : public FieldPage {
public:
    explicit StartupPage(SheetState& sheet) : FieldPage(sheet, SettingsPage::kStartup) {}

protected:
    void FillLists() override { FillCombo(IDC_START_DATE, StartDateChoices()); }
};

// "その他": nine options and the reset of every setting, which closes the sheet without accepting
// any page; the program then restarts with the defaults.
class OtherPage final : public FieldPage {
public:
    explicit OtherPage(SheetState& sheet) : FieldPage(sheet, SettingsPage::kOther) {}

protected:
    bool OnCommand(int control, int code, HWND window) override {
        if (control == IDC_OTHER_RESET_ALL && code == BN_CLICKED) {
            if (Confirm(kResetAllQuestion)) {
                sheet_.flags.reset = true;
                PropSheet_PressButton(GetParent(dialog_), PSBTN_CANCEL);
            }
            return true;
        }
        return FieldPage::OnCommand(control, code, window);
    }
};

}  // namespace

std::unique_ptr<SettingsPageWindow> CreateOtherPage(SheetState& sheet) {
    return std::make_unique<OtherPage>(sheet);
}

std::unique_ptr<SettingsPageWindow> CreateSettingsPage(SheetState& sheet, SettingsPage page) {
    switch (page) {
        case SettingsPage::kGeneral:
            return CreateGeneralPage(sheet);
        case SettingsPage::kEdit:
            return std::make_unique<EditPage>(sheet);
        case SettingsPage::kCalendar:
            return std::make_unique<CalendarPage>(sheet);
        case SettingsPage::kBackground:
            return CreateBackgroundPage(sheet);
        case SettingsPage::kPaste:
            return std::make_unique<PastePage>(sheet);
        case SettingsPage::kTemplates:
            return CreateTemplatePage(sheet);
        case SettingsPage::kKeyboard:
            return CreateKeyboardPage(sheet);
        case SettingsPage::kStartup:
            return std::make_unique<StartupPage>(sheet);
        case SettingsPage::kOther:
            return CreateOtherPage(sheet);
    }
    return nullptr;
}

}  // namespace tavrin
