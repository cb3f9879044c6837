#include "filer/NetworkList.h"

#include <algorithm>
#include <cwchar>
#include <memory>

#include "filer/NetworkWait.h"

namespace zq {

namespace {

constexpr size_t kRememberedShares = 20;
constexpr DWORD kNotAuthenticated = 1244;  // ERROR_NOT_AUTHENTICATED
constexpr const wchar_t* kEntireNetworkName = L"ネットワーク全体";

NetResourceEntry ParentLine() {
    NetResourceEntry up;
    std::wcscpy(up.name, L"..");
    return up;
}

bool SameName(const std::wstring& a, const std::wstring& b) {
    return ::CompareStringOrdinal(a.c_str(), -1, b.c_str(), -1, TRUE) == CSTR_EQUAL;
}

}  // namespace

void NetworkList::ShowComputers() {
    m_levels.clear();
    Rebuild();
    Enumerate();
}

void NetworkList::ShowEntireNetwork() {
    m_levels.assign(1, {kEntireNetworkName, 0});
    Rebuild();
    Enumerate();
}

void NetworkList::Rebuild() {
    m_path = L"\\\\";
    for (size_t i = 0; i < m_levels.size(); ++i) {
        if (i > 0) m_path += L'\\';
        m_path += m_levels[i].name;
    }
}

std::wstring NetworkList::NameOfType(DWORD type) const {
    for (const Level& level : m_levels)
        if (level.displayType == type) return level.name;
    return {};
}

NetContainer NetworkList::ContainerOfLevel() const {
    NetContainer container;
    if (m_levels.empty()) return container;
    const Level& last = m_levels.back();
    if (m_levels.size() == 1 && last.displayType == 0) {
        container.scope = NetContainer::Scope::Global;
        return container;
    }
    container.scope = NetContainer::Scope::Named;
    container.displayType = last.displayType;
    container.remoteName = last.displayType == RESOURCEDISPLAYTYPE_SERVER ? L"\\\\" + last.name : last.name;
    return container;
}

void NetworkList::Enumerate() {
    m_entries.clear();
    if (m_parentLine) m_entries.push_back(ParentLine());
    const NetContainer container = ContainerOfLevel();
    std::vector<NetResourceEntry> found;
    DWORD error = m_enumerator.Enumerate(container, found);
    if (error == kNotAuthenticated && m_accounts && m_accounts->Connect(container.remoteName, L"")) {
        found.clear();
        error = m_enumerator.Enumerate(container, found);
    }
    m_late = error == ERROR_SEM_TIMEOUT;
    // Any other failure leaves the listing with its ".." line only.
    if (error != NO_ERROR) return;
    for (const NetResourceEntry& entry : found) {
        if (entry.name[0] == L'\0') continue;
        if (entry.displayType == RESOURCEDISPLAYTYPE_SHARE && entry.resourceType == RESOURCETYPE_PRINT) continue;
        m_entries.push_back(entry);
    }
    // The top of the entire network is sorted by the pane; every other level
    // ends with the empty entry that leads back to that top.
    const bool globalTop = container.scope == NetContainer::Scope::Global;
    if (!globalTop) m_entries.push_back(NetResourceEntry{});
}

NetworkList::Step NetworkList::Enter(const NetResourceEntry& chosen) {
    // A copy: listing the next level replaces the entries `chosen` may belong to.
    const NetResourceEntry entry = chosen;
    if (std::wcscmp(entry.name, L"..") == 0) return Up();
    if (entry.name[0] == L'\0') {
        ShowEntireNetwork();
        return {};
    }
    if (m_levels.size() >= static_cast<size_t>(kNetworkLevels)) return {};
    m_levels.push_back({entry.name, entry.displayType});
    Rebuild();
    if (entry.displayType != RESOURCEDISPLAYTYPE_SHARE) {
        Enumerate();
        return {};
    }
    StructRememberedShare share;
    share.server = NameOfType(RESOURCEDISPLAYTYPE_SERVER);
    share.share = entry.name;
    share.domain = NameOfType(RESOURCEDISPLAYTYPE_DOMAIN);
    share.network = NameOfType(RESOURCEDISPLAYTYPE_NETWORK);
    const std::wstring unc = L"\\\\" + share.server + L"\\" + share.share;
    // The share stays the level it was reached by until the pane really goes there.
    m_levels.pop_back();
    Rebuild();
    const DWORD access = m_enumerator.Access(unc);
    if ((access == ERROR_ACCESS_DENIED || access == ERROR_INVALID_PASSWORD) && m_accounts)
        (void)m_accounts->Connect(unc, entry.provider);
    Remember(share);
    Step step;
    step.kind = Step::Kind::Share;
    step.uncPath = unc;
    return step;
}

NetworkList::Step NetworkList::Up() {
    if (m_levels.empty()) {
        Step step;
        step.kind = Step::Kind::DriveList;
        return step;
    }
    Step step;
    step.cursorName = m_levels.back().name;
    m_levels.pop_back();
    Rebuild();
    Enumerate();
    return step;
}

NetworkList::Step NetworkList::UpFromShare(const std::wstring& uncPath) {
    // "\\server\share": the server is the part between the leading backslashes and the next one.
    const std::wstring rest = uncPath.size() > 2 ? uncPath.substr(2) : L"";
    const size_t slash = rest.find(L'\\');
    const std::wstring server = rest.substr(0, slash);
    const std::wstring share = slash == std::wstring::npos ? L"" : rest.substr(slash + 1);
    const auto found = std::find_if(m_shares.begin(), m_shares.end(),
                                    [&](const StructRememberedShare& s) { return SameName(s.server, server); });
    Step step;
    if (found == m_shares.end()) {
        step.kind = Step::Kind::DriveList;
        return step;
    }
    m_levels.clear();
    if (!found->domain.empty()) {
        m_levels.push_back({kEntireNetworkName, 0});
        if (!found->network.empty()) m_levels.push_back({found->network, RESOURCEDISPLAYTYPE_NETWORK});
        m_levels.push_back({found->domain, RESOURCEDISPLAYTYPE_DOMAIN});
    }
    m_levels.push_back({found->server, RESOURCEDISPLAYTYPE_SERVER});
    Rebuild();
    Enumerate();
    step.cursorName = share;
    return step;
}

void NetworkList::Remember(const StructRememberedShare& share) {
    std::erase_if(m_shares, [&](const StructRememberedShare& s) { return SameName(s.server, share.server); });
    m_shares.insert(m_shares.begin(), share);
    if (m_shares.size() > kRememberedShares) m_shares.resize(kRememberedShares);
}

namespace {

DWORD EnumerateNow(const NetContainer& container, std::vector<NetResourceEntry>& out) {
    NETRESOURCEW named{};
    NETRESOURCEW* root = nullptr;
    DWORD scope = RESOURCE_GLOBALNET;
    if (container.scope == NetContainer::Scope::Context) scope = RESOURCE_CONTEXT;
    if (container.scope == NetContainer::Scope::Named) {
        named.dwScope = RESOURCE_GLOBALNET;
        named.dwDisplayType = container.displayType;
        named.dwUsage = RESOURCEUSAGE_CONTAINER;
        named.lpRemoteName = const_cast<wchar_t*>(container.remoteName.c_str());
        if (container.displayType == RESOURCEDISPLAYTYPE_NETWORK)
            named.lpProvider = const_cast<wchar_t*>(container.remoteName.c_str());
        root = &named;
    }
    HANDLE handle = nullptr;
    const DWORD opened = ::WNetOpenEnumW(scope, RESOURCETYPE_ANY, 0, root, &handle);
    if (opened != NO_ERROR) return opened;
    // Records are read in batches into one buffer until the enumeration ends.
    std::vector<unsigned char> buffer(60000);
    DWORD result = NO_ERROR;
    for (;;) {
        DWORD count = static_cast<DWORD>(-1);
        DWORD size = static_cast<DWORD>(buffer.size());
        result = ::WNetEnumResourceW(handle, &count, buffer.data(), &size);
        if (result != NO_ERROR) break;
        const auto* records = reinterpret_cast<const NETRESOURCEW*>(buffer.data());
        for (DWORD i = 0; i < count; ++i) {
            if (records[i].lpRemoteName == nullptr) continue;
            out.push_back(NetResourceEntryFrom(records[i]));
        }
    }
    ::WNetCloseEnum(handle);
    return result == ERROR_NO_MORE_ITEMS ? NO_ERROR : result;
}

}  // namespace

// A server that does not answer holds WNetOpenEnum for seconds: the listing
// shows its ".." line instead, as for any other failure, until the answer comes.
DWORD Win32NetEnumerator::Enumerate(const NetContainer& container, std::vector<NetResourceEntry>& out) {
    const NetworkAnswer answer = AskNetwork(
        L"enumerate " + std::to_wstring(static_cast<int>(container.scope)) + L" " + container.remoteName,
        [container] {
            std::vector<NetResourceEntry> found;
            const DWORD error = EnumerateNow(container, found);
            return NetworkAnswer{error, std::move(found)};
        },
        kNetworkAnswerMs, ERROR_SEM_TIMEOUT);
    if (answer.error != NO_ERROR) return answer.error;
    if (const auto* found = std::any_cast<std::vector<NetResourceEntry>>(&answer.found))
        out.insert(out.end(), found->begin(), found->end());
    return NO_ERROR;
}

DWORD Win32NetEnumerator::Access(const std::wstring& uncPath) {
    return AskNetwork(
               uncPath,
               [uncPath] {
                   return NetworkAnswer{
                       ::GetFileAttributesW(uncPath.c_str()) != INVALID_FILE_ATTRIBUTES ? NO_ERROR : ::GetLastError(),
                       {}};
               },
               kNetworkAnswerMs, ERROR_SEM_TIMEOUT)
        .error;
}

}  // namespace zq
