#include "fileops/CopyDestinationList.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "common/ShellLink.h"
#include "fileops/CopyTestSupport.h"

namespace zq::fileops {
namespace {

using namespace zq::fileops::test;
using zq::test::TempDir;

TEST(CopyDestinationListTest, SourcesInPriorityOrderWhenEnabled) {
    DestinationSources sources;
    sources.lists[kCurrentDirectoryDirs] = {L"C:\\cur"};
    sources.lists[kPastDirectories] = {L"C:\\past1", L"C:\\past2"};
    sources.lists[kSpecialDirectories] = {L"C:\\special\\"};
    sources.lists[kSendToDirectories] = {L"E:"};
    struct Case {
        DestinationListSettings settings;
        std::vector<std::wstring> expected;
    };
    const Case cases[] = {
        {{{1, 2, 3, 4}, {true, true, false, false}}, {L"C:\\cur", L"C:\\past1", L"C:\\past2"}},
        {{{4, 3, 2, 1}, {true, true, true, true}}, {L"E:", L"C:\\special\\", L"C:\\past1", L"C:\\past2", L"C:\\cur"}},
        // Two sources with one priority keep the table's order.
        {{{2, 1, 1, 3}, {true, true, true, false}}, {L"C:\\past1", L"C:\\past2", L"C:\\special\\", L"C:\\cur"}},
        {{{1, 2, 3, 4}, {false, false, false, false}}, {}},
    };
    for (const Case& c : cases) EXPECT_EQ(OrderDestinationChoices(sources, c.settings), c.expected);
}

TEST(CopyDestinationListTest, SelectedDirectoriesAndSpecialDirectories) {
    TempDir dir;
    dir.MakeDir(L"d1");
    dir.WriteFile(L"f.txt", "x");
    dir.MakeDir(L"d2");
    EXPECT_EQ(SelectedDirectories(Select(dir.Path(), {L"d1", L"f.txt", L"d2"})),
              (std::vector<std::wstring>{dir / L"d1", dir / L"d2"}));
    std::vector<std::wstring> special(25, L"C:\\s");
    special[0] = L"D:\\already\\";
    const std::vector<std::wstring> shown = SpecialDirectoryChoices(special);
    ASSERT_EQ(shown.size(), 20u);
    EXPECT_EQ(shown[0], L"D:\\already\\");
    EXPECT_EQ(shown[1], L"C:\\s\\");
}

TEST(CopyDestinationListTest, SendToShortcutsToExistingDirectoriesOrRemovableDrives) {
    TempDir dir;
    const std::wstring target = dir.MakeDir(L"target");
    const std::wstring sendTo = dir.MakeDir(L"SendTo");
    ASSERT_TRUE(CreateShortcut(sendTo + L"\\dir.lnk", target, L"", L"", L""));
    ASSERT_TRUE(CreateShortcut(sendTo + L"\\file.lnk", dir.WriteFile(L"plain.txt", "x"), L"", L"", L""));
    ASSERT_TRUE(CreateShortcut(sendTo + L"\\removable.lnk", L"Q:\\stick\\folder", L"", L"", L""));
    FaultyFileSystem fs;
    fs.removable[L'Q'] = 512;
    std::vector<std::wstring> found = SendToDirectories(fs, sendTo);
    std::vector<std::wstring> expected{L"Q:\\stick\\folder", target};
    std::sort(found.begin(), found.end());
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(found, expected);
}

}  // namespace
}  // namespace zq::fileops
