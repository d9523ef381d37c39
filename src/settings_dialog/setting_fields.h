#pragma once
// The fields of the settings sheet's pages as data: which control edits which setting, how its value
// is read back and clamped, and which group of the running program must follow a change. A page's
// shell only moves FieldValues between its controls and these tables.

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "app/settings.h"

namespace tavrin {

// What the program must do after OK, one flag per group of settings. Pages set the flag of a group
// only when one of its values really changed.
struct ChangeFlags {
    bool keys = false;           // copy the pending keys over the active ones, rebuild the accelerators
    bool templates = false;      // replace the live template list, rebuild the accelerators
    bool editorStyle = false;    // send the editor its style; search box font and colours follow
    bool editorOptions = false;  // AutoPlay and DoubleClickLink into the editor's state
    bool sideFonts = false;      // recreate the three side-area fonts and the search box's font
    bool background = false;     // reload the background picture
    bool frameLayout = false;    // recompute the frame's layout and repaint it
    bool reset = false;          // the user asked to reset every setting (the pages were not accepted)
    friend bool operator==(const ChangeFlags&, const ChangeFlags&) = default;
};

// The groups a field belongs to, as bits; a change sets the flag of every group named.
inline constexpr unsigned kGroupNone = 0;
inline constexpr unsigned kGroupEditorStyle = 1u << 0;
inline constexpr unsigned kGroupEditorOptions = 1u << 1;
inline constexpr unsigned kGroupSideFonts = 1u << 2;
inline constexpr unsigned kGroupBackground = 1u << 3;
inline constexpr unsigned kGroupFrameLayout = 1u << 4;

void RaiseGroups(ChangeFlags& flags, unsigned groups) noexcept;

enum class FieldKind {
    kCheck,   // a check box; a stored flag other than 0 shows checked and is kept while still checked
    kNumber,  // an edit box (with an up-down control) or an editable combo box: text read as a C
              // integer (no digits read as 0) and clamped into [low, high]
    kText,    // an edit or editable combo box: text cut to maxLength characters
    kPath,    // kText whose trailing backslashes are removed when it was changed (a drive's root keeps its
              // own)
    kChoice,  // radio buttons (control, control + 1, ...) or a drop-down list: an index in [low, high];
              // a stored value outside the range shows nothing chosen and is kept until one is chosen
    kColour,  // a colour that a page keeps itself (the colour list rows, the chooser's custom colours)
};

// One field of a page. Exactly one accessor is set, matching the kind: number for kCheck, kNumber
// and kChoice; text for kText and kPath; colour for kColour. Accessors read the live record; Accept
// writes through them into a record it holds mutably.
struct SettingField {
    int control = 0;  // dialog control id (kColour: a slot number of the page's own)
    FieldKind kind = FieldKind::kCheck;
    unsigned groups = kGroupNone;
    int low = 0;
    int high = 0;
    std::size_t maxLength = 0;
    const int& (*number)(const Settings&) = nullptr;
    const std::u16string& (*text)(const Settings&) = nullptr;
    const ColorRef& (*colour)(const Settings&) = nullptr;
};

// What a control shows: number for check boxes (0 or 1), choices (index, -1 for none) and colours;
// text for number, text and path fields (numbers as the user typed them).
struct FieldValue {
    int number = 0;
    std::u16string text;
    friend bool operator==(const FieldValue&, const FieldValue&) = default;
};

using FieldValues = std::vector<FieldValue>;

// The text of a number field as a number: a C integer reading (text without digits is 0), clamped.
[[nodiscard]] int ReadNumberField(std::u16string_view text, int low, int high) noexcept;

// The values the controls start with, one per field, from the settings.
[[nodiscard]] FieldValues LoadFields(std::span<const SettingField> fields, const Settings& settings);

// Compares every value with its setting, stores what changed (clamped, cut, trimmed) and raises the
// groups of the changed fields; a text the user left as it was is kept as it is, even when it is
// longer than the field takes. Returns true when anything changed.
bool AcceptFields(std::span<const SettingField> fields, const FieldValues& values, Settings& settings,
                  ChangeFlags& flags);

// The index of the field for a control, or -1.
[[nodiscard]] int FieldIndexOf(std::span<const SettingField> fields, int control) noexcept;

}  // namespace tavrin
