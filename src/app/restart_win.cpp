#include "app/restart_win.h"

#include <string>

#include "app/restart.h"
#include "platform/wide_win.h"

namespace tavrin {
namespace {

// The held lock. It is released by the system when the process ends, which is exactly the moment the
// new copy waits for, so it is deliberately never closed while the restart goes on.
HANDLE heldLock = nullptr;

std::u16string LockNameOf(std::u16string_view exePath) {
    std::u16string upper(exePath);
    CharUpperBuffW(WideBuffer(upper), static_cast<DWORD>(upper.size()));
    return RestartLockName(upper);
}

}  // namespace

bool HoldRestartLock(std::u16string_view exePath) {
    if (heldLock) {
        return true;
    }
    const std::u16string name = LockNameOf(exePath);
    HANDLE lock = CreateMutexW(nullptr, FALSE, Wide(name));
    if (!lock) {
        return false;
    }
    // A copy that restarted this one may still be ending; waiting for it here keeps the order.
    const DWORD taken = WaitForSingleObject(lock, 10000);
    if (taken != WAIT_OBJECT_0 && taken != WAIT_ABANDONED) {
        CloseHandle(lock);
        return false;
    }
    heldLock = lock;
    return true;
}

void ReleaseRestartLock() {
    if (heldLock) {
        ReleaseMutex(heldLock);
        CloseHandle(heldLock);
        heldLock = nullptr;
    }
}

bool WaitForPreviousCopy(std::u16string_view exePath, DWORD timeoutMs) {
    const std::u16string name = LockNameOf(exePath);
    HANDLE lock = OpenMutexW(SYNCHRONIZE | MUTEX_MODIFY_STATE, FALSE, Wide(name));
    if (!lock) {
        return true;  // nobody holds it: started by hand, or the old copy has ended already
    }
    const DWORD waited = WaitForSingleObject(lock, timeoutMs);
    const bool ended = waited == WAIT_OBJECT_0 || waited == WAIT_ABANDONED;
    if (ended) {
        ReleaseMutex(lock);
    }
    CloseHandle(lock);
    return ended;
}

}  // namespace tavrin
