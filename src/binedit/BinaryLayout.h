#pragma once
// What one row of a BinaryEditor pane shows, computed without a window: the
// header, the data rows (address, the sixteen bytes in hexadecimal and as
// characters, with the selection, the changed bytes and the cursor digit)
// and the status line.  Columns are cells of the Filer's grid.
#include <windows.h>

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace zq {
struct Settings;
}

namespace zq::binedit {

struct BinaryColors {
    COLORREF back = RGB(0, 0, 0);         // BACK_GROUND_COLOR
    COLORREF text = RGB(255, 255, 255);   // VIEWER_COLOR
    COLORREF line = RGB(0, 255, 0);       // VIEWER_LINE_COLOR: addresses and the header
    COLORREF status = RGB(0, 255, 255);   // INTRO_VOLUME_COLOR: the status line's background
    COLORREF changed = RGB(0, 255, 255);  // BINARYCMP_COLOR: bytes changed since the last save
    bool userByteColors = false;          // BINARYUSERCOLOR
    std::array<COLORREF, 256> bytes{};    // BINARY%02x
};
[[nodiscard]] BinaryColors BinaryColorsFrom(const Settings& settings);

struct BinaryCell {
    int column = 0;
    std::wstring text;
    COLORREF fore = 0;
    COLORREF back = 0;
    // Cells the text covers: a two-byte character takes two.
    int cells = 1;
    bool operator==(const BinaryCell&) const = default;
};
using BinaryRow = std::vector<BinaryCell>;

// Hexadecimal digits of the address column: eight, more for files of 4 GiB and over.
[[nodiscard]] int AddressDigits(std::int64_t fileSize);
// The first column of byte k's digits and of its character.
[[nodiscard]] int HexColumn(int addressDigits, int k);
[[nodiscard]] int CharColumn(int addressDigits, int k);

[[nodiscard]] BinaryRow LayoutBinaryHeader(int addressDigits, const BinaryColors& colors);

struct BinaryRowInput {
    std::int64_t offset = 0;    // the row's first byte
    const std::uint8_t* bytes;  // the edited bytes of the row
    int count = 0;              // 16, fewer on the last row
    std::uint16_t changed = 0;  // bit k: byte k was changed
    // The selected bytes [first, last); empty when equal.
    std::int64_t selectFirst = 0;
    std::int64_t selectLast = 0;
    std::int64_t cursor = -1;  // nibble, -1 when the cursor is not drawn
    int addressDigits = 8;
};
[[nodiscard]] BinaryRow LayoutBinaryRow(const BinaryRowInput& input, const BinaryColors& colors);

// "%s,(%ld/%ld)": the path, the cursor row and the last row.
[[nodiscard]] std::wstring BinaryStatusText(const std::wstring& path, std::int64_t cursorRow, std::int64_t rows);

// Which nibble lies under a cell of a data row: -1 between the digits and
// outside them (the character column counts as the byte's high nibble).
[[nodiscard]] int NibbleAtColumn(int addressDigits, int column);

}  // namespace zq::binedit
