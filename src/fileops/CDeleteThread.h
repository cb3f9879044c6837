#pragma once
// The delete dialog's worker: runs one DeleteJob.
#include "fileops/DeleteJob.h"
#include "fileops/WorkerQuestions.h"
#include "ui/CJobThread.h"

namespace zq::fileops {

class CDeleteThread : public ui::CJobThread {
  public:
    CDeleteThread(HWND dialog, SelectionSnapshot selection, DeleteOptions options);

  protected:
    bool Work() override { return m_job.Run(); }
    void OnCancelRequested() noexcept override { m_job.RequestCancel(); }

  private:
    // The item being deleted goes straight to the dialog's file field.
    struct FileField : IOperationProgress {
        HWND dialog = nullptr;
        void SetText(ProgressField field, const std::wstring& text) override;
    };

    WorkerQuestions m_questions;
    ShellRecycleBin m_bin;
    FileField m_field;
    VirtualDriveEdits m_virtualDrives;
    DeleteJob m_job;
};

}  // namespace zq::fileops
