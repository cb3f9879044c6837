// The directory jumps of the Filer: the bookmark dialog and its groups,
// adding the entry under the cursor, a bookmark chosen by its key, the typed
// directory and the companion library's directory tree.  Every one of them ends in GoToDirectory
// for the active pane.
#include <cwchar>
#include <memory>

#include "commands/CommandRegistry.h"
#include "commands/PaneModes.h"
#include "common/Paths.h"
#include "external/CompanionLibrary.h"
#include "filer/CDirChangeDlg.h"
#include "filer/CDirJumpDlg.h"
#include "filer/CDirJumpGroupDlg.h"
#include "filer/DirJump.h"
#include "filer/FilerPane.h"
#include "filer/ViewFiler.h"
#include "settings/EventSounds.h"
#include "settings/Settings.h"
#include "ui/CMessageBoxDlg.h"

namespace zq {

namespace {

constexpr const wchar_t* kAddJumpTitle = L"ディレクトリジャンプへの追加";

std::wstring Format(const wchar_t* format, const std::wstring& a, const std::wstring& b = L"") {
    std::wstring text(a.size() + b.size() + 64, L'\0');
    const int n = std::swprintf(text.data(), text.size(), format, a.c_str(), b.c_str());
    text.resize(n > 0 ? static_cast<size_t>(n) : 0);
    return text;
}

}  // namespace

void ViewFiler::GoToDirectory(const std::wstring& path, const std::wstring& cursorName, bool addToJumpList) {
    const int index = ActivePane();
    ChangePaneDirectory(index, path);
    FilerPane& pane = Pane(index);
    if (!cursorName.empty()) pane.PlaceCursorOnName(cursorName, false, pane.Cursor());
    if (addToJumpList) PushJumpList(m_jumpList, pane.Path());
    AfterCommand();
}

void ViewFiler::RunKeyDirectoryJump(std::wstring_view keyName) {
    m_keyJumpPending = false;
    const Settings& settings = *m_context.settings;
    if (settings.jumpGroups.empty()) return;
    const int found = FindJumpKey(settings.jumpGroups[0], keyName);
    if (found < 0) return;
    const JumpDestination to = DestinationOf(settings.jumpGroups[0].entries[static_cast<size_t>(found)].toDir);
    GoToDirectory(to.directory, to.cursorName, false);
}

void ViewFiler::RegisterJumpCommands() {
    Add(cmd::filer::Dirjump, [this] {
        Settings& settings = *m_context.settings;
        PlayEventSound(settings, SoundEvent::JumpDir);
        DirJumpColumns columns;
        columns.shown = settings.jumpListDisplay;
        columns.item = settings.jumpListItem;
        columns.width = settings.jumpListWidth;
        CDirJumpDlg dialog(m_context.view, settings.jumpGroups, columns, settings.DISP_ICON_ON_JUMP_DIR_DLG != 0);
        INT_PTR answer = IDCANCEL;
        {
            const SuspendScope suspended(m_context);
            answer = dialog.DoModal();
        }
        if (answer != IDOK) return;
        settings.jumpGroups = dialog.Groups();
        settings.SUMDIRJUMPGROUP = static_cast<int>(settings.jumpGroups.size());
        settings.DISP_ICON_ON_JUMP_DIR_DLG = dialog.Icons() ? 1 : 0;
        if (dialog.Target().empty()) return;
        const JumpDestination to = dialog.ToLocation() ? LocationOf(dialog.Target()) : DestinationOf(dialog.Target());
        GoToDirectory(to.directory, to.cursorName, true);
    });

    Add(cmd::filer::AddDirJump, [this] {
        Settings& settings = *m_context.settings;
        const int index = ActivePane();
        if (!m_context.modes->Query(index, 0, pane_mode::kFileCursorListings)) return;
        FilerPane& pane = Pane(index);
        const FileEntry* entry = pane.CursorEntry();
        if (!entry || IsLinkEntry(*entry)) return;
        const std::wstring target = pane.Path() + L"\\" + entry->cFileName;
        if (settings.jumpGroups.empty()) settings.jumpGroups.emplace_back();
        int group = 0;
        if (settings.jumpGroups.size() > 1) {
            std::vector<std::wstring> names;
            for (const JumpGroup& g : settings.jumpGroups) names.push_back(g.name);
            CDirJumpGroupDlg dialog(m_context.view, names);
            {
                const SuspendScope suspended(m_context);
                if (dialog.DoModal() != IDOK) return;
            }
            group = dialog.Chosen();
        }
        JumpGroup& chosen = settings.jumpGroups[static_cast<size_t>(group)];
        const SuspendScope suspended(m_context);
        if (AddJump(chosen, target) == AddJumpResult::AlreadyThere) {
            ui::ZqMessageBox(m_context.view, Format(L"%sは追加済みです", target), kAddJumpTitle, MB_OK);
        } else {
            ui::ZqMessageBox(m_context.view, Format(L"%s%sを追加しました", chosen.name, target), kAddJumpTitle, MB_OK);
        }
    });

    Add(cmd::filer::Dirjumpkey, [this] { m_keyJumpPending = true; });

    Add(cmd::filer::Dirchange, [this] {
        PlayEventSound(*m_context.settings, SoundEvent::DirChange);
        const std::wstring base = Pane(ActivePane()).Path();
        CDirChangeDlg dialog(m_context.view, m_jumpList, base);
        {
            const SuspendScope suspended(m_context);
            if (dialog.DoModal() != IDOK) return;
        }
        const std::wstring path = ResolveTypedDirectory(dialog.Path(), base);
        if (path.empty()) {
            ui::ZqMessageBox(m_context.view, L"ディレクトリ名が不正です");
            return;
        }
        GoToDirectory(path, L"", true);
    });

    // The companion library's tree; a library without it leaves the pane as it is.
    const auto directoryTree = [this](bool allDrives) {
        const int index = ActivePane();
        if (!m_context.companion || !m_context.modes->Query(index, 0, pane_mode::kDirectory)) return;
        const Settings& settings = *m_context.settings;
        const std::wstring current = NormalisePath(Pane(index).Path());
        auto request = std::make_unique<StructZqDirTreeRequest>();
        request->hwndOwner = m_context.view;
        request->AllDrives = allDrives ? 1 : 0;
        request->SaveToFile = settings.SAVEDRIVETREETOFILE;
        request->SaveToMemory = settings.SAVEDRIVETREETOMEMORY;
        request->VirtualDrives = settings.virtualDrives.data();
        request->ProgramDirectory = m_context.programDir.c_str();
        request->CurrentDirectory = current.c_str();
        bool chosen = false;
        {
            const SuspendScope suspended(m_context);
            chosen = m_context.companion->DirTree(*request);
        }
        if (chosen && request->Directory[0]) GoToDirectory(request->Directory, L"", true);
    };
    // The typed form's companion: the same tree, every drive at the top.
    Add(cmd::filer::Dirchangedlg, [directoryTree] { directoryTree(true); });
    Add(cmd::filer::Dirtreeview, [directoryTree] { directoryTree(false); });
    Add(cmd::filer::Drivetreeview, [directoryTree] { directoryTree(true); });
}

}  // namespace zq
