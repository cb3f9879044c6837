// Drawing of the Filer: layout, header, title lines and the name lists.
// Everything shown is computed by the filer engines; this only feeds them
// the panes' state and hands their cells to the painter.
#include <cwctype>
#include <span>
#include <vector>

#include "commands/PaneModes.h"
#include "filer/ViewFiler.h"
#include "filer/ViewFilerSettings.h"
#include "common/Paths.h"
#include "filer/DriveListCells.h"
#include "filer/FilerCellGrid.h"
#include "filer/NetworkList.h"
#include "filer/NetworkListCells.h"
#include "filer/VirtualDriveSource.h"
#include "filer/FilerCellPainter.h"
#include "filer/FilerHeaderLayout.h"
#include "filer/FilerHeaderText.h"
#include "filer/FilerLayoutRedraw.h"
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

bool IsEmpty(const RECT& r) {
    return r.right <= r.left || r.bottom <= r.top;
}

void Fill(HDC dc, const RECT& r, COLORREF color) {
    UniqueGdiObject brush(::CreateSolidBrush(color));
    ::FillRect(dc, &r, static_cast<HBRUSH>(brush.Get()));
}

bool SameColors(const filer::FilerColors& a, const filer::FilerColors& b) {
    return a.values == b.values;
}

// A memory device context for the Filer's picture, with its bitmap selected.
class PictureDc {
  public:
    PictureDc(HDC compatible, HGDIOBJ bitmap) : m_dc(::CreateCompatibleDC(compatible)) {
        if (m_dc != nullptr) m_old = ::SelectObject(m_dc, bitmap);
    }
    ~PictureDc() {
        if (m_dc == nullptr) return;
        ::SelectObject(m_dc, m_old);
        ::DeleteDC(m_dc);
    }
    PictureDc(const PictureDc&) = delete;
    PictureDc& operator=(const PictureDc&) = delete;
    [[nodiscard]] HDC Get() const { return m_dc; }

  private:
    HDC m_dc;
    HGDIOBJ m_old = nullptr;
};

// Limits drawing to a rectangle until it goes out of scope.  Cells are cut to
// their pane by the layout already; this also holds for text, bars and fills
// that a cell's painter places by its own arithmetic.
class ClipTo {
  public:
    ClipTo(HDC dc, const RECT& r) : m_dc(dc), m_saved(::SaveDC(dc)) {
        ::IntersectClipRect(dc, r.left, r.top, r.right, r.bottom);
    }
    ~ClipTo() {
        if (m_saved != 0) ::RestoreDC(m_dc, m_saved);
    }
    ClipTo(const ClipTo&) = delete;
    ClipTo& operator=(const ClipTo&) = delete;

