// Sounds and movies in entries, played by the real tavrin.exe and heard through the test audio sink:
// auto-play, clicks that play and stop, the fade-out when the day changes, a movie over its row that
// follows scrolling and seeks from its bar, pausing on the picture, and files that cannot play.
#include <windows.h>

#include <vfw.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "driver_win.h"
#include "mediagen/media_samples.h"
#include "portable_folder_win.h"
#include "running_tavrin_win.h"
#include "sink_recorder_win.h"
#include "ui/scrollbar/scroll_bar_messages.h"

namespace tavrin::e2e {
namespace {

constexpr int kPrevDay = 41024;
constexpr double kLoud = 2000;  // RMS of the tone at full volume is about 9,300
constexpr double kSilent = 100;

std::vector<std::byte> Bytes(const std::string& text) {
    std::vector<std::byte> bytes;
    for (const char c : text) {
        bytes.push_back(static_cast<std::byte>(c));
    }
    return bytes;
}

// A portable folder whose diary has today's entry (lines separated by LF) and the given files in its
// data folder, started with the given [Other] settings.
class MediaDiary {
public:
    MediaDiary(const std::u16string& entry, const std::u16string& settings) {
        const DiaryDate today = Today();
        folder.WriteDiary(L"RaRorir", {{today.year * 100 + today.month, {{today.day, entry}}}});
        data = folder.path() / L"RaRorir" / L"data";
        std::filesystem::create_directories(data);
        folder.WriteSettings(u"[Other]\r\nNoAnimation=1\r\nDiaryTitle=0\r\n" + settings);
    }
    void Put(const wchar_t* name, const std::vector<std::byte>& bytes) const {
        folder.WriteFileBytes(data / name, bytes);
    }

    PortableFolder folder;
    std::filesystem::path data;
};

// The running program, its editor and the editor's player window.
class Running : public RunningTavrin {
public:
    explicit Running(const MediaDiary& diary) : RunningTavrin(diary.folder) {
        if (Editor()) {
            drive::WaitFor(
                [this] { return (player_ = drive::FindChild(Editor(), L"MCIWndClass")) != nullptr; },
                kTimeoutMs);
        }
    }
    [[nodiscard]] bool Ready() const { return RunningTavrin::Ready() && player_; }
    [[nodiscard]] HWND Player() const { return player_; }
    [[nodiscard]] bool Alive() const { return Process().Running(); }

    [[nodiscard]] LRESULT AskPlayer(UINT message) const {
        DWORD_PTR result = 0;
        SendMessageTimeoutW(player_, message, 0, 0, SMTO_NORMAL, 5000, &result);
        return static_cast<LRESULT>(result);
    }
    [[nodiscard]] LRESULT Mode() const { return AskPlayer(MCIWNDM_GETMODEW); }
    [[nodiscard]] bool WaitForMode(LRESULT mode) const {
        return drive::WaitFor([&] { return Mode() == mode; }, kTimeoutMs);
    }
    // The player window in the editor's client pixels.
    [[nodiscard]] RECT PlayerRect() const {
        RECT rect{};
        GetWindowRect(player_, &rect);
        MapWindowPoints(nullptr, Editor(), reinterpret_cast<POINT*>(&rect), 2);
        return rect;
    }
    [[nodiscard]] int ScrollOffset() const {
        HWND bar = drive::FindChild(Editor(), kScrollBarPaneClassName);
        DWORD_PTR position = 0;
        SendMessageTimeoutW(bar, SBP_GETPOS, 0, 0, SMTO_NORMAL, 5000, &position);
        return static_cast<int>(position);
    }

private:
    HWND player_ = nullptr;
};

// The loudest of the 50 ms blocks between two points of the recording.
double LoudestBlock(const SinkRecorder& sink, double from, double to) {
    double loudest = 0;
    for (double at = from; at + 0.05 <= to + 1e-9; at += 0.05) {
        loudest = std::max(loudest, media::Rms(sink.Slice(at, at + 0.05)));
    }
    return loudest;
}

// Asserts that a second of the recording from the point holds the tone at 440 Hz.
void ExpectTone(const SinkRecorder& sink, double from, const char* when) {
    sink.WaitUntil(from + 1.0);
    const std::vector<std::int16_t> heard = sink.Slice(from, from + 1.0);
    EXPECT_GT(media::Rms(heard), kLoud) << when;
    EXPECT_NEAR(media::DominantFrequency(heard, SinkRecorder::kRate), 440, 4) << when;
}

// Where the first row of the entry lies: the editor's margins are 20, 10, 20, 10 and its scroll bar
// 16 pixels wide; a movie row is as wide as the text and 16:9 above its control strip.
struct MovieRow {
    int width = 0;
    int pictureHeight = 0;  // 16:9 of the width; the control strip lies below

