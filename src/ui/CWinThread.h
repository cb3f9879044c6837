#pragma once
// Worker-thread base in the framework's style: created suspended or running,
// a Run() override does the work, PostToOwner tells the owning window (3001
// success, 3000 failure or cancel), and the destructor joins the thread so a
// dialog can never free what its worker still uses.
#include <windows.h>

#include <atomic>

#include "common/Handle.h"

namespace zq::ui {

class CWinThread {
  public:
    static constexpr UINT kCommandSucceeded = 3001;
    static constexpr UINT kCommandFailed = 3000;

    CWinThread() = default;
    virtual ~CWinThread();
    CWinThread(const CWinThread&) = delete;
    CWinThread& operator=(const CWinThread&) = delete;

    bool CreateThread(bool suspended = false);
    DWORD ResumeThread();
    DWORD SuspendThread();
    // Waits for the thread to end; true when it has ended.
    bool Join(DWORD milliseconds = INFINITE);
    [[nodiscard]] bool Running() const;
    [[nodiscard]] HANDLE Handle() const noexcept { return m_thread.Get(); }
    [[nodiscard]] DWORD ExitCode() const noexcept { return m_exitCode; }

    // May change while the thread runs (a window that gives up on its worker).
    void SetOwner(HWND owner) noexcept { m_owner = owner; }
    [[nodiscard]] HWND Owner() const noexcept { return m_owner; }
    // The one way to stop the work: sets the flag a plain Run() polls and
    // tells a worker whose job keeps a flag of its own (OnCancelRequested).
    void RequestCancel() noexcept {
        m_cancel.store(true);
        OnCancelRequested();
    }
    [[nodiscard]] bool CancelRequested() const noexcept { return m_cancel.load(); }

  protected:
    // The work; the return value becomes the thread's exit code.
    virtual DWORD Run() = 0;
    virtual void OnCancelRequested() noexcept {}
    // Posts WM_COMMAND id to the owner window (never sends: the owner may be waiting on us).
    bool PostToOwner(UINT commandId) const;

  private:
    static DWORD WINAPI ThreadProc(void* self);
    UniqueHandle m_thread;
    std::atomic<HWND> m_owner{nullptr};
    std::atomic<bool> m_cancel{false};
    DWORD m_exitCode = 0;
};

}  // namespace zq::ui
