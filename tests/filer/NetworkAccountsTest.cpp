#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "filer/NetworkAccounts.h"
#include "filer/NetworkListAccounts.h"

using zq::NetworkAccount;
using zq::NetworkAccountList;

namespace {

NetworkAccount Account(const wchar_t* remote, const wchar_t* user, const wchar_t* password = L"",
                       const wchar_t* provider = L"") {
    return NetworkAccount{remote, user, password, provider};
}

// A network that accepts exactly one user and password per resource.
class FakeConnector final : public zq::INetConnector {
  public:
    std::wstring user = L"taro";
    std::wstring password = L"secret";
    std::vector<NetworkAccount> tried;
    DWORD Connect(const NetworkAccount& a) override {
        tried.push_back(a);
        return a.user == user && a.password == password ? NO_ERROR : ERROR_INVALID_PASSWORD;
    }
};

// The account dialog, typing one answer after another until one connects or the answers run out (Cancel).
class ScriptedPrompt final : public zq::INetAccountPrompt {
  public:
    struct Answer {
        std::wstring user;
        std::wstring password;
        bool save = true;
    };
    std::vector<Answer> answers;
    int shown = 0;
    NetworkAccount offered;
    bool offeredSave = false;
    bool Ask(NetworkAccount& account, bool& savePassword,
             const std::function<bool(const NetworkAccount&)>& tryConnect) override {
        ++shown;
        offered = account;
        offeredSave = savePassword;
        for (const Answer& a : answers) {
            NetworkAccount typed = account;
            typed.user = a.user;
            typed.password = a.password;
            if (!tryConnect(typed)) continue;  // "接続に失敗しました": the dialog stays open
            account = typed;
            savePassword = a.save;
            return true;
        }
        return false;
    }
};

struct AccountsFixture : ::testing::Test {
    NetworkAccountList accounts{};
    FakeConnector net;
    ScriptedPrompt prompt;
    zq::NetworkAccountOptions options{.autoAccountCheck = true, .savePassword = true, .currentUser = L"me"};
    bool Connect(const wchar_t* remote = L"\\\\srv\\share", const wchar_t* provider = L"") {
        return zq::ConnectWithAccount(accounts, options, net, prompt, remote, provider);
    }
};

}  // namespace

TEST(NetworkAccountList, StoreGoesToTheFrontReplacesTheSameResourceAndDropsTheOldest) {
    NetworkAccountList list{};
    for (int n = 0; n < 30; ++n)
        zq::StoreNetworkAccount(list, Account((L"\\\\s" + std::to_wstring(n)).c_str(), L"u", L"p"), true);
    EXPECT_EQ(list.front().resource, L"\\\\s29");
    EXPECT_EQ(list.back().resource, L"\\\\s0");
    // The same resource in other letters is one record: it moves to the front, nothing falls off.
    zq::StoreNetworkAccount(list, Account(L"\\\\S10", L"new", L"pw"), true);
    EXPECT_EQ(list.front().resource, L"\\\\S10");
    EXPECT_EQ(list.front().user, L"new");
    EXPECT_EQ(list[1].resource, L"\\\\s29");
    EXPECT_EQ(list.back().resource, L"\\\\s0");
    int tens = 0;
    for (const NetworkAccount& a : list) tens += a.resource == L"\\\\s10" || a.resource == L"\\\\S10";
    EXPECT_EQ(tens, 1);
    // A 31st resource pushes the oldest out.
    zq::StoreNetworkAccount(list, Account(L"\\\\s30", L"u", L"p"), false);
    EXPECT_EQ(list.front().resource, L"\\\\s30");
    EXPECT_EQ(list.front().password, L"") << "the save box was clear";
    EXPECT_EQ(list.back().resource, L"\\\\s1");
    // Fields longer than their stored widths are cut.
    zq::StoreNetworkAccount(list, Account(L"\\\\long", std::wstring(300, L'u').c_str(), std::wstring(60, L'p').c_str()),
                            true);
    EXPECT_EQ(list.front().user.size(), 199u);
    EXPECT_EQ(list.front().password.size(), 39u);
}

TEST(NetworkAccountList, FindNeedsAUserAndTheProviderWhenOneIsGiven) {
    NetworkAccountList list{};
    list[0] = Account(L"\\\\srv\\a", L"", L"pw");  // no user: not an account
    list[1] = Account(L"\\\\srv\\a", L"second", L"pw", L"Microsoft Windows Network");
    ASSERT_NE(zq::FindNetworkAccount(list, L"\\\\SRV\\A", L""), nullptr);
    EXPECT_EQ(zq::FindNetworkAccount(list, L"\\\\SRV\\A", L"")->user, L"second");
    EXPECT_NE(zq::FindNetworkAccount(list, L"\\\\srv\\a", L"Microsoft Windows Network"), nullptr);
    EXPECT_EQ(zq::FindNetworkAccount(list, L"\\\\srv\\a", L"Other Network"), nullptr);
    EXPECT_EQ(zq::FindNetworkAccount(list, L"\\\\srv\\b", L""), nullptr);
}