  private:
    HDC m_dc;
    int m_saved;
};

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
        if (Pane(i).PreviewActive()) {
            in.content = filer::FilerPaneContent::Thumbnails;
            if (Pane(i).Thumbnails() != nullptr) in.thumbnailCellType = Pane(i).Thumbnails()->CellType(Pane(i).Path());
        }
        if (Pane(i).Kind() == kKindDriveList) in.content = filer::FilerPaneContent::DriveList;
        if (Pane(i).Kind() == kKindNetwork) {
            in.content = filer::FilerPaneContent::Network;
            in.networkTopLevel = NetworkOf(i).PseudoPath() == kEntireNetworkPath;
        }
        if (options.autoFileNameWidth) {
            in.longestStemCells =
                filer::LongestStemCells(EntriesOf(Pane(i)), settings.DOSWRITEFLAG != 0, settings.FILECHARTYPE);
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

PaneFrame ViewFiler::Arrange(HDC dc, const RECT& client) {
    PaneFrame frame;
    EnsureFont();
    const SIZE size = {client.right - client.left, client.bottom - client.top};
    if (size.cx <= 0 || size.cy <= 0) return frame;
    bool full = !m_pictureValid || !m_picture || size.cx != m_pictureSize.cx || size.cy != m_pictureSize.cy;
    if (!m_picture || size.cx != m_pictureSize.cx || size.cy != m_pictureSize.cy) {
        m_picture.Reset(::CreateCompatibleBitmap(dc, size.cx, size.cy));
        m_pictureSize = size;
    }
    if (!m_picture) return frame;
    const PictureDc picture(dc, m_picture.Get());
    if (picture.Get() == nullptr) return frame;
    HDC pdc = picture.Get();
    HGDIOBJ oldFont = ::SelectObject(pdc, m_font.Get());
    const filer::FilerLayoutResult before = m_layout;
    Layout(pdc, {0, 0, size.cx, size.cy});
    const filer::FilerColors colors = FilerColorsFrom(*m_context.settings);
    if (!filer::SameLayout(before, m_layout) || !SameColors(colors, m_paintedColors)) full = true;
    if (full) {
        Fill(pdc, {0, 0, size.cx, size.cy}, colors[filer::FilerColorId::BackGround]);
        m_paneFull = {true, true};
    }
    ::SelectObject(pdc, oldFont);
    m_paintedColors = colors;
    m_pictureValid = true;
    m_pictureOrigin = {client.left, client.top};
    for (int i = 0; i < 2; ++i) {
        // A pane another content shows keeps its cells in the picture, as
        // last painted, until the Filer shows it again.
        const filer::FilerPaneGeometry& g = m_layout.panes[static_cast<size_t>(i)];
        if (!g.shown) continue;
        RECT r = g.rect;
        ::OffsetRect(&r, client.left, client.top);
        frame.panes[static_cast<size_t>(i)] = r;
    }
    return frame;
}

void ViewFiler::PaintFrame(HDC dc, const RECT& client, const PaneFrame& frame) {
    if (!m_picture || !m_pictureValid) return;
    const PictureDc picture(dc, m_picture.Get());
    if (picture.Get() == nullptr) return;
    HDC pdc = picture.Get();
    HGDIOBJ oldFont = ::SelectObject(pdc, m_font.Get());
    PaintHeader(pdc, m_pictureSize.cx);
    ::SelectObject(pdc, oldFont);
    // The panes are their contents' to paint.
    const int saved = ::SaveDC(dc);
    for (const RECT& pane : frame.panes) ::ExcludeClipRect(dc, pane.left, pane.top, pane.right, pane.bottom);
    ::BitBlt(dc, client.left, client.top, m_pictureSize.cx, m_pictureSize.cy, pdc, 0, 0, SRCCOPY);
    if (saved != 0) ::RestoreDC(dc, saved);
}

void ViewFiler::Paint(HDC dc, int pane, const RECT& rect) {
    if (pane < 0 || pane > 1 || !m_picture || !m_pictureValid) return;
    const PictureDc picture(dc, m_picture.Get());
    if (picture.Get() == nullptr) return;
    HDC pdc = picture.Get();
    HGDIOBJ oldFont = ::SelectObject(pdc, m_font.Get());
    PaintPane(pdc, pane, m_paneFull[static_cast<size_t>(pane)]);
    m_paneFull[static_cast<size_t>(pane)] = false;
    ::SelectObject(pdc, oldFont);
    ::BitBlt(dc, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top, pdc,
             rect.left - m_pictureOrigin.x, rect.top - m_pictureOrigin.y, SRCCOPY);
}

// Every paint puts the shown thumbnails back: a cell the diff repainted has
// lost its picture, and one that just arrived has none yet.  The picture
// goes below the name line, framed by 3 pixels.
static void PaintThumbnails(HDC dc, const FilerPane& pane, const filer::FilerPaneGeometry& geometry,
                            const filer::FilerMetrics& metrics, SIZE box) {
    const int shown = filer::CellsShown(geometry);
    for (int p = std::max(0, pane.FirstShown()); p < pane.FirstShown() + shown && p < pane.Count(); ++p) {
        const RECT cell = filer::CellRect(geometry, metrics, p - pane.FirstShown());
        const RECT area = {cell.left + 3, cell.top + metrics.lineHeight + 3, cell.left + 3 + box.cx,
                           cell.top + metrics.lineHeight + 3 + box.cy};
        pane.Thumbnails()->DrawThumbnail(dc, area, pane.Path(), pane.EntryAt(p));
    }
}

void ViewFiler::PaintPane(HDC dc, int index, bool full) {
    const size_t slot = static_cast<size_t>(index);
    const filer::FilerPaneGeometry& geometry = m_layout.panes[slot];
    if (!geometry.shown) {
        m_paintedCells[slot].clear();
        return;
    }
    const ClipTo clip(dc, geometry.rect);
    const Settings& settings = *m_context.settings;
    FilerPane& pane = Pane(index);
    const filer::FilerColors colors = FilerColorsFrom(settings);
    if (full) Fill(dc, geometry.rect, colors[filer::FilerColorId::BackGround]);
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
    // A search result shows after its name the directory it was found in.
    std::vector<std::wstring> foundIn;
    if (pane.SubKind() & kSubKindSearchResult) {
        foundIn.reserve(static_cast<size_t>(std::max(count, 0)));
        for (int i = 0; i < count; ++i) foundIn.push_back(pane.Source().EntryDirectory(pane.Path(), pane.Entry(i)));
        input.foundIn = foundIn;
    }

    const filer::FilerMetrics& metrics = m_layout.metrics;
    const filer::FilerCellPainter painter(static_cast<HFONT>(m_font.Get()), metrics);
    std::vector<filer::PaintCell> cells;
    if (pane.Kind() == kKindDriveList) {
        cells = filer::BuildDriveListCells(geometry, metrics,
                                           {pane.DriveLines(), pane.FirstShown(), pane.Cursor(), active}, colors);
    } else if (pane.Kind() == kKindNetwork) {
        std::vector<NetResourceEntry> entries;
        for (int i = 0; i < pane.NetworkCount(); ++i) entries.push_back(pane.NetworkEntry(i));
        filer::NetworkCellOptions net;
        net.netResourceLong = settings.NETRESOURCELONG;
        net.netResourceComment = settings.NETRESOURCECOMMENT;
        net.netResourceProvider = settings.NETRESOURCEPROVIDER;
        net.remoteCommentWrite = settings.REMOTECOMMENTWRITE != 0;
        net.remoteProviderWrite = settings.REMOTEPROVIDERWRITE != 0;
        net.fileNameLastEllipsis = settings.FILENAMELASTELLIPSIS != 0;
        net.topLevel = NetworkOf(index).PseudoPath() == kEntireNetworkPath;
        cells = filer::BuildNetworkCells(geometry, metrics, {entries, order, pane.FirstShown(), pane.Cursor(), active},
                                         net, colors);
    } else {
        cells = filer::BuildPaneCells(geometry, metrics, input, FilerCellOptionsFrom(settings), colors, kinds);
        if (pane.NotReady()) cells.push_back(filer::BuildNotReadyCell(geometry, metrics, active, colors));
    }
    filer::CellRepaint repaint;
    repaint.all = true;
    if (!full) repaint = filer::CellsToRepaint(m_paintedCells[slot], cells);
    if (repaint.all) {
        // Cells that are gone leave background behind.
        RECT list = geometry.rect;
        list.top = filer::TitleRect(geometry, metrics).bottom;
        if (!full) Fill(dc, list, colors[filer::FilerColorId::BackGround]);
        painter.Paint(dc, cells);
        pane.ClearLoading();
    } else {
        for (const size_t i : repaint.cells) painter.Paint(dc, cells[i]);
    }
    m_paintedCells[slot] = std::move(cells);
    if (pane.PreviewActive() && pane.Thumbnails() != nullptr)
        PaintThumbnails(dc, pane, geometry, metrics, {settings.PREVIEW_WIDTH, settings.PREVIEW_HEIGHT});

    filer::FilerTitleInput title;
    title.currentDirectory = pane.Path();
    if (ProcessVirtualDrives().ForPath(pane.Path())) {
        title.kind = filer::FilerTitleKind::VirtualDrive;
        title.virtualDrive = pane.Path();
    }
    title.writeFreeSize = settings.WRITEFILERFREESIZE != 0;
    title.freeBytes = pane.FreeBytes();
    // No volume has a capacity of 0: a zero total is a drive that did not answer.
    title.spaceKnown = pane.TotalBytes() != 0;
    std::wstring titleText = filer::PaneTitleText(title);
    if (pane.Kind() == kKindDriveList) titleText = kDriveListTitle;
    if (pane.Kind() == kKindNetwork) titleText = NetworkOf(index).PseudoPath();
    filer::PaintCell titleCell = filer::BuildTitleCell(geometry, metrics, titleText, active, colors);
    if (full || !(titleCell == m_paintedTitles[slot])) painter.Paint(dc, titleCell);
    m_paintedTitles[slot] = std::move(titleCell);
}

void ViewFiler::PaintHeader(HDC dc, int width) {
    if (m_layout.headerLines <= 0) return;
    const Settings& settings = *m_context.settings;
    const filer::FilerMetrics& metrics = m_layout.metrics;
    const filer::FilerColors colors = FilerColorsFrom(settings);
    const filer::FilerCellPainter painter(static_cast<HFONT>(m_font.Get()), metrics);
    const filer::FilerHeaderBoxes boxes = filer::ComputeHeaderBoxes(metrics, width, HeaderOptions());
    FilerPane& pane = Pane(ActivePane());
    const COLORREF back = colors[filer::FilerColorId::BackGround];
    const COLORREF line = colors[filer::FilerColorId::Line];
    const COLORREF label = colors[filer::FilerColorId::AllIntro];
    const COLORREF value = colors[filer::FilerColorId::Information];
    const COLORREF caption = colors[filer::FilerColorId::IntroVolume];
    // The header is a few boxes of text: painted whole each time, it always
    // agrees with the cursor entry, the counts and the clock.
    Fill(dc, {0, 0, width, m_layout.headerLines * metrics.lineHeight}, back);

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
        text(boxes.volume, 0, 0, filer::kVolumeBoxCaption, caption);
        const std::array<bool, 9> hvolume = {settings.HVOLUME0 != 0, settings.HVOLUME1 != 0, settings.HVOLUME2 != 0,
                                             settings.HVOLUME3 != 0, settings.HVOLUME4 != 0, settings.HVOLUME5 != 0,
                                             settings.HVOLUME6 != 0, settings.HVOLUME7 != 0, settings.HVOLUME8 != 0};
        filer::VolumeInfoValues values;
        if (settings.HVOLUME7 != 0) values.volumeLabel = VolumeLabelOf(pane.Path());
        values.capacityBytes = pane.TotalBytes();
        values.freeBytes = pane.FreeBytes();
        values.spaceKnown = pane.TotalBytes() != 0;
        values.currentDirectory = pane.Path();
        values.files = pane.CountEntries(true, false);
        values.directories = pane.CountEntries(false, true);
        values.markedFiles = pane.CountMarked(true, false);
        values.markedDirectories = pane.CountMarked(false, true);
        const std::vector<filer::HeaderItem> items = filer::VolumeInfoItems(hvolume, values);
        for (size_t n = 0; n < items.size(); ++n) item(boxes.volume, static_cast<int>(n) + 1, 0, items[n]);
    }
    m_headerDriveBox = boxes.drives;
    if (!IsEmpty(boxes.drives)) {
        FrameBox(dc, boxes.drives, line);
        text(boxes.drives, 0, 0, filer::kDriveBoxCaption, caption);
        const filer::HeaderDriveRow row =
            filer::HeaderDriveLetters(::GetLogicalDrives() | ProcessVirtualDrives().LoadedMask(), m_headerDriveFirst);
        const std::wstring& path = pane.Path();
        const wchar_t current = path.size() >= 2 && path[1] == L':' ? static_cast<wchar_t>(::towupper(path[0])) : 0;
        if (row.before) text(boxes.drives, 2, 0, L"<", label);
        for (size_t n = 0; n < row.letters.size(); ++n) {
            const int column = 2 + static_cast<int>(n) * filer::kHeaderDriveSpacing;
            if (row.letters[n][0] == current) {
                const int x = boxes.drives.left + metrics.charWidth * (1 + column);
                const int y = boxes.drives.top + 2 * metrics.lineHeight;
                Fill(dc, {x, y, x + 2 * metrics.charWidth, y + metrics.lineHeight}, caption);
                text(boxes.drives, 2, column, row.letters[n], back);
            } else {
                text(boxes.drives, 2, column, row.letters[n], value);
            }
        }
        if (row.after) text(boxes.drives, 2, 2 + filer::kHeaderDrivesPerView * filer::kHeaderDriveSpacing, L">", label);
    }
    if (!IsEmpty(boxes.search)) {
        FrameBox(dc, boxes.search, line);
        text(boxes.search, 0, 0, filer::kSearchBoxCaption, caption);
        text(boxes.search, 2, 0, filer::SearchBoxLabel(false), label);
        const int typedAt = CellsOf(filer::SearchBoxLabel(false), metrics.charWidth) + 1;
        text(boxes.search, 2, typedAt, m_search.Buffer(), value);
    }
    if (!IsEmpty(boxes.fileInfo)) {
        FrameBox(dc, boxes.fileInfo, line);
        text(boxes.fileInfo, 0, 0, filer::kFileInfoBoxCaption, caption);
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
        item(boxes.fileInfo, 2, 17, t.time);
        item(boxes.fileInfo, 3, 0, t.size);
        item(boxes.fileInfo, 3, 21, t.attributes);
        item(boxes.fileInfo, 4, 0, t.mask);
    }
    PaintHeaderClock(dc);
}

