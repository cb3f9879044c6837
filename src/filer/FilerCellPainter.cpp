#include "filer/FilerCellPainter.h"

#include <algorithm>

#include "filer/FilerCellWidth.h"

namespace zq::filer {

namespace {

// Restores the device context's font, colours and background mode however
// painting ends.
class DcStateGuard {
  public:
    DcStateGuard(HDC dc, HFONT font)
        : m_dc(dc),
          m_font(font != nullptr ? ::SelectObject(dc, font) : nullptr),
          m_text(::GetTextColor(dc)),
          m_back(::GetBkColor(dc)),
          m_mode(::GetBkMode(dc)) {}
    ~DcStateGuard() {
        if (m_font != nullptr) ::SelectObject(m_dc, m_font);
        ::SetTextColor(m_dc, m_text);
        ::SetBkColor(m_dc, m_back);
        ::SetBkMode(m_dc, m_mode);
    }
    DcStateGuard(const DcStateGuard&) = delete;
    DcStateGuard& operator=(const DcStateGuard&) = delete;

  private:
    HDC m_dc;
    HGDIOBJ m_font;
    COLORREF m_text;
    COLORREF m_back;
    int m_mode;
};

void FillRect(HDC dc, const RECT& rect, COLORREF color) {
    ::SetBkColor(dc, color);
    ::ExtTextOutW(dc, 0, 0, ETO_OPAQUE, &rect, nullptr, 0, nullptr);
}

}  // namespace

PaintCell MakePaintCell(const RECT& rect, const FilerCellContent& content, const FilerColors& colors, bool marked,
                        bool cursor) {
    PaintCell cell;
    cell.rect = rect;
    cell.background = colors[FilerColorId::BackGround];
    cell.runs = content.runs;
    cell.reverse = marked;
    cell.reverseText = colors[FilerColorId::BackGround];
    cell.underline = cursor;
    cell.underlineColor = colors[FilerColorId::Line];
    return cell;
}

std::vector<INT> GridAdvances(std::wstring_view text, int charWidth) {
    std::vector<INT> dx(text.size(), 0);
    for (size_t i = 0; i < text.size();) {
        const CharCells cc = CellsAt(text, i);
        dx[i] = cc.cells * charWidth;
        i += static_cast<size_t>(cc.units);
    }
    return dx;
}

FontMetricsInput MeasureFont(HDC dc, HFONT font) {
    DcStateGuard guard(dc, font);
    TEXTMETRICW tm{};
    if (!::GetTextMetricsW(dc, &tm)) return {};
    return {tm.tmHeight, tm.tmExternalLeading, tm.tmAveCharWidth};
}

void FilerCellPainter::PaintText(HDC dc, int x, int y, const RECT& clip, std::wstring_view text, COLORREF color) const {
    if (text.empty()) return;
    DcStateGuard guard(dc, m_font);
    ::SetBkMode(dc, TRANSPARENT);
    ::SetTextColor(dc, color);
    // Fixed advances keep every character on the cell grid even when the
    // font's own widths differ (proportional fallbacks, wide glyphs).
    const std::vector<INT> dx = GridAdvances(text, m_metrics.charWidth);
    ::ExtTextOutW(dc, x, y, ETO_CLIPPED, &clip, text.data(), static_cast<UINT>(text.size()), dx.data());
}

void FilerCellPainter::Paint(HDC dc, const PaintCell& cell) const {
    DcStateGuard guard(dc, m_font);
    FillRect(dc, cell.rect, cell.background);
    for (const CellRun& run : cell.runs) {
        const int x = cell.rect.left + run.column * m_metrics.charWidth;
        if (x >= cell.rect.right) continue;
        COLORREF text = run.color;
        if (cell.reverse) {
            RECT band = {x, cell.rect.top, x + TextCellWidth(run.text) * m_metrics.charWidth, cell.rect.bottom};
            band.right = std::min(band.right, cell.rect.right);
            FillRect(dc, band, run.color);
            text = cell.reverseText;
        }
        PaintText(dc, x, cell.rect.top, cell.rect, run.text, text);
    }
    if (cell.underline) {
        const RECT bar = {cell.rect.left, std::max(cell.rect.top, cell.rect.bottom - 2), cell.rect.right,
                          cell.rect.bottom};
        FillRect(dc, bar, cell.underlineColor);
    }
}

void FilerCellPainter::Paint(HDC dc, const std::vector<PaintCell>& cells) const {
    for (const PaintCell& cell : cells) Paint(dc, cell);
}

}  // namespace zq::filer
