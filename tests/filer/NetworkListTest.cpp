#include <gtest/gtest.h>

#include <atomic>
#include <cwchar>
#include <map>
#include <string>
#include <vector>

#include "filer/NetworkList.h"
#include "filer/NetworkWait.h"

using zq::NetContainer;
using zq::NetResourceEntry;
using zq::NetworkList;

namespace {

NetResourceEntry Resource(const wchar_t* remote, DWORD displayType, DWORD type = RESOURCETYPE_DISK) {
    NETRESOURCEW r{};
    r.dwType = type;
    r.dwDisplayType = displayType;
    r.lpRemoteName = const_cast<wchar_t*>(remote);
    return zq::NetResourceEntryFrom(r);
}

// A network held in memory: the records of each container by its name
// ("<context>" and "<global>" for the two roots), errors and accounts chosen by the test.
class FakeNet final : public zq::INetEnumerator, public zq::INetAccounts {
  public:
    std::map<std::wstring, std::vector<NetResourceEntry>> containers;
    std::map<std::wstring, DWORD> openErrors;  // until an account connects
    std::map<std::wstring, DWORD> accessErrors;
    std::vector<std::wstring> opened;
    std::vector<std::wstring> connected;
    bool accountsSucceed = true;

    DWORD Enumerate(const NetContainer& c, std::vector<NetResourceEntry>& out) override {
        const std::wstring key = c.scope == NetContainer::Scope::Context  ? L"<context>"
                                 : c.scope == NetContainer::Scope::Global ? L"<global>"
                                                                          : c.remoteName;
        opened.push_back(key);
        if (const auto e = openErrors.find(key); e != openErrors.end()) return e->second;
        const auto found = containers.find(key);
        if (found == containers.end()) return ERROR_BAD_NETPATH;
        out = found->second;
        return NO_ERROR;
    }
    DWORD Access(const std::wstring& unc) override {
        const auto e = accessErrors.find(unc);
        return e == accessErrors.end() ? NO_ERROR : e->second;
    }
    bool Connect(const std::wstring& remoteName, const std::wstring&) override {
        connected.push_back(remoteName);
        if (accountsSucceed) openErrors.erase(remoteName);
        return accountsSucceed;
    }
};

std::vector<std::wstring> Names(const NetworkList& list) {
    std::vector<std::wstring> names;
    for (const NetResourceEntry& e : list.Entries()) names.emplace_back(e.name);
    return names;
}

const NetResourceEntry& Named(const NetworkList& list, const wchar_t* name) {
    for (const NetResourceEntry& e : list.Entries())
        if (std::wcscmp(e.name, name) == 0) return e;
    static const NetResourceEntry none;
    ADD_FAILURE() << "no entry named " << testing::PrintToString(std::wstring(name));
    return none;
}

using Strings = std::vector<std::wstring>;

}  // namespace

TEST(NetworkList, FromTheNeighbourhoodToAShareAndBackToTheServersShares) {
    FakeNet net;
    net.containers[L"<context>"] = {Resource(L"\\\\SRV", RESOURCEDISPLAYTYPE_SERVER), Resource(nullptr, 2)};
    net.containers[L"\\\\SRV"] = {Resource(L"\\\\SRV\\pub", RESOURCEDISPLAYTYPE_SHARE),
                                  Resource(L"\\\\SRV\\laser", RESOURCEDISPLAYTYPE_SHARE, RESOURCETYPE_PRINT),
                                  Resource(L"\\\\SRV\\home", RESOURCEDISPLAYTYPE_SHARE)};
    NetworkList list(net, &net);
    list.ShowComputers();
    EXPECT_EQ(list.PseudoPath(), L"\\\\");
    EXPECT_EQ(Names(list), (Strings{L"..", L"SRV", L""})) << "a record without a remote name is left out";

    NetworkList::Step step = list.Enter(Named(list, L"SRV"));
    EXPECT_EQ(step.kind, NetworkList::Step::Kind::Listed);
    EXPECT_EQ(list.PseudoPath(), L"\\\\SRV") << "no backslash is added at the top";
    EXPECT_EQ(net.opened.back(), L"\\\\SRV");
    EXPECT_EQ(Names(list), (Strings{L"..", L"pub", L"home", L""})) << "printers are no place to go";

    step = list.Enter(Named(list, L"home"));
    ASSERT_EQ(step.kind, NetworkList::Step::Kind::Share);
    EXPECT_EQ(step.uncPath, L"\\\\SRV\\home");
    EXPECT_TRUE(net.connected.empty()) << "a share that answers needs no account";

    // A fresh listing, as after the pane wandered off, still knows the way back.
    list.ShowComputers();
    step = list.UpFromShare(L"\\\\srv\\home");
    EXPECT_EQ(step.kind, NetworkList::Step::Kind::Listed);
    EXPECT_EQ(step.cursorName, L"home");
    EXPECT_EQ(list.PseudoPath(), L"\\\\SRV");
    EXPECT_EQ(Names(list), (Strings{L"..", L"pub", L"home", L""}));

    step = list.Up();
    EXPECT_EQ(step.cursorName, L"SRV") << "the cursor goes to the level just left";
    EXPECT_EQ(list.Depth(), 0);
    EXPECT_EQ(list.Up().kind, NetworkList::Step::Kind::DriveList) << "above the top is the drive list";
    EXPECT_EQ(list.UpFromShare(L"\\\\OTHER\\x").kind, NetworkList::Step::Kind::DriveList)
        << "a share not reached through the listing";
}

