// The mouse over the Filer: clicks, the wheel, and what lies under the pointer.
// The layout of the last paint says where the panes and their cells are, so a
// click always means what the user saw under the pointer.
#include <windowsx.h>

#include <algorithm>

#include "commands/CommandRegistry.h"
#include "commands/PaneModes.h"
#include "filer/ViewFiler.h"
#include "filer/FilerHeaderText.h"
#include "filer/FilerPane.h"
#include "filer/NetworkList.h"
#include "filer/VirtualDriveSource.h"
#include "filer/ShellContextMenu.h"
#include "settings/Settings.h"

namespace zq {

namespace {

POINT PointOf(LPARAM lParam) {
    return {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
}

}  // namespace

PaneMouseOutcome ViewFiler::OnMouse(int, UINT message, WPARAM wParam, LPARAM lParam) {
    const Settings& settings = *m_context.settings;
    const bool left = message == WM_LBUTTONDOWN || message == WM_LBUTTONDBLCLK;
    const bool right = message == WM_RBUTTONDOWN || message == WM_RBUTTONUP;
    if ((left && settings.LEFTMOUSEDISABLE) || (right && settings.RIGHTMOUSEDISABLE)) return PaneMouseOutcome::NotTaken;
    switch (message) {
        case WM_LBUTTONDOWN:
        case WM_RBUTTONDOWN: {
            if (message == WM_LBUTTONDOWN && !(wParam & (MK_SHIFT | MK_CONTROL)) && OnHeaderDriveClick(PointOf(lParam)))
                return PaneMouseOutcome::TakenMenuFollows;
            ClickKind kind = ClickKind::Plain;
            if (message == WM_LBUTTONDOWN && (wParam & MK_SHIFT))
                kind = ClickKind::Range;
            else if (message == WM_LBUTTONDOWN && (wParam & MK_CONTROL))
                kind = ClickKind::Toggle;
            return OnMouseClick(PointOf(lParam), kind) ? PaneMouseOutcome::TakenMenuFollows
                                                       : PaneMouseOutcome::NotTaken;
        }
        case WM_LBUTTONDBLCLK: {
            // The first click of the two has put the cursor on the entry already;
            // a double click beside the entries (a title line) does nothing.
            const int pane = filer::PaneAt(m_layout, PointOf(lParam));
            if (pane < 0 ||
                filer::CellAt(m_layout.panes[static_cast<size_t>(pane)], m_layout.metrics, PointOf(lParam)) < 0)
                return PaneMouseOutcome::NotTaken;
            return PaneMouseOutcome::PressReturn;
        }
        case WM_RBUTTONUP: {
            const std::wstring path = EntryPathAt(PointOf(lParam));
            if (path.empty()) return PaneMouseOutcome::NotTaken;
            POINT screen = PointOf(lParam);
            ::ClientToScreen(m_context.view, &screen);
            {
                const SuspendScope suspended(m_context);
                (void)ShowShellContextMenu(m_context.view, m_context.frame, path, screen, m_context.programDir);
            }
            AfterCommand();
            return PaneMouseOutcome::Taken;
        }
        case WM_MOUSEWHEEL: {
            UINT lines = 3;
            if (!::SystemParametersInfoW(SPI_GETWHEELSCROLLLINES, 0, &lines, 0)) lines = 3;
            if (lines == WHEEL_PAGESCROLL) lines = 3;
            m_wheelRest += GET_WHEEL_DELTA_WPARAM(wParam) * static_cast<int>(lines);
            const int entries = m_wheelRest / WHEEL_DELTA;
            m_wheelRest -= entries * WHEEL_DELTA;
            if (entries != 0) OnMouseWheel(-entries);
            return PaneMouseOutcome::Taken;
        }
        default:
            return PaneMouseOutcome::NotTaken;
    }
}

bool ViewFiler::ForwardMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    return ForwardToShellContextMenu(message, wParam, lParam, result);
}

bool ViewFiler::OnHeaderDriveClick(POINT point) {
    const RECT& box = m_headerDriveBox;
    const int charWidth = std::max(1, m_layout.metrics.charWidth);
    const int rowTop = box.top + 2 * m_layout.metrics.lineHeight;
    if (!::PtInRect(&box, point) || point.y < rowTop || point.y >= rowTop + m_layout.metrics.lineHeight) return false;
    const DWORD drives = ::GetLogicalDrives() | ProcessVirtualDrives().LoadedMask();
    const filer::HeaderDriveRow row = filer::HeaderDriveLetters(drives, m_headerDriveFirst);
    const filer::HeaderDriveClick click = filer::HeaderDriveAt(row, (point.x - box.left) / charWidth - 1);
    if (click.scroll != 0) {
        m_headerDriveFirst = std::max(0, m_headerDriveFirst + click.scroll);
        AfterCommand();
    } else if (click.letter != 0) {
        (void)m_context.registry->Route(ModeGroup::Filer, std::wstring(L"@Log") + click.letter);
    }
    return true;
}

bool ViewFiler::OnMouseClick(POINT point, ClickKind kind) {
    const int index = filer::PaneAt(m_layout, point);
    if (index < 0) return false;
    if (index != ActivePane()) Focus(index);
    if (!m_context.modes->Query(index, 0, pane_mode::kFilerGroup)) {
        AfterCommand();
        return true;
    }
    FilerPane& pane = Pane(index);
    const int cell = filer::CellAt(m_layout.panes[static_cast<size_t>(index)], m_layout.metrics, point);
    const int position = cell < 0 ? -1 : pane.FirstShown() + cell;
    if (position >= 0 && position < pane.Count()) {
        const int from = pane.Cursor();
        switch (kind) {
            case ClickKind::Plain:
                break;
            case ClickKind::Range:
                for (int p = std::min(from, position); p <= std::max(from, position); ++p) pane.SetMark(p, true);
                break;
            case ClickKind::Toggle:
                pane.ToggleMark(position);
                break;
        }
        pane.ClearAnchor();
        pane.MoveCursor(position - from, false);
    }
    AfterCommand();
    return true;
}

void ViewFiler::OnMouseWheel(int entries) {
    const int index = ActivePane();
    if (entries == 0 || !m_context.modes->Query(index, 0, pane_mode::kFilerGroup)) return;
    FilerPane& pane = Pane(index);
    pane.ClearAnchor();
    pane.MoveCursor(entries, false);
    AfterCommand();
}

std::wstring ViewFiler::EntryPathAt(POINT point) {
    const int index = filer::PaneAt(m_layout, point);
    if (index < 0 || !m_context.modes->Query(index, 0, pane_mode::kDirectory)) return {};
    FilerPane& pane = Pane(index);
    const int cell = filer::CellAt(m_layout.panes[static_cast<size_t>(index)], m_layout.metrics, point);
    const int position = cell < 0 ? -1 : pane.FirstShown() + cell;
    if (position < 0 || position >= pane.Count() || pane.Path().empty()) return {};
    const FileEntry& entry = pane.EntryAt(position);
    if (IsLinkEntry(entry)) return {};
    std::wstring path = pane.Path();
    if (path.back() != L'\\') path += L'\\';
    return path + entry.cFileName;
}

std::wstring ViewFiler::ActiveLocation() {
    if (Pane(ActivePane()).Kind() == kKindDriveList) return kDriveListTitle;
    if (Pane(ActivePane()).Kind() == kKindNetwork) return NetworkOf(ActivePane()).PseudoPath();
    filer::FilerTitleInput title;
    title.currentDirectory = Pane(ActivePane()).Path();
    if (ProcessVirtualDrives().ForPath(title.currentDirectory)) {
        title.kind = filer::FilerTitleKind::VirtualDrive;
        title.virtualDrive = title.currentDirectory;
    }
    return filer::PaneTitleText(title);
}

}  // namespace zq
