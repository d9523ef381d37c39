#include <gtest/gtest.h>

#include <string_view>

#include "app/app_state.h"
#include "app/settings_file.h"
#include "platform/text.h"
#include "platform/utf16_file.h"
#include "support/fault_file_system.h"
#include "support/test_support.h"

namespace tavrin {
namespace {

using testing::FaultInjectingFileSystem;
using testing::ReadBytes;
using testing::TempFolder;
using testing::U;
using testing::Utf16FileBytes;
using testing::WriteBytes;
using namespace std::string_literals;

// Lines written with LF in the source; the file has CR LF.
std::u16string FileText(std::string_view utf8Lines) {
    std::u16string text;
    for (const char16_t c : U(utf8Lines)) {
        if (c == u'\n') {
            text += u"\r\n";
        } else {
            text.push_back(c);
        }
    }
    return text;
}

// The file a fresh start writes on a machine with a 1920 x 1040 work area on 1 May 2024.
constexpr std::string_view kDefaultFile = R"([System]
DiaryName=RaRorir
FileOpenFilterNumber=1

[Window]
Left=560
Top=220
Width=800
Height=600
WindowMax=0
Fullscreen=0
SettingPage=0
ShowToolBar=1
ShowSideArea=1
SideBarLayout=0
SideBarWidth=248
MainFontName=メイリオ
FontSizeS=9
FontSizeM=14
FontSizeL=22
MarginLeft=50
MarginTop=40
MarginRight=50
MarginBottom=40
LimitMaxWidth=0
MaxWidth=950

[ShortcutKey]
Exit=0473
Max=0000
Min=0000
Fullscreen=007A
ToolBar=0454
SideBar=0453
Focus=0109
Version=0000
Setting=014F
MenuMain=010D
MenuYear=0459
MenuMonth=044D
MenuDay=0444
MenuDiaryFolder=0446
MenuTemplate=0450
ModeEdit=0070
ModeCalendar=0071
Today=0120
OldDiary=1024
PrevDiary=1021
PrevYear=1325
PrevMonth=1326
PrevWeek=1126
PrevDay=1125
NextDay=1127
NextWeek=1128
NextMonth=1328
NextYear=1327
NextDiary=1022
NewDiary=1023
Jump=014A
SaveAs=0153
DiaryChange=11DE
EditUndo=015A
EditRedo=0159
EditCut=0158
EditCopy=0143
EditPaste=0156
EditDelete=102E
EditAllSelect=0141
EditInsertFile=014D
EditOpenLink=034C
EditFontPlus=016B
EditFontMinus=016D
EditSpacePlus=036B
EditSpaceMinus=036D
Search=0146
SearchSelect=0346

[Color]
CustomColor=000000,111111,222222,333333,444444,555555,666666,777777,888888,999999,AAAAAA,BBBBBB,CCCCCC,DDDDDD,EEEEEE,FFFFFF
Text=0080C0
Back=FFFFFF
Saturday=0080C0
Sunday=FF3333
Head=0080C0
URL=0088FF
Mail=FF0088
File=FF8800
Alpha=15
TextDropShadow=0

[Calendar]
StartWeek=0
ShowWeek=1
WeekFormat=日,月,火,水,木,金,土
BoxWidth=32
BoxHeight=24
BoxMargin=4

[Edit]
FontName=メイリオ
FontSize=12
LineSpacing=4
TabStop=4
ScrollLines=6
FontSizeHead=180
WordWrap=1

[BackImage]
ShowBackImage=0
Path=
Mode=1
PosX=50
PosY=50
Alpha=20

[Search]
MatchCase=0
WordOnly=0

[Template]
Item=日付(&;),$1,04BB
Item=時刻(&:),$2,04BA
Item=日付と時刻(&D),$3,0144
Item=$K/$O/$Q 編集日の日付(&E),$K/$O/$Q,0000
Item=-,,0000
Item=日記テンプレート(&T),*$}今日のタイトル${\n天気：\n食べた物：\n今日の出来事：\n,142D
Item=-,,0000
Item=（ ）で囲む(&1),${（$@）$},0000
Item=「 」で囲む(&2),${「$@」$},0000
Item=『 』で囲む(&3),${『$@』$},0000
Item=【 】で囲む(&4),${【$@】$},0000

[Other]
DefaultImageFormat=0
JPEGQuality=90
ImageCopySave=1
SoundCopySave=0
MovieCopySave=0
StartDateMode=0
StartDate=20240501
StartIMEOn=0
MultipleStart=0
DiaryTitle=1
EditLock=0
TitleBarName=0
FixedSideBar=0
AutoPlay=0
DeleteEndBlankLine=0
NoAnimation=0
DoubleClickLink=0
CheckLinkOpen=0
)";

// A file far from the defaults: other keys, colours, strings with spaces and a surrogate pair, a
// history, templates with every escape, and no templates section entries lost.
constexpr std::string_view kCustomFile = R"([System]
DiaryName=家族の日記 2024
FileOpenFilterNumber=3

[Window]
Left=-1200
Top=15
Width=1024
Height=700
WindowMax=1
Fullscreen=0
SettingPage=5
ShowToolBar=0
ShowSideArea=1
SideBarLayout=1
SideBarWidth=105
MainFontName=ＭＳ Ｐゴシック
FontSizeS=10
FontSizeM=16
FontSizeL=30
MarginLeft=0
MarginTop=-3
MarginRight=12
MarginBottom=7
LimitMaxWidth=1
MaxWidth=700

[ShortcutKey]
Exit=0000
Max=0878
Min=0000
Fullscreen=007A
ToolBar=0454
SideBar=0453
Focus=0109
Version=0070
Setting=014F
MenuMain=010D
MenuYear=0459
MenuMonth=044D
MenuDay=0444
MenuDiaryFolder=0446
MenuTemplate=0450
ModeEdit=0000
ModeCalendar=0071
Today=0120
OldDiary=1024
PrevDiary=1021
PrevYear=1325
PrevMonth=1326
PrevWeek=1126
PrevDay=1125
NextDay=1127
NextWeek=1128
NextMonth=1328
NextYear=1327
NextDiary=1022
NewDiary=1023
Jump=014A
SaveAs=0153
DiaryChange=11DE
EditUndo=015A
EditRedo=0159
EditCut=0158
EditCopy=0143
EditPaste=0156
EditDelete=102E
EditAllSelect=0141
EditInsertFile=014D
EditOpenLink=034C
EditFontPlus=016B
EditFontMinus=016D
EditSpacePlus=036B
EditSpaceMinus=036D
Search=0146
SearchSelect=FFFF

[Color]
CustomColor=FF0000,00FF00,000000,000000,000000,000000,000000,000000,000000,000000,000000,000000,000000,000000,000000,0000FF
Text=FF8000
Back=101820
Saturday=0080C0
Sunday=FF3333
Head=000000
URL=0088FF
Mail=FF0088
File=FF8800
Alpha=100
TextDropShadow=1

[Calendar]
StartWeek=1
ShowWeek=0
WeekFormat=Sun,Mon,Tue,Wed,Thu,Fri,Sat,extra
BoxWidth=15
BoxHeight=12
BoxMargin=0

[Edit]
FontName=Noto Sans 😀
FontSize=1
LineSpacing=-2
TabStop=8
ScrollLines=1
FontSizeHead=100
WordWrap=0

[BackImage]
ShowBackImage=1
Path=C:\Pictures\背景
Mode=0
PosX=-20
PosY=130
Alpha=250

[Search]
MatchCase=1
WordOnly=1
SearchWord0=天気
SearchWord1=
SearchWord2=a=b, c\d

[Template]
Item=a\,b\\c\td\ne,line1\nline2\,\\x\t,0341
Item=-,,0000
Item=名前だけ,,0000
Item=$$ and $x,$$1$n$!,12345

[Other]
DefaultImageFormat=4
JPEGQuality=0
ImageCopySave=2
SoundCopySave=2
MovieCopySave=1
StartDateMode=2
StartDate=19991231
StartIMEOn=1
MultipleStart=1
DiaryTitle=0
EditLock=1
TitleBarName=1
FixedSideBar=1
AutoPlay=1
DeleteEndBlankLine=1
NoAnimation=1
DoubleClickLink=1
CheckLinkOpen=1
)";

