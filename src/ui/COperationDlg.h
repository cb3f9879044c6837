#pragma once
// The modeless dialog of one long operation, and the life it shares with every
// other: it starts its worker, answers the worker's questions on its own
// thread, cancels on request, joins the worker when done, and tells the view
// it has finished (command 1185) so that the view's list can free it.
#include <windows.h>

#include <memory>

#include "ui/CDialog.h"
#include "ui/CJobThread.h"

namespace zq::ui {

class COperationDlg : public CDialog {
  public:
    COperationDlg(UINT templateId, HWND view) : CDialog(templateId, view), m_view(view) {}
    // Cancels and joins a worker still running.
    ~COperationDlg() override;

    [[nodiscard]] bool Finished() const noexcept { return m_finished; }

  protected:
    // Starts the worker; false, after telling the user and finishing, when no
    // thread could be made.
    bool StartWorker(std::unique_ptr<CJobThread> worker);
    [[nodiscard]] CJobThread* Worker() const noexcept { return m_worker.get(); }
    [[nodiscard]] HWND View() const noexcept { return m_view; }
    // Cancels and joins a worker still running.  A dialog whose worker uses
    // its members calls this from its own destructor, before they are gone.
    void StopWorker();
    [[nodiscard]] bool WorkerRunning() const { return m_worker && m_worker->Running(); }
    void CancelWorker() {
        if (m_worker) m_worker->RequestCancel();
    }
    // Cancels and joins the worker, destroys the window and tells the view; once.
    void Finish();

    // Before the worker is stopped: controls that can no longer act.
    virtual void OnFinishing() {}
    // After the worker has ended, before it is freed: what it leaves behind.
    virtual void OnWorkerJoined(CJobThread&) {}
    // The worker's end message arrived (3001 completed, 3000 otherwise).
    virtual void OnWorkerEnded(bool /*completed*/) {}

    bool OnCommand(WORD id, WORD code, HWND control) override;
    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

  private:
    HWND m_view;
    std::unique_ptr<CJobThread> m_worker;
    bool m_finished = false;
};

}  // namespace zq::ui
