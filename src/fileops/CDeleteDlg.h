#pragma once
// The modeless delete dialog ("ファイルの削除"): options, then the worker.
#include <functional>
#include <memory>

#include "fileops/CDeleteThread.h"
#include "ui/COperationDlg.h"

namespace zq::fileops {

class CDeleteDlg : public ui::COperationDlg {
  public:
    // options come from the settings; the dialog writes the three stored ones back.
    CDeleteDlg(HWND view, unsigned paneIndex, SelectionSnapshot selection, DeleteOptions& options);

    // The pane's marking routine, applied once the worker runs.
    std::function<void()> onMarkSource;
    // Set when a job ended, for the Filer to refresh (the shared deletion-finished flag).
    std::function<void()> onDeletionFinished;

    [[nodiscard]] unsigned PaneIndex() const noexcept { return m_paneIndex; }

  protected:
    bool OnInitDialog() override;
    void OnOK() override;
    void OnCancel() override;
    void OnFinishing() override;
    void OnWorkerEnded(bool completed) override;

  private:
    unsigned m_paneIndex;
    SelectionSnapshot m_selection;
    DeleteOptions& m_options;
};

}  // namespace zq::fileops
