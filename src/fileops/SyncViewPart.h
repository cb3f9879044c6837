#pragma once
// The synchronised copy as a part of the view: the command that compares the
// active pane's marked entries with the other pane's directory and opens the
// synchronised-copy dialog, then reads both panes again.
//
//     view.AddPart(std::make_unique<SyncViewPart>(context, filer));
#include "commands/PaneContent.h"
#include "commands/ViewContext.h"

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

    ViewContext& m_context;
    ViewFiler& m_filer;
};

}  // namespace zq
