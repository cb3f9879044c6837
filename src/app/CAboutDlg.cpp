#include "app/CAboutDlg.h"

#include <shellapi.h>

#include "resource.h"

namespace zq {

namespace {

// The maker's home page, opened by the link label.
constexpr const wchar_t* kHomePage = L"https://zq.example.org/";

}  // namespace

CAboutDlg::CAboutDlg(HWND parent) : CDialog(IDD_ABOUTBOX, parent) {}

bool CAboutDlg::OnInitDialog() {
    SetDlgItemText(IDC_ABOUT_EDITION, L"UNICODE版");
    SetDlgItemText(IDC_ABOUT_LINK, kHomePage);
    // The link is drawn underlined, in the dialog's own font otherwise.
    HWND link = GetDlgItem(IDC_ABOUT_LINK);
    LOGFONTW font{};
    const auto current = reinterpret_cast<HFONT>(::SendMessageW(link, WM_GETFONT, 0, 0));
    if (current && ::GetObjectW(current, sizeof(font), &font) == sizeof(font)) {
        font.lfUnderline = TRUE;
        m_linkFont.Reset(::CreateFontIndirectW(&font));
        if (m_linkFont) ::SendMessageW(link, WM_SETFONT, reinterpret_cast<WPARAM>(m_linkFont.Get()), FALSE);
    }
    return true;
}

bool CAboutDlg::OnCommand(WORD id, WORD code, HWND) {
    if (id == IDC_ABOUT_LINK && code == STN_CLICKED) {
        ::ShellExecuteW(GetSafeHwnd(), L"open", kHomePage, nullptr, nullptr, SW_SHOWNORMAL);
        return true;
    }
    return false;
}

bool CAboutDlg::OnMessage(UINT message, WPARAM wParam, LPARAM, LRESULT& result) {
    // A hand over the link says that it can be clicked.
    if (message == WM_SETCURSOR && reinterpret_cast<HWND>(wParam) == GetDlgItem(IDC_ABOUT_LINK)) {
        ::SetCursor(::LoadCursorW(nullptr, IDC_HAND));
        result = TRUE;
        return true;
    }
    return false;
}

}  // namespace zq
