#include <gtest/gtest.h>

#include "filer/FilerLayout.h"

using namespace zq::filer;

namespace {

const FilerMetrics kMetrics{16, 8};

std::array<FilerPaneLayoutInput, 2> TwoDirectoryPanes() {
    return {FilerPaneLayoutInput{}, FilerPaneLayoutInput{}};
}

FilerDisplayFormat AllColumns() {
    return {true, true, false, true, true};
}

}  // namespace

TEST(FilerLayout, StackedShiftIsClampedSoEachPaneKeepsOneRow) {
    // 27 lines: 5 header lines and 22 for the panes, 11 each, so 10 rows each.
    struct Case {
        int shift;
        int stored;
        int upperRows;
        int lowerRows;
    };
    const Case cases[] = {
        {-100, -9, 1, 19}, {-10, -9, 1, 19}, {-9, -9, 1, 19}, {-3, -3, 7, 13},
        {0, 0, 10, 10},    {4, 4, 14, 6},    {10, 9, 19, 1},  {100, 9, 19, 1},
    };
    for (const auto& c : cases) {
        FilerLayoutOptions o;
        o.upWindowAddLine = c.shift;
        const FilerLayoutResult r = ComputeFilerLayout(kMetrics, 800, 27 * 16, o, TwoDirectoryPanes());
        EXPECT_EQ(r.upWindowAddLine, c.stored) << c.shift;
        EXPECT_EQ(r.panes[0].rowsVisible, c.upperRows) << c.shift;
        EXPECT_EQ(r.panes[1].rowsVisible, c.lowerRows) << c.shift;
        EXPECT_EQ(r.panes[0].line, 5);
        EXPECT_EQ(r.panes[1].line, 5 + r.panes[0].heightLines) << c.shift;
        EXPECT_EQ(r.panes[1].rect.top, r.panes[0].rect.bottom) << c.shift;
    }
}

TEST(FilerLayout, SideBySideBorderKeepsThreeCharactersEachSide) {
    struct Case {
        int shift;
        int stored;
        int leftChars;
    };
    // 800 pixels of 8 are 100 characters; the border is at 50 + shift.
    const Case cases[] = {{0, 0, 50}, {-47, -47, 3}, {-60, -47, 3}, {47, 47, 97}, {60, 47, 97}, {-10, -10, 40}};
    for (const auto& c : cases) {
        FilerLayoutOptions o;
        o.windowDevideWay = 1;
        o.upWindowAddLine = c.shift;
        const FilerLayoutResult r = ComputeFilerLayout(kMetrics, 800, 27 * 16, o, TwoDirectoryPanes());
        EXPECT_EQ(r.devideWay, 1);
        EXPECT_EQ(r.upWindowAddLine, c.stored) << c.shift;
        EXPECT_EQ(r.panes[0].widthChars, c.leftChars) << c.shift;
        EXPECT_EQ(r.panes[1].column, c.leftChars) << c.shift;
        EXPECT_EQ(r.panes[1].widthChars, 100 - c.leftChars) << c.shift;
        EXPECT_EQ(r.panes[0].rect.right, r.panes[1].rect.left);
        // Side by side each pane shows a single column of cells.
        EXPECT_EQ(r.panes[0].columnsDrawn, 1);
        EXPECT_EQ(r.panes[1].columnsVisible, 1);
        EXPECT_EQ(r.panes[0].rowsVisible, 21);
    }
}

TEST(FilerLayout, SinglePaneSplitAndHeader) {
    struct Case {
        int way;
        bool someH;
        int header;
        int expectedWay;
        int expectedHeaderLines;
    };
    const Case cases[] = {
        {1, true, 1, 0, 5},
        {1, false, 1, 1, 5},
        {0, false, 0, 0, 0},
        {0, true, 2, 0, 5},
    };
    for (const auto& c : cases) {
        FilerLayoutOptions o;
        o.windowDevideWay = c.way;
        o.enableSomeHFileOneScreen = c.someH;
        o.writeHeaderType = c.header;
        o.upWindowAddLine = 7;  // ignored with one pane and kept as it is
        std::array<FilerPaneLayoutInput, 2> panes = TwoDirectoryPanes();
        panes[1].shown = false;
        const FilerLayoutResult r = ComputeFilerLayout(kMetrics, 800, 27 * 16, o, panes);
        EXPECT_EQ(r.devideWay, c.expectedWay);
        EXPECT_EQ(r.headerLines, c.expectedHeaderLines);
        EXPECT_EQ(r.upWindowAddLine, 7);
        EXPECT_FALSE(r.panes[1].shown);
        EXPECT_EQ(r.panes[0].heightLines, 27 - c.expectedHeaderLines);
        EXPECT_EQ(r.panes[0].rowsVisible, 26 - c.expectedHeaderLines);
        EXPECT_EQ(r.panes[0].widthChars, 100);
    }
}

