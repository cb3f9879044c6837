#include "ui/CView.h"

#include "common/Handle.h"

namespace zq::ui {

bool CView::CreateView(HWND frame, UINT id) {
    RECT rc{};
    ::GetClientRect(frame, &rc);
    return CreateEx(0, L"ZqView", L"", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, 0, 0, rc.right, rc.bottom, frame,
                    reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id)));
}

LRESULT CView::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_CREATE:
            return OnCreate() ? 0 : -1;
        case WM_ERASEBKGND:
            return 1;
        case WM_PAINT: {
            PAINTSTRUCT ps{};
            HDC dc = ::BeginPaint(m_hWnd, &ps);
            const RECT client = GetClientRect();
            HDC memory = ::CreateCompatibleDC(dc);
            UniqueGdiObject bitmap(::CreateCompatibleBitmap(dc, client.right > 0 ? client.right : 1,
                                                            client.bottom > 0 ? client.bottom : 1));
            HGDIOBJ old = ::SelectObject(memory, bitmap.Get());
            OnDraw(memory, client);
            ::BitBlt(dc, 0, 0, client.right, client.bottom, memory, 0, 0, SRCCOPY);
            ::SelectObject(memory, old);
            ::DeleteDC(memory);
            ::EndPaint(m_hWnd, &ps);
            return 0;
        }
        default:
            break;
    }
    return DefaultMessage(message, wParam, lParam);
}

}  // namespace zq::ui
