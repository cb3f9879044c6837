#include "fileops/ViewAttr.h"

#include <cwchar>

#include "commands/CommandRegistry.h"
#include "common/Paths.h"
#include "common/ShellLink.h"
#include "fileops/CAttributeDlg.h"
#include "fileops/CFileTimeDlg.h"
#include "fileops/CMakeLinkDlg.h"
#include "fileops/CMkDirDlg.h"
#include "fileops/CSetTimeMacroDlg.h"
#include "fileops/CTimeAttributeDlg.h"
#include "fileops/MakeDirectory.h"
#include "filer/FilerPane.h"
#include "filer/LocalClock.h"
#include "filer/SelectionSnapshot.h"
#include "filer/ViewFiler.h"
#include "filer/VirtualDriveSource.h"
#include "resource.h"
#include "settings/EventSounds.h"
#include "settings/Settings.h"
#include "ui/CMessageBoxDlg.h"

namespace zq {
namespace {

// The questions of an attribute or time change, asked on the window thread.
class BoxAsker final : public fileops::IChangeAsker {
  public:
    explicit BoxAsker(HWND owner) : m_owner(owner) {}
    bool AskContinue(const std::wstring& text, const std::wstring& caption, bool okCancel) override {
        if (okCancel) return ui::ZqMessageBox(m_owner, text, caption, MB_OKCANCEL) == IDOK;
        ui::CMessageBoxDlg box(text, m_owner, caption);
        return box.DoModal() == ui::CMessageBoxDlg::kYes;
    }