    explicit MovieRow(HWND editor) {
        RECT client{};
        GetClientRect(editor, &client);
        width = std::max(200, static_cast<int>(client.right) - 16 - 20 - 20 + 2);
        pictureHeight = static_cast<int>(width / 16.0 * 9);
    }
};

// The screen's pixels of a window's client area (0x00RRGGBB), row by row.
std::vector<std::uint32_t> ClientPixels(HWND window, int& width, int& height) {
    RECT client{};
    GetClientRect(window, &client);
    width = client.right;
    height = client.bottom;
    POINT origin{0, 0};
    ClientToScreen(window, &origin);
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    std::vector<std::uint32_t> pixels(static_cast<std::size_t>(width) * static_cast<std::size_t>(height));
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, width, height);
    HGDIOBJ old = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, width, height, screen, origin.x, origin.y, SRCCOPY);
    SelectObject(memory, old);
    GetDIBits(memory, bitmap, 0, static_cast<UINT>(height), pixels.data(), &info, DIB_RGB_COLORS);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return pixels;
}

int Brightness(std::uint32_t pixel) {
    return static_cast<int>(((pixel >> 16) & 0xFF) + ((pixel >> 8) & 0xFF) + (pixel & 0xFF));
}

// The object rows the screen shows down the left edge of the boxes: each band of pixels that are not
// the white background, as [top, bottom).
std::vector<std::pair<int, int>> ObjectBands(HWND editor) {
    int width = 0;
    int height = 0;
    const std::vector<std::uint32_t> pixels = ClientPixels(editor, width, height);
    std::vector<std::pair<int, int>> bands;
    int top = -1;
    for (int y = 0; y <= height; ++y) {
        const bool inside =
            y < height && (pixels[static_cast<std::size_t>(y) * width + 24] & 0xFFFFFF) != 0xFFFFFF;
        if (inside && top < 0) {
            top = y;
        } else if (!inside && top >= 0) {
            bands.emplace_back(top, y);
            top = -1;
        }
    }
    return bands;
}

// The seek bar of the playing movie as the screen shows it: in the control strip below the picture,
// the longest run of pixels clearly darker than the strip's own colour. Its row and its first and
// last x.
struct SeekBarRun {
    int y = 0;
    int left = 0;
    int right = -1;
};
SeekBarRun FindSeekBar(HWND editor, const MovieRow& row) {
    int width = 0;
    int height = 0;
    const std::vector<std::uint32_t> pixels = ClientPixels(editor, width, height);
    SeekBarRun best;
    const int stripTop = 10 + row.pictureHeight;
    for (int y = stripTop + 4; y < std::min(height, stripTop + 40); ++y) {
        const auto at = [&](int x) { return pixels[static_cast<std::size_t>(y) * width + x]; };
        const int strip = Brightness(at(24));
        int start = -1;
        for (int x = 24; x < std::min(width, 20 + row.width); ++x) {
            const bool dark = Brightness(at(x)) < strip - 24;
            if (dark && start < 0) {
                start = x;
            }
            if ((!dark || x + 1 == std::min(width, 20 + row.width)) && start >= 0) {
                const int end = dark ? x : x - 1;
                if (end - start > best.right - best.left) {
                    best = {y, start, end};
                }
                start = -1;
            }
        }
    }
    return best;
}

TEST(Media, AutoPlayPlaysTheFirstSoundAndMovingToAnotherDayFadesItOut) {
    if (const std::string missing = AudioSinkMissing(); !missing.empty()) {
        GTEST_SKIP() << missing;
    }
    MediaDiary diary(u"音の日記\n[[photo.png]]\n[[tone.wav]]\n[[other.wav]]", u"AutoPlay=1\r\n");
    diary.Put(L"tone.wav", media::ToneWav(440, 20000));
    diary.Put(L"other.wav", media::ToneWav(660, 20000));
    SinkRecorder sink;
    ASSERT_TRUE(sink.Start()) << "the sink's monitor can be recorded";
    Running tavrin(diary);
    ASSERT_TRUE(tavrin.Ready());
    ASSERT_TRUE(tavrin.WaitForMode(MCI_MODE_PLAY)) << "the first sound starts by itself";
    ExpectTone(sink, sink.Seconds() + 0.3, "the entry's first sound, not the second");

    drive::SendCommand(tavrin.Frame(), kPrevDay);
    const double moved = sink.Seconds();
    const ULONGLONG start = GetTickCount64();
    ASSERT_TRUE(drive::WaitFor([&] { return tavrin.Mode() == MCI_MODE_NOT_READY; }, kTimeoutMs));
    const ULONGLONG fadeMs = GetTickCount64() - start;
    EXPECT_GE(fadeMs, 400u) << "ten steps of 50 ms, not a stop at once";
    EXPECT_LE(fadeMs, 900u) << "about half a second";
    sink.WaitUntil(moved + 1.5);
    EXPECT_GT(LoudestBlock(sink, moved + 0.1, moved + 0.3), kLoud) << "it sounds on while it fades";
    EXPECT_LT(LoudestBlock(sink, moved + 0.75, moved + 1.5), kSilent) << "silent about half a second later";
    EXPECT_EQ(tavrin.Close(), 0u);
}

