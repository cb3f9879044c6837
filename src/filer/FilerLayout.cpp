#include "filer/FilerLayout.h"

#include <algorithm>

#include "filer/PaneThumbnails.h"

namespace zq::filer {

namespace {

constexpr int kHeaderLines = 5;
constexpr int kMinSideChars = 3;
// The thumbnail box is framed by 3 pixels on each side.
constexpr int kThumbnailFrame = 6;
// The network listing's type column ("<NETWORK>" and its gap).
constexpr int kNetworkTypeColumn = 10;

// ⌈value / unit⌉ + 1, the size of a thumbnail cell in characters or lines.
int ThumbnailCells(int pixels, int unit) {
    const int q = pixels / unit;
    return pixels % unit == 0 ? q + 1 : q + 2;
}

struct Grid {
    int cellWidth = 1;
    int cellHeight = 1;
    int nameWidth = 0;
    int extWidth = 0;
    bool rowMajor = false;
    bool singleColumn = false;
};

Grid DirectoryGrid(const FilerLayoutOptions& o, const FilerPaneLayoutInput& in, int paneChars, bool oneColumnOnly) {
    Grid g;
    g.extWidth = std::max(0, o.fileKindMaxLong);
    g.nameWidth = std::max(1, o.fileNameLong);
    if (o.autoFileNameWidth && in.longestStemCells > 0) g.nameWidth = in.longestStemCells;
    g.cellWidth = DirectoryCellWidth(g.nameWidth, g.extWidth, o.format);
    if (o.oneFileUseFullWidth && (oneColumnOnly || paneChars < 2 * g.cellWidth)) {
        const int fixed = g.cellWidth - g.nameWidth;
        g.nameWidth = std::max({std::max(1, o.fileNameLong), paneChars - fixed});
        g.cellWidth = fixed + g.nameWidth;
    }
    g.singleColumn = oneColumnOnly;
    return g;
}

Grid ThumbnailGrid(const FilerLayoutOptions& o, const FilerPaneLayoutInput& in, const FilerMetrics& m) {
    Grid g;
    g.rowMajor = true;
    g.cellWidth = ThumbnailCells(o.previewWidth + kThumbnailFrame, m.charWidth);
    g.cellHeight = ThumbnailCells(o.previewHeight + kThumbnailFrame, m.lineHeight);
    switch (in.thumbnailCellType) {
        case kThumbnailCellFitPicture:
            g.extWidth = std::max(0, o.fileKindMaxLong);
            g.nameWidth = std::max(0, o.previewWidth / m.charWidth - g.extWidth);
            break;
        case kThumbnailCellGivenWidth:
            g.nameWidth = std::max(0, o.previewFileNameLen);
            g.extWidth = std::max(0, o.previewFileKindLen);
            break;
        default: {
            // The Filer's own name and extension columns, without its other fields.
            const bool automatic = in.thumbnailCellType == kThumbnailCellAsFiler;
            g.extWidth = std::max(0, o.fileKindMaxLong);
            g.nameWidth = std::max(1, o.fileNameLong);
            if (automatic && o.autoFileNameWidth && in.longestStemCells > 0) g.nameWidth = in.longestStemCells;
            break;
        }
    }
    if (g.nameWidth + g.extWidth > 0) g.cellWidth = std::max(g.cellWidth, g.nameWidth + g.extWidth + 2);
    return g;
}

Grid NetworkGrid(const FilerLayoutOptions& o, const FilerPaneLayoutInput& in) {
    Grid g;
    g.nameWidth = std::max(1, o.netResourceLong);
    int width = g.nameWidth + 1;
    if (o.remoteProviderWrite) width += std::max(0, o.netResourceProvider) + 1;
    if (o.remoteCommentWrite && !in.networkTopLevel) width += std::max(0, o.netResourceComment) + 1;
    g.cellWidth = width + kNetworkTypeColumn + 1;
    return g;
}

void FillGrid(FilerPaneGeometry& p, const Grid& g, const FilerMetrics& m) {
    p.cellWidth = std::max(1, g.cellWidth);
    p.cellHeight = std::max(1, g.cellHeight);
    p.nameWidth = g.nameWidth;
    p.extWidth = g.extWidth;
    p.rowMajor = g.rowMajor;

    const int rows = std::max(1, (p.heightLines - 1) / p.cellHeight);
    p.rowsVisible = rows;
    p.rowsDrawn = rows;

    const int paneWidth = p.rect.right - p.rect.left;
    const int cellPixels = p.cellWidth * m.charWidth;
    if (g.singleColumn) {
        p.columnsVisible = 1;
        p.columnsDrawn = 1;
        return;
    }
    p.columnsVisible = std::max(1, paneWidth / cellPixels);
    int drawn = (paneWidth + cellPixels - 1) / cellPixels;
    // A column whose last character only just reaches the pane's edge is
    // still worth starting: one more column is drawn then, clipped.
    if (paneWidth >= (p.cellWidth * drawn - 1) * m.charWidth) ++drawn;
    p.columnsDrawn = std::max(1, drawn);
}

}  // namespace

int HeaderLines(int writeHeaderType) {
    return writeHeaderType != 0 ? kHeaderLines : 0;
}

int ClampStackedShift(int shift, int rowsUpper, int rowsLower) {
    if (shift < 0 && -shift >= rowsUpper) return std::min(0, 1 - rowsUpper);
    if (shift > 0 && shift >= rowsLower) return std::max(0, rowsLower - 1);
    return shift;
}

int ClampSideShift(int shift, int totalChars) {
    const int half = totalChars / 2;
    if (totalChars < 2 * kMinSideChars) return 0;
    const int border = std::clamp(half + shift, kMinSideChars, totalChars - kMinSideChars);
    return border - half;
}

int DirectoryCellWidth(int nameWidth, int extWidth, const FilerDisplayFormat& format) {
    return nameWidth + extWidth + 2 + FormatColumnsWidth(format) + 1;
}

FilerLayoutResult ComputeFilerLayout(const FilerMetrics& metrics, int clientWidth, int clientHeight,
                                     const FilerLayoutOptions& options,
                                     const std::array<FilerPaneLayoutInput, 2>& panes) {
    FilerLayoutResult r;
    r.metrics = metrics;
    r.headerLines = HeaderLines(options.writeHeaderType);
    r.upWindowAddLine = options.upWindowAddLine;
    const FilerMetrics& m = r.metrics;

    const int shownCount = (panes[0].shown ? 1 : 0) + (panes[1].shown ? 1 : 0);
    r.devideWay = options.windowDevideWay == 1 ? 1 : 0;
    if (shownCount == 1 && r.devideWay == 1 && options.enableSomeHFileOneScreen) r.devideWay = 0;
    if (shownCount == 0) return r;

    const int totalLines = std::max(0, clientHeight / m.lineHeight);
    const int areaLines = std::max(0, totalLines - r.headerLines);
    const int areaTop = r.headerLines * m.lineHeight;
    const int totalChars = std::max(0, clientWidth / m.charWidth);

    if (r.devideWay == 0) {
        const int base = areaLines / shownCount;
        int heights[2] = {base, base};
        if (shownCount == 2) {
            r.upWindowAddLine = ClampStackedShift(options.upWindowAddLine, base - 1, base - 1);
            heights[0] += r.upWindowAddLine;
            heights[1] -= r.upWindowAddLine;
        }
        int line = r.headerLines;
        for (int i = 0, slot = 0; i < 2; ++i) {
            FilerPaneGeometry& p = r.panes[i];
            if (!panes[i].shown) continue;
            p.shown = true;
            p.column = 0;
            p.line = line;
            p.heightLines = heights[slot++];
            p.widthChars = totalChars;
            p.rect = {0, line * m.lineHeight, clientWidth, (line + p.heightLines) * m.lineHeight};
            line += p.heightLines;
        }
    } else {
        int border = totalChars;
        if (shownCount == 2) {
            r.upWindowAddLine = ClampSideShift(options.upWindowAddLine, totalChars);
            border = totalChars / 2 + r.upWindowAddLine;
        }
        const int bottom = areaTop + areaLines * m.lineHeight;
        for (int i = 0; i < 2; ++i) {
            FilerPaneGeometry& p = r.panes[i];
            if (!panes[i].shown) continue;
            p.shown = true;
            p.line = r.headerLines;
            p.heightLines = areaLines;
            const bool leftSide = shownCount == 1 || i == 0;
            p.column = leftSide ? 0 : border;
            const int leftPx = p.column * m.charWidth;
            const int rightPx = (leftSide && shownCount == 2) ? border * m.charWidth : clientWidth;
            p.widthChars = leftSide && shownCount == 2 ? border : totalChars - p.column;
            p.rect = {leftPx, areaTop, rightPx, bottom};
        }
    }

    for (int i = 0; i < 2; ++i) {
        FilerPaneGeometry& p = r.panes[i];
        if (!p.shown) continue;
        const FilerPaneLayoutInput& in = panes[i];
        const bool sideBySide = r.devideWay == 1;
        Grid g;
        switch (in.content) {
            case FilerPaneContent::Directory:
                g = DirectoryGrid(options, in, p.widthChars, sideBySide);
                break;
            case FilerPaneContent::Thumbnails:
                g = ThumbnailGrid(options, in, m);
                break;
            case FilerPaneContent::SearchResults:
            case FilerPaneContent::DriveList:
                g.nameWidth = std::max(1, options.fileNameLong);
                g.extWidth = std::max(0, options.fileKindMaxLong);
                g.cellWidth = std::max(1, p.widthChars);
                g.singleColumn = true;
                break;
            case FilerPaneContent::Network:
                g = NetworkGrid(options, in);
                g.singleColumn = sideBySide;
                break;
        }
        FillGrid(p, g, m);
    }
    return r;
}

CellPosition CellPositionOf(const FilerPaneGeometry& pane, int relative) {
    if (relative < 0) relative = 0;
    if (pane.rowMajor) {
        const int cols = std::max(1, pane.columnsVisible);
        return {relative % cols, relative / cols};
    }
    const int rows = std::max(1, pane.rowsDrawn);
    return {relative / rows, relative % rows};
}

RECT CellRect(const FilerPaneGeometry& pane, const FilerMetrics& metrics, int relative) {
    const CellPosition pos = CellPositionOf(pane, relative);
    const int width = pane.cellWidth * metrics.charWidth;
    const int height = pane.cellHeight * metrics.lineHeight;
    const int left = pane.rect.left + pos.column * width;
    // The first line of a pane is its title line.
    const int top = pane.rect.top + metrics.lineHeight + pos.row * height;
    // A cell that starts inside the pane keeps its left and top edges, so that
    // the painter counts text columns from the cell's own start even when only
    // part of it is left; one wholly outside shrinks to nothing at the edge.
    const int paneRight = static_cast<int>(pane.rect.right);
    const int paneBottom = static_cast<int>(pane.rect.bottom);
    const int cellLeft = std::min(left, paneRight);
    const int cellTop = std::min(top, paneBottom);
    const RECT cell = {cellLeft, cellTop, std::max(cellLeft, std::min(left + width, paneRight)),
                       std::max(cellTop, std::min(top + height, paneBottom))};
    return cell;
}

RECT TitleRect(const FilerPaneGeometry& pane, const FilerMetrics& metrics) {
    return {pane.rect.left, pane.rect.top, pane.rect.right, pane.rect.top + metrics.lineHeight};
}

int CellsShown(const FilerPaneGeometry& pane) {
    return std::max(1, pane.columnsDrawn) * std::max(1, pane.rowsDrawn);
}

int PaneAt(const FilerLayoutResult& layout, POINT point) {
    for (int i = 0; i < 2; ++i) {
        const FilerPaneGeometry& pane = layout.panes[static_cast<size_t>(i)];
        if (pane.shown && ::PtInRect(&pane.rect, point)) return i;
    }
    return -1;
}

int CellAt(const FilerPaneGeometry& pane, const FilerMetrics& metrics, POINT point) {
    if (!pane.shown || !::PtInRect(&pane.rect, point)) return -1;
    const int width = std::max(1, pane.cellWidth * metrics.charWidth);
    const int height = std::max(1, pane.cellHeight * metrics.lineHeight);
    const int y = point.y - pane.rect.top - metrics.lineHeight;
    if (y < 0) return -1;
    const int column = (point.x - pane.rect.left) / width;
    const int row = y / height;
    if (pane.rowMajor) {
        const int columns = std::max(1, pane.columnsVisible);
        if (column >= columns || row >= std::max(1, pane.rowsDrawn)) return -1;
        return row * columns + column;
    }
    const int rows = std::max(1, pane.rowsDrawn);
    if (row >= rows || column >= std::max(1, pane.columnsDrawn)) return -1;
    return column * rows + row;
}

}  // namespace zq::filer
