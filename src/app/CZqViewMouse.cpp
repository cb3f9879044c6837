// The mouse over the view and the window's title.  Where the panes lie is the
// contents' business; the view only hands them the messages.
#include <windows.h>

#include "app/CZqView.h"
#include "ui/CFrameWnd.h"

namespace zq {

namespace {

constexpr wchar_t kAppTitle[] = L"zq";
constexpr wchar_t kNoDocumentTitle[] = L"無題";

}  // namespace

bool CZqView::OnMouse(UINT message, WPARAM wParam, LPARAM lParam) {
    if (m_started == kNotStarted) return false;
    for (auto& content : m_contents) {
        switch (content->OnMouse(message, wParam, lParam)) {
            case PaneMouseOutcome::NotTaken:
                continue;
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
    }
    return false;
}

void CZqView::UpdateFrameTitle() {
    HWND frame = ::GetParent(m_hWnd);
    IPaneContent* content = FocusedContent();
    if (!frame || !content) return;
    std::wstring location = content->ActiveLocation();
    if (location.empty()) location = kNoDocumentTitle;
    const std::wstring title = ui::CFrameWnd::ComposeTitle(location, kAppTitle);
    if (title == m_title) return;
    m_title = title;
    ::SetWindowTextW(frame, title.c_str());
}

}  // namespace zq
