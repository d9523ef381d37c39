#pragma once
// Templates as commands: inserting one into the editor, the labels and key texts of the template
// menu, and the template context served from the application state.

#include <string>
#include <vector>

#include "app/app_state.h"
#include "app/command_table.h"
#include "app/user_error.h"
#include "platform/clock.h"
#include "templates/template_context.h"
#include "templates/template_list.h"

namespace tavrin {

// The template context of the running program: clock, calendar mode, selected date, diary name,
// executable folder and background picture from the state; editor and clipboard from the shell.
class AppTemplateContext final : public TemplateContext {
public:
    AppTemplateContext(const AppState& state, const Clock& clock, TemplateEditor& editor,
                       TextClipboard& clipboard)
        : state_(state), clock_(clock), editor_(editor), clipboard_(clipboard) {}

    [[nodiscard]] LocalDateTime Now() override { return clock_.Now(); }
    [[nodiscard]] bool CalendarMode() override { return state_.displayMode == DisplayMode::kCalendar; }
    [[nodiscard]] DiaryDate SelectedDate() override { return state_.selectedDate; }
    [[nodiscard]] std::u16string DiaryFolderName() override { return state_.DiaryName(); }
    [[nodiscard]] std::u16string ExeFolder() override { return state_.exeFolder; }
    [[nodiscard]] std::u16string BackImagePath() override { return state_.settings.backImage.path; }
    [[nodiscard]] TemplateEditor& Editor() override { return editor_; }
    [[nodiscard]] TextClipboard& Clipboard() override { return clipboard_; }

private:
    const AppState& state_;
    const Clock& clock_;
    TemplateEditor& editor_;
    TextClipboard& clipboard_;
};

// The error numbers template insertion reports.
inline constexpr int kTemplateOutOfMemoryError = 203;
inline constexpr int kTemplateMissingError = 600;

// "定型文ID: %d", the detail line of both errors.
[[nodiscard]] std::u16string TemplateIdDetail(int index);

// The template command TemplateCommandId(index): inserts the expansion of the item into the editor in
// place of its selection (one undo step) and sets the selection its markers ask for. Does nothing in
// calendar mode, on a read-only entry and for an empty body. Reports error 600 when there is no item
// at index and error 203 when the expansion cannot be allocated. True when the editor was changed.
bool InsertTemplate(const TemplateList& list, int index, TemplateContext& context, ErrorSink& errors);

// Menu labels longer than this are cut and followed by "...".
inline constexpr std::size_t kTemplateLabelMax = 32;

// The menu label of an item: its name with every code expanded; the name as it stands when it is
// empty or cannot be expanded.
[[nodiscard]] std::u16string TemplateMenuLabel(const TemplateItem& item, TemplateContext& context);

// One entry of the template menu, in list order.
struct TemplateMenuEntry {
    int command = 0;  // TemplateCommandId(index)
    bool separator = false;
    std::u16string label;
    std::u16string keyText;  // the item's key as menus show it ("Ctrl+D"); empty without a key
    friend bool operator==(const TemplateMenuEntry&, const TemplateMenuEntry&) = default;
};

[[nodiscard]] std::vector<TemplateMenuEntry> BuildTemplateMenu(const TemplateList& list,
                                                               TemplateContext& context,
                                                               const KeyNameSource& keyNames);

}  // namespace tavrin
