// What an unpack wrote beside names already taken meets the copy engine's
// same-name question on its way into the destination.
#include <gtest/gtest.h>

#include "fileops/CopyTestSupport.h"
#include "fileops/StagedMove.h"

namespace zq::fileops {
namespace {

TEST(StagedMove, ATakenNameIsAskedAboutAndTheRestMovesIn) {
    zq::test::TempDir destination;
    destination.WriteFile(L"a.txt", "old\n");
    destination.WriteFile(L"dir\\c.txt", "kept\n");
    const std::wstring staging = destination.MakeDir(L"~zq1");
    destination.WriteFile(L"~zq1\\a.txt", "new\n");
    destination.WriteFile(L"~zq1\\dir\\b.txt", "bravo\n");
    destination.WriteFile(L"~zq1\\fresh\\d.txt", "delta\n");

    test::ScriptedAsker asker;
    asker.wayAnswers.push_back({true, test::Way(CopyWay::Skip, false)});
    CopyJobOptions options;
    options.sameName.saveWay = true;
    options.programDirectory = destination.Path();
    EXPECT_TRUE(MoveStagedTree(staging, destination.Path(), L"C:\\a\\t.zip", options, RealFileSystem(), asker));
    ASSERT_EQ(asker.compact, std::vector<bool>{false}) << "one question, about the one taken name";
    EXPECT_EQ(asker.sourceDirectories, std::vector<std::wstring>{L"C:\\a\\t.zip"}) << "the archive, not ~zq1";
    EXPECT_EQ(zq::test::ReadFileBytes(destination / L"a.txt"), "old\n");
    EXPECT_EQ(zq::test::ReadFileBytes(destination / L"dir\\b.txt"), "bravo\n");
    EXPECT_EQ(zq::test::ReadFileBytes(destination / L"dir\\c.txt"), "kept\n");
    EXPECT_EQ(zq::test::ReadFileBytes(destination / L"fresh\\d.txt"), "delta\n");
    EXPECT_EQ(test::NamesIn(staging), std::vector<std::wstring>{L"a.txt"}) << "the skipped file is left behind";
    EXPECT_EQ(options.sameName.savedWay, static_cast<int>(CopyWay::Skip)) << "the way goes back to the settings";

    // Overwrite replaces it; Cancel ends the move with the file where it was.
    asker.wayAnswers.push_back({true, test::Way(CopyWay::Overwrite, false)});
    EXPECT_TRUE(MoveStagedTree(staging, destination.Path(), L"C:\\a\\t.zip", options, RealFileSystem(), asker));
    EXPECT_EQ(zq::test::ReadFileBytes(destination / L"a.txt"), "new\n");
    const std::wstring again = destination.MakeDir(L"~zq2");
    destination.WriteFile(L"~zq2\\a.txt", "newer\n");
    asker.wayAnswers.push_back({false, {}});
    EXPECT_FALSE(MoveStagedTree(again, destination.Path(), L"", options, RealFileSystem(), asker));
    EXPECT_EQ(zq::test::ReadFileBytes(destination / L"a.txt"), "new\n");
}

}  // namespace
}  // namespace zq::fileops
