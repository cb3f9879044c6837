#include "picture/CLoadPreviewThread.h"

#include <objbase.h>

namespace zq {

CLoadPreviewThread::CLoadPreviewThread(PreviewQueue& queue, IThumbnailMaker& maker, HWND view, UINT loadedMessage)
    : m_queue(queue), m_maker(maker), m_view(view), m_loadedMessage(loadedMessage) {}

CLoadPreviewThread::~CLoadPreviewThread() {
    Stop();
}

bool CLoadPreviewThread::Stop(DWORD limit) {
    m_queue.Quit();
    // A thread still suspended (the view never came up) must run to see the flag.
    if (Handle() == nullptr) return true;
    while (ResumeThread() > 1) {
    }
    return Join(limit);
}

DWORD CLoadPreviewThread::Run() {
    ::SetThreadPriority(::GetCurrentThread(), THREAD_PRIORITY_IDLE);
    // Shortcuts are resolved through the shell's link object.
    const HRESULT com = ::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    const auto loaded = [this] {
        if (m_view != nullptr) ::PostMessageW(m_view, m_loadedMessage, 0, 0);
    };
    while (!m_queue.QuitRequested()) {
        const bool remains = m_queue.RunPass(m_maker, loaded);
        if (m_queue.QuitRequested()) break;
        m_queue.WaitForWork(remains ? static_cast<DWORD>(m_sleep.load()) : INFINITE);
    }
    if (SUCCEEDED(com)) ::CoUninitialize();
    return 0;
}

}  // namespace zq
