#include "settings_dialog/symbol_list_model.h"

#include <algorithm>

#include "templates/template_codes.h"
#include "ui/dpi.h"

namespace tavrin {

ScreenRect SymbolListPlacement(const std::optional<ScreenRect>& lastClosed, const ScreenRect& settingsWindow,
                               int dpi) noexcept {
    if (lastClosed) {
        return *lastClosed;
    }
    const int size = ScaleForDpi(kSymbolListSize, dpi);
    const int left = settingsWindow.right - ScaleForDpi(kSymbolListOverlap, dpi);
    const int top = settingsWindow.top + (settingsWindow.Height() - size) / 2;
    return ScreenRect{left, top, left + size, top + size};
}

SymbolColumns SymbolListColumns(int listWidth, int edgeWidth, int scrollBarWidth) noexcept {
    const int usable = std::max(listWidth - 2 * edgeWidth - scrollBarWidth, 0);
    SymbolColumns columns;
    columns.code = usable / 8;
    const int rest = usable - columns.code;
    columns.description = rest / 2;
    columns.example = rest / 2;
    return columns;
}

std::vector<SymbolRow> SymbolRows(
    const std::function<std::optional<std::u16string>(std::u16string_view)>& expand) {
    std::vector<SymbolRow> rows;
    rows.reserve(kTemplateCodeCount);
    for (const TemplateCode& code : TemplateCodeTable()) {
        SymbolRow row;
        row.code = std::u16string{u'$', code.code};
        row.description.assign(code.description);
        if (expand) {
            row.example = expand(row.code).value_or(std::u16string());
        }
        rows.push_back(std::move(row));
    }
    return rows;
}

}  // namespace tavrin
