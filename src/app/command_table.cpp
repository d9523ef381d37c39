#include "app/command_table.h"

#include <limits>

#include "platform/text.h"
#include "templates/template_list.h"

namespace tavrin {

const std::array<CommandRow, kCommandCount>& CommandTable() noexcept {
    static constexpr std::array<CommandRow, kCommandCount> kTable{{
        {u"[ウィンドウ] 終了", u"閉じる", u"Exit", 0x0473},
        {u"[ウィンドウ] 最大化", u"最大化", u"Max", 0x0000},
        {u"[ウィンドウ] 最小化", u"最小化", u"Min", 0x0000},
        {u"[ウィンドウ] フルスクリーン", u"フルスクリーン", u"Fullscreen", 0x007A},
        {u"[ウィンドウ] ツールバー表示", u"ツールバー表示", u"ToolBar", 0x0454},
        {u"[ウィンドウ] サイドバー表示", u"サイドバー表示", u"SideBar", 0x0453},
        {u"[ウィンドウ] フォーカス移動", u"フォーカス移動", u"Focus", 0x0109},
        {u"[ウィンドウ] バージョン情報", u"バージョン情報", u"Version", 0x0000},
        {u"[ウィンドウ] 設定", u"設定", u"Setting", 0x014F},
        {u"[メニュー] メインメニュー", u"メインメニュー", u"MenuMain", 0x010D},
        {u"[メニュー] 年選択メニュー", u"年選択メニュー", u"MenuYear", 0x0459},
        {u"[メニュー] 月選択メニュー", u"月選択メニュー", u"MenuMonth", 0x044D},
        {u"[メニュー] 日選択メニュー", u"日選択メニュー", u"MenuDay", 0x0444},
        {u"[メニュー] 日記フォルダメニュー", u"日記フォルダメニュー", u"MenuDiaryFolder", 0x0446},
        {u"[メニュー] 定型文メニュー", u"定型文メニュー", u"MenuTemplate", 0x0450},
        {u"[画面モード] 編集", u"編集", u"ModeEdit", 0x0070},
        {u"[画面モード] カレンダー", u"カレンダー", u"ModeCalendar", 0x0071},
        {u"[日記] 今日", u"今日", u"Today", 0x0120},
        {u"[日記] 一番古い日記", u"一番古い日記", u"OldDiary", 0x1024},
        {u"[日記] 前の日記", u"前の日記", u"PrevDiary", 0x1021},
        {u"[日記] １年前", u"１年前", u"PrevYear", 0x1325},
        {u"[日記] １月前", u"１月前", u"PrevMonth", 0x1326},
        {u"[日記] １週間前", u"１週間前", u"PrevWeek", 0x1126},
        {u"[日記] 前の日", u"前の日", u"PrevDay", 0x1125},
        {u"[日記] 次の日", u"次の日", u"NextDay", 0x1127},
        {u"[日記] １週間後", u"１週間後", u"NextWeek", 0x1128},
        {u"[日記] １月後", u"１月後", u"NextMonth", 0x1328},
        {u"[日記] １年後", u"１年後", u"NextYear", 0x1327},
        {u"[日記] 次の日記", u"次の日記", u"NextDiary", 0x1022},
        {u"[日記] 一番新しい日記", u"一番新しい日記", u"NewDiary", 0x1023},
        {u"[日記] 指定日へ移動", u"指定日へ移動", u"Jump", 0x014A},
        {u"[日記] 上書き保存", u"上書き保存", u"SaveAs", 0x0153},
        {u"[日記] 日記フォルダ切り替え", u"日記フォルダ切り替え", u"DiaryChange", 0x11DE},
        {u"[編集] 元に戻す", u"元に戻す", u"EditUndo", 0x015A},
        {u"[編集] やり直し", u"やり直し", u"EditRedo", 0x0159},
        {u"[編集] 切り取り", u"切り取り", u"EditCut", 0x0158},
        {u"[編集] コピー", u"コピー", u"EditCopy", 0x0143},
        {u"[編集] 貼り付け", u"貼り付け", u"EditPaste", 0x0156},
        {u"[編集] 削除", u"削除", u"EditDelete", 0x102E},
        {u"[編集] すべて選択", u"すべて選択", u"EditAllSelect", 0x0141},
        {u"[編集] 画像（音声・動画）の挿入", u"画像の挿入", u"EditInsertFile", 0x014D},
        {u"[編集] カーソル位置のリンクを開く", u"カーソル位置のリンクを開く", u"EditOpenLink", 0x034C},
        {u"[編集] 文字サイズ＋", u"文字サイズ＋", u"EditFontPlus", 0x016B},
        {u"[編集] 文字サイズ－", u"文字サイズ－", u"EditFontMinus", 0x016D},
        {u"[編集] 行間＋", u"行間＋", u"EditSpacePlus", 0x036B},
        {u"[編集] 行間－", u"行間－", u"EditSpaceMinus", 0x036D},
        {u"[検索] 検索", u"検索", u"Search", 0x0146},
        {u"[検索] 選択テキストを検索", u"選択テキストを検索", u"SearchSelect", 0x0346},
    }};
    return kTable;
}

int CommandRowOfKeyName(std::u16string_view name) noexcept {
    const auto& table = CommandTable();
    for (int row = 0; row < kCommandCount; ++row) {
        if (table[static_cast<std::size_t>(row)].keyName == name) {
            return row;
        }
    }
    return -1;
}

ShortcutKeyArray DefaultShortcutKeys() noexcept {
    ShortcutKeyArray keys{};
    for (std::size_t row = 0; row < keys.size(); ++row) {
        keys[row] = CommandTable()[row].defaultKey;
    }
    return keys;
}

std::u16string FormatShortcutKey(std::uint32_t key, bool spacing, const KeyNameSource& keyNames) {
    // The system's key-name buffer holds 128 characters with the terminating NUL.
    constexpr std::size_t kKeyNameMax = 127;
    struct Modifier {
        unsigned flag;
        std::u16string_view text;
    };
    static constexpr std::array<Modifier, 4> kModifiers{
        {{kKeyWin, u"Win"}, {kKeyCtrl, u"Ctrl"}, {kKeyShift, u"Shift"}, {kKeyAlt, u"Alt"}}};
    const std::u16string_view separator = spacing ? u" + " : u"+";
    const unsigned flags = KeyFlags(key);
    const unsigned code = KeyCode(key);

    std::u16string text;
    for (std::size_t i = 0; i < kModifiers.size(); ++i) {
        if ((flags & kModifiers[i].flag) == 0) {
            continue;
        }
        text += kModifiers[i].text;
        bool laterPart = code != 0;
        for (std::size_t j = i + 1; j < kModifiers.size(); ++j) {
            laterPart = laterPart || (flags & kModifiers[j].flag) != 0;
        }
        if (laterPart) {
            text += separator;
        }
    }
    if (code == 0) {
        return text;
    }
    const unsigned scanCode = keyNames.ScanCodeOf(code);
    std::u16string name = scanCode != 0 ? keyNames.NameOf(scanCode, (flags & kKeyExtended) != 0) : u"";
    if (!name.empty()) {
        text += name.substr(0, kKeyNameMax);
    } else if (code > 0x7F) {
        AppendHex(text, code, 2);
    } else {
        text.push_back(static_cast<char16_t>(code));
    }
    return text;
}

AcceleratorEntry AcceleratorOf(std::uint32_t key, std::uint16_t command) noexcept {
    const unsigned flags = KeyFlags(key);
    std::uint8_t accelFlags = kAccelVirtKey;
    if ((flags & kKeyCtrl) != 0) {
        accelFlags |= kAccelControl;
    }
    if ((flags & kKeyShift) != 0) {
        accelFlags |= kAccelShift;
    }
    if ((flags & kKeyAlt) != 0) {
        accelFlags |= kAccelAlt;
    }
    return {accelFlags, static_cast<std::uint16_t>(KeyCode(key)), command};
}

std::vector<AcceleratorEntry> BuildAccelerators(const ShortcutKeyArray& activeKeys,
                                                const TemplateList& templates) {
    std::vector<AcceleratorEntry> entries;
    entries.reserve(activeKeys.size() + static_cast<std::size_t>(templates.Count()));
    for (int row = 0; row < kCommandCount; ++row) {
        entries.push_back(AcceleratorOf(activeKeys[static_cast<std::size_t>(row)],
                                        static_cast<std::uint16_t>(CommandIdOfRow(row))));
    }
    constexpr int kMaxCommand = std::numeric_limits<std::uint16_t>::max();
    for (int index = 0; index < templates.Count(); ++index) {
        const std::int32_t key = templates.Items()[static_cast<std::size_t>(index)].key;
        const int command = TemplateCommandId(index);
        if (key <= 0 || command > kMaxCommand) {
            entries.push_back({});
        } else {
            entries.push_back(
                AcceleratorOf(static_cast<std::uint32_t>(key), static_cast<std::uint16_t>(command)));
        }
    }
    return entries;
}

}  // namespace tavrin
