#include "filer/ListingSource.h"

#include <windows.h>

#include <algorithm>

#include "common/Handle.h"
#include "common/Paths.h"
#include "common/TreeWalk.h"
#include "filer/FilerPath.h"
#include "filer/NetworkWait.h"

namespace zq {

namespace {

bool IsUncPath(const std::wstring& path) noexcept {
    return path.size() >= 2 && path[0] == L'\\' && path[1] == L'\\';
}

}  // namespace

bool DirectorySource::Reachable(const std::wstring& path) {
    return !path.empty() && RootAnswers(RootOf(path));
}

bool DirectorySource::CanEnter(const std::wstring& path) {
    return IsExistingDirectory(path);
}

void DirectorySource::Enumerate(const std::wstring& directory, const std::wstring& pattern,
                                const std::function<bool(FileEntry&)>& take) {
    DirectoryEnumerator entries(m_fs, directory, pattern.c_str());
    FileEntry found;
    while (entries.Next(found))
        if (!take(found)) return;
}

bool DirectorySource::Describe(const std::wstring& path, FileEntry& own) {
    UniqueFind find(::FindFirstFileExW(path.c_str(), FindExInfoStandard, &own, FindExSearchNameMatch, nullptr, 0));
    return static_cast<bool>(find);
}

ListingUp DirectoryUp(const std::wstring& path) {
    if (path.size() == 2 && path[1] == L':') return {ListingUp::Kind::DriveList, {}};
    // Fewer than four backslashes: "\\server" or "\\server\share", the top of a share.
    if (IsUncPath(path) && std::count(path.begin(), path.end(), L'\\') < 4) return {ListingUp::Kind::NetworkParent, {}};
    const size_t slash = path.rfind(L'\\');
    if (slash == std::wstring::npos || slash < RootLength(path)) return {};
    return {ListingUp::Kind::Parent, path.substr(0, slash)};
}

namespace {

std::vector<ListingSources::Maker>& Makers() {
    static std::vector<ListingSources::Maker> makers;
    return makers;
}

}  // namespace

void ListingSources::Register(Maker maker) {
    Makers().push_back(std::move(maker));
}

IListingSource& ListingSources::For(const std::wstring& location) {
    // Makers registered after this pane's first question still get their turn.
    for (const auto& makers = Makers(); m_made < makers.size(); ++m_made)
        if (auto source = makers[m_made]()) m_sources.push_back(std::move(source));
    for (const auto& source : m_sources)
        if (source->Claims(location)) return *source;
    return DirectorySource::Shared();
}

DirectorySource& DirectorySource::Shared() {
    static Win32FileSystem fs;
    static DirectorySource source = [] {
        DirectorySource made(fs);
        made.m_lastsForTheProcess = true;
        return made;
    }();
    return source;
}

}  // namespace zq
