#include "fileops/ViewFileOps.h"

#include <shlobj.h>

#include <cwchar>
#include <memory>

#include "commands/DialogLists.h"
#include "settings/EventSounds.h"
#include "fileops/ViewFileOpsDrop.h"
#include "fileops/ViewFileOpsSettings.h"
#include "filer/ViewFiler.h"
#include "commands/CommandRegistry.h"
#include "fileops/CDeleteDlg.h"
#include "fileops/CMyCopyDlg.h"
#include "fileops/CopyJob.h"
#include "fileops/OperationLog.h"
#include "filer/FilerPane.h"
#include "filer/SelectionSnapshot.h"
#include "filer/VirtualDriveSource.h"
#include "settings/Settings.h"
#include "ui/CMessageBoxDlg.h"

namespace zq {

namespace {

// A running copy dialog as the view's list sees it.  It owns the dialog and
// the settings copy the dialog edits; the settings go back when the list
// disposes of the finished dialog, so that several dialogs never race on them.
class CopyOperation final : public IOperationDialog {
  public:
    CopyOperation(HWND view, unsigned mode, unsigned pane, Settings& settings, const std::wstring& programDir)
        : m_settings(settings),
          m_copy(CopySettingsFrom(settings, programDir)),
          m_dialog(std::make_unique<fileops::CMyCopyDlg>(view, mode, pane, m_copy)) {}

    fileops::CMyCopyDlg& Dialog() { return *m_dialog; }
    [[nodiscard]] bool Finished() const override { return m_dialog->Finished(); }
    void Close() override { StoreCopySettings(m_copy, m_settings); }

  private:
    Settings& m_settings;
    fileops::CopyDialogSettings m_copy;
    std::unique_ptr<fileops::CMyCopyDlg> m_dialog;
};

class DeleteOperation final : public IOperationDialog {
  public:
    DeleteOperation(HWND view, unsigned pane, fileops::SelectionSnapshot selection, Settings& settings,
                    RecycleChoice recycle)
        : m_settings(settings),
          m_recycle(recycle),
          m_options(DeleteOptionsFrom(settings, recycle)),
          m_dialog(std::make_unique<fileops::CDeleteDlg>(view, pane, std::move(selection), m_options)) {}

    fileops::CDeleteDlg& Dialog() { return *m_dialog; }
    [[nodiscard]] bool Finished() const override { return m_dialog->Finished(); }
    void Close() override { StoreDeleteOptions(m_options, m_recycle, m_settings); }

