#include "filer/NetworkListCells.h"

#include "filer/FilerLayoutRedraw.h"

namespace zq::filer {

std::vector<PaintCell> BuildNetworkCells(const FilerPaneGeometry& pane, const FilerMetrics& metrics,
                                         const NetworkCellsInput& input, const NetworkCellOptions& options,
                                         const FilerColors& colors) {
    std::vector<PaintCell> cells;
    const int count = static_cast<int>(std::min(input.order.size(), input.entries.size()));
    const COLORREF color = colors[FilerColorId::Directory];
    for (int p = std::max(0, input.firstShown); p < count; ++p) {
        if (!IsShown(pane, p, input.firstShown, count)) break;
        const int index = input.order[static_cast<size_t>(p)];
        if (index < 0 || index >= static_cast<int>(input.entries.size())) continue;
        const NetResourceEntry& e = input.entries[static_cast<size_t>(index)];
        FilerCellContent content;
        content.entryColor = color;
        content.runs = BuildNetworkCell({e.displayType, e.name, e.comment, e.provider}, options, color);
        cells.push_back(MakePaintCell(CellRect(pane, metrics, p - input.firstShown), content, colors, false,
                                      input.showCursor && p == input.cursor));
    }
    return cells;
}

}  // namespace zq::filer
