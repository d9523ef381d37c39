#pragma once
// What opening a link from the editor does, decided from its kind and text.

#include <filesystem>
#include <string>
#include <string_view>

#include "editor/link_classifier.h"

namespace tavrin {

enum class LinkOpenKind {
    kShell,    // hand target to the shell's default action
    kDate,     // move the diary to the date in the text
    kHashTag,  // search the diary for the text
    kError,    // nothing to open: "リンク先を開けません。"
};

struct LinkOpenPlan {
    LinkOpenKind kind = LinkOpenKind::kError;
    std::u16string target;  // kShell: what the shell opens
    bool confirm = false;   // ask "次のリンクを実行しますか？" first
    friend bool operator==(const LinkOpenPlan&, const LinkOpenPlan&) = default;
};

// URLs and "file:" links open as they are, mail addresses as "mailto:" + address, a file path that
// starts with "." relative to the diary folder; URLs, mail addresses and paths are confirmed first
// when checkLinkOpen is on.
[[nodiscard]] LinkOpenPlan PlanLinkOpen(LinkKind kind, std::u16string_view text,
                                        const std::filesystem::path& diaryFolder, bool checkLinkOpen);

// "次のリンクを実行しますか？\r\n" and the text.
[[nodiscard]] std::u16string LinkConfirmText(std::u16string_view text);
// "リンク先を開けません。\r\n" and the text; its caption carries the shell's result when there is one.
[[nodiscard]] std::u16string LinkErrorText(std::u16string_view text);
[[nodiscard]] std::u16string LinkErrorCaption(long long shellResult, bool haveResult);

}  // namespace tavrin
