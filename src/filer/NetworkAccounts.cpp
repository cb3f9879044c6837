#include "filer/NetworkAccounts.h"

#include <algorithm>

namespace zq {

namespace {

// The stored widths of a record, terminator included.
constexpr size_t kRemoteUnits = 520;
constexpr size_t kUserUnits = 200;
constexpr size_t kPasswordUnits = 40;
constexpr size_t kProviderUnits = 520;

bool SameName(const std::wstring& a, const std::wstring& b) {
    return ::CompareStringOrdinal(a.c_str(), -1, b.c_str(), -1, TRUE) == CSTR_EQUAL;
}

void Cut(std::wstring& text, size_t units) {
    if (text.size() >= units) text.resize(units - 1);
}

}  // namespace

const NetworkAccount* FindNetworkAccount(const NetworkAccountList& accounts, const std::wstring& remoteName,
                                         const std::wstring& provider) {
    for (const NetworkAccount& account : accounts) {
        if (account.resource.empty() || account.user.empty() || !SameName(account.resource, remoteName)) continue;
        if (provider.empty() || account.provider == provider) return &account;
    }
    return nullptr;
}

void StoreNetworkAccount(NetworkAccountList& accounts, NetworkAccount account, bool savePassword) {
    if (!savePassword) account.password.clear();
    Cut(account.resource, kRemoteUnits);
    Cut(account.user, kUserUnits);
    Cut(account.password, kPasswordUnits);
    Cut(account.provider, kProviderUnits);
    const auto same = std::find_if(accounts.begin(), accounts.end(), [&](const NetworkAccount& stored) {
        return !stored.resource.empty() && SameName(stored.resource, account.resource);
    });
    // Everything before the old record (or the whole list) moves one down; the last one falls off.
    const auto end = same == accounts.end() ? accounts.end() - 1 : same;
    std::move_backward(accounts.begin(), end, end + 1);
    accounts.front() = std::move(account);
}

bool ConnectWithAccount(NetworkAccountList& accounts, const NetworkAccountOptions& options, INetConnector& connector,
                        INetAccountPrompt& prompt, const std::wstring& remoteName, const std::wstring& provider) {
    NetworkAccount account;
    account.resource = remoteName;
    account.provider = provider;
    if (const NetworkAccount* stored = FindNetworkAccount(accounts, remoteName, provider)) {
        if (options.autoAccountCheck && !stored->password.empty() && connector.Connect(*stored) == NO_ERROR)
            return true;
        account.user = stored->user;
        account.password = stored->password;
        if (account.provider.empty()) account.provider = stored->provider;
    } else {
        account.user = options.currentUser;
    }
    bool savePassword = options.savePassword;
    if (!prompt.Ask(account, savePassword,
                    [&](const NetworkAccount& typed) { return connector.Connect(typed) == NO_ERROR; }))
        return false;
    StoreNetworkAccount(accounts, account, savePassword);
    return true;
}

DWORD Win32NetConnector::Connect(const NetworkAccount& account) {
    NETRESOURCEW resource{};
    resource.dwType = RESOURCETYPE_ANY;
    resource.lpRemoteName = const_cast<wchar_t*>(account.resource.c_str());
    resource.lpProvider = account.provider.empty() ? nullptr : const_cast<wchar_t*>(account.provider.c_str());
    return ::WNetAddConnection2W(&resource, account.password.c_str(),
                                 account.user.empty() ? nullptr : account.user.c_str(), 0);
}

}  // namespace zq
