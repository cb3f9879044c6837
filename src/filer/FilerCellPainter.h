#pragma once
// Puts computed Filer cells on a device context.  Everything about what a
// cell shows is decided before (FilerCellText, FilerColor, FilerLayout); this
// layer only places characters on the grid of the fixed-pitch font.
#include <windows.h>

#include <string_view>
#include <vector>

#include "filer/FilerCellText.h"
#include "filer/FilerColor.h"
#include "filer/FilerLayoutFont.h"

namespace zq::filer {

// One cell ready to paint.
struct PaintCell {
    RECT rect{};                // the cell in pixels; nothing is drawn outside it
    COLORREF background = 0;    // fills the cell first
    std::vector<CellRun> runs;  // columns are counted in cells from rect.left
    bool reverse = false;       // runs drawn in reverse video (marked entries)
    COLORREF reverseText = 0;   // text colour of reversed runs
    bool underline = false;     // a bar under the cell (the cursor)
    COLORREF underlineColor = 0;

    // Equal cells look the same: a redraw can skip them.
    [[nodiscard]] bool operator==(const PaintCell& other) const;
};

// How marked entries and the cursor look: a marked entry is drawn in reverse
// video, one solid band in the colour of its name from the first column to
// the end of its text with the text in the Filer background colour; the
// cursor cell is tinted towards LINE_COLOR and underlined in it.
[[nodiscard]] PaintCell MakePaintCell(const RECT& rect, const FilerCellContent& content, const FilerColors& colors,
                                      bool marked, bool cursor);

// The cursor's background: a third of the way from the background to the
// line colour, so that the text on it keeps its contrast.
[[nodiscard]] COLORREF CursorBackground(COLORREF background, COLORREF line);

// Pixel columns of the low lines ("_") of a text drawn at x = 0 on the grid.
[[nodiscard]] std::vector<int> UnderscoreOffsets(std::wstring_view text, int charWidth);

// The advance of each UTF-16 unit of a text on the cell grid: one or two
// character widths per character; the second unit of a surrogate pair
// advances 0.
[[nodiscard]] std::vector<INT> GridAdvances(std::wstring_view text, int charWidth);

// Measures the font as the layout needs it (GetTextMetricsW, and the low
// line's outline from GetGlyphOutlineW).
[[nodiscard]] FontMetricsInput MeasureFont(HDC dc, HFONT font);

class FilerCellPainter {
  public:
    FilerCellPainter(HFONT font, const FilerMetrics& metrics) : m_font(font), m_metrics(metrics) {}

    void Paint(HDC dc, const std::vector<PaintCell>& cells) const;
    void Paint(HDC dc, const PaintCell& cell) const;
    // One line of text at a pixel position, clipped, on the grid.
    void PaintText(HDC dc, int x, int y, const RECT& clip, std::wstring_view text, COLORREF color) const;

  private:
    HFONT m_font;
    FilerMetrics m_metrics;
};

}  // namespace zq::filer
