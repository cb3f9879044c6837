#include "filer/CKindChoiceDlg.h"

#include "resource.h"

namespace zq {

CKindChoiceDlg::CKindChoiceDlg(HWND parent, std::wstring fileName, std::vector<std::wstring> rows)
    : ui::CDialog(IDD_KINDCHOICE, parent), m_fileName(std::move(fileName)), m_rows(std::move(rows)) {}

bool CKindChoiceDlg::OnInitDialog() {
    SetDlgItemText(IDC_KINDCHOICE_FILE, m_fileName);
    const HWND list = GetDlgItem(IDC_KINDCHOICE_LIST);
    for (const std::wstring& row : m_rows) ::SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(row.c_str()));
    ::SendMessageW(list, LB_SETCURSEL, 0, 0);
    ::SetFocus(list);
    return false;
}

void CKindChoiceDlg::OnOK() {
    const LRESULT index = ::SendMessageW(GetDlgItem(IDC_KINDCHOICE_LIST), LB_GETCURSEL, 0, 0);
    if (index == LB_ERR) return;
    m_chosen = static_cast<int>(index);
    EndDialog(IDOK);
}

bool CKindChoiceDlg::OnCommand(WORD id, WORD code, HWND control) {
    if (id == IDC_KINDCHOICE_LIST && code == LBN_DBLCLK) {
        OnOK();
        return true;
    }
    return ui::CDialog::OnCommand(id, code, control);
}

}  // namespace zq