Settings Defaults() {
    return DefaultSettings({10, ScreenRect{0, 0, 1920, 1040}, 20240501});
}

struct Parsed {
    Settings settings;
    TemplateList templates;
};

Parsed Parse(std::u16string_view text) {
    Parsed parsed{Defaults(), {}};
    ParseSettingsText(text, parsed.settings, parsed.templates);
    return parsed;
}

// What a clean file looks like: FF FE, whole code units, no NUL, CR LF after every line and no lone
// CR or LF.
void ExpectCleanFile(const std::vector<std::byte>& bytes) {
    ASSERT_GE(bytes.size(), 2u);
    EXPECT_EQ(bytes[0], std::byte{0xFF});
    EXPECT_EQ(bytes[1], std::byte{0xFE});
    EXPECT_EQ(bytes.size() % 2, 0u);
    const std::u16string text = DecodeUtf16File(bytes);
    EXPECT_EQ(text.find(u'\0'), std::u16string::npos);
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == u'\r') {
            ASSERT_TRUE(i + 1 < text.size() && text[i + 1] == u'\n') << "lone CR at " << i;
        } else if (text[i] == u'\n') {
            ASSERT_TRUE(i > 0 && text[i - 1] == u'\r') << "lone LF at " << i;
        }
    }
    EXPECT_TRUE(text.ends_with(u"CheckLinkOpen=0\r\n") || text.ends_with(u"CheckLinkOpen=1\r\n"));
}

