// The Filer's commands on the two panes: cursor, marks, directories, panes,
// sort and display settings.  Every handler acts on the active pane unless
// its name says otherwise, and the view is redrawn after each.
#include <utility>

#include "settings/EventSounds.h"
#include "app/PaneModes.h"
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
    const wchar_t* name;
    CursorCommand command;
    bool withSelection;
};
constexpr CursorRow kCursorRows[] = {
    {L"@Up", CursorCommand::Up, false},
    {L"@Down", CursorCommand::Down, false},
    {L"@Left", CursorCommand::Left, false},
    {L"@Right", CursorCommand::Right, false},
    {L"@Beforepage", CursorCommand::BeforePage, false},
    {L"@Nextpage", CursorCommand::NextPage, false},
    {L"@Beforehalfpage", CursorCommand::BeforeHalfPage, false},
    {L"@Nexthalfpage", CursorCommand::NextHalfPage, false},
    {L"@Firstpos", CursorCommand::FirstPos, false},
    {L"@Endpos", CursorCommand::EndPos, false},
    {L"@Upsel", CursorCommand::Up, true},
    {L"@Downsel", CursorCommand::Down, true},
    {L"@Leftsel", CursorCommand::Left, true},
    {L"@Rightsel", CursorCommand::Right, true},
    {L"@Beforepagesel", CursorCommand::BeforePage, true},
    {L"@Nextpagesel", CursorCommand::NextPage, true},
    {L"@Beforehalfpagesel", CursorCommand::BeforeHalfPage, true},
    {L"@Nexthalfpagesel", CursorCommand::NextHalfPage, true},
    {L"@Firstpossel", CursorCommand::FirstPos, true},
    {L"@Endpossel", CursorCommand::EndPos, true},
};

struct MarkRow {
    const wchar_t* name;
    MarkKind kind;
};
constexpr MarkRow kMarkRows[] = {
    {L"@Allselectdir", kMarkAllWithDirs}, {L"@Allselect", kMarkAllFiles},          {L"@Releaseselect", kMarkRelease},
    {L"@Reverseselect", kMarkReverse},    {L"@Reverseselectf", kMarkReverseFiles}, {L"@Upfileselect", kMarkUpFiles},
    {L"@Downfileselect", kMarkDownFiles},
};

struct SortRow {
    const wchar_t* name;
    SortCommand command;
};
constexpr SortRow kSortRows[] = {
    {L"@Sortname", SortCommand::Sortname},
    {L"@Sorttime", SortCommand::Sorttime},
    {L"@Sortsize", SortCommand::Sortsize},
    {L"@Sortkind", SortCommand::Sortkind},
    {L"@Sortattribute", SortCommand::Sortattribute},
    {L"@Sortno", SortCommand::Sortno},
    {L"@SortNameDir", SortCommand::SortNameDir},
    {L"@SortTimeDir", SortCommand::SortTimeDir},
    {L"@SortSizeDir", SortCommand::SortSizeDir},
    {L"@SortKindDir", SortCommand::SortKindDir},
    {L"@SortAttributeDir", SortCommand::SortAttributeDir},
    {L"@Sortexchange", SortCommand::Sortexchange},
    {L"@SortExchangeDir", SortCommand::SortExchangeDir},
};

// The setting each show-flag toggle flips.
struct ToggleRow {
    const wchar_t* name;
    int Settings::*flag;
};
const ToggleRow kDisplayFileToggles[] = {
    {L"@ChangeDispHiddenFile", &Settings::HIDDENVIEWFLAG},
    {L"@ChangeDispSystemFile", &Settings::DISP_SYSTEM_FILE},
    {L"@ChangeDispFirstDotFile", &Settings::DISP_FIRST_DOT_FILE},
    {L"@ChangeDispReadOnlyFile", &Settings::DISP_READ_ONLY_FILE},
};
const ToggleRow kLayoutToggles[] = {
    {L"@Filenamepack", &Settings::FILENAMEPACK},
    {L"@AutoFileNameWidth", &Settings::AUTO_FILE_NAME_WIDTH},
    {L"@Changedevide", &Settings::WINDOWDEVIDEWAY},
};

const wchar_t* const kDisplayGroupCommands[] = {
    L"@SelectDispFileSetting1", L"@SelectDispFileSetting2", L"@SelectDispFileSetting3",
    L"@SelectDispFileSetting4", L"@SelectDispFileSetting5",
};

}  // namespace

