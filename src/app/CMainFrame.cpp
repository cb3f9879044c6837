#include "app/CMainFrame.h"

#include "app/CZqView.h"
#include "resource.h"

namespace zq {

void CMainFrame::OnClose() {
    // Once the user has confirmed the end, the close goes through without asking again.
    if (m_zqView && !m_zqView->Quitting() && !m_zqView->QuitRequest(true)) return;
    DestroyWindow();
}

LRESULT CMainFrame::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    return CFrameWnd::OnMessage(message, wParam, lParam);
}

}  // namespace zq
