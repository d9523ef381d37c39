#include "templates/template_codes.h"

namespace tavrin {
namespace {

using enum TemplateCodeKind;

constexpr std::array<TemplateCode, kTemplateCodeCount> kTable{{
    {u'1', u"日付", 20, kPlain},
    {u'2', u"時刻", 20, kPlain},
    {u'3', u"日付と時刻", 30, kPlain},
    {u'4', u"年月日", 30, kPlain},
    {u'5', u"年月日と曜日", 30, kPlain},
    {u'6', u"年月日と時刻", 40, kPlain},
    {u'7', u"和暦", 30, kEra},
    {u'8', u"和暦（アルファベットと数字）", 20, kEra},
    {u'9', u"英語表記", 30, kPlain},
    {u'Y', u"年月日の年", 10, kPlain},
    {u'y', u"年月日の年（下2桁）", 10, kPlain},
    {u'm', u"年月日の月", 10, kPlain},
    {u'M', u"年月日の月（2桁）", 10, kPlain},
    {u'f', u"年月日の月（英語3文字）", 10, kPlain},
    {u'F', u"年月日の月（英語）", 10, kPlain},
    {u'd', u"年月日の日", 10, kPlain},
    {u'D', u"年月日の日（2桁）", 10, kPlain},
    {u'w', u"曜日（英語3文字）", 10, kPlain},
    {u'W', u"曜日（英語）", 10, kPlain},
    {u'a', u"曜日（日本語）", 10, kPlain},
    {u'e', u"和暦の元号（日本語）", 10, kEra},
    {u'E', u"和暦の元号（アルファベット）", 10, kEra},
    {u'j', u"和暦の年", 10, kEra},
    {u'J', u"和暦の年（2桁）", 10, kEra},
    {u'A', u"十二支", 10, kEra},
    {u'g', u"時刻の時（12時間制）", 10, kPlain},
    {u'G', u"時刻の時（12時間制2桁）", 10, kPlain},
    {u'h', u"時刻の時（24時間制）", 10, kPlain},
    {u'H', u"時刻の時（24時間制2桁）", 10, kPlain},
    {u'i', u"時刻の分", 10, kPlain},
    {u'I', u"時刻の分（2桁）", 10, kPlain},
    {u's', u"時刻の秒", 10, kPlain},
    {u'S', u"時刻の秒（2桁）", 10, kPlain},
    {u'p', u"AM/PM", 10, kPlain},
    {u'P', u"午前/午後", 10, kPlain},
    {u'@', u"選択テキスト", 0, kSelection},
    {u'_', u"クリップボードのテキスト", 0, kClipboard},
    {u'K', u"編集中の日記の年", 10, kPlain},
    {u'O', u"編集中の日記の月", 10, kPlain},
    {u'Q', u"編集中の日記の日", 10, kPlain},
    {u';', u"現在の日記フォルダ名", 260, kPlain},
    {u'#', u"実行ファイルのフォルダパス", 260, kPlain},
    {u'%', u"現在の背景画像ファイルパス", 260, kPlain},
    {u'!', u"変換後のカーソル位置", 0, kPlain},
    {u'{', u"変換後の選択開始位置", 0, kPlain},
    {u'}', u"変換後の選択終了位置", 0, kPlain},
    {u'$', u"$の文字", 1, kPlain},
    {u't', u"タブ文字", 1, kPlain},
    {u'n', u"改行", 2, kPlain},
}};

}  // namespace

const std::array<TemplateCode, kTemplateCodeCount>& TemplateCodeTable() noexcept {
    return kTable;
}

const TemplateCode* FindTemplateCode(char16_t code) noexcept {
    for (const TemplateCode& row : kTable) {
        if (row.code == code) {
            return &row;
        }
    }
    return nullptr;
}

}  // namespace tavrin