  private:
    Settings& m_settings;
    RecycleChoice m_recycle;
    fileops::DeleteOptions m_options;
    std::unique_ptr<fileops::CDeleteDlg> m_dialog;
};

constexpr wchar_t kDialogNotOpenedText[] = L"操作のダイアログを開けませんでした";

// Copy, move and delete read a real directory; a drive list or an archive has none.
// A pane a copy can go to: a directory, or a directory of a virtual drive (the copy lists the files there).
bool IsDirectoryPane(const FilerPane& pane) {
    if (pane.Kind() != kKindDirectory || pane.Path().empty()) return false;
    return &pane.Source() == &DirectorySource::Shared() || ProcessVirtualDrives().ForPath(pane.Path()) != nullptr;
}

std::wstring SendToFolder() {
    wchar_t path[MAX_PATH] = {};
    if (FAILED(::SHGetFolderPathW(nullptr, CSIDL_SENDTO, nullptr, SHGFP_TYPE_CURRENT, path))) return {};
    return path;
}

std::vector<std::wstring> DestinationChoices(const Settings& settings, const fileops::SelectionSnapshot& source) {
    const fileops::DestinationListSettings list = DestinationListFrom(settings);
    fileops::DestinationSources sources;
    if (list.enabled[fileops::kCurrentDirectoryDirs])
        sources.lists[fileops::kCurrentDirectoryDirs] = fileops::SelectedDirectories(source);
    if (list.enabled[fileops::kPastDirectories]) sources.lists[fileops::kPastDirectories] = settings.selectDir.Items();
    if (list.enabled[fileops::kSpecialDirectories])
        sources.lists[fileops::kSpecialDirectories] = fileops::SpecialDirectoryChoices(
            std::vector<std::wstring>(settings.specialCopyTo.begin(), settings.specialCopyTo.end()));
    if (list.enabled[fileops::kSendToDirectories]) {
        const std::wstring sendTo = SendToFolder();
        if (!sendTo.empty())
            sources.lists[fileops::kSendToDirectories] = fileops::SendToDirectories(RealFileSystem(), sendTo);
    }
    return fileops::OrderDestinationChoices(sources, list);
}

// A box about an operation, with the view suspended around it.  The view may
// be gone when a dialog failed to open, and the box must show all the same.
void ShowBox(const ViewContext& context, const std::wstring& text, const wchar_t* caption) {
    const SuspendScope suspended(context);
    HWND owner = ::IsWindow(context.view) ? context.view : nullptr;
    if (caption != nullptr) {
        ui::ZqMessageBox(owner, text, caption, MB_OK);
    } else {
        ui::ZqMessageBox(owner, text);
    }
}

// Shows the dialog and hands it to the list.  One that never opened could
// never finish, and would hold off quitting for good: it is freed, and the
// user is told, since nothing else would show that the command did anything.
template <typename Operation>
void Open(std::unique_ptr<Operation> operation, const ViewContext& context, DialogList list) {
    if (!operation->Dialog().Create(context.view)) {
        const Win32Error failure{L"CreateDialog", ::GetLastError()};
        operation.reset();
        if (list == DialogList::Copy) {
            fileops::AppendLog(context.programDir, nullptr, L"OnCopy Failed before Create");
        } else {
            fileops::AppendLog(context.programDir, nullptr, L"OnDelete Failed before Create");
        }
        wchar_t text[160] = {};
        swprintf(text, 160, L"%ls\n(%ls:Error Code=%u)", kDialogNotOpenedText, failure.call,
                 static_cast<unsigned>(failure.code));
        ShowBox(context, text, nullptr);
        return;
    }
    ::ShowWindow(operation->Dialog(), SW_SHOW);
    context.lists->Add(list, std::move(operation));
}

}  // namespace

ViewFileOps::ViewFileOps(ViewContext& context, ViewFiler& filer) : m_context(context), m_filer(filer) {}
ViewFileOps::~ViewFileOps() = default;

void ViewFileOps::RegisterCommands() {
    struct CopyCommand {
        CommandId id;
        unsigned mode;
    };
    static constexpr CopyCommand kCopyCommands[] = {
        {cmd::filer::Copy, fileops::kModeCopy},          {cmd::filer::Move, fileops::kModeMove},
        {cmd::filer::Filesupdir, fileops::kModeUpMove},  {cmd::filer::Neglectdir, fileops::kModeNeglectDir},
        {cmd::filer::Toalldir, fileops::kModeCopyToAll},
    };
    struct DeleteCommand {
        CommandId id;
        RecycleChoice recycle;
    };
    static constexpr DeleteCommand kDeleteCommands[] = {
        {cmd::filer::Delete, RecycleChoice::AsStored},
        {cmd::filer::DeleteDefaultDust, RecycleChoice::Forced},
        {cmd::filer::DeleteDefaultNotDust, RecycleChoice::Avoided},
    };
    CommandRegistry& registry = *m_context.registry;
    for (const CopyCommand& c : kCopyCommands) {
        const unsigned mode = c.mode;
        registry.Register(c.id, [this, mode](const CommandCall&) { StartCopy(mode); });
    }
    for (const DeleteCommand& c : kDeleteCommands) {
        const RecycleChoice recycle = c.recycle;
        registry.Register(c.id, [this, recycle](const CommandCall&) { StartDelete(recycle); });
    }
}

void ViewFileOps::ShowError(const std::wstring& text) const {
    ShowBox(m_context, text, kSelectionErrorCaption);
}

bool ViewFileOps::TakeActiveSelection(int& active, SelectionSnapshot& out) const {
    active = m_filer.ActivePane();
    FilerPane& pane = m_filer.Pane(active);
    // Search results are files on disk too: each entry is taken with its own directory.
    if (!IsDirectoryPane(pane) && !(pane.Kind() == kKindDirectory && pane.Source().EntriesOnDisk())) return false;
    const SelectionStatus status = TakeSelection(pane, 0, out);
    if (status != SelectionStatus::Ok) {
        ShowError(status == SelectionStatus::OutOfMemory ? kOutOfMemoryText : kNoFileSelectedText);
        return false;
    }
    return true;
}

void ViewFileOps::StartCopy(unsigned mode) {
    const bool copying = mode == fileops::kModeCopy || mode == fileops::kModeCopyToAll;
    PlayEventSound(*m_context.settings, copying ? SoundEvent::Copy : SoundEvent::Move);
    int active = 0;
    fileops::SelectionSnapshot source;
    if (!TakeActiveSelection(active, source)) return;
    FilerPane& pane = m_filer.Pane(active);

    FilerPane& otherPane = m_filer.Pane(active ^ 1);
    const bool otherIsDirectory = IsDirectoryPane(otherPane);
    fileops::SelectionSnapshot other;
    if (otherIsDirectory) {
        (void)TakeSelection(otherPane, 0, other);
        other.directory = otherPane.Path();
    }

    Settings& settings = *m_context.settings;
    auto operation = std::make_unique<CopyOperation>(m_context.view, mode, static_cast<unsigned>(active), settings,
                                                     m_context.programDir);
    fileops::CMyCopyDlg& dialog = operation->Dialog();
    if (mode == fileops::kModeCopy || mode == fileops::kModeMove)
        dialog.SetDestinationChoices(DestinationChoices(settings, source));
    dialog.SetSource(std::move(source));
    if (otherIsDirectory) dialog.SetDestination(otherPane.Path());
    dialog.SetOther(std::move(other));
    HWND view = m_context.view;
    dialog.onMarkSource = [&pane, view] {
        pane.ApplyMarkKind(kMarkRelease);
        ::InvalidateRect(view, nullptr, FALSE);
    };
    dialog.onDestinationUsed = [&settings](const std::wstring& destination) {
        if (!destination.empty()) settings.selectDir.Push(destination);
    };
    Open(std::move(operation), m_context, DialogList::Copy);
}

bool ViewFileOps::ForwardMessage(UINT message, WPARAM wParam, LPARAM, LRESULT& result) {
    if (message != WM_DROPFILES) return false;
    OnDropFiles(reinterpret_cast<HDROP>(wParam));
    result = 0;
    return true;
}

void ViewFileOps::OnDropFiles(HDROP drop) {
    POINT point{};
    ::DragQueryPoint(drop, &point);
    const int pane = DropTargetPane(m_filer.LayoutResult(), point, m_filer.ActivePane());
    std::vector<std::wstring> paths = DroppedPaths(drop);
    ::DragFinish(drop);
    const bool shift = ::GetKeyState(VK_SHIFT) < 0;
    const bool control = ::GetKeyState(VK_CONTROL) < 0;
    StartDrop(pane, std::move(paths), DropModeForKeys(shift, control));
}

void ViewFileOps::StartDrop(int pane, std::vector<std::wstring> paths, unsigned requested) {
    if (pane < 0 || pane > 1) return;
    FilerPane& target = m_filer.Pane(pane);
    if (!IsDirectoryPane(target)) return;
    const std::optional<unsigned> mode = DropJobMode(requested, paths);
    if (!mode) return;
    auto operation = std::make_unique<CopyOperation>(m_context.view, *mode, static_cast<unsigned>(pane),
                                                     *m_context.settings, m_context.programDir);
    fileops::CMyCopyDlg& dialog = operation->Dialog();
    fileops::SelectionSnapshot source;
    const size_t slash = paths.front().rfind(L'\\');
    if (slash != std::wstring::npos) source.directory = paths.front().substr(0, slash);
    dialog.SetSource(std::move(source));
    dialog.SetDropped(std::move(paths));
    dialog.SetDestination(target.Path());
    Open(std::move(operation), m_context, DialogList::Copy);
}

void ViewFileOps::StartDelete(RecycleChoice recycle) {
    PlayEventSound(*m_context.settings, SoundEvent::Delete);
    int active = 0;
    fileops::SelectionSnapshot selection;
    if (!TakeActiveSelection(active, selection)) return;
    FilerPane& pane = m_filer.Pane(active);
    auto operation = std::make_unique<DeleteOperation>(m_context.view, static_cast<unsigned>(active),
                                                       std::move(selection), *m_context.settings, recycle);
    fileops::CDeleteDlg& dialog = operation->Dialog();
    HWND view = m_context.view;
    dialog.onMarkSource = [&pane, view] {
        pane.ApplyMarkKind(kMarkRelease);
        ::InvalidateRect(view, nullptr, FALSE);
    };
    Open(std::move(operation), m_context, DialogList::Delete);
}

}  // namespace zq
