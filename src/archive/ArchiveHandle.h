#pragma once
// One archive as a pane (or the Graphic mode) shows it: the archive file, the
// library that lists it, and a record per file member.  Opening lists the
// whole archive once; folders are then only prefixes of the members' folders,
// so a folder that the archive never stores as an entry of its own still
// shows up.
//
//     ArchiveHandle archive;
//     if (!archive.Open(table, libraryPath, L"C:\\d", L"a.zip")) return;   // no message: the caller decides
//     for (const FileEntry& e : archive.ListFolder(L"docs", L"*.*", false)) ...
//     UniqueLocal block; std::size_t size = 0;
//     archive.ExtractToMemory(L"docs", L"read.txt", limit, block, size);
//     archive.Close();                                                      // or let it go
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "archive/ArchivePlugins.h"
#include "archive/ArchiverApi.h"
#include "archive/ArchiverTable.h"
#include "common/Handle.h"
#include "external/GuardedLibrary.h"
#include "filer/FileEntry.h"

namespace zq {

struct StructArchiveMember {
    FileEntry find{};
    std::uint64_t position = 0;  // the member's place in the archive (Susie plug-ins only)
    std::wstring folder;         // inside the archive, "" at the root, no leading or trailing "\"
    std::wstring fullPath;       // as the library reported it, for its command lines
};

// A library entry as a member record; false for an entry that is not one (a folder entry).
[[nodiscard]] bool ConvertLibraryEntry(const arc::INDIVIDUALINFO& info, StructArchiveMember& member);
// A plug-in's entry as a member record; false for one without a name.
[[nodiscard]] bool ConvertPluginEntry(const StructPluginMember& entry, StructArchiveMember& member);

class ArchiveHandle {
  public:
    ArchiveHandle() = default;
    ~ArchiveHandle() { Close(); }
    ArchiveHandle(const ArchiveHandle&) = delete;
    ArchiveHandle& operator=(const ArchiveHandle&) = delete;

    // Archives that no row serves are then listed by a Susie archive plug-in.
    void SetPlugins(IArchivePlugins* plugins) noexcept { m_plugins = plugins; }

    // Lists `directory`\`name` through the first row that accepts it for
    // browsing, or else through the archive plug-ins.
    [[nodiscard]] bool Open(const std::vector<StructArchiverRow>& table, const std::wstring& libraryPath,
                            const std::wstring& directory, const std::wstring& name);
    void Close();

    [[nodiscard]] bool IsOpen() const noexcept { return m_row >= 0 || m_plugin >= 0; }
    [[nodiscard]] bool ByPlugin() const noexcept { return m_plugin >= 0; }
    [[nodiscard]] const std::wstring& Directory() const noexcept { return m_directory; }
    [[nodiscard]] const std::wstring& Name() const noexcept { return m_name; }
    [[nodiscard]] std::wstring ArchivePath() const;
    [[nodiscard]] int Row() const noexcept { return m_row; }
    [[nodiscard]] const std::vector<StructArchiveMember>& Members() const noexcept { return m_members; }
    // The archive file's own record, for the times of folder entries.
    [[nodiscard]] const FileEntry& OwnRecord() const noexcept { return m_own; }

    // Whether `folder` is the root or holds at least one member somewhere below it.
    [[nodiscard]] bool HasFolder(const std::wstring& folder) const;
    // The files of `folder` that match `pattern`, and one folder entry per
    // next folder level below it ("." and ".." are the pane's).
    [[nodiscard]] std::vector<FileEntry> ListFolder(const std::wstring& folder, const std::wstring& pattern,
                                                    bool patternAppliesToFolders) const;
    // At most `limit` bytes of one member into a fresh zero-filled block one
    // byte longer than the data.
    [[nodiscard]] bool ExtractToMemory(const std::wstring& folder, const std::wstring& name, std::size_t limit,
                                       UniqueLocal& block, std::size_t& size) const;

  private:
    [[nodiscard]] bool ListByLibrary(const StructArchiverRow& row, const std::string& ansiPath);
    [[nodiscard]] bool ListByPlugin();

    std::vector<StructArchiverRow> m_table;
    std::wstring m_libraryPath;
    GuardedLibrary m_library;
    std::wstring m_directory;
    std::wstring m_name;
    FileEntry m_own{};
    int m_row = -1;
    IArchivePlugins* m_plugins = nullptr;
    int m_plugin = -1;
    std::vector<StructPluginMember> m_pluginMembers;
    std::vector<StructArchiveMember> m_members;
};

}  // namespace zq
