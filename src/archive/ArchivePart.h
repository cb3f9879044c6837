#pragma once
// The archive browser's part of the view: every pane may enter an archive
// file as a folder (its own ArchiveSource), and the unpacking commands live
// here.
//
//     view.AddPart(std::make_unique<ArchivePart>(context));
#include "commands/PaneContent.h"
#include "commands/ViewContext.h"

namespace zq {

class ArchivePart final : public IViewPart {
  public:
    explicit ArchivePart(ViewContext& context);
    void RegisterCommands() override {}

  private:
    ViewContext& m_context;
};

}  // namespace zq
