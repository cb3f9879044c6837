#include "binedit/BinaryLayout.h"

#include <gtest/gtest.h>

namespace zq::binedit {

namespace {

const BinaryCell* CellAt(const BinaryRow& row, int column) {
    for (const BinaryCell& cell : row)
        if (cell.column == column) return &cell;
    return nullptr;
}

}  // namespace

TEST(BinaryLayoutTest, AddressWidensOnlyPastFourGigabytesAndShiftsTheColumns) {
    const struct {
        std::int64_t size;
        int digits;
    } cases[] = {{0, 8}, {1, 8}, {0x100000000LL, 8}, {0x100000001LL, 9}, {0x1000000001LL, 10}};
    for (const auto& c : cases) EXPECT_EQ(AddressDigits(c.size), c.digits) << c.size;
    EXPECT_EQ(HexColumn(8, 0), 11);
    EXPECT_EQ(CharColumn(8, 0), 60);
    EXPECT_EQ(HexColumn(9, 15), 12 + 45);
    EXPECT_EQ(CharColumn(9, 15), 61 + 15);
}

TEST(BinaryLayoutTest, ColumnsMapToNibblesAndTheGapsToNone) {
    const struct {
        int column;
        int nibble;
    } cases[] = {{10, -1}, {11, 0},  {12, 1}, {13, -1}, {14, 2},  {56, 30}, {57, 31},
                 {58, -1}, {59, -1}, {60, 0}, {61, 2},  {75, 30}, {76, -1}};
    for (const auto& c : cases) EXPECT_EQ(NibbleAtColumn(8, c.column), c.nibble) << c.column;
    EXPECT_EQ(NibbleAtColumn(9, 11), -1);
    EXPECT_EQ(NibbleAtColumn(9, 12), 0);
}

// A row of a file past 4 GiB: the cursor digit, a changed byte, a selected
// two-byte character and a control byte.
TEST(BinaryLayoutTest, RowShowsCursorChangesSelectionAndCharacters) {
    BinaryColors colors;
    colors.back = RGB(0, 0, 1);
    colors.text = RGB(0, 0, 2);
    colors.line = RGB(0, 0, 3);
    colors.changed = RGB(0, 0, 4);
    const std::uint8_t bytes[] = {0x41, 0x00, 0x82, 0xA0, 0x82};
    BinaryRowInput input;
    input.offset = 0x100000010LL;
    input.bytes = bytes;
    input.count = 5;
    input.changed = 0x2;
    input.selectFirst = input.offset + 2;
    input.selectLast = input.offset + 4;
    input.cursor = input.offset * 2 + 1;
    input.addressDigits = 9;
    const BinaryRow row = LayoutBinaryRow(input, colors);
    const struct {
        int column;
        const wchar_t* text;
        COLORREF fore;
        COLORREF back;
    } cases[] = {
        {0, L"100000010H", colors.line, colors.back},
        {HexColumn(9, 0), L"4", colors.text, colors.back},
        {HexColumn(9, 0) + 1, L"1", colors.back, colors.text},  // the cursor
        {HexColumn(9, 1), L"0", colors.changed, colors.back},
        {HexColumn(9, 2), L"8", colors.back, colors.text},  // selected
        {HexColumn(9, 3) + 1, L"0", colors.back, colors.text},
        {HexColumn(9, 4), L"8", colors.text, colors.back},
        {CharColumn(9, 0), L"A", colors.text, colors.back},
        {CharColumn(9, 1), L".", colors.text, colors.back},
        {CharColumn(9, 2), L"あ", colors.back, colors.text},
        {CharColumn(9, 4), L".", colors.text, colors.back},  // a lead byte that ends the row
    };
    for (const auto& c : cases) {
        const BinaryCell* cell = CellAt(row, c.column);
        ASSERT_NE(cell, nullptr) << c.column;
        EXPECT_EQ(cell->text, c.text) << c.column;
        EXPECT_EQ(cell->fore, c.fore) << c.column;
        EXPECT_EQ(cell->back, c.back) << c.column;
    }
    EXPECT_EQ(CellAt(row, CharColumn(9, 3)), nullptr);
    EXPECT_EQ(BinaryStatusText(L"C:\\a.bin", 3, 10), L"C:\\a.bin,(3/9)");
}

}  // namespace zq::binedit
