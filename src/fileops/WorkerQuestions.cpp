#include "fileops/WorkerQuestions.h"

#include "fileops/CAskSameDlg.h"
#include "fileops/CCopyWayDlg.h"
#include "fileops/CRenameDlg.h"
#include "ui/CMessageBoxDlg.h"

namespace zq::fileops {

int WorkerQuestions::AskYesNo(const std::wstring& text, const std::wstring& caption) {
    ui::CMessageBoxDlg box(text, m_owner, caption.empty() ? std::wstring(L"zq") : caption);
    return box.DoModal() == ui::CMessageBoxDlg::kYes ? kAnswerYes : kAnswerNo;
}

void WorkerQuestions::Tell(const std::wstring& text) { ui::ZqMessageBox(m_owner, text); }

bool WorkerQuestions::AskWay(SameNameChoice& choice, const SameNameFile* file) {
    CCopyWayDlg dialog(m_owner, choice, file);
    if (dialog.DoModal() != IDOK) return false;
    choice = dialog.Choice();
    return true;
}

bool WorkerQuestions::AskNewName(const WIN32_FIND_DATAW& source, const std::wstring& destinationDirectory,
                                 std::wstring& newName) {
    CRenameDlg dialog(m_owner, source, destinationDirectory);
    if (dialog.DoModal() != IDOK) return false;
    newName = dialog.NewName();
    return true;
}

bool WorkerQuestions::AskSame(const std::wstring& caption, const std::wstring& text, bool& sameFromNow) {
    CAskSameDlg dialog(m_owner, caption, text, sameFromNow);
    const bool yes = dialog.DoModal() == IDOK;
    sameFromNow = dialog.SameFromNow();
    return yes;
}

void JoinPumping(HANDLE thread) {
    if (thread == nullptr) return;
    for (;;) {
        const DWORD r = ::MsgWaitForMultipleObjects(1, &thread, FALSE, INFINITE, QS_ALLINPUT);
        if (r != WAIT_OBJECT_0 + 1) return;
        MSG msg;
        while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            ::TranslateMessage(&msg);
            ::DispatchMessageW(&msg);
        }
    }
}

}  // namespace zq::fileops
