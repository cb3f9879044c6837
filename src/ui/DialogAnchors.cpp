#include "ui/DialogAnchors.h"

namespace zq::ui {

void DialogAnchors::Add(HWND dialog, int id, unsigned edges) {
    RECT client{};
    ::GetClientRect(dialog, &client);
    m_client = {client.right, client.bottom};
    const HWND control = ::GetDlgItem(dialog, id);
    RECT rect{};
    if (!control || !::GetWindowRect(control, &rect)) return;
    ::MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&rect), 2);
    // A combo box's window is as tall as its dropped list: keep that height, not the field's.
    wchar_t className[16] = {};
    RECT dropped{};
    if (::GetClassNameW(control, className, 16) && ::lstrcmpiW(className, L"ComboBox") == 0 &&
        ::SendMessageW(control, CB_GETDROPPEDCONTROLRECT, 0, reinterpret_cast<LPARAM>(&dropped)))
        rect.bottom = rect.top + (dropped.bottom - dropped.top);
    m_items.push_back({id, edges, rect});
}

void DialogAnchors::Follow(HWND dialog) const {
    RECT client{};
    if (m_items.empty() || !::GetClientRect(dialog, &client)) return;
    const LONG dx = client.right - m_client.cx;
    const LONG dy = client.bottom - m_client.cy;
    HDWP batch = ::BeginDeferWindowPos(static_cast<int>(m_items.size()));
    for (const Item& item : m_items) {
        RECT r = item.rect;
        if (item.edges & kAnchorLeftRight) r.left += dx;
        if (item.edges & kAnchorRight) r.right += dx;
        if (item.edges & kAnchorTopBottom) r.top += dy;
        if (item.edges & kAnchorBottom) r.bottom += dy;
        const HWND control = ::GetDlgItem(dialog, item.id);
        if (!control) continue;
        const int width = r.right > r.left ? r.right - r.left : 0;
        const int height = r.bottom > r.top ? r.bottom - r.top : 0;
        if (batch)
            batch =
                ::DeferWindowPos(batch, control, nullptr, r.left, r.top, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
        else
            ::SetWindowPos(control, nullptr, r.left, r.top, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
    }
    if (batch) ::EndDeferWindowPos(batch);
    ::InvalidateRect(dialog, nullptr, TRUE);
}

}  // namespace zq::ui
