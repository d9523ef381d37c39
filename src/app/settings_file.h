#pragma once
// The settings file "tavrin.ini" beside the executable: an INI-like UTF-16LE text with FF FE and CR LF,
// read once at start-up and rewritten whole at shutdown and when the settings dialog applies changes.

#include <optional>
#include <string>
#include <string_view>

#include "app/app_state.h"
#include "app/settings.h"
#include "platform/file_system.h"
#include "templates/template_list.h"

namespace tavrin {

// Applies a settings text onto settings and appends its "Item" lines to templates. Takes whatever it
// can from any text: lines end at CR, LF, CR LF or a NUL; unknown sections, unknown keys and
// malformed lines are ignored; keys missing from the text keep the values settings had. Afterwards
// the clamps apply and the derived values (sidebar width, row unit, active keys) are recomputed.
void ParseSettingsText(std::u16string_view text, Settings& settings, TemplateList& templates);

// The whole text of the settings file (without the byte-order mark), in its fixed section and key
// order, every line ending in CR LF and an empty line after every section but the last. String values
// are written as they are up to their first line break or NUL, which would otherwise break the file
// apart; template names and bodies are escaped.
[[nodiscard]] std::u16string ComposeSettingsText(const Settings& settings, const TemplateList& templates);

// Brings the state's derived fields in line with the settings: RestoreRect from Left, Top, Width and
// Height, and the weekday labels from WeekFormat.
void ApplySettingsToState(AppState& state);

// Reads the settings file from exeFolder into the state: the settings start from what the state holds
// (the defaults at start-up), the template list is replaced by the file's items, and the derived
// values follow. False only when the file cannot be opened or read; the state is then unchanged.
[[nodiscard]] bool LoadSettings(FileSystem& fs, std::u16string_view exeFolder, AppState& state);

// Writes the settings file whole, through a temporary file that replaces the old one in one step, so
// a failed write leaves the previous file intact. Before composing, Left, Top, Width and Height are
// taken from the frame (RestoreRect while it is fullscreen, maximised or minimised; left alone when no
// frame is given) and StartDate from SelectedDate. With ResetSettingsPending set the file is deleted
// instead and the result is true. False when the file cannot be written.
[[nodiscard]] bool SaveSettings(FileSystem& fs, std::u16string_view exeFolder, AppState& state,
                                const std::optional<FrameGeometry>& frame);

}  // namespace tavrin
