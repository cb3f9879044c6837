#pragma once
// What every running copy of zq shares with the others: the registered
// message "WMSG_ZQ_REQ_DIR_CHANGE", the page-file block with two start
// directories, and the mutex hZqTwinAccess held by the first copy.
#include <windows.h>

#include <string>
#include <vector>

#include "common/Handle.h"

namespace zq {

class ProcessShared {
  public:
    static constexpr const wchar_t* kMessageName = L"WMSG_ZQ_REQ_DIR_CHANGE";
    static constexpr const wchar_t* kBlockName = L"FILEMAP_ZQ_CMN_PROCESS_DATA";
    static constexpr const wchar_t* kMutexName = L"hZqTwinAccess";
    static constexpr size_t kSlotUnits = 520;
    static constexpr size_t kBlockBytes = 2 * kSlotUnits * sizeof(wchar_t);  // 2,080

    ProcessShared() = default;
    // Other names for the block and the mutex, so that tests do not meet a running zq.
    ProcessShared(std::wstring blockName, std::wstring mutexName)
        : m_blockName(std::move(blockName)), m_mutexName(std::move(mutexName)) {}

    // Registers the message and maps the block; false ends start-up silently.
    bool Open();
    [[nodiscard]] UINT DirChangeMessage() const noexcept { return m_message; }

    // Slot 0 and 1; a missing path leaves its slot empty.
    void WriteStartDirectories(const std::vector<std::wstring>& paths);
    [[nodiscard]] std::wstring ReadSlot(int slot) const;

    enum class TwinResult { First, Beside, HandedOver };
    // Opens or creates hZqTwinAccess.  With disableTwin != 0 and another copy
    // running, wakes every window titled "… - zq" and answers HandedOver.
    TwinResult CheckTwin(int disableTwin);
    [[nodiscard]] bool HoldsTwinMutex() const noexcept { return static_cast<bool>(m_twin); }

    // True when a title is longer than five characters and ends with " - zq".
    static bool IsZqTitle(const std::wstring& title);

  private:
    std::wstring m_blockName = kBlockName;
    std::wstring m_mutexName = kMutexName;
    UINT m_message = 0;
    UniqueHandle m_mapping;
    UniqueMappedView m_view;
    UniqueHandle m_twin;
};

}  // namespace zq
