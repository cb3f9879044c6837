#include "app/CZqApp.h"

#include <ole2.h>

#include "app/CMainFrame.h"
#include "app/CZqView.h"
#include "resource.h"

namespace zq {

CZqApp::CZqApp() = default;
CZqApp::~CZqApp() = default;

bool CZqApp::InitInstance() {
    if (FAILED(::OleInitialize(nullptr))) return false;
    m_comInitialised = true;

    HINSTANCE instance = ::GetModuleHandleW(nullptr);
    m_frame = std::make_unique<CMainFrame>();
    HMENU menu = ::LoadMenuW(instance, MAKEINTRESOURCEW(IDR_MAINFRAME));
    HICON icon = ::LoadIconW(instance, MAKEINTRESOURCEW(IDR_MAINFRAME));
    if (!m_frame->CreateFrame(L"zq", L"無題", menu, icon, CW_USEDEFAULT, CW_USEDEFAULT, 640, 480)) return false;
    m_view = std::make_unique<CZqView>();
    if (!m_view->CreateView(m_frame->GetSafeHwnd())) return false;
    m_frame->SetView(m_view.get());
    m_frame->SetZqView(m_view.get());
    ::ShowWindow(m_frame->GetSafeHwnd(), SW_SHOWNORMAL);
    ::UpdateWindow(m_frame->GetSafeHwnd());
    ::SetFocus(m_view->GetSafeHwnd());
    return true;
}

int CZqApp::ExitInstance() {
    m_view.reset();
    m_frame.reset();
    if (m_comInitialised) ::OleUninitialize();
    return m_exitCode;
}

}  // namespace zq
