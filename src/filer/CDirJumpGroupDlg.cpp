#include "filer/CDirJumpGroupDlg.h"

#include "resource.h"

namespace zq {

CDirJumpGroupDlg::CDirJumpGroupDlg(HWND parent, std::vector<std::wstring> names)
    : ui::CDialog(IDD_DIRJUMP_GROUPSEL, parent), m_names(std::move(names)) {}

bool CDirJumpGroupDlg::OnInitDialog() {
    const HWND list = GetDlgItem(IDC_DIRJUMP_GROUPSEL_LIST);
    for (const std::wstring& name : m_names)
        ::SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name.c_str()));
    ::SendMessageW(list, LB_SETCURSEL, 0, 0);
    ::SetFocus(list);
    return false;
}

void CDirJumpGroupDlg::OnOK() {
    const LRESULT index = ::SendMessageW(GetDlgItem(IDC_DIRJUMP_GROUPSEL_LIST), LB_GETCURSEL, 0, 0);
    if (index == LB_ERR) return;
    m_chosen = static_cast<int>(index);
    EndDialog(IDOK);
}

bool CDirJumpGroupDlg::OnCommand(WORD id, WORD code, HWND control) {
    if (id == IDC_DIRJUMP_GROUPSEL_LIST && code == LBN_DBLCLK) {
        OnOK();
        return true;
    }
    return ui::CDialog::OnCommand(id, code, control);
}

}  // namespace zq
