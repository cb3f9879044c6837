#pragma once
// What one row of a Viewer pane shows, computed without a window: the text
// rows (tabs expanded, the selection, the line numbers and the line-end mark),
// the status line, the hexadecimal dump and the scrolling limits.  Positions
// are cells of the Filer's grid, counted from the pane's first text column;
// text stays in the internal form (ANSI code page) until WidenRun turns it
// into UTF-16 for drawing.
#include <windows.h>

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "viewer/ViewerConvert.h"

namespace zq {
struct Settings;
}

namespace zq::viewer {

struct ViewerColors {
    COLORREF back = RGB(0, 0, 0);        // BACK_GROUND_COLOR
    COLORREF text = RGB(255, 255, 255);  // VIEWER_COLOR
    COLORREF control = RGB(0, 255, 0);   // VIEWER_CONTROL_COLOR: the line-end mark
    COLORREF line = RGB(0, 255, 0);      // VIEWER_LINE_COLOR: line numbers, dump addresses and header
    COLORREF status = RGB(0, 255, 255);  // INTRO_VOLUME_COLOR: the status line's background
    bool userByteColors = false;         // BINARYUSERCOLOR
    std::array<COLORREF, 256> bytes{};   // BINARY%02x
};
[[nodiscard]] ViewerColors ViewerColorsFrom(const Settings& settings);

// A piece of a row in one pair of colours.
struct ViewerRun {
    int column = 0;     // first cell
    std::string bytes;  // internal form
    std::wstring wide;  // drawn instead of bytes when not empty (the line-end mark)
    COLORREF fore = 0;
    COLORREF back = 0;
    bool operator==(const ViewerRun&) const = default;
};
using ViewerRow = std::vector<ViewerRun>;

// Cells a run covers: two for a two-byte character, one for any other byte.
[[nodiscard]] int RunCells(const ViewerRun& run);

// Width of the line-number margin ("%05ld ").
inline constexpr int kLineNumberCells = 6;

struct TextRowInput {
    std::string_view line;  // the display line's bytes
    std::int32_t number = 0;
    int tabWidth = 8;
    bool lineNumbers = false;
    // The selection, relative to the line's first byte; empty when from >= to.
    std::int64_t selectFrom = 0;
    std::int64_t selectTo = 0;
    std::wstring_view lineEndMark;
};
[[nodiscard]] ViewerRow LayoutTextRow(const TextRowInput& input, const ViewerColors& colors);

// The byte offset within a display line under cell `column` of its text
// (after the margin): tabs count as the spaces they expand to, a two-byte
// character as two cells; right of the text, the line's length.
[[nodiscard]] std::int64_t ByteAtColumn(std::string_view line, int tabWidth, int column);

struct StatusLine {
    std::wstring text;  // "%s,(%ld/%ld)"
    std::wstring tag;   // the character code, in text display only
    int tagColumn = 0;
};
[[nodiscard]] StatusLine LayoutStatus(const std::wstring& path, std::int64_t top, std::int64_t count,
                                      ViewerCharCode code, bool binary, std::int64_t textLength);

// The hexadecimal dump: a header row, then 16 bytes a row.
[[nodiscard]] std::int64_t HexRowCount(std::int64_t textLength);
[[nodiscard]] ViewerRow LayoutHexHeader(const ViewerColors& colors);
[[nodiscard]] ViewerRow LayoutHexRow(std::string_view text, std::int64_t row, const ViewerColors& colors);

// The top line after scrolling by `delta`: at most count - visible, at least 0.
[[nodiscard]] std::int64_t ScrolledTop(std::int64_t top, std::int64_t delta, std::int64_t count, int visibleRows);
// In the dump the header takes a row: at most rows - (visible - 1).
[[nodiscard]] std::int64_t ScrolledHexTop(std::int64_t top, std::int64_t delta, std::int64_t rows, int visibleRows);
// Whether more lies beyond the screen in `direction` (1 down, -1 up).
[[nodiscard]] bool MoreToScroll(std::int64_t top, int direction, std::int64_t count, int visibleRows, bool binary);

// The internal form of a run as UTF-16 with the advance of each unit on the
// grid, so that every character keeps the cells its bytes give it.
struct WideRun {
    std::wstring text;
    std::vector<INT> advances;
};
[[nodiscard]] WideRun WidenRun(std::string_view bytes, int charWidth);

}  // namespace zq::viewer
