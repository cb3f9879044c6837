#include "filer/NetworkListAccounts.h"

#include <lmcons.h>

namespace zq {

NetworkListAccounts::NetworkListAccounts(HWND owner, Settings& settings, INetConnector* connector,
                                         INetAccountPrompt* prompt)
    : m_settings(settings),
      m_dialog(owner),
      m_connector(connector ? *connector : m_platform),
      m_prompt(prompt ? *prompt : m_dialog) {}

bool NetworkListAccounts::Connect(const std::wstring& remoteName, const std::wstring& provider) {
    NetworkAccountOptions options;
    options.autoAccountCheck = m_settings.AUTOACCOUNTCHECK != 0;
    options.savePassword = m_settings.SAVENETWORKPASSWORD != 0;
    options.currentUser = CurrentWindowsUser();
    return ConnectWithAccount(m_settings.network, options, m_connector, m_prompt, remoteName, provider);
}

std::wstring CurrentWindowsUser() {
    wchar_t name[UNLEN + 1] = {};
    DWORD size = UNLEN + 1;
    if (!::GetUserNameW(name, &size)) return {};
    return name;
}

}  // namespace zq