TEST_F(AccountsFixture, AStoredPasswordConnectsWithoutAskingOnlyWithAutoAccountCheck) {
    accounts[0] = Account(L"\\\\srv\\share", L"taro", L"secret");
    EXPECT_TRUE(Connect(L"\\\\SRV\\Share"));
    EXPECT_EQ(prompt.shown, 0);
    ASSERT_EQ(net.tried.size(), 1u);
    EXPECT_EQ(net.tried[0].user, L"taro");

    // Switched off: the dialog asks, offering the stored user and password.
    options.autoAccountCheck = false;
    net.tried.clear();
    prompt.answers = {{L"taro", L"secret", true}};
    EXPECT_TRUE(Connect());
    EXPECT_EQ(prompt.shown, 1);
    EXPECT_EQ(prompt.offered.user, L"taro");
    EXPECT_EQ(prompt.offered.password, L"secret");
    EXPECT_EQ(net.tried.size(), 1u) << "only the dialog's OK connects";
}

TEST_F(AccountsFixture, WithoutAStoredPasswordOrWhenItFailsTheDialogAsksAndItsAnswerIsStored) {
    // A stored account without a password is offered, not tried.
    accounts[0] = Account(L"\\\\srv\\share", L"taro");
    prompt.answers = {{L"taro", L"secret", false}};
    EXPECT_TRUE(Connect());
    EXPECT_EQ(prompt.shown, 1);
    EXPECT_EQ(net.tried.size(), 1u);
    EXPECT_EQ(accounts[0].user, L"taro");
    EXPECT_EQ(accounts[0].password, L"") << "stored without the password: the box was clear";
    EXPECT_EQ(accounts[1].resource, L"") << "the old record was replaced, not kept beside";

    // A stored password that the server no longer takes: tried, then asked; the new one replaces it.
    accounts[0].password = L"old";
    prompt.answers = {{L"taro", L"wrong", true}, {L"taro", L"secret", true}};
    net.tried.clear();
    EXPECT_TRUE(Connect());
    ASSERT_EQ(net.tried.size(), 3u);
    EXPECT_EQ(net.tried[0].password, L"old");
    EXPECT_EQ(accounts[0].password, L"secret");
}

TEST_F(AccountsFixture, NothingStoredOffersTheWindowsUserAndCancelStoresNothing) {
    options.savePassword = false;
    prompt.answers = {{L"guest", L"nothing", true}};  // refused: the dialog stays, then Cancel
    EXPECT_FALSE(Connect(L"\\\\srv\\share", L"Microsoft Windows Network"));
    EXPECT_EQ(prompt.offered.user, L"me");
    EXPECT_EQ(prompt.offered.provider, L"Microsoft Windows Network");
    EXPECT_FALSE(prompt.offeredSave) << "the save box starts at SAVENETWORKPASSWORD";
    EXPECT_EQ(accounts[0].resource, L"");

    prompt.answers = {{L"taro", L"secret", true}};
    EXPECT_TRUE(Connect(L"\\\\srv\\share", L"Microsoft Windows Network"));
    EXPECT_EQ(accounts[0].resource, L"\\\\srv\\share");
    EXPECT_EQ(accounts[0].provider, L"Microsoft Windows Network");
    EXPECT_EQ(accounts[0].password, L"secret");
}

TEST(NetworkListAccounts, TakesItsSwitchesFromTheSettingsAndStoresIntoThem) {
    zq::Settings settings;
    FakeConnector net;
    ScriptedPrompt prompt;
    settings.network[0] = Account(L"\\\\srv\\share", L"taro", L"secret");
    zq::NetworkListAccounts accounts(nullptr, settings, &net, &prompt);
    settings.AUTOACCOUNTCHECK = 0;
    settings.SAVENETWORKPASSWORD = 0;
    prompt.answers = {{L"taro", L"secret", false}};
    EXPECT_TRUE(accounts.Connect(L"\\\\srv\\share", L""));
    EXPECT_EQ(prompt.shown, 1);
    EXPECT_FALSE(prompt.offeredSave);
    EXPECT_EQ(settings.network[0].password, L"");
    settings.network[0].password = L"secret";
    settings.AUTOACCOUNTCHECK = 1;
    EXPECT_TRUE(accounts.Connect(L"\\\\srv\\share", L""));
    EXPECT_EQ(prompt.shown, 1);
}
