#include "ui/CMessageBoxDlg.h"

#include "resource.h"

namespace zq::ui {

CMessageBoxDlg::CMessageBoxDlg(std::wstring text, HWND parent, std::wstring caption)
    : CDialog(IDD_MESSAGEBOX, parent), m_text(std::move(text)), m_caption(std::move(caption)) {}

bool CMessageBoxDlg::OnInitDialog() {
    ::SetWindowTextW(m_hWnd, m_caption.c_str());
    SetDlgItemText(IDC_MESSAGEBOX_TEXT, m_text);
    ::SetFocus(GetDlgItem(IDOK));
    return false;
}

bool CMessageBoxDlg::OnCommand(WORD id, WORD code, HWND) {
    if (code != BN_CLICKED) return false;
    // "No" must answer 2 whichever way the box is dismissed (button, Esc, close).
    if (id == IDOK) {
        EndDialog(kYes);
        return true;
    }
    if (id == IDC_MESSAGEBOX_NO || id == IDCANCEL) {
        EndDialog(kNo);
        return true;
    }
    return false;
}

int ZqMessageBox(HWND owner, const std::wstring& text, UINT flags) {
    // The program's boxes carry no caption unless one is given: an empty title.
    return ::MessageBoxW(owner, text.c_str(), L"", flags);
}

int ZqMessageBox(HWND owner, const std::wstring& text, const std::wstring& caption, UINT flags) {
    return ::MessageBoxW(owner, text.c_str(), caption.c_str(), flags);
}

}  // namespace zq::ui
