#pragma once
// The one long-lived thumbnail worker: it runs the queue's passes at idle
// priority, pauses PREVIEW_NEXT_FILE_SLEEP between passes while work remains,
// sleeps on the wake event otherwise, and posts "WMSG_ZQ_PREVIEW_LOAD" to the
// view after each finished item.
#include <atomic>

#include "picture/PreviewQueue.h"
#include "ui/CWinThread.h"

namespace zq {

class CLoadPreviewThread final : public ui::CWinThread {
  public:
    CLoadPreviewThread(PreviewQueue& queue, IThumbnailMaker& maker, HWND view, UINT loadedMessage);
    ~CLoadPreviewThread() override;
    void SetSleep(int milliseconds) noexcept { m_sleep = milliseconds < 0 ? 0 : milliseconds; }
    // Sets the quit flag, wakes the thread and waits for it up to `limit` ms;
    // false when it has not ended (a plug-in that never returns holds it).
    bool Stop(DWORD limit = INFINITE);

  protected:
    DWORD Run() override;

  private:
    PreviewQueue& m_queue;
    IThumbnailMaker& m_maker;
    HWND m_view;
    UINT m_loadedMessage;
    std::atomic<int> m_sleep{30};
};

}  // namespace zq
