#pragma once
// "ネットワーク設定": the widths and switches of the network listing, the two
// account switches, and the stored accounts (newest first) with the columns
// "ネットワークリソース", "User名" and "Privider名".  It edits a copy of the
// settings, taken over by the caller on OK.  Editing an account is the
// caller's: it opens the account dialog on the record and stores the result.
#include <functional>

#include "settings/Settings.h"
#include "ui/CDialog.h"

namespace zq {

class CNetworkSettingDlg : public ui::CDialog {
  public:
    // `editAccount(accounts, index)`: true when the list was changed.
    using EditAccount = std::function<bool(decltype(Settings::network)& accounts, size_t index)>;
    CNetworkSettingDlg(HWND parent, const Settings& current, EditAccount editAccount);
    [[nodiscard]] const Settings& Edited() const noexcept { return m_edit; }

  protected:
    bool OnInitDialog() override;
    bool OnCommand(WORD id, WORD code, HWND control) override;
    void DoDataExchange(ui::DataExchange& dx) override;

  private:
    void FillAccounts(int select);
    [[nodiscard]] int SelectedAccount() const;

    Settings m_edit;
    EditAccount m_editAccount;
};

}  // namespace zq
