// The background picture of the main frame: loading it with GDI+ (faded into the Back colour), and
// handing it to the panes that show it behind their own content. What to load and where it goes is
// decided in background_picture.cpp.
#include <windows.h>

#include <ctime>
#include <random>

#include "editor/editor_messages.h"
#include "editor/picture_store_win.h"
#include "search/search_list_pane_win.h"
#include "ui/background_picture.h"
#include "ui/frame_window_win.h"
#include "ui/scrollbar/scroll_bar_messages.h"

namespace tavrin {
namespace {

// A uniform pick among count pictures, seeded from the current time.
std::size_t PickAtRandom(std::size_t count) {
    std::mt19937_64 generator(static_cast<std::uint64_t>(GetTickCount64()) ^
                              static_cast<std::uint64_t>(time(nullptr)));
    return std::uniform_int_distribution<std::size_t>(0, count - 1)(generator);
}

// The month the side calendar shows, which names the month's picture.
int ShownMonth(const FrameWindow& frame) {
    return frame.store ? frame.store->SelectedDate().month : frame.app.state.selectedDate.month;
}

WPARAM PackOrigin(const PicturePoint& origin) {
    return MAKEWPARAM(static_cast<WORD>(static_cast<SHORT>(origin.y)),
                      static_cast<WORD>(static_cast<SHORT>(origin.x)));
}

// The search list and its scroll bar: the picture seen from the list's and the bar's own left edges.
void PlaceInSearchList(const FrameWindow& frame, const Surface* picture) {
    if (HWND list = frame.app.shell.searchList) {
        const PicturePoint origin = OriginInPane(frame.backOrigin, frame.scene.layout.searchList);
        SetSearchListBackground(list, picture, POINT{origin.x, origin.y});
    }
    HWND bar = frame.app.shell.searchScroll;
    if (bar == nullptr) {
        return;
    }
    const PictureExtent size = picture ? PictureExtent{picture->Width(), picture->Height()} : PictureExtent{};
    SendMessageW(bar, SBP_SETBACKIMAGE, reinterpret_cast<WPARAM>(picture ? picture->Dc() : nullptr),
                 reinterpret_cast<LPARAM>(&size));
    if (picture == nullptr) {
        return;
    }
    RECT barClient{};
    GetClientRect(bar, &barClient);
    const PicturePoint origin =
        OriginInSearchScrollBar(frame.backOrigin, frame.scene.layout.searchList, barClient.right);
    SendMessageW(bar, SBP_SETBACKIMAGEPOS, PackOrigin(origin), 0);
}

}  // namespace

bool BackgroundShown(const FrameWindow& frame) noexcept {
    return frame.backPicture != nullptr && frame.backPicture->Valid();
}

bool LoadBackgroundPicture(FrameWindow& frame, bool repaint) {
    AppState& state = frame.app.state;
    BackImageSettings& back = state.settings.backImage;
    if (!back.showBackImage) {
        frame.backPicture.reset();
    } else {
        back.path = WithoutTrailingBackslashes(back.path);
        const std::optional<std::filesystem::path> file =
            ChooseBackgroundFile(*frame.app.fs, back.path, back.mode, ShownMonth(frame), PickAtRandom);
        if (!file) {
            return false;
        }
        auto loaded = std::make_unique<Surface>();
        if (LoadPictureToSurface(frame.window, *loaded, file->u16string(),
                                 static_cast<COLORREF>(state.settings.colour.back),
                                 back.alpha) != PictureLoad::Loaded) {
            return false;
        }
        frame.backPicture = std::move(loaded);
    }
    PlaceBackgroundPicture(frame);
    if (repaint) {
        Relayout(frame);  // the search box is shown or hidden by whether a picture lies behind it
        InvalidateFrame(frame, kInvalidateAll);
    }
    return true;
}

void PlaceBackgroundPicture(FrameWindow& frame) {
    HWND editor = frame.app.shell.editor;
    if (!BackgroundShown(frame)) {
        if (editor != nullptr) {
            SendMessageW(editor, MEP_SETBACKIMAGE, 0, 0);
        }
        PlaceInSearchList(frame, nullptr);
        return;
    }
    const Surface& picture = *frame.backPicture;
    RECT client{};
    GetClientRect(frame.window, &client);
    const BackImageSettings& back = frame.app.state.settings.backImage;
    frame.backOrigin = BackgroundOrigin(client.right, client.bottom, picture.Width(), picture.Height(),
                                        back.posX, back.posY);
    const PictureExtent size{picture.Width(), picture.Height()};
    if (editor != nullptr) {
        SendMessageW(editor, MEP_SETBACKIMAGE, reinterpret_cast<WPARAM>(picture.Dc()),
                     reinterpret_cast<LPARAM>(&size));
        SendMessageW(editor, MEP_SETBACKIMAGEPOS,
                     PackOrigin(OriginInPane(frame.backOrigin, frame.scene.layout.editor)), 0);
    }
    PlaceInSearchList(frame, &picture);
}

void ReleaseBackgroundPicture(FrameWindow& frame) {
    frame.backPicture.reset();
    PlaceBackgroundPicture(frame);
}

}  // namespace tavrin
