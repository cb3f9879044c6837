#pragma once
// Which parts of a pane must be redrawn after a read or a cursor move.  A full
// draw is the fallback; these keep the common cases (a touched file, a cursor
// step) to a few cells.
#include <windows.h>

#include <span>
#include <vector>

#include "filer/FilerLayout.h"

namespace zq::filer {

enum class PaneRedraw {
    None,     // nothing changed
    Changed,  // only the entries whose changed byte is set
    Full,     // the whole pane
};

// The redraw a read asks for: result 0 nothing, 1 the listing was replaced,
// 2 the same names with some entries changed.
[[nodiscard]] PaneRedraw RedrawAfterRead(int readResult);

struct RedrawCell {
    int displayPosition = 0;
    RECT rect{};
};

// The shown cells whose entry's changed byte is set.  `order[p]` is the entry
// index shown at display position p; `changed` is indexed by entry index.
[[nodiscard]] std::vector<RedrawCell> ChangedCells(const FilerPaneGeometry& pane, const FilerMetrics& metrics,
                                                   std::span<const int> order,
                                                   std::span<const unsigned char> changed, int firstShown,
                                                   int entryCount);

struct CursorRedraw {
    bool full = false;              // the first shown entry moved: redraw the pane
    std::vector<RedrawCell> cells;  // otherwise the old and the new cursor cell
};

[[nodiscard]] CursorRedraw CursorMoveRedraw(const FilerPaneGeometry& pane, const FilerMetrics& metrics,
                                            int oldCursor, int newCursor, int oldFirstShown, int newFirstShown,
                                            int entryCount);

// Whether display position p is in one of the pane's shown cells.
[[nodiscard]] bool IsShown(const FilerPaneGeometry& pane, int position, int firstShown, int entryCount);

}  // namespace zq::filer
