#include "filer/CDirHistoryDlg.h"

#include <algorithm>

#include "resource.h"

namespace zq {

CDirHistoryDlg::CDirHistoryDlg(HWND parent, std::vector<std::wstring> paths, int width, int height)
    : ui::CDialog(IDD_DIRHISTORY, parent), m_paths(std::move(paths)), m_width(width), m_height(height) {}

bool CDirHistoryDlg::OnInitDialog() {
    RECT window{};
    ::GetWindowRect(m_hWnd, &window);
    m_minimum = {window.right - window.left, window.bottom - window.top};

    const HWND list = GetDlgItem(IDC_DIRHISTORY_LIST);
    HDC dc = ::GetDC(list);
    const HGDIOBJ oldFont = ::SelectObject(dc, reinterpret_cast<HGDIOBJ>(::SendMessageW(list, WM_GETFONT, 0, 0)));
    int widest = 0;
    for (const std::wstring& path : m_paths) {
        ::SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(path.c_str()));
        SIZE extent{};
        ::GetTextExtentPoint32W(dc, path.c_str(), static_cast<int>(path.size()), &extent);
        widest = std::max(widest, static_cast<int>(extent.cx));
    }
    ::SelectObject(dc, oldFont);
    ::ReleaseDC(list, dc);
    // Long paths can be scrolled into view instead of being cut off.
    ::SendMessageW(list, LB_SETHORIZONTALEXTENT, static_cast<WPARAM>(widest + 8), 0);
    if (!m_paths.empty()) ::SendMessageW(list, LB_SETCURSEL, 0, 0);

    if (m_width > 0 && m_height > 0) {
        ::SetWindowPos(m_hWnd, nullptr, 0, 0, std::max<int>(m_width, m_minimum.cx),
                       std::max<int>(m_height, m_minimum.cy), SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    ArrangeControls();
    ::SetFocus(list);
    return false;
}

void CDirHistoryDlg::ArrangeControls() {
    RECT client{};
    ::GetClientRect(m_hWnd, &client);
    RECT unit{0, 0, 7, 14};  // the template's margin and button height in dialog units
    ::MapDialogRect(m_hWnd, &unit);
    const int margin = unit.right;
    const int buttonHeight = unit.bottom;
    RECT button{};
    ::GetWindowRect(GetDlgItem(IDOK), &button);
    const int buttonWidth = button.right - button.left;

    const int buttonTop = client.bottom - margin - buttonHeight;
    const int cancelLeft = client.right - margin - buttonWidth;
    const int okLeft = cancelLeft - margin - buttonWidth;
    ::SetWindowPos(GetDlgItem(IDCANCEL), nullptr, cancelLeft, buttonTop, buttonWidth, buttonHeight, SWP_NOZORDER);
    ::SetWindowPos(GetDlgItem(IDOK), nullptr, okLeft, buttonTop, buttonWidth, buttonHeight, SWP_NOZORDER);
    ::SetWindowPos(GetDlgItem(IDC_DIRHISTORY_LIST), nullptr, margin, margin,
                   std::max(0, static_cast<int>(client.right) - 2 * margin), std::max(0, buttonTop - 2 * margin),
                   SWP_NOZORDER);
    ::InvalidateRect(m_hWnd, nullptr, TRUE);
}

void CDirHistoryDlg::RememberSize() {
    RECT window{};
    if (!::GetWindowRect(m_hWnd, &window)) return;
    m_width = window.right - window.left;
    m_height = window.bottom - window.top;
}

void CDirHistoryDlg::OnOK() {
    const LRESULT index = ::SendMessageW(GetDlgItem(IDC_DIRHISTORY_LIST), LB_GETCURSEL, 0, 0);
    if (index == LB_ERR || static_cast<size_t>(index) >= m_paths.size()) return;  // nothing to go to yet
    m_selected = m_paths[static_cast<size_t>(index)];
    RememberSize();
    EndDialog(IDOK);
}

void CDirHistoryDlg::OnCancel() {
    RememberSize();
    EndDialog(IDCANCEL);
}

bool CDirHistoryDlg::OnCommand(WORD id, WORD code, HWND control) {
    if (id == IDC_DIRHISTORY_LIST && code == LBN_DBLCLK) {
        OnOK();
        return true;
    }
    return ui::CDialog::OnCommand(id, code, control);
}

bool CDirHistoryDlg::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    switch (message) {
        case WM_SIZE:
            ArrangeControls();
            result = 0;
            return true;
        case WM_GETMINMAXINFO: {
            auto* info = reinterpret_cast<MINMAXINFO*>(lParam);
            if (m_minimum.cx > 0) info->ptMinTrackSize = POINT{m_minimum.cx, m_minimum.cy};
            result = 0;
            return true;
        }
        default:
            return ui::CDialog::OnMessage(message, wParam, lParam, result);
    }
}

}  // namespace zq
