// The mouse over a BinaryEditor pane: pressing on a data row puts the cursor
// and both selection ends there; while the button is held the selection end
// follows the pointer, also beyond the rows, which scrolls.
#include <windows.h>
#include <windowsx.h>

#include <algorithm>

#include "binedit/BinaryEditorContent.h"
#include "binedit/BinaryLayout.h"
#include "filer/ViewFiler.h"

namespace zq {

using binedit::CBinaryData;

// The nibble under a point of the view's client area; -1 outside the data rows
// (with clampRows, rows above and below give the first and last row shown and
// beyond, so that a drag there scrolls).
std::int64_t BinaryEditorContent::NibbleAt(int pane, POINT point, bool clampRows) const {
    if (!m_host) return -1;
    const RECT rect = m_host->PaneRect(pane);
    const filer::FilerMetrics& metrics = m_filer.LayoutResult().metrics;
    const CBinaryData& data = *m_data.at(static_cast<size_t>(pane));
    const int dataTop = rect.top + 2 * metrics.lineHeight;
    std::int64_t row = point.y < dataTop ? -1 : (point.y - dataTop) / metrics.lineHeight;
    const std::int64_t shown = DataRows(pane);
    if (!clampRows && (row < 0 || row >= shown)) return -1;
    row = std::clamp<std::int64_t>(row, -1, shown);
    const int digits = binedit::AddressDigits(data.Size());
    const int column = (point.x - rect.left) / std::max(1, metrics.charWidth);
    int nibble = binedit::NibbleAtColumn(digits, column);
    if (nibble < 0) {
        if (!clampRows) return -1;
        nibble = column < binedit::HexColumn(digits, 0) ? 0 : CBinaryData::kRowNibbles - 1;
    }
    const std::int64_t at = (data.TopRow() + row) * CBinaryData::kRowNibbles + nibble;
    if (data.Size() == 0) return -1;
    if (!clampRows && at >= data.Size() * 2) return -1;
    return std::clamp<std::int64_t>(at, 0, data.Size() * 2 - 1);
}

PaneMouseOutcome BinaryEditorContent::OnMouse(int pane, UINT message, WPARAM wParam, LPARAM lParam) {
    if (!Edits(pane)) return PaneMouseOutcome::NotTaken;
    const POINT point{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    switch (message) {
        case WM_LBUTTONDOWN:
            OnButtonDown(pane, point);
            return PaneMouseOutcome::Taken;
        case WM_MOUSEWHEEL: {
            const int notches = GET_WHEEL_DELTA_WPARAM(wParam) / WHEEL_DELTA;
            Move(pane, -3LL * notches * CBinaryData::kRowNibbles);
            return PaneMouseOutcome::Taken;
        }
        default:
            return PaneMouseOutcome::NotTaken;
    }
}

bool BinaryEditorContent::ForwardMessage(UINT message, WPARAM, LPARAM lParam, LRESULT& result) {
    switch (message) {
        case WM_MOUSEMOVE:
            if (m_dragPane < 0) return false;
            OnDrag({GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
            result = 0;
            return true;
        case WM_LBUTTONUP:
            if (m_dragPane < 0) return false;
            EndDrag();
            result = 0;
            return true;
        case WM_CAPTURECHANGED:
            if (m_dragPane >= 0 && reinterpret_cast<HWND>(lParam) != m_context.view) EndDrag();
            return false;
        case WM_DESTROY: {
            // The end of the window: each editing pane asks about its changes,
            // and no Cancel is offered because the end is under way.  The
            // frame has already asked the message loop to end, which would
            // close the question before it is answered: the request is held
            // back while the question stands.
            MSG quit{};
            const bool quitting = ::PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE) != FALSE;
            LeaveAll();
            if (quitting) ::PostQuitMessage(static_cast<int>(quit.wParam));
            return false;
        }
        default:
            return false;
    }
}

void BinaryEditorContent::OnButtonDown(int pane, POINT point) {
    StopAutoScroll();
    CBinaryData& data = Data(pane);
    const std::int64_t nibble = NibbleAt(pane, point, false);
    if (nibble < 0) {
        data.ClearSelection();
        Redraw(pane);
        return;
    }
    data.SetCursor(nibble);
    data.SelectNibbles(nibble, nibble);
    data.SetMouseSelecting(true);
    m_dragPane = pane;
    ::SetCapture(m_context.view);
    if (m_host) m_host->StartTimer(kMouseTimer, 20);
    AfterMove(pane);
}

void BinaryEditorContent::OnDrag(POINT point) {
    const int pane = m_dragPane;
    if (!Edits(pane)) {
        EndDrag();
        return;
    }
    if ((::GetKeyState(VK_LBUTTON) & 0x8000) == 0) {
        EndDrag();
        return;
    }
    CBinaryData& data = Data(pane);
    const std::int64_t nibble = NibbleAt(pane, point, true);
    if (nibble < 0) return;
    const CBinaryData::Selection before = data.CurrentSelection();
    data.MoveSelectionEnd(nibble - before.end);
    if (data.CurrentSelection().end != before.end) AfterMove(pane);
}

void BinaryEditorContent::EndDrag() {
    if (m_dragPane < 0) return;
    if (Edits(m_dragPane)) Data(m_dragPane).SetMouseSelecting(false);
    m_dragPane = -1;
    if (m_host) m_host->StopTimer(kMouseTimer);
    if (::GetCapture() == m_context.view) ::ReleaseCapture();
}

}  // namespace zq
