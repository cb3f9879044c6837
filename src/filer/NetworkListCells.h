#pragma once
// The cells of a network listing: name, type, provider and comment columns
// as the settings ask, in DIRECTORY_COLOR.
#include <span>
#include <vector>

#include "filer/FilerCellPainter.h"
#include "filer/FilerCellText.h"
#include "filer/FilerLayout.h"
#include "filer/NetResourceEntry.h"

namespace zq::filer {

struct NetworkCellsInput {
    std::span<const NetResourceEntry> entries;  // by entry index
    std::span<const int> order;                 // display position -> entry index
    int firstShown = 0;
    int cursor = 0;
    bool showCursor = true;
};

[[nodiscard]] std::vector<PaintCell> BuildNetworkCells(const FilerPaneGeometry& pane, const FilerMetrics& metrics,
                                                       const NetworkCellsInput& input,
                                                       const NetworkCellOptions& options, const FilerColors& colors);

}  // namespace zq::filer
