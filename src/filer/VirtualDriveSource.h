#pragma once
// A Filer pane's listing of a virtual drive: its directories from the store,
// its files with the records of the real files they point at.
#include "filer/ListingSource.h"
#include "filer/VirtualDrive.h"

namespace zq {

class VirtualDriveSource final : public IListingSource {
  public:
    explicit VirtualDriveSource(VirtualDrives& drives) : m_drives(drives) {}
    [[nodiscard]] bool Claims(const std::wstring& location) override { return m_drives.ForPath(location) != nullptr; }
    [[nodiscard]] bool Reachable(const std::wstring& path) override { return m_drives.ForPath(path) != nullptr; }
    [[nodiscard]] bool CanEnter(const std::wstring& path) override;
    void Enumerate(const std::wstring& directory, const std::wstring& pattern,
                   const std::function<bool(FileEntry&)>& take) override;
    [[nodiscard]] bool Describe(const std::wstring& path, FileEntry& own) override;
    [[nodiscard]] ListingUp Up(const std::wstring& path) override { return DirectoryUp(path); }
    [[nodiscard]] bool Watchable() const override { return false; }
    // A file entry lives in the real directory its node points at, so that
    // viewing and copying reach the real file; a directory entry in `location`.
    [[nodiscard]] std::wstring EntryDirectory(const std::wstring& location, const FileEntry& entry) const override;
    [[nodiscard]] bool EntriesOnDisk() const override { return true; }

  private:
    VirtualDrives& m_drives;
};

// The stores of this process, which every pane's virtual-drive source reads;
// the first call registers that source with the panes' listing sources.
[[nodiscard]] VirtualDrives& ProcessVirtualDrives();

}  // namespace zq
