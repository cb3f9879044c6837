// The mouse over the view and the window's title.  A message goes to the
// content of the pane under the pointer; what lies inside the pane is the
// content's business.
#include <windows.h>
#include <windowsx.h>

#include "app/CZqView.h"
#include "ui/CFrameWnd.h"

namespace zq {

namespace {

constexpr wchar_t kAppTitle[] = L"zq";
constexpr wchar_t kNoDocumentTitle[] = L"無題";

}  // namespace

bool CZqView::OnMouse(UINT message, WPARAM wParam, LPARAM lParam) {
    if (m_started == kNotStarted) return false;
    POINT at{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    // The wheel's point is on the screen.
    if (message == WM_MOUSEWHEEL) ::ScreenToClient(m_hWnd, &at);
    int pane = m_parts.PaneAt(at);
    if (pane < 0) pane = m_parts.FocusedPane();
    IPaneContent* content = m_parts.ContentOf(pane);
    if (!content) return false;
    switch (content->OnMouse(pane, message, wParam, lParam)) {
        case PaneMouseOutcome::NotTaken:
            return false;
        case PaneMouseOutcome::Taken:
            return true;
        case PaneMouseOutcome::TakenMenuFollows:
            UpdateMenuBar();
            return true;
        case PaneMouseOutcome::PressReturn:
            // A double click means what Return means in that pane.
            if (m_router && IsConsumed(m_router->OnKeyDown(VK_RETURN, 0))) Invalidate();
            return true;
    }
    return false;
}

void CZqView::UpdateFrameTitle() {
    HWND frame = ::GetParent(m_hWnd);
    if (!frame || !FocusedContent()) return;
    std::wstring location = m_parts.FocusedLocation();
    if (location.empty()) location = kNoDocumentTitle;
    const std::wstring title = ui::CFrameWnd::ComposeTitle(location, kAppTitle);
    if (title == m_title) return;
    m_title = title;
    ::SetWindowTextW(frame, title.c_str());
}

}  // namespace zq
