#pragma once
// What a synchronised copy's worker reports for its dialog: the copier's
// percentage and bar, and the text of the line being copied.  The worker
// writes, the dialog's timer reads; neither waits for the other.
#include <mutex>
#include <string>
#include <utility>
#include <vector>

#include "fileops/CopyProgressState.h"
#include "fileops/SyncJob.h"

namespace zq::fileops {

class SyncProgress : public CopyProgressState, public ISyncLineSink {
  public:
    void ShowLine(size_t index, const std::wstring& text) override;
    // The line texts changed since the last call, in order.
    std::vector<std::pair<size_t, std::wstring>> TakeLines();

  private:
    std::mutex m_lineLock;
    std::vector<std::pair<size_t, std::wstring>> m_lines;
};

}  // namespace zq::fileops
