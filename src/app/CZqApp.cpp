#include "app/CZqApp.h"

#include <imm.h>
#include <ole2.h>

#include "app/CMainFrame.h"
#include "app/CZqView.h"
#include "app/StartupRules.h"
#include "resource.h"

namespace zq {

CZqApp::CZqApp() = default;
CZqApp::~CZqApp() = default;

bool CZqApp::InitInstance() {
    // Steps 1-2: the registered message and the shared block; without them the process ends silently.
    if (!m_shared.Open()) return false;

    // Step 8: the start directories go into the shared block, in every copy.
    m_shared.WriteStartDirectories(ParseStartDirectories(::GetCommandLineW()));

    // Step 9: hand over to a running copy when DISABLETWIN asks for it.
    const int disableTwin = 0;
    if (m_shared.CheckTwin(disableTwin) == ProcessShared::TwinResult::HandedOver) return false;

    // Step 10.
    if (FAILED(::OleInitialize(nullptr))) return false;
    m_oleInitialised = true;

    // Step 11: frame and view; the view's creation places the window.
    HINSTANCE instance = ::GetModuleHandleW(nullptr);
    m_frame = std::make_unique<CMainFrame>();
    HMENU menu = ::LoadMenuW(instance, MAKEINTRESOURCEW(IDR_MAINFRAME));
    HICON icon = ::LoadIconW(instance, MAKEINTRESOURCEW(IDR_MAINFRAME));
    if (!m_frame->CreateFrame(L"zq", L"無題", menu, icon, CW_USEDEFAULT, CW_USEDEFAULT, 640, 480)) return false;
    m_view = std::make_unique<CZqView>();
    m_frame->SetView(m_view.get());
    m_frame->SetZqView(m_view.get());
    if (!m_view->CreateView(m_frame->GetSafeHwnd())) return false;
    if (!::IsZoomed(m_frame->GetSafeHwnd())) ::ShowWindow(m_frame->GetSafeHwnd(), SW_SHOWNORMAL);
    ::UpdateWindow(m_frame->GetSafeHwnd());
    ::SetFocus(m_view->GetSafeHwnd());
    // Step 12: dropped files are accepted by the frame (WS_EX_ACCEPTFILES).
    return true;
}

bool CZqApp::PreTranslateMessage(MSG& message) {
    // The input method hides the real key behind VK_PROCESSKEY; the key tables want the real one.
    if (message.message == WM_KEYDOWN && message.wParam == VK_PROCESSKEY) {
        const UINT real = ::ImmGetVirtualKey(message.hwnd);
        if (real != 0 && real != VK_PROCESSKEY) message.wParam = real;
    }
    return false;
}

int CZqApp::ExitInstance() {
    m_view.reset();
    m_frame.reset();
    if (m_oleInitialised) ::OleUninitialize();
    return m_exitCode;
}

}  // namespace zq