filer::FilerHeaderOptions ViewFiler::HeaderOptions() const {
    filer::FilerHeaderOptions options = FilerHeaderOptionsFrom(*m_context.settings);
    // The battery gives way to a viewer.
    options.viewerShown = m_context.modes->Query(PaneModes::kEither, 0, pane_mode::kAllViewers);
    return options;
}

void ViewFiler::PaintHeaderClock(HDC dc) {
    const Settings& settings = *m_context.settings;
    const filer::FilerMetrics& metrics = m_layout.metrics;
    const filer::FilerColors colors = FilerColorsFrom(settings);
    const filer::FilerCellPainter painter(static_cast<HFONT>(m_font.Get()), metrics);
    const filer::FilerHeaderBoxes boxes = filer::ComputeHeaderBoxes(metrics, m_pictureSize.cx, HeaderOptions());
    const COLORREF back = colors[filer::FilerColorId::BackGround];
    if (!IsEmpty(boxes.clock)) {
        SYSTEMTIME now{};
        ::GetLocalTime(&now);
        Fill(dc, boxes.clock, back);
        painter.PaintText(dc, boxes.clock.left, boxes.clock.top, boxes.clock, filer::ClockText(now),
                          colors[filer::FilerColorId::Time]);
    }
    m_paintedBattery.clear();
    if (!IsEmpty(boxes.battery)) {
        SYSTEM_POWER_STATUS power{};
        if (!::GetSystemPowerStatus(&power)) return;
        const filer::BatteryText battery =
            filer::BatteryInfoText(filer::BatteryStatusFrom(power), settings.BATTERY_INFO_ALARM_PERSENT, colors);
        Fill(dc, boxes.battery, back);
        painter.PaintText(dc, boxes.battery.left, boxes.battery.top, boxes.battery, filer::kBatteryLabel,
                          colors[filer::FilerColorId::AllIntro]);
        const int x = boxes.battery.left + CellsOf(filer::kBatteryLabel, metrics.charWidth) * metrics.charWidth;
        painter.PaintText(dc, x, boxes.battery.top, boxes.battery, battery.text, battery.color);
        m_paintedBattery = battery.text;
    }
}

