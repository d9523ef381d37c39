#include "store/file_drop.h"

#include <algorithm>

namespace tavrin {

DropPlan PlanDrop(std::span<const std::u16string> paths, bool outsideEditor, bool ctrl) {
    DropPlan plan;
    if (paths.empty()) {
        return plan;
    }
    std::vector<AttachRequest> files;
    files.reserve(paths.size());
    for (const std::u16string& path : paths) {
        files.push_back({path, FileKindOfPath(path)});
    }
    if (files.size() == 1 && outsideEditor && files.front().kind == FileKind::kPicture) {
        if (files.front().path.size() <= kBackgroundPathMax) {
            plan.action = DropAction::kBackground;
            plan.background = files.front().path;
        }
        return plan;
    }
    const bool allObjects = std::all_of(
        files.begin(), files.end(), [](const AttachRequest& file) { return file.kind != FileKind::kOther; });
    if (ctrl || !allObjects) {
        plan.action = DropAction::kInsertText;
        for (const AttachRequest& file : files) {
            plan.text += file.path;
            plan.text += u'\n';
        }
        return plan;
    }
    plan.action = DropAction::kAttach;
    plan.files = std::move(files);
    return plan;
}

}  // namespace tavrin
