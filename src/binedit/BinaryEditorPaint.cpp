// Drawing of a BinaryEditor pane: the status line on the pane's title row,
// then the header and the data rows on the Filer's grid.
#include <algorithm>
#include <vector>

#include "binedit/BinaryEditorContent.h"
#include "binedit/BinaryLayout.h"
#include "filer/FilerCellPainter.h"
#include "filer/FilerLayoutFont.h"
#include "filer/ViewFiler.h"
#include "filer/ViewFilerSettings.h"
#include "settings/Settings.h"

namespace zq {

using binedit::BinaryCell;
using binedit::CBinaryData;

namespace {

void Fill(HDC dc, const RECT& r, COLORREF color) {
    UniqueGdiObject brush(::CreateSolidBrush(color));
    ::FillRect(dc, &r, static_cast<HBRUSH>(brush.Get()));
}

void DrawCell(HDC dc, int left, int top, const filer::FilerMetrics& metrics, const BinaryCell& cell, const RECT& clip) {
    const int x = left + cell.column * metrics.charWidth;
    RECT cells = {x, top, x + cell.cells * metrics.charWidth, top + metrics.lineHeight};
    ::IntersectRect(&cells, &cells, &clip);
    Fill(dc, cells, cell.back);
    if (cell.text.empty()) return;
    ::SetTextColor(dc, cell.fore);
    const std::vector<INT> advances = filer::GridAdvances(cell.text, metrics.charWidth);
    ::ExtTextOutW(dc, x, top, ETO_CLIPPED, &clip, cell.text.data(), static_cast<UINT>(cell.text.size()),
                  advances.data());
}

}  // namespace

void BinaryEditorContent::EnsureFont() {
    if (m_font) return;
    const LOGFONTW font = filer::MakeLogFont(FilerFontFrom(*m_context.settings));
    m_font.Reset(::CreateFontIndirectW(&font));
}

void BinaryEditorContent::Paint(HDC dc, int pane, const RECT& rect) {
    if (!Edits(pane) || m_busy) return;
    EnsureFont();
    const filer::FilerMetrics& metrics = m_filer.LayoutResult().metrics;
    const binedit::BinaryColors colors = binedit::BinaryColorsFrom(*m_context.settings);
    Fill(dc, rect, colors.back);
    HGDIOBJ oldFont = ::SelectObject(dc, m_font.Get());
    const int oldMode = ::SetBkMode(dc, TRANSPARENT);
    const RECT status = {rect.left, rect.top, rect.right, std::min(rect.bottom, rect.top + metrics.lineHeight)};
    const RECT area = {rect.left, status.bottom, rect.right, rect.bottom};
    const int rows = std::max(2, static_cast<int>(area.bottom - area.top) / metrics.lineHeight);
    const bool resized = m_visibleRows.at(static_cast<size_t>(pane)) != rows;
    m_visibleRows.at(static_cast<size_t>(pane)) = rows;
    m_statusArea.at(static_cast<size_t>(pane)) = status;
    m_rowsArea.at(static_cast<size_t>(pane)) = {area.left, std::min(area.bottom, area.top + metrics.lineHeight),
                                                area.right, area.bottom};
    // A pane that changed its height keeps the cursor row on screen.
    if (resized) Data(pane).KeepCursorVisible(rows - 1);
    PaintRows(dc, pane, area);
    CBinaryData& data = Data(pane);
    Fill(dc, status, colors.status);
    const BinaryCell line{
        0, binedit::BinaryStatusText(data.Path(), data.CursorByte() / CBinaryData::kRowBytes, data.Rows()), colors.back,
        colors.status, 0};
    DrawCell(dc, status.left, status.top, metrics, line, status);
    ::SetBkMode(dc, oldMode);
    ::SelectObject(dc, oldFont);
}

void BinaryEditorContent::PaintRows(HDC dc, int pane, const RECT& area) {
    const filer::FilerMetrics& metrics = m_filer.LayoutResult().metrics;
    const binedit::BinaryColors colors = binedit::BinaryColorsFrom(*m_context.settings);
    CBinaryData& data = Data(pane);
    const int digits = binedit::AddressDigits(data.Size());
    for (const BinaryCell& cell : binedit::LayoutBinaryHeader(digits, colors))
        DrawCell(dc, area.left, area.top, metrics, cell, area);
    const int rows = (static_cast<int>(area.bottom - area.top) + metrics.lineHeight - 1) / metrics.lineHeight - 1;
    if (rows <= 0) return;
    const std::int64_t first = data.TopRow() * CBinaryData::kRowBytes;
    std::vector<std::uint8_t> bytes(static_cast<size_t>(rows) * CBinaryData::kRowBytes);
    const std::size_t got = data.ReadBytes(first, bytes.size(), bytes.data());
    binedit::BinaryRowInput input;
    input.addressDigits = digits;
    if (!data.SelectedBytes(input.selectFirst, input.selectLast)) input.selectFirst = input.selectLast = 0;
    input.cursor = pane == TargetPane() && m_cursorShown ? data.Cursor() : -1;
    for (int r = 0; r < rows; ++r) {
        const std::size_t at = static_cast<size_t>(r) * CBinaryData::kRowBytes;
        if (at >= got) break;
        input.offset = first + static_cast<std::int64_t>(at);
        input.bytes = bytes.data() + at;
        input.count = static_cast<int>(std::min<std::size_t>(CBinaryData::kRowBytes, got - at));
        input.changed = 0;
        for (int k = 0; k < input.count; ++k)
            if (data.IsChanged(input.offset + k)) input.changed = static_cast<std::uint16_t>(input.changed | 1U << k);
        const int y = area.top + (r + 1) * metrics.lineHeight;
        for (const BinaryCell& cell : binedit::LayoutBinaryRow(input, colors))
            DrawCell(dc, area.left, y, metrics, cell, area);
    }
}

}  // namespace zq
