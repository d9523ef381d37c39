#include "host_support_win.h"

// GDI+ needs the COM declarations first.
#include <objidl.h>

#include <gdiplus.h>

#include <algorithm>
#include <memory>
#include <utility>

#include "app/app_state.h"
#include "app/settings.h"
#include "editor/markup_edit_pane_win.h"
#include "platform/wide_win.h"
#include "ui/scrollbar/gdi_handles_win.h"

namespace tavrin::host {
namespace {

constexpr wchar_t kHostClassName[] = L"TavrinEditorHost";

bool PngEncoder(CLSID& encoder) {
    UINT count = 0;
    UINT bytes = 0;
    if (Gdiplus::GetImageEncodersSize(&count, &bytes) != Gdiplus::Ok || bytes == 0) {
        return false;
    }
    std::vector<BYTE> buffer(bytes);
    auto* encoders = reinterpret_cast<Gdiplus::ImageCodecInfo*>(buffer.data());
    if (Gdiplus::GetImageEncoders(count, bytes, encoders) != Gdiplus::Ok) {
        return false;
    }
    for (UINT i = 0; i < count; ++i) {
        if (std::wstring_view(encoders[i].MimeType) == L"image/png") {
            encoder = encoders[i].Clsid;
            return true;
        }
    }
    return false;
}

bool SavePng(Gdiplus::Bitmap& bitmap, const std::filesystem::path& file) {
    CLSID encoder{};
    return PngEncoder(encoder) && bitmap.Save(file.wstring().c_str(), &encoder, nullptr) == Gdiplus::Ok;
}

}  // namespace

GdiplusSession::GdiplusSession() {
    Gdiplus::GdiplusStartupInput input;
    started_ = Gdiplus::GdiplusStartup(&token_, &input, nullptr) == Gdiplus::Ok;
}

GdiplusSession::~GdiplusSession() {
    if (started_) {
        Gdiplus::GdiplusShutdown(token_);
    }
}

DisplayStyle DefaultStyle(int alphaPercent, bool dropShadow) {
    const Settings settings;
    DisplayStyle record;
    const std::u16string& face = settings.edit.fontName;
    std::copy_n(face.begin(), std::min<std::size_t>(face.size(), 63), record.faceName.begin());
    record.fontSize = settings.edit.fontSize;
    record.fontSizeHead = settings.edit.fontSizeHead;
    const ColourSettings& colours = settings.colour;
    const std::pair<int, ColorRef> slots[] = {
        {kColorText, colours.text},     {kColorBack, colours.back}, {kColorSaturday, colours.saturday},
        {kColorSunday, colours.sunday}, {kColorHead, colours.head}, {kColorUrl, colours.url},
        {kColorMail, colours.mail},     {kColorFile, colours.file}};
    for (const auto& [slot, colour] : slots) {
        record.colors[static_cast<std::size_t>(slot)] = static_cast<std::int32_t>(colour);
        record.colorFlags[static_cast<std::size_t>(slot)] = 1;
    }
    const OpacityLevels levels = ComputeOpacityLevels(alphaPercent);
    record.alpha = {levels.strong, levels.light, levels.base};
    record.textDropShadow = dropShadow ? 1 : 0;
    record.margins = {20, 10, 20, 10};
    record.caretWidth = 2;
    record.lineSpacing = settings.edit.lineSpacing;
    record.tabStop = settings.edit.tabStop;
    record.scrollLines = settings.edit.scrollLines;
    record.wordWrap = settings.edit.wordWrap;
    return record;
}

// --- Host window --------------------------------------------------------------------------------

HostWindow::HostWindow(HINSTANCE instance, int clientWidth, int clientHeight, bool visible) {
    if (!RegisterMarkupEditPaneClass(instance)) {
        return;
    }
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = Procedure;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.lpszClassName = kHostClassName;
    RegisterClassExW(&windowClass);
    const DWORD style = WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN;
    RECT bounds{0, 0, clientWidth, clientHeight};
    AdjustWindowRectEx(&bounds, style, FALSE, 0);
    frame_ =
        CreateWindowExW(0, kHostClassName, L"Tavrin editor host", style, 40, 40, bounds.right - bounds.left,
                        bounds.bottom - bounds.top, nullptr, nullptr, instance, this);
    if (frame_ == nullptr) {
        return;
    }
    editor_ = CreateMarkupEditPane(frame_, kEditorControlId, false, RECT{0, 0, clientWidth, clientHeight});
    if (visible) {
        ShowWindow(frame_, SW_SHOWNORMAL);
        UpdateWindow(frame_);
    }
}

HostWindow::~HostWindow() {
    if (frame_ != nullptr) {
        SetWindowLongPtrW(frame_, GWLP_USERDATA, 0);
        DestroyWindow(frame_);
    }
}

std::vector<HostWindow::Notification> HostWindow::TakeNotifications() {
    return std::exchange(notifications_, {});
}

std::vector<WORD> HostWindow::TakeCodes() {
    std::vector<WORD> codes;
    for (const Notification& notification : TakeNotifications()) {
        codes.push_back(notification.code);
    }
    return codes;
}

LRESULT CALLBACK HostWindow::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    auto* host = reinterpret_cast<HostWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    switch (message) {
        case WM_SIZE:
            if (host != nullptr && host->editor_ != nullptr) {
                MoveWindow(host->editor_, 0, 0, LOWORD(lParam), HIWORD(lParam), TRUE);
            }
            return 0;
        case WM_SETFOCUS:
            if (host != nullptr && host->editor_ != nullptr) {
                SetFocus(host->editor_);
            }
            return 0;
        case WM_COMMAND:
            if (host != nullptr) {
                host->notifications_.push_back(
                    {HIWORD(wParam), LOWORD(wParam), reinterpret_cast<HWND>(lParam)});
            }
            return 0;
        case WM_VSCROLL:
            if (host != nullptr) {
                ++host->vscrolls_;
            }
            return 0;
        case WM_CLOSE:
            PostQuitMessage(0);
            return 0;
        default:
            return DefWindowProcW(window, message, wParam, lParam);
    }
}

