#include "filer/FilerPath.h"

#include <windows.h>

#include "common/Paths.h"

namespace zq {

bool SamePathIgnoringCase(const std::wstring& a, const std::wstring& b) noexcept {
    return ::CompareStringOrdinal(a.c_str(), static_cast<int>(a.size()), b.c_str(), static_cast<int>(b.size()), TRUE) ==
           CSTR_EQUAL;
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

bool IsAbsoluteStartPath(const std::wstring& path) {
    const auto slash = [](wchar_t c) { return c == L'\\' || c == L'/'; };
    if (path.size() >= 2 && path[1] == L':') {
        const wchar_t letter = path[0];
        const bool isLetter = (letter >= L'A' && letter <= L'Z') || (letter >= L'a' && letter <= L'z');
        return isLetter && (path.size() == 2 || slash(path[2]));
    }
    // "\\server\share": a server name must follow the two backslashes.
    return path.size() > 2 && slash(path[0]) && slash(path[1]) && !slash(path[2]);
}

}  // namespace zq
