#pragma once
// A change notification on one directory (not its subdirectories): names,
// attributes, sizes and last-write times.
#include <string>

#include "common/Handle.h"

namespace zq {

class DirectoryChangeWatch {
  public:
    enum class State { None, Quiet, Fired };

    // Watches `path` ("C:" for a drive root); false when the notification
    // cannot be created, which leaves the watch closed.
    bool Open(const std::wstring& path);
    void Close() noexcept { m_handle.Reset(); }
    [[nodiscard]] bool IsOpen() const noexcept { return m_handle.Valid(); }
    // Waits up to waitMs for a change.  A fired notification is re-armed
    // before returning so that changes made from now on are seen next time.
    State Poll(unsigned waitMs);

    static constexpr DWORD kFilter = FILE_NOTIFY_CHANGE_FILE_NAME | FILE_NOTIFY_CHANGE_DIR_NAME |
                                     FILE_NOTIFY_CHANGE_ATTRIBUTES | FILE_NOTIFY_CHANGE_SIZE |
                                     FILE_NOTIFY_CHANGE_LAST_WRITE;
    static_assert(kFilter == 31);

  private:
    UniqueChangeNotification m_handle;
};

}  // namespace zq