TEST(Media, WithoutAutoPlayOnlyAClickPlaysTheSoundAndASecondClickStopsIt) {
    if (const std::string missing = AudioSinkMissing(); !missing.empty()) {
        GTEST_SKIP() << missing;
    }
    MediaDiary diary(u"[[tone.wav]]\n静かな日", u"AutoPlay=0\r\n");
    diary.Put(L"tone.wav", media::ToneWav(440, 20000));
    SinkRecorder sink;
    ASSERT_TRUE(sink.Start());
    Running tavrin(diary);
    ASSERT_TRUE(tavrin.Ready());
    const double shown = sink.Seconds();
    sink.WaitUntil(shown + 1.5);
    EXPECT_LT(LoudestBlock(sink, shown, shown + 1.5), kSilent) << "nothing plays by itself";
    EXPECT_EQ(tavrin.Mode(), MCI_MODE_NOT_READY);

    // The sound row is the first row: its bar starts at the top margin.
    drive::Click(tavrin.Editor(), 120, 20);
    ASSERT_TRUE(tavrin.WaitForMode(MCI_MODE_PLAY));
    ExpectTone(sink, sink.Seconds() + 0.3, "after the click");

    drive::Click(tavrin.Editor(), 120, 20);
    const double stopped = sink.Seconds();
    sink.WaitUntil(stopped + 1.0);
    EXPECT_LT(LoudestBlock(sink, stopped + 0.3, stopped + 1.0), kSilent) << "the second click stops it";
    EXPECT_EQ(tavrin.Mode(), MCI_MODE_NOT_READY);
    EXPECT_EQ(tavrin.Close(), 0u);
}

TEST(Media, AMovieLiesOverItsRowFollowsScrollingSeeksFromItsBarAndPausesOnThePicture) {
    std::u16string entry = u"[[clip.avi]]";
    for (int line = 1; line <= 80; ++line) {
        entry += u"\n行 " + std::u16string(1, static_cast<char16_t>(u'0' + line % 10));
    }
    MediaDiary diary(entry, u"AutoPlay=1\r\n");
    // Ten seconds of bright frames that change colour every second.
    diary.Put(L"clip.avi", media::TestMovie(64, 36, 100, 10, [](int x, int, int frame) {
                  return frame / 10 % 2 == 0 ? 0xF0C040u : 0x40C0F0u + static_cast<std::uint32_t>(x);
              }));
    Running tavrin(diary);
    ASSERT_TRUE(tavrin.Ready());
    ASSERT_TRUE(tavrin.WaitForMode(MCI_MODE_PLAY)) << "a movie auto-plays too";
    ASSERT_TRUE(drive::WaitFor([&] { return IsWindowVisible(tavrin.Player()) != FALSE; }, kTimeoutMs));
    EXPECT_EQ(tavrin.AskPlayer(MCIWNDM_GETLENGTH), 10000) << "lengths are milliseconds";

    const MovieRow row(tavrin.Editor());
    const RECT placed = tavrin.PlayerRect();
    EXPECT_EQ(placed.left, 22) << "inside the row's padding";
    EXPECT_EQ(placed.top, 12);
    EXPECT_EQ(placed.right, 22 + row.width - 2);
    EXPECT_EQ(placed.bottom, 12 + row.pictureHeight - 4) << "above the control strip";
    Sleep(500);
    int width = 0;
    int height = 0;
    const std::vector<std::uint32_t> pixels = ClientPixels(tavrin.Editor(), width, height);
    const std::uint32_t centre =
        pixels[static_cast<std::size_t>(12 + row.pictureHeight / 2) * width + row.width / 2];
    EXPECT_GT(Brightness(centre), 300) << "the movie's picture shows over the row, not the black area";

    SendMessageW(tavrin.Editor(), EM_LINESCROLL, 4, 0);  // the editor takes the lines in wParam
    const int offset = tavrin.ScrollOffset();
    EXPECT_GT(offset, 0);
    EXPECT_TRUE(drive::WaitFor([&] { return tavrin.PlayerRect().top == 12 - offset; }, 5000))
        << "the window moves with its row";
    SendMessageW(tavrin.Editor(), EM_LINESCROLL, static_cast<WPARAM>(-4), 0);
    EXPECT_TRUE(drive::WaitFor([&] { return tavrin.PlayerRect().top == 12; }, 5000));

    // The strip is painted when the editor gets to it after the scrolling.
    SeekBarRun bar;
    drive::WaitFor(
        [&] {
            bar = FindSeekBar(tavrin.Editor(), row);
            return bar.right - bar.left > 100;
        },
        5000);
    ASSERT_GT(bar.right - bar.left, 100) << "a seek bar is drawn in the control strip";
    drive::Click(tavrin.Editor(), (bar.left + bar.right) / 2, bar.y);
    const LRESULT position = tavrin.AskPlayer(MCIWNDM_GETPOSITIONW);
    EXPECT_GE(position, 4800) << "the middle of the bar is half the length";
    EXPECT_LE(position, 5600);
    EXPECT_TRUE(tavrin.WaitForMode(MCI_MODE_PLAY)) << "and it plays on";

    const RECT player = tavrin.PlayerRect();
    drive::Click(tavrin.Player(), (player.right - player.left) / 2, (player.bottom - player.top) / 2);
    EXPECT_TRUE(tavrin.WaitForMode(MCI_MODE_PAUSE)) << "a click on the picture pauses";
    drive::Click(tavrin.Player(), (player.right - player.left) / 2, (player.bottom - player.top) / 2);
    EXPECT_TRUE(tavrin.WaitForMode(MCI_MODE_PLAY)) << "another resumes";

    // A click on the strip outside the bar stops the movie and takes its window away.
    drive::Click(tavrin.Editor(), 30, bar.y);
    EXPECT_TRUE(tavrin.WaitForMode(MCI_MODE_NOT_READY));
    EXPECT_FALSE(IsWindowVisible(tavrin.Player()));
    EXPECT_EQ(tavrin.Close(), 0u);
}

