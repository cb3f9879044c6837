#pragma once
// Ending Windows (power-off or reboot) from the quit dialog.  The two platform
// calls are a seam: tests pass recording ones, so no test can end the session
// of the machine it runs on.
#include <windows.h>

#include <functional>

namespace zq {

struct SystemEndCalls {
    std::function<bool()> enableShutdownPrivilege;
    std::function<bool(UINT flags, DWORD reason)> exitWindows;
};

// The process token's SeShutdownPrivilege and ExitWindowsEx.
[[nodiscard]] SystemEndCalls PlatformSystemEndCalls();

// Shut-down with power-off, or reboot; false when Windows refused.
bool EndWindowsSession(bool reboot, const SystemEndCalls& calls = PlatformSystemEndCalls());

}  // namespace zq
