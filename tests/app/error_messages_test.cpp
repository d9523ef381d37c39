#include <gtest/gtest.h>

#include "app/error_messages.h"
#include "support/test_support.h"

namespace tavrin {
namespace {

using testing::U;

TEST(ErrorMessages, TableLookup) {
    EXPECT_EQ(ErrorMessageText(202), U("ウィンドウを作成できません。"));
    EXPECT_EQ(ErrorMessageText(303), U("ファイル保存に失敗しました。"));
    EXPECT_EQ(ErrorMessageText(600), U("システムエラー: 操作対象の定型文情報を取得できません。"));
    EXPECT_EQ(ErrorMessageText(304), u"");
    EXPECT_EQ(ErrorMessageText(310), u"");
    EXPECT_EQ(ErrorMessageText(0), u"");
    int previous = 0;
    for (const ErrorMessage& message : ErrorMessageTable()) {
        EXPECT_GT(message.number, previous) << "numbers are unique and ordered";
        EXPECT_FALSE(message.text.empty());
        previous = message.number;
    }
    EXPECT_EQ(ErrorMessageTable().size(), 29u);
}

TEST(ErrorMessages, CaptionCarriesTheSystemErrorWhenThereIsOne) {
    EXPECT_EQ(ComposeErrorCaption(0), u"Tavrin");
    EXPECT_EQ(ComposeErrorCaption(5), u"Tavrin (ErrerID:5)");
    EXPECT_EQ(ComposeErrorCaption(0x80070005u), u"Tavrin (ErrerID:-2147024891)") << "printed signed";
}

TEST(ErrorMessages, TextIsMessageBlankLineAndDetail) {
    EXPECT_EQ(ComposeErrorText(301, u"C:\\x.txt"), U("ファイルが見つかりません。\r\n\r\nC:\\x.txt"));
    EXPECT_EQ(ComposeErrorText(301, u""), U("ファイルが見つかりません。"));
    EXPECT_EQ(ComposeErrorText(999, u"detail"), u"\r\n\r\ndetail") << "unknown number: empty message";
}

TEST(ErrorMessages, LongDetailsAreCutWithoutSplittingASurrogatePair) {
    const std::u16string message = U("ファイルが見つかりません。");
    const std::size_t room = kErrorTextMax - message.size() - 4;
    std::u16string detail(room - 1, u'x');
    detail += u"\xD83D\xDE00tail";  // the pair straddles the limit
    const std::u16string text = ComposeErrorText(301, detail);
    EXPECT_EQ(text.size(), kErrorTextMax - 1);
    EXPECT_EQ(text.back(), u'x');

    const std::u16string plain = ComposeErrorText(301, std::u16string(5000, u'y'));
    EXPECT_EQ(plain.size(), kErrorTextMax);
}

TEST(ErrorMessages, BoxIconIsAnErrorOnlyForTheInternalFailure) {
    EXPECT_EQ(ComposeErrorBox({600, u"定型文ID: 3", 0}).icon, ErrorIcon::kError);
    const ErrorBox box = ComposeErrorBox({999, u"", 5});
    EXPECT_EQ(box, (ErrorBox{u"Tavrin (ErrerID:5)", u"", ErrorIcon::kWarning}));
}

}  // namespace
}  // namespace tavrin
