#include "ui/COperationDlg.h"

#include <functional>

#include "resource.h"
#include "ui/CMessageBoxDlg.h"

namespace zq::ui {

COperationDlg::~COperationDlg() {
    StopWorker();
}

void COperationDlg::StopWorker() {
    if (!m_worker) return;
    m_worker->RequestCancel();
    JoinPumping(m_worker->Handle());
}

bool COperationDlg::StartWorker(std::unique_ptr<CJobThread> worker) {
    if (m_worker) return false;
    worker->SetOwner(m_hWnd);
    m_worker = std::move(worker);
    if (!m_worker->CreateThread()) {
        m_worker.reset();
        ZqMessageBox(m_hWnd, L"Threadを作成するに失敗しました");
        Finish();
        return false;
    }
    return true;
}

void COperationDlg::Finish() {
    if (m_finished) return;
    OnFinishing();
    if (m_worker) {
        m_worker->RequestCancel();
        JoinPumping(m_worker->Handle());
        OnWorkerJoined(*m_worker);
        m_worker.reset();
    }
    m_finished = true;
    DestroyWindow();
    if (m_view != nullptr) ::PostMessageW(m_view, WM_COMMAND, MAKEWPARAM(ID_OPERATION_DIALOG_FINISHED, 0), 0);
}

bool COperationDlg::OnCommand(WORD id, WORD, HWND) {
    if (id != CWinThread::kCommandSucceeded && id != CWinThread::kCommandFailed) return false;
    OnWorkerEnded(id == CWinThread::kCommandSucceeded);
    Finish();
    return true;
}

bool COperationDlg::OnMessage(UINT message, WPARAM, LPARAM lParam, LRESULT& result) {
    if (message != kRunOnWindowThread || lParam == 0) return false;
    const auto* request = reinterpret_cast<const WindowThreadRequest*>(lParam);
    (*request->fn)();
    ::SetEvent(request->done);
    result = 1;
    return true;
}

}  // namespace zq::ui
