#include "app/SystemEnd.h"

#include <windows.h>

#include <string>

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

bool EndWindowsSession(bool reboot) {
    wchar_t simulated[MAX_PATH] = {};
    if (::GetEnvironmentVariableW(L"ZQ_SIMULATE_WINDOWS_END", simulated, MAX_PATH) > 0) {
        UniqueFile file(::CreateFileW(simulated, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL,
                                      nullptr));
        if (!file) return false;
        const char* text = reboot ? "reboot" : "shutdown";
        DWORD written = 0;
        return ::WriteFile(file.Get(), text, static_cast<DWORD>(std::char_traits<char>::length(text)), &written,
                           nullptr) != 0;
    }
    EnableShutdownPrivilege();
    const UINT flags = reboot ? EWX_REBOOT : (EWX_SHUTDOWN | EWX_POWEROFF);
    return ::ExitWindowsEx(flags, SHTDN_REASON_MAJOR_APPLICATION | SHTDN_REASON_FLAG_PLANNED) != 0;
}

}  // namespace zq
