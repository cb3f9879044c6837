// "仮想ドライブ設定": the 26 letters as a check list; the ticked ones are
// virtual drives.  The stores follow at once: a newly enabled letter that is
// not on the machine is loaded, a disabled one is saved and unloaded.
#include <windows.h>

#include <cwchar>
#include <cwctype>

#include "commands/ViewContext.h"
#include "filer/FilerPane.h"
#include "filer/ViewFiler.h"
#include "filer/VirtualDriveSource.h"
#include "settings/Settings.h"
#include "ui/CCheckListBoxDlg.h"

namespace zq {

void ViewFiler::EditVirtualDrives() {
    Settings& settings = *m_context.settings;
    std::vector<std::wstring> lines;
    std::vector<bool> checks;
    for (size_t n = 0; n < settings.virtualDrives.size(); ++n) {
        wchar_t line[16];
        std::swprintf(line, std::size(line), L"%c Drive", static_cast<wchar_t>(L'A' + n));
        lines.emplace_back(line);
        checks.push_back(settings.virtualDrives[n] != 0);
    }
    ui::CCheckListBoxDlg dialog(m_context.view, L"仮想ドライブ設定", std::move(lines), checks);
    INT_PTR result = IDCANCEL;
    {
        const SuspendScope suspended(m_context);
        result = dialog.DoModal();
    }
    if (result != IDOK) return;
    VirtualDrives& drives = ProcessVirtualDrives();
    const uint32_t before = drives.LoadedMask();
    for (size_t n = 0; n < settings.virtualDrives.size(); ++n) settings.virtualDrives[n] = checks[n] ? 1 : 0;
    drives.Refresh(settings.virtualDrives, ::GetLogicalDrives());
    // A pane on a drive that stopped being virtual goes where the path leads now
    // (climbing, or the drive's not-ready state); the other panes read their listings again.
    const uint32_t gone = before & ~drives.LoadedMask();
    for (int i = 0; i < 2; ++i) {
        const std::wstring path = Pane(i).Path();
        const wchar_t letter = path.size() >= 2 && path[1] == L':' ? static_cast<wchar_t>(std::towupper(path[0])) : 0;
        const bool onGone = Pane(i).Kind() == kKindDirectory && letter >= L'A' && letter <= L'Z' &&
                            ((gone >> (letter - L'A')) & 1u) != 0;
        if (onGone)
            ChangePaneDirectory(i, path);
        else
            ReadKeepingCursor(i);
    }
    AfterCommand();
}

}  // namespace zq
