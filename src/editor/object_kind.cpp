#include "editor/object_kind.h"

#include <algorithm>

#include "editor/file_kind.h"

namespace tavrin {
namespace {

// Reference lines compare extensions exactly, unlike file kinds: "CLIP.WAV" is drawn as a picture.
bool IsExtensionOf(FileKind kind, std::u16string_view extension) noexcept {
    const auto list = ExtensionsOfKind(kind);
    return std::find(list.begin(), list.end(), extension) != list.end();
}

}  // namespace

std::u16string_view ReferenceExtension(std::u16string_view name) noexcept { return FileExtension(name); }

RowKind ObjectKindOfName(std::u16string_view name) noexcept {
    const std::u16string_view extension = ReferenceExtension(name);
    if (IsExtensionOf(FileKind::kSound, extension)) {
        return RowKind::Sound;
    }
    if (IsExtensionOf(FileKind::kMovie, extension)) {
        return RowKind::Movie;
    }
    return RowKind::Picture;
}

}  // namespace tavrin
