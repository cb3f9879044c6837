#pragma once
// The search worker: walks the request's tree into the shared results and
// posts 3001 (walked to the end) or 3000 (stopped) to its dialog.
#include <atomic>

#include "search/FindRequest.h"
#include "search/SearchResults.h"
#include "ui/CJobThread.h"

namespace zq {

class CFindThread final : public ui::CJobThread {
  public:
    CFindThread(FindRequest request, SearchResults& results, FindProgress& progress)
        : m_request(std::move(request)), m_results(results), m_progress(progress) {}
    ~CFindThread() override { Join(); }

  protected:
    bool Work() override;
    void OnCancelRequested() noexcept override { m_stop.store(true); }

  private:
    FindRequest m_request;
    SearchResults& m_results;
    FindProgress& m_progress;
    std::atomic<bool> m_stop{false};
};

}  // namespace zq
