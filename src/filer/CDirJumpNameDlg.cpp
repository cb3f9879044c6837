#include "filer/CDirJumpNameDlg.h"

#include "resource.h"

namespace zq {

CDirJumpNameDlg::CDirJumpNameDlg(HWND parent, std::wstring caption, std::wstring name)
    : ui::CDialog(IDD_DIRJUMP_NAME, parent), m_caption(std::move(caption)), m_name(std::move(name)) {}

bool CDirJumpNameDlg::OnInitDialog() {
    ::SetWindowTextW(m_hWnd, m_caption.c_str());
    return ui::CDialog::OnInitDialog();
}

void CDirJumpNameDlg::DoDataExchange(ui::DataExchange& dx) {
    dx.Text(IDC_DIRJUMP_NAME_TEXT, m_name, 520);
}

}  // namespace zq
