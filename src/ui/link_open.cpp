#include "ui/link_open.h"

#include "platform/text.h"

namespace tavrin {

LinkOpenPlan PlanLinkOpen(LinkKind kind, std::u16string_view text, const std::filesystem::path& diaryFolder,
                          bool checkLinkOpen) {
    switch (kind) {
        case LinkKind::Url:
            return {LinkOpenKind::kShell, std::u16string(text), checkLinkOpen};
        case LinkKind::Mail:
            return {LinkOpenKind::kShell, u"mailto:" + std::u16string(text), checkLinkOpen};
        case LinkKind::File:
            if (text.size() > 1 && text.front() == u'.') {
                return {LinkOpenKind::kShell, (diaryFolder / std::u16string(text)).u16string(),
                        checkLinkOpen};
            }
            return {LinkOpenKind::kShell, std::u16string(text), checkLinkOpen};
        case LinkKind::Date:
            return {LinkOpenKind::kDate, std::u16string(text), false};
        case LinkKind::HashTag:
            return {LinkOpenKind::kHashTag, std::u16string(text), false};
        default:
            return {LinkOpenKind::kError, std::u16string(text), false};
    }
}

std::u16string LinkConfirmText(std::u16string_view text) {
    return u"次のリンクを実行しますか？\r\n" + std::u16string(text);
}

std::u16string LinkErrorText(std::u16string_view text) {
    return u"リンク先を開けません。\r\n" + std::u16string(text);
}

std::u16string LinkErrorCaption(long long shellResult, bool haveResult) {
    if (!haveResult) {
        return u"リンク実行エラー";
    }
    return u"リンク実行エラー (ErrerID:" + Decimal(shellResult) + u")";
}

}  // namespace tavrin
