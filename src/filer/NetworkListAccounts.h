#pragma once
// Connecting to a network resource that asked for an account: the stored
// accounts of the settings (NETWORK), tried or offered in the account dialog
// as AUTOACCOUNTCHECK and SAVENETWORKPASSWORD say.
#include <windows.h>

#include <string>

#include "filer/CNetAccountDlg.h"
#include "filer/NetworkAccounts.h"
#include "filer/NetworkList.h"

namespace zq {

class NetworkListAccounts final : public INetAccounts {
  public:
    // `connector` and `prompt`: the platform's and the dialog when null.
    NetworkListAccounts(HWND owner, Settings& settings, INetConnector* connector = nullptr,
                        INetAccountPrompt* prompt = nullptr);
    [[nodiscard]] bool Connect(const std::wstring& remoteName, const std::wstring& provider) override;

  private:
    Settings& m_settings;
    Win32NetConnector m_platform;
    CNetAccountPrompt m_dialog;
    INetConnector& m_connector;
    INetAccountPrompt& m_prompt;
};

// The Windows user's name, offered when no account is stored.
[[nodiscard]] std::wstring CurrentWindowsUser();

}  // namespace zq
