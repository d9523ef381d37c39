// The real tavrin.exe, started in an empty portable folder under Wine: the settings file it leaves,
// and how a second copy behaves.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/text.h"
#include "portable_folder_win.h"

namespace tavrin::e2e {
namespace {

constexpr DWORD kStartTimeoutMs = 30000;
constexpr DWORD kExitTimeoutMs = 30000;

std::u16string Lines(std::initializer_list<std::u16string> lines) {
    std::u16string text;
    for (const std::u16string& line : lines) {
        text += line;
        text += u"\r\n";
    }
    return text;
}

std::u16string Num(int value) { return Decimal(value); }

// The settings file a first run must leave, written out here from the file format's rules rather
// than by the program's own code: defaults, the window centred in the work area, today as StartDate
// and the eleven default templates.
std::u16string ExpectedDefaultSettings() {
    RECT work{};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    std::u16string customColours;
    for (int i = 0; i < 16; ++i) {
        const std::u16string component = Hex(static_cast<std::uint32_t>(17 * i), 2);
        customColours += (i ? u"," : u"") + component + component + component;
    }
    return Lines({u"[System]", u"DiaryName=RaRorir", u"FileOpenFilterNumber=1", u""}) +
           Lines({u"[Window]",
                  u"Left=" + Num((work.right - 800) / 2),
                  u"Top=" + Num((work.bottom - 600) / 2),
                  u"Width=800",
                  u"Height=600",
                  u"WindowMax=0",
                  u"Fullscreen=0",
                  u"SettingPage=0",
                  u"ShowToolBar=1",
                  u"ShowSideArea=1",
                  u"SideBarLayout=0",
                  u"SideBarWidth=248",
                  u"MainFontName=メイリオ",
                  u"FontSizeS=9",
                  u"FontSizeM=14",
                  u"FontSizeL=22",
                  u"MarginLeft=50",
                  u"MarginTop=40",
                  u"MarginRight=50",
                  u"MarginBottom=40",
                  u"LimitMaxWidth=0",
                  u"MaxWidth=950",
                  u""}) +
           Lines({u"[ShortcutKey]",
                  u"Exit=0473",
                  u"Max=0000",
                  u"Min=0000",
                  u"Fullscreen=007A",
                  u"ToolBar=0454",
                  u"SideBar=0453",
                  u"Focus=0109",
                  u"Version=0000",
                  u"Setting=014F",
                  u"MenuMain=010D",
                  u"MenuYear=0459",
                  u"MenuMonth=044D",
                  u"MenuDay=0444",
                  u"MenuDiaryFolder=0446",
                  u"MenuTemplate=0450",
                  u"ModeEdit=0070",
                  u"ModeCalendar=0071",
                  u"Today=0120",
                  u"OldDiary=1024",
                  u"PrevDiary=1021",
                  u"PrevYear=1325",
                  u"PrevMonth=1326",
                  u"PrevWeek=1126",
                  u"PrevDay=1125",
                  u"NextDay=1127",
                  u"NextWeek=1128",
                  u"NextMonth=1328",
                  u"NextYear=1327",
                  u"NextDiary=1022",
                  u"NewDiary=1023",
                  u"Jump=014A",
                  u"SaveAs=0153",
                  u"DiaryChange=11DE",
                  u"EditUndo=015A",
                  u"EditRedo=0159",
                  u"EditCut=0158",
                  u"EditCopy=0143",
                  u"EditPaste=0156",
                  u"EditDelete=102E",
                  u"EditAllSelect=0141",
                  u"EditInsertFile=014D",
                  u"EditOpenLink=034C",
                  u"EditFontPlus=016B",
                  u"EditFontMinus=016D",
                  u"EditSpacePlus=036B",
                  u"EditSpaceMinus=036D",
                  u"Search=0146",
                  u"SearchSelect=0346",
                  u""}) +
           Lines({u"[Color]", u"CustomColor=" + customColours, u"Text=0080C0", u"Back=FFFFFF",
                  u"Saturday=0080C0", u"Sunday=FF3333", u"Head=0080C0", u"URL=0088FF", u"Mail=FF0088",
                  u"File=FF8800", u"Alpha=15", u"TextDropShadow=0", u""}) +
           Lines({u"[Calendar]", u"StartWeek=0", u"ShowWeek=1", u"WeekFormat=日,月,火,水,木,金,土",
                  u"BoxWidth=32", u"BoxHeight=24", u"BoxMargin=4", u""}) +
           Lines({u"[Edit]", u"FontName=メイリオ", u"FontSize=12", u"LineSpacing=4", u"TabStop=4",
                  u"ScrollLines=6", u"FontSizeHead=180", u"WordWrap=1", u""}) +
           Lines({u"[BackImage]", u"ShowBackImage=0", u"Path=", u"Mode=1", u"PosX=50", u"PosY=50",
                  u"Alpha=20", u""}) +
           Lines({u"[Search]", u"MatchCase=0", u"WordOnly=0", u""}) +
           Lines({u"[Template]", u"Item=日付(&;),$1,04BB", u"Item=時刻(&:),$2,04BA",
                  u"Item=日付と時刻(&D),$3,0144", u"Item=$K/$O/$Q 編集日の日付(&E),$K/$O/$Q,0000",
                  u"Item=-,,0000",
                  u"Item=日記テンプレート(&T),*$}今日のタイトル${\\n天気：\\n食べた物：\\n今日の出来事：\\n,"
                  u"142D",
                  u"Item=-,,0000", u"Item=（ ）で囲む(&1),${（$@）$},0000",
                  u"Item=「 」で囲む(&2),${「$@」$},0000", u"Item=『 』で囲む(&3),${『$@』$},0000",
                  u"Item=【 】で囲む(&4),${【$@】$},0000", u""}) +
           Lines({u"[Other]", u"DefaultImageFormat=0", u"JPEGQuality=90", u"ImageCopySave=1",
                  u"SoundCopySave=0", u"MovieCopySave=0", u"StartDateMode=0", u"StartDate=" + Num(TodayYmd()),
                  u"StartIMEOn=0", u"MultipleStart=0", u"DiaryTitle=1", u"EditLock=0", u"TitleBarName=0",
                  u"FixedSideBar=0", u"AutoPlay=0", u"DeleteEndBlankLine=0", u"NoAnimation=0",
                  u"DoubleClickLink=0", u"CheckLinkOpen=0"});
}

int CountMainFrames() {
    int count = 0;
    EnumWindows(
        [](HWND window, LPARAM context) -> BOOL {
            wchar_t className[64] = {};
            GetClassNameW(window, className, 64);
            if (std::wstring_view(className) == drive::kMainFrameClass) {
                ++*reinterpret_cast<int*>(context);
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&count));
    return count;
}

std::string Readable(const std::vector<std::byte>& bytes) {
    std::u16string text;
    for (std::size_t i = 2; i + 1 < bytes.size(); i += 2) {
        text.push_back(static_cast<char16_t>(std::to_integer<unsigned>(bytes[i]) |
                                             std::to_integer<unsigned>(bytes[i + 1]) << 8));
    }
    return ToUtf8(text);
}

TEST(Startup, AFirstRunInAnEmptyFolderLeavesTheDefaultSettingsFile) {
    PortableFolder folder;
    auto tavrin = folder.Start();
    ASSERT_TRUE(tavrin);
    ASSERT_TRUE(tavrin->WaitForMainFrame(kStartTimeoutMs)) << "the main frame was never shown";
    EXPECT_EQ(tavrin->Close(kExitTimeoutMs), 0u);

    const auto written = folder.ReadFileBytes(folder.Ini());
    const auto expected = Utf16File(ExpectedDefaultSettings());
    EXPECT_EQ(written, expected) << "written:\n"
                                 << Readable(written) << "\nexpected:\n"
                                 << Readable(expected);
}

TEST(Startup, AValidSettingsFileIsWrittenBackByteForByte) {
    PortableFolder folder;
    std::u16string text = ExpectedDefaultSettings();
    const auto replace = [&text](std::u16string_view from, std::u16string_view to) {
        const auto at = text.find(from);
        ASSERT_NE(at, std::u16string::npos) << ToUtf8(from);
        text.replace(at, from.size(), to);
    };
    replace(u"DiaryName=RaRorir", u"DiaryName=仕事の日記");
    replace(u"Width=800\r\nHeight=600", u"Width=640\r\nHeight=480");
    replace(u"Alpha=15", u"Alpha=40");
    replace(u"Search=0146", u"Search=0346");
    replace(u"WordOnly=0\r\n", u"WordOnly=1\r\nSearchWord0=猫\r\nSearchWord1=tab\there\r\n");
    replace(u"StartIMEOn=0", u"StartIMEOn=1");
    folder.WriteFileBytes(folder.Ini(), Utf16File(text));

    auto tavrin = folder.Start();
    ASSERT_TRUE(tavrin);
    ASSERT_TRUE(tavrin->WaitForMainFrame(kStartTimeoutMs));
    EXPECT_EQ(tavrin->Close(kExitTimeoutMs), 0u);
    const auto written = folder.ReadFileBytes(folder.Ini());
    EXPECT_EQ(written, Utf16File(text)) << "written:\n" << Readable(written);
}

// Starts the program on a settings file that is the default one with some lines replaced, and returns
// the running process with its frame.
struct Started {
    std::optional<drive::TavrinProcess> process;
    HWND frame = nullptr;
};

Started StartWith(const PortableFolder& folder,
                  std::initializer_list<std::pair<std::u16string, std::u16string>> edits) {
    std::u16string text = ExpectedDefaultSettings();
    for (const auto& [from, to] : edits) {
        const auto at = text.find(from);
        EXPECT_NE(at, std::u16string::npos) << ToUtf8(from);
        if (at != std::u16string::npos) {
            text.replace(at, from.size(), to);
        }
    }
    folder.WriteFileBytes(folder.Ini(), Utf16File(text));
    Started started;
    started.process = folder.Start();
    if (started.process) {
        started.frame = started.process->WaitForMainFrame(kStartTimeoutMs);
    }
    return started;
}

TEST(Startup, ASavedMaximisedFrameOpensMaximised) {
    PortableFolder folder;
    Started tavrin = StartWith(folder, {{u"WindowMax=0", u"WindowMax=1"}});
    ASSERT_TRUE(tavrin.frame);
    EXPECT_TRUE(IsZoomed(tavrin.frame));
    EXPECT_EQ(tavrin.process->Close(kExitTimeoutMs), 0u);
    const std::string written = Readable(folder.ReadFileBytes(folder.Ini()));
    EXPECT_NE(written.find("WindowMax=1\r\n"), std::string::npos);
    EXPECT_NE(written.find("Width=800\r\nHeight=600\r\n"), std::string::npos) << "the normal size is kept";
}

TEST(Startup, AFrameSavedOffEveryMonitorReopensCentred) {
    PortableFolder folder;
    RECT work{};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    Started tavrin = StartWith(folder, {{u"Left=" + Num((work.right - 800) / 2), u"Left=-30000"},
                                        {u"Top=" + Num((work.bottom - 600) / 2), u"Top=-30000"},
                                        {u"Width=800\r\nHeight=600", u"Width=1\r\nHeight=1"}});
    ASSERT_TRUE(tavrin.frame);
    RECT rect{};
    GetWindowRect(tavrin.frame, &rect);
    EXPECT_EQ(rect.left, (work.right - 800) / 2);
    EXPECT_EQ(rect.top, (work.bottom - 600) / 2);
    EXPECT_EQ(rect.right - rect.left, 800);
    EXPECT_EQ(rect.bottom - rect.top, 600);
    EXPECT_EQ(tavrin.process->Close(kExitTimeoutMs), 0u);
}

TEST(Startup, AFrameWithAnAbsurdSizeReopensUsable) {
    PortableFolder folder;
    RECT work{};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    Started tavrin = StartWith(folder, {{u"Width=800\r\nHeight=600", u"Width=-400\r\nHeight=-300"}});
    ASSERT_TRUE(tavrin.frame);
    RECT rect{};
    GetWindowRect(tavrin.frame, &rect);
    EXPECT_EQ(rect.right - rect.left, 800);
    EXPECT_EQ(rect.bottom - rect.top, 600);
    EXPECT_EQ(rect.left, (work.right - 800) / 2);
    EXPECT_EQ(tavrin.process->Close(kExitTimeoutMs), 0u);
    const std::string written = Readable(folder.ReadFileBytes(folder.Ini()));
    EXPECT_NE(written.find("Width=800\r\nHeight=600\r\n"), std::string::npos) << "the usable size is saved";
}

TEST(Startup, ASecondCopyActivatesTheFirstAndExits) {
    PortableFolder folder;
    auto first = folder.Start();
    ASSERT_TRUE(first);
    HWND frame = first->WaitForMainFrame(kStartTimeoutMs);
    ASSERT_TRUE(frame);
    ShowWindow(frame, SW_MINIMIZE);
    ASSERT_TRUE(IsIconic(frame));

    auto second = folder.Start();
    ASSERT_TRUE(second);
    EXPECT_EQ(second->WaitForExit(kExitTimeoutMs), 0u) << "the second copy ends by itself";
    EXPECT_TRUE(drive::WaitFor([frame] { return !IsIconic(frame); }, 5000)) << "the first copy was restored";
    EXPECT_EQ(CountMainFrames(), 1);
    EXPECT_EQ(first->Close(kExitTimeoutMs), 0u);
}

TEST(Startup, RebootOrMultipleStartLetsTwoCopiesRun) {
    for (const bool viaSetting : {false, true}) {
        SCOPED_TRACE(viaSetting ? "MultipleStart=1" : "/reboot");
        PortableFolder folder;
        if (viaSetting) {
            std::u16string text = ExpectedDefaultSettings();
            text.replace(text.find(u"MultipleStart=0"), 15, u"MultipleStart=1");
            folder.WriteFileBytes(folder.Ini(), Utf16File(text));
        }
        auto first = folder.Start();
        ASSERT_TRUE(first);
        ASSERT_TRUE(first->WaitForMainFrame(kStartTimeoutMs));
        auto second = folder.Start(viaSetting ? L"" : L"/reboot");
        ASSERT_TRUE(second);
        EXPECT_TRUE(second->WaitForMainFrame(kStartTimeoutMs)) << "the second copy shows its own frame";
        EXPECT_EQ(CountMainFrames(), 2);
        EXPECT_EQ(second->Close(kExitTimeoutMs), 0u);
        EXPECT_EQ(first->Close(kExitTimeoutMs), 0u);
    }
}

}  // namespace
}  // namespace tavrin::e2e
