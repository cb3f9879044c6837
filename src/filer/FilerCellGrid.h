#pragma once
// The cells of a pane's name list, ready for FilerCellPainter: each shown
// entry's text and colours placed in its grid cell, marks and the cursor
// applied.  Takes the pane's arrays as plain spans so that it needs nothing
// of the pane object itself.
#include <windows.h>

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "filer/FilerCellPainter.h"
#include "filer/FilerCellText.h"
#include "filer/FilerLayout.h"

namespace zq::filer {

struct FilerPaneCellsInput {
    std::span<const WIN32_FIND_DATAW> entries;  // by entry index
    std::span<const int> order;                 // display position -> entry index
    std::span<const uint32_t> marks;            // by entry index, 1 = marked
    int entryCount = 0;
    int firstShown = 0;
    int cursor = 0;                                    // display position
    bool showCursor = true;                            // the cursor is drawn in the active pane only
    std::span<const std::wstring* const> musicTitles;  // by entry index; may be empty
    std::span<const std::wstring> foundIn;             // by entry index, search results; may be empty
};

// Cells for the given display positions, or for every shown entry when
// `positions` is empty (a full draw, which fills the pane's background
// first).  Positions that are not shown are left out.  The name, extension
// and cell widths of `options` are taken from the pane's grid.
[[nodiscard]] std::vector<PaintCell> BuildPaneCells(const FilerPaneGeometry& pane, const FilerMetrics& metrics,
                                                    const FilerPaneCellsInput& input, FilerCellOptions options,
                                                    const FilerColors& colors, const KindColorTable& kinds,
                                                    std::span<const int> positions = {});

// The pane's title line, shortened to the pane's width; the active pane's
// title is drawn reversed.
[[nodiscard]] PaintCell BuildTitleCell(const FilerPaneGeometry& pane, const FilerMetrics& metrics,
                                       std::wstring_view title, bool active, const FilerColors& colors);

}  // namespace zq::filer
