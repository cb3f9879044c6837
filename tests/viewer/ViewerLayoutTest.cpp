// What a Viewer row shows: cells of tabs, two-byte characters, the margin,
// the selection and the line-end mark; the status line; the dump.
#include <gtest/gtest.h>

#include "IndexedText.h"
#include "viewer/ViewerLayout.h"

namespace zq::viewer {
namespace {

const ViewerColors kColors;

// The row as cells ('|' the line-end mark) and, below, '#' for every inverted cell.
std::string Cells(const ViewerRow& row, bool inverted = false) {
    std::string out;
    for (const ViewerRun& run : row) {
        const int cells = RunCells(run);
        if (out.size() < static_cast<size_t>(run.column + cells)) out.resize(run.column + cells, ' ');
        const std::string shown = run.wide.empty() ? run.bytes : std::string(cells, '|');
        for (int i = 0; i < cells; ++i)
            out[run.column + i] = inverted ? (run.back == kColors.text ? '#' : '.') : shown[i];
    }
    return out;
}

TEST(ViewerLayout, TabsWideCharactersMarginSelectionAndMark) {
    struct Case {
        std::string line;
        int tab;
        bool numbers;
        std::int64_t from, to;
        std::string cells, inverted;
    };
    const Case cases[] = {
        {"abc\tZ\r\n", 4, false, 0, 0, "abc Z|", "......"},          // a tab at column 3 is one space
        {"abcd\tZ\n", 4, false, 0, 0, "abcd    Z|", ".........."},   // at column 4 four
        {"\tZ", 8, false, 0, 0, "        Z", "........."},           // wrapped: no mark
        {"ab\tZ\n", 4, true, 0, 0, "00007 ab  Z|", "............"},  // tab stops ignore the margin
        {"a\tb\n", 4, false, 1, 3, "a   b|", ".####."},              // the tab's cells are selected whole
        {"a\tb\n", 4, false, 3, 4, "a   b|", ".....#"},              // the line end inside the selection
        {"\x82\xA0x\n", 8, false, 0, 2, "\x82\xA0x|", "##.."},
    };
    for (const Case& c : cases) {
        TextRowInput in{c.line, 7, c.tab, c.numbers, c.from, c.to, L"|"};
        const ViewerRow row = LayoutTextRow(in, kColors);
        EXPECT_EQ(Cells(row), c.cells) << c.line;
        EXPECT_EQ(Cells(row, true), c.inverted) << c.line;
    }
}

TEST(ViewerLayout, ALineCutOneColumnShortShowsNoMarkAndTheCharacterNextRow) {
    const IndexedText t("xxxxx\x82\xA0yy\n", 6);
    ASSERT_EQ(t.View().lineCount, 2);
    EXPECT_EQ(Cells(LayoutTextRow({t.View().Line(0), 0, 8, false, 0, 0, L"|"}, kColors)), "xxxxx");
    EXPECT_EQ(Cells(LayoutTextRow({t.View().Line(1), 1, 8, false, 0, 0, L"|"}, kColors)), "\x82\xA0yy|");
}

TEST(ViewerLayout, ColumnToByteCountsTabsAndBothCellsOfAWideCharacter) {
    const std::string line =
        "a\tb\x82\xA0"
        "c\r\n";
    const std::pair<int, std::int64_t> cases[] = {{0, 0}, {2, 1}, {4, 2}, {5, 3}, {6, 3}, {7, 5}, {30, 8}};
    for (const auto& [column, byte] : cases) EXPECT_EQ(ByteAtColumn(line, 4, column), byte) << column;
}

TEST(ViewerLayout, StatusLineKeepsTheTagWhereAnElevenCharacterPositionPutsIt) {
    const StatusLine shortPosition = LayoutStatus(L"C:\\a.txt", 3, 120, kCharCodeUtf8, false, 0);
    EXPECT_EQ(shortPosition.text, L"C:\\a.txt,(3/120)");
    EXPECT_EQ(shortPosition.tag, L"<UTF8>");
    EXPECT_EQ(shortPosition.tagColumn, 8 + 1 + 11 + 1);
    EXPECT_EQ(LayoutStatus(L"C:\\a.txt", 123456, 1234567, kCharCodeSjis, false, 0).tagColumn, 8 + 1 + 16 + 1);
    const StatusLine dump = LayoutStatus(L"C:\\a.txt", 0, 9, kCharCodeSjis, true, 33);
    EXPECT_EQ(dump.text, L"C:\\a.txt,(0/2)");
    EXPECT_TRUE(dump.tag.empty());
}

TEST(ViewerLayout, DumpRowsAndTheLeadByteAtTheRowsEnd) {
    EXPECT_EQ(HexRowCount(32), 2);
    EXPECT_EQ(HexRowCount(33), 3);
    std::string text(16, 'a');
    text += std::string(14, 'b') + "\x82\xA0" + std::string(15, 'c') + "\x82";
    const std::string row1 = Cells(LayoutHexRow(text, 1, kColors));
    EXPECT_EQ(row1.substr(0, 9), "00000010H");
    EXPECT_EQ(row1.substr(11 + 3 * 14, 5), "82 A0");
    EXPECT_EQ(row1.substr(60), "bbbbbbbbbbbbbb\x82\xA0");
    // A lead byte in the last position shows alone.
    EXPECT_EQ(Cells(LayoutHexRow(text, 2, kColors)).substr(60), "ccccccccccccccc.");
    EXPECT_TRUE(LayoutHexRow(text, 3, kColors).empty());
    EXPECT_EQ(Cells(LayoutHexHeader(kColors)).substr(11, 8), "+0 +1 +2");
}

TEST(ViewerLayout, ScrollingStopsAtTheLastPageAndTheDumpCountsItsHeader) {
    EXPECT_EQ(ScrolledTop(90, 10, 100, 20), 80);
    EXPECT_EQ(ScrolledTop(5, -10, 100, 20), 0);
    EXPECT_EQ(ScrolledTop(0, 5, 10, 20), 0);  // a text shorter than the pane
    EXPECT_EQ(ScrolledHexTop(0, 100, 30, 20), 11);
    EXPECT_FALSE(MoreToScroll(80, 1, 100, 20, false));
    EXPECT_TRUE(MoreToScroll(80, 1, 100, 20, true));
}

}  // namespace
}  // namespace zq::viewer
