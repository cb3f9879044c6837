#pragma once
// Which parts of the Filer must be painted again.  The view keeps the picture
// of its last paint and the cells it painted; the next paint compares the
// cells the panes ask for now with those and paints only the ones that
// differ: after a cursor move the old and the new cursor cell, after a read
// that changed some entries (result 2) those entries' cells.  A different
// set of cells (the first shown entry moved, entries came or went) or a
// different layout means the whole pane.
#include <windows.h>

#include <span>
#include <vector>

#include "filer/FilerCellPainter.h"
#include "filer/FilerLayout.h"

namespace zq::filer {

struct CellRepaint {
    bool all = false;           // paint the pane's cells from scratch
    std::vector<size_t> cells;  // otherwise these indexes of the new cells
};

[[nodiscard]] CellRepaint CellsToRepaint(std::span<const PaintCell> painted, std::span<const PaintCell> now);

// Whether two layouts put every pane and cell in the same place.
[[nodiscard]] bool SameLayout(const FilerLayoutResult& a, const FilerLayoutResult& b);

// Whether display position p is in one of the pane's shown cells.
[[nodiscard]] bool IsShown(const FilerPaneGeometry& pane, int position, int firstShown, int entryCount);

}  // namespace zq::filer
