// Pictures, sounds and files pasted into entries and the background picture, driven through the real
// tavrin.exe: what lands in the data folder, what the entry and its month file say, and what the window
// shows, read back pixel by pixel.
#include <windows.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include <cstring>
#include <set>
#include <string>

#include "calendar/diary_date.h"
#include "driver_win.h"
#include "platform/text.h"
#include "platform/wide_win.h"
#include "portable_folder_win.h"
#include "running_tavrin_win.h"
#include "support/jpeg_quality.h"

namespace tavrin::e2e {
namespace {

namespace fs = std::filesystem;

constexpr int kEditPaste = 41038;
constexpr int kNextMonth = 41027;
constexpr int kPrevMonth = 41022;
constexpr int kEditInsertFile = 41041;
constexpr UINT kCanAddPicture = 32851;  // MEP_CANADDPICTURE
// Controls of the system's file chooser: the file types list and the file name box (a combo box with
// an edit, or a plain edit).
constexpr int kChooserTypes = 0x470;
constexpr int kChooserName = 0x47C;
constexpr int kChooserNameEdit = 0x480;

// A 24-bit bottom-up BMP file of one colour.
std::vector<std::byte> SolidBmp(int width, int height, COLORREF colour) {
    const int stride = (width * 3 + 3) / 4 * 4;
    const DWORD pixels = static_cast<DWORD>(stride * height);
    BITMAPFILEHEADER file{};
    file.bfType = 0x4D42;
    file.bfOffBits = sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER);
    file.bfSize = file.bfOffBits + pixels;
    BITMAPINFOHEADER info{};
    info.biSize = sizeof info;
    info.biWidth = width;
    info.biHeight = height;
    info.biPlanes = 1;
    info.biBitCount = 24;
    std::vector<std::byte> bytes(file.bfSize);
    std::memcpy(bytes.data(), &file, sizeof file);
    std::memcpy(bytes.data() + sizeof file, &info, sizeof info);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            std::byte* pixel = bytes.data() + file.bfOffBits + y * stride + x * 3;
            pixel[0] = static_cast<std::byte>(GetBValue(colour));
            pixel[1] = static_cast<std::byte>(GetGValue(colour));
            pixel[2] = static_cast<std::byte>(GetRValue(colour));
        }
    }
    return bytes;
}

// The packed bitmap of the same picture, as a screenshot is put on the clipboard.
std::vector<std::byte> SolidPackedDib(int width, int height, COLORREF colour) {
    const std::vector<std::byte> file = SolidBmp(width, height, colour);
    return {file.begin() + sizeof(BITMAPFILEHEADER), file.end()};
}

bool PutOnClipboard(UINT format, const void* data, std::size_t size) {
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, size);
    if (!block) {
        return false;
    }
    std::memcpy(GlobalLock(block), data, size);
    GlobalUnlock(block);
    if (!drive::WaitFor([] { return OpenClipboard(nullptr) != FALSE; }, 5000)) {
        GlobalFree(block);
        return false;
    }
    EmptyClipboard();
    const bool put = SetClipboardData(format, block) != nullptr;
    CloseClipboard();
    if (!put) {
        GlobalFree(block);
    }
    return put;
}

// A file list as the shell's copy command puts it on the clipboard.
bool PutFilesOnClipboard(const std::vector<fs::path>& files) {
    std::wstring names;
    for (const fs::path& file : files) {
        names += file.wstring();
        names.push_back(L'\0');
    }
    names.push_back(L'\0');
    std::vector<std::byte> drop(sizeof(DROPFILES) + names.size() * sizeof(wchar_t));
    DROPFILES header{};
    header.pFiles = sizeof(DROPFILES);
    header.fWide = TRUE;
    std::memcpy(drop.data(), &header, sizeof header);
    std::memcpy(drop.data() + sizeof header, names.data(), names.size() * sizeof(wchar_t));
    return PutOnClipboard(CF_HDROP, drop.data(), drop.size());
}

