#include "ui/CWinThread.h"

namespace zq::ui {

CWinThread::~CWinThread() {
    // A derived destructor has already run by now, so Run() must not still be
    // using it: owners join first.  This join is the last line of defence.
    Join();
}

bool CWinThread::CreateThread(bool suspended) {
    if (m_thread) return false;
    DWORD id = 0;
    m_thread.Reset(::CreateThread(nullptr, 0, ThreadProc, this, suspended ? CREATE_SUSPENDED : 0, &id));
    return static_cast<bool>(m_thread);
}

DWORD CWinThread::ResumeThread() {
    return m_thread ? ::ResumeThread(m_thread.Get()) : static_cast<DWORD>(-1);
}
DWORD CWinThread::SuspendThread() {
    return m_thread ? ::SuspendThread(m_thread.Get()) : static_cast<DWORD>(-1);
}

bool CWinThread::Join(DWORD milliseconds) {
    if (!m_thread) return true;
    // A thread created suspended and never resumed would never end.
    for (DWORD count = ::ResumeThread(m_thread.Get()); count != static_cast<DWORD>(-1) && count > 1;
         count = ::ResumeThread(m_thread.Get())) {
    }
    if (::WaitForSingleObject(m_thread.Get(), milliseconds) != WAIT_OBJECT_0) return false;
    ::GetExitCodeThread(m_thread.Get(), &m_exitCode);
    m_thread.Reset();
    return true;
}

bool CWinThread::Running() const {
    return m_thread && ::WaitForSingleObject(m_thread.Get(), 0) == WAIT_TIMEOUT;
}

bool CWinThread::PostToOwner(UINT commandId) const {
    const HWND owner = m_owner;
    return owner && ::PostMessageW(owner, WM_COMMAND, commandId, 0);
}

DWORD WINAPI CWinThread::ThreadProc(void* self) {
    return static_cast<CWinThread*>(self)->Run();
}

}  // namespace zq::ui