TEST(SettingsText, DefaultsComposeTheDefaultFile) {
    TemplateList templates;
    LoadDefaultTemplates(templates);
    EXPECT_EQ(ComposeSettingsText(Defaults(), templates), FileText(kDefaultFile));
}

TEST(SettingsText, OlderSystemsGetTheOlderDefaultFontAndNoWorkAreaMeansOneHundred) {
    const Settings settings = DefaultSettings({6, std::nullopt, 20240501});
    EXPECT_EQ(settings.window.mainFontName, U("ＭＳ Ｐゴシック"));
    EXPECT_EQ(settings.edit.fontName, U("メイリオ")) << "the editor font does not depend on the system";
    EXPECT_EQ(settings.window.left, 100);
    EXPECT_EQ(settings.window.top, 100);
}

TEST(SettingsText, ValidFilesRoundTripExactly) {
    for (const std::string_view file : {kDefaultFile, kCustomFile}) {
        const std::u16string text = FileText(file);
        const Parsed parsed = Parse(text);
        EXPECT_EQ(ComposeSettingsText(parsed.settings, parsed.templates), text);
    }
}

TEST(SettingsText, CustomFileReadsIntoTheRecord) {
    const Parsed parsed = Parse(FileText(kCustomFile));
    const Settings& s = parsed.settings;
    EXPECT_EQ(s.system.diaryName, U("家族の日記 2024"));
    EXPECT_EQ(s.window.left, -1200);
    EXPECT_EQ(s.window.sideBarWidth, 7 * 15) << "derived from the box sizes, never read";
    EXPECT_EQ(s.calendar.rowUnit, 2);
    EXPECT_EQ(s.shortcutKey.pending[1], 0x0878);
    EXPECT_EQ(s.shortcutKey.active, s.shortcutKey.pending) << "reading makes the keys active";
    EXPECT_EQ(s.colour.text, MakeColorRef(255, 128, 0));
    EXPECT_EQ(s.colour.customColours[15], MakeColorRef(0, 0, 255));
    EXPECT_EQ(s.edit.fontName, U("Noto Sans 😀"));
    EXPECT_EQ(s.backImage.path, U("C:\\Pictures\\背景"));
    EXPECT_EQ(s.backImage.alpha, 250) << "the picture's Alpha is not clamped";
    EXPECT_EQ(s.search.history.count, 3);
    EXPECT_EQ(s.search.history.words[2], u"a=b, c\\d") << "the value is everything after the first =";
    ASSERT_EQ(parsed.templates.Count(), 4);
    EXPECT_EQ(parsed.templates.Items()[0], (TemplateItem{u"a,b\\c\td\ne", u"line1\r\nline2,\\x\t", 0x0341}));
    EXPECT_TRUE(parsed.templates.Items()[1].IsSeparator());
    EXPECT_EQ(parsed.templates.Items()[2], (TemplateItem{U("名前だけ"), u"", 0}));
    EXPECT_EQ(parsed.templates.Items()[3].key, 0x12345);
}

