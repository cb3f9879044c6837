#include "external/CompanionTestSupport.h"

#include <gtest/gtest.h>

#include "../../companion/ZqDll.h"
#include "common/Paths.h"

namespace zq::test {

std::wstring BuiltLibraryFolder() {
    const std::wstring relative = JoinPath(ModuleDirectory(), L"..\\..\\bin");
    wchar_t full[MAX_PATH];
    const DWORD n = ::GetFullPathNameW(relative.c_str(), MAX_PATH, full, nullptr);
    return n > 0 && n < MAX_PATH ? std::wstring(full, n) : relative;
}

TestFrame::TestFrame() {
    static const bool registered = [] {
        WNDCLASSW wc{};
        wc.lpfnWndProc = Proc;
        wc.hInstance = ::GetModuleHandleW(nullptr);
        wc.lpszClassName = L"ZqCompanionTestFrame";
        return ::RegisterClassW(&wc) != 0;
    }();
    EXPECT_TRUE(registered);
    m_frame = ::CreateWindowExW(0, L"ZqCompanionTestFrame", L"zq test", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 10, 10, 300,
                                200, nullptr, nullptr, ::GetModuleHandleW(nullptr), this);
    m_view = ::CreateWindowExW(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE, 0, 0, 100, 100, m_frame,
                               reinterpret_cast<HMENU>(static_cast<INT_PTR>(ZQ_VIEW_CHILD_ID)),
                               ::GetModuleHandleW(nullptr), nullptr);
}

TestFrame::~TestFrame() {
    Destroy();
}

void TestFrame::Destroy() {
    if (m_frame) ::DestroyWindow(m_frame);
    m_frame = nullptr;
}

LRESULT CALLBACK TestFrame::Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
        ::SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    auto* self = reinterpret_cast<TestFrame*>(::GetWindowLongPtrW(window, GWLP_USERDATA));
    if (message == WM_COMMAND && self) self->m_commands.push_back(LOWORD(wParam));
    return ::DefWindowProcW(window, message, wParam, lParam);
}

void PumpMessages() {
    MSG msg;
    while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
}

}  // namespace zq::test
