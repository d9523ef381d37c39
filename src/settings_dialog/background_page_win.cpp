// The "背景" page: the background picture's path (typed, dropped onto the field or chosen in the file
// chooser), folder mode, position and opacity, all usable only while the picture is shown.
#include <windows.h>
#include <commctrl.h>
#include <commdlg.h>
#include <shellapi.h>

#include <string>

#include "../../resources/settings_resource.h"
#include "platform/wide_win.h"
#include "settings_dialog/settings_page_win.h"
#include "store/attachments.h"

namespace tavrin {
namespace {

// Long enough for any path a drop or the file chooser can give; OK cuts it to the setting's length.
constexpr DWORD kPathBufferLength = 32768;

// A file dropped onto the path field puts its path there.
LRESULT CALLBACK PathFieldProc(HWND field, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                               DWORD_PTR) {
    if (message == WM_DROPFILES) {
        auto drop = reinterpret_cast<HDROP>(wParam);
        std::u16string path(kPathBufferLength, u'\0');
        const UINT length = DragQueryFileW(drop, 0, WideBuffer(path), kPathBufferLength);
        DragFinish(drop);
        if (length > 0) {
            path.resize(length);
            SetWindowTextW(field, Wide(path));
            SendMessageW(field, EM_SETSEL, 0, -1);
        }
        return 0;
    }
    if (message == WM_NCDESTROY) {
        RemoveWindowSubclass(field, PathFieldProc, id);
    }
    return DefSubclassProc(field, message, wParam, lParam);
}

class BackgroundPage final : public FieldPage {
public:
    explicit BackgroundPage(SheetState& sheet) : FieldPage(sheet, SettingsPage::kBackground) {}

protected:
    void FillLists() override {
        FillCombo(IDC_BACK_MODE, BackImageModeChoices());
        HWND path = Item(IDC_BACK_PATH);
        DragAcceptFiles(path, TRUE);
        SetWindowSubclass(path, PathFieldProc, 1, 0);
    }

    // "画像を表示する(&I)" enables every other control of the page.
    void UpdateEnabled() override {
        const BOOL shown = Checked(IDC_BACK_SHOW) ? TRUE : FALSE;
        for (HWND child = GetWindow(dialog_, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
            if (GetDlgCtrlID(child) != IDC_BACK_SHOW) {
                EnableWindow(child, shown);
            }
        }
    }

    bool OnCommand(int control, int code, HWND window) override {
        if (control == IDC_BACK_BROWSE && code == BN_CLICKED) {
            Browse();
            return true;
        }
        return FieldPage::OnCommand(control, code, window);
    }

private:
    void Browse() {
        const std::u16string filters = PictureChooserFilter();
        const std::u16string title(kFileChooserTitle);
        std::u16string file(kPathBufferLength, u'\0');
        const std::u16string current = ItemText(IDC_BACK_PATH);
        const DWORD attributes =
            current.empty() ? INVALID_FILE_ATTRIBUTES : GetFileAttributesW(Wide(current));
        const bool isFolder =
            attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
        if (!isFolder && current.size() < kPathBufferLength) {
            file.replace(0, current.size(), current);
        }
        OPENFILENAMEW open{};
        open.lStructSize = sizeof open;
        open.hwndOwner = GetParent(dialog_);
        open.lpstrFilter = Wide(filters.c_str());
        open.nFilterIndex = 1;
        open.lpstrFile = WideBuffer(file);
        open.nMaxFile = kPathBufferLength;
        open.lpstrInitialDir = isFolder ? Wide(current) : nullptr;
        open.lpstrTitle = Wide(title);
        open.Flags =
            OFN_EXPLORER | OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY | OFN_NOCHANGEDIR;
        if (GetOpenFileNameW(&open)) {
            file.resize(file.find(u'\0'));
            SetItemText(IDC_BACK_PATH, file);
        }
    }
};

}  // namespace

std::unique_ptr<SettingsPageWindow> CreateBackgroundPage(SheetState& sheet) {
    return std::make_unique<BackgroundPage>(sheet);
}

}  // namespace tavrin
