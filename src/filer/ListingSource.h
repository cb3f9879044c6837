#pragma once
// Where a Filer pane's entries come from.  A real directory is the source
// today; the drive list, the network, virtual drives, search results and
// archive folders are further sources behind the same questions: a location
// is a text the source understands ("C:\Tools", "C:\a.zip\docs", a search's
// result name), Enumerate lists what is there and Up says where climbing
// leads.  Tests give a pane a listing of their own without a disk.
#include <windows.h>

#include <cstddef>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "common/FileSystem.h"
#include "filer/FileEntry.h"

namespace zq {

// Where climbing up from a location leads.
struct ListingUp {
    enum class Kind {
        Parent,         // `path`, a location of the same source
        DriveList,      // above a drive: the list of drives
        NetworkParent,  // above a share: the network listing
        None,           // nowhere
    };
    Kind kind = Kind::None;
    std::wstring path;
};

// Climbing in a directory tree by its path alone.
[[nodiscard]] ListingUp DirectoryUp(const std::wstring& path);

class IListingSource {
  public:
    virtual ~IListingSource() = default;
    // Whether the drive or share that holds `path` answers at all now.
    [[nodiscard]] virtual bool Reachable(const std::wstring& path) = 0;
    // Whether a pane can enter `path`; a pane leaves upwards until it can.
    [[nodiscard]] virtual bool CanEnter(const std::wstring& path) = 0;
    // Every entry of `directory` that `pattern` matches, "." and ".." left out
    // (a pane adds its own lines for them); `take` returns false to stop.
    virtual void Enumerate(const std::wstring& directory, const std::wstring& pattern,
                           const std::function<bool(FileEntry&)>& take) = 0;
    // The record of `path` itself (its times and attributes), for the "." and ".." lines.
    [[nodiscard]] virtual bool Describe(const std::wstring& path, FileEntry& own) = 0;
    [[nodiscard]] virtual ListingUp Up(const std::wstring& path) = 0;
    // Whether the listing changes behind the pane's back, so that watching it is worth a handle.
    [[nodiscard]] virtual bool Watchable() const = 0;

    // Whether this source lists `location` (asked of the sources a pane picks
    // from; the file system takes what no other claims).
    [[nodiscard]] virtual bool Claims(const std::wstring& location) {
        (void)location;
        return false;
    }
    // The pane has gone to another source: what this one holds open can go.
    virtual void Release() {}
    // Up to `limit` bytes of the entry `name` of `directory` into a fresh
    // local-memory block (zero-terminated, `length` bytes of data), for
    // sources whose entries are not files on disk; false when it cannot.
    [[nodiscard]] virtual bool ReadEntry(const std::wstring& directory, const std::wstring& name, std::size_t limit,
                                         HLOCAL& block, std::size_t& length) {
        (void)directory, (void)name, (void)limit, (void)block, (void)length;
        return false;
    }
    // The directory that `entry`, as Enumerate listed it from `location`,
    // lives in: `location` itself, except for sources whose entries come from
    // many directories (search results).
    [[nodiscard]] virtual std::wstring EntryDirectory(const std::wstring& location, const FileEntry& entry) const {
        (void)entry;
        return location;
    }
    // Whether the entries are files on disk, each in its EntryDirectory, that
    // file operations may take as their sources.
    [[nodiscard]] virtual bool EntriesOnDisk() const { return false; }
    // Whether Enumerate may run on a thread of its own and outlive the pane
    // that asked (a source that lives for the process and keeps no state
    // between calls): a slow share is then listed without holding the keys.
    [[nodiscard]] virtual bool EnumeratesOffThread() const { return false; }
};

// The sources other than the file system, each made once per pane from the
// makers registered at start-up; a pane asks For() at every change of location.
class ListingSources {
  public:
    using Maker = std::function<std::unique_ptr<IListingSource>()>;
    // Process-wide, before the panes first change location.
    static void Register(Maker maker);

    // The first source that claims `location`, else the file system.
    [[nodiscard]] IListingSource& For(const std::wstring& location);

  private:
    std::vector<std::unique_ptr<IListingSource>> m_sources;
    size_t m_made = 0;
};

// The file system, through the common directory enumerator.
class DirectorySource final : public IListingSource {
  public:
    explicit DirectorySource(IFileSystem& fs) : m_fs(fs) {}
    [[nodiscard]] bool Reachable(const std::wstring& path) override;
    [[nodiscard]] bool CanEnter(const std::wstring& path) override;
    void Enumerate(const std::wstring& directory, const std::wstring& pattern,
                   const std::function<bool(FileEntry&)>& take) override;
    [[nodiscard]] bool Describe(const std::wstring& path, FileEntry& own) override;
    [[nodiscard]] ListingUp Up(const std::wstring& path) override { return DirectoryUp(path); }
    [[nodiscard]] bool Watchable() const override { return true; }
    [[nodiscard]] bool EntriesOnDisk() const override { return true; }
    // Only the shared one lives for the process; Shared() says so.
    [[nodiscard]] bool EnumeratesOffThread() const override { return m_lastsForTheProcess; }

    // The one every pane reads through unless it is given another.
    static DirectorySource& Shared();

  private:
    IFileSystem& m_fs;
    bool m_lastsForTheProcess = false;
};

}  // namespace zq
