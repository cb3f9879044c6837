#include "filer/DriveListCells.h"

#include "filer/FilerLayoutRedraw.h"

namespace zq::filer {

std::vector<PaintCell> BuildDriveListCells(const FilerPaneGeometry& pane, const FilerMetrics& metrics,
                                           const DriveListCellsInput& input, const FilerColors& colors) {
    std::vector<PaintCell> cells;
    const int count = static_cast<int>(input.lines.size());
    for (int p = std::max(0, input.firstShown); p < count; ++p) {
        if (!IsShown(pane, p, input.firstShown, count)) break;
        const DriveListLine& line = input.lines[static_cast<size_t>(p)];
        FilerCellContent content;
        content.entryColor = colors[FilerColorId::IntroVolume];
        content.runs.push_back({0, line.name, colors[FilerColorId::IntroVolume]});
        if (!line.text.empty()) {
            // A long UNC name pushes the text along rather than being overwritten by it.
            const int column = std::max<int>(kDriveTextColumn, static_cast<int>(line.name.size()) + 1);
            content.runs.push_back(
                {column, line.text, colors[line.notReady ? FilerColorId::Alarm : FilerColorId::Information]});
        }
        cells.push_back(MakePaintCell(CellRect(pane, metrics, p - input.firstShown), content, colors, false,
                                      input.showCursor && p == input.cursor));
    }
    return cells;
}

PaintCell BuildNotReadyCell(const FilerPaneGeometry& pane, const FilerMetrics& metrics, bool active,
                            const FilerColors& colors) {
    FilerCellContent content;
    const COLORREF text = active ? colors[FilerColorId::BackGround] : colors[FilerColorId::Alarm];
    content.entryColor = text;
    content.runs.push_back({0, kNotReadyText, text});
    PaintCell cell = MakePaintCell(CellRect(pane, metrics, 0), content, colors, false, false);
    if (active) {
        cell.background = colors[FilerColorId::Alarm];
        // The field is as wide as the words, not the whole cell.
        cell.rect.right = std::min<LONG>(cell.rect.right, cell.rect.left + 9 * metrics.charWidth);
    }
    return cell;
}

}  // namespace zq::filer
