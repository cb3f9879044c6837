#include "settings/CNetworkSettingDlg.h"

#include <commctrl.h>

#include "resource.h"

namespace zq {

CNetworkSettingDlg::CNetworkSettingDlg(HWND parent, const Settings& current, EditAccount editAccount)
    : ui::CDialog(IDD_NET_SETTINGS, parent), m_edit(current), m_editAccount(std::move(editAccount)) {}

bool CNetworkSettingDlg::OnInitDialog() {
    const HWND list = GetDlgItem(IDC_NET_ACCOUNTS);
    ListView_SetExtendedListViewStyle(list, LVS_EX_FULLROWSELECT);
    static const wchar_t* const kTitles[] = {L"ネットワークリソース", L"User名", L"Privider名"};
    static const int kWidths[] = {200, 110, 110};
    for (int c = 0; c < 3; ++c) {
        LVCOLUMNW column{};
        column.mask = LVCF_TEXT | LVCF_WIDTH;
        column.pszText = const_cast<wchar_t*>(kTitles[c]);
        column.cx = kWidths[c];
        ListView_InsertColumn(list, c, &column);
    }
    FillAccounts(0);
    UpdateData(false);
    return true;
}

void CNetworkSettingDlg::DoDataExchange(ui::DataExchange& dx) {
    dx.Int(IDC_NET_LONG, m_edit.NETRESOURCELONG, 1, 259);
    dx.Int(IDC_NET_COMMENT, m_edit.NETRESOURCECOMMENT, 1, 259);
    dx.Check(IDC_NET_COMMENT_WRITE, m_edit.REMOTECOMMENTWRITE);
    dx.Int(IDC_NET_PROVIDER, m_edit.NETRESOURCEPROVIDER, 1, 259);
    dx.Check(IDC_NET_PROVIDER_WRITE, m_edit.REMOTEPROVIDERWRITE);
    dx.Check(IDC_NET_AUTOACCOUNT, m_edit.AUTOACCOUNTCHECK);
    dx.Check(IDC_NET_SAVEPASSWORD, m_edit.SAVENETWORKPASSWORD);
}

void CNetworkSettingDlg::FillAccounts(int select) {
    const HWND list = GetDlgItem(IDC_NET_ACCOUNTS);
    ListView_DeleteAllItems(list);
    int row = 0;
    for (size_t n = 0; n < m_edit.network.size(); ++n) {
        Settings::NetworkEntry& account = m_edit.network[n];
        if (account.resource.empty()) continue;
        LVITEMW item{};
        item.mask = LVIF_TEXT | LVIF_PARAM;
        item.iItem = row;
        item.pszText = account.resource.data();
        item.lParam = static_cast<LPARAM>(n);
        ListView_InsertItem(list, &item);
        ListView_SetItemText(list, row, 1, account.user.data());
        ListView_SetItemText(list, row, 2, account.provider.data());
        ++row;
    }
    if (row == 0) return;
    if (select >= row) select = row - 1;
    ListView_SetItemState(list, select, LVIS_FOCUSED | LVIS_SELECTED, LVIS_FOCUSED | LVIS_SELECTED);
}

int CNetworkSettingDlg::SelectedAccount() const {
    const HWND list = GetDlgItem(IDC_NET_ACCOUNTS);
    const int row = ListView_GetNextItem(list, -1, LVNI_SELECTED);
    if (row < 0) return -1;
    LVITEMW item{};
    item.mask = LVIF_PARAM;
    item.iItem = row;
    return ListView_GetItem(list, &item) ? static_cast<int>(item.lParam) : -1;
}

bool CNetworkSettingDlg::OnCommand(WORD id, WORD code, HWND control) {
    if (id != IDC_NET_EDIT) return ui::CDialog::OnCommand(id, code, control);
    const int selected = SelectedAccount();
    // The edited account becomes the newest: the list's first line.
    if (selected >= 0 && m_editAccount && m_editAccount(m_edit.network, static_cast<size_t>(selected))) FillAccounts(0);
    return true;
}

}  // namespace zq