TEST(FilerLayout, DirectoryCellWidthPerFormat) {
    struct Case {
        FilerDisplayFormat format;
        int width;
    };
    const Case cases[] = {
        {{true, true, false, true, true}, 66},  // 20 + 3 + 2 + 11 + 9 + 15 + 5 + 1
        {{true, true, true, true, true}, 63},   // seconds hidden: time adds 6
        {{false, false, false, false, false}, 26}, {{true, false, false, false, false}, 37},
        {{false, true, false, false, false}, 35},  {{false, true, true, false, false}, 32},
        {{false, false, true, false, false}, 26},  // no time column, nothing to cut
        {{false, false, false, true, false}, 41},  {{false, false, false, false, true}, 31},
    };
    for (const auto& c : cases) EXPECT_EQ(DirectoryCellWidth(20, 3, c.format), c.width);
}

TEST(FilerLayout, ColumnsVisibleAndDrawn) {
    // A 66-character cell is 528 pixels wide.
    struct Case {
        int clientWidth;
        int visible;
        int drawn;
    };
    const Case cases[] = {
        {400, 1, 1},   // narrower than one cell: one column, partly shown
        {1000, 1, 2},  // one full column and a partial one
        {1100, 2, 3},  // two full and a partial one
        {1590, 3, 4},  // the third column ends 6 pixels short of the edge
    };
    for (const auto& c : cases) {
        FilerLayoutOptions o;
        o.fileNameLong = 20;
        o.fileKindMaxLong = 3;
        o.format = AllColumns();
        const FilerLayoutResult r = ComputeFilerLayout(kMetrics, c.clientWidth, 27 * 16, o, TwoDirectoryPanes());
        EXPECT_EQ(r.panes[0].cellWidth, 66);
        EXPECT_EQ(r.panes[0].columnsVisible, c.visible) << c.clientWidth;
        EXPECT_EQ(r.panes[0].columnsDrawn, c.drawn) << c.clientWidth;
    }
}

TEST(FilerLayout, NameWidthFromListingOrPane) {
    struct Case {
        bool autoWidth;
        bool fullWidth;
        int longestStem;
        int clientWidth;
        int nameWidth;
    };
    const Case cases[] = {
        {false, false, 40, 800, 20}, {true, false, 40, 800, 40},
        {true, false, 7, 800, 7},    {true, false, 0, 800, 20},  // empty listing: the set width
        {false, true, 0, 400, 44},                               // 50 characters, 6 of them not the name
        {false, true, 0, 800, 20},                               // two columns fit: nothing grows
        {false, true, 0, 160, 20},                               // never below FILENAMELONG
        {true, true, 30, 400, 44},   {true, true, 5, 160, 20},
    };
    for (const auto& c : cases) {
        FilerLayoutOptions o;
        o.fileNameLong = 20;
        o.fileKindMaxLong = 3;
        o.autoFileNameWidth = c.autoWidth;
        o.oneFileUseFullWidth = c.fullWidth;
        auto panes = TwoDirectoryPanes();
        panes[0].longestStemCells = c.longestStem;
        const FilerLayoutResult r = ComputeFilerLayout(kMetrics, c.clientWidth, 27 * 16, o, panes);
        EXPECT_EQ(r.panes[0].nameWidth, c.nameWidth) << c.autoWidth << c.fullWidth << c.longestStem << c.clientWidth;
        EXPECT_EQ(r.panes[0].cellWidth, c.nameWidth + 6);
    }
}