TEST(SettingsText, ClampsApplyOnReading) {
    const Parsed parsed = Parse(FileText(R"([Calendar]
BoxWidth=3
BoxHeight=-1
BoxMargin=-2
[Edit]
FontSize=0
TabStop=-4
ScrollLines=0
FontSizeHead=-9
[Window]
FontSizeS=0
FontSizeL=-5
[Color]
Alpha=250
[BackImage]
Alpha=250
[Other]
DefaultImageFormat=9
JPEGQuality=-1
ImageCopySave=3
SoundCopySave=-3
MovieCopySave=7
)"));
    const Settings& s = parsed.settings;
    EXPECT_EQ(s.calendar.boxWidth, 15);
    EXPECT_EQ(s.calendar.boxHeight, 12);
    EXPECT_EQ(s.calendar.boxMargin, 0);
    EXPECT_EQ(s.edit.fontSize, 1);
    EXPECT_EQ(s.edit.tabStop, 1);
    EXPECT_EQ(s.edit.scrollLines, 1);
    EXPECT_EQ(s.edit.fontSizeHead, 1);
    EXPECT_EQ(s.window.fontSizeS, 1);
    EXPECT_EQ(s.window.fontSizeM, 14);
    EXPECT_EQ(s.window.fontSizeL, 1);
    EXPECT_EQ(s.colour.alpha, 100);
    EXPECT_EQ(s.backImage.alpha, 250);
    EXPECT_EQ(s.other.defaultImageFormat, 4);
    EXPECT_EQ(s.other.jpegQuality, 0);
    EXPECT_EQ(s.other.imageCopySave, 2);
    EXPECT_EQ(s.other.soundCopySave, 0);
    EXPECT_EQ(s.other.movieCopySave, 2);
    EXPECT_EQ(s.window.sideBarWidth, 7 * 15);
}

TEST(SettingsText, LinesSectionsAndKeysFollowTheReadingRules) {
    const Parsed parsed =
        Parse(FileText("Left=1\n"               // before any section: ignored
                       "[Window]\rTop=2\r\n"    // a lone CR ends a line too
                       "[window]\nWidth=3\n"    // not a section: [Window] stays current
                       "[Window] \nHeight=4\n"  // nor is this
                       "left=5\nMaxWidth\n"     // key case matters; a line without "=" is ignored
                       "MarginLeft= 7x\n"       // numbers read like the C library
                       "MarginTop=\n"           // no digits gives 0
                       "MarginRight=+9=3\n"
                       "[Color]\nText=#ff8000\nCustomColor=FF0000,00FF00\n"
                       "[Search]\nSearchWord4=five\n"
                       "[Template]\nItem=no commas here\nItem=\nOther=x\n"
                       "[Search]\nMatchCase=1\nMatchCase=0\n"));
    const Settings& s = parsed.settings;
    EXPECT_EQ(s.window.left, 560);
    EXPECT_EQ(s.window.top, 2);
    EXPECT_EQ(s.window.width, 3);
    EXPECT_EQ(s.window.height, 4);
    EXPECT_EQ(s.window.maxWidth, 950);
    EXPECT_EQ(s.window.marginLeft, 7);
    EXPECT_EQ(s.window.marginTop, 0);
    EXPECT_EQ(s.window.marginRight, 9);
    EXPECT_EQ(s.colour.text, MakeColorRef(255, 128, 0));
    EXPECT_EQ(s.colour.customColours[0], MakeColorRef(255, 0, 0));
    EXPECT_EQ(s.colour.customColours[1], MakeColorRef(0, 255, 0));
    for (std::size_t i = 2; i < kCustomColourCount; ++i) {
        EXPECT_EQ(s.colour.customColours[i], 0u) << "colours after the last given are black";
    }
    EXPECT_EQ(s.search.history.count, 5);
    EXPECT_EQ(s.search.history.words, (std::array<std::u16string, 10>{u"", u"", u"", u"", u"five"}));
    EXPECT_EQ(s.search.matchCase, 0) << "the last of repeated keys wins";
    ASSERT_EQ(parsed.templates.Count(), 2);
    EXPECT_EQ(parsed.templates.Items()[0], (TemplateItem{u"no commas here", u"", 0}));
    EXPECT_EQ(parsed.templates.Items()[1], (TemplateItem{u"", u"", 0}));
}

TEST(SettingsText, OverlongStringsAreCutToTheirFields) {
    const std::u16string longText(300, u'x');
    const Parsed parsed = Parse(u"[System]\nDiaryName=" + longText + u"\n[Window]\nMainFontName=" + longText +
                                u"\n[Calendar]\nWeekFormat=" + longText + u"\n[Edit]\nFontName=" + longText +
                                u"\n[BackImage]\nPath=" + longText + u"\n[Search]\nSearchWord0=" + longText);
    const Settings& s = parsed.settings;
    EXPECT_EQ(s.system.diaryName.size(), 259u);
    EXPECT_EQ(s.window.mainFontName.size(), 62u);
    EXPECT_EQ(s.calendar.weekFormat.size(), 254u);
    EXPECT_EQ(s.edit.fontName.size(), 63u);
    EXPECT_EQ(s.backImage.path.size(), 260u);
    EXPECT_EQ(s.search.history.words[0].size(), 255u);
}

TEST(SettingsText, HistoryShrinksToTheLastSlotRead) {
    const Parsed parsed = Parse(u"[Search]\nSearchWord9=old\nSearchWord1=b\nSearchWord0=a\nSearchWord10=x\n");
    EXPECT_EQ(parsed.settings.search.history.count, 1);
    EXPECT_EQ(parsed.settings.search.history.words[9], u"") << "words past the count are not history";
    const std::u16string text = ComposeSettingsText(parsed.settings, parsed.templates);
    EXPECT_NE(text.find(u"WordOnly=0\r\nSearchWord0=a\r\n\r\n[Template]"), std::u16string::npos);
}

TEST(SettingsText, StringsWithLineBreaksCannotBreakTheFileApart) {
    Settings settings = Defaults();
    settings.system.diaryName = u"a\r\nEditLock=1";
    settings.search.history = {{u"x\ny", u"p\0q"s}, 2};
    const std::u16string text = ComposeSettingsText(settings, {});
    EXPECT_NE(text.find(u"DiaryName=a\r\nFileOpenFilterNumber"), std::u16string::npos);
    EXPECT_NE(text.find(u"SearchWord0=x\r\nSearchWord1=p\r\n"), std::u16string::npos);
    EXPECT_EQ(Parse(text).settings.other.editLock, 0);
}

class SettingsFileTest : public ::testing::Test {
  protected:
    SettingsFileTest() {
        state_.exeFolder = folder_.path().u16string();
        state_.settings = Defaults();
        state_.selectedDate = {2024, 5, 1};
    }
    std::filesystem::path SettingsPath() const { return folder_.path() / "tavrin.ini"; }

    TempFolder folder_;
    std::unique_ptr<FileSystem> fs_ = CreateSystemFileSystem();
    AppState state_;
};

TEST_F(SettingsFileTest, LoadThenSaveReproducesTheFileByteForByte) {
    const std::u16string text = FileText(kCustomFile);
    WriteBytes(SettingsPath(), Utf16FileBytes(text));
    ASSERT_TRUE(LoadSettings(*fs_, state_.exeFolder, state_));
    EXPECT_EQ(state_.restoreRect, (ScreenRect{-1200, 15, -1200 + 1024, 15 + 700}));
    EXPECT_EQ(state_.weekdayLabels, (WeekLabels{u"Sun", u"Mon", u"Tue", u"Wed", u"Thu", u"Fri", u"Sat"}));

    state_.selectedDate = {1999, 12, 31};
    const FrameGeometry maximised{false, true, false, ScreenRect{0, 0, 1920, 1040}};
    ASSERT_TRUE(SaveSettings(*fs_, state_.exeFolder, state_, maximised))
        << "maximised: RestoreRect is written";
    const std::vector<std::byte> saved = ReadBytes(SettingsPath());
    EXPECT_EQ(DecodeUtf16File(saved), text);
    EXPECT_TRUE(saved == Utf16FileBytes(text)) << "FF FE and the text, nothing else";
}

TEST_F(SettingsFileTest, SaveTakesTheFrameRectangleAndTheSelectedDate) {
    state_.selectedDate = {2025, 2, 3};
    ASSERT_TRUE(
        SaveSettings(*fs_, state_.exeFolder, state_, FrameGeometry{false, false, false, {10, 20, 650, 500}}));
    const std::u16string text = DecodeUtf16File(ReadBytes(SettingsPath()));
    EXPECT_NE(text.find(u"Left=10\r\nTop=20\r\nWidth=640\r\nHeight=480\r\n"), std::u16string::npos);
    EXPECT_NE(text.find(u"StartDate=20250203\r\n"), std::u16string::npos);
}

TEST_F(SettingsFileTest, MissingFileLeavesTheStateAlone) {
    InsertAt(state_.templates, 0, TemplateItem{u"keep", u"", 0});
    const Settings before = state_.settings;
    EXPECT_FALSE(LoadSettings(*fs_, state_.exeFolder, state_));
    EXPECT_EQ(state_.settings, before);
    EXPECT_EQ(state_.templates.Count(), 1);
}

TEST_F(SettingsFileTest, ReadFileReplacesTheTemplateList) {
    LoadDefaultTemplates(state_.templates);
    WriteBytes(SettingsPath(), Utf16FileBytes(u"[Template]\r\nItem=one,,0000\r\n"));
    ASSERT_TRUE(LoadSettings(*fs_, state_.exeFolder, state_));
    ASSERT_EQ(state_.templates.Count(), 1);
    EXPECT_EQ(state_.templates.Items()[0].name, u"one");
}

TEST_F(SettingsFileTest, FailedWritesLeaveTheOldFileIntact) {
    const std::vector<std::byte> old = Utf16FileBytes(FileText(kCustomFile));
    FaultInjectingFileSystem faulty(*fs_);
    state_.settings.system.diaryName = u"changed";
    // Count the operations of one good save, then fail each of them in turn.
    WriteBytes(SettingsPath(), old);
    ASSERT_TRUE(SaveSettings(faulty, state_.exeFolder, state_, std::nullopt));
    const int operations = faulty.OperationCount();
    ASSERT_GE(operations, 3);
    for (int failing = 1; failing <= operations; ++failing) {
        WriteBytes(SettingsPath(), old);
        faulty.ResetCount();
        // The last operation, the replace, is retried: it fails only when every attempt does.
        faulty.FailFor(failing, failing == operations ? FileSystem::kOpenAttempts : 1);
        EXPECT_FALSE(SaveSettings(faulty, state_.exeFolder, state_, std::nullopt)) << "operation " << failing;
        EXPECT_EQ(ReadBytes(SettingsPath()), old) << "operation " << failing;
        EXPECT_FALSE(std::filesystem::exists(TemporaryPathFor(SettingsPath())));
    }
    // A file held for a moment by another program is replaced on a later attempt.
    WriteBytes(SettingsPath(), old);
    faulty.ResetCount();
    faulty.FailOnly(operations);
    EXPECT_TRUE(SaveSettings(faulty, state_.exeFolder, state_, std::nullopt));
    EXPECT_NE(ReadBytes(SettingsPath()), old);
    EXPECT_EQ(faulty.RetryWaits(), 1);
}

TEST_F(SettingsFileTest, PendingResetDeletesTheFileAndTheNextStartUsesDefaults) {
    WriteBytes(SettingsPath(), Utf16FileBytes(FileText(kCustomFile)));
    state_.resetSettingsPending = true;
    EXPECT_TRUE(SaveSettings(*fs_, state_.exeFolder, state_, std::nullopt));
    EXPECT_FALSE(std::filesystem::exists(SettingsPath()));
    EXPECT_TRUE(SaveSettings(*fs_, state_.exeFolder, state_, std::nullopt)) << "nothing to delete is fine";

    AppState next;
    ASSERT_TRUE(InitialiseAppState(next, {{2024, 5, 1, 9, 0, 0, 3},
                                          state_.exeFolder + u"/tavrin.exe",
                                          10,
                                          1920,
                                          1080,
                                          ScreenRect{0, 0, 1920, 1040},
                                          500}));
    ReadSettingsAtStartup(*fs_, next);
    TemplateList defaults;
    LoadDefaultTemplates(defaults);
    EXPECT_EQ(next.templates, defaults);
    EXPECT_EQ(next.settings, Defaults());
}

// Each damaged file loads, and the save after it writes a clean file that reads back the same.
TEST_F(SettingsFileTest, DamagedFilesLoadAndTheNextSaveIsClean) {
    std::vector<std::vector<std::byte>> files;
    const std::u16string custom = FileText(kCustomFile);
    std::vector<std::byte> noMark = EncodeUtf16Le(custom);
    files.push_back(noMark);
    noMark.push_back(std::byte{0x41});
    files.push_back(noMark);  // odd byte count
    files.push_back(Utf16FileBytes(u"[Window]\r\nLe\0ft=5\r\nTop=7\0\r\n[Sys\0tem]\r\nDiaryName=x\0y\r\n"s));
    files.push_back(
        Utf16FileBytes(u"[System]\r\nDiaryName=\xD800x\xDC00\r\n[Template]\r\nItem=\xDBFF,\xDC00\\,,1\r\n"));
    files.push_back(Utf16FileBytes(u"[Calendar]\r\nWeekFormat=" + std::u16string(1 << 20, u',') +
                                   u"\r\n[Template]\r\nItem=" + std::u16string(1 << 20, u'\\') + u"\r\n"));
    std::u16string manyItems = u"[Template]\r\n";
    for (int i = 0; i < 10000; ++i) {
        manyItems += u"Item=t" + Decimal(i) + u",body\\n,0041\r\n";
    }
    files.push_back(Utf16FileBytes(manyItems));
    files.push_back(Utf16FileBytes(
        u"=\r\nLeft=\r\n[Window]\r\nLeft=\r\nTop\r\n=5\r\n[Color]\r\nCustomColor=\r\nText=\r\n"));
    files.push_back({});

    for (std::size_t i = 0; i < files.size(); ++i) {
        WriteBytes(SettingsPath(), files[i]);
        AppState state;
        state.settings = Defaults();
        state.selectedDate = {2024, 5, 1};
        ASSERT_TRUE(LoadSettings(*fs_, state_.exeFolder, state)) << "file " << i;
        ASSERT_TRUE(SaveSettings(*fs_, state_.exeFolder, state, std::nullopt)) << "file " << i;
        const std::vector<std::byte> saved = ReadBytes(SettingsPath());
        ExpectCleanFile(saved);
        AppState again;
        again.settings = Defaults();
        ASSERT_TRUE(LoadSettings(*fs_, state_.exeFolder, again));
        EXPECT_EQ(again.settings, state.settings) << "file " << i;
        EXPECT_EQ(again.templates, state.templates) << "file " << i;
    }
}

TEST_F(SettingsFileTest, DamagedFilesKeepWhatCanBeRead) {
    WriteBytes(SettingsPath(), EncodeUtf16Le(u"[Window]\r\nLeft=42\r\n"));
    ASSERT_TRUE(LoadSettings(*fs_, state_.exeFolder, state_));
    EXPECT_EQ(state_.settings.window.left, 42) << "no byte-order mark: UTF-16LE from the first byte";

    WriteBytes(SettingsPath(), Utf16FileBytes(u"[Window]\r\nTop=7\0Height=9\0\0\r\nWidth=3\r\n"s));
    ASSERT_TRUE(LoadSettings(*fs_, state_.exeFolder, state_));
    EXPECT_EQ(state_.settings.window.top, 7) << "a NUL ends its line";
    EXPECT_EQ(state_.settings.window.height, 9) << "the text after a NUL still counts";
    EXPECT_EQ(state_.settings.window.width, 3);
}

}  // namespace
}  // namespace tavrin