void PumpMessages(DWORD minMs) {
    const ULONGLONG until = GetTickCount64() + minMs;
    for (;;) {
        MSG message{};
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
        if (GetTickCount64() >= until) {
            return;
        }
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    }
}

// --- Sample content -----------------------------------------------------------------------------

std::u16string SampleEntry() {
    return u"2024年5月1日（水）晴れのち曇り\n"
           u"朝から近所の公園まで散歩した。新緑がまぶしく、ツツジも見ごろを迎えている。\n"
           u"帰りに寄った喫茶店で、季節限定のケーキを食べた。ぎっしり詰まった果物がおいしい。\n"
           u"\n"
           u"*写真\n"
           u"[[sample.png]]\n"
           u"先週の写真は見つからない：\n"
           u"[[lost_photo.jpg]]\n"
           u"*メモ\n"
           u"お店の地図は https://example.jp/cafe?id=42 にある。\n"
           u"予約は cafe@example.jp へ。献立表の保存先：C:\\日記\\献立.txt\n"
           u"制御文字\u0007とタブ\tの表示、英字の下がり: gjpqy.\n"
           u"*録音\n"
           u"[[bird_song.wav]]\n"
           u"明日は雨の予報。傘を忘れないこと。";
}

bool WriteSamplePicture(const std::filesystem::path& file, int width, int height) {
    Gdiplus::Bitmap bitmap(width, height, PixelFormat32bppARGB);
    Gdiplus::Graphics graphics(&bitmap);
    graphics.SetSmoothingMode(Gdiplus::SmoothingModeAntiAlias);
    const Gdiplus::Rect sky(0, 0, width, height * 2 / 3);
    Gdiplus::LinearGradientBrush skyBrush(sky, Gdiplus::Color(255, 120, 180, 240),
                                          Gdiplus::Color(255, 220, 240, 255),
                                          Gdiplus::LinearGradientModeVertical);
    graphics.FillRectangle(&skyBrush, sky);
    Gdiplus::SolidBrush grass(Gdiplus::Color(255, 90, 170, 80));
    graphics.FillRectangle(&grass, 0, height * 2 / 3, width, height - height * 2 / 3);
    Gdiplus::SolidBrush sun(Gdiplus::Color(255, 255, 210, 80));
    graphics.FillEllipse(&sun, width * 3 / 4, height / 8, height / 4, height / 4);
    Gdiplus::SolidBrush tree(Gdiplus::Color(255, 40, 120, 50));
    graphics.FillEllipse(&tree, width / 6, height / 3, height / 3, height / 3);
    Gdiplus::SolidBrush trunk(Gdiplus::Color(255, 110, 70, 40));
    graphics.FillRectangle(&trunk, width / 6 + height / 6 - 4, height * 2 / 3 - 10, 8, 24);
    return SavePng(bitmap, file);
}

bool SaveScreenPng(const RECT& area, const std::filesystem::path& file) {
    const int width = area.right - area.left;
    const int height = area.bottom - area.top;
    if (width <= 0 || height <= 0) {
        return false;
    }
    const WindowDc screen(nullptr);
    const MemoryDc memory(screen.Get());
    const GdiObject<HBITMAP> bitmap(CreateCompatibleBitmap(screen.Get(), width, height));
    if (memory.Get() == nullptr || !bitmap) {
        return false;
    }
    {
        const SelectedObject selected(memory.Get(), bitmap.Get());
        BitBlt(memory.Get(), 0, 0, width, height, screen.Get(), area.left, area.top, SRCCOPY);
    }
    Gdiplus::Bitmap picture(bitmap.Get(), nullptr);
    return SavePng(picture, file);
}

}  // namespace tavrin::host
