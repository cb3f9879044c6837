#include "filer/COnlyEditNameDlg.h"

#include "resource.h"

namespace zq {

COnlyEditNameDlg::COnlyEditNameDlg(HWND parent, std::wstring caption, std::wstring name, int limit)
    : ui::CDialog(IDD_ONLY_EDIT_NAME, parent), m_caption(std::move(caption)), m_name(std::move(name)), m_limit(limit) {}

bool COnlyEditNameDlg::OnInitDialog() {
    ::SetWindowTextW(m_hWnd, m_caption.c_str());
    return ui::CDialog::OnInitDialog();
}

void COnlyEditNameDlg::DoDataExchange(ui::DataExchange& dx) {
    dx.Text(IDC_ONLY_EDIT_NAME_TEXT, m_name, static_cast<size_t>(m_limit));
}

}  // namespace zq
