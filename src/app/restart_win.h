#pragma once
// The lock that orders a restart after a reset of all settings: the old copy takes it before it starts
// the new one and keeps it until its process ends; the new copy, started with "/reboot", waits for it
// before it reads anything.

#include <windows.h>

#include <string_view>

namespace tavrin {

// The old copy: takes the lock of this executable for the rest of the process's life. False when it
// cannot be taken (the restart then goes on unordered, as it would have without the lock).
bool HoldRestartLock(std::u16string_view exePath);
// Gives the lock up again, when the new copy could not be started after all.
void ReleaseRestartLock();

// The new copy: waits up to timeoutMs for the copy that started it to end. True when it ended or when
// no copy holds the lock; false when it is still running at the end of the wait.
[[nodiscard]] bool WaitForPreviousCopy(std::u16string_view exePath, DWORD timeoutMs);

}  // namespace tavrin
