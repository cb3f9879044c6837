#include "ui/CWnd.h"

#include <mutex>
#include <set>

namespace zq::ui {
namespace {

const wchar_t kThisProperty[] = L"zq.CWnd";

bool RegisterOnce(const wchar_t* className, UINT classStyle, HICON icon, WNDPROC proc) {
    static std::mutex lock;
    static std::set<std::wstring> registered;
    std::lock_guard guard(lock);
    if (registered.count(className)) return true;
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof(wc);
    wc.style = classStyle;
    wc.lpfnWndProc = proc;
    wc.hInstance = ::GetModuleHandleW(nullptr);
    wc.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
    wc.hIcon = icon;
    wc.hbrBackground = nullptr;
    wc.lpszClassName = className;
    return ::RegisterClassExW(&wc) != 0 && registered.insert(className).second;
}

// The window being created on this thread; WindowProc binds it to the first
// message, which arrives before CreateWindowEx returns.
thread_local CWnd* t_creating = nullptr;

}  // namespace

CWnd::~CWnd() {
    // A window still alive when its object goes must not call back into it.
    if (m_hWnd && ::IsWindow(m_hWnd)) {
        ::RemovePropW(m_hWnd, kThisProperty);
        ::SetWindowLongPtrW(m_hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(::DefWindowProcW));
        ::DestroyWindow(m_hWnd);
    }
}

bool CWnd::CreateEx(DWORD exStyle, const wchar_t* className, const wchar_t* title, DWORD style, int x, int y, int width,
                    int height, HWND parent, HMENU menuOrId, UINT classStyle, HICON icon) {
    if (!RegisterOnce(className, classStyle, icon, WindowProc)) return false;
    t_creating = this;
    HWND hWnd = ::CreateWindowExW(exStyle, className, title, style, x, y, width, height, parent, menuOrId,
                                  ::GetModuleHandleW(nullptr), nullptr);
    t_creating = nullptr;
    return hWnd != nullptr;
}

void CWnd::DestroyWindow() {
    if (m_hWnd) ::DestroyWindow(m_hWnd);
}

CWnd* CWnd::FromHandle(HWND hWnd) noexcept {
    return hWnd ? static_cast<CWnd*>(::GetPropW(hWnd, kThisProperty)) : nullptr;
}

std::wstring WindowText(HWND window) {
    const int length = ::GetWindowTextLengthW(window);
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    const int copied = ::GetWindowTextW(window, text.data(), length + 1);
    text.resize(static_cast<size_t>(copied > 0 ? copied : 0));
    return text;
}

std::wstring CWnd::GetWindowText() const {
    return WindowText(m_hWnd);
}

RECT CWnd::GetClientRect() const {
    RECT rc{};
    ::GetClientRect(m_hWnd, &rc);
    return rc;
}

LRESULT CWnd::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    return DefaultMessage(message, wParam, lParam);
}

LRESULT CWnd::DefaultMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    return ::DefWindowProcW(m_hWnd, message, wParam, lParam);
}

LRESULT CWnd::Dispatch(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCDESTROY) {
        const LRESULT result = OnMessage(message, wParam, lParam);
        ::RemovePropW(m_hWnd, kThisProperty);
        m_hWnd = nullptr;
        PostNcDestroy();
        return result;
    }
    return OnMessage(message, wParam, lParam);
}

LRESULT CALLBACK CWnd::WindowProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) {
    CWnd* self = FromHandle(hWnd);
    if (!self && t_creating) {
        self = t_creating;
        t_creating = nullptr;
        self->m_hWnd = hWnd;
        ::SetPropW(hWnd, kThisProperty, self);
    }
    if (!self) return ::DefWindowProcW(hWnd, message, wParam, lParam);
    return self->Dispatch(message, wParam, lParam);
}

}  // namespace zq::ui
