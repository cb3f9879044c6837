#pragma once
// The synchronised copy as a part of the view: the command that compares the
// active pane's marked entries (or the archive it shows) with the other
// pane's directory (or archive) and opens the synchronised-copy dialog, then
// reads both panes again.
//
//     view.AddPart(std::make_unique<SyncViewPart>(context, filer));
#include <optional>

#include "commands/PaneContent.h"
#include "commands/ViewContext.h"
#include "filer/ArchiveSide.h"

namespace zq {

class FilerPane;
class ViewFiler;

class SyncViewPart final : public IViewPart {
  public:
    SyncViewPart(ViewContext& context, ViewFiler& filer);
    SyncViewPart(const SyncViewPart&) = delete;
    SyncViewPart& operator=(const SyncViewPart&) = delete;

    void RegisterCommands() override;

  private:
    void Synchronise();
    // The pane when it shows a real directory that exists; null otherwise.
    FilerPane* DirectorySide(int index);
    // The archive the pane shows, read afresh; nothing when it shows none.
    std::optional<StructArchiveSide> ArchiveSideOf(int index);

    ViewContext& m_context;
    ViewFiler& m_filer;
};

}  // namespace zq