bool PutBitmapOnClipboard(const std::vector<std::byte>& dib) {
    return PutOnClipboard(CF_DIB, dib.data(), dib.size());
}

std::wstring WideOf(const std::u16string& text) { return Wide(text); }

std::wstring Ymd(const DiaryDate& date) {
    return WideOf(Decimal(date.year, 4) + Decimal(date.month, 2) + Decimal(date.day, 2));
}

std::set<std::wstring> NamesIn(const fs::path& folder) {
    std::set<std::wstring> names;
    std::error_code error;
    for (const auto& entry : fs::directory_iterator(folder, error)) {
        names.insert(entry.path().filename().wstring());
    }
    return names;
}

// The running program, pasting and showing pixels.
class Running : public RunningTavrin {
public:
    using RunningTavrin::RunningTavrin;

    void Paste() const { Command(kEditPaste); }

    // The colour the frame shows at a client point, as it is on the screen.
    [[nodiscard]] COLORREF PixelAt(int x, int y) const {
        drive::WaitUntilIdle(Id(), kTimeoutMs);
        POINT point{x, y};
        ClientToScreen(Frame(), &point);
        HDC screen = GetDC(nullptr);
        const COLORREF colour = GetPixel(screen, point.x, point.y);
        ReleaseDC(nullptr, screen);
        return colour;
    }
    [[nodiscard]] RECT Client() const {
        RECT client{};
        GetClientRect(Frame(), &client);
        return client;
    }
};

bool Near(COLORREF a, COLORREF b, int tolerance = 3) {
    return std::abs(GetRValue(a) - GetRValue(b)) <= tolerance &&
           std::abs(GetGValue(a) - GetGValue(b)) <= tolerance &&
           std::abs(GetBValue(a) - GetBValue(b)) <= tolerance;
}

std::string Hex(COLORREF colour) {
    char text[16];
    snprintf(text, sizeof text, "%02X%02X%02X", GetRValue(colour), GetGValue(colour), GetBValue(colour));
    return text;
}

TEST(Attachments, PastedFilesAreCopiedNamedAndReferenced) {
    PortableFolder folder;
    const fs::path diary = folder.path() / L"RaRorir";
    const fs::path data = diary / L"data";
    const fs::path pictures = folder.path() / L"_pictures";  // "_": not a diary
    fs::create_directories(pictures);
    folder.WriteFileBytes(pictures / L"photo.bmp", SolidBmp(64, 48, RGB(200, 30, 30)));
    folder.WriteFileBytes(pictures / L"夏の 海.2024.bmp", SolidBmp(40, 30, RGB(30, 30, 200)));
    folder.WriteFileBytes(pictures / L"song.mp3", {std::byte{1}, std::byte{2}});
    folder.WriteFileBytes(pictures / L"notes.txt", {std::byte{'x'}});
    folder.WriteSettings(u"[Other]\r\nNoAnimation=1\r\nImageCopySave=1\r\nSoundCopySave=0\r\n");
    const std::wstring day = Ymd(Today());

    Running tavrin(folder);
    ASSERT_TRUE(tavrin.Ready());
    ASSERT_TRUE(PutFilesOnClipboard({pictures / L"photo.bmp"}));
    tavrin.Paste();
    // The first line of an entry is its title: the reference goes below it.
    const std::wstring first = L"[[" + day + L"_0001.bmp]]";
    EXPECT_EQ(tavrin.Text(), L"\n" + first + L"\n");
    EXPECT_EQ(folder.ReadFileBytes(data / (day + L"_0001.bmp")),
              folder.ReadFileBytes(pictures / L"photo.bmp"));

    // A second picture the same day takes the next number; the name's Japanese, space and two dots do
    // not matter. A sound with SoundCopySave 0 is referenced where it lies.
    ASSERT_TRUE(PutFilesOnClipboard({pictures / L"夏の 海.2024.bmp", pictures / L"song.mp3"}));
    tavrin.Paste();
    const std::wstring second = L"[[" + day + L"_0002.bmp]]";
    const std::wstring song = L"[[" + (pictures / L"song.mp3").wstring() + L"]]";
    EXPECT_EQ(tavrin.Text(), L"\n" + first + L"\n" + second + L"\n" + song + L"\n");
    EXPECT_EQ(NamesIn(data), (std::set<std::wstring>{day + L"_0001.bmp", day + L"_0002.bmp"}))
        << "nothing else";

    // A list with a text file in it is inserted as paths.
    ASSERT_TRUE(PutFilesOnClipboard({pictures / L"notes.txt", pictures / L"photo.bmp"}));
    tavrin.Paste();
    const std::wstring paths =
        (pictures / L"notes.txt").wstring() + L"\n" + (pictures / L"photo.bmp").wstring() + L"\n";
    EXPECT_EQ(tavrin.Text(), L"\n" + first + L"\n" + second + L"\n" + song + L"\n" + paths);
    EXPECT_EQ(NamesIn(data).size(), 2u);
    EXPECT_EQ(tavrin.Close(), 0u);

    const std::u16string month =
        FromWide(day.substr(0, 4) + L"/" + day.substr(4, 2) + L"/" + day.substr(6, 2));
    std::u16string expected = month + u"\r\n";
    for (const std::wstring& line : {std::wstring(), first, second, song, (pictures / L"notes.txt").wstring(),
                                     (pictures / L"photo.bmp").wstring(), std::wstring()}) {
        expected += u'\t';
        expected += FromWide(line);
        expected += u"\r\n";
    }
    EXPECT_EQ(folder.ReadFileBytes(diary / (day.substr(0, 6) + L".txt")), Utf16File(expected));
}

