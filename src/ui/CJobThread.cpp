#include "ui/CJobThread.h"

#include <objbase.h>

#include "common/Handle.h"

namespace zq::ui {
namespace {

class ComApartment {
  public:
    ComApartment() : m_result(::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)) {}
    ~ComApartment() {
        if (SUCCEEDED(m_result)) ::CoUninitialize();
    }
    ComApartment(const ComApartment&) = delete;
    ComApartment& operator=(const ComApartment&) = delete;

  private:
    HRESULT m_result;
};

}  // namespace

DWORD CJobThread::Run() {
    bool completed = false;
    {
        // Left before the owner hears of the end: the owner may free this
        // object as soon as it has joined.
        ComApartment com;
        completed = Work();
    }
    TellOwnerTheEnd(completed);
    return completed ? 0 : static_cast<DWORD>(-1);
}

void JoinPumping(HANDLE thread) {
    if (thread == nullptr) return;
    for (;;) {
        const DWORD r = ::MsgWaitForMultipleObjects(1, &thread, FALSE, INFINITE, QS_ALLINPUT);
        if (r != WAIT_OBJECT_0 + 1) return;
        MSG msg;
        while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            ::TranslateMessage(&msg);
            ::DispatchMessageW(&msg);
        }
    }
}

bool RunOnWindowThread(HWND window, const std::function<void()>& fn) {
    if (window == nullptr || !::IsWindow(window)) return false;
    if (::GetWindowThreadProcessId(window, nullptr) == ::GetCurrentThreadId()) {
        fn();
        return true;
    }
    UniqueHandle done(::CreateEventW(nullptr, TRUE, FALSE, nullptr));
    if (!done) return false;
    WindowThreadRequest request{&fn, done.Get()};
    // Posted, and waited for: a box is best not shown from inside a message
    // sent by another thread.  The window outlives every worker that asks it
    // (its dialog joins the worker before it goes); were it gone all the
    // same, its messages would go with it, and nothing is left to wait for.
    if (!::PostMessageW(window, kRunOnWindowThread, 0, reinterpret_cast<LPARAM>(&request))) return false;
    while (::WaitForSingleObject(done.Get(), 100) == WAIT_TIMEOUT)
        if (!::IsWindow(window)) return false;
    return true;
}

}  // namespace zq::ui
