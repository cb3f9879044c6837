#pragma once
// The file search's part of the view: @Findfile opens "ファイル検索" for the
// active pane with the results in its own list; @FindFileInWindow shows what
// it found as that pane's search-result listing, and @DispResultFindFile shows
// those results again.  Every pane may list the
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
    void FindFile(bool listForm);
    void ShowResults(int pane);

    ViewContext& m_context;
    ViewFiler& m_filer;
    // The additional conditions, kept from one search to the next while the program runs.
    std::optional<FileConditions> m_conditions;
};

}  // namespace zq
