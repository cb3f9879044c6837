#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "filer/FilerPane.h"
#include "filer/NetResourceEntry.h"

namespace {

zq::NetResourceEntry Line(const wchar_t* remote, DWORD displayType = RESOURCEDISPLAYTYPE_SERVER) {
    NETRESOURCEW r{};
    r.dwType = RESOURCETYPE_DISK;
    r.dwDisplayType = displayType;
    r.lpRemoteName = const_cast<wchar_t*>(remote);
    return zq::NetResourceEntryFrom(r);
}

std::vector<std::wstring> SortedNames(const std::vector<zq::NetResourceEntry>& lines) {
    zq::FilerPane pane;
    pane.SetKind(zq::kKindNetwork, 0);
    pane.SetNetworkEntries(lines);
    pane.Sort();
    std::vector<std::wstring> names;
    for (int i = 0; i < pane.NetworkCount(); ++i) names.emplace_back(pane.NetworkEntry(pane.EntryIndexAt(i)).name);
    return names;
}

}  // namespace

TEST(NetworkSort, NamesAscendBetweenTheParentLineAndTheTerminator) {
    using Names = std::vector<std::wstring>;
    struct Case {
        const char* what;
        std::vector<zq::NetResourceEntry> lines;
        Names expected;
    };
    const Case cases[] = {
        {"'..' stays first, the empty terminator last, case ignored",
         {Line(L".."), Line(L"\\\\zeta"), Line(L"\\\\Alpha"), Line(L"\\\\beta"), Line(L"")},
         {L"..", L"Alpha", L"beta", L"zeta", L""}},
        {"without either, every line is sorted",
         {Line(L"\\\\srv\\share2", RESOURCEDISPLAYTYPE_SHARE), Line(L"\\\\srv\\Share1", RESOURCEDISPLAYTYPE_SHARE)},
         {L"Share1", L"share2"}},
        {"a '..' that is not first is an ordinary name", {Line(L"b"), Line(L".."), Line(L"a")}, {L"..", L"a", L"b"}},
        {"nothing to sort", {}, {}},
    };
    for (const Case& c : cases) EXPECT_EQ(SortedNames(c.lines), c.expected) << c.what;
}

TEST(NetworkSort, LinesKeepTheLastPartOfTheRemoteNameAndCutTheComment) {
    std::wstring longComment(300, L'c');
    NETRESOURCEW r{};
    r.dwDisplayType = RESOURCEDISPLAYTYPE_SHARE;
    r.lpRemoteName = const_cast<wchar_t*>(L"\\\\server\\共有");
    r.lpComment = longComment.data();
    const zq::NetResourceEntry e = zq::NetResourceEntryFrom(r);
    EXPECT_STREQ(e.name, L"共有");
    EXPECT_EQ(std::wstring(e.comment).size(), 199u);
}
