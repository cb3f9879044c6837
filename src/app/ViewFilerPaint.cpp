// Drawing of the Filer: layout, header, title lines and the name lists.
// Everything shown is computed by the filer engines; this only feeds them
// the panes' state and hands their cells to the painter.
#include <span>
#include <vector>

#include "app/PaneModes.h"
#include "app/ViewFiler.h"
#include "app/ViewFilerSettings.h"
#include "filer/FilerCellGrid.h"
#include "filer/FilerCellPainter.h"
#include "filer/FilerHeaderLayout.h"
#include "filer/FilerHeaderText.h"
#include "filer/FilerPane.h"
#include "settings/Settings.h"

namespace zq {

namespace {

std::span<const WIN32_FIND_DATAW> EntriesOf(const FilerPane& pane) {
    if (pane.Count() <= 0) return {};
    return {&pane.Entry(0), static_cast<size_t>(pane.Count())};
}

void FrameBox(HDC dc, const RECT& box, COLORREF color) {
    UniqueGdiObject pen(::CreatePen(PS_SOLID, 1, color));
    HGDIOBJ oldPen = ::SelectObject(dc, pen.Get());
    HGDIOBJ oldBrush = ::SelectObject(dc, ::GetStockObject(NULL_BRUSH));
    ::Rectangle(dc, box.left, box.top, box.right, box.bottom);
    ::SelectObject(dc, oldBrush);
    ::SelectObject(dc, oldPen);
}

// Width of a text on the cell grid: full-width characters take two cells.
int CellsOf(const std::wstring& text, int charWidth) {
    int pixels = 0;
    for (const INT advance : filer::GridAdvances(text, charWidth)) pixels += advance;
    return charWidth > 0 ? pixels / charWidth : 0;
}

bool IsEmpty(const RECT& r) { return r.right <= r.left || r.bottom <= r.top; }

}  // namespace

void ViewFiler::EnsureFont() {
    if (m_font) return;
    const LOGFONTW font = filer::MakeLogFont(FilerFontFrom(*m_context.settings));
    m_font.Reset(::CreateFontIndirectW(&font));
}

void ViewFiler::Layout(HDC dc, const RECT& area) {
    Settings& settings = *m_context.settings;
    const filer::FilerLayoutOptions options = FilerLayoutOptionsFrom(settings);
    const filer::FilerMetrics metrics = filer::ComputeFilerMetrics(
        filer::MeasureFont(dc, static_cast<HFONT>(m_font.Get())), settings.ADD_HEIGHT_ONE_LINE);
    std::array<filer::FilerPaneLayoutInput, 2> inputs;
    for (int i = 0; i < 2; ++i) {
        filer::FilerPaneLayoutInput& in = inputs[static_cast<size_t>(i)];
        in.shown = PaneShown(i);
        if (options.autoFileNameWidth) {
            in.longestStemCells = filer::LongestStemCells(EntriesOf(Pane(i)), settings.DOSWRITEFLAG != 0,
                                                          settings.FILECHARTYPE);
        }
    }
    m_layout = filer::ComputeFilerLayout(metrics, area.right - area.left, area.bottom - area.top, options, inputs);
    settings.UP_WINDOW_ADD_LINE = m_layout.upWindowAddLine;
    for (int i = 0; i < 2; ++i) {
        const filer::FilerPaneGeometry& g = m_layout.panes[static_cast<size_t>(i)];
        if (!g.shown) continue;
        Pane(i).SetGrid({g.columnsDrawn, g.rowsDrawn, g.columnsVisible, g.rowsVisible});
        // A smaller grid may leave the cursor outside the shown cells.
        Pane(i).MoveCursor(0, false);
    }
}

void ViewFiler::Paint(HDC dc, const RECT& client) {
    EnsureFont();
    const Settings& settings = *m_context.settings;
    UniqueGdiObject background(::CreateSolidBrush(static_cast<COLORREF>(settings.BACK_GROUND_COLOR)));
    ::FillRect(dc, &client, static_cast<HBRUSH>(background.Get()));
    POINT oldOrigin{};
    ::SetViewportOrgEx(dc, client.left, client.top, &oldOrigin);
    HGDIOBJ oldFont = ::SelectObject(dc, m_font.Get());
    Layout(dc, client);
    PaintHeader(dc, client.right - client.left);
    for (int i = 0; i < 2; ++i) PaintPane(dc, i);
    ::SelectObject(dc, oldFont);
    ::SetViewportOrgEx(dc, oldOrigin.x, oldOrigin.y, nullptr);
}

void ViewFiler::PaintPane(HDC dc, int index) {
    const filer::FilerPaneGeometry& geometry = m_layout.panes[static_cast<size_t>(index)];
    if (!geometry.shown) return;
    const Settings& settings = *m_context.settings;
    FilerPane& pane = Pane(index);
    const filer::FilerColors colors = FilerColorsFrom(settings);
    const filer::KindColorTable kinds = KindColorsFrom(settings);
    const bool active = index == ActivePane();

    // The cell builder takes the pane's arrays by entry index.
    const int count = pane.Count();
    std::vector<int> order(static_cast<size_t>(count));
    std::vector<uint32_t> marks(static_cast<size_t>(count));
    for (int p = 0; p < count; ++p) {
        const int entry = pane.EntryIndexAt(p);
        order[static_cast<size_t>(p)] = entry;
        if (entry >= 0 && entry < count) marks[static_cast<size_t>(entry)] = pane.IsMarkedAt(p) ? 1u : 0u;
    }
    filer::FilerPaneCellsInput input;
    input.entries = EntriesOf(pane);
    input.order = order;
    input.marks = marks;
    input.entryCount = count;
    input.firstShown = pane.FirstShown();
    input.cursor = pane.Cursor();
    input.showCursor = active;

    const filer::FilerMetrics& metrics = m_layout.metrics;
    const filer::FilerCellPainter painter(static_cast<HFONT>(m_font.Get()), metrics);
    painter.Paint(dc, filer::BuildPaneCells(geometry, metrics, input, FilerCellOptionsFrom(settings), colors, kinds));

    filer::FilerTitleInput title;
    title.currentDirectory = pane.Path();
    title.writeFreeSize = settings.WRITEFILERFREESIZE != 0;
    title.freeBytes = pane.FreeBytes();
    painter.Paint(dc, filer::BuildTitleCell(geometry, metrics, filer::PaneTitleText(title), active, colors));
    pane.ClearLoading();
}

void ViewFiler::PaintHeader(HDC dc, int width) {
    if (m_layout.headerLines <= 0) return;
    const Settings& settings = *m_context.settings;
    const filer::FilerMetrics& metrics = m_layout.metrics;
    const filer::FilerColors colors = FilerColorsFrom(settings);
    const filer::FilerCellPainter painter(static_cast<HFONT>(m_font.Get()), metrics);
    const filer::FilerHeaderBoxes boxes = filer::ComputeHeaderBoxes(metrics, width, FilerHeaderOptionsFrom(settings));
    const FilerPane& pane = Pane(ActivePane());
    const COLORREF line = colors[filer::FilerColorId::Line];
    const COLORREF label = colors[filer::FilerColorId::AllIntro];
    const COLORREF value = colors[filer::FilerColorId::Information];

    // Line `n` of a box: its caption on line 0 and one item per line below.
    auto text = [&](const RECT& box, int n, int column, const std::wstring& s, COLORREF color) {
        painter.PaintText(dc, box.left + metrics.charWidth * (1 + column), box.top + n * metrics.lineHeight, box, s,
                          color);
    };
    auto item = [&](const RECT& box, int n, int column, const filer::HeaderItem& it) {
        text(box, n, column, it.label, label);
        text(box, n, column + CellsOf(it.label, metrics.charWidth), it.value, value);
    };

    if (!IsEmpty(boxes.volume)) {
        FrameBox(dc, boxes.volume, line);
        text(boxes.volume, 0, 0, filer::kVolumeBoxCaption, colors[filer::FilerColorId::IntroVolume]);
        const std::array<bool, 9> hvolume = {
            settings.HVOLUME0 != 0, settings.HVOLUME1 != 0, settings.HVOLUME2 != 0,
            settings.HVOLUME3 != 0, settings.HVOLUME4 != 0, settings.HVOLUME5 != 0,
            settings.HVOLUME6 != 0, settings.HVOLUME7 != 0, settings.HVOLUME8 != 0};
        filer::VolumeInfoValues values;
        values.capacityBytes = pane.TotalBytes();
        values.freeBytes = pane.FreeBytes();
        values.currentDirectory = pane.Path();
        values.files = pane.CountEntries(true, false);
        values.directories = pane.CountEntries(false, true);
        values.markedFiles = pane.CountMarked(true, false);
        values.markedDirectories = pane.CountMarked(false, true);
        const std::vector<filer::HeaderItem> items = filer::VolumeInfoItems(hvolume, values);
        for (size_t n = 0; n < items.size(); ++n) item(boxes.volume, static_cast<int>(n) + 1, 0, items[n]);
    }
    if (!IsEmpty(boxes.fileInfo)) {
        FrameBox(dc, boxes.fileInfo, line);
        text(boxes.fileInfo, 0, 0, filer::kFileInfoBoxCaption, colors[filer::FilerColorId::IntroVolume]);
        filer::FileInfoInput info;
        info.entry = pane.CursorEntry();
        if (info.entry) {
            info.shownName = filer::ShownName(*info.entry, settings.DOSWRITEFLAG != 0, settings.FILECHARTYPE);
        }
        info.wildcard = pane.Pattern();
        info.wildcardAppliesToDirs = pane.PatternAppliesToDirectories();
        info.viewFileTimeType = settings.VIEWFILETIMETYPE;
        const filer::FileInfoTexts t = filer::FileInfoItems(info);
        item(boxes.fileInfo, 1, 0, t.name);
        item(boxes.fileInfo, 2, 0, t.date);
        item(boxes.fileInfo, 2, 18, t.time);
        item(boxes.fileInfo, 3, 0, t.size);
        item(boxes.fileInfo, 3, 24, t.attributes);
        item(boxes.fileInfo, 4, 0, t.mask);
    }
}

}  // namespace zq
