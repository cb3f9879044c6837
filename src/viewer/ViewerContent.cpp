#include "viewer/ViewerContent.h"

#include <algorithm>

#include "commands/CommandRegistry.h"
#include "commands/PaneModes.h"
#include "filer/FilerPane.h"
#include "filer/ViewFiler.h"
#include "settings/EventSounds.h"
#include "settings/Settings.h"
#include "resource.h"
#include "ui/CMessageBoxDlg.h"
#include "viewer/ViewerLayout.h"

namespace zq {

using viewer::TextLock;
using viewer::ViewerCharCode;
using viewer::ViewerText;

namespace {

// How MoveSelectionEnd moves the end.
enum SelectMove { kSelectLeft = 0, kSelectRight = 1, kSelectLines = 2 };

// Auto-scrolling waits VIEWSCROLLSPEED x 20 ms; a speed outside 0 to 10 counts as 5.
unsigned ScrollPeriod(int speed) {
    if (speed < 0 || speed > 10) speed = 5;
    // Speed 0 scrolls as fast as drawing allows: the shortest timer there is.
    return speed == 0 ? USER_TIMER_MINIMUM : static_cast<unsigned>(speed) * 20;
}

}  // namespace

ViewerContent::ViewerContent(ViewContext& context, ViewFiler& filer) : m_context(context), m_filer(filer) {
    for (int i = 0; i < 2; ++i) m_texts[static_cast<size_t>(i)] = std::make_unique<ViewerText>(i);
    if (m_context.settings) m_kinds = viewer::KindSettingsFrom(*m_context.settings);
}

ViewerContent::~ViewerContent() = default;

std::uint32_t ViewerContent::ModeMask() const {
    return pane_mode::kViewerGroup;
}

bool ViewerContent::ShowsText(int pane) const {
    return pane >= 0 && pane <= 1 && m_context.modes->Query(pane, 0, pane_mode::kViewerGroup);
}

int ViewerContent::TargetPane() const {
    const int focused = m_context.modes->FocusedPane();
    if (ShowsText(focused)) return focused;
    for (int pane = 0; pane < 2; ++pane)
        if (ShowsText(pane)) return pane;
    return -1;
}

std::wstring ViewerContent::ActiveLocation() {
    const int focused = m_context.modes->FocusedPane();
    return ShowsText(focused) ? Text(focused).ViewedPath() : std::wstring();
}

void ViewerContent::ShowError(const std::wstring& text) const {
    ui::ZqMessageBox(m_context.view, text);
}

void ViewerContent::Redraw(int pane) {
    if (m_host && pane >= 0) m_host->RedrawPane(pane);
}

void ViewerContent::RedrawAll() {
    for (int pane = 0; pane < 2; ++pane)
        if (ShowsText(pane)) Redraw(pane);
}

viewer::ViewerOpenSettings ViewerContent::OpenSettings() const {
    const Settings& s = *m_context.settings;
    return {s.TABCARAMES, s.VIEWCHARWIDE, static_cast<ViewerCharCode>(s.VIEWER_CHAR_CODE), &m_kinds};
}

// A text opened again keeps the layout the pane shows now: the per-extension
// rows were applied when it was first opened and a preset chosen since stays.
viewer::ViewerOpenSettings ViewerContent::CurrentSettings(int pane) const {
    const ViewerText& text = *m_texts.at(static_cast<size_t>(pane));
    return {text.TabWidth(), text.Columns(), static_cast<ViewerCharCode>(m_context.settings->VIEWER_CHAR_CODE),
            nullptr};
}

int ViewerContent::VisibleRows(int pane) const {
    const int painted = m_texts.at(static_cast<size_t>(pane))->VisibleRows();
    if (painted > 0) return painted;
    // Not painted yet: the Filer's last layout of the pane, less the status line.
    const auto& geometry = m_filer.LayoutResult().panes.at(static_cast<size_t>(pane));
    return std::max(1, geometry.heightLines - 1);
}

bool ViewerContent::OpenInPane(int pane, const FileEntry& entry, const std::wstring& directory) {
    if (pane < 0 || pane > 1) return false;
    ViewerText& text = Text(pane);
    if (m_selection.pane == pane) m_selection.Clear();
    if (m_autoDirection != 0 && TargetPane() == pane) StopAutoScroll();
    text.SetBinaryDisplay(false);
    if (!text.Open(entry, directory, OpenSettings())) {
        ShowError(std::wstring(entry.cFileName) + L"を開くのに失敗しました");
        return false;
    }
    if (m_host) m_host->ShowMode(pane, pane_mode::kText, 0);
    m_paintedLines[static_cast<size_t>(pane)] = -1;
    EnsureLoadTimer();
    Redraw(pane);
    return true;
}

bool ViewerContent::OpenMemoryInPane(int pane, const FileEntry& entry, const std::wstring& directory, HLOCAL block,
                                     std::int64_t length) {
    ViewerText& text = Text(pane);
    if (m_selection.pane == pane) m_selection.Clear();
    if (m_autoDirection != 0 && TargetPane() == pane) StopAutoScroll();
    text.SetBinaryDisplay(false);
    if (!text.OpenMemory(entry, directory, block, length, OpenSettings())) {
        ShowError(std::wstring(entry.cFileName) + L"を開くのに失敗しました");
        return false;
    }
    if (m_host) m_host->ShowMode(pane, pane_mode::kText, 0);
    m_paintedLines[static_cast<size_t>(pane)] = -1;
    EnsureLoadTimer();
    Redraw(pane);
    return true;
}

void ViewerContent::CloseViewer(int pane) {
    if (pane < 0 || pane > 1) return;
    if (TargetPane() == pane) StopAutoScroll();
    if (m_selection.pane == pane) {
        EndDrag();
        m_selection.Clear();
    }
    if (m_reloadPane == pane) {
        if (m_host) m_host->StopTimer(kReloadTimer);
        m_reloadPane = -1;
    }
    Text(pane).Close();
    Text(pane).SetBinaryDisplay(false);
    Text(pane).SetVisibleRows(0);
    if (m_host) m_host->ShowFiler(pane);
}

void ViewerContent::Add(CommandId id, std::function<void(int pane)> action) {
    m_context.registry->Register(id, [this, action = std::move(action)](const CommandCall&) {
        const int pane = TargetPane();
        if (pane >= 0) action(pane);
    });
}

void ViewerContent::RegisterCommands() {
    CommandRegistry& registry = *m_context.registry;
    Settings& settings = *m_context.settings;

    registry.Register(cmd::filer::View, [this](const CommandCall&) {
        const int pane = m_filer.ActivePane();
        if (!m_context.modes->Query(pane, 0, pane_mode::kDirectory)) return;
        FilerPane& listing = m_filer.Pane(pane);
        const FileEntry* entry = listing.CursorEntry();
        if (!entry || ClassOf(*entry) != kEntryFile) return;
        PlayEventSound(*m_context.settings, SoundEvent::View);
        if (listing.Source().EntriesOnDisk()) {
            (void)OpenInPane(pane, *entry, listing.Source().EntryDirectory(listing.Path(), *entry));
            return;
        }
        // An entry of another source (an archive member) is read into memory first.
        const auto limit = ViewerText::MemberByteLimit(*entry, m_context.settings->GETVIEWMEM);
        HLOCAL block = nullptr;
        std::size_t length = 0;
        if (!listing.Source().ReadEntry(listing.Path(), entry->cFileName, static_cast<std::size_t>(limit), block,
                                        length)) {
            ShowError(std::wstring(entry->cFileName) + L"を開くのに失敗しました");
            return;
        }
        (void)OpenMemoryInPane(pane, *entry, listing.Path(), block, static_cast<std::int64_t>(length));
    });
    registry.Register(cmd::filer::Otheralwaysviewer, [this](const CommandCall&) {
        m_otherAlways = !m_otherAlways;
        m_otherFollowed.clear();
        if (!m_host) return;
        if (m_otherAlways) {
            m_host->StartTimer(kOtherTimer, 150);
            FollowOtherPane();
        } else {
            m_host->StopTimer(kOtherTimer);
        }
    });

    // Scrolling; every scroll command stops auto-scrolling first.
    const auto scroll = [this](CommandId id, std::function<std::int64_t(int pane)> delta) {
        Add(id, [this, delta = std::move(delta)](int pane) {
            StopAutoScroll();
            Scroll(pane, delta(pane));
        });
    };
    const auto count = [this](int pane) -> std::int64_t {
        ViewerText& text = Text(pane);
        return text.BinaryDisplay() ? viewer::HexRowCount(text.TextLength()) : text.LineCount();
    };
    scroll(cmd::viewer::Up, [](int) { return -1; });
    scroll(cmd::viewer::Down, [](int) { return 1; });
    scroll(cmd::viewer::Beforepage, [this](int pane) { return -VisibleRows(pane); });
    scroll(cmd::viewer::Nextpage, [this](int pane) { return VisibleRows(pane); });
    scroll(cmd::viewer::Beforehalfpage, [this](int pane) { return -(VisibleRows(pane) / 2); });
    scroll(cmd::viewer::Nexthalfpage, [this](int pane) { return VisibleRows(pane) / 2; });
    scroll(cmd::viewer::Jumpfirstline, [count](int pane) { return -count(pane); });
    scroll(cmd::viewer::Jumpendline, [count](int pane) { return count(pane); });
    Add(cmd::viewer::Autonext, [this](int) { AutoScroll(1); });
    Add(cmd::viewer::Autobefore, [this](int) { AutoScroll(-1); });

    // The selection by keys.
    const auto select = [this](CommandId id, int kind, std::function<std::int64_t(int pane)> amount) {
        Add(id, [this, kind, amount = std::move(amount)](int pane) {
            StopAutoScroll();
            MoveSelectionEnd(pane, kind, amount(pane));
        });
    };
    const auto lines = [this](int pane) -> std::int64_t { return Text(pane).LineCount(); };
    select(cmd::viewer::Selectleft, kSelectLeft, [](int) { return 1; });
    select(cmd::viewer::Selectright, kSelectRight, [](int) { return 1; });
    select(cmd::viewer::Selectup, kSelectLines, [](int) { return -1; });
    select(cmd::viewer::Selectdown, kSelectLines, [](int) { return 1; });
    select(cmd::viewer::Selectbeforepage, kSelectLines, [this](int pane) { return -VisibleRows(pane); });
    select(cmd::viewer::Selectnextpage, kSelectLines, [this](int pane) { return VisibleRows(pane); });
    select(cmd::viewer::Selecthalfbeforepage, kSelectLines, [this](int pane) { return -(VisibleRows(pane) / 2); });
    select(cmd::viewer::Selecthalfnextpage, kSelectLines, [this](int pane) { return VisibleRows(pane) / 2; });
    select(cmd::viewer::Selectfirstline, kSelectLines, [lines](int pane) { return -lines(pane); });
    select(cmd::viewer::Selectendline, kSelectLines, [lines](int pane) { return lines(pane); });
    Add(cmd::viewer::Viewallselect, [this](int) { SelectAll(); });
    Add(cmd::viewer::Clipcopy, [this](int) { CopySelection(); });

    // Display.
    Add(cmd::viewer::Closeviewer, [this](int pane) { CloseViewer(pane); });
    Add(cmd::viewer::Textprint, [this](int pane) { Print(pane); });
    registry.RegisterMenu(IDM_VIEWER_SETTINGS, [this](const CommandCall&) { EditSettings(false); });
    registry.RegisterMenu(IDM_VIEWER_KIND_SETTINGS, [this](const CommandCall&) { EditSettings(true); });
    Add(cmd::viewer::Linenumber, [this, &settings](int) {
        settings.VIEWNUMBER = settings.VIEWNUMBER ? 0 : 1;
        RedrawAll();
    });
    const CommandId presets[] = {cmd::viewer::Lineword1, cmd::viewer::Lineword2, cmd::viewer::Lineword3,
                                 cmd::viewer::Lineword4, cmd::viewer::Lineword5};
    for (size_t i = 0; i < std::size(presets); ++i)
        Add(presets[i], [this, &settings, i](int) { SetColumns(settings.viewerSetting[i], 0); });
    Add(cmd::viewer::Changetab4, [this](int) { SetColumns(0, 4); });
    Add(cmd::viewer::Changetab8, [this](int) { SetColumns(0, 8); });
    const std::pair<CommandId, ViewerCharCode> codes[] = {
        {cmd::viewer::CharCodeShiftJIS, viewer::kCharCodeSjis},   {cmd::viewer::CharCodeEUC, viewer::kCharCodeEuc},
        {cmd::viewer::CharCodeUNICODE, viewer::kCharCodeUnicode}, {cmd::viewer::CharCodeJIS, viewer::kCharCodeJis},
        {cmd::viewer::CharCodeUTF8, viewer::kCharCodeUtf8},       {cmd::viewer::CharCodeAuto, viewer::kCharCodeAuto}};
    for (const auto& [id, code] : codes) Add(id, [this, code = code](int) { ChangeCode(code); });
    Add(cmd::viewer::ReloadFile, [this](int pane) { Reload(pane); });
    Add(cmd::viewer::Changebinary, [this](int pane) { ToggleBinary(pane); });
    RegisterSearchCommands();
}

void ViewerContent::OnSettingsChanged(bool) {
    m_kinds = viewer::KindSettingsFrom(*m_context.settings);
    m_font.Reset();
    RedrawAll();
}

void ViewerContent::Scroll(int pane, std::int64_t delta) {
    ViewerText& text = Text(pane);
    const int rows = VisibleRows(pane);
    const std::int64_t next =
        text.BinaryDisplay()
            ? viewer::ScrolledHexTop(text.TopLine(), delta, viewer::HexRowCount(text.TextLength()), rows)
            : viewer::ScrolledTop(text.TopLine(), delta, text.LineCount(), rows);
    if (next == text.TopLine()) return;
    text.SetTopLine(static_cast<std::int32_t>(next));
    if (m_context.settings->VIEWFINDSCROLLPOSITION && !text.BinaryDisplay()) {
        const TextLock lock(text);
        if (lock && next < text.LineCount()) text.searchPosition = text.LineStart(static_cast<std::int32_t>(next));
    }
    Redraw(pane);
}

void ViewerContent::MoveSelectionEnd(int pane, int kind, std::int64_t amount) {
    ViewerText& text = Text(pane);
    if (text.BinaryDisplay()) return;
    {
        const TextLock lock(text);
        if (!lock) return;
        const viewer::TextView view{text.Text(), text.TextLength(), text.Lines(), text.LineCount()};
        if (view.lineCount <= 0) return;
        if (!m_selection.exists || m_selection.pane != pane) {
            const std::int32_t top = std::min(text.TopLine(), view.lineCount - 1);
            m_selection.Clear();
            m_selection.pane = pane;
            m_selection.exists = true;
            m_selection.start = m_selection.end = view.lines[top];
        }
        m_selection.previousEnd = m_selection.end;
        std::int64_t& end = m_selection.end;
        if (kind == kSelectLeft)
            end = viewer::StepLeft(view, end);
        else if (kind == kSelectRight)
            end = viewer::StepRight(view, end);
        else
            end = viewer::StepLines(view, end, amount);
        const int rows = VisibleRows(pane);
        const std::int64_t top = viewer::TopShowing(text.TopLine(), viewer::LineOf(view, end), rows);
        text.SetTopLine(static_cast<std::int32_t>(viewer::ScrolledTop(top, 0, view.lineCount, rows)));
    }
    Redraw(pane);
}

void ViewerContent::SelectAll() {
    for (int pane = 0; pane < 2; ++pane) {
        if (!ShowsText(pane) || Text(pane).BinaryDisplay()) continue;
        StopAutoScroll();
        m_selection.Clear();
        m_selection.pane = pane;
        m_selection.exists = true;
        m_selection.start = 0;
        m_selection.end = Text(pane).TextLength();
        Redraw(pane);
        return;
    }
}

void ViewerContent::SetColumns(int columns, int tabWidth) {
    for (int pane = 0; pane < 2; ++pane) {
        if (pane != TargetPane()) continue;
        if (!ReindexPane(pane, tabWidth, columns)) return;
    }
}

bool ViewerContent::ReindexPane(int pane, int tabWidth, int columns) {
    ViewerText& text = Text(pane);
    if (m_selection.pane == pane) m_selection.Clear();
    if (!text.Reindex(tabWidth, columns)) {
        const std::wstring name = text.ViewedEntry().cFileName;
        CloseViewer(pane);
        ShowError(name + L"を開くのに失敗しました");
        return false;
    }
    m_paintedLines[static_cast<size_t>(pane)] = -1;
    EnsureLoadTimer();
    Redraw(pane);
    return true;
}

void ViewerContent::ChangeCode(ViewerCharCode request) {
    m_context.settings->VIEWER_CHAR_CODE = request;
    for (int pane = 0; pane < 2; ++pane) {
        if (!ShowsText(pane)) continue;
        ViewerText& text = Text(pane);
        if (!viewer::CodeChangeNeedsReopen(request, text.EffectiveCode(), text.DetectedCode())) continue;
        if (m_selection.pane == pane) m_selection.Clear();
        // Text from an archive is extracted again by the archive browser, which is not there yet.
        if (text.FromMemory()) continue;
        if (!text.Reopen(CurrentSettings(pane))) {
            const std::wstring name = text.ViewedEntry().cFileName;
            CloseViewer(pane);
            ShowError(name + L"を開くのに失敗しました");
            continue;
        }
        m_paintedLines[static_cast<size_t>(pane)] = -1;
        EnsureLoadTimer();
        Redraw(pane);
    }
}

void ViewerContent::Reload(int pane) {
    ViewerText& text = Text(pane);
    if (text.FromMemory()) return;
    if (m_selection.pane == pane) m_selection.Clear();
    StopAutoScroll();
    if (!text.BeginReload(CurrentSettings(pane))) {
        const std::wstring name = text.ViewedEntry().cFileName;
        CloseViewer(pane);
        ShowError(name + L"を開くのに失敗しました");
        return;
    }
    m_reloadPane = pane;
    if (!m_host || !m_host->StartTimer(kReloadTimer, 100)) OnTimer(kReloadTimer);
    EnsureLoadTimer();
}

void ViewerContent::ToggleBinary(int pane) {
    ViewerText& text = Text(pane);
    StopAutoScroll();
    text.SetBinaryDisplay(!text.BinaryDisplay());
    text.SetTopLine(0);
    text.searchOrigin = 0;
    text.searchPosition = 0;
    EndDrag();
    m_selection.Clear();
    Redraw(pane);
}

void ViewerContent::AutoScroll(int direction) {
    if (m_autoDirection == -direction) {
        StopAutoScroll();
        return;
    }
    const int pane = TargetPane();
    if (pane < 0) return;
    Scroll(pane, static_cast<std::int64_t>(m_context.settings->VIEWSCROLLLINE) * direction);
    m_autoDirection = direction;
    if (m_host) m_host->StartTimer(kScrollTimer, ScrollPeriod(m_context.settings->VIEWSCROLLSPEED));
}

void ViewerContent::StopAutoScroll() {
    if (m_host) m_host->StopTimer(kScrollTimer);
    m_autoDirection = 0;
}

void ViewerContent::Suspend() {
    StopAutoScroll();
    EndDrag();
}

void ViewerContent::EnsureLoadTimer() {
    if (m_loadTimer || !m_host) return;
    m_loadTimer = m_host->StartTimer(kLoadTimer, 200);
}

void ViewerContent::OnPeriodicTimer() {
    for (int pane = 0; pane < 2; ++pane)
        if (ShowsText(pane) && Text(pane).LineCount() != m_paintedLines[static_cast<size_t>(pane)]) Redraw(pane);
}

void ViewerContent::OnTimer(unsigned id) {
    switch (id) {
        case kLoadTimer: {
            // Lines keep arriving while a loader runs: what is indexed is shown.
            bool loading = false;
            for (int pane = 0; pane < 2; ++pane) {
                if (!ShowsText(pane)) continue;
                if (Text(pane).LineCount() != m_paintedLines[static_cast<size_t>(pane)]) Redraw(pane);
                if (!Text(pane).LoaderFinished()) loading = true;
            }
            if (!loading) {
                if (m_host) m_host->StopTimer(kLoadTimer);
                m_loadTimer = false;
            }
            break;
        }
        case kReloadTimer: {
            if (m_reloadPane < 0) break;
            ViewerText& text = Text(m_reloadPane);
            if (!text.ReloadSettled()) break;
            if (m_host) m_host->StopTimer(kReloadTimer);
            text.FinishReload();
            text.SetTopLine(static_cast<std::int32_t>(
                viewer::ScrolledTop(text.TopLine(), 0, text.LineCount(), VisibleRows(m_reloadPane))));
            Redraw(m_reloadPane);
            m_reloadPane = -1;
            break;
        }
        case kOtherTimer:
            FollowOtherPane();
            break;
        case kSelectTimer: {
            POINT at{};
            ::GetCursorPos(&at);
            ::ScreenToClient(m_context.view, &at);
            OnDrag(at);
            break;
        }
        case kScrollTimer: {
            if (m_host) m_host->StopTimer(kScrollTimer);
            const int pane = TargetPane();
            if (pane < 0 || m_autoDirection == 0) break;
            ViewerText& text = Text(pane);
            Scroll(pane, static_cast<std::int64_t>(m_context.settings->VIEWSCROLLLINE) * m_autoDirection);
            const std::int64_t count = text.BinaryDisplay() ? viewer::HexRowCount(text.TextLength()) : text.LineCount();
            if (viewer::MoreToScroll(text.TopLine(), m_autoDirection, count, VisibleRows(pane), text.BinaryDisplay())) {
                if (m_host) m_host->StartTimer(kScrollTimer, ScrollPeriod(m_context.settings->VIEWSCROLLSPEED));
            } else {
                m_autoDirection = 0;
            }
            break;
        }
        default:
            break;
    }
}

// The other pane shows the file under the cursor of the focused Filer pane.
void ViewerContent::FollowOtherPane() {
    if (!m_otherAlways) return;
    const int focused = m_context.modes->FocusedPane();
    if (focused < 0 || !m_context.modes->Query(focused, 0, pane_mode::kDirectory)) return;
    const FilerPane& listing = m_filer.Pane(focused);
    const FileEntry* entry = listing.CursorEntry();
    const std::wstring key = entry ? listing.Path() + L"\\" + entry->cFileName : std::wstring();
    if (key == m_otherFollowed) return;
    m_otherFollowed = key;
    if (!entry || ClassOf(*entry) != kEntryFile) return;
    const int other = focused ^ 1;
    if (m_selection.pane == other) m_selection.Clear();
    Text(other).SetBinaryDisplay(false);
    // A failed open leaves the pane in the Viewer without a text.
    (void)Text(other).Open(*entry, listing.Path(), OpenSettings());
    if (!ShowsText(other) && m_host) m_host->ShowMode(other, pane_mode::kText, 0);
    m_paintedLines[static_cast<size_t>(other)] = -1;
    EnsureLoadTimer();
    Redraw(other);
}

}  // namespace zq
