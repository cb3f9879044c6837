#include "archive/ArchiveSource.h"

#include "common/Paths.h"
#include "common/Wildcard.h"

namespace zq {

namespace {

bool SameText(std::wstring_view a, std::wstring_view b) {
    return ::CompareStringOrdinal(a.data(), static_cast<int>(a.size()), b.data(), static_cast<int>(b.size()), TRUE) ==
           CSTR_EQUAL;
}

}  // namespace

bool ArchiveSource::Split(const std::wstring& location, Location& split) {
    const size_t root = RootLength(location);
    if (root == 0) return false;
    for (size_t at = location.find(L'\\', root + 1);; at = location.find(L'\\', at + 1)) {
        const std::wstring prefix = location.substr(0, at);
        const DWORD attributes = ::GetFileAttributesW(prefix.c_str());
        if (attributes == INVALID_FILE_ATTRIBUTES) return false;
        if (!(attributes & FILE_ATTRIBUTE_DIRECTORY)) {
            split.archive = prefix;
            split.folder = at == std::wstring::npos ? std::wstring() : location.substr(at + 1);
            while (!split.folder.empty() && split.folder.back() == L'\\') split.folder.pop_back();
            return true;
        }
        if (at == std::wstring::npos) return false;
    }
}

bool ArchiveSource::Ensure(const std::wstring& location, std::wstring& folder) {
    Location split;
    if (!Split(location, split)) return false;
    folder = split.folder;
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!::GetFileAttributesExW(split.archive.c_str(), GetFileExInfoStandard, &data)) return false;
    // The same archive is listed again only when the file was written since.
    if (m_archive.IsOpen() && SameText(m_archive.ArchivePath(), split.archive) &&
        ::CompareFileTime(&m_openedWriteTime, &data.ftLastWriteTime) == 0)
        return true;
    const std::wstring directory(ParentPart(split.archive));
    const std::wstring name(FileNamePart(split.archive));
    if (!m_archive.Open(DefaultArchiverTable(), m_libraryPath(), directory, name)) return false;
    m_openedWriteTime = data.ftLastWriteTime;
    return true;
}

bool ArchiveSource::Claims(const std::wstring& location) {
    std::wstring folder;
    return Ensure(location, folder);
}

bool ArchiveSource::Reachable(const std::wstring& path) {
    return !path.empty() && ::GetFileAttributesW(RootOf(path).c_str()) != INVALID_FILE_ATTRIBUTES;
}

bool ArchiveSource::CanEnter(const std::wstring& path) {
    std::wstring folder;
    return Ensure(path, folder) && m_archive.HasFolder(folder);
}

void ArchiveSource::Enumerate(const std::wstring& directory, const std::wstring& pattern,
                              const std::function<bool(FileEntry&)>& take) {
    std::wstring folder;
    if (!Ensure(directory, folder)) return;
    // The pane asks for folders with the pattern only when it applies to them.
    const bool forFolders = !IsMatchAllPattern(pattern) && pattern != L"*";
    for (FileEntry& entry : m_archive.ListFolder(folder, pattern, forFolders))
        if (!take(entry)) return;
}

bool ArchiveSource::Describe(const std::wstring& path, FileEntry& own) {
    std::wstring folder;
    if (!Ensure(path, folder)) return false;
    own = m_archive.OwnRecord();
    own.dwFileAttributes = FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_NORMAL;
    own.nFileSizeHigh = own.nFileSizeLow = 0;
    return true;
}

bool ArchiveSource::ReadEntry(const std::wstring& directory, const std::wstring& name, std::size_t limit, HLOCAL& block,
                              std::size_t& length) {
    std::wstring folder;
    if (!Ensure(directory, folder)) return false;
    UniqueLocal data;
    if (!m_archive.ExtractToMemory(folder, name, limit, data, length)) return false;
    block = data.Release();
    return true;
}

bool ArchiveSource::DescribeArchiveSide(const std::wstring& location, StructArchiveSide& side) {
    std::wstring folder;
    if (!Ensure(location, folder)) return false;
    side = {};
    side.directory = m_archive.Directory();
    side.name = m_archive.Name();
    side.folder = folder;
    side.libraryPath = m_libraryPath();
    if (!m_archive.ByPlugin()) {
        side.kind = m_archive.Row();
        const std::vector<StructArchiverRow> table = DefaultArchiverTable();
        if (side.kind >= 0 && side.kind < static_cast<int>(table.size())) {
            side.unpackPrefix = table[static_cast<size_t>(side.kind)].unpackPrefix;
            side.packPrefix = table[static_cast<size_t>(side.kind)].packPrefix;
        }
    }
    side.files.reserve(m_archive.Members().size());
    for (const StructArchiveMember& member : m_archive.Members()) {
        const std::wstring name = member.find.cFileName;
        side.files.push_back(
            {member.folder.empty() ? name : member.folder + L"\\" + name, member.find.ftLastWriteTime});
    }
    return true;
}

}  // namespace zq
