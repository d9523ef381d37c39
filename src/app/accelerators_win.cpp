#include "app/accelerators_win.h"

#include <vector>

#include "app/command_table.h"

namespace tavrin {

void RebuildAccelerators(App& app) {
    DestroyAccelerators(app);
    const std::vector<AcceleratorEntry> entries =
        BuildAccelerators(app.state.settings.shortcutKey.active, app.state.templates);
    std::vector<ACCEL> table;
    table.reserve(entries.size());
    for (const AcceleratorEntry& entry : entries) {
        table.push_back(ACCEL{entry.flags, entry.key, entry.command});
    }
    app.shell.accelerators = CreateAcceleratorTableW(table.data(), static_cast<int>(table.size()));
}

void DestroyAccelerators(App& app) {
    if (app.shell.accelerators) {
        DestroyAcceleratorTable(app.shell.accelerators);
        app.shell.accelerators = nullptr;
    }
}

}  // namespace tavrin
