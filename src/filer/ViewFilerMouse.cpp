// The mouse over the Filer: clicks, the wheel, and what lies under the pointer.
// The layout of the last paint says where the panes and their cells are, so a
// click always means what the user saw under the pointer.
#include <algorithm>

#include "app/PaneModes.h"
#include "filer/ViewFiler.h"
#include "filer/FilerHeaderText.h"
#include "filer/FilerPane.h"

namespace zq {

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
    filer::FilerTitleInput title;
    title.currentDirectory = Pane(ActivePane()).Path();
    return filer::PaneTitleText(title);
}

}  // namespace zq
