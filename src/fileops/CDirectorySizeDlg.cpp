#include "fileops/CDirectorySizeDlg.h"

#include "fileops/CCalDirectoryThread.h"
#include "resource.h"
#include "ui/CMessageBoxDlg.h"

namespace zq::fileops {

CDirectorySizeDlg::CDirectorySizeDlg(HWND parent, std::wstring directory, std::vector<WIN32_FIND_DATAW> entries,
                                     bool continuous, bool marked)
    : CDialog(IDD_DIRSIZE, parent),
      m_directory(std::move(directory)),
      m_entries(std::move(entries)),
      m_continuous(continuous),
      m_marked(marked) {}

CDirectorySizeDlg::~CDirectorySizeDlg() {
    StopWorker();
}

bool CDirectorySizeDlg::OnInitDialog() {
    ::CheckDlgButton(m_hWnd, IDC_DIRSIZE_CONTINUE, m_continuous ? BST_CHECKED : BST_UNCHECKED);
    // Stepping on to the next entry has no meaning for a set of marked ones.
    EnableItem(IDC_DIRSIZE_CONTINUE, !m_marked);
    m_worker = std::make_unique<CCalDirectoryThread>(m_directory, std::move(m_entries));
    m_worker->SetOwner(m_hWnd);
    if (!m_worker->CreateThread()) {
        m_worker.reset();
        ui::ZqMessageBox(m_hWnd, L"メモリが不足しています");
        EndDialog(IDCANCEL);
    }
    return true;
}

void CDirectorySizeDlg::StopWorker() {
    if (!m_worker) return;
    m_worker->RequestCancel();
    m_worker->Join();
    m_worker.reset();
}

bool CDirectorySizeDlg::OnCommand(WORD id, WORD code, HWND control) {
    if (id == ui::CWinThread::kCommandSucceeded || id == ui::CWinThread::kCommandFailed) {
        if (m_worker && id == ui::CWinThread::kCommandSucceeded) {
            m_worker->Join();
            m_totals = m_worker->Totals();
            m_measured = true;
            SetDlgItemText(IDC_DIRSIZE_DIRS, GroupedNumber(m_totals.directories));
            SetDlgItemText(IDC_DIRSIZE_FILES, GroupedNumber(m_totals.files));
            SetDlgItemText(IDC_DIRSIZE_BYTES, GroupedNumber(m_totals.bytes));
        }
        StopWorker();
        return true;
    }
    return CDialog::OnCommand(id, code, control);
}

void CDirectorySizeDlg::OnOK() {
    m_continuous = ::IsDlgButtonChecked(m_hWnd, IDC_DIRSIZE_CONTINUE) == BST_CHECKED;
    StopWorker();
    EndDialog(IDOK);
}

void CDirectorySizeDlg::OnCancel() {
    StopWorker();
    EndDialog(IDCANCEL);
}

}  // namespace zq::fileops
