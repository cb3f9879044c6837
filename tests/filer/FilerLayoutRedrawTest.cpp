#include <gtest/gtest.h>

#include "filer/FilerLayoutRedraw.h"

using namespace zq::filer;

namespace {

const FilerMetrics kMetrics{16, 8};

// Two columns of three rows, cells 10 characters wide, at (0, 0).
FilerPaneGeometry SmallPane() {
    FilerPaneGeometry p;
    p.shown = true;
    p.rect = {0, 0, 160, 64};
    p.rowsDrawn = 3;
    p.rowsVisible = 3;
    p.columnsDrawn = 2;
    p.columnsVisible = 2;
    p.cellWidth = 10;
    return p;
}

std::vector<int> Positions(const std::vector<RedrawCell>& cells) {
    std::vector<int> out;
    for (const auto& c : cells) out.push_back(c.displayPosition);
    return out;
}

}  // namespace

TEST(FilerLayoutRedraw, ReadResultSelectsTheRedraw) {
    EXPECT_EQ(RedrawAfterRead(0), PaneRedraw::None);
    EXPECT_EQ(RedrawAfterRead(1), PaneRedraw::Full);
    EXPECT_EQ(RedrawAfterRead(2), PaneRedraw::Changed);
}

TEST(FilerLayoutRedraw, OnlyShownChangedEntriesAreRedrawn) {
    // Display order reversed: position p shows entry 9 - p.
    const std::vector<int> order = {9, 8, 7, 6, 5, 4, 3, 2, 1, 0};
    std::vector<unsigned char> changed(10, 0);
    changed[9] = 1;  // position 0
    changed[5] = 1;  // position 4
    changed[0] = 1;  // position 9: beyond the six shown cells when the first shown is 0
    struct Case {
        int firstShown;
        int count;
        std::vector<int> positions;
    };
    const Case cases[] = {
        {0, 10, {0, 4}},
        {3, 10, {4}},
        {6, 10, {9}},
        {0, 4, {0}},  // entries past the count are never drawn
    };
    for (const auto& c : cases)
        EXPECT_EQ(Positions(ChangedCells(SmallPane(), kMetrics, order, changed, c.firstShown, c.count)), c.positions)
            << c.firstShown;

    const auto cells = ChangedCells(SmallPane(), kMetrics, order, changed, 0, 10);
    ASSERT_EQ(cells.size(), 2u);
    // Position 4 is column 1, row 1; the title line comes first.
    EXPECT_EQ(cells[1].rect.left, 80);
    EXPECT_EQ(cells[1].rect.top, 32);
    EXPECT_EQ(cells[1].rect.right, 160);
}

TEST(FilerLayoutRedraw, CursorMoveRedrawsTwoCellsOrThePane) {
    struct Case {
        int oldCursor;
        int newCursor;
        int oldFirst;
        int newFirst;
        bool full;
        std::vector<int> positions;
    };
    const Case cases[] = {
        {0, 1, 0, 0, false, {0, 1}},
        {2, 2, 0, 0, false, {2}},
        {5, 6, 0, 3, true, {}},
        {4, 3, 3, 3, false, {4, 3}},
        {1, 0, 0, 0, false, {1, 0}},
    };
    for (const auto& c : cases) {
        const CursorRedraw r = CursorMoveRedraw(SmallPane(), kMetrics, c.oldCursor, c.newCursor, c.oldFirst,
                                                c.newFirst, 10);
        EXPECT_EQ(r.full, c.full);
        EXPECT_EQ(Positions(r.cells), c.positions);
    }
}
