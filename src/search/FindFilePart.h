#pragma once
// The file search's part of the view: @Findfile opens "ファイル検索" for the
// active pane and shows what it found as that pane's search-result listing;
// @DispResultFindFile shows the last results again.  Every pane may list the
// results (its own SearchResultSource).
//
//     view.AddPart(std::make_unique<FindFilePart>(context, filer));
#include <optional>

#include "commands/PaneContent.h"
#include "commands/ViewContext.h"
#include "filer/FileConditions.h"

namespace zq {

class ViewFiler;

class FindFilePart final : public IViewPart {
  public:
    FindFilePart(ViewContext& context, ViewFiler& filer);
    void RegisterCommands() override;

  private:
    void FindFile();
    void ShowResults(int pane);

    ViewContext& m_context;
    ViewFiler& m_filer;
    // The additional conditions, kept from one search to the next while the program runs.
    std::optional<FileConditions> m_conditions;
};

}  // namespace zq
