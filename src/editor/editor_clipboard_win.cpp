#include "editor/editor_clipboard_win.h"

#include <shellapi.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <utility>

#include "editor/editor_window_messages.h"

namespace tavrin {
namespace {

constexpr int kOpenAttempts = 10;
constexpr DWORD kOpenRetryMs = 10;

// The clipboard, open for the life of the scope. Another program may hold it for a moment, so
// opening is retried briefly.
class ClipboardSession {
public:
    explicit ClipboardSession(HWND owner) {
        for (int attempt = 0; attempt < kOpenAttempts && !open_; ++attempt) {
            open_ = OpenClipboard(owner) != FALSE;
            if (!open_) {
                Sleep(kOpenRetryMs);
            }
        }
    }
    ClipboardSession(const ClipboardSession&) = delete;
    ClipboardSession& operator=(const ClipboardSession&) = delete;
    ~ClipboardSession() {
        if (open_) {
            CloseClipboard();
        }
    }
    [[nodiscard]] bool Open() const noexcept { return open_; }

private:
    bool open_ = false;
};

// A movable memory block freed unless handed over to the clipboard.
class GlobalBlock {
public:
    explicit GlobalBlock(SIZE_T bytes) : handle_(GlobalAlloc(GMEM_MOVEABLE, bytes)) {}
    GlobalBlock(const GlobalBlock&) = delete;
    GlobalBlock& operator=(const GlobalBlock&) = delete;
    ~GlobalBlock() {
        if (handle_ != nullptr) {
            GlobalFree(handle_);
        }
    }
    [[nodiscard]] HGLOBAL Get() const noexcept { return handle_; }
    HGLOBAL Release() noexcept { return std::exchange(handle_, nullptr); }

private:
    HGLOBAL handle_;
};

// GlobalLock / GlobalUnlock.
class LockedBlock {
public:
    explicit LockedBlock(HGLOBAL handle)
        : handle_(handle),
          data_(handle != nullptr ? GlobalLock(handle) : nullptr),
          bytes_(data_ != nullptr ? GlobalSize(handle) : 0) {}
    LockedBlock(const LockedBlock&) = delete;
    LockedBlock& operator=(const LockedBlock&) = delete;
    ~LockedBlock() {
        if (data_ != nullptr) {
            GlobalUnlock(handle_);
        }
    }
    [[nodiscard]] void* Data() const noexcept { return data_; }
    [[nodiscard]] SIZE_T Bytes() const noexcept { return bytes_; }

private:
    HGLOBAL handle_;
    void* data_;
    SIZE_T bytes_;
};

bool PutUnits(UINT format, std::u16string_view text) {
    const SIZE_T bytes = (text.size() + 1) * sizeof(char16_t);
    GlobalBlock block(bytes);
    {
        LockedBlock locked(block.Get());
        if (locked.Data() == nullptr) {
            return false;
        }
        std::memcpy(locked.Data(), text.data(), text.size() * sizeof(char16_t));
        static_cast<char16_t*>(locked.Data())[text.size()] = u'\0';
    }
    if (SetClipboardData(format, block.Get()) == nullptr) {
        return false;
    }
    block.Release();  // the clipboard owns it now
    return true;
}

bool IsLineFormat(UINT format) {
    if (format < 0xC000) {
        return false;
    }
    wchar_t name[128] = {};
    const int length = GetClipboardFormatNameW(format, name, 128);
    const std::wstring_view found(name, static_cast<std::size_t>(std::max(length, 0)));
    return found == kLineSelectFormat || found == kLineCutCopyFormat;
}

std::optional<std::u16string> ReadText() {
    const LockedBlock locked(GetClipboardData(CF_UNICODETEXT));
    if (locked.Data() == nullptr) {
        return std::nullopt;
    }
    const auto* units = static_cast<const char16_t*>(locked.Data());
    const std::size_t capacity = locked.Bytes() / sizeof(char16_t);
    const std::size_t length = std::find(units, units + capacity, u'\0') - units;
    return std::u16string(units, length);
}

std::vector<std::u16string> ReadFiles() {
    auto* drop = static_cast<HDROP>(GetClipboardData(CF_HDROP));
    return drop != nullptr ? DroppedFilePaths(drop) : std::vector<std::u16string>();
}

}  // namespace

std::vector<std::u16string> DroppedFilePaths(HDROP drop) {
    std::vector<std::u16string> files;
    const UINT count = DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0);
    files.reserve(count);
    for (UINT i = 0; i < count; ++i) {
        const UINT length = DragQueryFileW(drop, i, nullptr, 0);
        if (length == 0) {
            continue;
        }
        std::u16string path(length, u'\0');
        if (DragQueryFileW(drop, i, reinterpret_cast<wchar_t*>(path.data()), length + 1) == length) {
            files.push_back(std::move(path));
        }
    }
    return files;
}

std::vector<std::byte> ReadClipboardBitmap(HWND owner) {
    std::vector<std::byte> bytes;
    const ClipboardSession session(owner);
    if (session.Open()) {
        const LockedBlock locked(GetClipboardData(CF_DIB));
        if (locked.Data() != nullptr) {
            const auto* begin = static_cast<const std::byte*>(locked.Data());
            bytes.assign(begin, begin + locked.Bytes());
        }
    }
    return bytes;
}

bool WinEditorClipboard::PutText(std::u16string_view text, bool wholeRow) {
    const ClipboardSession session(owner_);
    if (!session.Open() || !EmptyClipboard()) {
        return false;
    }
    if (wholeRow) {
        for (const wchar_t* name : {kLineSelectFormat, kLineCutCopyFormat}) {
            const UINT format = RegisterClipboardFormatW(name);
            if (format == 0 || !PutUnits(format, text)) {
                return false;
            }
        }
    }
    return PutUnits(CF_UNICODETEXT, text);
}

ClipboardContent WinEditorClipboard::Read() {
    ClipboardContent content;
    const ClipboardSession session(owner_);
    if (!session.Open()) {
        return content;
    }
    for (UINT format = EnumClipboardFormats(0); format != 0; format = EnumClipboardFormats(format)) {
        if (IsLineFormat(format)) {
            content.lineFormat = true;
            break;
        }
    }
    if (IsClipboardFormatAvailable(CF_UNICODETEXT)) {
        content.text = ReadText();
    }
    if (IsClipboardFormatAvailable(CF_HDROP)) {
        content.files = ReadFiles();
    }
    return content;
}

}  // namespace tavrin
