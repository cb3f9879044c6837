#pragma once
// The copy and delete engines' hold on the process's virtual drives.  The
// engines run on a worker thread while the panes list the same stores, so
// every look and edit is carried out on the thread that owns the stores and
// the worker waits for it.
#include <cstdint>
#include <functional>
#include <string>

#include "fileops/CopyInterfaces.h"
#include "filer/VirtualDrive.h"

namespace zq::fileops {

class VirtualDriveEdits final : public IVirtualDrives {
  public:
    // `onOwner` runs its argument on the stores' thread and returns false when it could not.
    using OwnerRunner = std::function<bool(const std::function<void()>&)>;
    // Made on the stores' thread: the letters loaded now are the job's virtual drives, so
    // that telling whether a path is virtual, asked for every file, costs no round trip.
    VirtualDriveEdits(VirtualDrives& drives, OwnerRunner onOwner)
        : m_drives(drives), m_onOwner(std::move(onOwner)), m_loaded(drives.LoadedMask()) {}

    bool IsVirtual(const std::wstring& path) override;
    bool Add(const std::wstring& virtualDirectory, const std::wstring& realPath) override;
    bool AddDirectory(const std::wstring& virtualPath) override;
    bool Remove(const std::wstring& virtualDirectory, const std::wstring& realDirectory,
                const std::wstring& name) override;

  private:
    // Runs `edit` on the store of `path`'s drive; false when it is not loaded or the edit failed.
    bool OnStore(const std::wstring& path, const std::function<bool(VirtualDriveStore&)>& edit);

    VirtualDrives& m_drives;
    OwnerRunner m_onOwner;
    uint32_t m_loaded;
};

}  // namespace zq::fileops
