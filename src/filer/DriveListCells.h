#pragma once
// What the drive list and a not-ready pane look like, cell by cell: the drive
// name in INTRO_VOLUME_COLOR, its text in INFORMATION_COLOR, and a drive that
// did not answer in ALARM_COLOR.
#include <span>
#include <vector>

#include "filer/DriveList.h"
#include "filer/FilerCellPainter.h"
#include "filer/FilerColor.h"
#include "filer/FilerLayout.h"

namespace zq::filer {

// Column of a line's text, counted from the cell's left edge.
inline constexpr int kDriveTextColumn = 4;

struct DriveListCellsInput {
    std::span<const DriveListLine> lines;
    int firstShown = 0;
    int cursor = 0;
    bool showCursor = true;
};

[[nodiscard]] std::vector<PaintCell> BuildDriveListCells(const FilerPaneGeometry& pane, const FilerMetrics& metrics,
                                                         const DriveListCellsInput& input, const FilerColors& colors);

// "NOT READY" on a pane's first line: on the active pane in BACK_GROUND_COLOR
// on an ALARM_COLOR field, on the other in ALARM_COLOR on the background.
[[nodiscard]] PaintCell BuildNotReadyCell(const FilerPaneGeometry& pane, const FilerMetrics& metrics, bool active,
                                          const FilerColors& colors);

}  // namespace zq::filer