TEST(FilerLayout, ThumbnailCells) {
    struct Case {
        int previewWidth;
        int previewHeight;
        int fileName;
        int cellWidth;
        int cellHeight;
        int nameWidth;
        int extWidth;
    };
    const Case cases[] = {
        // The Filer's columns: FILENAMELONG 8 (the longest stem, 12, only with the automatic width) and 3.
        {100, 100, 0, 17, 8, 12, 3},  // 106 / 8 = 13 r 2 -> 15, widened to 12 + 3 + 2
        {98, 90, 1, 14, 7, 8, 3},     // 104 / 8 = 13 exactly -> 14; 96 / 16 = 6 exactly -> 7
        {100, 100, 2, 15, 8, 9, 3},   // 100 / 8 - 3
        {100, 100, 3, 27, 8, 20, 5},  // the cell grows to name + extension + 2
    };
    for (const auto& c : cases) {
        FilerLayoutOptions o;
        o.fileKindMaxLong = 3;
        o.fileNameLong = 8;
        o.autoFileNameWidth = true;
        o.previewWidth = c.previewWidth;
        o.previewHeight = c.previewHeight;
        auto panes = TwoDirectoryPanes();
        panes[0].content = FilerPaneContent::Thumbnails;
        panes[0].thumbnailCellType = c.fileName;
        panes[0].longestStemCells = 12;
        const FilerLayoutResult r = ComputeFilerLayout(kMetrics, 800, 27 * 16, o, panes);
        const FilerPaneGeometry& p = r.panes[0];
        EXPECT_EQ(p.cellWidth, c.cellWidth) << c.previewWidth << L"," << c.fileName;
        EXPECT_EQ(p.cellHeight, c.cellHeight) << c.previewHeight;
        EXPECT_EQ(p.nameWidth, c.nameWidth) << c.fileName;
        EXPECT_EQ(p.extWidth, c.extWidth) << c.fileName;
        EXPECT_TRUE(p.rowMajor);
        EXPECT_EQ(p.rowsVisible, 10 / c.cellHeight);
        EXPECT_EQ(p.columnsVisible, 100 / c.cellWidth);
    }
}

TEST(FilerLayout, NetworkAndSingleColumnListings) {
    FilerLayoutOptions o;
    o.remoteProviderWrite = true;
    o.remoteCommentWrite = true;
    auto panes = TwoDirectoryPanes();
    panes[0].content = FilerPaneContent::Network;
    panes[1].content = FilerPaneContent::Network;
    panes[1].networkTopLevel = true;
    FilerLayoutResult r = ComputeFilerLayout(kMetrics, 800, 27 * 16, o, panes);
    EXPECT_EQ(r.panes[0].cellWidth, 21 + 31 + 31 + 10 + 1);
    EXPECT_EQ(r.panes[1].cellWidth, 21 + 31 + 10 + 1);

    panes[0].content = FilerPaneContent::DriveList;
    panes[1].content = FilerPaneContent::SearchResults;
    r = ComputeFilerLayout(kMetrics, 1600, 27 * 16, o, panes);
    for (const auto& p : r.panes) {
        EXPECT_EQ(p.cellWidth, 200);
        EXPECT_EQ(p.columnsDrawn, 1);
        EXPECT_EQ(p.columnsVisible, 1);
    }
}

TEST(FilerLayout, CellsFillColumnByColumnOrRowByRow) {
    FilerPaneGeometry p;
    p.rect = {100, 80, 900, 400};
    p.rowsDrawn = 4;
    p.columnsVisible = 3;
    p.cellWidth = 10;
    struct Case {
        bool rowMajor;
        int relative;
        int column;
        int row;
    };
    const Case cases[] = {{false, 0, 0, 0}, {false, 3, 0, 3}, {false, 4, 1, 0}, {false, 9, 2, 1},
                          {true, 2, 2, 0},  {true, 3, 0, 1},  {true, 7, 1, 2}};
    for (const auto& c : cases) {
        p.rowMajor = c.rowMajor;
        const CellPosition pos = CellPositionOf(p, c.relative);
        EXPECT_EQ(pos.column, c.column) << c.rowMajor << L"," << c.relative;
        EXPECT_EQ(pos.row, c.row) << c.rowMajor << L"," << c.relative;
    }
    p.rowMajor = false;
    const RECT cell = CellRect(p, kMetrics, 5);  // column 1, row 1
    EXPECT_EQ(cell.left, 100 + 80);
    EXPECT_EQ(cell.top, 80 + 16 + 16);  // below the title line
    EXPECT_EQ(cell.right - cell.left, 80);
    EXPECT_EQ(cell.bottom - cell.top, 16);
}

