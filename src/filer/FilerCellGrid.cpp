#include "filer/FilerCellGrid.h"

#include "filer/FilerCellWidth.h"
#include "filer/FilerLayoutRedraw.h"

namespace zq::filer {

namespace {

template <typename T>
const T* At(std::span<const T> items, int index) {
    return index >= 0 && static_cast<size_t>(index) < items.size() ? &items[static_cast<size_t>(index)] : nullptr;
}

}  // namespace

std::vector<PaintCell> BuildPaneCells(const FilerPaneGeometry& pane, const FilerMetrics& metrics,
                                      const FilerPaneCellsInput& input, FilerCellOptions options,
                                      const FilerColors& colors, const KindColorTable& kinds,
                                      std::span<const int> positions) {
    options.nameWidth = pane.nameWidth;
    options.extWidth = pane.extWidth;
    options.cellWidth = pane.cellWidth;

    const int count = std::min<int>(input.entryCount, static_cast<int>(input.order.size()));
    std::vector<int> all;
    if (positions.empty()) {
        for (int p = std::max(0, input.firstShown); p < input.firstShown + CellsShown(pane) && p < count; ++p)
            all.push_back(p);
        positions = all;
    }

    std::vector<PaintCell> cells;
    cells.reserve(positions.size());
    for (int p : positions) {
        if (!IsShown(pane, p, input.firstShown, count)) continue;
        const int index = input.order[static_cast<size_t>(p)];
        const WIN32_FIND_DATAW* entry = At(input.entries, index);
        if (entry == nullptr) continue;
        FilerCellExtras extras;
        if (const std::wstring* const* title = At(input.musicTitles, index)) extras.musicTitle = *title;
        extras.foundIn = At(input.foundIn, index);
        const FilerCellContent content = BuildFileCell(*entry, options, colors, kinds, extras);
        const uint32_t* mark = At(input.marks, index);
        cells.push_back(MakePaintCell(CellRect(pane, metrics, p - input.firstShown), content, colors,
                                      mark != nullptr && *mark != 0, input.showCursor && p == input.cursor));
    }
    return cells;
}

PaintCell BuildTitleCell(const FilerPaneGeometry& pane, const FilerMetrics& metrics, std::wstring_view title,
                         bool active, const FilerColors& colors) {
    FilerCellContent content;
    const int width = (pane.rect.right - pane.rect.left) / std::max(1, metrics.charWidth);
    content.runs.push_back({0, FitToCells(title, width, true).text, colors[FilerColorId::Information]});
    return MakePaintCell(TitleRect(pane, metrics), content, colors, active, false);
}

}  // namespace zq::filer
