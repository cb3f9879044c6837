#include "fileops/SyncViewPart.h"

#include "commands/CommandRegistry.h"
#include "common/Paths.h"
#include "fileops/CSynccopyDlg.h"
#include "filer/FilerPane.h"
#include "filer/SelectionSnapshot.h"
#include "filer/ViewFiler.h"
#include "settings/Settings.h"
#include "ui/CMessageBoxDlg.h"

namespace zq {

SyncViewPart::SyncViewPart(ViewContext& context, ViewFiler& filer) : m_context(context), m_filer(filer) {}

void SyncViewPart::RegisterCommands() {
    m_context.registry->Register(cmd::filer::Syncrocopyex, [this](const CommandCall&) { Synchronise(); });
}

FilerPane* SyncViewPart::DirectorySide(int index) {
    if (!m_context.modes->Query(index, 0, pane_mode::kDirectory)) return nullptr;
    FilerPane& pane = m_filer.Pane(index);
    const bool usable = pane.Kind() == kKindDirectory && !pane.Path().empty() &&
                        &pane.Source() == &DirectorySource::Shared() && DirectoryExists(JoinPath(pane.Path(), L""));
    return usable ? &pane : nullptr;
}

std::optional<StructArchiveSide> SyncViewPart::ArchiveSideOf(int index) {
    if (!m_context.modes->Query(index, 0, pane_mode::kDirectory)) return std::nullopt;
    FilerPane& pane = m_filer.Pane(index);
    auto* archive = dynamic_cast<IArchiveSide*>(&pane.Source());
    StructArchiveSide side;
    if (archive == nullptr || !archive->DescribeArchiveSide(pane.Path(), side)) return std::nullopt;
    return side;
}

// Each side is a directory or an archive.  A pane that shows anything else
// (the drive list, a directory that has gone), or archives on both sides,
// end the command before anything is asked.
void SyncViewPart::Synchronise() {
    const int active = m_filer.ActivePane();
    fileops::SyncDialogInput input;
    input.sourceArchive = ArchiveSideOf(active);
    input.destinationArchive = ArchiveSideOf(active ^ 1);
    FilerPane* source = input.sourceArchive ? &m_filer.Pane(active) : DirectorySide(active);
    FilerPane* destination = input.destinationArchive ? &m_filer.Pane(active ^ 1) : DirectorySide(active ^ 1);
    if (source == nullptr || destination == nullptr) return;
    if (input.sourceArchive && input.destinationArchive) return;
    const SuspendScope suspended(m_context);
    const SelectionStatus status = input.sourceArchive ? SelectionStatus::Ok : TakeSelection(*source, 0, input.source);
    if (status != SelectionStatus::Ok) {
        ui::ZqMessageBox(m_context.view,
                         status == SelectionStatus::OutOfMemory ? kOutOfMemoryText : kNoFileSelectedText,
                         kSelectionErrorCaption, MB_OK);
        return;
    }
    // Typed destinations are read from the folder that holds the archive.
    input.source.directory = input.sourceArchive ? input.sourceArchive->directory : source->Path();
    input.destination = input.destinationArchive ? std::wstring() : destination->Path();
    input.includeMissing =
        ui::ZqMessageBox(m_context.view, L"相手側に存在しないファイルも同期させますか", L"同期方法", MB_YESNO) == IDYES;
    Settings& settings = *m_context.settings;
    input.removableFast = settings.REMOVABLE_COPY_FAST != 0;
    const bool intoArchive = input.destinationArchive.has_value();
    fileops::CSynccopyDlg dialog(m_context.view, std::move(input));
    dialog.DoModal();
    // A directory synchronised with is one the user will want again as a
    // destination: it joins the copy destinations' history.
    if (dialog.Ran() && !intoArchive) settings.selectDir.Push(dialog.Destination());
    source->Reread(kReadForced);
    destination->Reread(kReadForced);
    ::InvalidateRect(m_context.view, nullptr, FALSE);
}

}  // namespace zq