TEST(NetworkList, TheEntireNetworkNamesEveryLevelAndLeadsBackThroughThem) {
    FakeNet net;
    net.containers[L"<global>"] = {Resource(L"Microsoft Windows Network", RESOURCEDISPLAYTYPE_NETWORK)};
    net.containers[L"Microsoft Windows Network"] = {Resource(L"WORKGROUP", RESOURCEDISPLAYTYPE_DOMAIN)};
    net.containers[L"WORKGROUP"] = {Resource(L"\\\\SRV", RESOURCEDISPLAYTYPE_SERVER)};
    net.containers[L"\\\\SRV"] = {Resource(L"\\\\SRV\\pub", RESOURCEDISPLAYTYPE_SHARE)};
    NetworkList list(net, &net);
    list.SetParentLine(false);  // NOTVIEWUPDIR
    list.ShowEntireNetwork();
    EXPECT_EQ(list.PseudoPath(), zq::kEntireNetworkPath);
    EXPECT_EQ(Names(list), (Strings{L"Microsoft Windows Network"})) << "the global top has no terminator and no ..";
    (void)list.Enter(Named(list, L"Microsoft Windows Network"));
    (void)list.Enter(Named(list, L"WORKGROUP"));
    (void)list.Enter(Named(list, L"SRV"));
    EXPECT_EQ(list.PseudoPath(), L"\\\\ネットワーク全体\\Microsoft Windows Network\\WORKGROUP\\SRV");
    const NetworkList::Step share = list.Enter(Named(list, L"pub"));
    EXPECT_EQ(share.uncPath, L"\\\\SRV\\pub");

    list.ShowComputers();
    const NetworkList::Step back = list.UpFromShare(share.uncPath);
    EXPECT_EQ(back.cursorName, L"pub");
    EXPECT_EQ(list.PseudoPath(), L"\\\\ネットワーク全体\\Microsoft Windows Network\\WORKGROUP\\SRV");
    EXPECT_EQ(list.Depth(), 4);

    // The empty entry at the end of a level goes back to the entire network's top.
    (void)list.Enter(NetResourceEntry{});
    EXPECT_EQ(list.PseudoPath(), zq::kEntireNetworkPath);
}

