#include "fileops/WorkerQuestions.h"

#include "fileops/CAskSameDlg.h"
#include "fileops/CCopyWayDlg.h"
#include "fileops/CRenameDlg.h"
#include "filer/VirtualDriveSource.h"
#include "ui/CJobThread.h"
#include "ui/CMessageBoxDlg.h"

namespace zq::fileops {

int WorkerQuestions::AskYesNo(const std::wstring& text, const std::wstring& caption) {
    int answer = kAnswerNo;
    ui::RunOnWindowThread(m_owner, [&] {
        ui::CMessageBoxDlg box(text, m_owner, caption.empty() ? std::wstring(L"zq") : caption);
        answer = box.DoModal() == ui::CMessageBoxDlg::kYes ? kAnswerYes : kAnswerNo;
    });
    return answer;
}

void WorkerQuestions::Tell(const std::wstring& text) {
    ui::RunOnWindowThread(m_owner, [&] { ui::ZqMessageBox(m_owner, text); });
}

bool WorkerQuestions::AskWay(SameNameChoice& choice, const SameNameFile* file) {
    bool chosen = false;
    ui::RunOnWindowThread(m_owner, [&] {
        CCopyWayDlg dialog(m_owner, choice, file);
        if (dialog.DoModal() != IDOK) return;
        choice = dialog.Choice();
        chosen = true;
    });
    return chosen;
}

bool WorkerQuestions::AskNewName(const WIN32_FIND_DATAW& source, const std::wstring& destinationDirectory,
                                 std::wstring& newName) {
    bool named = false;
    ui::RunOnWindowThread(m_owner, [&] {
        CRenameDlg dialog(m_owner, source, destinationDirectory);
        if (dialog.DoModal() != IDOK) return;
        newName = dialog.NewName();
        named = true;
    });
    return named;
}

bool WorkerQuestions::AskSame(const std::wstring& caption, const std::wstring& text, bool& sameFromNow) {
    bool yes = false;
    ui::RunOnWindowThread(m_owner, [&] {
        CAskSameDlg dialog(m_owner, caption, text, sameFromNow);
        yes = dialog.DoModal() == IDOK;
        sameFromNow = dialog.SameFromNow();
    });
    return yes;
}

VirtualDriveEdits WorkerVirtualDrives(HWND owner) {
    return VirtualDriveEdits(ProcessVirtualDrives(),
                             [owner](const std::function<void()>& fn) { return ui::RunOnWindowThread(owner, fn); });
}

}  // namespace zq::fileops
