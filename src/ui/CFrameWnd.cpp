#include "ui/CFrameWnd.h"

#include "ui/CView.h"

namespace zq::ui {

std::wstring CFrameWnd::ComposeTitle(const std::wstring& documentName, const std::wstring& appTitle) {
    return documentName + L" - " + appTitle;
}

bool CFrameWnd::CreateFrame(const std::wstring& appTitle, const std::wstring& documentName, HMENU menu, HICON icon,
                            int x, int y, int width, int height) {
    m_appTitle = appTitle;
    return CreateEx(WS_EX_ACCEPTFILES, L"ZqFrame", ComposeTitle(documentName, appTitle).c_str(),
                    WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, x, y, width, height, nullptr, menu, CS_DBLCLKS, icon);
}

void CFrameWnd::UpdateTitle(const std::wstring& documentName) {
    SetWindowText(ComposeTitle(documentName, m_appTitle));
}

void CFrameWnd::OnClose() {
    DestroyWindow();
}

void CFrameWnd::OnDestroy() {
    ::PostQuitMessage(0);
}

LRESULT CFrameWnd::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_SIZE:
            if (m_view && m_view->GetSafeHwnd()) {
                ::MoveWindow(m_view->GetSafeHwnd(), 0, 0, LOWORD(lParam), HIWORD(lParam), TRUE);
            }
            return 0;
        case WM_SETFOCUS:
            if (m_view && m_view->GetSafeHwnd()) ::SetFocus(m_view->GetSafeHwnd());
            return 0;
        case WM_COMMAND:
            // Commands go to the view first, as in a document/view program.
            if (m_view && m_view->GetSafeHwnd()) {
                return ::SendMessageW(m_view->GetSafeHwnd(), WM_COMMAND, wParam, lParam);
            }
            break;
        case WM_CLOSE:
            OnClose();
            return 0;
        case WM_DESTROY:
            OnDestroy();
            return 0;
        default:
            break;
    }
    return DefaultMessage(message, wParam, lParam);
}

}  // namespace zq::ui