TEST(Attachments, PastedBitmapsBecomeJpegsOfTheQualityAskedForUpToFifty) {
    PortableFolder folder;
    const fs::path data = folder.path() / L"RaRorir" / L"data";
    folder.WriteSettings(u"[Other]\r\nNoAnimation=1\r\nDefaultImageFormat=1\r\nJPEGQuality=90\r\n");
    const std::wstring day = Ymd(Today());

    Running tavrin(folder);
    ASSERT_TRUE(tavrin.Ready());
    for (int n = 1; n <= 50; ++n) {
        ASSERT_TRUE(PutBitmapOnClipboard(SolidPackedDib(24 + n, 16, RGB(n * 5, 120, 200))));
        tavrin.Paste();
        ASSERT_TRUE(fs::exists(data / (day + L"_" + WideOf(Decimal(n, 4)) + L".jpg"))) << n;
    }
    const std::vector<std::byte> jpeg = folder.ReadFileBytes(data / (day + L"_0001.jpg"));
    EXPECT_EQ(testing::JpegQuality(jpeg), 90) << "read from the file's quantisation table";
    const std::wstring text = tavrin.Text();
    EXPECT_NE(text.find(L"[[" + day + L"_0050.jpg]]"), std::wstring::npos);
    DWORD_PTR canAdd = 1;
    SendMessageTimeoutW(tavrin.Editor(), kCanAddPicture, 0, 0, SMTO_NORMAL, 5000, &canAdd);
    EXPECT_EQ(canAdd, 0u);

    // The 51st is refused and nothing is written.
    ASSERT_TRUE(PutBitmapOnClipboard(SolidPackedDib(10, 10, RGB(0, 0, 0))));
    drive::PostCommand(tavrin.Frame(), kEditPaste);
    const auto box = drive::WaitForMessageBox(tavrin.Id(), kTimeoutMs);
    ASSERT_TRUE(box);
    EXPECT_EQ(box->text, L"画像貼り付けの上限を超えました。50個まで貼り付け可能です。");
    EXPECT_EQ(box->caption, L"Tavrin");
    drive::DismissMessageBox(box->window);
    EXPECT_EQ(tavrin.Text(), text);
    EXPECT_EQ(NamesIn(data).size(), 50u);
    EXPECT_EQ(tavrin.Close(), 0u);
}

