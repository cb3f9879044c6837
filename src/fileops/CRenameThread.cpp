#include "fileops/CRenameThread.h"

namespace zq::fileops {

DWORD CRenameThread::Run() {
    const bool done = ExecuteRenamePlan(
        m_directory, m_plan, [this](int request) { m_lastDone.store(request); }, m_failedAt,
        [this] { return CancelRequested(); });
    const bool finished = done && !CancelRequested();
    PostToOwner(finished ? kCommandSucceeded : kCommandFailed);
    return finished ? 0 : 1;
}

}  // namespace zq::fileops
