#include "archive/ArchiveHandle.h"

#include <algorithm>
#include <cstring>
#include <cwchar>
#include <unordered_set>

#include "common/Paths.h"
#include "common/TextConv.h"
#include "common/Wildcard.h"

namespace zq {

namespace {

bool SameText(std::wstring_view a, std::wstring_view b) {
    return ::CompareStringOrdinal(a.data(), static_cast<int>(a.size()), b.data(), static_cast<int>(b.size()), TRUE) ==
           CSTR_EQUAL;
}

bool StartsWithFolder(const std::wstring& folder, const std::wstring& parent) {
    if (parent.empty()) return true;
    return folder.size() > parent.size() && folder[parent.size()] == L'\\' &&
           SameText(std::wstring_view(folder).substr(0, parent.size()), parent);
}

void CopyName(wchar_t* target, size_t capacity, std::wstring_view name) {
    const size_t n = std::min(name.size(), capacity - 1);
    std::wmemcpy(target, name.data(), n);
    target[n] = L'\0';
}

// Members have no short names of their own; an upper-case 8.3 form of the
// long name is enough for what the panes do with one (showing it, matching
// a pattern against it), and none is made for a name that is already 8.3.
void DeriveShortName(FileEntry& entry) {
    const std::wstring_view name = entry.cFileName;
    const size_t dot = name.rfind(L'.');
    const std::wstring_view stem = name.substr(0, dot);
    const std::wstring_view extension = dot == std::wstring_view::npos ? std::wstring_view() : name.substr(dot + 1);
    if (stem.size() <= 8 && extension.size() <= 3 && name.find(L' ') == std::wstring_view::npos) return;
    std::wstring shortName;
    for (wchar_t c : stem) {
        if (c == L' ' || c == L'.') continue;
        if (shortName.size() == 6) break;
        shortName += static_cast<wchar_t>(::towupper(c));
    }
    shortName += L"~1";
    if (!extension.empty()) {
        shortName += L'.';
        for (wchar_t c : extension.substr(0, 3)) shortName += static_cast<wchar_t>(::towupper(c));
    }
    CopyName(entry.cAlternateFileName, std::size(entry.cAlternateFileName), shortName);
}

FileEntry FolderEntry(const FileEntry& own, std::wstring_view name) {
    FileEntry entry = own;
    std::wmemset(entry.cFileName, L'\0', std::size(entry.cFileName));
    std::wmemset(entry.cAlternateFileName, L'\0', std::size(entry.cAlternateFileName));
    CopyName(entry.cFileName, std::size(entry.cFileName), name);
    entry.dwFileAttributes = FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_NORMAL;
    entry.nFileSizeHigh = entry.nFileSizeLow = 0;
    return entry;
}

std::string Quoted(const std::string& text) {
    return '"' + text + '"';
}

}  // namespace

bool ConvertLibraryEntry(const arc::INDIVIDUALINFO& info, StructArchiveMember& member) {
    // Converting to wide text first keeps a Shift_JIS second byte 0x5C inside
    // its character: only a real backslash or slash separates folders.
    const size_t length = strnlen(info.szFileName, sizeof info.szFileName);
    std::wstring reported = ToWide(std::string_view(info.szFileName, length));
    std::wstring name = reported;
    std::replace(name.begin(), name.end(), L'/', L'\\');
    name.erase(0, name.find_first_not_of(L'\\'));
    if (name.empty() || name.back() == L'\\') return false;
    // Some libraries report a folder entry without the trailing separator but
    // with the folder attribute; it is a folder all the same.
    const std::string_view attributes(info.szAttribute, strnlen(info.szAttribute, sizeof info.szAttribute));
    if (attributes.find('D') != std::string_view::npos) return false;

    member = StructArchiveMember{};
    const size_t slash = name.rfind(L'\\');
    member.folder = slash == std::wstring::npos ? std::wstring() : name.substr(0, slash);
    const std::wstring_view file =
        slash == std::wstring::npos ? std::wstring_view(name) : std::wstring_view(name).substr(slash + 1);
    CopyName(member.find.cFileName, std::size(member.find.cFileName), file);
    DeriveShortName(member.find);
    member.fullPath = reported;

    DWORD attr = 0;
    if (attributes.find('A') != std::string_view::npos) attr |= FILE_ATTRIBUTE_ARCHIVE;
    if (attributes.find('H') != std::string_view::npos) attr |= FILE_ATTRIBUTE_HIDDEN;
    if (attributes.find('R') != std::string_view::npos) attr |= FILE_ATTRIBUTE_READONLY;
    if (attributes.find('S') != std::string_view::npos) attr |= FILE_ATTRIBUTE_SYSTEM;
    member.find.dwFileAttributes = attr ? attr : FILE_ATTRIBUTE_NORMAL;

    FILETIME local{}, utc{};
    if (::DosDateTimeToFileTime(info.wDate, info.wTime, &local) && ::LocalFileTimeToFileTime(&local, &utc))
        member.find.ftCreationTime = member.find.ftLastAccessTime = member.find.ftLastWriteTime = utc;
    member.find.nFileSizeLow = info.dwOriginalSize;
    member.find.nFileSizeHigh = 0;
    return true;
}

bool ConvertPluginEntry(const StructPluginMember& entry, StructArchiveMember& member) {
    const std::wstring name = ToWide(entry.fileName);
    if (name.empty() || name.find_first_of(L"\\/") != std::wstring::npos) return false;
    std::wstring folder = ToWide(entry.path);
    std::replace(folder.begin(), folder.end(), L'/', L'\\');
    folder.erase(0, folder.find_first_not_of(L'\\'));
    while (!folder.empty() && folder.back() == L'\\') folder.pop_back();
    member = StructArchiveMember{};
    member.folder = folder;
    member.fullPath = folder.empty() ? name : folder + L"\\" + name;
    member.position = entry.position;
    CopyName(member.find.cFileName, std::size(member.find.cFileName), name);
    DeriveShortName(member.find);
    member.find.dwFileAttributes = FILE_ATTRIBUTE_NORMAL;
    member.find.nFileSizeLow = static_cast<DWORD>(entry.size);
    member.find.nFileSizeHigh = 0;
    // Seconds since 1970 in UTC; a stamp that is no time leaves the times zero.
    if (entry.timestamp > 0) {
        const auto ticks = static_cast<std::uint64_t>(entry.timestamp + 11644473600LL) * 10000000ULL;
        const FILETIME time{static_cast<DWORD>(ticks), static_cast<DWORD>(ticks >> 32)};
        member.find.ftCreationTime = member.find.ftLastAccessTime = member.find.ftLastWriteTime = time;
    }
    return true;
}

std::wstring ArchiveHandle::ArchivePath() const {
    return JoinPath(m_directory, m_name);
}

bool ArchiveHandle::Open(const std::vector<StructArchiverRow>& table, const std::wstring& libraryPath,
                         const std::wstring& directory, const std::wstring& name) {
    Close();
    m_directory = directory;
    m_name = name;
    m_table = table;
    m_libraryPath = libraryPath;
    const std::wstring path = ArchivePath();
    {
        UniqueFind find(
            ::FindFirstFileExW(path.c_str(), FindExInfoStandard, &m_own, FindExSearchNameMatch, nullptr, 0));
        if (!find || (m_own.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) return false;
    }
    int error = 0;
    const int row = ChooseArchiver(table, libraryPath, {directory, name, true}, error);
    const auto ansiPath = AnsiText(path);
    if (row >= 0 && ansiPath) {
        m_library = GuardedLibrary(libraryPath);
        if (m_library.Loaded() && ListByLibrary(table[static_cast<size_t>(row)], *ansiPath)) {
            m_row = row;
            return true;
        }
        m_members.clear();
        m_library.Free();
    }
    return ListByPlugin();
}

bool ArchiveHandle::ListByPlugin() {
    if (m_plugins == nullptr) return false;
    m_plugins->PauseLoader();
    int plugin = -1;
    const bool listed = m_plugins->List(ArchivePath(), m_pluginMembers, plugin);
    m_plugins->ResumeLoader();
    if (!listed) {
        m_pluginMembers.clear();
        return false;
    }
    m_members.reserve(m_pluginMembers.size() + 1);
    for (const StructPluginMember& entry : m_pluginMembers) {
        StructArchiveMember member;
        if (ConvertPluginEntry(entry, member)) m_members.push_back(std::move(member));
    }
    m_plugin = plugin;
    return true;
}

bool ArchiveHandle::ListByLibrary(const StructArchiverRow& row, const std::string& ansiPath) {
    const auto find = [&](const char* word) { return row.unpackPrefix + word; };
    const auto check = m_library.Find<arc::CheckArchiveFn>(find("CheckArchive").c_str());
    const auto query = m_library.Find<arc::QueryFunctionListFn>(find("QueryFunctionList").c_str());
    const auto count = m_library.Find<arc::GetFileCountFn>(find("GetFileCount").c_str());
    const auto open = m_library.Find<arc::OpenArchiveFn>(find("OpenArchive").c_str());
    const auto first = m_library.Find<arc::FindFirstFn>(find("FindFirst").c_str());
    const auto next = m_library.Find<arc::FindNextFn>(find("FindNext").c_str());
    const auto close = m_library.Find<arc::CloseArchiveFn>(find("CloseArchive").c_str());
    // Optional: a library without it shows members of 4 GiB and more at the record's 0xFFFFFFFF.
    const auto sizeEx = m_library.Find<arc::GetOriginalSizeExFn>(find("GetOriginalSizeEx").c_str());
    if (!check || !query || !count || !open || !first || !next || !close) return false;
    const auto accepted = check(ansiPath.c_str(), row.checkMode);
    if (!accepted || !*accepted) return false;
    for (int fn : {arc::kFnCheckArchive, arc::kFnOpenArchive, arc::kFnCloseArchive, arc::kFnFindFirst, arc::kFnFindNext,
                   arc::kFnGetFileCount}) {
        const auto supported = query(fn);
        if (!supported || !*supported) return false;
    }
    const auto members = count(ansiPath.c_str());
    if (!members || *members < 0) return false;
    const auto handle = open(nullptr, ansiPath.c_str(), arc::kOpenModeList);
    if (!handle || !*handle) return false;
    m_members.reserve(static_cast<size_t>(*members) + 1);
    // Over-allocated: some libraries write a 560-byte record.
    alignas(arc::INDIVIDUALINFO) unsigned char buffer[arc::kIndividualInfoAlloc] = {};
    auto* info = reinterpret_cast<arc::INDIVIDUALINFO*>(buffer);
    bool ok = true;
    for (auto found = first(*handle, "*.*", info);; found = next(*handle, info)) {
        if (!found) {
            ok = false;  // the library crashed
            break;
        }
        if (*found != 0) break;
        StructArchiveMember member;
        if (ConvertLibraryEntry(*info, member)) {
            LONGLONG size = 0;
            if (info->dwOriginalSize == 0xFFFFFFFF && sizeEx) {
                const auto got = sizeEx(*handle, &size);
                if (got && *got && size >= 0) {
                    member.find.nFileSizeLow = static_cast<DWORD>(size);
                    member.find.nFileSizeHigh = static_cast<DWORD>(static_cast<ULONGLONG>(size) >> 32);
                }
            }
            m_members.push_back(std::move(member));
        }
        std::memset(buffer, 0, sizeof buffer);
    }
    (void)close(*handle);
    return ok;
}

void ArchiveHandle::Close() {
    m_members.clear();
    m_members.shrink_to_fit();
    m_library.Free();
    m_row = -1;
    m_plugin = -1;
    m_pluginMembers.clear();
}

bool ArchiveHandle::HasFolder(const std::wstring& folder) const {
    if (folder.empty()) return true;
    return std::any_of(m_members.begin(), m_members.end(), [&](const StructArchiveMember& m) {
        return SameText(m.folder, folder) || StartsWithFolder(m.folder, folder);
    });
}

std::vector<FileEntry> ArchiveHandle::ListFolder(const std::wstring& folder, const std::wstring& pattern,
                                                 bool patternAppliesToFolders) const {
    std::vector<FileEntry> entries;
    // Folder levels seen so far, upper-cased as the case-blind comparison
    // sees them: an archive of many folders would otherwise compare every
    // member with every folder found before it.
    std::unordered_set<std::wstring> folders;
    for (const StructArchiveMember& member : m_members) {
        if (SameText(member.folder, folder)) {
            if (member.find.cFileName[0] != L'\0' && WildcardMatch(member.find.cFileName, pattern))
                entries.push_back(member.find);
            continue;
        }
        if (!StartsWithFolder(member.folder, folder)) continue;
        const size_t from = folder.empty() ? 0 : folder.size() + 1;
        const size_t end = member.folder.find(L'\\', from);
        const std::wstring level = member.folder.substr(from, end == std::wstring::npos ? end : end - from);
        if (patternAppliesToFolders && !WildcardMatch(level, pattern)) continue;
        std::wstring key = level;
        if (!key.empty()) ::CharUpperBuffW(key.data(), static_cast<DWORD>(key.size()));
        if (!folders.insert(std::move(key)).second) continue;
        entries.push_back(FolderEntry(m_own, level));
    }
    return entries;
}

bool ArchiveHandle::ExtractToMemory(const std::wstring& folder, const std::wstring& name, std::size_t limit,
                                    UniqueLocal& block, std::size_t& size) const {
    if (!IsOpen()) return false;
    const auto member = std::find_if(m_members.begin(), m_members.end(), [&](const StructArchiveMember& m) {
        return SameText(m.folder, folder) && SameText(m.find.cFileName, name);
    });
    if (member == m_members.end()) return false;
    if (m_plugin >= 0) {
        const auto entry = std::find_if(m_pluginMembers.begin(), m_pluginMembers.end(),
                                        [&](const StructPluginMember& e) { return e.position == member->position; });
        UniqueLocal data;
        std::size_t length = 0;
        if (entry == m_pluginMembers.end() || m_plugins->Extract(ArchivePath(), m_plugin, *entry, data, length) != 0)
            return false;
        // The caller's block holds at most `limit` bytes and one zero after them.
        const std::size_t wanted = std::min(length, limit);
        UniqueLocal buffer(::LocalAlloc(LMEM_FIXED | LMEM_ZEROINIT, wanted + 1));
        if (!buffer) return false;
        if (wanted > 0) {
            const void* bytes = ::LocalLock(data.Get());
            if (bytes == nullptr) return false;
            std::memcpy(buffer.Get(), bytes, wanted);
            ::LocalUnlock(data.Get());
        }
        block = std::move(buffer);
        size = wanted;
        return true;
    }
    // The row is the first whose library is the handle's; with one library
    // for every row that is always the first, and ours reads every format
    // through the first row's command line.
    const size_t row = 0;
    const auto archive = AnsiText(ArchivePath());
    const auto memberPath = AnsiText(member->fullPath);
    if (!archive || !memberPath) return false;
    std::string line;
    switch (row) {
        case 0:
            line = "p -n1 -d1 -m1 -p1 ";
            break;
        case 1:
            line = "-p ";
            break;
        case 5:
            line = "-pxf ";
            break;
        default:
            return false;
    }
    line += Quoted(*archive) + ' ' + Quoted(*memberPath);
    const auto command = m_library.Find<arc::CommandFn>(m_table[row].unpackPrefix.c_str());
    if (!command) return false;
    const std::size_t wanted = std::min<std::size_t>(member->find.nFileSizeLow, limit);
    UniqueLocal buffer(::LocalAlloc(LMEM_FIXED | LMEM_ZEROINIT, wanted + 1));
    if (!buffer) return false;
    // The size handed over leaves the last byte out, so that the block stays
    // zero-terminated whatever the library writes.
    const auto result = command(nullptr, line.c_str(), static_cast<LPSTR>(buffer.Get()), static_cast<DWORD>(wanted));
    if (!result || !(*result == 0 || (row == 5 && *result == arc::kErrorCannotWrite))) return false;
    block = std::move(buffer);
    size = wanted;
    return true;
}

}  // namespace zq