TEST(FilerLayout, RowsFollowTheFullLineAndHoldTheLowLine) {
    // Fonts as GetTextMetricsW and the low line's outline report them.
    struct Case {
        FontMetricsInput font;
        int add;
        int lineHeight;
    };
    const Case cases[] = {
        {{17, 0, 8, 16, 1}, 0, 17},  // IPA Gothic at -16 under Wine
        {{16, 2, 8, 15, 1}, 0, 18},  // external leading belongs to the line
        {{20, 0, 10, 19, 2}, 3, 23},
        {{17, 0, 8, 16, 1}, -3, 14},  // a squeezed line still holds the low line
    };
    for (const auto& c : cases) {
        const FilerMetrics m = ComputeFilerMetrics(c.font, c.add);
        ASSERT_EQ(m.lineHeight, c.lineHeight);
        const FilerLayoutResult r = ComputeFilerLayout(m, 800, 30 * m.lineHeight, FilerLayoutOptions{},
                                                       {FilerPaneLayoutInput{}, FilerPaneLayoutInput{false}});
        const FilerPaneGeometry& p = r.panes[0];
        ASSERT_TRUE(p.shown);
        EXPECT_EQ(p.rowsDrawn, 30 - 5 - 1) << c.lineHeight;
        for (int row = 0; row + 1 < p.rowsDrawn; ++row) {
            const RECT cell = CellRect(p, m, row);
            EXPECT_EQ(cell.bottom - cell.top, m.lineHeight);
            EXPECT_EQ(cell.bottom, CellRect(p, m, row + 1).top) << row;
            EXPECT_LE(cell.top + m.underscoreTop + m.underscoreHeight, cell.bottom) << row;
        }
        // The last row ends with the pane.
        EXPECT_EQ(CellRect(p, m, p.rowsDrawn - 1).bottom, p.rect.bottom) << c.lineHeight;
    }
}

TEST(FilerLayout, NoCellCrossesItsPaneAndClicksFindTheCellsAgain) {
    // Small windows, both splits, a border pushed to either side, and cells
    // wider than a pane (all columns, a long name): whatever is drawn of a
    // pane stays inside its rectangle, and the panes never overlap.
    struct Case {
        int width;
        int height;
        int way;
        int shift;
        FilerPaneContent content;
    };
    const Case cases[] = {
        {480, 360, 0, 0, FilerPaneContent::Directory},   {480, 360, 1, 0, FilerPaneContent::Directory},
        {480, 360, 1, -20, FilerPaneContent::Directory}, {480, 360, 1, 20, FilerPaneContent::Directory},
        {483, 365, 0, 3, FilerPaneContent::Directory},   {1100, 700, 0, 0, FilerPaneContent::Directory},
        {480, 360, 1, 0, FilerPaneContent::Thumbnails},  {480, 360, 0, 0, FilerPaneContent::Network},
        {200, 150, 1, 0, FilerPaneContent::Directory},
    };
    const FilerMetrics m{16, 8};
    for (const Case& c : cases) {
        FilerLayoutOptions o;
        o.windowDevideWay = c.way;
        o.upWindowAddLine = c.shift;
        o.fileNameLong = 30;
        o.format = AllColumns();
        std::array<FilerPaneLayoutInput, 2> panes = TwoDirectoryPanes();
        for (auto& p : panes) p.content = c.content;
        const FilerLayoutResult r = ComputeFilerLayout(m, c.width, c.height, o, panes);
        RECT overlap{};
        EXPECT_FALSE(::IntersectRect(&overlap, &r.panes[0].rect, &r.panes[1].rect)) << c.width << "x" << c.way;
        for (size_t i = 0; i < 2; ++i) {
            const FilerPaneGeometry& p = r.panes[i];
            ASSERT_TRUE(p.shown);
            for (int relative = 0; relative < CellsShown(p); ++relative) {
                const RECT cell = CellRect(p, m, relative);
                SCOPED_TRACE(testing::Message() << c.width << "x" << c.height << " way " << c.way << " pane " << i
                                                << " cell " << relative);
                EXPECT_GE(cell.left, p.rect.left);
                EXPECT_GE(cell.top, p.rect.top);
                EXPECT_LE(cell.right, p.rect.right);
                EXPECT_LE(cell.bottom, p.rect.bottom);
                // A click inside what is left of a cell finds that cell.
                if (cell.right > cell.left && cell.bottom > cell.top) {
                    const POINT inside = {(cell.left + cell.right) / 2, (cell.top + cell.bottom) / 2};
                    EXPECT_EQ(PaneAt(r, inside), static_cast<int>(i));
                    EXPECT_EQ(CellAt(p, m, inside), relative);
                }
            }
            // The title line is no cell; neither is anything outside the pane.
            EXPECT_EQ(CellAt(p, m, {p.rect.left + 1, p.rect.top + 1}), -1);
            EXPECT_EQ(CellAt(p, m, {p.rect.right, p.rect.top + m.lineHeight + 1}), -1);
        }
        EXPECT_EQ(PaneAt(r, {1, 1}), -1);  // the header
    }
}
