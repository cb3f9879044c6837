#include "binedit/BinaryEditorContent.h"

#include <algorithm>
#include <cstdlib>
#include <new>

#include "binedit/BinaryMessages.h"
#include "commands/CommandRegistry.h"
#include "commands/PaneModes.h"
#include "common/Paths.h"
#include "external/CompanionLibrary.h"
#include "filer/FilerPane.h"
#include "filer/ViewFiler.h"
#include "settings/Settings.h"
#include "ui/CMessageBoxDlg.h"

namespace zq {

using binedit::CBinaryData;

namespace {

// Speeds 1 to 10; anything else counts as the middle one.
unsigned Period(int speed, unsigned unit) {
    if (speed < 1 || speed > 10) speed = 5;
    return static_cast<unsigned>(speed) * unit;
}

}  // namespace

BinaryEditorContent::BinaryEditorContent(ViewContext& context, ViewFiler& filer) : m_context(context), m_filer(filer) {}

BinaryEditorContent::~BinaryEditorContent() = default;

std::uint32_t BinaryEditorContent::ModeMask() const {
    return pane_mode::kBinaryGroup;
}

bool BinaryEditorContent::Edits(int pane) const {
    return pane >= 0 && pane <= 1 && m_data.at(static_cast<size_t>(pane)) &&
           m_context.modes->Query(pane, 0, pane_mode::kBinaryGroup);
}

int BinaryEditorContent::TargetPane() const {
    const int focused = m_context.modes->FocusedPane();
    if (Edits(focused)) return focused;
    for (int pane = 0; pane < 2; ++pane)
        if (Edits(pane)) return pane;
    return -1;
}

std::wstring BinaryEditorContent::ActiveLocation() {
    const int focused = m_context.modes->FocusedPane();
    return Edits(focused) ? Data(focused).Path() : std::wstring();
}

void BinaryEditorContent::ShowError(const std::wstring& text) const {
    ui::ZqMessageBox(m_context.view, text);
}

void BinaryEditorContent::Redraw(int pane) {
    if (m_host && pane >= 0) m_host->RedrawPane(pane);
}

int BinaryEditorContent::VisibleRows(int pane) const {
    const int painted = m_visibleRows.at(static_cast<size_t>(pane));
    if (painted > 0) return painted;
    // Not painted yet: the Filer's last layout of the pane, less the status line.
    const auto& geometry = m_filer.LayoutResult().panes.at(static_cast<size_t>(pane));
    return std::max(2, geometry.heightLines - 1);
}

bool BinaryEditorContent::OpenInPane(int pane, const std::wstring& path) {
    if (pane < 0 || pane > 1) return false;
    std::unique_ptr<CBinaryData> data(new (std::nothrow) CBinaryData());
    if (!data) {
        ShowError(binedit::message::kNoMemory);
        return false;
    }
    if (!data->Open(path)) {
        ShowError(binedit::message::kOpenFailed);
        return false;
    }
    m_data.at(static_cast<size_t>(pane)) = std::move(data);
    m_visibleRows.at(static_cast<size_t>(pane)) = 0;
    m_rowsArea.at(static_cast<size_t>(pane)) = {};
    if (m_host) m_host->ShowMode(pane, pane_mode::kBinary, 0);
    m_cursorShown = true;
    StartCursorTimer();
    Redraw(pane);
    return true;
}

bool BinaryEditorContent::Leave(int pane, LeaveAsk ask) {
    if (!Edits(pane)) return true;
    StopAutoScroll();
    EndDrag();
    if (m_host) m_host->StopTimer(kCursorTimer);
    m_cursorTimer = false;
    CBinaryData& data = Data(pane);
    if (data.AnyChange()) {
        // At the end of the window the owner is going away: the box stands on its own.
        HWND owner = ::IsWindowVisible(m_context.view) ? m_context.view : nullptr;
        const UINT buttons = ask == LeaveAsk::YesNoCancel ? MB_YESNOCANCEL : MB_YESNO;
        SuspendScope suspended(m_context);
        const int answer = ui::ZqMessageBox(owner, binedit::message::AskSave(data.Path()), binedit::message::kSaveTitle,
                                            buttons | MB_ICONQUESTION);
        if (answer == IDCANCEL) {
            StartCursorTimer();
            return false;
        }
        bool declined = false;
        const bool saved = answer != IDYES || Save(pane, &declined);
        // A save that failed (the message said so) or that the user declined
        // over another program's change goes back to editing when the question
        // offered a way back, so that no change is lost.
        if ((declined || !saved) && ask == LeaveAsk::YesNoCancel) {
            StartCursorTimer();
            return false;
        }
    }
    m_data.at(static_cast<size_t>(pane)).reset();
    if (m_host) m_host->ShowFiler(pane);
    StartCursorTimer();
    return true;
}

void BinaryEditorContent::LeaveAll() {
    for (int pane = 0; pane < 2; ++pane) (void)Leave(pane, LeaveAsk::YesNo);
}

bool BinaryEditorContent::Save(int pane, bool* declined) {
    CBinaryData& data = Data(pane);
    if (data.AnyChange() && data.ChangedOnDisk()) {
        HWND owner = ::IsWindowVisible(m_context.view) ? m_context.view : nullptr;
        SuspendScope suspended(m_context);
        if (ui::ZqMessageBox(owner, binedit::message::AskOverwrite(data.Path()), binedit::message::kSaveTitle,
                             MB_YESNO | MB_ICONWARNING) != IDYES) {
            if (declined) *declined = true;
            return false;
        }
    }
    const bool saved = data.Save();
    data.InvalidateCache();
    if (!saved) ShowError(binedit::message::SaveFailed(data.Path()));
    // The other pane may show the same file: it reads the new bytes.
    const int other = pane ^ 1;
    if (Edits(other) && Data(other).IsSameFile(data.Path())) {
        Data(other).InvalidateCache();
        Redraw(other);
    }
    Redraw(pane);
    return saved;
}

void BinaryEditorContent::Add(CommandId id, std::function<void(int pane)> action) {
    m_context.registry->Register(id, [this, action = std::move(action)](const CommandCall&) {
        const int pane = TargetPane();
        if (pane < 0) return;
        // Whatever a command writes is one step for undo.
        Data(pane).BeginEdit();
        action(pane);
    });
}

void BinaryEditorContent::AfterMove(int pane) {
    Data(pane).KeepCursorVisible(DataRows(pane));
    // The cursor shows at once where it went, and blinks from there.
    m_cursorShown = true;
    StartCursorTimer();
    Redraw(pane);
}

BinaryEditorContent::StepStart BinaryEditorContent::BeginStep(int pane) {
    std::int64_t first = 0, last = 0;
    return {Data(pane).Cursor() / CBinaryData::kRowNibbles, Data(pane).SelectedBytes(first, last)};
}

void BinaryEditorContent::AfterStep(int pane, StepStart start) {
    CBinaryData& data = Data(pane);
    const std::int64_t shift = data.KeepCursorVisible(DataRows(pane));
    m_cursorShown = true;
    StartCursorTimer();
    std::int64_t first = 0, last = 0;
    if (start.selected || data.SelectedBytes(first, last) || !ScrollRows(pane, shift)) {
        Redraw(pane);
        return;
    }
    RedrawRow(pane, start.row);
    RedrawRow(pane, data.Cursor() / CBinaryData::kRowNibbles);
    if (m_host) m_host->RedrawArea(pane, m_statusArea.at(static_cast<size_t>(pane)));
}

bool BinaryEditorContent::ScrollRows(int pane, std::int64_t shift) {
    if (shift == 0) return true;
    const RECT& rows = m_rowsArea.at(static_cast<size_t>(pane));
    const int lineHeight = m_filer.LayoutResult().metrics.lineHeight;
    if (!m_host || ::IsRectEmpty(&rows) || lineHeight <= 0 || std::abs(shift) > DataRows(pane) - 1) return false;
    return m_host->ScrollArea(pane, rows, static_cast<int>(-shift * lineHeight));
}

void BinaryEditorContent::RedrawRow(int pane, std::int64_t row) {
    const RECT& rows = m_rowsArea.at(static_cast<size_t>(pane));
    const int lineHeight = m_filer.LayoutResult().metrics.lineHeight;
    if (!m_host || ::IsRectEmpty(&rows) || lineHeight <= 0) {
        Redraw(pane);
        return;
    }
    const std::int64_t at = row - Data(pane).TopRow();
    if (at < 0 || at > DataRows(pane)) return;
    const int top = rows.top + static_cast<int>(at) * lineHeight;
    m_host->RedrawArea(pane, RECT{rows.left, top, rows.right, std::min<LONG>(rows.bottom, top + lineHeight)});
}

void BinaryEditorContent::Move(int pane, std::int64_t delta) {
    StopAutoScroll();
    const StepStart start = BeginStep(pane);
    Data(pane).MoveCursor(delta);
    AfterStep(pane, start);
}

void BinaryEditorContent::MoveSelection(int pane, std::int64_t delta) {
    StopAutoScroll();
    Data(pane).MoveSelectionEnd(delta);
    AfterMove(pane);
}

void BinaryEditorContent::Type(int pane, int digit) {
    StopAutoScroll();
    const StepStart start = BeginStep(pane);
    Data(pane).TypeNibble(digit);
    AfterStep(pane, start);
}

void BinaryEditorContent::CompareSelectedFiles() {
    const int pane = m_filer.ActivePane();
    FilerPane& listing = m_filer.Pane(pane);
    std::wstring paths[2];
    int found = 0;
    std::wstring directory;
    for (int n = 0; found < 2; ++n) {
        const FileEntry* entry = listing.NthSelected(0, n, &directory);
        if (!entry) break;
        if (IsFileEntry(*entry)) paths[found++] = JoinPath(directory, entry->cFileName);
    }
    if (found < 2 || !m_context.companion) return;
    // Only a pane that lists a real folder has one to hand over.
    const std::wstring folder =
        m_context.modes->Query(pane, 0, pane_mode::kDirectory) ? JoinPath(listing.Path(), L"") : std::wstring();
    {
        SuspendScope suspended(m_context);
        if (!m_context.companion->CompareBinary(folder, paths[0], paths[1])) return;
    }
    listing.ApplyMarkKind(kMarkRelease);
    ::InvalidateRect(m_context.view, nullptr, FALSE);
}

void BinaryEditorContent::RegisterCommands() {
    namespace b = cmd::binary_editor;
    CommandRegistry& registry = *m_context.registry;
    registry.Register(cmd::filer::Binaryedit, [this](const CommandCall&) {
        const int pane = m_filer.ActivePane();
        // Files inside archives are not edited in place.
        if (!m_context.modes->Query(pane, 0, pane_mode::kDirectory)) return;
        const FilerPane& listing = m_filer.Pane(pane);
        const FileEntry* entry = listing.CursorEntry();
        if (!entry || ClassOf(*entry) != kEntryFile) return;
        (void)OpenInPane(pane, listing.Path() + L"\\" + entry->cFileName);
    });
    registry.Register(cmd::filer::Cmpbinary, [this](const CommandCall&) { CompareSelectedFiles(); });

    const auto row = static_cast<std::int64_t>(CBinaryData::kRowNibbles);
    const auto page = [this, row](int pane) { return (VisibleRows(pane) - 1) * row; };
    const auto whole = [this](int pane) { return Data(pane).Size() * 2; };
    const std::pair<CommandId, std::function<std::int64_t(int)>> moves[] = {
        {b::Left, [](int) { return -1; }},
        {b::Right, [](int) { return 1; }},
        {b::Up, [row](int) { return -row; }},
        {b::Down, [row](int) { return row; }},
        {b::Beforepage, [page](int pane) { return -page(pane); }},
        {b::Nextpage, page},
        {b::Beforehalfpage, [page](int pane) { return -(page(pane) / 2); }},
        {b::Nexthalfpage, [page](int pane) { return page(pane) / 2; }},
        {b::Jumpfirstline, [whole](int pane) { return -whole(pane); }},
        {b::Jumpendline, whole},
    };
    for (const auto& [id, delta] : moves) Add(id, [this, delta = delta](int pane) { Move(pane, delta(pane)); });
    const std::pair<CommandId, std::function<std::int64_t(int)>> selections[] = {
        {b::Selectleft, [](int) { return -1; }},
        {b::Selectright, [](int) { return 1; }},
        {b::Selectup, [row](int) { return -row; }},
        {b::Selectdown, [row](int) { return row; }},
        {b::Selectbeforepage, [page](int pane) { return -page(pane); }},
        {b::Selectnextpage, page},
    };
    for (const auto& [id, delta] : selections)
        Add(id, [this, delta = delta](int pane) { MoveSelection(pane, delta(pane)); });
    const CommandId digits[] = {b::Input0, b::Input1, b::Input2, b::Input3, b::Input4, b::Input5, b::Input6, b::Input7,
                                b::Input8, b::Input9, b::InputA, b::InputB, b::InputC, b::InputD, b::InputE, b::InputF};
    for (int digit = 0; digit < 16; ++digit) Add(digits[digit], [this, digit](int pane) { Type(pane, digit); });
    Add(b::Autonext, [this](int) { AutoScroll(1); });
    Add(b::Autobefore, [this](int) { AutoScroll(-1); });
    Add(b::Filesave, [this](int pane) { (void)Save(pane); });
    Add(b::Binaryeditend, [this](int pane) { (void)Leave(pane, LeaveAsk::YesNoCancel); });
    Add(b::Undo, [this](int pane) {
        if (Data(pane).Undo()) Redraw(pane);
    });
    Add(b::Redo, [this](int pane) {
        if (Data(pane).Redo()) Redraw(pane);
    });
    Add(b::Binaryallselect, [this](int pane) {
        StopAutoScroll();
        Data(pane).SelectAll();
        Redraw(pane);
    });
    // Commands that act on the panes' layout are the Filer's.  Its @Wide hides
    // or shows a pane, from whichever pane it comes: no pane may edit across it.
    registry.Wrap(cmd::filer::Wide, [this](const CommandCall& call, const CommandHandler& earlier) {
        LeaveAll();
        if (earlier) earlier(call);
    });
    Add(b::Wide, [this](int) {
        if (m_host) (void)m_host->RunCommand(cmd::filer::Wide);
    });
    Add(b::Changewindow, [this](int) {
        if (m_host) (void)m_host->RunCommand(cmd::filer::Changewindow);
    });
    RegisterEditCommands();
    RegisterSearchCommands();
}

void BinaryEditorContent::OnSettingsChanged(bool) {
    m_font.Reset();
    for (int pane = 0; pane < 2; ++pane)
        if (Edits(pane)) Redraw(pane);
}

void BinaryEditorContent::AutoScroll(int direction) {
    if (m_autoDirection == -direction) {
        StopAutoScroll();
        return;
    }
    m_autoDirection = direction;
    OnTimer(kScrollTimer);
}

void BinaryEditorContent::StopAutoScroll() {
    if (m_host) m_host->StopTimer(kScrollTimer);
    m_autoDirection = 0;
}

void BinaryEditorContent::StartCursorTimer() {
    if (!m_host || TargetPane() < 0) return;
    m_cursorTimer = m_host->StartTimer(kCursorTimer, Period(m_context.settings->BINARYSCURSORSPEED, 100));
}

void BinaryEditorContent::Suspend() {
    StopAutoScroll();
    EndDrag();
    if (m_host) m_host->StopTimer(kCursorTimer);
    m_cursorTimer = false;
}

void BinaryEditorContent::Resume() {
    m_cursorShown = true;
    StartCursorTimer();
}

void BinaryEditorContent::OnTimer(unsigned id) {
    switch (id) {
        case kCursorTimer: {
            const int pane = TargetPane();
            if (pane < 0) {
                if (m_host) m_host->StopTimer(kCursorTimer);
                m_cursorTimer = false;
                break;
            }
            m_cursorShown = !m_cursorShown;
            RedrawRow(pane, Data(pane).Cursor() / CBinaryData::kRowNibbles);
            break;
        }
        case kScrollTimer: {
            if (m_host) m_host->StopTimer(kScrollTimer);
            const int pane = TargetPane();
            if (pane < 0 || m_autoDirection == 0) break;
            CBinaryData& data = Data(pane);
            const std::int64_t before = data.Cursor();
            const int lines = std::max(1, m_context.settings->BINARYSCROLLLINE);
            const StepStart start = BeginStep(pane);
            data.MoveCursor(static_cast<std::int64_t>(lines) * CBinaryData::kRowNibbles * m_autoDirection);
            AfterStep(pane, start);
            if (data.Cursor() == before) {
                m_autoDirection = 0;
            } else if (m_host) {
                m_host->StartTimer(kScrollTimer, Period(m_context.settings->BINARYSCROLLSPEED, 20));
            }
            break;
        }
        case kMouseTimer: {
            POINT at{};
            ::GetCursorPos(&at);
            ::ScreenToClient(m_context.view, &at);
            OnDrag(at);
            break;
        }
        default:
            break;
    }
}

}  // namespace zq
