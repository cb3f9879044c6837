#include "filer/FilerPath.h"

#include <windows.h>

#include "common/Paths.h"

namespace zq {

bool SamePathIgnoringCase(const std::wstring& a, const std::wstring& b) noexcept {
    return ::CompareStringOrdinal(a.c_str(), static_cast<int>(a.size()), b.c_str(), static_cast<int>(b.size()),
                                  TRUE) == CSTR_EQUAL;
}

bool SameNameIgnoringCase(const wchar_t* a, const std::wstring& b) noexcept {
    return ::CompareStringOrdinal(a, -1, b.c_str(), static_cast<int>(b.size()), TRUE) == CSTR_EQUAL;
}

std::wstring WithRootSlash(const std::wstring& path) {
    return PlatformPath(path);
}

bool IsExistingDirectory(const std::wstring& path) {
    const DWORD a = ::GetFileAttributesW(WithRootSlash(path).c_str());
    return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY);
}

std::wstring FoldedName(const wchar_t* name) {
    std::wstring s(name);
    if (!s.empty()) ::CharUpperBuffW(s.data(), static_cast<DWORD>(s.size()));
    return s;
}

}  // namespace zq
