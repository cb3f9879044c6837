#pragma once
// The copy dialog's worker: runs one CopyJob and opens the error log of a job
// that logged failures.
#include "fileops/CopyDialogSettings.h"
#include "fileops/CopyJob.h"
#include "fileops/CopyProgressState.h"
#include "fileops/WorkerQuestions.h"
#include "ui/CJobThread.h"

namespace zq::fileops {

class CCopyDlgThread : public ui::CJobThread {
  public:
    CCopyDlgThread(HWND dialog, CopyJobOptions options, CopyJobInput input, CopyProgressState& progress,
                   std::wstring editorName, std::wstring editorUnicodeOption);
    // Read after the thread has ended.
    [[nodiscard]] const SameNameSettings& SameNameSettingsAfter() const noexcept {
        return m_job.SameNameSettingsAfter();
    }

  protected:
    bool Work() override;
    void OnCancelRequested() noexcept override { m_job.RequestCancel(); }

  private:
    WorkerQuestions m_questions;
    SystemClock m_clock;
    VirtualDriveEdits m_virtualDrives;
    CopyJob m_job;
    std::wstring m_editorName;
    std::wstring m_editorUnicodeOption;
};

}  // namespace zq::fileops
