#pragma once
// The worker of a batch rename: it carries out a plan made on the UI thread
// (every question about names that cannot be made is asked before it starts)
// and posts the end command to its dialog.  The dialog reads the progress
// with a timer: the worker never sends to a window that may be waiting on it.
#include <windows.h>

#include <atomic>
#include <string>
#include <vector>

#include "fileops/RenamePlan.h"
#include "ui/CWinThread.h"

namespace zq::fileops {

class CRenameThread final : public ui::CWinThread {
  public:
    CRenameThread(std::wstring directory, std::vector<RenameRequest> requests, RenamePlanResult plan)
        : m_directory(std::move(directory)), m_requests(std::move(requests)), m_plan(std::move(plan)) {}
    // The last finished request, -1 before the first.
    [[nodiscard]] int LastDone() const noexcept { return m_lastDone.load(); }
    [[nodiscard]] const RenameRequest& Request(int index) const { return m_requests[static_cast<size_t>(index)]; }
    // Read only after the end command arrived: the old name of the step that failed.
    [[nodiscard]] const std::wstring& FailedAt() const noexcept { return m_failedAt; }

  protected:
    DWORD Run() override;

  private:
    std::wstring m_directory;
    std::vector<RenameRequest> m_requests;
    RenamePlanResult m_plan;
    std::atomic<int> m_lastDone{-1};
    std::wstring m_failedAt;
};

}  // namespace zq::fileops
