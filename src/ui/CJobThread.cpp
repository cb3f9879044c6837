#include "ui/CJobThread.h"

#include <objbase.h>

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
    PostToOwner(completed ? kCommandSucceeded : kCommandFailed);
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
    // Sent, not posted: fn and what it fills live on the caller's stack.
    return ::SendMessageW(window, kRunOnWindowThread, 0, reinterpret_cast<LPARAM>(&fn)) == 1;
}

}  // namespace zq::ui
