#pragma once
// The quit request as one routine over a small interface, so the order of its
// steps (refusals, suspend, sound, question, and what each answer does) is
// tested with scripted answers and the real view only supplies the windows.
#include <string>

#include "app/StartupRules.h"

namespace zq {

// Control ids of the quit dialog's two extra buttons.
constexpr int kQuitShutDownButton = 1315;
constexpr int kQuitRebootButton = 1711;

class IQuitUi {
  public:
    virtual ~IQuitUi() = default;
    virtual void ShowRefusal(const std::wstring& text) = 0;  // no caption, OK
    virtual void Suspend() = 0;
    virtual void Resume() = 0;
    virtual void PlayQuitSound() = 0;
    // Shows CQuitDlg; answers IDOK, IDCANCEL, 1315 or 1711.
    virtual int AskQuit() = 0;
    // OK: set the quitting flag and post a close to the frame.
    virtual void CloseFrame() = 0;
    // 1315/1711: set the quitting flag, save state and settings once, then ask Windows to end.
    virtual void SaveForSystemEnd() = 0;
    virtual void EndWindows(bool reboot) = 0;
};

// Answers whether the program ends.
bool RunQuitRequest(const StructQuitInput& input, IQuitUi& ui);

}  // namespace zq
