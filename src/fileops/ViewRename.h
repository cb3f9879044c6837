#pragma once
// Renaming and the directory-size survey started from the Filer:
// @Rename (all marked entries by one pattern), @RenameOneFile (one dialog per
// marked entry), @RenameExchange (two files trade names) and @Dirsize.
#include "commands/PaneContent.h"
#include "commands/ViewContext.h"
#include "fileops/CRenameDlg.h"

namespace zq {

class ViewFiler;

class ViewRename final : public IViewPart {
  public:
    ViewRename(ViewContext& context, ViewFiler& filer) : m_context(context), m_filer(filer) {}
    void RegisterCommands() override;

  private:
    void Rename(unsigned mode);
    void Exchange();
    void DirectorySize();

    ViewContext& m_context;
    ViewFiler& m_filer;
    // "ファイル名は常に積算する" and the case choice live as long as the program.
    fileops::RenameBatchSettings m_kept;
};

}  // namespace zq
