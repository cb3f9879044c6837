#include "fileops/CDeleteDlg.h"

#include "common/Paths.h"
#include "resource.h"
#include "ui/CMessageBoxDlg.h"

namespace zq::fileops {

CDeleteDlg::CDeleteDlg(HWND view, unsigned paneIndex, SelectionSnapshot selection, DeleteOptions& options)
    : COperationDlg(IDD_DELETE, view), m_paneIndex(paneIndex), m_selection(std::move(selection)), m_options(options) {}

bool CDeleteDlg::OnInitDialog() {
    SetDlgItemText(IDC_DEL_FILE, m_selection.Count() == 1 ? std::wstring(m_selection.entries.front().cFileName)
                                                          : std::wstring(L"タグファイル"));
    ::CheckDlgButton(m_hWnd, IDC_DEL_DUST, m_options.toRecycleBin ? BST_CHECKED : BST_UNCHECKED);
    ::CheckDlgButton(m_hWnd, IDC_DEL_UNIT, m_options.foldersAtOnce ? BST_CHECKED : BST_UNCHECKED);
    ::CheckDlgButton(m_hWnd, IDC_DEL_WARN, m_options.warnNotEmpty ? BST_CHECKED : BST_UNCHECKED);
    // "ディレクトリを削除しない" is asked afresh every time.
    ::CheckDlgButton(m_hWnd, IDC_DEL_NODIR, BST_UNCHECKED);
    return true;
}

void CDeleteDlg::OnOK() {
    if (Worker() != nullptr) return;
    m_options.toRecycleBin = ::IsDlgButtonChecked(m_hWnd, IDC_DEL_DUST) == BST_CHECKED;
    m_options.foldersAtOnce = ::IsDlgButtonChecked(m_hWnd, IDC_DEL_UNIT) == BST_CHECKED;
    m_options.warnNotEmpty = ::IsDlgButtonChecked(m_hWnd, IDC_DEL_WARN) == BST_CHECKED;
    DeleteOptions jobOptions = m_options;
    jobOptions.noDeleteDirectories = ::IsDlgButtonChecked(m_hWnd, IDC_DEL_NODIR) == BST_CHECKED;
    jobOptions.programDirectory = ModuleDirectory();
    for (int id : {IDC_DEL_DUST, IDC_DEL_UNIT, IDC_DEL_WARN, IDC_DEL_NODIR, static_cast<int>(IDOK)})
        EnableItem(id, false);
    SetDlgItemText(IDCANCEL, L"中止");
    if (!StartWorker(std::make_unique<CDeleteThread>(m_hWnd, m_selection, jobOptions))) return;
    if (onMarkSource) onMarkSource();
    ::SetFocus(GetDlgItem(IDCANCEL));
}

void CDeleteDlg::OnCancel() {
    if (WorkerRunning()) {
        CancelWorker();
        return;
    }
    Finish();
}

void CDeleteDlg::OnWorkerEnded(bool) {
    if (onDeletionFinished) onDeletionFinished();
}

void CDeleteDlg::OnFinishing() {
    // Nothing is left to stop; the window may take a moment to go on some displays.
    EnableItem(IDCANCEL, false);
}

}  // namespace zq::fileops
