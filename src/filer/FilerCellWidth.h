#pragma once
// Widths on screen in half-width character cells.  The Filer draws in one
// fixed-pitch font where a half-width character takes one cell and every
// other character two, so every field, column and shortening rule is counted
// in these cells rather than in UTF-16 units.
#include <string>
#include <string_view>

namespace zq::filer {

// Cells taken by the character that starts at text[index] (1 or 2), and the
// number of UTF-16 units it spans (2 for a surrogate pair, else 1).
struct CharCells {
    int cells = 0;
    int units = 0;
};
[[nodiscard]] CharCells CellsAt(std::wstring_view text, size_t index);

// Cells of one BMP character.
[[nodiscard]] int CharCellWidth(wchar_t c);
// Cells of a whole text.
[[nodiscard]] int TextCellWidth(std::wstring_view text);

// A text cut to fit a field.  `cells` is what the drawn text occupies, which
// can be less than the field when a two-cell character would have crossed its
// end.
struct FittedText {
    std::wstring text;
    int cells = 0;
};

// Shortens text to at most `field` cells.  With `ellipsis` and a text wider
// than the field, the text is cut to field - 3 cells and "..." fills the last
// three cells; otherwise it is simply cut at the field end.  A two-cell
// character is never split.
[[nodiscard]] FittedText FitToCells(std::wstring_view text, int field, bool ellipsis);

// Pads with spaces on the right up to `field` cells (no cutting).
[[nodiscard]] std::wstring PadToCells(std::wstring_view text, int field);
// Pads with spaces on the left up to `field` cells (no cutting).
[[nodiscard]] std::wstring AlignRightInCells(std::wstring_view text, int field);

}  // namespace zq::filer
