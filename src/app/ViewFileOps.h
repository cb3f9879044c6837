#pragma once
// The file operations started from the view: copy, move and delete with their
// dialogs, and the refresh when they end.
#include "app/ViewContext.h"

namespace zq {

class ViewFiler;

class ViewFileOps {
public:
    ViewFileOps(ViewContext& context, ViewFiler& filer);
    ~ViewFileOps();
    ViewFileOps(const ViewFileOps&) = delete;
    ViewFileOps& operator=(const ViewFileOps&) = delete;

    void RegisterCommands();

private:
    ViewContext& m_context;
    ViewFiler& m_filer;
};

}  // namespace zq
