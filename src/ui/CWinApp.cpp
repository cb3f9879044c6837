#include "ui/CWinApp.h"

#include "ui/CDialog.h"

namespace zq::ui {

bool CWinApp::PreTranslateMessage(MSG&) {
    return false;
}

int CWinApp::Run() {
    if (!InitInstance()) {
        ExitInstance();
        return m_exitCode != 0 ? m_exitCode : 1;
    }
    MSG message{};
    for (;;) {
        const BOOL got = ::GetMessageW(&message, nullptr, 0, 0);
        if (got == 0 || got == -1) break;
        if (PreTranslateMessage(message)) continue;
        bool handled = false;
        // A copy: a key may close a dialog and shrink the list while we walk it.
        const std::vector<HWND> dialogs = CDialog::ModelessDialogs();
        for (HWND dialog : dialogs) {
            if (::IsDialogMessageW(dialog, &message)) {
                handled = true;
                break;
            }
        }
        if (handled) continue;
        ::TranslateMessage(&message);
        ::DispatchMessageW(&message);
    }
    m_exitCode = static_cast<int>(message.wParam);
    return ExitInstance();
}

}  // namespace zq::ui
