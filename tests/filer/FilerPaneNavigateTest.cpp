#include <gtest/gtest.h>

#include <string>

#include "filer/FilerPane.h"
#include "filer/FilerPaneNavigate.h"
#include "filer/PaneTestUtil.h"

namespace {

using zq::FilerPane;
using zq::UpDirectoryResult;

TEST(FilerPaneNavigate, WhereGoingUpLeads) {
    struct Case {
        const wchar_t* path;
        uint32_t kind;
        UpDirectoryResult expected;
    };
    const Case cases[] = {
        {L"C:", zq::kKindDirectory, UpDirectoryResult::ToDriveList},
        {L"c:\\", zq::kKindDirectory, UpDirectoryResult::ToDriveList},
        {L"C:\\a", zq::kKindDirectory, UpDirectoryResult::Done},
        {L"C:\\a\\b\\", zq::kKindDirectory, UpDirectoryResult::Done},
        {L"\\\\srv", zq::kKindDirectory, UpDirectoryResult::ToNetworkParent},
        {L"\\\\srv\\share", zq::kKindDirectory, UpDirectoryResult::ToNetworkParent},
        {L"\\\\srv\\share\\", zq::kKindDirectory, UpDirectoryResult::ToNetworkParent},
        {L"\\\\srv\\share\\dir", zq::kKindDirectory, UpDirectoryResult::Done},
        {L"relative", zq::kKindDirectory, UpDirectoryResult::Failed},
        {L"C:\\a", zq::kKindDriveList, UpDirectoryResult::Failed},
    };
    for (const Case& c : cases) {
        FilerPane pane;
        pane.SetPath(c.path);
        pane.SetKind(c.kind, 0);
        EXPECT_EQ(zq::UpStepOf(pane), c.expected) << c.path;
    }
}

TEST(FilerPaneNavigate, RootsThatClimbingKeeps) {
    struct Case {
        const wchar_t* path;
        size_t expected;
    };
    const Case cases[] = {
        {L"C:", 2},  {L"C:\\a\\b", 2}, {L"\\\\srv", 5}, {L"\\\\srv\\share", 11}, {L"\\\\srv\\share\\x\\y", 11},
        {L"abc", 0},
    };
    for (const Case& c : cases) EXPECT_EQ(zq::RootLength(c.path), c.expected) << c.path;
}

TEST(FilerPaneNavigate, AGoneShareIsNotClimbedAbove) {
    zq::test::RecordingHost host;
    FilerPane pane(&host);
    EXPECT_FALSE(pane.ChangeDirectory(L"\\\\zq-no-such-server\\share\\gone\\deeper", false, nullptr));
    EXPECT_EQ(pane.Path(), L"\\\\zq-no-such-server\\share");
    EXPECT_TRUE(pane.NotReady());
    EXPECT_EQ(pane.Count(), 0);
    // The top of a share leads to the network, never to "\\zq-no-such-server" as a directory.
    EXPECT_EQ(pane.UpDirectory(nullptr), UpDirectoryResult::ToNetworkParent);
    EXPECT_EQ(pane.Path(), L"\\\\zq-no-such-server\\share");
}

}  // namespace