// A double click on a picture opens its file with the shell: a missing file and a file no program
// opens are both told.
TEST(Attachments, ADoubleClickOpensThePicturesFileOrSaysWhyNot) {
    PortableFolder folder;
    const fs::path data = folder.path() / L"RaRorir" / L"data";
    fs::create_directories(data);
    folder.WriteFileBytes(data / L"notes.zzz", {std::byte{'x'}});
    folder.WriteSettings(u"[Other]\r\nNoAnimation=1\r\n");
    Running tavrin(folder);
    ASSERT_TRUE(tavrin.Ready());
    // The 200 x 150 placeholder of each picture lies under the first line, from the left margin.
    const auto doubleClick = [&tavrin](const wchar_t* reference) {
        SendMessageW(tavrin.Editor(), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(reference));
        const POINT point{120, 120};
        POINT screen = point;
        ClientToScreen(tavrin.Editor(), &screen);
        SetCursorPos(screen.x, screen.y);
        PostMessageW(tavrin.Editor(), WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(point.x, point.y));
        return drive::WaitForMessageBox(tavrin.Id(), kTimeoutMs);
    };
    const auto missing = doubleClick(L"日記\n[[gone.png]]");
    ASSERT_TRUE(missing);
    EXPECT_EQ(missing->text, L"ファイルが見つかりません。\r\n\r\ngone.png");
    drive::DismissMessageBox(missing->window);

    const auto unopened = doubleClick(L"日記\n[[notes.zzz]]");
    ASSERT_TRUE(unopened);
    EXPECT_EQ(unopened->text, L"ファイルを開けません。\r\nnotes.zzz");
    EXPECT_TRUE(unopened->caption.starts_with(L"Tavrin (ErrerID:")) << FromWide(unopened->caption).size();
    drive::DismissMessageBox(unopened->window);
    EXPECT_EQ(tavrin.Close(), 0u);
}

