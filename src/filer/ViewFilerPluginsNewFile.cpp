// @Makenewfile01 … @Makenewfile20 and @Makenewfilelist: a new document in the
// active directory listing from the MAKENEWFILE rows.
#include <windows.h>

#include "commands/PaneModes.h"
#include "common/Handle.h"
#include "common/Paths.h"
#include "filer/FilerPane.h"
#include "filer/MakeNewFile.h"
#include "filer/ViewFiler.h"
#include "filer/ViewFilerPlugins.h"
#include "resource.h"
#include "settings/Settings.h"

namespace zq {
namespace {

std::wstring WindowsDirectory() {
    wchar_t path[MAX_PATH] = {};
    const UINT length = ::GetWindowsDirectoryW(path, MAX_PATH);
    return length > 0 && length < MAX_PATH ? std::wstring(path, length) : std::wstring();
}

}  // namespace

void ViewFilerPlugins::MakeNewFile(int row) {
    const Settings& settings = *m_context.settings;
    if (row < 0 || row >= static_cast<int>(settings.newFileKinds.size())) return;
    if (!m_context.modes->Query(PaneModes::kEither, pane_state::kFocused, pane_mode::kDirectory)) return;
    FilerPane& pane = m_filer.Pane(m_filer.ActivePane());
    if (pane.Kind() != kKindDirectory || pane.Path().empty()) return;
    RegistryNewFileTemplates registry;
    const NewFileOutcome made =
        MakeNewFileFromRow(pane.Path(), settings.newFileKinds[static_cast<size_t>(row)], registry, WindowsDirectory());
    if (made.result != NewFileResult::Made) return;
    // Both listings show the new file; the cursor stays where it was.
    m_filer.Refresh();
    ::InvalidateRect(m_context.view, nullptr, FALSE);
}

void ViewFilerPlugins::ChooseNewFile() {
    if (!m_context.modes->Query(PaneModes::kEither, pane_state::kFocused, pane_mode::kDirectory)) return;
    const Settings& settings = *m_context.settings;
    UniqueMenu menu(::CreatePopupMenu());
    if (!menu) return;
    int items = 0;
    for (size_t n = 0; n < settings.newFileKinds.size(); ++n) {
        const Settings::NewFileKind& row = settings.newFileKinds[n];
        if (row.kind.empty()) continue;
        const std::wstring label = (row.display.empty() ? row.kind : row.display) + L"\t." + row.kind;
        ::AppendMenuW(menu.Get(), MF_STRING, IDM_NEWFILE_LIST_FIRST + n, label.c_str());
        ++items;
    }
    if (items == 0) return;
    POINT at{0, 0};
    ::ClientToScreen(m_context.view, &at);
    UINT chosen = 0;
    {
        const SuspendScope suspended(m_context);
        chosen = static_cast<UINT>(::TrackPopupMenu(menu.Get(), TPM_RETURNCMD | TPM_NONOTIFY | TPM_LEFTALIGN, at.x,
                                                    at.y, 0, m_context.view, nullptr));
    }
    if (chosen >= IDM_NEWFILE_LIST_FIRST) MakeNewFile(static_cast<int>(chosen - IDM_NEWFILE_LIST_FIRST));
}

}  // namespace zq