  private:
    HWND m_owner;
};

// The first state of the dialogs: a box for each bit any entry has, and the
// first entry's times, enabled when it is the only one.
fileops::AttributeDialogState FirstState(const SelectionSnapshot& selection, const Settings& settings) {
    fileops::AttributeDialogState state;
    for (const FileEntry& entry : selection.entries) state.word |= entry.dwFileAttributes & fileops::kUserAttributeBits;
    const FileEntry& first = selection.entries.front();
    const FILETIME* times[3] = {&first.ftCreationTime, &first.ftLastAccessTime, &first.ftLastWriteTime};
    for (size_t i = 0; i < state.rows.size(); ++i) {
        state.rows[i].enabled = selection.Count() == 1;
        (void)fileops::FormatTimeRow(*times[i], SystemLocalClock(), state.rows[i].date, state.rows[i].time);
    }
    state.intoDirectories = settings.CHANRGEATTINDIR != 0;
    state.leaveDirectories = settings.CHANGE_ATTRIBUTE_NEGLECT_DIR != 0;
    return state;
}

}  // namespace

ViewAttr::ViewAttr(ViewContext& context, ViewFiler& filer) : m_context(context), m_filer(filer) {}

void ViewAttr::RegisterCommands() {
    CommandRegistry& registry = *m_context.registry;
    registry.Register(cmd::filer::Attribute,
                      [this](const CommandCall&) { ChangeAttributes(AttributeCommand::Attributes); });
    registry.Register(cmd::filer::Filetime, [this](const CommandCall&) { ChangeAttributes(AttributeCommand::Times); });
    registry.Register(cmd::filer::TimeAttribute,
                      [this](const CommandCall&) { ChangeAttributes(AttributeCommand::Both); });
    registry.Register(cmd::filer::Mkdir, [this](const CommandCall&) { MakeDirectory(); });
    registry.Register(cmd::filer::Makeshortcut, [this](const CommandCall&) { MakeShortcut(); });
    registry.RegisterMenu(IDM_SETTIMEMACRO, [this](const CommandCall&) { EditTimeMacros(); });
}

FilerPane* ViewAttr::UsablePane(int index) {
    FilerPane& pane = m_filer.Pane(index);
    const bool usable = pane.Kind() == kKindDirectory && !pane.Path().empty() &&
                        &pane.Source() == &DirectorySource::Shared() && DirectoryExists(JoinPath(pane.Path(), L""));
    return usable ? &pane : nullptr;
}

void ViewAttr::Message(const std::wstring& text, const wchar_t* caption) const {
    if (caption != nullptr) {
        ui::ZqMessageBox(m_context.view, text, caption, MB_OK);
    } else {
        ui::ZqMessageBox(m_context.view, text);
    }
}

void ViewAttr::ChangeAttributes(AttributeCommand which) {
    PlayEventSound(*m_context.settings, SoundEvent::Attribute);
    FilerPane* pane = UsablePane(m_filer.ActivePane());
    if (pane == nullptr) return;
    const SuspendScope suspended(m_context);
    SelectionSnapshot selection;
    const SelectionStatus status = TakeSelection(*pane, 0, selection);
    if (status != SelectionStatus::Ok) {
        Message(status == SelectionStatus::OutOfMemory ? kOutOfMemoryText : kNoFileSelectedText,
                kSelectionErrorCaption);
        return;
    }
    Settings& settings = *m_context.settings;
    fileops::AttributeDialogState state = FirstState(selection, settings);
    fileops::AttributeChange change;
    INT_PTR result = IDCANCEL;
    const LocalClock& clock = SystemLocalClock();
    switch (which) {
        case AttributeCommand::Attributes: {
            fileops::CAttributeDlg dialog(m_context.view, state, clock);
            result = dialog.DoModal();
            change = dialog.Change();
            break;
        }
        case AttributeCommand::Times: {
            fileops::CFileTimeDlg dialog(m_context.view, state, clock);
            result = dialog.DoModal();
            change = dialog.Change();
            break;
        }
        case AttributeCommand::Both: {
            fileops::CTimeAttributeDlg dialog(m_context.view, state, clock);
            result = dialog.DoModal();
            change = dialog.Change();
            break;
        }
    }
    if (result != IDOK) return;
    settings.CHANRGEATTINDIR = state.intoDirectories ? 1 : 0;
    if (which != AttributeCommand::Times) settings.CHANGE_ATTRIBUTE_NEGLECT_DIR = state.leaveDirectories ? 1 : 0;
    BoxAsker asker(m_context.view);
    (void)fileops::ApplyAttributeChange(RealFileSystem(), asker, selection, change);
    pane->Reread(kReadForced);
    ::InvalidateRect(m_context.view, nullptr, FALSE);
}

void ViewAttr::MakeDirectory() {
    PlayEventSound(*m_context.settings, SoundEvent::MkDir);
    FilerPane& active = m_filer.Pane(m_filer.ActivePane());
    // On a virtual drive the directory is a node of the drive's list, not one on a disk.
    VirtualDriveStore* store =
        active.Kind() == kKindDirectory ? ProcessVirtualDrives().ForPath(active.Path()) : nullptr;
    FilerPane* pane = store ? &active : UsablePane(m_filer.ActivePane());
    if (pane == nullptr) return;
    const SuspendScope suspended(m_context);
    Settings& settings = *m_context.settings;
    fileops::CMkDirDlg dialog(m_context.view, settings.MOVEMAKEDIR != 0);
    if (dialog.DoModal() != IDOK) return;
    settings.MOVEMAKEDIR = dialog.MoveToMade() ? 1 : 0;
    fileops::MakeDirectoryPlan plan;
    bool made = fileops::PlanMakeDirectory(pane->Path(), dialog.Name(), plan);
    if (made) {
        // A name typed with another drive's letter is made where it says.
        VirtualDriveStore* target = ProcessVirtualDrives().ForPath(plan.full);
        made = target ? target->AddDirectory(plan.full) : fileops::MakeDirectoryTree(RealFileSystem(), plan.full);
    }
    if (!made) {
        Message(dialog.Name() + L"の作成に失敗しました");
        pane->Reread(kReadForced);
        ::InvalidateRect(m_context.view, nullptr, FALSE);
        return;
    }
    pane->Reread(kReadForced);
    if (dialog.MoveToMade()) {
        pane->PlaceCursorOnName(plan.firstComponent, true, pane->Cursor());
        pane->MoveCursor(0, false);
    }
    ::InvalidateRect(m_context.view, nullptr, FALSE);
}

void ViewAttr::MakeShortcut() {
    const int active = m_filer.ActivePane();
    FilerPane* pane = UsablePane(active);
    if (pane == nullptr) return;
    const SuspendScope suspended(m_context);
    const FileEntry* cursor = pane->CursorEntry();
    FilerPane* other = m_context.modes->Query(active ^ 1, 0, pane_mode::kDirectory) ? UsablePane(active ^ 1) : nullptr;
    fileops::CMakeLinkDlg dialog(
        m_context.view, fileops::DefaultShortcutFields(pane->Path(), cursor ? cursor->cFileName : L"",
                                                       cursor && (cursor->dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY),
                                                       other ? other->Path() : std::wstring()));
    if (dialog.DoModal() != IDOK) return;
    const fileops::ShortcutFields& f = dialog.Fields();
    const std::wstring linkPath = JoinPath(f.saveDirectory, f.fileName);
    if (!CreateShortcut(PlatformPath(linkPath), f.target, f.arguments, f.description, f.workingDirectory))
        Message(linkPath + L"の作成に失敗しました");
    m_filer.Refresh();
    ::InvalidateRect(m_context.view, nullptr, FALSE);
}

void ViewAttr::EditTimeMacros() {
    const SuspendScope suspended(m_context);
    Settings& settings = *m_context.settings;
    fileops::CSetTimeMacroDlg dialog(m_context.view, settings.timeMacros);
    if (dialog.DoModal() == IDOK) settings.timeMacros = dialog.Formats();
}

}  // namespace zq
