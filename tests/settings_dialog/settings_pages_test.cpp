// The pages built from field tables: what the controls start with, what OK stores, and which groups of
// the program must follow.
#include <gtest/gtest.h>

#include <random>
#include <string>

#include "../../resources/settings_resource.h"
#include "settings_dialog/colour_rows.h"
#include "settings_dialog/settings_apply.h"
#include "settings_dialog/settings_pages.h"

namespace tavrin {
namespace {

constexpr SettingsPage kTablePages[] = {
    SettingsPage::kGeneral, SettingsPage::kEdit,    SettingsPage::kCalendar, SettingsPage::kBackground,
    SettingsPage::kPaste,   SettingsPage::kStartup, SettingsPage::kOther};

FieldValue& ValueOf(SettingsPage page, FieldValues& values, int control) {
    const int index = FieldIndexOf(SettingsPageFields(page), control);
    EXPECT_GE(index, 0) << control;
    return values.at(static_cast<std::size_t>(index));
}

// Loads a page, lets change() edit what the controls show, and accepts it.
template <typename Change>
ChangeFlags Edit(SettingsPage page, Settings& settings, Change change) {
    FieldValues values = LoadFields(SettingsPageFields(page), settings);
    change(values);
    ChangeFlags flags;
    AcceptSettingsPage(page, values, settings, flags);
    return flags;
}

TEST(SettingsPages, OkWithoutChangesStoresNothingAndRaisesNoFlag) {
    Settings settings = DefaultSettings(MachineFacts{10, ScreenRect{0, 0, 1600, 1000}, 20240501});
    settings.other.editLock = 2;       // a hand-edited flag stays as it is while its box stays ticked
    settings.other.startDateMode = 7;  // a choice outside the list shows nothing and stays
    settings.backImage.path = u"C:\\pictures\\";  // only a changed path is trimmed
    const Settings before = settings;
    for (const SettingsPage page : kTablePages) {
        const ChangeFlags flags = Edit(page, settings, [](FieldValues&) {});
        EXPECT_EQ(flags, ChangeFlags{}) << static_cast<int>(page);
    }
    EXPECT_EQ(settings, before);
    EXPECT_EQ(PlanApply(ChangeFlags{}), ApplySteps{}) << "OK alone only writes the file";
}

TEST(SettingsPages, NumberFieldsReadTextLikeTheCLibraryAndClamp) {
    Settings settings;
    const ChangeFlags flags = Edit(SettingsPage::kEdit, settings, [](FieldValues& values) {
        ValueOf(SettingsPage::kEdit, values, IDC_EDIT_SIZE).text = u"5000";
        ValueOf(SettingsPage::kEdit, values, IDC_EDIT_SPACING).text = u"-1200";
        ValueOf(SettingsPage::kEdit, values, IDC_EDIT_SCROLL).text = u"abc";
        ValueOf(SettingsPage::kEdit, values, IDC_EDIT_HEAD).text = u"  150%";
        ValueOf(SettingsPage::kEdit, values, IDC_EDIT_TAB).text = u"8";
    });
    EXPECT_EQ(settings.edit.fontSize, 999);
    EXPECT_EQ(settings.edit.lineSpacing, -999);
    EXPECT_EQ(settings.edit.scrollLines, 1) << "text without digits reads 0, then the clamp";
    EXPECT_EQ(settings.edit.fontSizeHead, 150);
    EXPECT_EQ(settings.edit.tabStop, 8);
    EXPECT_EQ(flags, (ChangeFlags{.editorStyle = true}));

    Edit(SettingsPage::kEdit, settings, [](FieldValues& values) {
        ValueOf(SettingsPage::kEdit, values, IDC_EDIT_SIZE).text = u"0";
        ValueOf(SettingsPage::kEdit, values, IDC_EDIT_SPACING).text = u"99999999999999";
    });
    EXPECT_EQ(settings.edit.fontSize, 1);
    EXPECT_EQ(settings.edit.lineSpacing, 999) << "a number beyond int saturates before the clamp";
}

TEST(SettingsPages, OnlyAColourReSendsTheStyleAndRepaints) {
    Settings settings;
    const ChangeFlags flags = Edit(SettingsPage::kGeneral, settings, [](FieldValues& values) {
        const auto fields = SettingsPageFields(SettingsPage::kGeneral);
        for (std::size_t i = 0; i < fields.size(); ++i) {
            if (fields[i].kind == FieldKind::kColour && fields[i].control == kColourRowSlot + 4) {
                values[i].number = static_cast<int>(MakeColorRef(10, 20, 30));
            }
        }
    });
    EXPECT_EQ(settings.colour.head, MakeColorRef(10, 20, 30));
    const ApplySteps steps = PlanApply(flags);
    EXPECT_TRUE(steps.sendEditorStyle);
    EXPECT_TRUE(steps.relayout);
    EXPECT_FALSE(steps.rebuildAccelerators);
    EXPECT_FALSE(steps.reloadBackground);
    EXPECT_FALSE(steps.recreateSideFonts);
}

TEST(SettingsPages, GeneralResetPutsColoursAlphaAndShadowBackOnThePageOnly) {
    Settings settings;
    settings.colour.text = MakeColorRef(1, 2, 3);
    settings.colour.file = MakeColorRef(4, 5, 6);
    settings.colour.alpha = 70;
    settings.colour.textDropShadow = 1;
    settings.colour.customColours[3] = MakeColorRef(9, 9, 9);
    FieldValues values = LoadFields(SettingsPageFields(SettingsPage::kGeneral), settings);
    ResetGeneralPageColours(values);
    EXPECT_EQ(settings.colour.text, MakeColorRef(1, 2, 3)) << "nothing is stored before OK";

    ChangeFlags flags;
    AcceptSettingsPage(SettingsPage::kGeneral, values, settings, flags);
    const ColourSettings defaults;
    EXPECT_EQ(settings.colour.text, defaults.text);
    EXPECT_EQ(settings.colour.file, defaults.file);
    EXPECT_EQ(settings.colour.alpha, 15);
    EXPECT_EQ(settings.colour.textDropShadow, 0);
    EXPECT_EQ(settings.colour.customColours[3], MakeColorRef(9, 9, 9)) << "custom colours are not colours";
    EXPECT_TRUE(flags.editorStyle);
}

TEST(SettingsPages, WindowFontAndSizesRecreateTheSideFontsAndLayout) {
    Settings settings;
    const ChangeFlags flags = Edit(SettingsPage::kGeneral, settings, [](FieldValues& values) {
        ValueOf(SettingsPage::kGeneral, values, IDC_GEN_FONT).text = std::u16string(80, u'あ');
        ValueOf(SettingsPage::kGeneral, values, IDC_GEN_SIZE_L).text = u"150";
        ValueOf(SettingsPage::kGeneral, values, IDC_GEN_SIDE_LEFT).number = 1;
    });
    EXPECT_EQ(settings.window.mainFontName, std::u16string(62, u'あ'));
    EXPECT_EQ(settings.window.fontSizeL, 99);
    EXPECT_EQ(settings.window.sideBarLayout, 1);
    EXPECT_EQ(flags, (ChangeFlags{.sideFonts = true, .frameLayout = true}));
}

TEST(SettingsPages, BackgroundPathIsCutAndLosesTrailingBackslashes) {
    Settings settings;
    settings.backImage.showBackImage = 1;
    ChangeFlags flags = Edit(SettingsPage::kBackground, settings, [](FieldValues& values) {
        ValueOf(SettingsPage::kBackground, values, IDC_BACK_SHOW).number = 0;
        ValueOf(SettingsPage::kBackground, values, IDC_BACK_PATH).text = u"C:\\写真\\\\\\";
    });
    EXPECT_EQ(settings.backImage.showBackImage, 0);
    EXPECT_EQ(settings.backImage.path, u"C:\\写真");
    EXPECT_TRUE(PlanApply(flags).reloadBackground) << "hiding the picture reloads (hides) it";

    Edit(SettingsPage::kBackground, settings, [](FieldValues& values) {
        ValueOf(SettingsPage::kBackground, values, IDC_BACK_PATH).text = u"D:\\\\";
    });
    EXPECT_EQ(settings.backImage.path, u"D:\\") << "a drive's root keeps its backslash";

    const std::u16string longPath = u"C:\\" + std::u16string(297, u'p');
    Edit(SettingsPage::kBackground, settings, [&longPath](FieldValues& values) {
        ValueOf(SettingsPage::kBackground, values, IDC_BACK_PATH).text = longPath;
    });
    EXPECT_EQ(settings.backImage.path, longPath.substr(0, 260));
}

TEST(SettingsPages, BoxMarginRecomputesTheSidebarWidth) {
    Settings settings;
    settings.calendar.boxWidth = 40;
    const ChangeFlags flags = Edit(SettingsPage::kCalendar, settings, [](FieldValues& values) {
        ValueOf(SettingsPage::kCalendar, values, IDC_CAL_MARGIN).text = u"120";
        ValueOf(SettingsPage::kCalendar, values, IDC_CAL_START).number = 1;
    });
    EXPECT_EQ(settings.calendar.boxMargin, 99);
    EXPECT_EQ(settings.window.sideBarWidth, 7 * 40 + 6 * 99);
    EXPECT_EQ(settings.calendar.startWeek, 1);
    EXPECT_EQ(flags, (ChangeFlags{.frameLayout = true}));
}

TEST(SettingsPages, EditorOptionsAloneAreWrittenWithoutTheStyle) {
    Settings settings;
    const ChangeFlags flags = Edit(SettingsPage::kOther, settings, [](FieldValues& values) {
        ValueOf(SettingsPage::kOther, values, IDC_OTHER_FIRST + 4).number = 1;  // AutoPlay
        ValueOf(SettingsPage::kOther, values, IDC_OTHER_FIRST + 1).number = 1;  // EditLock
    });
    EXPECT_EQ(settings.other.autoPlay, 1);
    EXPECT_EQ(settings.other.editLock, 1);
    const ApplySteps steps = PlanApply(flags);
    EXPECT_TRUE(steps.writeEditorOptions);
    EXPECT_FALSE(steps.sendEditorStyle);
}

TEST(SettingsPages, AResetAppliesNothingAndWritesNoFile) {
    const ApplySteps steps = PlanApply(ChangeFlags{.keys = true, .editorStyle = true, .reset = true});
    EXPECT_EQ(steps, (ApplySteps{.saveSettings = false}));
}

// Whatever the controls hold, what OK stores reads back into the controls as a fixed point: a second OK
// with what the page then shows changes nothing and raises no flag.
TEST(SettingsPages, AcceptedValuesAreAFixedPoint) {
    std::mt19937 random(13);
    const std::u16string texts[] = {u"",   u"0",    u"-5",      u"12",      u"100000",
                                    u"x7", u" 42 ", u"\\\\a\\", u"メイリオ"};
    for (int round = 0; round < 300; ++round) {
        for (const SettingsPage page : kTablePages) {
            Settings settings;
            const auto fields = SettingsPageFields(page);
            FieldValues values = LoadFields(fields, settings);
            for (FieldValue& value : values) {
                value.number = std::uniform_int_distribution<int>(-2, 8)(random);
                value.text =
                    texts[std::uniform_int_distribution<std::size_t>(0, std::size(texts) - 1)(random)];
            }
            ChangeFlags first;
            AcceptSettingsPage(page, values, settings, first);
            const Settings accepted = settings;
            ChangeFlags second;
            EXPECT_FALSE(AcceptSettingsPage(page, LoadFields(fields, settings), settings, second));
            EXPECT_EQ(second, ChangeFlags{});
            ASSERT_EQ(settings, accepted) << "page " << static_cast<int>(page) << " round " << round;
        }
    }
}

TEST(SettingsPages, StartPageFollowsTheLastPageShown) {
    Settings settings;
    settings.window.settingPage = 6;
    EXPECT_EQ(StartPageIndex(settings), 6);
    settings.window.settingPage = 9;
    EXPECT_EQ(StartPageIndex(settings), 0);
    settings.window.settingPage = -1;
    EXPECT_EQ(StartPageIndex(settings), 0);
    EXPECT_EQ(SettingsPageResource(SettingsPage::kKeyboard, 10), IDD_SETTINGS_KEYBOARD);
    EXPECT_EQ(SettingsPageResource(SettingsPage::kKeyboard, 6),
              IDD_SETTINGS_KEYBOARD + IDD_SETTINGS_CLASSIC_OFFSET);
}

TEST(ColourRows, ClipboardTextRoundTripsAndRejectsOtherText) {
    std::mt19937 random(7);
    for (int i = 0; i < 500; ++i) {
        const ColorRef colour = random() & 0xFFFFFF;
        EXPECT_EQ(ParseColourClipboardText(ColourClipboardText(colour)), colour);
        EXPECT_EQ(InvertColour(InvertColour(colour)), colour);
    }
    EXPECT_EQ(ColourClipboardText(MakeColorRef(0, 128, 192)), u"#0080C0");
    EXPECT_EQ(ParseColourClipboardText(u" ff8000\r\n"), MakeColorRef(255, 128, 0));
    for (const std::u16string_view junk :
         {u"", u"#", u"#12345", u"#1234567", u"red", u"今日は #FF0000", u"#GG0000"}) {
        EXPECT_FALSE(ParseColourClipboardText(junk).has_value()) << std::u16string(junk).size();
    }
    EXPECT_EQ(InvertColour(MakeColorRef(0, 128, 192)), MakeColorRef(255, 127, 63));
    EXPECT_EQ(ColourRowName(3), u"日曜日・祝日");
}

}  // namespace
}  // namespace tavrin
