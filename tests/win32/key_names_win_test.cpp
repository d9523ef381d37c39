// Key texts and accelerators with the real keyboard layout.
#include <windows.h>

#include <gtest/gtest.h>

#include <vector>

#include "app/accelerators_win.h"
#include "app/key_names_win.h"
#include "templates/template_list.h"

namespace tavrin {
namespace {

TEST(KeyNames, DefaultKeysReadAsUsersExpect) {
    const SystemKeyNames names;
    EXPECT_EQ(FormatShortcutKey(0x0473, false, names), u"Alt+F4");
    EXPECT_EQ(FormatShortcutKey(0x0346, false, names), u"Ctrl+Shift+F");
    EXPECT_EQ(FormatShortcutKey(0x0346, true, names), u"Ctrl + Shift + F");
    EXPECT_EQ(FormatShortcutKey(0x0000, true, names), u"");
    EXPECT_EQ(FormatShortcutKey(0x0300, true, names), u"Ctrl + Shift");
    EXPECT_EQ(FormatShortcutKey(0x0846, true, names), u"Win + F");
    EXPECT_FALSE(FormatShortcutKey(0x1125, false, names).empty()) << "Ctrl + Left, extended";
}

TEST(KeyNames, TheAcceleratorTableHoldsEveryCommandAndTemplateKey) {
    App app;
    app.state.settings.shortcutKey.active = DefaultShortcutKeys();
    LoadDefaultTemplates(app.state.templates);
    RebuildAccelerators(app);
    ASSERT_TRUE(app.shell.accelerators);
    const int count = CopyAcceleratorTableW(app.shell.accelerators, nullptr, 0);
    ASSERT_EQ(count, kCommandCount + 11);
    std::vector<ACCEL> table(static_cast<std::size_t>(count));
    CopyAcceleratorTableW(app.shell.accelerators, table.data(), count);
    EXPECT_EQ(table[0].key, VK_F4);
    EXPECT_EQ(table[0].fVirt, FVIRTKEY | FALT);
    EXPECT_EQ(table[0].cmd, 41001);
    EXPECT_EQ(table[47].fVirt, FVIRTKEY | FCONTROL | FSHIFT) << "SearchSelect, Ctrl + Shift + F";
    EXPECT_EQ(table[kCommandCount + 2].cmd, 45002) << "日付と時刻, Ctrl + D";
    EXPECT_EQ(table[kCommandCount + 2].key, 'D');
    EXPECT_EQ(table[kCommandCount + 3].cmd, 0) << "a template without a key gets an empty entry";
    DestroyAccelerators(app);
    EXPECT_FALSE(app.shell.accelerators);
}

}  // namespace
}  // namespace tavrin
