#pragma once
// The application object: initialisation, the message loop with its
// pre-translation hook, and routing of keys to modeless dialogs.
#include <windows.h>

namespace zq::ui {

class CWinApp {
  public:
    virtual ~CWinApp() = default;
    // Runs InitInstance, the message loop and ExitInstance; returns the exit code.
    int Run();

  protected:
    virtual bool InitInstance() = 0;
    virtual int ExitInstance() { return m_exitCode; }
    // true when the message was consumed and must not be dispatched.
    virtual bool PreTranslateMessage(MSG& message);
    int m_exitCode = 0;
};

}  // namespace zq::ui
