#include "filer/FilerCellPainter.h"

#include <algorithm>
#include <cstring>

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

bool PaintCell::operator==(const PaintCell& o) const {
    return std::memcmp(&rect, &o.rect, sizeof(RECT)) == 0 && background == o.background && runs == o.runs &&
           reverse == o.reverse && reverseText == o.reverseText && underline == o.underline &&
           underlineColor == o.underlineColor;
}

COLORREF CursorBackground(COLORREF background, COLORREF line) {
    const auto mix = [](int from, int to) { return static_cast<BYTE>(from + (to - from) / 3); };
    return RGB(mix(GetRValue(background), GetRValue(line)), mix(GetGValue(background), GetGValue(line)),
               mix(GetBValue(background), GetBValue(line)));
}

std::vector<int> UnderscoreOffsets(std::wstring_view text, int charWidth) {
    std::vector<int> offsets;
    int x = 0;
    for (size_t i = 0; i < text.size();) {
        const CharCells cc = CellsAt(text, i);
        if (text[i] == L'_') offsets.push_back(x);
        x += cc.cells * charWidth;
        i += static_cast<size_t>(cc.units);
    }
    return offsets;
}

PaintCell MakePaintCell(const RECT& rect, const FilerCellContent& content, const FilerColors& colors, bool marked,
                        bool cursor) {
    PaintCell cell;
    cell.rect = rect;
    cell.background = cursor ? CursorBackground(colors[FilerColorId::BackGround], colors[FilerColorId::Line])
                             : colors[FilerColorId::BackGround];
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
    FontMetricsInput input{tm.tmHeight, tm.tmExternalLeading, tm.tmAveCharWidth};
    GLYPHMETRICS gm{};
    const MAT2 identity{{0, 1}, {0, 0}, {0, 0}, {0, 1}};
    if (::GetGlyphOutlineW(dc, L'_', GGO_METRICS, &gm, 0, nullptr, &identity) != GDI_ERROR && gm.gmBlackBoxY > 0) {
        input.underscoreTop = tm.tmAscent - gm.gmptGlyphOrigin.y;
        input.underscoreHeight = static_cast<int>(gm.gmBlackBoxY);
    }
    return input;
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
    // Wine's rasteriser drops the one-pixel low line of common Japanese fonts
    // at most sizes, and a name without its "_" reads as a different name.
    // The bar is drawn from the glyph's own outline, so where the glyph does
    // appear the same pixels are only painted twice.
    if (m_metrics.underscoreTop < 0 || m_metrics.underscoreHeight <= 0) return;
    for (const int offset : UnderscoreOffsets(text, m_metrics.charWidth)) {
        RECT bar = {x + offset, y + m_metrics.underscoreTop, x + offset + m_metrics.charWidth,
                    y + m_metrics.underscoreTop + m_metrics.underscoreHeight};
        if (::IntersectRect(&bar, &bar, &clip)) FillRect(dc, bar, color);
    }
}

void FilerCellPainter::Paint(HDC dc, const PaintCell& cell) const {
    DcStateGuard guard(dc, m_font);
    FillRect(dc, cell.rect, cell.background);
    if (cell.reverse && !cell.runs.empty()) {
        // One solid band, so that the gaps between name, extension and the
        // columns do not break the mark into pieces.
        int end = 0;
        for (const CellRun& run : cell.runs) end = std::max(end, run.column + TextCellWidth(run.text));
        RECT band = {cell.rect.left, cell.rect.top, cell.rect.left + end * m_metrics.charWidth, cell.rect.bottom};
        band.right = std::min(band.right, cell.rect.right);
        FillRect(dc, band, cell.runs.front().color);
    }
    // The bar goes over the mark and under the text, so that a low line on the last row of the
    // line stays readable on the cursor.
    if (cell.underline) {
        const RECT bar = {cell.rect.left, std::max(cell.rect.top, cell.rect.bottom - 2), cell.rect.right,
                          cell.rect.bottom};
        FillRect(dc, bar, cell.underlineColor);
    }
    for (const CellRun& run : cell.runs) {
        const int x = cell.rect.left + run.column * m_metrics.charWidth;
        if (x >= cell.rect.right) continue;
        COLORREF text = run.color;
        if (cell.reverse) {
            // A run of its own colour (a kind-coloured extension) keeps it.
            RECT band = {x, cell.rect.top, x + TextCellWidth(run.text) * m_metrics.charWidth, cell.rect.bottom};
            band.right = std::min(band.right, cell.rect.right);
            if (run.color != cell.runs.front().color) FillRect(dc, band, run.color);
            text = cell.reverseText;
        }
        PaintText(dc, x, cell.rect.top, cell.rect, run.text, text);
    }
}

void FilerCellPainter::Paint(HDC dc, const std::vector<PaintCell>& cells) const {
    for (const PaintCell& cell : cells) Paint(dc, cell);
}

}  // namespace zq::filer
