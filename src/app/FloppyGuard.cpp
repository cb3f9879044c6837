#include "app/FloppyGuard.h"

#include <windows.h>
#include <shellapi.h>

namespace zq {

bool IsFloppyTypeName(const std::wstring& typeName) {
    static const wchar_t* const kNames[] = {L"3.5ｲﾝﾁ FD", L"3.5 ｲﾝﾁ FD", L"3.5ｲﾝﾁFD", L"3.5 インチ FD"};
    for (const wchar_t* name : kNames) {
        if (typeName == name) return true;
    }
    return false;
}

bool ReleaseFloppyCurrentDirectory() {
    wchar_t current[MAX_PATH] = {};
    if (::GetCurrentDirectoryW(MAX_PATH, current) < 3 || current[1] != L':') return false;
    const wchar_t root[] = {current[0], L':', L'\\', L'\0'};
    switch (::GetDriveTypeW(root)) {
        case DRIVE_FIXED:
        case DRIVE_REMOTE:
        case DRIVE_CDROM:
        case DRIVE_RAMDISK:
            return false;
        default:
            break;
    }
    SHFILEINFOW info{};
    if (!::SHGetFileInfoW(root, 0, &info, sizeof(info), SHGFI_TYPENAME)) return false;
    if (!IsFloppyTypeName(info.szTypeName)) return false;
    wchar_t system[MAX_PATH] = {};
    ::GetSystemDirectoryW(system, MAX_PATH);
    return ::SetCurrentDirectoryW(system) != 0;
}

}  // namespace zq
