#pragma once
// The delete dialog's worker: runs one DeleteJob and posts 3001 (completed)
// or 3000 (cancelled) to its dialog.
#include "fileops/DeleteJob.h"
#include "fileops/WorkerQuestions.h"
#include "ui/CWinThread.h"

namespace zq::fileops {

class CDeleteThread : public ui::CWinThread {
public:
    CDeleteThread(HWND dialog, SelectionSnapshot selection, DeleteOptions options);
    void Cancel() noexcept { m_job.RequestCancel(); }

protected:
    DWORD Run() override;

private:
    // The item being deleted goes straight to the dialog's file field.
    struct FileField : IDeleteProgress {
        HWND dialog = nullptr;
        void ShowItem(const std::wstring& item) override;
    };

    WorkerQuestions m_questions;
    ShellRecycleBin m_bin;
    FileField m_field;
    DeleteJob m_job;
};

}  // namespace zq::fileops
