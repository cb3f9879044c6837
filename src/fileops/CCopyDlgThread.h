#pragma once
// The copy dialog's worker: runs one CopyJob, opens the error log of a job
// that logged failures, and posts 3001 (completed) or 3000 to its dialog.
#include "fileops/CopyDialogSettings.h"
#include "fileops/CopyJob.h"
#include "fileops/CopyProgressState.h"
#include "fileops/WorkerQuestions.h"
#include "ui/CWinThread.h"

namespace zq::fileops {

class CCopyDlgThread : public ui::CWinThread {
public:
    CCopyDlgThread(HWND dialog, CopyJobOptions options, CopyJobInput input, CopyProgressState& progress,
                   std::wstring editorName, std::wstring editorUnicodeOption);
    void Cancel() noexcept { m_job.RequestCancel(); }
    // Read after the thread has ended.
    [[nodiscard]] const SameNameSettings& SameNameSettingsAfter() const noexcept { return m_job.SameNameSettingsAfter(); }

protected:
    DWORD Run() override;

private:
    WorkerQuestions m_questions;
    SystemClock m_clock;
    CopyJob m_job;
    std::wstring m_editorName;
    std::wstring m_editorUnicodeOption;
};

}  // namespace zq::fileops
