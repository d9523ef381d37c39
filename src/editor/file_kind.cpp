#include "editor/file_kind.h"

#include <algorithm>
#include <array>

namespace tavrin {
namespace {

constexpr std::array<std::u16string_view, 13> kPictureExtensions = {u"bmp",  u"dib",  u"emf",  u"gif", u"ico",
                                                                    u"jfif", u"jpe",  u"jpeg", u"jpg", u"png",
                                                                    u"tif",  u"tiff", u"wmf"};

constexpr std::array<std::u16string_view, 21> kSoundExtensions = {
    u"aac", u"aif", u"aifc", u"aiff", u"au",  u"cda", u"f4a", u"f4b", u"mid",  u"midi", u"mp2",
    u"mp3", u"mpa", u"mpv2", u"oga",  u"ogg", u"rmi", u"snd", u"wav", u"webm", u"wma"};

constexpr std::array<std::u16string_view, 56> kMovieExtensions = {
    u"3g2", u"3gp", u"3gp2", u"3gpp", u"asf", u"asx",  u"avi",  u"dat", u"dcr",  u"div", u"divx", u"f4p",
    u"f4v", u"flc", u"fli",  u"flv",  u"m1v", u"m2t",  u"m2ts", u"m2v", u"m3u",  u"m4",  u"m4a",  u"m4b",
    u"m4p", u"m4r", u"m4v",  u"mkv",  u"mod", u"mov",  u"mp2v", u"mp4", u"mp4v", u"mpe", u"mpeg", u"mpg",
    u"mts", u"ogm", u"qt",   u"ram",  u"rm",  u"rmvb", u"swf",  u"ts",  u"tts",  u"vdo", u"vg2",  u"vgm",
    u"viv", u"vob", u"wax",  u"wm",   u"wmv", u"wpl",  u"wrl",  u"wvx"};

template <std::size_t N>
bool Contains(const std::array<std::u16string_view, N>& list, std::u16string_view extension) noexcept {
    return std::find(list.begin(), list.end(), extension) != list.end();
}

}  // namespace

std::u16string_view FileExtension(std::u16string_view name) noexcept {
    const std::size_t dot = name.rfind(u'.');
    if (dot == std::u16string_view::npos) {
        return {};
    }
    return name.substr(dot + 1, kFileExtensionMax);
}

FileKind ClassifyFileKind(std::u16string_view extension) noexcept {
    if (extension.empty() || extension.size() > kFileExtensionMax) {
        return FileKind::kOther;
    }
    std::array<char16_t, kFileExtensionMax> buffer{};
    for (std::size_t i = 0; i < extension.size(); ++i) {
        const char16_t c = extension[i];
        buffer[i] = c >= u'A' && c <= u'Z' ? static_cast<char16_t>(c - u'A' + u'a') : c;
    }
    const std::u16string_view lower(buffer.data(), extension.size());
    if (Contains(kPictureExtensions, lower)) {
        return FileKind::kPicture;
    }
    if (Contains(kSoundExtensions, lower)) {
        return FileKind::kSound;
    }
    if (Contains(kMovieExtensions, lower)) {
        return FileKind::kMovie;
    }
    return FileKind::kOther;
}

FileKind FileKindOfPath(std::u16string_view path) noexcept {
    const std::size_t separator = path.find_last_of(u"\\/");
    const std::u16string_view name =
        separator == std::u16string_view::npos ? path : path.substr(separator + 1);
    return ClassifyFileKind(FileExtension(name));
}

std::span<const std::u16string_view> ExtensionsOfKind(FileKind kind) noexcept {
    switch (kind) {
        case FileKind::kPicture:
            return kPictureExtensions;
        case FileKind::kSound:
            return kSoundExtensions;
        case FileKind::kMovie:
            return kMovieExtensions;
        case FileKind::kOther:
            break;
    }
    return {};
}

}  // namespace tavrin
