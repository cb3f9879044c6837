#include "picture/CGraphicListDlg.h"

#include "resource.h"

namespace zq {

CGraphicListDlg::CGraphicListDlg(HWND parent, const std::vector<std::wstring>& pictures, int current)
    : ui::CDialog(IDD_GRAPHIC_LIST, parent), m_pictures(pictures), m_selected(current) {}

bool CGraphicListDlg::OnInitDialog() {
    HWND list = GetDlgItem(IDC_GRAPHIC_LIST_NAMES);
    for (const std::wstring& path : m_pictures)
        ::SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(path.c_str()));
    ::SendMessageW(list, LB_SETCURSEL, static_cast<WPARAM>(m_selected), 0);
    ::SetFocus(list);
    return false;
}

void CGraphicListDlg::OnOK() {
    const LRESULT chosen = ::SendMessageW(GetDlgItem(IDC_GRAPHIC_LIST_NAMES), LB_GETCURSEL, 0, 0);
    if (chosen != LB_ERR) m_selected = static_cast<int>(chosen);
    EndDialog(IDOK);
}

bool CGraphicListDlg::OnCommand(WORD id, WORD code, HWND control) {
    (void)control;
    if (id == IDC_GRAPHIC_LIST_NAMES && code == LBN_DBLCLK) {
        OnOK();
        return true;
    }
    return false;
}

}  // namespace zq