// Two pictures pasted at once while another program holds the second one open: the first copy is taken
// back, the entry gains nothing, and the message names the file and the reason.
TEST(Attachments, AFileHeldByAnotherProgramStopsTheWholeListAndIsNamed) {
    PortableFolder folder;
    const fs::path data = folder.path() / L"RaRorir" / L"data";
    const fs::path pictures = folder.path() / L"_pictures";
    fs::create_directories(pictures);
    folder.WriteFileBytes(pictures / L"free.bmp", SolidBmp(8, 8, RGB(1, 2, 3)));
    folder.WriteFileBytes(pictures / L"held.bmp", SolidBmp(8, 8, RGB(4, 5, 6)));
    folder.WriteSettings(u"[Other]\r\nNoAnimation=1\r\n");
    Running tavrin(folder);
    ASSERT_TRUE(tavrin.Ready());
    HANDLE held = CreateFileW((pictures / L"held.bmp").c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    ASSERT_TRUE(PutFilesOnClipboard({pictures / L"free.bmp", pictures / L"held.bmp"}));
    drive::PostCommand(tavrin.Frame(), kEditPaste);
    const auto box = drive::WaitForMessageBox(tavrin.Id(), kTimeoutMs);
    CloseHandle(held);
    ASSERT_TRUE(box);
    const std::wstring target = (data / (Ymd(Today()) + L"_0002.bmp")).wstring();
    const std::wstring expected =
        L"ファイルの貼り付けに失敗しました。\r\n\r\nファイルをコピーできません。\r\n" +
        (pictures / L"held.bmp").wstring() + L"\r\n↓\r\n" + target;
    EXPECT_EQ(box->text.substr(0, expected.size()), expected);
    EXPECT_GT(box->text.size(), expected.size() + 4) << "the system's reason follows";
    EXPECT_EQ(box->caption, L"Tavrin (ErrerID:32)") << "a sharing violation";
    drive::DismissMessageBox(box->window);
    EXPECT_EQ(tavrin.Text(), L"");
    EXPECT_TRUE(NamesIn(data).empty()) << "the first copy was taken back";
    EXPECT_EQ(tavrin.Close(), 0u);
}

TEST(Attachments, ADataFolderThatCannotBeMadeIsReportedAndNothingIsInserted) {
    PortableFolder folder;
    const fs::path diary = folder.path() / L"RaRorir";
    fs::create_directories(diary);
    folder.WriteFileBytes(diary / L"data", {std::byte{'x'}});  // a file where the folder should be
    folder.WriteFileBytes(folder.path() / L"a.bmp", SolidBmp(8, 8, RGB(1, 2, 3)));
    folder.WriteSettings(u"[Other]\r\nNoAnimation=1\r\n");
    Running tavrin(folder);
    ASSERT_TRUE(tavrin.Ready());
    ASSERT_TRUE(PutFilesOnClipboard({folder.path() / L"a.bmp"}));
    drive::PostCommand(tavrin.Frame(), kEditPaste);
    const auto box = drive::WaitForMessageBox(tavrin.Id(), kTimeoutMs);
    ASSERT_TRUE(box);
    EXPECT_TRUE(box->text.starts_with(
        L"ファイルの貼り付けに失敗しました。\r\n\r\nデータフォルダを作成できません。\r\n" +
        (diary / L"data").wstring()))
        << FromWide(box->text).size();
    drive::DismissMessageBox(box->window);
    EXPECT_EQ(tavrin.Text(), L"");

    // A pasted bitmap says where it could not be saved.
    ASSERT_TRUE(PutBitmapOnClipboard(SolidPackedDib(8, 8, RGB(9, 9, 9))));
    drive::PostCommand(tavrin.Frame(), kEditPaste);
    const auto bitmapBox = drive::WaitForMessageBox(tavrin.Id(), kTimeoutMs);
    ASSERT_TRUE(bitmapBox);
    EXPECT_EQ(bitmapBox->text.substr(0, 50),
              (L"クリップボードの画像を次のパスへ保存できません。\r\n\r\n" + (diary / L"data").wstring())
                  .substr(0, 50));
    drive::DismissMessageBox(bitmapBox->window);
    EXPECT_EQ(tavrin.Text(), L"");
    EXPECT_EQ(tavrin.Close(), 0u);
}

// The insert-file command's chooser: a picture is attached, any other file goes in as its path, and
// the filter last chosen is kept for the next time.
TEST(Attachments, TheFileChooserAttachesPicturesAndRemembersItsFilter) {
    PortableFolder folder;
    folder.WriteFileBytes(folder.path() / L"photo.bmp", SolidBmp(8, 8, RGB(1, 2, 3)));
    folder.WriteFileBytes(folder.path() / L"notes.txt", {std::byte{'x'}});
    folder.WriteSettings(u"[Other]\r\nNoAnimation=1\r\nDiaryTitle=0\r\n");
    const auto choose = [](const Running& tavrin, const fs::path& file, int filter) {
        drive::PostCommand(tavrin.Frame(), kEditInsertFile);
        HWND chooser = drive::WaitForWindow(tavrin.Id(), L"#32770", L"ファイルの参照", kTimeoutMs);
        if (!chooser) {
            return -1;
        }
        HWND types = GetDlgItem(chooser, kChooserTypes);
        const int shown = static_cast<int>(SendMessageW(types, CB_GETCURSEL, 0, 0));
        if (filter >= 0) {
            SendMessageW(types, CB_SETCURSEL, static_cast<WPARAM>(filter), 0);
            // What the list says when the user picks an entry.
            for (const WORD code : {CBN_SELENDOK, CBN_SELCHANGE}) {
                SendMessageW(chooser, WM_COMMAND, MAKEWPARAM(kChooserTypes, code),
                             reinterpret_cast<LPARAM>(types));
            }
        }
        HWND name = GetDlgItem(chooser, kChooserName);
        SetWindowTextW(name ? name : GetDlgItem(chooser, kChooserNameEdit), file.c_str());
        PostMessageW(chooser, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
        drive::WaitFor([chooser] { return !IsWindow(chooser); }, kTimeoutMs);
        drive::WaitUntilIdle(tavrin.Id(), kTimeoutMs);
        return shown;
    };
    {
        Running tavrin(folder);
        ASSERT_TRUE(tavrin.Ready());
        EXPECT_EQ(choose(tavrin, folder.path() / L"photo.bmp", -1), 0) << "the pictures' filter at first";
        const std::wstring reference = L"[[" + Ymd(Today()) + L"_0001.bmp]]\n";
        EXPECT_EQ(tavrin.Text(), reference);
        EXPECT_EQ(choose(tavrin, folder.path() / L"notes.txt", 8), 0);
        EXPECT_EQ(tavrin.Text(), reference + (folder.path() / L"notes.txt").wstring());
        EXPECT_EQ(tavrin.Close(), 0u);
    }
    const std::u16string saved = folder.SettingsText();
    EXPECT_NE(saved.find(u"FileOpenFilterNumber=9\r\n"), std::u16string::npos)
        << ToUtf8(saved.substr(saved.find(u"FileOpenFilterNumber"), 24));
    Running again(folder);
    ASSERT_TRUE(again.Ready());
    EXPECT_EQ(choose(again, folder.path() / L"notes.txt", -1), 8) << "すべてのファイル was kept";
    EXPECT_EQ(again.Close(), 0u);
}

// Runs a Unix program (under Wine) and waits for it; false when it could not be started. (Its exit
// code is not passed back reliably; callers look at what it did.)
bool RunUnixProgram(const std::wstring& program, const std::wstring& arguments) {
    std::wstring line = program + L" " + arguments;
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info{};
    if (!CreateProcessW((L"Z:" + program).c_str(), line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &info)) {
        return false;
    }
    WaitForSingleObject(info.hProcess, kTimeoutMs);
    CloseHandle(info.hProcess);
    CloseHandle(info.hThread);
    return true;
}

// A drive letter given to a folder for the life of the object: the system's own way, or under Wine a
// link in the prefix's drive folder.
class MappedDrive {
public:
    explicit MappedDrive(const fs::path& folder) {
        for (wchar_t letter = L'T'; letter <= L'Y' && letter_.empty(); ++letter) {
            const std::wstring drive{letter, L':'};
            if (GetDriveTypeW((drive + L"\\").c_str()) != DRIVE_NO_ROOT_DIR) {
                continue;
            }
            // Wine keeps the system's definitions but does not look files up through them.
            if (UnderWine()) {
                link_ = LinkUnderWine(drive, folder);
                letter_ = link_ ? drive : std::wstring();
            } else if (DefineDosDeviceW(0, drive.c_str(), folder.c_str()) &&
                       fs::exists(drive + L"\\tavrin.exe")) {
                letter_ = drive;
            }
        }
    }
    MappedDrive(const MappedDrive&) = delete;
    MappedDrive& operator=(const MappedDrive&) = delete;
    ~MappedDrive() {
        if (link_) {
            RunUnixProgram(L"/bin/rm", L"-f \"" + prefix_ + L"/dosdevices/" + Lower(letter_) + L"\"");
        } else if (!letter_.empty()) {
            DefineDosDeviceW(DDD_REMOVE_DEFINITION, letter_.c_str(), nullptr);
        }
    }
    [[nodiscard]] const std::wstring& Letter() const { return letter_; }

private:
    static std::wstring Lower(std::wstring text) {
        for (wchar_t& c : text) {
            c = static_cast<wchar_t>(towlower(c));
        }
        return text;
    }
    using UnixName = char* (*)(const wchar_t*);
    static UnixName UnixNameFunction() {
        return reinterpret_cast<UnixName>(reinterpret_cast<void*>(
            GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "wine_get_unix_file_name")));
    }
    static bool UnderWine() { return UnixNameFunction() != nullptr; }
    bool LinkUnderWine(const std::wstring& drive, const fs::path& folder) {
        const UnixName unixName = UnixNameFunction();
        wchar_t prefix[1024] = {};
        if (unixName == nullptr || GetEnvironmentVariableW(L"WINEPREFIX", prefix, 1024) == 0) {
            return false;
        }
        char* target = unixName(folder.c_str());
        if (target == nullptr) {
            return false;
        }
        const std::wstring unixTarget(target, target + std::strlen(target));
        HeapFree(GetProcessHeap(), 0, target);
        prefix_ = prefix;
        const std::wstring link = L"\"" + prefix_ + L"/dosdevices/" + Lower(drive) + L"\"";
        if (!RunUnixProgram(L"/bin/ln", L"-s \"" + unixTarget + L"\" " + link)) {
            return false;
        }
        // The system looks at its drives again only every few seconds.
        if (drive::WaitFor([&drive] { return fs::exists(drive + L"\\tavrin.exe"); }, 15000)) {
            return true;
        }
        RunUnixProgram(L"/bin/rm", L"-f " + link);
        return false;
    }

    std::wstring letter_;
    std::wstring prefix_;
    bool link_ = false;
};

// A copy run from the root of a drive ("T:\\tavrin.exe") with its current folder elsewhere on that
// drive keeps its diary beside it, not under the current folder.
TEST(Folders, ACopyRunFromADrivesRootKeepsItsDiaryBesideIt) {
    PortableFolder folder;
    fs::create_directories(folder.path() / L"elsewhere");
    folder.WriteSettings(u"[Other]\r\nNoAnimation=1\r\nDiaryTitle=0\r\n");
    {
        const MappedDrive drive(folder.path());
        if (drive.Letter().empty()) {
            GTEST_SKIP() << "no drive letter could be given to a folder here";
        }
        auto process = drive::TavrinProcess::Start(drive.Letter() + L"\\tavrin.exe", L"",
                                                   drive.Letter() + L"\\elsewhere");
        ASSERT_TRUE(process);
        HWND frame = process->WaitForMainFrame(kTimeoutMs);
        HWND editor = frame ? drive::FindChild(frame, L"MarkupEditPane") : nullptr;
        ASSERT_TRUE(editor);
        drive::TypeText(editor, L"根から");
        EXPECT_EQ(process->Close(kTimeoutMs), 0u);
    }
    const std::wstring month = Ymd(Today()).substr(0, 6) + L".txt";
    EXPECT_TRUE(fs::exists(folder.path() / L"RaRorir" / month));
    EXPECT_FALSE(fs::exists(folder.path() / L"elsewhere" / L"RaRorir")) << "not under the current folder";
}

// The background picture's colours on a white Back.
constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kRed = RGB(255, 0, 0);
constexpr COLORREF kBlue = RGB(0, 0, 255);

TEST(Background, TheMonthsPictureFollowsTheMonthShownAtStart) {
    PortableFolder folder;
    const fs::path pictures = folder.path() / L"_back";
    fs::create_directories(pictures);
    folder.WriteFileBytes(pictures / L"12.bmp", SolidBmp(160, 120, kRed));
    folder.WriteFileBytes(pictures / L"1.bmp", SolidBmp(160, 120, kBlue));
    const std::u16string back = u"[BackImage]\r\nShowBackImage=1\r\nPath=" + FromWide(pictures.wstring()) +
                                u"\\\\\r\nMode=0\r\nPosX=0\r\nPosY=0\r\nAlpha=100\r\n";
    folder.WriteSettings(back + u"[Other]\r\nNoAnimation=1\r\nStartDateMode=2\r\nStartDate=20241205\r\n");
    {
        Running tavrin(folder);
        ASSERT_TRUE(tavrin.Ready());
        EXPECT_TRUE(Near(tavrin.PixelAt(5, 5), kRed)) << Hex(tavrin.PixelAt(5, 5)) << ": December shows 12";
        drive::SendCommand(tavrin.Frame(), kNextMonth);
        EXPECT_TRUE(Near(tavrin.PixelAt(5, 5), kRed)) << "moving to another month keeps the picture";
        EXPECT_EQ(tavrin.Close(), 0u);
    }
    const std::u16string saved = folder.SettingsText();
    EXPECT_NE(saved.find(u"Path=" + FromWide(pictures.wstring()) + u"\r\n"), std::u16string::npos)
        << "the trailing backslashes are gone from the setting";

    folder.WriteSettings(back + u"[Other]\r\nNoAnimation=1\r\nStartDateMode=2\r\nStartDate=20240305\r\n");
    Running march(folder);
    ASSERT_TRUE(march.Ready());
    EXPECT_TRUE(Near(march.PixelAt(5, 5), kWhite)) << Hex(march.PixelAt(5, 5)) << ": March has no picture";
    EXPECT_EQ(march.Close(), 0u);
}

TEST(Background, ARandomPictureIsAPictureAndPositionAndAlphaPlaceAndFadeIt) {
    PortableFolder folder;
    const fs::path pictures = folder.path() / L"_back";
    fs::create_directories(pictures);
    folder.WriteFileBytes(pictures / L"only.bmp", SolidBmp(120, 90, kRed));
    for (const wchar_t* name : {L"a.txt", L"b.txt", L"c.log", L"d.txt"}) {
        folder.WriteFileBytes(pictures / name, {std::byte{'x'}});
    }
    const std::u16string path = u"Path=" + FromWide(pictures.wstring()) + u"\r\nMode=1\r\n";
    // Bottom right, at full strength: the picture lies behind the editor's empty lower right corner.
    folder.WriteSettings(u"[BackImage]\r\nShowBackImage=1\r\n" + path +
                         u"PosX=100\r\nPosY=100\r\nAlpha=100\r\n");
    for (int start = 0; start < 2; ++start) {
        Running tavrin(folder);
        ASSERT_TRUE(tavrin.Ready());
        const RECT client = tavrin.Client();
        EXPECT_TRUE(Near(tavrin.PixelAt(client.right - 60, client.bottom - 10), kRed))
            << Hex(tavrin.PixelAt(client.right - 60, client.bottom - 10)) << ": in the frame's margin";
        EXPECT_TRUE(Near(tavrin.PixelAt(client.right - 80, client.bottom - 60), kRed))
            << Hex(tavrin.PixelAt(client.right - 80, client.bottom - 60)) << ": behind the editor";
        EXPECT_TRUE(Near(tavrin.PixelAt(client.right - 60, client.bottom - 100), kWhite))
            << "above the picture";
        EXPECT_TRUE(Near(tavrin.PixelAt(5, 5), kWhite)) << "not at the top left";
        EXPECT_EQ(tavrin.Close(), 0u);
    }
    // Top left at 20 %: 80 % of the white Back and 20 % of the red picture.
    folder.WriteSettings(u"[BackImage]\r\nShowBackImage=1\r\n" + path + u"PosX=0\r\nPosY=0\r\nAlpha=20\r\n");
    Running faded(folder);
    ASSERT_TRUE(faded.Ready());
    EXPECT_TRUE(Near(faded.PixelAt(5, 5), RGB(255, 204, 204))) << Hex(faded.PixelAt(5, 5));
    EXPECT_TRUE(Near(faded.PixelAt(125, 5), kWhite)) << "right of the picture";
    EXPECT_EQ(faded.Close(), 0u);
}

}  // namespace
}  // namespace tavrin::e2e
