#pragma once

#include <windows.h>

#include "app/app_win.h"

namespace tavrin {

// Replaces the accelerator table by one built from the active keys and the template keys. When the
// table cannot be created there is none, and keys only reach the focused window.
void RebuildAccelerators(App& app);

// Destroys the table, if any.
void DestroyAccelerators(App& app);

}  // namespace tavrin
