#pragma once
// The synchronised-copy dialog's worker: runs one SyncJob between two
// directories, its questions asked by the dialog's thread.
#include <string>
#include <vector>

#include "fileops/SyncJob.h"
#include "fileops/SyncProgress.h"
#include "fileops/WorkerQuestions.h"
#include "ui/CJobThread.h"

namespace zq::fileops {

class CSyncCopyDlgThread : public ui::CJobThread {
  public:
    CSyncCopyDlgThread(HWND dialog, std::vector<StructSyncData> lines, std::wstring sourceDirectory,
                       std::wstring destinationDirectory, bool removableFast, SyncProgress& progress);

  protected:
    bool Work() override { return m_job.Run(); }
    void OnCancelRequested() noexcept override { m_job.RequestCancel(); }

  private:
    WorkerQuestions m_questions;
    SystemClock m_clock;
    SyncJob m_job;
};

}  // namespace zq::fileops
