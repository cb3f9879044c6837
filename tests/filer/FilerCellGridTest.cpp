#include <gtest/gtest.h>

#include "filer/FilerCellGrid.h"
#include "filer/FilerLayoutTestEntry.h"

using namespace zq::filer;
using zq::filer::test::MakeEntry;
using zq::filer::test::UtcTime;

namespace {

const FilerMetrics kMetrics{16, 8};

// Two columns of two rows below the title line.
FilerPaneGeometry Pane() {
    FilerPaneGeometry p;
    p.shown = true;
    p.rect = {0, 0, 320, 48};
    p.rowsDrawn = p.rowsVisible = 2;
    p.columnsDrawn = p.columnsVisible = 2;
    p.cellWidth = 20;
    p.nameWidth = 12;
    p.extWidth = 3;
    return p;
}

}  // namespace

TEST(FilerCellGrid, ShownEntriesWithMarksAndCursor) {
    const WIN32_FIND_DATAW entries[] = {MakeEntry(L"..", FILE_ATTRIBUTE_DIRECTORY),
                                        MakeEntry(L"b.txt"),
                                        MakeEntry(L"a.txt"),
                                        MakeEntry(L"c.txt"),
                                        MakeEntry(L"d.txt"),
                                        MakeEntry(L"e.txt")};
    const int order[] = {0, 2, 1, 3, 4, 5};
    const uint32_t marks[] = {0, 1, 0, 0, 0, 1};
    FilerPaneCellsInput in;
    in.entries = entries;
    in.order = order;
    in.marks = marks;
    in.entryCount = 6;
    in.cursor = 1;
    FilerCellOptions options;
    options.toLocal = UtcTime;
    const FilerColors colors;

    struct Case {
        int firstShown;
        std::vector<int> positions;  // requested
        std::vector<std::wstring> stems;
        std::vector<bool> reversed;
        std::vector<bool> underlined;
    };
    const Case cases[] = {
        {0, {}, {L"..", L"a", L"b", L"c"}, {false, false, true, false}, {false, true, false, false}},
        {2, {}, {L"b", L"c", L"d", L"e"}, {true, false, false, true}, {false, false, false, false}},
        {0, {1, 5, 2}, {L"a", L"b"}, {false, true}, {true, false}},  // position 5 is not shown
    };
    for (const auto& c : cases) {
        in.firstShown = c.firstShown;
        const auto cells = BuildPaneCells(Pane(), kMetrics, in, options, colors, KindColorTable(), c.positions);
        ASSERT_EQ(cells.size(), c.stems.size()) << c.firstShown;
        for (size_t i = 0; i < cells.size(); ++i) {
            EXPECT_EQ(cells[i].runs.front().text, c.stems[i]);
            EXPECT_EQ(cells[i].reverse, c.reversed[i]) << c.stems[i];
            EXPECT_EQ(cells[i].underline, c.underlined[i]) << c.stems[i];
        }
    }
    // The extension sits at the pane's name width, not at the options' one.
    in.firstShown = 0;
    options.nameWidth = 99;
    const auto cells = BuildPaneCells(Pane(), kMetrics, in, options, colors, KindColorTable());
    ASSERT_EQ(cells[1].runs.size(), 2u);
    EXPECT_EQ(cells[1].runs[1].column, 12);
    // Column-major: position 3 is the second row of the second column.
    EXPECT_EQ(cells[3].rect.left, 160);
    EXPECT_EQ(cells[3].rect.top, 32);
}

TEST(FilerCellGrid, TitleIsShortenedToThePane) {
    const FilerColors colors;
    const PaintCell title =
        BuildTitleCell(Pane(), kMetrics, L"C:\\a\\very\\long\\directory\\name\\below\\the\\root", true, colors);
    ASSERT_EQ(title.runs.size(), 1u);
    EXPECT_EQ(title.runs[0].text, L"C:\\a\\very\\long\\directory\\name\\below\\t...");  // 40 cells
    EXPECT_TRUE(title.reverse);
    EXPECT_EQ(title.rect.bottom, 16);
}
