#include "filer/FilerLayoutRedraw.h"

#include <algorithm>

namespace zq::filer {

PaneRedraw RedrawAfterRead(int readResult) {
    switch (readResult) {
        case 0:
            return PaneRedraw::None;
        case 2:
            return PaneRedraw::Changed;
        default:
            return PaneRedraw::Full;
    }
}

bool IsShown(const FilerPaneGeometry& pane, int position, int firstShown, int entryCount) {
    return position >= 0 && position < entryCount && position >= firstShown &&
           position < firstShown + CellsShown(pane);
}

std::vector<RedrawCell> ChangedCells(const FilerPaneGeometry& pane, const FilerMetrics& metrics,
                                     std::span<const int> order, std::span<const unsigned char> changed,
                                     int firstShown, int entryCount) {
    std::vector<RedrawCell> cells;
    const int last = std::min<int>(firstShown + CellsShown(pane), std::min<int>(entryCount, static_cast<int>(order.size())));
    for (int p = std::max(0, firstShown); p < last; ++p) {
        const int index = order[static_cast<size_t>(p)];
        if (index < 0 || static_cast<size_t>(index) >= changed.size() || changed[static_cast<size_t>(index)] == 0)
            continue;
        cells.push_back({p, CellRect(pane, metrics, p - firstShown)});
    }
    return cells;
}

CursorRedraw CursorMoveRedraw(const FilerPaneGeometry& pane, const FilerMetrics& metrics, int oldCursor,
                              int newCursor, int oldFirstShown, int newFirstShown, int entryCount) {
    CursorRedraw r;
    if (oldFirstShown != newFirstShown) {
        r.full = true;
        return r;
    }
    for (int p : {oldCursor, newCursor}) {
        if (!r.cells.empty() && r.cells.front().displayPosition == p) continue;
        if (IsShown(pane, p, newFirstShown, entryCount))
            r.cells.push_back({p, CellRect(pane, metrics, p - newFirstShown)});
    }
    return r;
}

}  // namespace zq::filer
