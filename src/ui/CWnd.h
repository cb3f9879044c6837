#pragma once
// The window base of zq's small framework over raw Win32.  A CWnd owns its
// HWND from creation until WM_NCDESTROY; every message goes to the one
// OnMessage override of the derived class, which answers what it handles and
// passes the rest to DefaultMessage.
#include <windows.h>

#include <string>

namespace zq::ui {

// The whole text of any window or control.
[[nodiscard]] std::wstring WindowText(HWND window);

class CWnd {
  public:
    CWnd() = default;
    virtual ~CWnd();
    CWnd(const CWnd&) = delete;
    CWnd& operator=(const CWnd&) = delete;

    [[nodiscard]] HWND GetSafeHwnd() const noexcept { return m_hWnd; }
    operator HWND() const noexcept { return m_hWnd; }

    // Registers the class on first use (one class per name) and creates the window.
    bool CreateEx(DWORD exStyle, const wchar_t* className, const wchar_t* title, DWORD style, int x, int y, int width,
                  int height, HWND parent, HMENU menuOrId, UINT classStyle = CS_DBLCLKS, HICON icon = nullptr);
    void DestroyWindow();

    // The CWnd behind an HWND created by this framework, or null.
    static CWnd* FromHandle(HWND hWnd) noexcept;

    void SetWindowText(const std::wstring& text) const { ::SetWindowTextW(m_hWnd, text.c_str()); }
    [[nodiscard]] std::wstring GetWindowText() const;
    void Invalidate(bool erase = false) const { ::InvalidateRect(m_hWnd, nullptr, erase); }
    UINT_PTR SetTimer(UINT_PTR id, UINT milliseconds) const { return ::SetTimer(m_hWnd, id, milliseconds, nullptr); }
    void KillTimer(UINT_PTR id) const { ::KillTimer(m_hWnd, id); }
    void PostCommand(UINT id) const { ::PostMessageW(m_hWnd, WM_COMMAND, id, 0); }
    [[nodiscard]] RECT GetClientRect() const;

  protected:
    // Derived classes answer their messages here; the default is DefaultMessage.
    virtual LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT DefaultMessage(UINT message, WPARAM wParam, LPARAM lParam);
    // Called after WM_NCDESTROY, when the handle is gone; windows allocated with
    // new and owned by nobody delete themselves here.
    virtual void PostNcDestroy() {}

    HWND m_hWnd = nullptr;

  private:
    static LRESULT CALLBACK WindowProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT Dispatch(UINT message, WPARAM wParam, LPARAM lParam);
};

}  // namespace zq::ui
