#pragma once
// The worker of one long operation (copy, delete, and the coming search,
// directory size and synchronised copy).  COM is up for the whole job (the
// shell's file operation wants it), and the owning window is always told the
// end, whichever way the job returns: by default 3001 when the job completed,
// 3000 when it failed or was cancelled.
#include <windows.h>

#include <functional>

#include "ui/CWinThread.h"

namespace zq::ui {

class CJobThread : public CWinThread {
  protected:
    // The job itself; true when it completed.
    virtual bool Work() = 0;
    // Tells the owner the job is over; a worker whose dialog waits for a
    // message of its own posts that instead of the end command.
    virtual void TellOwnerTheEnd(bool completed) { PostToOwner(completed ? kCommandSucceeded : kCommandFailed); }

  private:
    DWORD Run() final;
};

// Waits for a worker while still handling this thread's messages: the worker
// may be sending to a window of this thread (a question it needs answered).
void JoinPumping(HANDLE thread);

// The message an operation dialog answers by running, on its own thread, the
// request its lParam points to, and then setting the request's event.
inline constexpr UINT kRunOnWindowThread = WM_APP + 0x185;
struct WindowThreadRequest {
    const std::function<void()>* fn;
    HANDLE done;
};

// Runs fn on the thread of `window`, the caller waiting until it is done, so
// that a worker's questions are windows of the dialog's thread, never of the
// worker's.  Runs it in place when called on that thread already; false,
// without running it, when the window is gone.
bool RunOnWindowThread(HWND window, const std::function<void()>& fn);

}  // namespace zq::ui
