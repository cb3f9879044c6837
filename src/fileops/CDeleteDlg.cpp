#include "fileops/CDeleteDlg.h"

#include "common/Paths.h"
#include "resource.h"
#include "ui/CMessageBoxDlg.h"

namespace zq::fileops {

CDeleteDlg::CDeleteDlg(HWND view, unsigned paneIndex, SelectionSnapshot selection, DeleteOptions& options)
    : CDialog(IDD_DELETE, view),
      m_view(view),
      m_paneIndex(paneIndex),
      m_selection(std::move(selection)),
      m_options(options) {}

CDeleteDlg::~CDeleteDlg() {
    if (m_thread) {
        m_thread->Cancel();
        JoinPumping(m_thread->Handle());
    }
}

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
    if (m_thread) return;
    m_options.toRecycleBin = ::IsDlgButtonChecked(m_hWnd, IDC_DEL_DUST) == BST_CHECKED;
    m_options.foldersAtOnce = ::IsDlgButtonChecked(m_hWnd, IDC_DEL_UNIT) == BST_CHECKED;
    m_options.warnNotEmpty = ::IsDlgButtonChecked(m_hWnd, IDC_DEL_WARN) == BST_CHECKED;
    DeleteOptions jobOptions = m_options;
    jobOptions.noDeleteDirectories = ::IsDlgButtonChecked(m_hWnd, IDC_DEL_NODIR) == BST_CHECKED;
    jobOptions.programDirectory = ModuleDirectory();
    for (int id : {IDC_DEL_DUST, IDC_DEL_UNIT, IDC_DEL_WARN, IDC_DEL_NODIR, static_cast<int>(IDOK)})
        EnableItem(id, false);
    SetDlgItemText(IDCANCEL, L"中止");
    m_thread = std::make_unique<CDeleteThread>(m_hWnd, m_selection, jobOptions);
    if (!m_thread->CreateThread()) {
        m_thread.reset();
        ui::ZqMessageBox(m_hWnd, L"Threadを作成するに失敗しました");
        Finish();
        return;
    }
    if (onMarkSource) onMarkSource();
    ::SetFocus(GetDlgItem(IDCANCEL));
}

void CDeleteDlg::OnCancel() {
    if (m_thread && m_thread->Running()) {
        m_thread->Cancel();
        return;
    }
    Finish();
}

bool CDeleteDlg::OnCommand(WORD id, WORD, HWND) {
    if (id != ui::CWinThread::kCommandSucceeded && id != ui::CWinThread::kCommandFailed) return false;
    if (onDeletionFinished) onDeletionFinished();
    Finish();
    return true;
}

void CDeleteDlg::Finish() {
    if (m_finished) return;
    // Nothing is left to stop; the window may take a moment to go on some displays.
    EnableItem(IDCANCEL, false);
    if (m_thread) {
        m_thread->Cancel();
        JoinPumping(m_thread->Handle());
        m_thread.reset();
    }
    m_finished = true;
    DestroyWindow();
    if (m_view != nullptr) ::PostMessageW(m_view, WM_COMMAND, MAKEWPARAM(ID_OPERATION_DIALOG_FINISHED, 0), 0);
}

}  // namespace zq::fileops
