#include "search/CFindThread.h"

#include "common/FileSystem.h"
#include "search/FindWalker.h"

namespace zq {

bool CFindThread::Work() {
    Win32FileSystem fs;
    FindWalker walker(fs, m_request);
    const bool completed =
        walker.Run([this](const structFindThreadInfo& hit) { m_results.Add(hit); }, m_stop, &m_progress);
    m_results.SetProblems(walker.Problems());
    return completed;
}

}  // namespace zq
