#include "filer/CDirChangeDlg.h"

#include "resource.h"

namespace zq {

CDirChangeDlg::CDirChangeDlg(HWND parent, std::vector<std::wstring> jumpList, std::wstring base)
    : ui::CDialog(IDD_DIRCHANGE, parent), m_jumpList(std::move(jumpList)), m_base(std::move(base)) {}

bool CDirChangeDlg::OnInitDialog() {
    const HWND combo = GetDlgItem(IDC_DIRCHANGE_PATH);
    for (const std::wstring& path : m_jumpList)
        ::SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(path.c_str()));
    ::SendMessageW(combo, CB_LIMITTEXT, 519, 0);
    (void)m_completion.Attach(combo, true);
    m_completion.SetBaseDirectory(m_base);
    return true;
}

void CDirChangeDlg::OnOK() {
    m_path = GetDlgItemText(IDC_DIRCHANGE_PATH);
    m_completion.Detach();
    EndDialog(IDOK);
}

void CDirChangeDlg::OnCancel() {
    m_completion.Detach();
    EndDialog(IDCANCEL);
}

}  // namespace zq
