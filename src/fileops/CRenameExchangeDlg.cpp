#include "fileops/CRenameExchangeDlg.h"

#include "resource.h"
#include "ui/CMessageBoxDlg.h"

namespace zq::fileops {

CRenameExchangeDlg::CRenameExchangeDlg(HWND parent, ExchangeFile first, ExchangeFile second)
    : CDialog(IDD_RENAME_EXCHANGE, parent), m_first(std::move(first)), m_second(std::move(second)) {}

bool CRenameExchangeDlg::OnInitDialog() {
    SetDlgItemText(IDC_RENAMEX_NAME1, m_first.name);
    SetDlgItemText(IDC_RENAMEX_DIR1, m_first.directory);
    SetDlgItemText(IDC_RENAMEX_NAME2, m_second.name);
    SetDlgItemText(IDC_RENAMEX_DIR2, m_second.directory);
    return true;
}

void CRenameExchangeDlg::OnOK() {
    const ExchangeResult result = ExchangeNames(m_first, m_second);
    if (result == ExchangeResult::kDone) {
        EndDialog(IDOK);
        return;
    }
    ui::ZqMessageBox(m_hWnd, ExchangeMessage(result));
    // A failure half-way leaves the names changed so far: the pane must be read again.
    if (result == ExchangeResult::kFailed) EndDialog(IDOK);
}

}  // namespace zq::fileops
