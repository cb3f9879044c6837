#include "fileops/CCalDirectoryThread.h"

namespace zq::fileops {

DWORD CCalDirectoryThread::Run() {
    for (const WIN32_FIND_DATAW& entry : m_entries) {
        if (!AddEntryTotals(m_directory, entry, m_totals, m_cancel)) {
            PostToOwner(kCommandFailed);
            return 1;
        }
    }
    PostToOwner(kCommandSucceeded);
    return 0;
}

}  // namespace zq::fileops
