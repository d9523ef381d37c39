#include "settings_dialog/setting_fields.h"

#include <algorithm>

#include "platform/text.h"

namespace tavrin {
namespace {

// Writing goes through the read accessor: every record Accept is given is its own to change.
int& Writable(const int& value) { return const_cast<int&>(value); }
std::u16string& Writable(const std::u16string& value) { return const_cast<std::u16string&>(value); }
ColorRef& Writable(const ColorRef& value) { return const_cast<ColorRef&>(value); }

// A drive's root ("C:\\") keeps its backslash: without it the path would name the drive's current
// folder instead.
bool IsDriveRoot(std::u16string_view path) { return path.size() == 3 && path[1] == u':' && path[2] == u'\\'; }

std::u16string AcceptedText(const SettingField& field, std::u16string_view typed,
                            const std::u16string& stored) {
    if (typed == stored) {
        return stored;
    }
    std::u16string text(CutToLength(typed, field.maxLength));
    if (field.kind == FieldKind::kPath) {
        while (!text.empty() && text.back() == u'\\' && !IsDriveRoot(text)) {
            text.pop_back();
        }
    }
    return text;
}

// The new value of a numeric setting, or the stored one when the control leaves it as it is.
int AcceptedNumber(const SettingField& field, const FieldValue& value, int stored) {
    switch (field.kind) {
        case FieldKind::kCheck:
            return (value.number != 0) == (stored != 0) ? stored : (value.number != 0 ? 1 : 0);
        case FieldKind::kNumber:
            return ReadNumberField(value.text, field.low, field.high);
        case FieldKind::kChoice:
            return value.number < field.low || value.number > field.high ? stored : value.number;
        default:
            return stored;
    }
}

}  // namespace

void RaiseGroups(ChangeFlags& flags, unsigned groups) noexcept {
    flags.editorStyle = flags.editorStyle || (groups & kGroupEditorStyle) != 0;
    flags.editorOptions = flags.editorOptions || (groups & kGroupEditorOptions) != 0;
    flags.sideFonts = flags.sideFonts || (groups & kGroupSideFonts) != 0;
    flags.background = flags.background || (groups & kGroupBackground) != 0;
    flags.frameLayout = flags.frameLayout || (groups & kGroupFrameLayout) != 0;
}

int ReadNumberField(std::u16string_view text, int low, int high) noexcept {
    return std::clamp(ParseCInt(text), low, high);
}

FieldValues LoadFields(std::span<const SettingField> fields, const Settings& settings) {
    FieldValues values;
    values.reserve(fields.size());
    for (const SettingField& field : fields) {
        FieldValue value;
        switch (field.kind) {
            case FieldKind::kCheck:
                value.number = field.number(settings) != 0 ? 1 : 0;
                break;
            case FieldKind::kNumber:
                value.text = Decimal(field.number(settings));
                break;
            case FieldKind::kChoice: {
                const int stored = field.number(settings);
                value.number = stored < field.low || stored > field.high ? -1 : stored;
                break;
            }
            case FieldKind::kText:
            case FieldKind::kPath:
                value.text = field.text(settings);
                break;
            case FieldKind::kColour:
                value.number = static_cast<int>(field.colour(settings));
                break;
        }
        values.push_back(std::move(value));
    }
    return values;
}

bool AcceptFields(std::span<const SettingField> fields, const FieldValues& values, Settings& settings,
                  ChangeFlags& flags) {
    bool changed = false;
    const std::size_t count = std::min(fields.size(), values.size());
    for (std::size_t i = 0; i < count; ++i) {
        const SettingField& field = fields[i];
        const FieldValue& value = values[i];
        bool fieldChanged = false;
        if (field.kind == FieldKind::kText || field.kind == FieldKind::kPath) {
            std::u16string& stored = Writable(field.text(settings));
            std::u16string accepted = AcceptedText(field, value.text, stored);
            fieldChanged = accepted != stored;
            stored = std::move(accepted);
        } else if (field.kind == FieldKind::kColour) {
            ColorRef& stored = Writable(field.colour(settings));
            const auto accepted = static_cast<ColorRef>(value.number) & 0xFFFFFFu;
            fieldChanged = accepted != stored;
            stored = accepted;
        } else {
            int& stored = Writable(field.number(settings));
            const int accepted = AcceptedNumber(field, value, stored);
            fieldChanged = accepted != stored;
            stored = accepted;
        }
        if (fieldChanged) {
            RaiseGroups(flags, field.groups);
            changed = true;
        }
    }
    return changed;
}

int FieldIndexOf(std::span<const SettingField> fields, int control) noexcept {
    for (std::size_t i = 0; i < fields.size(); ++i) {
        if (fields[i].control == control && fields[i].kind != FieldKind::kColour) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

}  // namespace tavrin
