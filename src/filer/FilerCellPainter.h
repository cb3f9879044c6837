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
};

// How marked entries and the cursor look: a marked entry is drawn in reverse
// video (its colours as background, the Filer background as text) and the
// cursor cell is underlined in LINE_COLOR.
[[nodiscard]] PaintCell MakePaintCell(const RECT& rect, const FilerCellContent& content, const FilerColors& colors,
                                      bool marked, bool cursor);

// The advance of each UTF-16 unit of a text on the cell grid: one or two
// character widths per character; the second unit of a surrogate pair
// advances 0.
[[nodiscard]] std::vector<INT> GridAdvances(std::wstring_view text, int charWidth);

// Measures the font as the layout needs it (GetTextMetricsW).
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
