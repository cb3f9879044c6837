#include "SystemCpl.h"

#include <windows.h>

#include <algorithm>

#include "common/Handle.h"
#include "common/Paths.h"

namespace zq::companion {

std::vector<std::wstring> SystemCplFiles() {
    wchar_t system[MAX_PATH];
    const UINT n = ::GetSystemDirectoryW(system, MAX_PATH);
    if (n == 0 || n >= MAX_PATH) return {};
    std::vector<std::wstring> paths;
    WIN32_FIND_DATAW data;
    UniqueFind find(::FindFirstFileW(JoinPath(system, L"*.cpl").c_str(), &data));
    if (!find) return {};
    do {
        if (!(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) paths.push_back(JoinPath(system, data.cFileName));
    } while (::FindNextFileW(find.Get(), &data));
    std::sort(paths.begin(), paths.end(), [](const std::wstring& a, const std::wstring& b) {
        return ::CompareStringOrdinal(a.c_str(), -1, b.c_str(), -1, TRUE) == CSTR_LESS_THAN;
    });
    return paths;
}

}  // namespace zq::companion
