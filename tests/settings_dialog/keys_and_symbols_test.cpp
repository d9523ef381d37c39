// The key editor shared by the template and keyboard pages, the keyboard page's pending keys, the
// special-symbol list's rows and placement, and the restart lock's name.
#include <gtest/gtest.h>

#include <set>
#include <string>

#include "app/restart.h"
#include "app/settings.h"
#include "settings_dialog/key_field.h"
#include "settings_dialog/keyboard_page_model.h"
#include "settings_dialog/symbol_list_model.h"
#include "templates/template_codes.h"

namespace tavrin {
namespace {

constexpr unsigned kF5 = 0x74;
constexpr unsigned kF8 = 0x77;

// Key names as a keyboard layout would give them, for the list's key column.
class FixedKeyNames final : public KeyNameSource {
public:
    unsigned ScanCodeOf(unsigned virtualKey) const override { return virtualKey == kF8 ? 0x42 : 0; }
    std::u16string NameOf(unsigned scanCode, bool) const override { return scanCode == 0x42 ? u"F8" : u""; }
};

TEST(KeyField, ChecksAndTheFieldComposeTheKey) {
    EXPECT_EQ(ComposeShortcutKey({true, true, false, kF5}), 0x0374);
    EXPECT_EQ(ComposeShortcutKey({}), 0) << "クリア";
    EXPECT_EQ(ComposeShortcutKey({true, false, false, 0}), 0x0100) << "a modifier alone is kept";
    EXPECT_EQ(ComposeShortcutKey({true, false, false, (kHotKeyFieldExtended << 8) | 0x27}), 0x1127);
    EXPECT_EQ(ComposeShortcutKey({false, false, true, ExtraHotKeyValue(0x2E)}), 0x142E)
        << "Delete is extended";
    EXPECT_EQ(ExtraHotKeyValue(0x09), 0x09);
    EXPECT_EQ(ExtraHotKeyValue(0x41), 0) << "letters are the control's own";

    // Every key the controls can show comes back unchanged (the Win flag has no box).
    for (unsigned flags = 0; flags < 0x20; ++flags) {
        for (unsigned code = 0; code < 0x100; ++code) {
            const ShortcutKey key = MakeShortcutKey(flags & ~kKeyWin, code);
            const ShortcutKey expected = code == 0 ? MakeShortcutKey(flags & 0x07, 0) : key;
            ASSERT_EQ(ComposeShortcutKey(KeyFieldStateOf(key)), expected) << std::hex << key;
        }
    }
}

TEST(KeyboardPage, PendingKeysAreEditedAndAcceptedOnlyWhenChanged) {
    Settings settings;
    KeyboardPageModel model(settings.shortcutKey.active);
    EXPECT_EQ(model.Selected(), 0);
    model.Select(24);
    model.Select(48);
    model.Select(-1);
    EXPECT_EQ(model.Selected(), 24) << "a row always stays selected";
    EXPECT_EQ(KeyboardPageModel::RowName(24), u"[日記] 次の日");
    EXPECT_TRUE(model.SetSelectedKey(MakeShortcutKey(0, kF8)));
    EXPECT_FALSE(model.SetSelectedKey(MakeShortcutKey(0, kF8)));
    EXPECT_EQ(model.RowKeyText(24, FixedKeyNames()), u"F8");
    EXPECT_EQ(model.RowKeyText(1, FixedKeyNames()), u"") << "Max has no key";

    ChangeFlags flags;
    model.Accept(settings, flags);
    EXPECT_TRUE(flags.keys);
    EXPECT_EQ(settings.shortcutKey.pending[24], 0x0077);
    EXPECT_EQ(settings.shortcutKey.active[24], 0x1127) << "the program copies them after OK";

    KeyboardPageModel reset(settings.shortcutKey.pending);
    reset.ResetToDefaults();
    ChangeFlags none;
    reset.Accept(settings, none);
    EXPECT_FALSE(none.keys) << "back to the active keys";
    EXPECT_EQ(settings.shortcutKey.pending, DefaultShortcutKeys());
}

TEST(SymbolList, RowsColumnsAndPlacement) {
    const std::vector<SymbolRow> rows =
        SymbolRows([](std::u16string_view code) -> std::optional<std::u16string> {
            if (code == u"$Y") {
                return u"2024";
            }
            return std::nullopt;
        });
    ASSERT_EQ(rows.size(), 49u);
    EXPECT_EQ(rows.front().code, u"$1");
    EXPECT_EQ(rows.front().description, u"日付");
    EXPECT_EQ(rows.back().code, u"$n");
    const auto year =
        std::find_if(rows.begin(), rows.end(), [](const SymbolRow& row) { return row.code == u"$Y"; });
    ASSERT_NE(year, rows.end());
    EXPECT_EQ(year->example, u"2024");
    std::set<std::u16string> codes;
    for (const SymbolRow& row : rows) {
        codes.insert(row.code);
    }
    EXPECT_EQ(codes.size(), 49u);

    EXPECT_EQ(SymbolListColumns(500, 2, 17), (SymbolColumns{59, 210, 210}));
    EXPECT_EQ(SymbolListColumns(10, 2, 17), (SymbolColumns{0, 0, 0}));

    const ScreenRect sheet{100, 50, 700, 650};
    EXPECT_EQ(SymbolListPlacement(std::nullopt, sheet, 96), (ScreenRect{400, 100, 900, 600}));
    EXPECT_EQ(SymbolListPlacement(std::nullopt, sheet, 144), (ScreenRect{250, -25, 1000, 725}));
    const ScreenRect remembered{1, 2, 3, 4};
    EXPECT_EQ(SymbolListPlacement(remembered, sheet, 144), remembered);
}

TEST(RestartLock, OneNamePerProgramFolder) {
    const std::u16string a = RestartLockName(u"C:\\TOOLS\\TAVRIN\\TAVRIN.EXE");
    EXPECT_EQ(a, RestartLockName(u"C:\\TOOLS\\TAVRIN\\TAVRIN.EXE"));
    EXPECT_NE(a, RestartLockName(u"C:\\TOOLS\\TAVRIN2\\TAVRIN.EXE"));
    EXPECT_TRUE(a.starts_with(u"Local\\Tavrin.Restart."));
    EXPECT_EQ(a.find(u'\\', 6), std::u16string::npos) << "no backslash after the namespace";
    EXPECT_EQ(a.size(), std::u16string_view(u"Local\\Tavrin.Restart.").size() + 16);
}

}  // namespace
}  // namespace tavrin
