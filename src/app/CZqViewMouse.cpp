// The mouse over the view and the window's title.  Where the panes lie is the
// Filer's business; the view only turns messages into its calls.
#include <windows.h>
#include <windowsx.h>

#include "app/CZqView.h"
#include "filer/ShellContextMenu.h"
#include "filer/ViewFiler.h"
#include "settings/Settings.h"
#include "ui/CFrameWnd.h"

namespace zq {

namespace {

constexpr wchar_t kAppTitle[] = L"zq";
constexpr wchar_t kNoDocumentTitle[] = L"無題";

POINT PointOf(LPARAM lParam) {
    return {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
}

}  // namespace

bool CZqView::OnMouse(UINT message, WPARAM wParam, LPARAM lParam) {
    if (!m_filer || m_started == kNotStarted) return false;
    const bool left = message == WM_LBUTTONDOWN || message == WM_LBUTTONDBLCLK;
    const bool right = message == WM_RBUTTONDOWN || message == WM_RBUTTONUP;
    if ((left && m_settings.LEFTMOUSEDISABLE) || (right && m_settings.RIGHTMOUSEDISABLE)) return false;
    switch (message) {
        case WM_LBUTTONDOWN:
        case WM_RBUTTONDOWN: {
            ViewFiler::ClickKind kind = ViewFiler::ClickKind::Plain;
            if (message == WM_LBUTTONDOWN && (wParam & MK_SHIFT))
                kind = ViewFiler::ClickKind::Range;
            else if (message == WM_LBUTTONDOWN && (wParam & MK_CONTROL))
                kind = ViewFiler::ClickKind::Toggle;
            if (!m_filer->OnMouseClick(PointOf(lParam), kind)) return false;
            UpdateMenuBar();
            return true;
        }
        case WM_LBUTTONDBLCLK: {
            // The first click of the two has put the cursor on the entry already;
            // a double click beside the entries (a title line) does nothing.
            const filer::FilerLayoutResult& layout = m_filer->LayoutResult();
            const int pane = filer::PaneAt(layout, PointOf(lParam));
            if (pane < 0 || !m_router ||
                filer::CellAt(layout.panes[static_cast<size_t>(pane)], layout.metrics, PointOf(lParam)) < 0)
                return false;
            if (IsConsumed(m_router->OnKeyDown(VK_RETURN, 0))) Invalidate();
            return true;
        }
        case WM_RBUTTONUP: {
            const std::wstring path = m_filer->EntryPathAt(PointOf(lParam));
            if (path.empty()) return false;
            POINT screen = PointOf(lParam);
            ::ClientToScreen(m_hWnd, &screen);
            Suspend();
            (void)ShowShellContextMenu(m_hWnd, ::GetParent(m_hWnd), path, screen, m_start.programDir);
            Resume();
            Invalidate();
            return true;
        }
        case WM_MOUSEWHEEL: {
            UINT lines = 3;
            if (!::SystemParametersInfoW(SPI_GETWHEELSCROLLLINES, 0, &lines, 0)) lines = 3;
            if (lines == WHEEL_PAGESCROLL) lines = 3;
            // Fine-grained wheels send parts of a notch; they add up to whole entries.
            m_wheelRest += GET_WHEEL_DELTA_WPARAM(wParam) * static_cast<int>(lines);
            const int entries = m_wheelRest / WHEEL_DELTA;
            m_wheelRest -= entries * WHEEL_DELTA;
            if (entries != 0) m_filer->OnMouseWheel(-entries);
            return true;
        }
        default:
            return false;
    }
}

void CZqView::UpdateFrameTitle() {
    HWND frame = ::GetParent(m_hWnd);
    if (!frame || !m_filer) return;
    std::wstring location = m_filer->ActiveLocation();
    if (location.empty()) location = kNoDocumentTitle;
    const std::wstring title = ui::CFrameWnd::ComposeTitle(location, kAppTitle);
    if (title == m_title) return;
    m_title = title;
    ::SetWindowTextW(frame, title.c_str());
}

}  // namespace zq
