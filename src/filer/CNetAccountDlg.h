#pragma once
// The account dialog: the resource (shown, not edited), the user name, the
// password and "パスワードを保存する".  With a connect callback, OK connects
// and the dialog stays open on "接続に失敗しました"; without one (editing a
// stored account from the settings page) OK only takes the fields.
#include <functional>

#include "filer/NetworkAccounts.h"
#include "ui/CDialog.h"

namespace zq {

class CNetAccountDlg : public ui::CDialog {
  public:
    using Connect = std::function<bool(const NetworkAccount&)>;
    CNetAccountDlg(HWND parent, NetworkAccount account, bool savePassword, Connect connect = {});
    [[nodiscard]] const NetworkAccount& Account() const noexcept { return m_account; }
    [[nodiscard]] bool SavePassword() const noexcept { return m_savePassword; }

  protected:
    bool OnInitDialog() override;
    void OnOK() override;

  private:
    NetworkAccount m_account;
    bool m_savePassword;
    Connect m_connect;
};

// INetAccountPrompt through CNetAccountDlg.
class CNetAccountPrompt final : public INetAccountPrompt {
  public:
    explicit CNetAccountPrompt(HWND owner) : m_owner(owner) {}
    [[nodiscard]] bool Ask(NetworkAccount& account, bool& savePassword,
                           const std::function<bool(const NetworkAccount&)>& tryConnect) override;

  private:
    HWND m_owner;
};

}  // namespace zq