TEST(NetworkList, AccountsAreAskedForOnlyWhereThePlatformWantsOne) {
    FakeNet net;
    net.containers[L"<context>"] = {Resource(L"\\\\LOCKED", RESOURCEDISPLAYTYPE_SERVER),
                                    Resource(L"\\\\BROKEN", RESOURCEDISPLAYTYPE_SERVER)};
    net.containers[L"\\\\LOCKED"] = {Resource(L"\\\\LOCKED\\secret", RESOURCEDISPLAYTYPE_SHARE)};
    net.openErrors[L"\\\\LOCKED"] = 1244;  // not authenticated
    net.openErrors[L"\\\\BROKEN"] = ERROR_NO_NETWORK;
    net.accessErrors[L"\\\\LOCKED\\secret"] = ERROR_ACCESS_DENIED;
    NetworkList list(net, &net);
    list.ShowComputers();

    (void)list.Enter(Named(list, L"LOCKED"));
    EXPECT_EQ(net.connected, (Strings{L"\\\\LOCKED"}));
    EXPECT_EQ(Names(list), (Strings{L"..", L"secret", L""})) << "listed after the account connected";
    const NetworkList::Step share = list.Enter(Named(list, L"secret"));
    EXPECT_EQ(share.kind, NetworkList::Step::Kind::Share);
    EXPECT_EQ(net.connected.back(), L"\\\\LOCKED\\secret") << "access denied on the share asks too";

    list.ShowComputers();
    net.accountsSucceed = false;
    const size_t asked = net.connected.size();
    (void)list.Enter(Named(list, L"BROKEN"));
    EXPECT_EQ(net.connected.size(), asked) << "another error asks for no account";
    EXPECT_EQ(Names(list), (Strings{L".."})) << "and leaves the level with its .. only";
    EXPECT_FALSE(list.WaitsForAnswer());

    // A server that did not answer in time is listed again once it has.
    list.ShowComputers();
    net.openErrors[L"\\\\LOCKED"] = ERROR_SEM_TIMEOUT;
    (void)list.Enter(Named(list, L"LOCKED"));
    EXPECT_TRUE(list.WaitsForAnswer());
    EXPECT_EQ(Names(list), (Strings{L".."}));
    net.openErrors.erase(L"\\\\LOCKED");
    list.Relist();
    EXPECT_FALSE(list.WaitsForAnswer());
    EXPECT_EQ(Names(list), (Strings{L"..", L"secret", L""}));
}

// A question the platform does not answer in time: the caller gets the late
// answer, the same question is not asked again while the first still runs,
// and when it finishes its answer (with what it found) is kept for the next
// ask, after which the key is asked afresh.
TEST(NetworkWait, ALateAnswerIsGivenUpOnKeptAndNotAskedTwice) {
    const HANDLE gate = ::CreateEventW(nullptr, TRUE, FALSE, nullptr);
    ASSERT_NE(gate, nullptr);
    std::atomic<int> asked{0};
    const auto slow = [&] {
        ++asked;
        ::WaitForSingleObject(gate, INFINITE);
        return zq::NetworkAnswer{NO_ERROR, std::wstring(L"found late")};
    };
    (void)zq::TakeLateNetworkAnswer();
    EXPECT_EQ(zq::AskNetwork(L"\\\\Dead\\x", slow, 50, ERROR_SEM_TIMEOUT).error, DWORD{ERROR_SEM_TIMEOUT});
    EXPECT_EQ(zq::AskNetwork(L"\\\\DEAD\\X", slow, 50, ERROR_SEM_TIMEOUT).error, DWORD{ERROR_SEM_TIMEOUT});
    const auto other = zq::AskNetwork(
        L"\\\\other\\x",
        [] {
            return zq::NetworkAnswer{ERROR_BAD_NETPATH, {}};
        },
        5000, ERROR_SEM_TIMEOUT);
    EXPECT_EQ(other.error, DWORD{ERROR_BAD_NETPATH});
    EXPECT_FALSE(zq::TakeLateNetworkAnswer());

    ::SetEvent(gate);
    bool arrived = false;
    for (int i = 0; i < 200 && !arrived; ++i) {
        ::Sleep(10);
        arrived = zq::TakeLateNetworkAnswer();
    }
    ASSERT_TRUE(arrived);
    const auto denied = [] { return zq::NetworkAnswer{ERROR_ACCESS_DENIED, {}}; };
    const zq::NetworkAnswer kept = zq::AskNetwork(L"\\\\dead\\x", denied, 5000, ERROR_SEM_TIMEOUT);
    EXPECT_EQ(kept.error, DWORD{NO_ERROR});
    const auto* found = std::any_cast<std::wstring>(&kept.found);
    ASSERT_NE(found, nullptr);
    EXPECT_EQ(*found, L"found late");
    EXPECT_EQ(asked.load(), 1);
    EXPECT_EQ(zq::AskNetwork(L"\\\\dead\\x", denied, 5000, ERROR_SEM_TIMEOUT).error, DWORD{ERROR_ACCESS_DENIED});
    ::CloseHandle(gate);
}