TEST(Media, FilesThatCannotPlayLeaveNothingPlayingAndShowNoMessage) {
    std::u16string entry = u"[[missing.wav]]\n[[text.wav]]\n[[empty.wav]]\n[[flat.avi]]";
    for (int sound = 0; sound < 46; ++sound) {
        entry += u"\n[[tone.wav]]";
    }
    MediaDiary diary(entry, u"AutoPlay=1\r\n");
    diary.Put(L"text.wav", Bytes("this is not a sound"));
    diary.Put(L"empty.wav", media::ToneWav(440, 0));
    diary.Put(L"tone.wav", media::ToneWav(440, 3000));
    // A movie whose header says it is 0 pixels wide.
    std::vector<std::byte> flat = media::TestMovie(16, 16, 10, 10, [](int, int, int) { return 0x808080u; });
    for (std::size_t at = 0; at + 8 < flat.size(); ++at) {
        if (std::memcmp(flat.data() + at, "strf", 4) == 0) {
            std::fill_n(flat.begin() + static_cast<std::ptrdiff_t>(at) + 12, 4, std::byte{0});
        }
        if (std::memcmp(flat.data() + at, "avih", 4) == 0) {
            std::fill_n(flat.begin() + static_cast<std::ptrdiff_t>(at) + 8 + 32, 4, std::byte{0});
        }
    }
    diary.Put(L"flat.avi", flat);

    Running tavrin(diary);
    ASSERT_TRUE(tavrin.Ready());
    Sleep(1000);
    EXPECT_NE(tavrin.Mode(), MCI_MODE_PLAY) << "the missing first sound is not played";
    const std::vector<std::pair<int, int>> rows = ObjectBands(tavrin.Editor());
    ASSERT_GE(rows.size(), 4u) << "the bars of the first rows are on the screen";
    for (int row = 0; row < 3; ++row) {
        drive::Click(tavrin.Editor(), 120, (rows[row].first + rows[row].second) / 2);
        Sleep(300);
        EXPECT_NE(tavrin.Mode(), MCI_MODE_PLAY) << "row " << row;
    }
    // The movie row with its zero width: whatever the player makes of it, nothing breaks.
    drive::Click(tavrin.Editor(), 120, rows[3].second - 8);
    Sleep(500);
    EXPECT_FALSE(drive::WaitForMessageBox(tavrin.Id(), 500)) << "no message for a file that cannot play";
    EXPECT_TRUE(tavrin.Alive());

    // The last of the fifty rows still plays.
    SendMessageW(tavrin.Editor(), EM_LINESCROLL, 1000, 0);
    RECT client{};
    GetClientRect(tavrin.Editor(), &client);
    drive::Click(tavrin.Editor(), 120, client.bottom - 22);
    EXPECT_TRUE(drive::WaitFor(
        [&] { return tavrin.Mode() == MCI_MODE_PLAY || tavrin.Mode() == MCI_MODE_STOP; }, kTimeoutMs))
        << "the last sound row opens";
    EXPECT_EQ(tavrin.Close(), 0u);
}

}  // namespace
}  // namespace tavrin::e2e
