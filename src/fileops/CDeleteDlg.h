#pragma once
// The modeless delete dialog ("ファイルの削除"): options, then the worker.
#include <functional>
#include <memory>

#include "fileops/CDeleteThread.h"
#include "ui/CDialog.h"

namespace zq::fileops {

class CDeleteDlg : public ui::CDialog {
public:
    // options come from the settings; the dialog writes the three stored ones back.
    CDeleteDlg(HWND view, unsigned paneIndex, SelectionSnapshot selection, DeleteOptions& options);
    ~CDeleteDlg() override;

    // The pane's marking routine, applied once the worker runs.
    std::function<void()> onMarkSource;
    // Set when a job ended, for the Filer to refresh (the shared deletion-finished flag).
    std::function<void()> onDeletionFinished;

    [[nodiscard]] bool Finished() const noexcept { return m_finished; }
    [[nodiscard]] unsigned PaneIndex() const noexcept { return m_paneIndex; }

protected:
    bool OnInitDialog() override;
    void OnOK() override;
    void OnCancel() override;
    bool OnCommand(WORD id, WORD code, HWND control) override;

private:
    void Finish();

    HWND m_view;
    unsigned m_paneIndex;
    SelectionSnapshot m_selection;
    DeleteOptions& m_options;
    std::unique_ptr<CDeleteThread> m_thread;
    bool m_finished = false;
};

}  // namespace zq::fileops
