#pragma once
// The network listing of a Filer pane: a pseudo-path that names the levels
// entered ("\\ネットワーク全体\<network>\<domain>\<server>", or "\\<server>"
// when started from the neighbourhood), the display type of each level, and
// the entries of the level shown.  The platform's enumeration is behind
// INetEnumerator; the account questions behind INetAccounts.  No window here.
#include <windows.h>

#include <string>
#include <vector>

#include "filer/NetResourceEntry.h"

namespace zq {

inline constexpr const wchar_t* kEntireNetworkPath = L"\\\\ネットワーク全体";
inline constexpr int kNetworkLevels = 10;

// What one enumeration opens.
struct NetContainer {
    enum class Scope { Context, Global, Named };
    Scope scope = Scope::Context;
    std::wstring remoteName;  // Named: "\\server", a domain or a network's name
    DWORD displayType = 0;    // Named: the level's display type
};

class INetEnumerator {
  public:
    virtual ~INetEnumerator() = default;
    // Every record of the container in the platform's order; NO_ERROR, or the
    // error with which opening or reading failed.
    [[nodiscard]] virtual DWORD Enumerate(const NetContainer& container, std::vector<NetResourceEntry>& out) = 0;
    // Whether a share's path can be reached now; the platform's error when not.
    [[nodiscard]] virtual DWORD Access(const std::wstring& uncPath) = 0;
};

// Connecting with an account when the platform asks for one.
class INetAccounts {
  public:
    virtual ~INetAccounts() = default;
    // True when a connection to `remoteName` was made (a stored account, or one the user gave).
    [[nodiscard]] virtual bool Connect(const std::wstring& remoteName, const std::wstring& provider) = 0;
};

// The platform's WNet enumeration.
class Win32NetEnumerator final : public INetEnumerator {
  public:
    [[nodiscard]] DWORD Enumerate(const NetContainer& container, std::vector<NetResourceEntry>& out) override;
    [[nodiscard]] DWORD Access(const std::wstring& uncPath) override;
};

// A share entered through the listing, so that leaving it upwards finds the way back.
struct StructRememberedShare {
    std::wstring server;
    std::wstring share;
    std::wstring domain;
    std::wstring network;
};

class NetworkList {
  public:
    NetworkList(INetEnumerator& enumerator, INetAccounts* accounts) : m_enumerator(enumerator), m_accounts(accounts) {}

    // NOTVIEWUPDIR off: every level starts with "..".
    void SetParentLine(bool shown) noexcept { m_parentLine = shown; }

    // @Tonetwork: the neighbourhood (pseudo-path "\\", depth 0).
    void ShowComputers();
    // @Toallnetwork: the entire network (depth 1).
    void ShowEntireNetwork();

    struct Step {
        enum class Kind { Listed, Share, DriveList };
        Kind kind = Kind::Listed;
        std::wstring uncPath;     // Share: where the pane goes
        std::wstring cursorName;  // Listed: the entry the cursor goes to; empty: the first
    };
    // Return on `entry` of the level shown.
    Step Enter(const NetResourceEntry& chosen);
    // @Updirectory in the listing.
    Step Up();
    // @Updirectory from a directory at a share root ("\\server\share"): the
    // server's shares when the share was entered through the listing, else the drive list.
    Step UpFromShare(const std::wstring& uncPath);

    [[nodiscard]] const std::vector<NetResourceEntry>& Entries() const noexcept { return m_entries; }
    [[nodiscard]] const std::wstring& PseudoPath() const noexcept { return m_path; }
    [[nodiscard]] int Depth() const noexcept { return static_cast<int>(m_levels.size()); }
    [[nodiscard]] const std::vector<StructRememberedShare>& RememberedShares() const noexcept { return m_shares; }
    // The level shown was given up on (the platform did not answer in time):
    // Relist once its answer has come in.
    [[nodiscard]] bool WaitsForAnswer() const noexcept { return m_late; }
    void Relist() { Enumerate(); }

  private:
    struct Level {
        std::wstring name;
        DWORD displayType = 0;
    };
    void Enumerate();
    [[nodiscard]] NetContainer ContainerOfLevel() const;
    void Remember(const StructRememberedShare& share);
    void Rebuild();
    [[nodiscard]] std::wstring NameOfType(DWORD type) const;

    INetEnumerator& m_enumerator;
    INetAccounts* m_accounts;
    bool m_parentLine = true;
    bool m_late = false;
    // Started from the entire network: its first level is that pseudo-name.
    std::wstring m_path = L"\\\\";
    std::vector<Level> m_levels;
    std::vector<NetResourceEntry> m_entries;
    std::vector<StructRememberedShare> m_shares;
};

}  // namespace zq
