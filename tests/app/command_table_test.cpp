#include <gtest/gtest.h>

#include <map>
#include <set>

#include "app/command_table.h"
#include "support/test_support.h"
#include "templates/template_list.h"

namespace tavrin {
namespace {

using testing::U;

// A keyboard layout with a few named keys: the arrow keys have a numeric-keypad name unless the
// extended name is asked for; 0x41 ("A") has a scan code but no name; 0xDE has no scan code.
class FakeKeyNames final : public KeyNameSource {
  public:
    unsigned ScanCodeOf(unsigned virtualKey) const override {
        static const std::map<unsigned, unsigned> kScanCodes{
            {0x25, 0x4B}, {0x46, 0x21}, {0x73, 0x3E}, {0x09, 0x0F}, {0x41, 0x1E}};
        const auto found = kScanCodes.find(virtualKey);
        return found == kScanCodes.end() ? 0 : found->second;
    }
    std::u16string NameOf(unsigned scanCode, bool extended) const override {
        switch (scanCode) {
            case 0x4B:
                return extended ? u"Left" : u"Num 4";
            case 0x21:
                return u"F";
            case 0x3E:
                return u"F4";
            case 0x0F:
                return std::u16string(200, u'T');
            default:
                return u"";
        }
    }
};

TEST(CommandTable, RowsHaveUniqueKeyNamesWithinTheFieldLimits) {
    const auto& table = CommandTable();
    std::set<std::u16string_view> keyNames;
    for (int row = 0; row < kCommandCount; ++row) {
        const CommandRow& command = table[static_cast<std::size_t>(row)];
        EXPECT_LE(command.displayName.size(), 19u) << row;
        EXPECT_LE(command.shortName.size(), 15u) << row;
        EXPECT_LE(command.keyName.size(), 15u) << row;
        EXPECT_EQ(command.displayName.front(), u'[') << row;
        EXPECT_TRUE(keyNames.insert(command.keyName).second) << row;
        EXPECT_EQ(CommandRowOfKeyName(command.keyName), row);
    }
    EXPECT_EQ(CommandRowOfKeyName(u"exit"), -1) << "key names are case-sensitive";
    EXPECT_EQ(table[0].keyName, u"Exit");
    EXPECT_EQ(table[0].displayName, U("[ウィンドウ] 終了"));
    EXPECT_EQ(table[0].shortName, U("閉じる"));
    EXPECT_EQ(table[32].keyName, u"DiaryChange");
    EXPECT_EQ(table[32].defaultKey, 0x11DE);
    EXPECT_EQ(table[40].displayName, U("[編集] 画像（音声・動画）の挿入"));
    EXPECT_EQ(table[40].shortName, U("画像の挿入"));
    EXPECT_EQ(table[47].keyName, u"SearchSelect");
    EXPECT_EQ(table[47].defaultKey, 0x0346);
    for (int row : {1, 2, 7}) {
        EXPECT_EQ(table[static_cast<std::size_t>(row)].defaultKey, 0)
            << "row " << row << " has no default key";
    }
}

TEST(CommandTable, CommandIds) {
    EXPECT_EQ(CommandIdOfRow(0), 41001);
    EXPECT_EQ(CommandIdOfRow(47), 41048);
    EXPECT_EQ(TemplateCommandId(0), 45000);
    EXPECT_EQ(TemplateCommandId(10), 45010);
}

TEST(FormatShortcutKey, ModifiersAndSeparators) {
    const FakeKeyNames names;
    EXPECT_EQ(FormatShortcutKey(0x0000, true, names), u"") << "nothing to show";
    EXPECT_EQ(FormatShortcutKey(0x0300, true, names), u"Ctrl + Shift") << "no trailing separator";
    EXPECT_EQ(FormatShortcutKey(0x0F00, false, names), u"Win+Ctrl+Shift+Alt");
    EXPECT_EQ(FormatShortcutKey(0x0846, true, names), u"Win + F");
    EXPECT_EQ(FormatShortcutKey(0x0346, false, names), u"Ctrl+Shift+F");
    EXPECT_EQ(FormatShortcutKey(0x0473, true, names), u"Alt + F4");
}

TEST(FormatShortcutKey, KeyNamesAndFallbacks) {
    const FakeKeyNames names;
    EXPECT_EQ(FormatShortcutKey(0x1125, false, names), u"Ctrl+Left")
        << "the extended flag picks the arrow key";
    EXPECT_EQ(FormatShortcutKey(0x0125, false, names), u"Ctrl+Num 4");
    EXPECT_EQ(FormatShortcutKey(0x0041, true, names), u"A") << "a key without a name shows its character";
    EXPECT_EQ(FormatShortcutKey(0x01DE, true, names), u"Ctrl + DE") << "codes above 0x7F show as hex";
    EXPECT_EQ(FormatShortcutKey(0x0009, true, names), std::u16string(127, u'T'))
        << "names are cut to the buffer";
}

TEST(BuildAccelerators, OneEntryPerRowThenPerTemplate) {
    ShortcutKeyArray keys = DefaultShortcutKeys();
    keys[1] = 0x0846;  // Win + F: Win takes no part in the accelerator
    TemplateList templates;
    LoadDefaultTemplates(templates);
    InsertAt(templates, templates.Count(), TemplateItem{u"negative", u"x", -5});
    InsertAt(templates, templates.Count(), TemplateItem{u"last", u"x", 0x0341});

    const std::vector<AcceleratorEntry> entries = BuildAccelerators(keys, templates);
    ASSERT_EQ(entries.size(), 48u + 13u);
    EXPECT_EQ(entries[0], (AcceleratorEntry{kAccelVirtKey | kAccelAlt, 0x73, 41001})) << "Alt + F4";
    EXPECT_EQ(entries[1], (AcceleratorEntry{kAccelVirtKey, 0x46, 41002}));
    EXPECT_EQ(entries[2], (AcceleratorEntry{kAccelVirtKey, 0, 41003}))
        << "a row without a key keeps its entry";
    EXPECT_EQ(entries[23], (AcceleratorEntry{kAccelVirtKey | kAccelControl, 0x25, 41024}))
        << "extended flag dropped";
    EXPECT_EQ(entries[47], (AcceleratorEntry{kAccelVirtKey | kAccelControl | kAccelShift, 0x46, 41048}));
    EXPECT_EQ(entries[48], (AcceleratorEntry{kAccelVirtKey | kAccelAlt, 0xBB, 45000}));
    EXPECT_EQ(entries[50], (AcceleratorEntry{kAccelVirtKey | kAccelControl, 0x44, 45002}));
    EXPECT_EQ(entries[51], AcceleratorEntry{}) << "a template without a key gets an empty entry";
    EXPECT_EQ(entries[53], (AcceleratorEntry{kAccelVirtKey | kAccelAlt, 0x2D, 45005}));
    EXPECT_EQ(entries[59], AcceleratorEntry{}) << "a negative key means none";
    EXPECT_EQ(entries[60], (AcceleratorEntry{kAccelVirtKey | kAccelControl | kAccelShift, 0x41, 45012}))
        << "later templates keep their positions";
}

TEST(BuildAccelerators, TemplateIdsBeyondSixteenBitsGetNoBinding) {
    TemplateList templates;
    const int count = 0x10000 - kTemplateCommandBase + 1;
    for (int i = 0; i < count; ++i) {
        InsertAt(templates, i, TemplateItem{u"t", u"x", 0x0141});
    }
    const std::vector<AcceleratorEntry> entries = BuildAccelerators(DefaultShortcutKeys(), templates);
    EXPECT_EQ(entries[48 + count - 2].command, 0xFFFF);
    EXPECT_EQ(entries[48 + count - 1], AcceleratorEntry{}) << "no wrap-around onto another command id";
}

}  // namespace
}  // namespace tavrin