void ViewFiler::InvalidateHeaderClock() {
    if (!m_pictureValid || m_layout.headerLines <= 0) return;
    const Settings& settings = *m_context.settings;
    const filer::FilerHeaderBoxes boxes =
        filer::ComputeHeaderBoxes(m_layout.metrics, m_pictureSize.cx, HeaderOptions());
    auto invalidate = [this](RECT r) {
        ::OffsetRect(&r, m_pictureOrigin.x, m_pictureOrigin.y);
        ::InvalidateRect(m_context.view, &r, FALSE);
    };
    if (!IsEmpty(boxes.clock)) invalidate(boxes.clock);
    if (IsEmpty(boxes.battery)) return;
    SYSTEM_POWER_STATUS power{};
    if (!::GetSystemPowerStatus(&power)) return;
    const filer::BatteryText battery = filer::BatteryInfoText(
        filer::BatteryStatusFrom(power), settings.BATTERY_INFO_ALARM_PERSENT, FilerColorsFrom(settings));
    if (battery.text != m_paintedBattery) invalidate(boxes.battery);
}

std::wstring ViewFiler::VolumeLabelOf(const std::wstring& path) {
    const std::wstring root = RootOf(path);
    if (root.empty()) return {};
    if (root != m_volumeRoot) {
        wchar_t label[MAX_PATH + 1] = {};
        m_volumeLabel =
            ::GetVolumeInformationW(root.c_str(), label, MAX_PATH + 1, nullptr, nullptr, nullptr, nullptr, 0) ? label
                                                                                                              : L"";
        m_volumeRoot = root;
    }
    return m_volumeLabel;
}

}  // namespace zq
