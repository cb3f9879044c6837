#include "app/CMainFrame.h"

#include "app/CZqView.h"
#include "resource.h"

namespace zq {

void CMainFrame::OnClose() {
    // Once the user has confirmed the end, the close goes through without asking again.
    if (m_zqView && !m_zqView->Quitting() && !m_zqView->QuitRequest(true)) return;
    // The last save runs while the windows still stand: once the frame is
    // destroyed the quit message is queued and a failure could not be shown.
    if (m_zqView && m_zqView->GetSafeHwnd()) m_zqView->SaveSettingsFinal();
    DestroyWindow();
}

LRESULT CMainFrame::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    // The menu bar is the frame's, but what its items say is the view's business.
    if (message == WM_INITMENUPOPUP && m_zqView && m_zqView->GetSafeHwnd()) {
        ::SendMessageW(m_zqView->GetSafeHwnd(), message, wParam, lParam);
        return 0;
    }
    // Files dropped on the frame go to the view, which knows the panes.
    if (message == WM_DROPFILES && m_zqView && m_zqView->GetSafeHwnd()) {
        ::SendMessageW(m_zqView->GetSafeHwnd(), message, wParam, lParam);
        return 0;
    }
    // The view lies still inside the frame; only the frame learns that it moved.
    if (message == WM_MOVE && m_zqView && m_zqView->GetSafeHwnd()) m_zqView->RecordPlacement();
    // A second copy asks for a change of directories: the view handles it.
    if (m_dirChangeMessage != 0 && message == m_dirChangeMessage && m_zqView && m_zqView->GetSafeHwnd()) {
        ::PostMessageW(m_zqView->GetSafeHwnd(), message, 0, 0);
        return 1;
    }
    return CFrameWnd::OnMessage(message, wParam, lParam);
}

}  // namespace zq
