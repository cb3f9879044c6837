#include "picture/PreviewDirectories.h"

#include <windows.h>

#include <algorithm>

#include "common/Paths.h"

namespace zq {

namespace {

std::wstring Normal(const std::wstring& directory) {
    std::wstring d = directory;
    while (d.size() > 3 && IsPathSeparator(d.back())) d.pop_back();
    return d;
}

bool Same(const std::wstring& a, const std::wstring& b) {
    return ::CompareStringOrdinal(a.c_str(), static_cast<int>(a.size()), b.c_str(), static_cast<int>(b.size()), TRUE) ==
           CSTR_EQUAL;
}

// parent is an ancestor of child ("C:\a" of "C:\a\b", "C:\" of "C:\a").
bool IsAncestor(const std::wstring& parent, const std::wstring& child) {
    if (child.size() <= parent.size() || !Same(parent, child.substr(0, parent.size()))) return false;
    return IsPathSeparator(parent.back()) || IsPathSeparator(child[parent.size()]);
}

}  // namespace

PreviewDirectories::PreviewDirectories(std::vector<Entry> entries) : m_entries(std::move(entries)) {
    for (Entry& e : m_entries) e.directory = Normal(e.directory);
}

void PreviewDirectories::Enable(const std::wstring& directory, bool withChildren, unsigned type) {
    Disable(directory);
    m_entries.push_back({Normal(directory), (type & ~kWithChildren) | (withChildren ? kWithChildren : 0u)});
}

void PreviewDirectories::Disable(const std::wstring& directory) {
    const std::wstring d = Normal(directory);
    std::erase_if(m_entries, [&](const Entry& e) {
        return Same(e.directory, d) || ((e.type & kWithChildren) && IsAncestor(e.directory, d));
    });
}

std::optional<PreviewDirectories::Entry> PreviewDirectories::Find(const std::wstring& directory) const {
    const std::wstring d = Normal(directory);
    std::optional<Entry> best;
    for (const Entry& e : m_entries) {
        if (Same(e.directory, d)) return e;
        if ((e.type & kWithChildren) && IsAncestor(e.directory, d) &&
            (!best || best->directory.size() < e.directory.size()))
            best = e;
    }
    return best;
}

}  // namespace zq
