#include "app/CMainFrame.h"

#include "app/CZqView.h"
#include "resource.h"

namespace zq {

void CMainFrame::OnClose() {
    if (m_zqView && !m_zqView->QuitRequest(true)) return;
    DestroyWindow();
}

LRESULT CMainFrame::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_COMMAND && LOWORD(wParam) == ID_APP_EXIT) {
        if (m_zqView) m_zqView->QuitRequest(false);
        return 0;
    }
    return CFrameWnd::OnMessage(message, wParam, lParam);
}

}  // namespace zq
