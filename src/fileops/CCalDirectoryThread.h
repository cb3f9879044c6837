#pragma once
// The worker of the directory-size survey: it walks the entries it was given
// and posts the end command to its dialog.
#include <windows.h>

#include <atomic>
#include <string>
#include <vector>

#include "fileops/DirectorySize.h"
#include "ui/CWinThread.h"

namespace zq::fileops {

class CCalDirectoryThread final : public ui::CWinThread {
  public:
    CCalDirectoryThread(std::wstring directory, std::vector<WIN32_FIND_DATAW> entries)
        : m_directory(std::move(directory)), m_entries(std::move(entries)) {}
    // Read only after the end command arrived.
    [[nodiscard]] const DirectoryTotals& Totals() const noexcept { return m_totals; }

  protected:
    DWORD Run() override;
    void OnCancelRequested() noexcept override { m_cancel.store(true); }

  private:
    std::wstring m_directory;
    std::vector<WIN32_FIND_DATAW> m_entries;
    DirectoryTotals m_totals;
    std::atomic<bool> m_cancel{false};
};

}  // namespace zq::fileops
