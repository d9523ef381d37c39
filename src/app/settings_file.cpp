#include "app/settings_file.h"

#include <algorithm>
#include <span>

#include "platform/text.h"
#include "platform/utf16_file.h"

namespace tavrin {
namespace {

// One plain key of a section: a number, a string (cut to maxLength on reading) or a colour. A
// written-only key is composed but never read back.
template <typename Section>
struct Field {
    std::u16string_view key;
    int Section::*number = nullptr;
    std::u16string Section::*text = nullptr;
    ColorRef Section::*colour = nullptr;
    std::size_t maxLength = 0;
    bool writtenOnly = false;
};

template <typename Section>
constexpr Field<Section> Number(std::u16string_view key, int Section::*member) {
    return {key, member, nullptr, nullptr, 0, false};
}
template <typename Section>
constexpr Field<Section> WrittenOnly(std::u16string_view key, int Section::*member) {
    return {key, member, nullptr, nullptr, 0, true};
}
template <typename Section>
constexpr Field<Section> Text(std::u16string_view key, std::u16string Section::*member,
                              std::size_t maxLength) {
    return {key, nullptr, member, nullptr, maxLength, false};
}
template <typename Section>
constexpr Field<Section> Colour(std::u16string_view key, ColorRef Section::*member) {
    return {key, nullptr, nullptr, member, 0, false};
}

using S = SystemSettings;
constexpr std::array kSystemFields{
    Text(u"DiaryName", &S::diaryName, kDiaryNameMax),
    Number(u"FileOpenFilterNumber", &S::fileOpenFilterNumber),
};

using W = WindowSettings;
constexpr std::array kWindowFields{
    Number(u"Left", &W::left),
    Number(u"Top", &W::top),
    Number(u"Width", &W::width),
    Number(u"Height", &W::height),
    Number(u"WindowMax", &W::windowMax),
    Number(u"Fullscreen", &W::fullscreen),
    Number(u"SettingPage", &W::settingPage),
    Number(u"ShowToolBar", &W::showToolBar),
    Number(u"ShowSideArea", &W::showSideArea),
    Number(u"SideBarLayout", &W::sideBarLayout),
    WrittenOnly(u"SideBarWidth", &W::sideBarWidth),
    Text(u"MainFontName", &W::mainFontName, kMainFontNameMax),
    Number(u"FontSizeS", &W::fontSizeS),
    Number(u"FontSizeM", &W::fontSizeM),
    Number(u"FontSizeL", &W::fontSizeL),
    Number(u"MarginLeft", &W::marginLeft),
    Number(u"MarginTop", &W::marginTop),
    Number(u"MarginRight", &W::marginRight),
    Number(u"MarginBottom", &W::marginBottom),
    Number(u"LimitMaxWidth", &W::limitMaxWidth),
    Number(u"MaxWidth", &W::maxWidth),
};

// CustomColor comes first and is handled on its own.
using C = ColourSettings;
constexpr std::array kColourFields{
    Colour(u"Text", &C::text),         Colour(u"Back", &C::back),
    Colour(u"Saturday", &C::saturday), Colour(u"Sunday", &C::sunday),
    Colour(u"Head", &C::head),         Colour(u"URL", &C::url),
    Colour(u"Mail", &C::mail),         Colour(u"File", &C::file),
    Number(u"Alpha", &C::alpha),       Number(u"TextDropShadow", &C::textDropShadow),
};

using K = CalendarSettings;
constexpr std::array kCalendarFields{
    Number(u"StartWeek", &K::startWeek),
    Number(u"ShowWeek", &K::showWeek),
    Text(u"WeekFormat", &K::weekFormat, kWeekFormatMax),
    Number(u"BoxWidth", &K::boxWidth),
    Number(u"BoxHeight", &K::boxHeight),
    Number(u"BoxMargin", &K::boxMargin),
};

using E = EditSettings;
constexpr std::array kEditFields{
    Text(u"FontName", &E::fontName, kFontNameMax),
    Number(u"FontSize", &E::fontSize),
    Number(u"LineSpacing", &E::lineSpacing),
    Number(u"TabStop", &E::tabStop),
    Number(u"ScrollLines", &E::scrollLines),
    Number(u"FontSizeHead", &E::fontSizeHead),
    Number(u"WordWrap", &E::wordWrap),
};

using B = BackImageSettings;
constexpr std::array kBackImageFields{
    Number(u"ShowBackImage", &B::showBackImage),
    Text(u"Path", &B::path, kBackImagePathMax),
    Number(u"Mode", &B::mode),
    Number(u"PosX", &B::posX),
    Number(u"PosY", &B::posY),
    Number(u"Alpha", &B::alpha),
};

// The history lines follow these two.
using H = SearchSettings;
constexpr std::array kSearchFields{Number(u"MatchCase", &H::matchCase), Number(u"WordOnly", &H::wordOnly)};

using O = OtherSettings;
constexpr std::array kOtherFields{
    Number(u"DefaultImageFormat", &O::defaultImageFormat),
    Number(u"JPEGQuality", &O::jpegQuality),
    Number(u"ImageCopySave", &O::imageCopySave),
    Number(u"SoundCopySave", &O::soundCopySave),
    Number(u"MovieCopySave", &O::movieCopySave),
    Number(u"StartDateMode", &O::startDateMode),
    Number(u"StartDate", &O::startDate),
    Number(u"StartIMEOn", &O::startImeOn),
    Number(u"MultipleStart", &O::multipleStart),
    Number(u"DiaryTitle", &O::diaryTitle),
    Number(u"EditLock", &O::editLock),
    Number(u"TitleBarName", &O::titleBarName),
    Number(u"FixedSideBar", &O::fixedSideBar),
    Number(u"AutoPlay", &O::autoPlay),
    Number(u"DeleteEndBlankLine", &O::deleteEndBlankLine),
    Number(u"NoAnimation", &O::noAnimation),
    Number(u"DoubleClickLink", &O::doubleClickLink),
    Number(u"CheckLinkOpen", &O::checkLinkOpen),
};

enum class SectionId {
    kNone,
    kSystem,
    kWindow,
    kShortcutKey,
    kColour,
    kCalendar,
    kEdit,
    kBackImage,
    kSearch,
    kTemplate,
    kOther
};

struct SectionName {
    std::u16string_view line;
    SectionId id;
};
constexpr std::array<SectionName, 10> kSectionNames{{
    {u"[System]", SectionId::kSystem},
    {u"[Window]", SectionId::kWindow},
    {u"[ShortcutKey]", SectionId::kShortcutKey},
    {u"[Color]", SectionId::kColour},
    {u"[Calendar]", SectionId::kCalendar},
    {u"[Edit]", SectionId::kEdit},
    {u"[BackImage]", SectionId::kBackImage},
    {u"[Search]", SectionId::kSearch},
    {u"[Template]", SectionId::kTemplate},
    {u"[Other]", SectionId::kOther},
}};

// ---- Reading ----

template <typename Section, std::size_t N>
void ReadField(const std::array<Field<Section>, N>& fields, Section& section, std::u16string_view key,
               std::u16string_view value) {
    for (const Field<Section>& field : fields) {
        if (field.key != key || field.writtenOnly) {
            continue;
        }
        if (field.number) {
            section.*field.number = ParseCInt(value);
        } else if (field.text) {
            section.*field.text = std::u16string(CutToLength(value, field.maxLength));
        } else {
            section.*field.colour = DecodeColour(value);
        }
        return;
    }
}

void ReadCustomColours(std::u16string_view value, ColourSettings& colour) {
    std::size_t start = 0;
    for (std::size_t i = 0; i < kCustomColourCount; ++i) {
        if (start > value.size()) {
            colour.customColours[i] = 0;  // entries beyond the last one given are black
            continue;
        }
        const CommaField field = SplitCommaField(value, start);
        colour.customColours[i] = DecodeColour(value.substr(field.start, field.length));
        start = field.hasNext ? field.next : value.size() + 1;
    }
}

// "SearchWord" followed by one digit.
int SearchWordSlot(std::u16string_view key) {
    constexpr std::u16string_view kPrefix = u"SearchWord";
    if (key.size() != kPrefix.size() + 1 || !key.starts_with(kPrefix)) {
        return -1;
    }
    const char16_t digit = key.back();
    return digit >= u'0' && digit <= u'9' ? digit - u'0' : -1;
}

void ReadSearchKey(std::u16string_view key, std::u16string_view value, SearchSettings& search) {
    const int slot = SearchWordSlot(key);
    if (slot < 0) {
        ReadField(kSearchFields, search, key, value);
        return;
    }
    search.history.words[static_cast<std::size_t>(slot)] = std::u16string(CutToLength(value, kSearchWordMax));
    search.history.count = slot + 1;
}

void ReadKeyLine(SectionId section, std::u16string_view key, std::u16string_view value, Settings& settings,
                 TemplateList& templates) {
    switch (section) {
        case SectionId::kNone:
            break;
        case SectionId::kSystem:
            ReadField(kSystemFields, settings.system, key, value);
            break;
        case SectionId::kWindow:
            ReadField(kWindowFields, settings.window, key, value);
            break;
        case SectionId::kShortcutKey:
            if (const int row = CommandRowOfKeyName(key); row >= 0) {
                settings.shortcutKey.pending[static_cast<std::size_t>(row)] =
                    static_cast<ShortcutKey>(DecodeHexKey(value) & 0xFFFFu);
            }
            break;
        case SectionId::kColour:
            if (key == u"CustomColor") {
                ReadCustomColours(value, settings.colour);
            } else {
                ReadField(kColourFields, settings.colour, key, value);
            }
            break;
        case SectionId::kCalendar:
            ReadField(kCalendarFields, settings.calendar, key, value);
            break;
        case SectionId::kEdit:
            ReadField(kEditFields, settings.edit, key, value);
            break;
        case SectionId::kBackImage:
            ReadField(kBackImageFields, settings.backImage, key, value);
            break;
        case SectionId::kSearch:
            ReadSearchKey(key, value, settings.search);
            break;
        case SectionId::kTemplate:
            if (key == u"Item") {
                InsertAt(templates, templates.Count(), DecodeItemValue(value));
            }
            break;
        case SectionId::kOther:
            ReadField(kOtherFields, settings.other, key, value);
            break;
    }
}

void ReadLine(std::u16string_view line, SectionId& section, Settings& settings, TemplateList& templates) {
    if (line.front() == u'[') {
        for (const SectionName& name : kSectionNames) {
            if (name.line == line) {
                section = name.id;
            }
        }
        return;
    }
    const std::size_t equals = line.find(u'=');
    if (section == SectionId::kNone || equals == std::u16string_view::npos) {
        return;
    }
    ReadKeyLine(section, line.substr(0, equals), line.substr(equals + 1), settings, templates);
}

// ---- Writing ----

// A string value up to its first line break or NUL: anything after it would become a line of its own.
std::u16string_view SingleLine(std::u16string_view value) {
    return value.substr(0, std::min(value.find_first_of(std::u16string_view(u"\r\n\0", 3)), value.size()));
}

void AppendKey(std::u16string& out, std::u16string_view key) {
    out += key;
    out.push_back(u'=');
}

void EndLine(std::u16string& out) {
    out += u"\r\n";
}

template <typename Section, std::size_t N>
void WriteFields(std::u16string& out, const std::array<Field<Section>, N>& fields, const Section& section) {
    for (const Field<Section>& field : fields) {
        AppendKey(out, field.key);
        if (field.number) {
            AppendDecimal(out, section.*field.number);
        } else if (field.text) {
            out += SingleLine(section.*field.text);
        } else {
            AppendColour(out, section.*field.colour);
        }
        EndLine(out);
    }
}

void WriteShortcutKeys(std::u16string& out, const ShortcutKeySettings& keys) {
    for (std::size_t row = 0; row < keys.active.size(); ++row) {
        AppendKey(out, CommandTable()[row].keyName);
        AppendHex(out, keys.active[row], 4);
        EndLine(out);
    }
}

void WriteColours(std::u16string& out, const ColourSettings& colour) {
    AppendKey(out, u"CustomColor");
    for (std::size_t i = 0; i < colour.customColours.size(); ++i) {
        if (i > 0) {
            out.push_back(u',');
        }
        AppendColour(out, colour.customColours[i]);
    }
    EndLine(out);
    WriteFields(out, kColourFields, colour);
}

void WriteSearch(std::u16string& out, const SearchSettings& search) {
    WriteFields(out, kSearchFields, search);
    const int count = std::clamp(search.history.count, 0, SearchHistory::kCapacity);
    for (int slot = 0; slot < count; ++slot) {
        out += u"SearchWord";
        AppendDecimal(out, slot);
        out.push_back(u'=');
        out += SingleLine(search.history.words[static_cast<std::size_t>(slot)]);
        EndLine(out);
    }
}

void WriteTemplates(std::u16string& out, const TemplateList& templates) {
    for (const TemplateItem& item : templates.Items()) {
        AppendKey(out, u"Item");
        AppendItemValue(out, item);
        EndLine(out);
    }
}

void BeginSection(std::u16string& out, std::u16string_view name) {
    out += name;
    EndLine(out);
}

}  // namespace

void ParseSettingsText(std::u16string_view text, Settings& settings, TemplateList& templates) {
    constexpr std::u16string_view kLineEnds(u"\r\n\0", 3);
    SectionId section = SectionId::kNone;
    std::size_t pos = 0;
    while (pos < text.size()) {
        // A NUL ends a line like a line break does, so that the text after it still counts.
        const std::size_t end = std::min(text.find_first_of(kLineEnds, pos), text.size());
        const std::u16string_view line = text.substr(pos, end - pos);
        pos = end + ((end + 1 < text.size() && text[end] == u'\r' && text[end + 1] == u'\n') ? 2 : 1);
        if (!line.empty()) {
            ReadLine(line, section, settings, templates);
        }
    }
    // Only the first count slots are history; stale words behind them would reappear when it grows.
    SearchHistory& history = settings.search.history;
    for (int slot = std::max(history.count, 0); slot < SearchHistory::kCapacity; ++slot) {
        history.words[static_cast<std::size_t>(slot)].clear();
    }
    ClampSettings(settings);
    UpdateDerivedSettings(settings);
}

std::u16string ComposeSettingsText(const Settings& settings, const TemplateList& templates) {
    std::u16string out;
    out.reserve(8192);
    BeginSection(out, u"[System]");
    WriteFields(out, kSystemFields, settings.system);
    EndLine(out);
    BeginSection(out, u"[Window]");
    WriteFields(out, kWindowFields, settings.window);
    EndLine(out);
    BeginSection(out, u"[ShortcutKey]");
    WriteShortcutKeys(out, settings.shortcutKey);
    EndLine(out);
    BeginSection(out, u"[Color]");
    WriteColours(out, settings.colour);
    EndLine(out);
    BeginSection(out, u"[Calendar]");
    WriteFields(out, kCalendarFields, settings.calendar);
    EndLine(out);
    BeginSection(out, u"[Edit]");
    WriteFields(out, kEditFields, settings.edit);
    EndLine(out);
    BeginSection(out, u"[BackImage]");
    WriteFields(out, kBackImageFields, settings.backImage);
    EndLine(out);
    BeginSection(out, u"[Search]");
    WriteSearch(out, settings.search);
    EndLine(out);
    BeginSection(out, u"[Template]");
    WriteTemplates(out, templates);
    EndLine(out);
    BeginSection(out, u"[Other]");
    WriteFields(out, kOtherFields, settings.other);
    return out;
}

void ApplySettingsToState(AppState& state) {
    const WindowSettings& window = state.settings.window;
    state.restoreRect = {window.left, window.top, window.left + window.width, window.top + window.height};
    state.weekdayLabels = SplitWeekLabels(state.settings.calendar.weekFormat);
}

bool LoadSettings(FileSystem& fs, std::u16string_view exeFolder, AppState& state) {
    const std::optional<std::u16string> text =
        ReadUtf16File(fs, PathInExeFolder(exeFolder, kSettingsFileName));
    if (!text) {
        return false;
    }
    ClearTemplates(state.templates);
    ParseSettingsText(*text, state.settings, state.templates);
    ApplySettingsToState(state);
    return true;
}

bool SaveSettings(FileSystem& fs, std::u16string_view exeFolder, AppState& state,
                  const std::optional<FrameGeometry>& frame) {
    const std::filesystem::path path = PathInExeFolder(exeFolder, kSettingsFileName);
    if (state.resetSettingsPending) {
        (void)fs.Remove(path);
        return true;
    }
    WindowSettings& window = state.settings.window;
    if (frame) {
        const bool placed = frame->fullscreen || frame->maximised || frame->minimised;
        const ScreenRect& rect = placed ? state.restoreRect : frame->windowRect;
        window.left = rect.left;
        window.top = rect.top;
        window.width = rect.Width();
        window.height = rect.Height();
    }
    state.settings.other.startDate = YmdOf(state.selectedDate);
    return WriteUtf16File(fs, path, ComposeSettingsText(state.settings, state.templates)).ok();
}

}  // namespace tavrin
