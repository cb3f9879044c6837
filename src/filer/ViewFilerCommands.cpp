// The Filer's commands on the two panes: cursor, marks, directories, panes,
// sort and display settings.  Every handler acts on the active pane unless
// its name says otherwise, and the view is redrawn after each.
#include <utility>

#include "settings/EventSounds.h"
#include "commands/PaneModes.h"
#include "filer/ViewFiler.h"
#include "filer/ViewFilerSettings.h"
#include "filer/ViewFilerSortDlg.h"
#include "commands/CommandRegistry.h"
#include "common/Paths.h"
#include "filer/CursorMemory.h"
#include "filer/FilerPane.h"
#include "settings/Settings.h"

namespace zq {

namespace {

struct CursorRow {
    CommandId id;
    CursorCommand command;
    bool withSelection;
};
constexpr CursorRow kCursorRows[] = {
    {cmd::filer::Up, CursorCommand::Up, false},
    {cmd::filer::Down, CursorCommand::Down, false},
    {cmd::filer::Left, CursorCommand::Left, false},
    {cmd::filer::Right, CursorCommand::Right, false},
    {cmd::filer::Beforepage, CursorCommand::BeforePage, false},
    {cmd::filer::Nextpage, CursorCommand::NextPage, false},
    {cmd::filer::Beforehalfpage, CursorCommand::BeforeHalfPage, false},
    {cmd::filer::Nexthalfpage, CursorCommand::NextHalfPage, false},
    {cmd::filer::Firstpos, CursorCommand::FirstPos, false},
    {cmd::filer::Endpos, CursorCommand::EndPos, false},
    {cmd::filer::Upsel, CursorCommand::Up, true},
    {cmd::filer::Downsel, CursorCommand::Down, true},
    {cmd::filer::Leftsel, CursorCommand::Left, true},
    {cmd::filer::Rightsel, CursorCommand::Right, true},
    {cmd::filer::Beforepagesel, CursorCommand::BeforePage, true},
    {cmd::filer::Nextpagesel, CursorCommand::NextPage, true},
    {cmd::filer::Beforehalfpagesel, CursorCommand::BeforeHalfPage, true},
    {cmd::filer::Nexthalfpagesel, CursorCommand::NextHalfPage, true},
    {cmd::filer::Firstpossel, CursorCommand::FirstPos, true},
    {cmd::filer::Endpossel, CursorCommand::EndPos, true},
};

struct MarkRow {
    CommandId id;
    MarkKind kind;
};
constexpr MarkRow kMarkRows[] = {
    {cmd::filer::Allselectdir, kMarkAllWithDirs},    {cmd::filer::Allselect, kMarkAllFiles},
    {cmd::filer::Releaseselect, kMarkRelease},       {cmd::filer::Reverseselect, kMarkReverse},
    {cmd::filer::Reverseselectf, kMarkReverseFiles}, {cmd::filer::Upfileselect, kMarkUpFiles},
    {cmd::filer::Downfileselect, kMarkDownFiles},
};

struct SortRow {
    CommandId id;
    SortCommand command;
};
constexpr SortRow kSortRows[] = {
    {cmd::filer::Sortname, SortCommand::Sortname},
    {cmd::filer::Sorttime, SortCommand::Sorttime},
    {cmd::filer::Sortsize, SortCommand::Sortsize},
    {cmd::filer::Sortkind, SortCommand::Sortkind},
    {cmd::filer::Sortattribute, SortCommand::Sortattribute},
    {cmd::filer::Sortno, SortCommand::Sortno},
    {cmd::filer::SortNameDir, SortCommand::SortNameDir},
    {cmd::filer::SortTimeDir, SortCommand::SortTimeDir},
    {cmd::filer::SortSizeDir, SortCommand::SortSizeDir},
    {cmd::filer::SortKindDir, SortCommand::SortKindDir},
    {cmd::filer::SortAttributeDir, SortCommand::SortAttributeDir},
    {cmd::filer::Sortexchange, SortCommand::Sortexchange},
    {cmd::filer::SortExchangeDir, SortCommand::SortExchangeDir},
};

// The setting each show-flag toggle flips.
struct ToggleRow {
    CommandId id;
    int Settings::*flag;
};
const ToggleRow kDisplayFileToggles[] = {
    {cmd::filer::ChangeDispHiddenFile, &Settings::HIDDENVIEWFLAG},
    {cmd::filer::ChangeDispSystemFile, &Settings::DISP_SYSTEM_FILE},
    {cmd::filer::ChangeDispFirstDotFile, &Settings::DISP_FIRST_DOT_FILE},
    {cmd::filer::ChangeDispReadOnlyFile, &Settings::DISP_READ_ONLY_FILE},
};
const ToggleRow kLayoutToggles[] = {
    {cmd::filer::Filenamepack, &Settings::FILENAMEPACK},
    {cmd::filer::AutoFileNameWidth, &Settings::AUTO_FILE_NAME_WIDTH},
    {cmd::filer::Changedevide, &Settings::WINDOWDEVIDEWAY},
};

constexpr CommandId kDisplayGroupCommands[] = {
    cmd::filer::SelectDispFileSetting1, cmd::filer::SelectDispFileSetting2, cmd::filer::SelectDispFileSetting3,
    cmd::filer::SelectDispFileSetting4, cmd::filer::SelectDispFileSetting5,
};

}  // namespace

void ViewFiler::Add(CommandId id, Action action) {
    m_context.registry->Register(id, [this, action = std::move(action)](const CommandCall&) {
        action();
        AfterCommand();
    });
}

void ViewFiler::RegisterCommands() {
    RegisterCursorCommands();
    RegisterMarkCommands();
    RegisterDirectoryCommands();
    RegisterPaneCommands();
    RegisterSortCommands();
    RegisterDisplayCommands();
    RegisterDialogCommands();
    RegisterNavigateCommands();
    RegisterSearchCommands();
    RegisterJumpCommands();
    RegisterExecuteCommands();
    RegisterDriveCommands();
    RegisterNetworkCommands();
}

void ViewFiler::RegisterCursorCommands() {
    for (const CursorRow& row : kCursorRows) {
        Add(row.id, [this, row] {
            Pane(ActivePane()).RunCursorCommand(row.command, row.withSelection);
            // A plain move ends a range on either side.
            if (!row.withSelection) Pane(OtherPane()).ClearAnchor();
            OnCursorMovedForSearch();
        });
    }
}

void ViewFiler::RegisterMarkCommands() {
    Add(cmd::filer::Select, [this] { Pane(ActivePane()).SelectAndAdvance(); });
    for (const MarkRow& row : kMarkRows) {
        Add(row.id, [this, kind = row.kind] {
            if (kind == kMarkAllWithDirs) PlayEventSound(*m_context.settings, SoundEvent::AllSelect);
            if (kind == kMarkAllFiles) PlayEventSound(*m_context.settings, SoundEvent::FileAllSelect);
            Pane(ActivePane()).ApplyMarkKind(kind);
        });
    }
    Add(cmd::filer::Anotherexistselect, [this] { Pane(ActivePane()).MarkByOtherPane(Pane(OtherPane()), true); });
    Add(cmd::filer::Anothernoneselect, [this] { Pane(ActivePane()).MarkByOtherPane(Pane(OtherPane()), false); });
}

void ViewFiler::RegisterDirectoryCommands() {
    Add(cmd::filer::InDir, [this] { (void)EnterCursorDirectory(); });
    Add(cmd::filer::Updirectory, [this] {
        PlayEventSound(*m_context.settings, SoundEvent::UpDir);
        ClimbUp(ActivePane());
    });
    Add(cmd::filer::Rootdirectory, [this] {
        const int index = ActivePane();
        ChangePaneDirectory(index, PaneRootOf(Pane(index).Path()));
    });
    Add(cmd::filer::Predirectory, [this] {
        FilerPane& pane = Pane(ActivePane());
        pane.LeaveDirectory(m_cursorMemory.get());
        (void)pane.PreDirectory(m_cursorMemory.get());
    });
    Add(cmd::filer::Manualreload, [this] { ReadKeepingCursor(ActivePane()); });
    // Both need two directory panes; the pane that keeps its directory is left too.
    auto same = [this](int from, int to) {
        if (!PaneShown(0) || !PaneShown(1)) return;
        if (!m_context.modes->Query(from, 0, pane_mode::kDirectory) ||
            !m_context.modes->Query(to, 0, pane_mode::kDirectory))
            return;
        Pane(from).LeaveDirectory(m_cursorMemory.get());
        ChangePaneDirectory(to, Pane(from).Path());
    };
    Add(cmd::filer::Samedirectory, [this, same] { same(ActivePane(), OtherPane()); });
    Add(cmd::filer::Sameotherdir, [this, same] { same(OtherPane(), ActivePane()); });
}

void ViewFiler::RegisterPaneCommands() {
    Add(cmd::filer::Changewindow, [this] {
        if (PaneShown(OtherPane())) Focus(OtherPane());
    });
    // Left and right exist only side by side; pane 0 is the left one.
    auto choose = [this](int index) {
        if (m_context.settings->WINDOWDEVIDEWAY == 1 && PaneShown(index)) Focus(index);
    };
    Add(cmd::filer::Leftwindow, [choose] { choose(0); });
    Add(cmd::filer::Rightwindow, [choose] { choose(1); });
    Add(cmd::filer::Wide, [this] {
        PaneModes& modes = *m_context.modes;
        const StructPaneMode second = modes.Get(1);
        if (second.state & pane_state::kHidden) {
            modes.Set(1, pane_state::kOther, second.mode, second.subMode);
            return;
        }
        Focus(0);
        modes.Set(1, pane_state::kHidden, second.mode, second.subMode);
    });
    auto shift = [this](int delta) {
        if (PaneShown(0) && PaneShown(1)) m_context.settings->UP_WINDOW_ADD_LINE += delta;
    };
    Add(cmd::filer::Downdevide, [shift] { shift(1); });
    Add(cmd::filer::Updevide, [shift] { shift(-1); });
    Add(cmd::filer::Changefilerdata, [this] { ExchangePanes(); });
}

void ViewFiler::ExchangePanes() {
    // A picture is tied to the screen side it was opened on; the pane modes,
    // not the listing objects, know whether a side shows one.
    if (!PaneShown(0) || !PaneShown(1)) return;
    if (m_context.modes->Query(PaneModes::kEither, 0, pane_mode::kGraphicGroup)) return;
    std::swap(m_panes[0], m_panes[1]);
    m_context.modes->ExchangeContents();
    int& shift = m_context.settings->UP_WINDOW_ADD_LINE;
    shift = -shift;
    // The pane object that had the focus keeps it on its new side.
    Focus(OtherPane());
}

void ViewFiler::ResortKeepingCursor(int index) {
    FilerPane& pane = Pane(index);
    const FileEntry* entry = pane.CursorEntry();
    const std::wstring name = entry ? entry->cFileName : L"";
    pane.Sort();
    if (!name.empty()) pane.PlaceCursorOnName(name, false, pane.Cursor());
}

void ViewFiler::StoreDefaultSortOfActive(const SortSettings& sort) {
    Settings& settings = *m_context.settings;
    const int active = ActivePane();
    StoreDefaultSort(Pane(active).SortState(), Pane(active ^ 1).SortState(), sort, settings.CHYNCROSORT);
    for (int i = 0; i < 2; ++i) {
        StoreSortSettings(settings, i, Pane(i).SortState().defaults);
        ResortKeepingCursor(i);
    }
}

bool ViewFiler::AskSort(bool temporary, SortSettings& sort) {
    ViewFilerSortDlg dialog(m_context.view, temporary, sort);
    bool ok = false;
    {
        const SuspendScope suspended(m_context);
        ok = dialog.DoModal() == IDOK;
    }
    if (ok) sort = dialog.Result();
    return ok;
}

void ViewFiler::RegisterSortCommands() {
    for (const SortRow& row : kSortRows) {
        Add(row.id, [this, command = row.command] {
            PlayEventSound(*m_context.settings, SoundEvent::Sort);
            StoreDefaultSortOfActive(WithSortCommand(Pane(ActivePane()).SortState().defaults, command));
        });
    }
    Add(cmd::filer::Sort, [this] {
        SortSettings sort = Pane(ActivePane()).SortState().defaults;
        if (AskSort(false, sort)) StoreDefaultSortOfActive(sort);
    });
    Add(cmd::filer::Tempsort, [this] {
        FilerPane& pane = Pane(ActivePane());
        SortSettings sort = pane.SortState().temporary;
        if (!AskSort(true, sort)) return;
        pane.SortState().temporary = sort;
        ResortKeepingCursor(ActivePane());
    });
}

void ViewFiler::RegisterDisplayCommands() {
    Add(cmd::filer::Changefilerinfo, [this] {
        Settings& settings = *m_context.settings;
        settings.FILERINFONUMBER = filer::NextFormatNumber(DisplayFormatNumber(settings));
    });
    for (const ToggleRow& row : kLayoutToggles) {
        Add(row.id, [this, flag = row.flag] {
            int& value = m_context.settings->*flag;
            value = value ? 0 : 1;
        });
    }
    for (const ToggleRow& row : kDisplayFileToggles) {
        Add(row.id, [this, flag = row.flag] {
            int& value = m_context.settings->*flag;
            value = value ? 0 : 1;
            ApplySettings();
            ReReadAllPanes();
        });
    }
    for (size_t n = 0; n < std::size(kDisplayGroupCommands); ++n) {
        Add(kDisplayGroupCommands[n], [this, n] {
            Settings& settings = *m_context.settings;
            StoreDisplayGroup(settings, settings.dispFileSettings[n]);
            ApplySettings();
            ReReadAllPanes();
        });
    }
}

}  // namespace zq
