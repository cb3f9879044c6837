#include "app/CZqView.h"

#include <array>

#include "common/Handle.h"
#include "ui/CMessageBoxDlg.h"

namespace zq {
namespace {

constexpr COLORREF kBackground = RGB(0, 0, 0);
constexpr COLORREF kText = RGB(224, 224, 224);
constexpr COLORREF kFrameFocused = RGB(80, 160, 255);
constexpr COLORREF kFrameOther = RGB(96, 96, 96);

}  // namespace

bool CZqView::OnCreate() {
    SetTimer(1, 1000);
    return true;
}

bool CZqView::QuitRequest(bool fromClose) {
    if (m_quitting) return true;
    if (!fromClose) {
        m_quitting = true;
        ::PostMessageW(::GetParent(m_hWnd), WM_CLOSE, 0, 0);
    }
    return true;
}

void CZqView::DrawPane(HDC dc, const RECT& area, int index, bool focused) const {
    UniqueGdiObject pen(::CreatePen(PS_SOLID, focused ? 2 : 1, focused ? kFrameFocused : kFrameOther));
    HGDIOBJ oldPen = ::SelectObject(dc, pen.Get());
    HGDIOBJ oldBrush = ::SelectObject(dc, ::GetStockObject(NULL_BRUSH));
    ::Rectangle(dc, area.left + 1, area.top + 1, area.right - 1, area.bottom - 1);
    ::SelectObject(dc, oldBrush);
    ::SelectObject(dc, oldPen);

    wchar_t directory[MAX_PATH] = {};
    ::GetCurrentDirectoryW(MAX_PATH, directory);
    const std::wstring title = std::wstring(index == 0 ? L"左ペイン" : L"右ペイン") + L"  " + directory;
    RECT text = area;
    ::InflateRect(&text, -8, -6);
    ::DrawTextW(dc, title.c_str(), -1, &text, DT_LEFT | DT_TOP | DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS);
}

void CZqView::OnDraw(HDC dc, const RECT& client) {
    UniqueGdiObject background(::CreateSolidBrush(kBackground));
    ::FillRect(dc, &client, static_cast<HBRUSH>(background.Get()));
    UniqueGdiObject font(::CreateFontW(-16, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, SHIFTJIS_CHARSET, 0, 0,
                                       CLEARTYPE_QUALITY, FIXED_PITCH, L"MS Gothic"));
    HGDIOBJ oldFont = ::SelectObject(dc, font.Get());
    ::SetBkMode(dc, TRANSPARENT);
    ::SetTextColor(dc, kText);
    const LONG middle = (client.left + client.right) / 2;
    const std::array<RECT, 2> panes = {RECT{client.left, client.top, middle, client.bottom},
                                       RECT{middle, client.top, client.right, client.bottom}};
    for (int i = 0; i < 2; ++i) DrawPane(dc, panes[static_cast<size_t>(i)], i, i == m_focusedPane);
    ::SelectObject(dc, oldFont);
}

LRESULT CZqView::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_KEYDOWN:
            if (wParam == VK_TAB) {
                m_focusedPane ^= 1;
                Invalidate();
                return 0;
            }
            break;
        case WM_LBUTTONDOWN:
            ::SetFocus(m_hWnd);
            return 0;
        case WM_SIZE:
            Invalidate();
            return 0;
        default:
            break;
    }
    return CView::OnMessage(message, wParam, lParam);
}

}  // namespace zq
