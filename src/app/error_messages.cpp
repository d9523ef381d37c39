#include "app/error_messages.h"

#include <array>

#include "app/settings_codec.h"
#include "platform/text.h"

namespace tavrin {

std::span<const ErrorMessage> ErrorMessageTable() noexcept {
    static constexpr std::array<ErrorMessage, 29> kTable{{
        {201, u"起動できません。"},
        {202, u"ウィンドウを作成できません。"},
        {203, u"メモリを確保できません。"},
        {204, u"リストを作成することができません。"},
        {205, u"日記データがありません。"},
        {206, u"検索中です。この操作は実行できません。"},
        {207, u"画像貼り付けの上限を超えました。50個まで貼り付け可能です。"},
        {300, u"フォルダが見つかりません。"},
        {301, u"ファイルが見つかりません。"},
        {302, u"ファイル読み込みに失敗しました。"},
        {303, u"ファイル保存に失敗しました。"},
        {305, u"ファイル名を変更できません。"},
        {306, u"ファイルを移動できません。"},
        {307, u"ファイルを削除できません。"},
        {308, u"ファイルをコピーできません。"},
        {309, u"ファイル一覧の取得に失敗しました。"},
        {311, u"フォルダを作成できません。"},
        {312, u"フォルダを登録できません。"},
        {313, u"フォルダ名を変更できません。"},
        {314, u"フォルダを移動できません。"},
        {315, u"フォルダを削除できません。"},
        {316, u"フォルダをコピーできません。"},
        {317, u"フォルダを開けません。"},
        {318, u"アクセスが拒否されました。"},
        {319, u"クリップボードの画像を次のパスへ保存できません。"},
        {320, u"ファイルの貼り付けに失敗しました。"},
        {502, u"クリップボードにテキストがありません。"},
        {503, u"クリップボード取得に失敗しました。"},
        {600, u"システムエラー: 操作対象の定型文情報を取得できません。"},
    }};
    return kTable;
}

std::u16string_view ErrorMessageText(int number) noexcept {
    for (const ErrorMessage& message : ErrorMessageTable()) {
        if (message.number == number) {
            return message.text;
        }
    }
    return {};
}

std::u16string ComposeErrorCaption(std::uint32_t systemError) {
    std::u16string caption = u"Tavrin";
    if (systemError != 0) {
        caption += u" (ErrerID:";
        AppendDecimal(caption, static_cast<std::int32_t>(systemError));
        caption += u")";
    }
    return std::u16string(CutToLength(caption, kErrorCaptionMax));
}

std::u16string ComposeErrorText(int number, std::u16string_view detail) {
    std::u16string text(ErrorMessageText(number));
    if (!detail.empty()) {
        text += u"\r\n\r\n";
        text += detail;
    }
    return std::u16string(CutToLength(text, kErrorTextMax));
}

ErrorIcon ErrorIconOf(int number) noexcept {
    return number == 600 ? ErrorIcon::kError : ErrorIcon::kWarning;
}

ErrorBox ComposeErrorBox(const UserError& error) {
    return {ComposeErrorCaption(error.systemError), ComposeErrorText(error.number, error.detail),
            ErrorIconOf(error.number)};
}

}  // namespace tavrin
