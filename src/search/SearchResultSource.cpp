#include "search/SearchResultSource.h"

#include "common/Paths.h"
#include "common/Wildcard.h"

namespace zq {

bool SearchResultSource::Claims(const std::wstring& location) {
    return location == kSearchResultLocation && m_results.Started();
}

void SearchResultSource::Enumerate(const std::wstring& directory, const std::wstring& pattern,
                                   const std::function<bool(FileEntry&)>& take) {
    if (!Claims(directory)) return;
    const std::vector<structFindThreadInfo> items = m_results.Snapshot();
    const bool filter = !IsMatchAllPattern(pattern) && pattern != L"*";
    const bool check = items.size() <= kExistenceCheckLimit;
    for (size_t i = 0; i < items.size(); ++i) {
        FileEntry entry = items[i].find;
        if (filter && !WildcardMatch(entry.cFileName, pattern)) continue;
        // A result deleted or moved since (by an operation on the results) is no longer listed.
        if (check &&
            ::GetFileAttributesW(JoinPath(items[i].directory, entry.cFileName).c_str()) == INVALID_FILE_ATTRIBUTES)
            continue;
        // The record carries its place in the results, so that its directory can be found from it.
        entry.dwReserved1 = static_cast<DWORD>(i + 1);
        if (!take(entry)) return;
    }
}

bool SearchResultSource::Describe(const std::wstring& path, FileEntry& own) {
    (void)path, (void)own;
    return false;
}

ListingUp SearchResultSource::Up(const std::wstring& path) {
    (void)path;
    const std::wstring back = m_results.ReturnTo();
    if (back.empty()) return {};
    return {ListingUp::Kind::Parent, back};
}

std::wstring SearchResultSource::EntryDirectory(const std::wstring& location, const FileEntry& entry) const {
    std::wstring directory;
    if (entry.dwReserved1 == 0 || !m_results.DirectoryOf(entry.dwReserved1 - 1, directory)) return location;
    return directory;
}

}  // namespace zq
