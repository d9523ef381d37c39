// Files and pictures that become part of the entry: dropped files, the clipboard's file lists and
// bitmaps, the insert-file chooser, and opening an attachment by a double click. The decisions are in
// store/attachments.* and store/file_drop.*; this file reads the clipboard and the drop, saves pictures
// and talks to the editor.
#include <windows.h>
#include <commdlg.h>
#include <shellapi.h>

#include <algorithm>
#include <optional>
#include <vector>

#include "app/error_messages.h"
#include "app/modal_scope_win.h"
#include "editor/editor_clipboard_win.h"
#include "editor/editor_messages.h"
#include "platform/wide_win.h"
#include "store/attachments.h"
#include "store/file_drop.h"
#include "ui/frame_window_win.h"
#include "ui/packed_dib.h"
#include "ui/picture_file_win.h"

namespace tavrin {
namespace {

// Paths handed to and from the file chooser are at most this long.
constexpr DWORD kChooserPathMax = 32768;

// The system's own words for an error code, on one line; empty when it has none.
std::u16string SystemErrorText(std::uint32_t code) {
    wchar_t* buffer = nullptr;
    const DWORD length = FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
        code, 0, reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
    std::u16string text;
    if (buffer != nullptr) {
        text = FromWide(std::wstring_view(buffer, length));
        LocalFree(buffer);
    }
    while (!text.empty() && (text.back() == u'\r' || text.back() == u'\n' || text.back() == u' ')) {
        text.pop_back();
    }
    return text;
}

// Shows the error with the system's reason under its detail, so that the user learns why (a file held
// by another program, a full disk, no right to write there).
void ReportAttachError(const FrameWindow& frame, UserError error) {
    if (error.systemError != 0) {
        const std::u16string reason = SystemErrorText(error.systemError);
        if (!reason.empty()) {
            error.detail += u"\r\n\r\n" + reason;
        }
    }
    ShowUserError(frame.window, error);
}

bool EditorReadOnly(const FrameWindow& frame) {
    return SendMessageW(frame.app.shell.editor, MEP_GETREADONLY, 0, 0) != 0;
}

bool InEditMode(const FrameWindow& frame) {
    return frame.app.state.displayMode == DisplayMode::kEdit && frame.store != nullptr;
}

AttachmentPlace PlaceOf(const FrameWindow& frame) {
    return {frame.store->DiaryFolder(), frame.store->DataFolder(), frame.store->SelectedDate()};
}

AttachmentOptions OptionsOf(const OtherSettings& other) {
    return {CopyModeOf(other.imageCopySave), CopyModeOf(other.soundCopySave),
            CopyModeOf(other.movieCopySave)};
}

void MakeDataFolderCurrent(const FrameWindow& frame) {
    SetCurrentDirectoryW(frame.store->DataFolder().c_str());
}

void InsertReference(const FrameWindow& frame, const std::u16string& name) {
    SendMessageW(frame.app.shell.editor, MEP_INSERTREF, reinterpret_cast<WPARAM>(Wide(name)), 0);
}

// Attaches the files and gives the entry their reference lines, all of them or none. An entry that
// may not be changed (the edit lock) gets nothing and no file is touched.
void AttachAndInsert(FrameWindow& frame, std::span<const AttachRequest> files) {
    if (EditorReadOnly(frame)) {
        return;
    }
    const AttachOutcome outcome =
        AttachFiles(*frame.app.fs, PlaceOf(frame), OptionsOf(frame.app.state.settings.other), files);
    if (outcome.filesPlaced) {
        MakeDataFolderCurrent(frame);
    }
    if (outcome.error) {
        ReportAttachError(frame, *outcome.error);
        return;
    }
    for (const std::u16string& reference : outcome.references) {
        InsertReference(frame, reference);
    }
}

// A picture dropped on the frame outside the editor becomes the background, and the settings keep it
// only when it could be shown.
void MakeBackground(FrameWindow& frame, const std::u16string& file) {
    BackImageSettings& back = frame.app.state.settings.backImage;
    const BackImageSettings previous = back;
    back.showBackImage = 1;
    back.path = file;
    if (!LoadBackgroundPicture(frame, true)) {
        back = previous;
    }
}

void RunDropPlan(FrameWindow& frame, const DropPlan& plan) {
    switch (plan.action) {
        case DropAction::kNothing:
            return;
        case DropAction::kBackground:
            MakeBackground(frame, plan.background);
            return;
        case DropAction::kInsertText:
            SendMessageW(frame.app.shell.editor, EM_REPLACESEL, TRUE,
                         reinterpret_cast<LPARAM>(Wide(plan.text)));
            return;
        case DropAction::kAttach:
            AttachAndInsert(frame, plan.files);
            return;
    }
}

// Saves the clipboard's bitmap to target without ever replacing a file: it is written beside the
// target first and then moved into a name nobody has taken meanwhile. Nothing on success, else the
// system's error code (0 when the picture itself could not be read or encoded).
std::optional<std::uint32_t> SaveClipboardPicture(FrameWindow& frame, const std::filesystem::path& target) {
    const std::vector<std::byte> packed = ReadClipboardBitmap(frame.window);
    const std::optional<PackedDibLayout> layout = MeasurePackedDib(packed);
    if (!layout) {
        return 0u;
    }
    FileSystem& fs = *frame.app.fs;
    const OtherSettings& other = frame.app.state.settings.other;
    const std::filesystem::path written = TemporaryPathFor(target);
    if (!SavePackedDibAsPicture(fs, packed, *layout, written.u16string(), other.defaultImageFormat,
                                other.jpegQuality)) {
        (void)fs.Remove(written);
        return 0u;
    }
    if (!fs.Move(written, target)) {
        const std::uint32_t code = fs.LastError();
        (void)fs.Remove(written);
        return code;
    }
    return std::nullopt;
}

void PastePicture(FrameWindow& frame) {
    if (EditorReadOnly(frame)) {
        return;
    }
    if (SendMessageW(frame.app.shell.editor, MEP_CANADDPICTURE, 0, 0) == 0) {
        ShowUserError(frame.window, PictureLimitError());
        return;
    }
    const PreparedPicture prepared =
        PreparePicturePaste(*frame.app.fs, PlaceOf(frame), frame.app.state.settings.other.defaultImageFormat);
    if (prepared.error) {
        ReportAttachError(frame, *prepared.error);
        return;
    }
    MakeDataFolderCurrent(frame);
    if (const std::optional<std::uint32_t> failure = SaveClipboardPicture(frame, prepared.target->file)) {
        ReportAttachError(frame, PictureSaveError(prepared.target->file, *failure));
        return;
    }
    InsertReference(frame, prepared.target->name);
}

}  // namespace

void DropFiles(FrameWindow& frame, HDROP drop) {
    const std::vector<std::u16string> paths = DroppedFilePaths(drop);
    POINT point{};
    const bool inClient = DragQueryPoint(drop, &point) != FALSE;
    DragFinish(drop);
    if (!frame.app.state.startupDone || !InEditMode(frame)) {
        return;
    }
    SetForegroundWindow(frame.window);
    const bool outsideEditor = !inClient || !frame.scene.layout.editor.Contains(point.x, point.y);
    RunDropPlan(frame, PlanDrop(paths, outsideEditor, GetKeyState(VK_CONTROL) < 0));
}

void PasteFromClipboard(FrameWindow& frame) {
    if (!InEditMode(frame)) {
        return;
    }
    const PasteSource source = ChoosePasteSource(IsClipboardFormatAvailable(CF_UNICODETEXT) != FALSE,
                                                 IsClipboardFormatAvailable(CF_HDROP) != FALSE,
                                                 IsClipboardFormatAvailable(CF_DIB) != FALSE);
    switch (source) {
        case PasteSource::kNothing:
            return;
        case PasteSource::kText:
            PostMessageW(frame.app.shell.editor, WM_PASTE, 0, 0);
            return;
        case PasteSource::kFileList: {
            const std::vector<std::u16string> files = WinEditorClipboard(frame.window).Read().files;
            RunDropPlan(frame, PlanDrop(files, false, false));
            return;
        }
        case PasteSource::kPicture:
            PastePicture(frame);
            return;
    }
}

void InsertFileCommand(FrameWindow& frame) {
    if (!InEditMode(frame) || EditorReadOnly(frame)) {
        return;
    }
    const std::u16string filter = FileChooserFilter();
    std::vector<wchar_t> file(kChooserPathMax, L'\0');
    OPENFILENAMEW chooser{};
    chooser.lStructSize = sizeof chooser;
    chooser.hwndOwner = frame.window;
    chooser.lpstrFilter = Wide(filter);
    chooser.nFilterIndex =
        static_cast<DWORD>(std::max(frame.app.state.settings.system.fileOpenFilterNumber, 0));
    chooser.lpstrFile = file.data();
    chooser.nMaxFile = kChooserPathMax;
    const std::u16string title(kFileChooserTitle);
    chooser.lpstrTitle = Wide(title);
    chooser.lpstrDefExt = L"txt";
    chooser.Flags = OFN_EXPLORER | OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY | OFN_NOCHANGEDIR;
    {
        const ModalScope modal;
        if (!GetOpenFileNameW(&chooser)) {
            return;
        }
    }
    frame.app.state.settings.system.fileOpenFilterNumber = static_cast<int>(chooser.nFilterIndex);
    const std::u16string path = FromWide(file.data());
    const FileKind kind = FileKindOfPath(path);
    if (kind == FileKind::kOther) {
        SendMessageW(frame.app.shell.editor, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(Wide(path)));
        return;
    }
    const AttachRequest request{path, kind};
    AttachAndInsert(frame, std::span(&request, 1));
}

void OpenObjectAtCursor(FrameWindow& frame) {
    if (!InEditMode(frame)) {
        return;
    }
    HWND editor = frame.app.shell.editor;
    POINT cursor{};
    GetCursorPos(&cursor);
    ScreenToClient(editor, &cursor);
    wchar_t buffer[256] = {};
    const LRESULT length = SendMessageW(editor, MEP_GETOBJECTNAME, reinterpret_cast<WPARAM>(&cursor),
                                        reinterpret_cast<LPARAM>(buffer));
    if (length <= 0) {
        return;
    }
    const std::u16string name = FromWide(std::wstring_view(buffer, static_cast<std::size_t>(length)));
    const std::filesystem::path file = AttachmentFilePath(name, frame.store->DataFolder());
    if (!frame.app.fs->Exists(file)) {
        ShowErrorMessage(frame.window, kErrorFileNotFound, name);
        return;
    }
    const auto result = reinterpret_cast<INT_PTR>(
        ShellExecuteW(frame.window, nullptr, file.c_str(), nullptr, nullptr, SW_SHOWNORMAL));
    if (result <= 32) {
        const ModalScope modal;
        MessageBoxW(frame.window, Wide(OpenAttachmentFailedText(name)),
                    Wide(ComposeErrorCaption(static_cast<std::uint32_t>(result))), MB_OK | MB_ICONWARNING);
    }
}

}  // namespace tavrin
