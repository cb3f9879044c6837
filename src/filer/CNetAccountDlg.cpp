#include "filer/CNetAccountDlg.h"

#include "resource.h"
#include "ui/CMessageBoxDlg.h"

namespace zq {

CNetAccountDlg::CNetAccountDlg(HWND parent, NetworkAccount account, bool savePassword, Connect connect)
    : ui::CDialog(IDD_NET_ACCOUNT, parent),
      m_account(std::move(account)),
      m_savePassword(savePassword),
      m_connect(std::move(connect)) {}

bool CNetAccountDlg::OnInitDialog() {
    SetDlgItemText(IDC_NET_ACCOUNT_REMOTE, m_account.resource);
    SetDlgItemText(IDC_NET_ACCOUNT_USER, m_account.user);
    SetDlgItemText(IDC_NET_ACCOUNT_PASSWORD, m_account.password);
    ::SendDlgItemMessageW(m_hWnd, IDC_NET_ACCOUNT_USER, EM_LIMITTEXT, 199, 0);
    ::SendDlgItemMessageW(m_hWnd, IDC_NET_ACCOUNT_PASSWORD, EM_LIMITTEXT, 39, 0);
    ::CheckDlgButton(m_hWnd, IDC_NET_ACCOUNT_SAVE, m_savePassword ? BST_CHECKED : BST_UNCHECKED);
    // The user name is what is most often typed; a known one leaves the password to type.
    const HWND first = GetDlgItem(m_account.user.empty() ? IDC_NET_ACCOUNT_USER : IDC_NET_ACCOUNT_PASSWORD);
    ::SetFocus(first);
    ::SendMessageW(first, EM_SETSEL, 0, -1);
    return false;
}

void CNetAccountDlg::OnOK() {
    NetworkAccount typed = m_account;
    typed.user = GetDlgItemText(IDC_NET_ACCOUNT_USER);
    typed.password = GetDlgItemText(IDC_NET_ACCOUNT_PASSWORD);
    const bool save = ::IsDlgButtonChecked(m_hWnd, IDC_NET_ACCOUNT_SAVE) == BST_CHECKED;
    if (m_connect && !m_connect(typed)) {
        ui::ZqMessageBox(m_hWnd, L"接続に失敗しました");
        return;
    }
    m_account = std::move(typed);
    m_savePassword = save;
    EndDialog(IDOK);
}

bool CNetAccountPrompt::Ask(NetworkAccount& account, bool& savePassword,
                            const std::function<bool(const NetworkAccount&)>& tryConnect) {
    CNetAccountDlg dialog(m_owner, account, savePassword, tryConnect);
    if (dialog.DoModal() != IDOK) return false;
    account = dialog.Account();
    savePassword = dialog.SavePassword();
    return true;
}

}  // namespace zq
