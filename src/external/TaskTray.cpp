#include "external/TaskTray.h"

#include "common/Handle.h"
#include "external/CompanionLibrary.h"
#include "resource.h"

namespace zq {

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
    ::TrackPopupMenu(popup, TPM_LEFTALIGN | TPM_RIGHTBUTTON, cursor.x, cursor.y, 0, frame, nullptr);
    // Without a message after it, a tray menu stays open when the user clicks elsewhere.
    ::PostMessageW(frame, WM_NULL, 0, 0);
}

}  // namespace zq
