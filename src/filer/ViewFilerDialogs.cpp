// The Filer's filter dialogs: the wildcard of the active pane and the
// display-file settings.
#include <memory>

#include "settings/EventSounds.h"
#include "commands/PaneModes.h"
#include "filer/ViewFiler.h"
#include "filer/ViewFilerSettings.h"
#include "filer/CDispFileSettingDlg.h"
#include "filer/CWildcardDlg.h"
#include "filer/FilerPane.h"
#include "filer/PatternHistory.h"
#include "settings/Settings.h"

namespace zq {

void ViewFiler::RegisterDialogCommands() {
    // "DIRにも適用" opens as it was last left, whatever the pane holds.
    auto lastAppliesToDirectories = std::make_shared<bool>(false);
    Add(cmd::filer::Wildcard, [this, lastAppliesToDirectories] {
        const int index = ActivePane();
        // An archive pane takes only the pattern and the directory flag and is
        // re-sorted from its first entry rather than read; that belongs to the
        // archive listing, which panes cannot show yet.
        if (!m_context.modes->Query(index, 0, pane_mode::kDirectory)) return;
        PlayEventSound(*m_context.settings, SoundEvent::Wildcard);
        FilerPane& pane = Pane(index);
        Settings& settings = *m_context.settings;
        const WildcardChoice initial{pane.Pattern(), *lastAppliesToDirectories,
                                     settings.FIND_FILE_NEGLECT_DOS_NAME != 0, pane.Conditions()};
        CWildcardDlg dialog(m_context.view, initial, HistoryEntries(settings.wildcardFilters));
        bool ok = false;
        {
            const SuspendScope suspended(m_context);
            ok = dialog.DoModal() == IDOK;
        }
        if (!ok) return;
        const WildcardChoice& choice = dialog.Result();
        *lastAppliesToDirectories = choice.appliesToDirectories;
        PushHistory(settings.wildcardFilters, choice.pattern);
        settings.FIND_FILE_NEGLECT_DOS_NAME = choice.neglectDosNames ? 1 : 0;
        pane.SetWildcard(choice.pattern, choice.appliesToDirectories, choice.conditions);
        ApplySettings();
        ReadKeepingCursor(index);
        // The listing may have shrunk below the first shown entry.
        pane.MoveCursor(0, false);
    });
    Add(cmd::filer::DispFileSetting, [this] {
        Settings& settings = *m_context.settings;
        CDispFileSettingDlg dialog(m_context.view, DisplayGroupOf(FilerOptionsFrom(settings)),
                                   settings.dispFileSettings);
        bool ok = false;
        {
            const SuspendScope suspended(m_context);
            ok = dialog.DoModal() == IDOK;
        }
        if (!ok) return;
        StoreDisplayGroup(settings, dialog.Result());
        ApplySettings();
        ReReadAllPanes();
    });
}

}  // namespace zq
