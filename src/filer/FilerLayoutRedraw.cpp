#include "filer/FilerLayoutRedraw.h"

#include <cstring>

namespace zq::filer {

namespace {

bool SameRect(const RECT& a, const RECT& b) {
    return std::memcmp(&a, &b, sizeof(RECT)) == 0;
}

bool SamePane(const FilerPaneGeometry& a, const FilerPaneGeometry& b) {
    return a.shown == b.shown && SameRect(a.rect, b.rect) && a.columnsDrawn == b.columnsDrawn &&
           a.rowsDrawn == b.rowsDrawn && a.cellWidth == b.cellWidth && a.cellHeight == b.cellHeight &&
           a.nameWidth == b.nameWidth && a.extWidth == b.extWidth && a.rowMajor == b.rowMajor;
}

}  // namespace

CellRepaint CellsToRepaint(std::span<const PaintCell> painted, std::span<const PaintCell> now) {
    CellRepaint r;
    if (painted.size() != now.size()) {
        r.all = true;
        return r;
    }
    for (size_t i = 0; i < now.size(); ++i) {
        // A cell in another place belongs to another grid: nothing painted
        // before can stay.
        if (!SameRect(painted[i].rect, now[i].rect)) {
            r.all = true;
            r.cells.clear();
            return r;
        }
        if (!(painted[i] == now[i])) r.cells.push_back(i);
    }
    return r;
}

bool SameLayout(const FilerLayoutResult& a, const FilerLayoutResult& b) {
    if (a.metrics.lineHeight != b.metrics.lineHeight || a.metrics.charWidth != b.metrics.charWidth ||
        a.headerLines != b.headerLines || a.devideWay != b.devideWay)
        return false;
    for (size_t i = 0; i < a.panes.size(); ++i) {
        if (!SamePane(a.panes[i], b.panes[i])) return false;
    }
    return true;
}

bool IsShown(const FilerPaneGeometry& pane, int position, int firstShown, int entryCount) {
    return position >= 0 && position < entryCount && position >= firstShown && position < firstShown + CellsShown(pane);
}

}  // namespace zq::filer
