#include "external/TaskTray.h"

#include "common/Handle.h"
#include "external/CompanionLibrary.h"
#include "resource.h"

#include <memory>
#include <type_traits>

namespace zq {

namespace {

struct WindowDestroyer {
    void operator()(HWND window) const { ::DestroyWindow(window); }
};
using MenuOwner = std::unique_ptr<std::remove_pointer_t<HWND>, WindowDestroyer>;

// A top-level window that is never shown: it can take the foreground, which a
// message-only window cannot, and nothing else ever moves its focus.
MenuOwner CreateMenuOwner() {
    static const bool registered = [] {
        WNDCLASSEXW wc{};
        wc.cbSize = sizeof(wc);
        wc.lpfnWndProc = ::DefWindowProcW;
        wc.hInstance = ::GetModuleHandleW(nullptr);
        wc.lpszClassName = L"ZqTaskTrayMenuOwner";
        return ::RegisterClassExW(&wc) != 0 || ::GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
    }();
    if (!registered) return nullptr;
    return MenuOwner(::CreateWindowExW(WS_EX_TOOLWINDOW, L"ZqTaskTrayMenuOwner", L"", WS_POPUP, 0, 0, 0, 0, nullptr,
                                       nullptr, ::GetModuleHandleW(nullptr), nullptr));
}

}  // namespace

static_assert(ID_TASKTRAY_SHOW == ZQ_TRAY_SHOW_COMMAND, "the library's hot key sends the menu's show command");

TaskTray::TaskTray(CompanionLibrary& library, std::function<void()> suspend, std::function<void()> resume)
    : m_library(library), m_suspend(std::move(suspend)), m_resume(std::move(resume)) {}

bool TaskTray::Enter(HWND frame, int modifierIndex, UINT virtualKey) {
    if (m_inTray) return false;
    m_suspend();
    m_inTray = true;
    if (m_library.SetToTaskTray(frame, modifierIndex, virtualKey)) return true;
    m_inTray = false;
    m_resume();
    return false;
}

bool TaskTray::Leave() {
    if (!m_inTray) return false;
    m_library.ReleaseToTaskTray();
    // Even when the library has lost the window, the program is no longer in
    // the tray: the flag follows the user's command.
    m_inTray = false;
    m_resume();
    return true;
}

void TaskTray::OnNotify(HWND frame, LPARAM mouseMessage) const {
    ::SetForegroundWindow(frame);
    if (mouseMessage == WM_RBUTTONDOWN) ShowMenu(frame);
}

void TaskTray::ShowMenu(HWND frame) const {
    UniqueMenu menu(::LoadMenuW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDR_TASKTRAY_MENU)));
    if (!menu) return;
    const HMENU popup = ::GetSubMenu(menu.Get(), 0);
    ::EnableMenuItem(popup, ID_TASKTRAY_SHOW, MF_BYCOMMAND | (m_inTray ? MF_ENABLED : MF_GRAYED));
    POINT cursor{};
    ::GetCursorPos(&cursor);
    // A tray menu closes on a click elsewhere only while its owner is the
    // foreground window.  The frame is a poor owner: in the tray it is hidden,
    // and the loss of input focus that hiding it causes can arrive after the
    // hide has returned (under Wine, at once for an unmanaged window); if the
    // frame has been made foreground again by then, that late notice cancels
    // the open menu.  A window of the menu's own has no such history.  The
    // chosen command still goes to the frame, with the items as the tray set
    // them: the view's decoration of popups (WM_INITMENUPOPUP) would enable
    // the show command outside the tray.
    const MenuOwner own = CreateMenuOwner();
    const HWND owner = own ? own.get() : frame;
    ::SetForegroundWindow(owner);
    const auto command = static_cast<UINT>(::TrackPopupMenu(
        popup, TPM_LEFTALIGN | TPM_RIGHTBUTTON | TPM_RETURNCMD | TPM_NONOTIFY, cursor.x, cursor.y, 0, owner, nullptr));
    // Without a message after it, a tray menu stays open when the user clicks elsewhere.
    ::PostMessageW(frame, WM_NULL, 0, 0);
    if (command != 0) ::PostMessageW(frame, WM_COMMAND, MAKEWPARAM(command, 0), 0);
}

}  // namespace zq
