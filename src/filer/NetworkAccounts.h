#pragma once
// The accounts stored for network resources (section NETWORK, newest first)
// and the procedure that connects to a resource which asked for one: a
// stored account with a password is tried at once when AUTOACCOUNTCHECK is
// on; otherwise the account dialog asks, and what connected is stored.  The
// connection itself and the dialog are behind interfaces; no window here.
#include <windows.h>

#include <functional>
#include <string>

#include "settings/Settings.h"

namespace zq {

using NetworkAccount = Settings::NetworkEntry;
using NetworkAccountList = decltype(Settings::network);

// The stored account for `remoteName` (ignoring case) that has a user name,
// with the provider `provider` or any provider when none is given; null when none.
[[nodiscard]] const NetworkAccount* FindNetworkAccount(const NetworkAccountList& accounts,
                                                       const std::wstring& remoteName, const std::wstring& provider);
// `account` goes to the front: a record of the same remote name is removed
// first and the oldest falls off a full list.  Without `savePassword` the
// password is not kept.  Fields are cut to their stored widths.
void StoreNetworkAccount(NetworkAccountList& accounts, NetworkAccount account, bool savePassword);

class INetConnector {
  public:
    virtual ~INetConnector() = default;
    // NO_ERROR, or the platform's reason why `account` could not connect.
    [[nodiscard]] virtual DWORD Connect(const NetworkAccount& account) = 0;
};

class INetAccountPrompt {
  public:
    virtual ~INetAccountPrompt() = default;
    // The account dialog over `account`, its save box starting at
    // `savePassword`.  OK calls `tryConnect` with what was typed; the dialog
    // stays open while that fails.  False when the user gave up.
    [[nodiscard]] virtual bool Ask(NetworkAccount& account, bool& savePassword,
                                   const std::function<bool(const NetworkAccount&)>& tryConnect) = 0;
};

struct NetworkAccountOptions {
    bool autoAccountCheck = false;  // AUTOACCOUNTCHECK
    bool savePassword = true;       // SAVENETWORKPASSWORD
    std::wstring currentUser;       // offered when nothing is stored
};

// True when a connection to `remoteName` was made, by a stored account or by one the user gave.
[[nodiscard]] bool ConnectWithAccount(NetworkAccountList& accounts, const NetworkAccountOptions& options,
                                      INetConnector& connector, INetAccountPrompt& prompt,
                                      const std::wstring& remoteName, const std::wstring& provider);

// The platform's connection (WNetAddConnection2W, no flags).
class Win32NetConnector final : public INetConnector {
  public:
    [[nodiscard]] DWORD Connect(const NetworkAccount& account) override;
};

}  // namespace zq
