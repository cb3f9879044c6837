#include "fileops/CCopyDlgThread.h"

namespace zq::fileops {

CCopyDlgThread::CCopyDlgThread(HWND dialog, CopyJobOptions options, CopyJobInput input, CopyProgressState& progress,
                               std::wstring editorName, std::wstring editorUnicodeOption)
    : m_questions(dialog),
      m_virtualDrives(WorkerVirtualDrives(dialog)),
      m_job(std::move(options), std::move(input),
            CopyJobServices{RealFileSystem(), m_questions, progress, m_clock, &m_virtualDrives}),
      m_editorName(std::move(editorName)),
      m_editorUnicodeOption(std::move(editorUnicodeOption)) {}

bool CCopyDlgThread::Work() {
    const bool completed = m_job.Run();
    OpenJobErrorLog(m_job.ErrorLog(), m_editorName, m_editorUnicodeOption);
    return completed;
}

}  // namespace zq::fileops
