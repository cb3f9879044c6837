#pragma once
// Connecting to a network resource that asked for an account: the
// platform's connection with the user's own credentials, and a message when
// it is refused.
#include <windows.h>

#include <string>

#include "filer/NetworkList.h"

namespace zq {

class NetworkListAccounts final : public INetAccounts {
  public:
    explicit NetworkListAccounts(HWND owner) : m_owner(owner) {}
    [[nodiscard]] bool Connect(const std::wstring& remoteName, const std::wstring& provider) override;

  private:
    HWND m_owner;
};

}  // namespace zq
