#include <gtest/gtest.h>

#include "filer/FilerCellGrid.h"
#include "filer/FilerLayoutRedraw.h"
#include "filer/FilerLayoutTestEntry.h"

using namespace zq::filer;
using zq::filer::test::MakeEntry;

namespace {

const FilerMetrics kMetrics{16, 8};

// Two columns of three rows, cells 40 characters wide, at (0, 0).
FilerPaneGeometry SmallPane() {
    FilerPaneGeometry p;
    p.shown = true;
    p.rect = {0, 0, 640, 64};
    p.heightLines = 4;
    p.rowsDrawn = 3;
    p.rowsVisible = 3;
    p.columnsDrawn = 2;
    p.columnsVisible = 2;
    p.cellWidth = 40;
    p.nameWidth = 20;
    p.extWidth = 5;
    return p;
}

// A listing of ten files; what the view hands the cell builder.
struct Listing {
    std::vector<WIN32_FIND_DATAW> entries;
    std::vector<int> order;
    std::vector<uint32_t> marks;
    int firstShown = 0;
    int cursor = 0;

    Listing() {
        for (int i = 0; i < 10; ++i) {
            const std::wstring name = L"file" + std::to_wstring(i) + L".txt";
            entries.push_back(MakeEntry(name.c_str(), FILE_ATTRIBUTE_ARCHIVE, 100 + i));
            order.push_back(i);
            marks.push_back(0);
        }
    }
    [[nodiscard]] std::vector<PaintCell> Cells() const {
        FilerPaneCellsInput in;
        in.entries = entries;
        in.order = order;
        in.marks = marks;
        in.entryCount = static_cast<int>(entries.size());
        in.firstShown = firstShown;
        in.cursor = cursor;
        FilerCellOptions options;
        options.format.size = true;
        return BuildPaneCells(SmallPane(), kMetrics, in, options, FilerColors(), KindColorTable());
    }
};

}  // namespace

TEST(FilerLayoutRedraw, OnlyTheCellsThatLookDifferentArePaintedAgain) {
    struct Case {
        const char* what;
        void (*change)(Listing&);
        bool all;
        std::vector<size_t> cells;
    };
    const Case cases[] = {
        {"nothing", [](Listing&) {}, false, {}},
        {"cursor one down", [](Listing& l) { l.cursor = 1; }, false, {0, 1}},
        {"cursor to the next column", [](Listing& l) { l.cursor = 4; }, false, {0, 4}},
        // A read with result 2: entry 2 grew; entry 8 changed but is not shown.
        {"changed entries",
         [](Listing& l) {
             l.entries[2].nFileSizeLow = 999;
             l.entries[8].nFileSizeLow = 999;
         },
         false,
         {2}},
        // Only the time of last access changed: the cell looks the same.
        {"invisible change", [](Listing& l) { l.entries[3].ftLastAccessTime.dwLowDateTime ^= 1; }, false, {}},
        {"mark", [](Listing& l) { l.marks[5] = 1; }, false, {5}},
        // Scrolling by one shows other entries in every cell.
        {"scroll", [](Listing& l) { l.firstShown = 1, l.cursor = 1; }, false, {0, 1, 2, 3, 4, 5}},
        // Scrolled to the end: fewer cells than before, so the pane is cleared.
        {"fewer cells", [](Listing& l) { l.firstShown = 6, l.cursor = 6; }, true, {}},
        {"entry gone",
         [](Listing& l) {
             l.entries.resize(5);
             l.order.resize(5);
         },
         true,
         {}},
    };
    for (const auto& c : cases) {
        Listing listing;
        const std::vector<PaintCell> painted = listing.Cells();
        ASSERT_EQ(painted.size(), 6u);
        c.change(listing);
        const CellRepaint r = CellsToRepaint(painted, listing.Cells());
        EXPECT_EQ(r.all, c.all) << c.what;
        EXPECT_EQ(r.cells, c.cells) << c.what;
    }
}

TEST(FilerLayoutRedraw, CellsInOtherPlacesMeanAWholePane) {
    Listing listing;
    const std::vector<PaintCell> painted = listing.Cells();
    std::vector<PaintCell> moved = painted;
    OffsetRect(&moved[3].rect, 8, 0);
    EXPECT_TRUE(CellsToRepaint(painted, moved).all);
    EXPECT_TRUE(CellsToRepaint({}, painted).all);
    EXPECT_FALSE(CellsToRepaint({}, {}).all);
}

TEST(FilerLayoutRedraw, LayoutsCompareByPlaceAndGrid) {
    FilerLayoutResult a;
    a.metrics = kMetrics;
    a.headerLines = 5;
    a.panes[0] = SmallPane();
    FilerLayoutResult b = a;
    EXPECT_TRUE(SameLayout(a, b));
    b.upWindowAddLine = 3;  // a setting, not a place
    EXPECT_TRUE(SameLayout(a, b));

    void (*const changes[])(FilerLayoutResult&) = {
        [](FilerLayoutResult& r) { r.metrics.lineHeight = 17; },
        [](FilerLayoutResult& r) { r.headerLines = 0; },
        [](FilerLayoutResult& r) { r.panes[1].shown = true; },
        [](FilerLayoutResult& r) { r.panes[0].rect.bottom += 16; },
        [](FilerLayoutResult& r) { r.panes[0].cellWidth = 41; },
        [](FilerLayoutResult& r) { r.panes[0].rowsDrawn = 2; },
    };
    for (size_t i = 0; i < std::size(changes); ++i) {
        FilerLayoutResult c = a;
        changes[i](c);
        EXPECT_FALSE(SameLayout(a, c)) << i;
    }
}
