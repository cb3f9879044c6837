// Drawing of a Viewer pane: the status line on the pane's title row, the
// text rows below it.  What each row shows comes from ViewerLayout; here the
// runs are only widened to UTF-16 and put on the Filer's grid.
#include <algorithm>

#include "filer/FilerCellPainter.h"
#include "filer/FilerLayoutFont.h"
#include "filer/ViewFiler.h"
#include "filer/ViewFilerSettings.h"
#include "settings/Settings.h"
#include "viewer/ViewerContent.h"
#include "viewer/ViewerLayout.h"

namespace zq {

namespace {

void Fill(HDC dc, const RECT& r, COLORREF color) {
    UniqueGdiObject brush(::CreateSolidBrush(color));
    ::FillRect(dc, &r, static_cast<HBRUSH>(brush.Get()));
}

// One run at cell `run.column` of the row whose top left corner is (left, top).
void DrawRun(HDC dc, int left, int top, const filer::FilerMetrics& metrics, const viewer::ViewerRun& run,
             const RECT& clip) {
    const int x = left + run.column * metrics.charWidth;
    RECT cells = {x, top, x + viewer::RunCells(run) * metrics.charWidth, top + metrics.lineHeight};
    ::IntersectRect(&cells, &cells, &clip);
    Fill(dc, cells, run.back);
    ::SetTextColor(dc, run.fore);
    viewer::WideRun wide;
    if (run.wide.empty()) {
        wide = viewer::WidenRun(run.bytes, metrics.charWidth);
    } else {
        wide.text = run.wide;
        wide.advances = filer::GridAdvances(run.wide, metrics.charWidth);
    }
    if (wide.text.empty()) return;
    ::ExtTextOutW(dc, x, top, ETO_CLIPPED, &clip, wide.text.data(), static_cast<UINT>(wide.text.size()),
                  wide.advances.data());
    // Wine drops the one-pixel low line of the Japanese fonts, as in the
    // Filer: the bar is drawn where the glyph's outline puts it.
    if (metrics.underscoreTop < 0 || metrics.underscoreHeight <= 0) return;
    int offset = 0;
    for (size_t i = 0; i < wide.text.size(); offset += wide.advances[i], ++i) {
        if (wide.text[i] != L'_') continue;
        RECT bar = {x + offset, top + metrics.underscoreTop, x + offset + metrics.charWidth,
                    top + metrics.underscoreTop + metrics.underscoreHeight};
        if (::IntersectRect(&bar, &bar, &clip)) Fill(dc, bar, run.fore);
    }
}

}  // namespace

void ViewerContent::EnsureFont() {
    if (m_font) return;
    const LOGFONTW font = filer::MakeLogFont(FilerFontFrom(*m_context.settings));
    m_font.Reset(::CreateFontIndirectW(&font));
}

void ViewerContent::Paint(HDC dc, int pane, const RECT& rect) {
    if (pane < 0 || pane > 1) return;
    EnsureFont();
    const filer::FilerMetrics& metrics = m_filer.LayoutResult().metrics;
    const viewer::ViewerColors colors = viewer::ViewerColorsFrom(*m_context.settings);
    Fill(dc, rect, colors.back);
    HGDIOBJ oldFont = ::SelectObject(dc, m_font.Get());
    const int oldMode = ::SetBkMode(dc, TRANSPARENT);
    const RECT status = {rect.left, rect.top, rect.right, std::min(rect.bottom, rect.top + metrics.lineHeight)};
    const RECT area = {rect.left, status.bottom, rect.right, rect.bottom};
    Text(pane).SetVisibleRows(std::max(1, static_cast<int>(area.bottom - area.top) / metrics.lineHeight));
    PaintRows(dc, pane, area);
    PaintStatus(dc, pane, status);
    ::SetBkMode(dc, oldMode);
    ::SelectObject(dc, oldFont);
}

void ViewerContent::PaintStatus(HDC dc, int pane, const RECT& row) {
    const filer::FilerMetrics& metrics = m_filer.LayoutResult().metrics;
    const viewer::ViewerColors colors = viewer::ViewerColorsFrom(*m_context.settings);
    const viewer::ViewerText& text = Text(pane);
    Fill(dc, row, colors.status);
    if (text.ViewedPath().empty()) return;
    const viewer::StatusLine status =
        viewer::LayoutStatus(text.ViewedPath(), text.TopLine(), text.LineCount(), text.EffectiveCode(),
                             text.BinaryDisplay(), text.TextLength());
    const viewer::ViewerRun line{0, {}, status.text, colors.back, colors.status};
    DrawRun(dc, row.left, row.top, metrics, line, row);
    if (status.tag.empty()) return;
    const viewer::ViewerRun tag{status.tagColumn, {}, status.tag, colors.back, colors.status};
    DrawRun(dc, row.left, row.top, metrics, tag, row);
}

void ViewerContent::PaintRows(HDC dc, int pane, const RECT& area) {
    const filer::FilerMetrics& metrics = m_filer.LayoutResult().metrics;
    const Settings& settings = *m_context.settings;
    const viewer::ViewerColors colors = viewer::ViewerColorsFrom(settings);
    viewer::ViewerText& text = Text(pane);
    const viewer::TextLock lock(text);
    // Nothing to read: the rows stay empty.
    if (!lock) return;
    const std::int32_t count = text.LineCount();
    const std::int64_t length = text.TextLength();
    m_paintedLines[static_cast<size_t>(pane)] = count;
    const int rows = (static_cast<int>(area.bottom - area.top) + metrics.lineHeight - 1) / metrics.lineHeight;
    const std::string_view all(text.Text(), static_cast<size_t>(length));
    for (int r = 0; r < rows; ++r) {
        const int y = area.top + r * metrics.lineHeight;
        viewer::ViewerRow row;
        if (text.BinaryDisplay()) {
            row = r == 0 ? viewer::LayoutHexHeader(colors)
                         : viewer::LayoutHexRow(all, static_cast<std::int64_t>(text.TopLine()) + r - 1, colors);
        } else {
            const std::int64_t n = static_cast<std::int64_t>(text.TopLine()) + r;
            if (n >= count) break;
            const auto line = static_cast<std::int32_t>(n);
            viewer::TextRowInput input;
            input.line = std::string_view(text.Text() + text.LineStart(line),
                                          static_cast<size_t>(text.LineEnd(line) - text.LineStart(line)));
            input.number = line;
            input.tabWidth = text.TabWidth();
            input.lineNumbers = settings.VIEWNUMBER != 0;
            if (m_selection.exists && m_selection.pane == pane) {
                input.selectFrom = m_selection.From() - text.LineStart(line);
                input.selectTo = m_selection.To() - text.LineStart(line);
            }
            input.lineEndMark = settings.lineReturnCode;
            row = viewer::LayoutTextRow(input, colors);
        }
        for (const viewer::ViewerRun& run : row) DrawRun(dc, area.left, y, metrics, run, area);
    }
}

}  // namespace zq
