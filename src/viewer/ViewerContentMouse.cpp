// The mouse over a Viewer pane (selection by dragging, double-click actions,
// the wheel) and the copy of the selection to the clipboard.
#include <windows.h>
#include <windowsx.h>
#include <shellapi.h>

#include <algorithm>
#include <cstring>
#include <cwchar>

#include "filer/ViewFiler.h"
#include "settings/Settings.h"
#include "ui/Clipboard.h"
#include "viewer/ViewerContent.h"
#include "viewer/ViewerLayout.h"

namespace zq {

using viewer::TextLock;
using viewer::TextView;
using viewer::ViewerText;

namespace {

TextView ViewOf(const ViewerText& text) {
    return {text.Text(), text.TextLength(), text.Lines(), text.LineCount()};
}

bool Contains(const RECT& r, POINT p) {
    return p.x >= r.left && p.x < r.right && p.y >= r.top && p.y < r.bottom;
}

bool SameCommand(const std::wstring& a, const wchar_t* b) {
    return ::_wcsicmp(a.c_str(), b) == 0;
}

}  // namespace

ViewerContent::RowHit ViewerContent::HitRow(int pane, POINT point) const {
    RowHit hit;
    if (!m_host) return hit;
    const RECT rect = m_host->PaneRect(pane);
    const filer::FilerMetrics& metrics = m_filer.LayoutResult().metrics;
    const int textTop = rect.top + metrics.lineHeight;
    const int rows = VisibleRows(pane);
    if (point.y < textTop) {
        hit.above = true;
        return hit;
    }
    const int row = (point.y - textTop) / metrics.lineHeight;
    if (row >= rows) {
        hit.below = true;
        return hit;
    }
    hit.inText = true;
    hit.line = m_texts.at(static_cast<size_t>(pane))->TopLine() + row;
    hit.column = (point.x - rect.left) / metrics.charWidth;
    if (m_context.settings->VIEWNUMBER) hit.column -= viewer::kLineNumberCells;
    return hit;
}

PaneMouseOutcome ViewerContent::OnMouse(int pane, UINT message, WPARAM wParam, LPARAM lParam) {
    if (!ShowsText(pane)) return PaneMouseOutcome::NotTaken;
    const POINT point{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    const bool shift = (wParam & MK_SHIFT) != 0;
    const bool ctrl = (wParam & MK_CONTROL) != 0;
    switch (message) {
        case WM_LBUTTONDOWN:
            OnButtonDown(pane, point, shift);
            return PaneMouseOutcome::Taken;
        case WM_LBUTTONDBLCLK:
            if (!shift && !ctrl) RunDoubleClickAction(pane, m_context.settings->leftDblClickAct, point);
            return PaneMouseOutcome::Taken;
        case WM_MOUSEWHEEL: {
            const int notches = GET_WHEEL_DELTA_WPARAM(wParam) / WHEEL_DELTA;
            StopAutoScroll();
            Scroll(pane, -3 * static_cast<std::int64_t>(notches));
            return PaneMouseOutcome::Taken;
        }
        default:
            return PaneMouseOutcome::NotTaken;
    }
}

bool ViewerContent::ForwardMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    const POINT point{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    switch (message) {
        case WM_MOUSEMOVE:
            if (!m_selection.mouseSelecting) return false;
            OnDrag(point);
            result = 0;
            return true;
        case WM_LBUTTONUP:
            if (!m_selection.mouseSelecting) return false;
            EndDrag();
            result = 0;
            return true;
        case WM_CAPTURECHANGED:
            if (m_selection.mouseSelecting && reinterpret_cast<HWND>(lParam) != m_context.view) EndDrag();
            return false;
        case WM_RBUTTONDBLCLK: {
            if (!m_host || (wParam & (MK_SHIFT | MK_CONTROL)) != 0) return false;
            for (int pane = 0; pane < 2; ++pane) {
                if (!ShowsText(pane) || !Contains(m_host->PaneRect(pane), point)) continue;
                RunDoubleClickAction(pane, m_context.settings->rightDblClickAct, point);
                result = 0;
                return true;
            }
            return false;
        }
        default:
            return false;
    }
}

void ViewerContent::OnButtonDown(int pane, POINT point, bool shift) {
    ViewerText& text = Text(pane);
    const RowHit hit = HitRow(pane, point);
    if (!hit.inText || text.BinaryDisplay()) {
        if (m_selection.exists) {
            m_selection.Clear();
            Redraw(pane);
        }
        return;
    }
    {
        const TextLock lock(text);
        if (!lock) return;
        const TextView view = ViewOf(text);
        const std::int64_t at = viewer::HitTest(view, hit.line, hit.column, text.TabWidth());
        if (m_selection.exists && m_selection.pane == pane) {
            if (shift) {
                m_selection.previousEnd = m_selection.end;
                m_selection.end = at;
            } else {
                m_selection.Clear();
            }
        } else {
            m_selection.Clear();
            m_selection.pane = pane;
            m_selection.exists = true;
            m_selection.mouseSelecting = true;
            m_selection.start = m_selection.end = m_selection.previousEnd = at;
            m_dragOutside = 0;
            ::SetCapture(m_context.view);
            if (m_host) m_host->StartTimer(kSelectTimer, 20);
        }
    }
    Redraw(pane);
}

void ViewerContent::OnDrag(POINT point) {
    if (!m_selection.mouseSelecting) return;
    const int pane = m_selection.pane;
    if (!ShowsText(pane)) {
        EndDrag();
        return;
    }
    m_lastMouse = point;
    ViewerText& text = Text(pane);
    const RowHit hit = HitRow(pane, point);
    if (!hit.inText) {
        // Dragging past the text rows scrolls, faster after a while.
        ++m_dragOutside;
        const Settings& settings = *m_context.settings;
        const int step = m_dragOutside <= settings.FASTSCROLLCOUNT ? 1 : std::max(1, settings.FASTSCROLLINE);
        Scroll(pane, hit.above ? -step : step);
    } else {
        m_dragOutside = 0;
    }
    {
        const TextLock lock(text);
        if (!lock) return;
        const TextView view = ViewOf(text);
        if (view.lineCount <= 0) return;
        m_selection.previousEnd = m_selection.end;
        const std::int64_t top = std::min(text.TopLine(), view.lineCount - 1);
        if (hit.inText) {
            m_selection.end = viewer::HitTest(view, hit.line, hit.column, text.TabWidth());
        } else if (hit.above) {
            m_selection.end = view.lines[top];
        } else {
            const std::int64_t after = top + VisibleRows(pane);
            m_selection.end = after < view.lineCount ? view.lines[after] : view.length;
        }
    }
    if (m_selection.end != m_selection.previousEnd) Redraw(pane);
}

void ViewerContent::EndDrag() {
    if (!m_selection.mouseSelecting) return;
    m_selection.mouseSelecting = false;
    if (m_host) m_host->StopTimer(kSelectTimer);
    if (::GetCapture() == m_context.view) ::ReleaseCapture();
}

void ViewerContent::RunDoubleClickAction(int pane, const std::wstring& action, POINT point) {
    if (action.empty()) return;
    if (SameCommand(action, L"@Closeviewer")) {
        CloseViewer(pane);
        return;
    }
    const bool oneLine = SameCommand(action, L"@Selectoneline");
    const bool url = SameCommand(action, L"@Selecturl");
    const bool open = SameCommand(action, L"@Startbyurl");
    if (!oneLine && !url && !open) return;
    ViewerText& text = Text(pane);
    if (text.BinaryDisplay()) return;
    const RowHit hit = HitRow(pane, point);
    if (!hit.inText) return;
    EndDrag();
    std::string address;
    {
        const TextLock lock(text);
        if (!lock) return;
        const TextView view = ViewOf(text);
        if (hit.line >= view.lineCount) return;
        if (oneLine) {
            m_selection.Clear();
            m_selection.pane = pane;
            m_selection.exists = true;
            m_selection.start = view.lines[hit.line];
            m_selection.end = view.lines[hit.line + 1];
        } else {
            const viewer::UrlRange found = viewer::FindUrl(view, hit.line, hit.column, text.TabWidth());
            if (!found.found) return;
            m_selection.Clear();
            m_selection.pane = pane;
            m_selection.exists = true;
            m_selection.start = found.from;
            m_selection.end = found.to;
            address.assign(view.text + found.from, static_cast<size_t>(found.to - found.from));
        }
    }
    Redraw(pane);
    if (!open || address.empty()) return;
    const int units = ::MultiByteToWideChar(CP_ACP, 0, address.data(), static_cast<int>(address.size()), nullptr, 0);
    std::wstring wide(static_cast<size_t>(std::max(units, 0)), L'\0');
    ::MultiByteToWideChar(CP_ACP, 0, address.data(), static_cast<int>(address.size()), wide.data(), units);
    ::ShellExecuteW(m_context.view, nullptr, wide.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

void ViewerContent::CopySelection() {
    StopAutoScroll();
    EndDrag();
    if (!m_selection.exists || m_selection.end < 0 || m_selection.From() == m_selection.To()) return;
    const int pane = m_selection.pane;
    if (!ShowsText(pane)) return;
    std::string bytes;
    {
        ViewerText& text = Text(pane);
        const TextLock lock(text);
        if (!lock) return;
        const std::int64_t to = std::min(m_selection.To(), text.TextLength());
        const std::int64_t from = std::clamp<std::int64_t>(m_selection.From(), 0, to);
        bytes.assign(text.Text() + from, static_cast<size_t>(to - from));
    }
    if (bytes.empty()) return;
    // The plain-text block, in the size the program has always given it.
    const size_t size = ((bytes.size() + 10) / 16 + 1) * 16;
    UniqueGlobal plain(::GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, size));
    void* target = plain ? ::GlobalLock(plain.Get()) : nullptr;
    if (!target) {
        ShowError(L"クリップボードへのコピーに失敗しました");
        return;
    }
    std::memcpy(target, bytes.data(), bytes.size());
    ::GlobalUnlock(plain.Get());
    // The same text for programs that read Unicode, so that they need not guess the code page.
    const int units = ::MultiByteToWideChar(CP_ACP, 0, bytes.data(), static_cast<int>(bytes.size()), nullptr, 0);
    UniqueGlobal unicode(::GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, (static_cast<size_t>(units) + 1) * 2));
    if (auto* wide = unicode ? static_cast<wchar_t*>(::GlobalLock(unicode.Get())) : nullptr) {
        ::MultiByteToWideChar(CP_ACP, 0, bytes.data(), static_cast<int>(bytes.size()), wide, units);
        ::GlobalUnlock(unicode.Get());
    } else {
        unicode.Reset();
    }
    const ui::ClipboardBlock blocks[] = {{CF_TEXT, &plain}, {CF_UNICODETEXT, &unicode}};
    const ui::ClipboardFailure failure = ui::PutOnClipboard(m_context.view, blocks);
    if (failure != ui::ClipboardFailure::None) ShowError(ui::ClipboardFailureText(failure));
}

}  // namespace zq
