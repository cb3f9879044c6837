#include "filer/ViewFiler.h"

#include "commands/PaneModes.h"
#include "filer/ViewFilerSettings.h"
#include "filer/CursorMemory.h"
#include "filer/DriveListFacts.h"
#include "filer/NetworkList.h"
#include "filer/NetworkWait.h"
#include "filer/NetworkListAccounts.h"
#include "filer/VirtualDriveSource.h"
#include "filer/FilerPane.h"
#include "filer/FilerPaneNavigate.h"
#include "settings/Settings.h"
#include "ui/CMessageBoxDlg.h"

namespace zq {

// Messages of the panes go to the view's window; every directory a pane leaves
// goes to the front of the directory history that @Dirhistory offers.
class ViewFiler::Host : public FilerPaneHost {
  public:
    explicit Host(ViewContext& context) : m_context(context) {}
    void ShowMessage(const std::wstring& text) override { ui::ZqMessageBox(m_context.view, text); }
    void AddDirectoryHistory(const std::wstring& path) override {
        if (m_context.settings) m_context.settings->dirHistoryDialog.Push(path);
    }

  private:
    ViewContext& m_context;
};

ViewFiler::ViewFiler(ViewContext& context, IListingSource* source)
    : m_context(context), m_host(std::make_unique<Host>(context)), m_cursorMemory(std::make_unique<CursorMemory>()) {
    for (auto& pane : m_panes) {
        pane = std::make_unique<FilerPane>(m_host.get());
        pane->SetListingSource(source);
    }
}
ViewFiler::~ViewFiler() = default;

FilerPane& ViewFiler::Pane(int index) {
    return *m_panes.at(static_cast<size_t>(index));
}

int ViewFiler::ActivePane() const {
    const int focused = m_context.modes->FocusedPane();
    return focused < 0 ? 0 : focused;
}

bool ViewFiler::PaneShown(int index) const {
    return !(m_context.modes->Get(index).state & pane_state::kHidden);
}

void ViewFiler::ApplySettings() {
    const Settings& settings = *m_context.settings;
    const FilerOptions options = FilerOptionsFrom(settings);
    for (auto& pane : m_panes) pane->SetOptions(options);
    m_cursorMemory->Resize(settings.SUMSAVECURPOS);
    // A new font is measured at the next paint.
    m_font.Reset();
}

std::uint32_t ViewFiler::ModeMask() const {
    return pane_mode::kFilerGroup;
}

void ViewFiler::OnSettingsChanged(bool reread) {
    ApplySettings();
    if (reread) Refresh();
}

void ViewFiler::RunReturnAction() {
    if (m_context.modes->Query(PaneModes::kEither, pane_state::kFocused, pane_mode::kDriveList)) {
        EnterDriveLine(ActivePane());
        AfterCommand();
        return;
    }
    if (m_context.modes->Query(PaneModes::kEither, pane_state::kFocused, pane_mode::kNetwork)) {
        EnterNetworkEntry(ActivePane());
        AfterCommand();
        return;
    }
    // Return in a listing enters the directory under the cursor and opens a file.
    if (m_context.modes->Query(PaneModes::kEither, pane_state::kFocused, pane_mode::kFileCursorListings)) {
        // In the search results Return goes to where the entry was found, the cursor on it.
        FilerPane& pane = Pane(ActivePane());
        std::wstring directory;
        const FileEntry* found =
            (pane.SubKind() & kSubKindSearchResult) ? pane.NthSelected(kNthCursorOnly, 0, &directory) : nullptr;
        if (found) {
            const std::wstring name = found->cFileName;
            GoToDirectory(directory, name, false);
            return;
        }
        if (!EnterCursorDirectory()) (void)OpenCursorFile(::GetKeyState(VK_SHIFT) < 0);
    }
}

void ViewFiler::Create(const std::vector<std::wstring>& commandLine) {
    Settings& settings = *m_context.settings;
    ApplySettings();
    if (settings.SAVECURSORPOSITION) {
        for (size_t i = 0; i < settings.savedCursors.size(); ++i) {
            const Settings::SavedCursor& saved = settings.savedCursors[i];
            m_cursorMemory->SetItem(static_cast<int>(i), {saved.dir, saved.name});
        }
    }
    // Pane 0 starts with the focus; the second pane is shown when the settings ask for two panes.
    m_context.modes->Set(0, pane_state::kFocused, pane_mode::kDirectory, kSubKindThumbnails);
    // Two "-d" options ask for both panes, whatever SECONDFILEOPEN says.
    const bool twoPanes = settings.SECONDFILEOPEN != 0 || commandLine.size() >= 2;
    m_context.modes->Set(1, twoPanes ? pane_state::kOther : pane_state::kHidden, pane_mode::kDirectory,
                         kSubKindThumbnails);

    // Virtual drives are there before the panes first ask for a listing.
    VirtualDrives& virtualDrives = ProcessVirtualDrives();
    virtualDrives.SetFolder(m_context.programDir);
    virtualDrives.Refresh(settings.virtualDrives, ::GetLogicalDrives());

    wchar_t current[MAX_PATH] = {};
    ::GetCurrentDirectoryW(MAX_PATH, current);
    const std::array<std::wstring, 2> start = StartDirectories(settings, commandLine, current);
    for (size_t i = 0; i < m_panes.size(); ++i) {
        m_panes[i]->SortState().defaults = SortSettingsFrom(settings, static_cast<int>(i));
        m_panes[i]->ChangeDirectory(start[i], false, m_cursorMemory.get());
    }
}

void ViewFiler::StoreState(Settings& settings) const {
    StoreEndDirectories(settings, m_panes[0]->Path(), m_panes[1]->Path());
    (void)ProcessVirtualDrives().SaveAll();
    if (!settings.SAVECURSORPOSITION) return;
    // The directories shown now count as left: a start in the same place
    // (STARTENDDIR) then finds its cursor again.
    CursorMemory memory = *m_cursorMemory;
    for (int i = 1; i >= 0; --i) {
        const FilerPane& pane = *m_panes[static_cast<size_t>(i)];
        if (!PaneShown(i) || pane.Kind() != kKindDirectory || pane.NotReady()) continue;
        const FileEntry* under = pane.CursorEntry();
        if (under && !IsLinkEntry(*under)) memory.Remember(pane.Path(), under->cFileName);
    }
    settings.savedCursors.clear();
    for (const CursorMemory::Item& item : memory.Items()) settings.savedCursors.push_back({item.path, item.name});
}

void ViewFiler::AfterCommand() {
    SyncPaneModes();
    ::InvalidateRect(m_context.view, nullptr, FALSE);
}

void ViewFiler::Focus(int index) {
    PaneModes& modes = *m_context.modes;
    for (int i = 0; i < 2; ++i) {
        const StructPaneMode& now = modes.Get(i);
        uint32_t state = pane_state::kHidden;
        if (i == index)
            state = pane_state::kFocused;
        else if (!(now.state & pane_state::kHidden))
            state = pane_state::kOther;
        modes.Set(i, state, now.mode, now.subMode);
    }
}

void ViewFiler::ChangePaneDirectory(int index, const std::wstring& path) {
    FilerPane& pane = Pane(index);
    pane.LeaveDirectory(m_cursorMemory.get());
    pane.ChangeDirectory(path, false, m_cursorMemory.get());
}

bool ViewFiler::OpenLocation(int pane, const std::wstring& path) {
    if (pane < 0 || pane > 1) return false;
    ChangePaneDirectory(pane, path);
    return true;
}

void ViewFiler::ClimbUp(int index) {
    FilerPane& pane = Pane(index);
    if (pane.Kind() == kKindNetwork) {
        const NetworkList::Step step = NetworkOf(index).Up();
        FollowNetworkStep(index, static_cast<int>(step.kind), step.uncPath, step.cursorName);
        return;
    }
    switch (UpStepOf(pane)) {
        case UpDirectoryResult::Done:
            pane.LeaveDirectory(m_cursorMemory.get());
            (void)pane.UpDirectory(m_cursorMemory.get());
            break;
        case UpDirectoryResult::ToDriveList:
            ShowDriveList(index);
            break;
        case UpDirectoryResult::ToNetworkParent:
            LeaveForListing(index);
            break;
        case UpDirectoryResult::Failed:
            break;
    }
}

bool ViewFiler::EnterCursorDirectory() {
    const int index = ActivePane();
    FilerPane& pane = Pane(index);
    const FileEntry* entry = pane.CursorEntry();
    if (!entry) return false;
    if (IsFileEntry(*entry)) {
        // A file that a listing source claims (an archive) is entered like a directory.
        const std::wstring location = pane.Path() + L"\\" + entry->cFileName;
        if (!pane.IsListingLocation(location)) return false;
        ChangePaneDirectory(index, location);
        AfterCommand();
        return true;
    }
    switch (ClassOf(*entry)) {
        case kEntryParentLink:
            ClimbUp(index);
            break;
        case kEntryCurrentLink:
            break;
        default:
            ChangePaneDirectory(index, pane.Path() + L"\\" + entry->cFileName);
            break;
    }
    AfterCommand();
    return true;
}

void ViewFiler::ReadKeepingCursor(int index) {
    FilerPane& pane = Pane(index);
    if (pane.Kind() == kKindDriveList) {
        ReadDriveFacts();
        pane.UpdateDriveList(DriveLines());
        return;
    }
    // Forced: the change notification of a directory just written may still be on its way.
    pane.Reread(kReadForced);
}

void ViewFiler::ReReadAllPanes() {
    for (int i = 0; i < 2; ++i) ReadKeepingCursor(i);
}

void ViewFiler::Refresh() {
    for (int i = 0; i < 2; ++i) {
        if (PaneShown(i)) ReadKeepingCursor(i);
    }
}

void ViewFiler::OnPeriodicTimer() {
    bool redraw = RefreshDriveLists();
    if (TakeLateNetworkAnswer() && ReadWhatAwaitedNetwork()) redraw = true;
    for (int i = 0; i < 2; ++i) {
        if (!PaneShown(i) || !m_context.modes->Query(i, 0, pane_mode::kDirectory)) continue;
        const TickResult tick = Pane(i).TimerTick();
        if (tick == TickResult::NotReady) break;
        if (tick == TickResult::Reloaded) redraw = true;
        if (Pane(i).DriveClass() == kDriveFixed && Pane(i).RefreshFreeSpace()) redraw = true;
    }
    if (redraw) ::InvalidateRect(m_context.view, nullptr, FALSE);
    InvalidateHeaderClock();
}

}  // namespace zq
