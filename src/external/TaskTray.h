#pragma once
// The main window's stay in the task tray, as the view drives it: the command
// that sends the window there, the show-window command that brings it back,
// and the icon's notifications with the tray's popup menu.
#include <windows.h>

#include <functional>

namespace zq {

class CompanionLibrary;

class TaskTray {
  public:
    // suspend and resume bracket the stay, as they bracket every dialog the view starts.
    TaskTray(CompanionLibrary& library, std::function<void()> suspend, std::function<void()> resume);

    // @Windowtotasktray.  Answers whether the window went to the tray; when the
    // library cannot do it, nothing has changed.
    bool Enter(HWND frame, int modifierIndex, UINT virtualKey);
    // The show-window command: only while in the tray.  Answers whether the window came back.
    bool Leave();
    // The in-tray flag.
    [[nodiscard]] bool InTray() const noexcept { return m_inTray; }

    // The view's tray notification; mouseMessage is its lParam.  Brings the
    // frame to the front, and on a right button press shows the tray's popup
    // menu at the cursor, whose commands go to the frame.
    void OnNotify(HWND frame, LPARAM mouseMessage) const;

  private:
    void ShowMenu(HWND frame) const;

    CompanionLibrary& m_library;
    std::function<void()> m_suspend;
    std::function<void()> m_resume;
    bool m_inTray = false;
};

}  // namespace zq
