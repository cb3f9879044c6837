#include "app/SystemEnd.h"

#include "common/Handle.h"

namespace zq {
namespace {

bool EnableShutdownPrivilege() {
    HANDLE raw = nullptr;
    if (!::OpenProcessToken(::GetCurrentProcess(), TOKEN_ADJUST_PRIVILEGES | TOKEN_QUERY, &raw)) return false;
    UniqueHandle token(raw);
    TOKEN_PRIVILEGES privileges{};
    if (!::LookupPrivilegeValueW(nullptr, SE_SHUTDOWN_NAME, &privileges.Privileges[0].Luid)) return false;
    privileges.PrivilegeCount = 1;
    privileges.Privileges[0].Attributes = SE_PRIVILEGE_ENABLED;
    return ::AdjustTokenPrivileges(token.Get(), FALSE, &privileges, 0, nullptr, nullptr) &&
           ::GetLastError() == ERROR_SUCCESS;
}

}  // namespace

SystemEndCalls PlatformSystemEndCalls() {
    return {EnableShutdownPrivilege, [](UINT flags, DWORD reason) { return ::ExitWindowsEx(flags, reason) != 0; }};
}

bool EndWindowsSession(bool reboot, const SystemEndCalls& calls) {
    // Without the privilege NT-family systems refuse; the request is still made,
    // and its own answer is the one that counts.
    if (calls.enableShutdownPrivilege) (void)calls.enableShutdownPrivilege();
    if (!calls.exitWindows) return false;
    const UINT flags = reboot ? EWX_REBOOT : (EWX_SHUTDOWN | EWX_POWEROFF);
    return calls.exitWindows(flags, SHTDN_REASON_MAJOR_APPLICATION | SHTDN_REASON_FLAG_PLANNED);
}

}  // namespace zq