void ViewFiler::Add(const wchar_t* name, Action action) {
    m_context.registry->Register(ModeGroup::Filer, name, [this, action = std::move(action)](const CommandCall&) {
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
}

void ViewFiler::RegisterCursorCommands() {
    for (const CursorRow& row : kCursorRows) {
        Add(row.name, [this, row] {
            Pane(ActivePane()).RunCursorCommand(row.command, row.withSelection);
            // A plain move ends a range on either side.
            if (!row.withSelection) Pane(OtherPane()).ClearAnchor();
        });
    }
}

void ViewFiler::RegisterMarkCommands() {
    Add(L"@Select", [this] { Pane(ActivePane()).SelectAndAdvance(); });
    for (const MarkRow& row : kMarkRows) {
        Add(row.name, [this, kind = row.kind] {
            if (kind == kMarkAllWithDirs) PlayEventSound(*m_context.settings, SoundEvent::AllSelect);
            if (kind == kMarkAllFiles) PlayEventSound(*m_context.settings, SoundEvent::FileAllSelect);
            Pane(ActivePane()).ApplyMarkKind(kind);
        });
    }
    Add(L"@Anotherexistselect", [this] { Pane(ActivePane()).MarkByOtherPane(Pane(OtherPane()), true); });
    Add(L"@Anothernoneselect", [this] { Pane(ActivePane()).MarkByOtherPane(Pane(OtherPane()), false); });
}

void ViewFiler::RegisterDirectoryCommands() {
    Add(L"@InDir", [this] { (void)EnterCursorDirectory(); });
    Add(L"@Updirectory", [this] {
        PlayEventSound(*m_context.settings, SoundEvent::UpDir);
        ClimbUp(ActivePane());
    });
    Add(L"@Rootdirectory", [this] {
        const int index = ActivePane();
        ChangePaneDirectory(index, PaneRootOf(Pane(index).Path()));
    });
    Add(L"@Predirectory", [this] {
        FilerPane& pane = Pane(ActivePane());
        pane.LeaveDirectory(m_cursorMemory.get());
        (void)pane.PreDirectory(m_cursorMemory.get());
    });
    Add(L"@Manualreload", [this] { ReadKeepingCursor(ActivePane()); });
    // Both need two directory panes; the pane that keeps its directory is left too.
    auto same = [this](int from, int to) {
        if (!PaneShown(0) || !PaneShown(1)) return;
        if (!m_context.modes->Query(from, 0, pane_mode::kDirectory) ||
            !m_context.modes->Query(to, 0, pane_mode::kDirectory))
            return;
        Pane(from).LeaveDirectory(m_cursorMemory.get());
        ChangePaneDirectory(to, Pane(from).Path());
    };
    Add(L"@Samedirectory", [this, same] { same(ActivePane(), OtherPane()); });
    Add(L"@Sameotherdir", [this, same] { same(OtherPane(), ActivePane()); });
}

void ViewFiler::RegisterPaneCommands() {
    Add(L"@Changewindow", [this] {
        if (PaneShown(OtherPane())) Focus(OtherPane());
    });
    // Left and right exist only side by side; pane 0 is the left one.
    auto choose = [this](int index) {
        if (m_context.settings->WINDOWDEVIDEWAY == 1 && PaneShown(index)) Focus(index);
    };
    Add(L"@Leftwindow", [choose] { choose(0); });
    Add(L"@Rightwindow", [choose] { choose(1); });
    Add(L"@Wide", [this] {
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
    Add(L"@Downdevide", [shift] { shift(1); });
    Add(L"@Updevide", [shift] { shift(-1); });
    Add(L"@Changefilerdata", [this] { ExchangePanes(); });
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
        Add(row.name, [this, command = row.command] {
            PlayEventSound(*m_context.settings, SoundEvent::Sort);
            StoreDefaultSortOfActive(WithSortCommand(Pane(ActivePane()).SortState().defaults, command));
        });
    }
    Add(L"@Sort", [this] {
        SortSettings sort = Pane(ActivePane()).SortState().defaults;
        if (AskSort(false, sort)) StoreDefaultSortOfActive(sort);
    });
    Add(L"@Tempsort", [this] {
        FilerPane& pane = Pane(ActivePane());
        SortSettings sort = pane.SortState().temporary;
        if (!AskSort(true, sort)) return;
        pane.SortState().temporary = sort;
        ResortKeepingCursor(ActivePane());
    });
}

void ViewFiler::RegisterDisplayCommands() {
    Add(L"@Changefilerinfo", [this] {
        Settings& settings = *m_context.settings;
        settings.FILERINFONUMBER = filer::NextFormatNumber(DisplayFormatNumber(settings));
    });
    for (const ToggleRow& row : kLayoutToggles) {
        Add(row.name, [this, flag = row.flag] {
            int& value = m_context.settings->*flag;
            value = value ? 0 : 1;
        });
    }
    for (const ToggleRow& row : kDisplayFileToggles) {
        Add(row.name, [this, flag = row.flag] {
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
