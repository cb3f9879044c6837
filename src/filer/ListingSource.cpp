#include "filer/ListingSource.h"

#include <windows.h>

#include "common/Handle.h"
#include "common/Paths.h"
#include "filer/FilerPath.h"

namespace zq {

bool DirectorySource::Reachable(const std::wstring& path) {
    return !path.empty() && ::GetFileAttributesW(RootOf(path).c_str()) != INVALID_FILE_ATTRIBUTES;
}

bool DirectorySource::CanEnter(const std::wstring& path) {
    return IsExistingDirectory(path);
}

void DirectorySource::Enumerate(const std::wstring& directory, const std::wstring& pattern,
                                const std::function<bool(FileEntry&)>& take) {
    const std::wstring spec = directory + L'\\' + pattern;
    FileEntry found;
    UniqueFind find(::FindFirstFileExW(spec.c_str(), FindExInfoStandard, &found, FindExSearchNameMatch, nullptr,
                                       FIND_FIRST_EX_LARGE_FETCH));
    if (!find) return;
    do {
        if (!take(found)) return;
    } while (::FindNextFileW(find.Get(), &found));
}

bool DirectorySource::Describe(const std::wstring& path, FileEntry& own) {
    UniqueFind find(::FindFirstFileExW(path.c_str(), FindExInfoStandard, &own, FindExSearchNameMatch, nullptr, 0));
    return static_cast<bool>(find);
}

DirectorySource& DirectorySource::Shared() {
    static DirectorySource source;
    return source;
}

}  // namespace zq
