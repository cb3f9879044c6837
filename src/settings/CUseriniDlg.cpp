#include "settings/CUseriniDlg.h"

#include "resource.h"
#include "ui/CommonDialogs.h"

namespace zq {

CUseriniDlg::CUseriniDlg(std::wstring userNameValue, UserIniState stateValue, HWND parent)
    : CDialog(IDD_USERINI, parent), userName(std::move(userNameValue)), state(std::move(stateValue)) {}

void CUseriniDlg::DoDataExchange(ui::DataExchange& dx) {
    dx.Text(IDC_USERINI_NAME, userName, 200);
    dx.Text(IDC_USERINI_PATH, state.path, 520);
    dx.Check(IDC_USERINI_MODE, state.mode);
    dx.Check(IDC_USERINI_NOSAVE, state.noSaveAtExit);
}

bool CUseriniDlg::OnCommand(WORD id, WORD code, HWND) {
    if (id != IDC_USERINI_BROWSE || code != BN_CLICKED) return false;
    if (auto path = ui::ChooseSaveFile(m_hWnd, L"ユーザーごとのIniファイル", L"iniファイル\0*.ini\0\0",
                                       GetDlgItemText(IDC_USERINI_PATH), L"ini"))
        SetDlgItemText(IDC_USERINI_PATH, *path);
    return true;
}

}  // namespace zq
