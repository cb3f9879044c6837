#include "fileops/CSyncCopyDlgThread.h"

namespace zq::fileops {

CSyncCopyDlgThread::CSyncCopyDlgThread(HWND dialog, std::vector<StructSyncData> lines, std::wstring sourceDirectory,
                                       std::wstring destinationDirectory, bool removableFast, SyncProgress& progress)
    : m_questions(dialog),
      m_job(std::move(lines), std::move(sourceDirectory), std::move(destinationDirectory), removableFast,
            SyncJobServices{RealFileSystem(), m_questions, progress, m_clock, &progress}) {}

}  // namespace zq::fileops
