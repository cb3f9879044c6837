#include "fileops/CAskSameDlg.h"

#include "resource.h"

namespace zq::fileops {

CAskSameDlg::CAskSameDlg(HWND parent, std::wstring caption, std::wstring text, bool sameFromNow)
    : CDialog(IDD_ASKSAME, parent),
      m_caption(std::move(caption)),
      m_text(std::move(text)),
      m_sameFromNow(sameFromNow) {}

bool CAskSameDlg::OnInitDialog() {
    ::SetWindowTextW(m_hWnd, m_caption.c_str());
    SetDlgItemText(IDC_ASK_TEXT, m_text);
    ::CheckDlgButton(m_hWnd, IDC_ASK_SAME, m_sameFromNow ? BST_CHECKED : BST_UNCHECKED);
    ::SetFocus(GetDlgItem(IDOK));
    return false;
}

bool CAskSameDlg::OnCommand(WORD id, WORD code, HWND) {
    if (code != BN_CLICKED) return false;
    if (id != IDOK && id != IDC_ASK_NO && id != IDCANCEL) return false;
    // The check box counts however the box is left, Esc included.
    m_sameFromNow = ::IsDlgButtonChecked(m_hWnd, IDC_ASK_SAME) == BST_CHECKED;
    EndDialog(id == IDOK ? IDOK : IDCANCEL);
    return true;
}

}  // namespace zq::fileops
