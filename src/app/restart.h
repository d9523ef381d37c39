#pragma once
// Restarting after a reset of all settings: the old copy holds a lock named after its executable until
// its process ends; a copy started with "/reboot" waits for that lock before it reads the settings, so
// it never sees the settings file the old copy is about to delete, nor a month file it is still writing.

#include <string>
#include <string_view>

namespace tavrin {

inline constexpr std::u16string_view kRebootArgument = u"/reboot";

// The name of the lock for an executable path, the same for every spelling of the path that differs
// only in letter case (the caller upper-cases it the way the file system compares names). Copies in
// other folders use other locks and never wait for each other.
[[nodiscard]] std::u16string RestartLockName(std::u16string_view upperCaseExePath);

}  // namespace tavrin
