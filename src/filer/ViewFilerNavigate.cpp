// Filer commands that move between directories or compare the two panes'
// directories: @Newselelect, @Dirhistory, @Opencpl, and the way up from a root.
#include <windows.h>
#include <shellapi.h>

#include "commands/PaneModes.h"
#include "common/Paths.h"
#include "filer/ViewFiler.h"
#include "commands/CommandRegistry.h"
#include "filer/CDirHistoryDlg.h"
#include "filer/CNewSelectDlg.h"
#include "filer/CursorMemory.h"
#include "filer/FilerPane.h"
#include "filer/FilerPaneNewer.h"
#include "settings/Settings.h"
#include "ui/CMessageBoxDlg.h"

namespace zq {

namespace {

constexpr const wchar_t* kNotBothFiler = L"両方共Filerモードでないので実行できません";

// The dialog's two boxes keep their last values while the program runs; they
// are deliberately not settings.
NewerSelectOptions& LastNewerSelectOptions() {
    static NewerSelectOptions options;
    return options;
}

bool EndsWithCpl(std::wstring_view name) {
    return name.size() > 4 && ::CompareStringOrdinal(name.data() + name.size() - 4, 4, L".cpl", 4, TRUE) == CSTR_EQUAL;
}

}  // namespace

void ViewFiler::RegisterNavigateCommands() {
    // The control panel file under the cursor opens in the control panel.
    Add(cmd::filer::Opencpl, [this] {
        FilerPane& pane = Pane(ActivePane());
        const FileEntry* entry = pane.CursorEntry();
        if (!entry || !EndsWithCpl(entry->cFileName)) return;
        const std::wstring parameters = L"\"" + JoinPath(pane.Path(), entry->cFileName) + L"\"";
        ::ShellExecuteW(nullptr, L"open", L"control.exe", parameters.c_str(), nullptr, SW_SHOWNORMAL);
    });
    Add(cmd::filer::Newselelect, [this] {
        const int active = ActivePane();
        const int other = OtherPane();
        const PaneModes& modes = *m_context.modes;
        if (!modes.Query(active, 0, pane_mode::kFileCursorListings) ||
            !modes.Query(other, 0, pane_mode::kFileCursorListings)) {
            ui::ZqMessageBox(m_context.view, kNotBothFiler);
            return;
        }
        NewerSelectOptions& last = LastNewerSelectOptions();
        CNewSelectDlg dialog(m_context.view, last);
        bool ok = false;
        {
            const SuspendScope suspended(m_context);
            ok = dialog.DoModal() == IDOK;
        }
        if (!ok) return;
        last = dialog.Result();
        NewerSelect(Pane(active), Pane(other), last);
    });

    Add(cmd::filer::Dirhistory, [this] {
        const int index = ActivePane();
        if (!m_context.modes->Query(index, 0, pane_mode::kDirectory)) return;
        Settings& settings = *m_context.settings;
        CDirHistoryDlg dialog(m_context.view, settings.dirHistoryDialog.Items(), settings.DIR_HISTORY_DIALOG_W,
                              settings.DIR_HISTORY_DIALOG_H);
        INT_PTR answer = -1;
        {
            const SuspendScope suspended(m_context);
            answer = dialog.DoModal();
        }
        if (answer == -1) return;
        settings.DIR_HISTORY_DIALOG_W = dialog.Width();
        settings.DIR_HISTORY_DIALOG_H = dialog.Height();
        if (answer == IDOK && !dialog.Selected().empty()) ChangePaneDirectory(index, dialog.Selected());
    });
}

}  // namespace zq
