#include "fileops/CCopyDlgThread.h"

#include <objbase.h>

namespace zq::fileops {

CCopyDlgThread::CCopyDlgThread(HWND dialog, CopyJobOptions options, CopyJobInput input, CopyProgressState& progress,
                               std::wstring editorName, std::wstring editorUnicodeOption)
    : m_questions(dialog),
      m_job(std::move(options), std::move(input),
            CopyJobServices{RealFileSystem(), m_questions, m_questions, progress, m_clock, nullptr}),
      m_editorName(std::move(editorName)),
      m_editorUnicodeOption(std::move(editorUnicodeOption)) {
    SetOwner(dialog);
}

DWORD CCopyDlgThread::Run() {
    const HRESULT com = ::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    const bool completed = m_job.Run();
    OpenJobErrorLog(m_job.ErrorLog(), m_editorName, m_editorUnicodeOption);
    if (SUCCEEDED(com)) ::CoUninitialize();
    PostToOwner(completed ? kCommandSucceeded : kCommandFailed);
    return completed ? 0 : static_cast<DWORD>(-1);
}

}  // namespace zq::fileops
