#include "editor/object_kind.h"

#include <algorithm>
#include <array>

namespace tavrin {
namespace {

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

std::u16string_view ReferenceExtension(std::u16string_view name) noexcept {
    const std::size_t dot = name.rfind(u'.');
    if (dot == std::u16string_view::npos) {
        return {};
    }
    return name.substr(dot + 1, 5);
}

RowKind ObjectKindOfName(std::u16string_view name) noexcept {
    const std::u16string_view extension = ReferenceExtension(name);
    if (Contains(kSoundExtensions, extension)) {
        return RowKind::Sound;
    }
    if (Contains(kMovieExtensions, extension)) {
        return RowKind::Movie;
    }
    return RowKind::Picture;
}

}  // namespace tavrin
