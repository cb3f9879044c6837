#include "app/ViewFileOps.h"

#include "app/ViewFiler.h"

namespace zq {

ViewFileOps::ViewFileOps(ViewContext& context, ViewFiler& filer) : m_context(context), m_filer(filer) {}
ViewFileOps::~ViewFileOps() = default;

void ViewFileOps::RegisterCommands() {}

}  // namespace zq
