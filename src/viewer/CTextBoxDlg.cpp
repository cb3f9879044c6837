#include "viewer/CTextBoxDlg.h"

#include "resource.h"
#include "viewer/TextBoxFile.h"

namespace zq::viewer {

CTextBoxDlg::CTextBoxDlg(HWND owner, std::wstring filePath)
    : ui::CDialog(IDD_TEXT_BOX, owner), m_filePath(std::move(filePath)) {}

CTextBoxDlg::~CTextBoxDlg() {
    Close();
}

void CTextBoxDlg::ShowBox() {
    if (!m_hWnd && !Create()) return;
    ::ShowWindow(m_hWnd, SW_SHOW);
    ::SetForegroundWindow(m_hWnd);
    ::SetFocus(GetDlgItem(IDC_TEXT_BOX_EDIT));
}

void CTextBoxDlg::Close() {
    if (!m_hWnd) return;
    Save();
    DestroyWindow();
}

bool CTextBoxDlg::OnInitDialog() {
    m_saved = false;
    m_activatedOnce = false;
    HWND field = GetDlgItem(IDC_TEXT_BOX_EDIT);
    // A multi-line field stops at 32K characters unless told otherwise.
    ::SendMessageW(field, EM_SETLIMITTEXT, 0, 0);
    ::SetWindowTextW(field, LoadTextBoxFile(m_filePath).c_str());
    FitField();
    return true;
}

void CTextBoxDlg::OnCancel() {
    ::ShowWindow(m_hWnd, SW_HIDE);
}

void CTextBoxDlg::Save() {
    if (m_saved || !m_hWnd) return;
    m_saved = true;
    (void)SaveTextBoxFile(m_filePath, GetDlgItemText(IDC_TEXT_BOX_EDIT));
}

void CTextBoxDlg::FitField() {
    RECT client{};
    ::GetClientRect(m_hWnd, &client);
    ::MoveWindow(GetDlgItem(IDC_TEXT_BOX_EDIT), 0, 0, client.right, client.bottom, TRUE);
}

bool CTextBoxDlg::OnMessage(UINT message, WPARAM wParam, LPARAM, LRESULT& result) {
    switch (message) {
        case WM_SIZE:
            FitField();
            result = 0;
            return true;
        case WM_ACTIVATE:
            if (LOWORD(wParam) != WA_INACTIVE && !m_activatedOnce) {
                m_activatedOnce = true;
                HWND field = GetDlgItem(IDC_TEXT_BOX_EDIT);
                const LRESULT length = ::GetWindowTextLengthW(field);
                ::SendMessageW(field, EM_SETSEL, static_cast<WPARAM>(length), length);
                ::SendMessageW(field, EM_SCROLLCARET, 0, 0);
            }
            return false;
        case WM_DESTROY:
            // The owner going takes this window with it: the text must not go too.
            Save();
            return false;
        default:
            return false;
    }
}

}  // namespace zq::viewer
