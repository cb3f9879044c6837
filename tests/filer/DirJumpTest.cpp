#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "filer/DirJump.h"
#include "main/TempDir.h"

namespace {

using zq::JumpGroup;

JumpGroup KeyedGroup() {
    JumpGroup group;
    group.entries = {{L"C:\\a", L"A", L""}, {L"C:\\b", L"B", L""}, {L"C:\\c", L"a", L""}, {L"C:\\d", L"", L""}};
    return group;
}

TEST(DirJump, AddingTheSameTargetTwiceKeepsOneBookmark) {
    JumpGroup group;
    EXPECT_EQ(zq::AddJump(group, L"C:\\Work\\Docs"), zq::AddJumpResult::Added);
    EXPECT_EQ(zq::AddJump(group, L"c:\\work\\DOCS"), zq::AddJumpResult::AlreadyThere);
    EXPECT_EQ(zq::AddJump(group, L""), zq::AddJumpResult::NoTarget);
    ASSERT_EQ(group.entries.size(), 1u);
    EXPECT_TRUE(group.entries[0].dirKey.empty());
}

TEST(DirJump, KeyPicksTheOnlyBookmarkOrStepsThroughSeveral) {
    const JumpGroup group = KeyedGroup();
    struct Case {
        const wchar_t* key;
        int selected;
        int index;
        bool close;
    };
    const Case cases[] = {
        {L"B", 0, 1, true},                         // unique: the dialog closes with it
        {L"a", -1, 0, false},                       // "A" and "a" are one key: the first, then the other
        {L"A", 0, 2, false},  {L"A", 2, 0, false},  // after the last one, round to the first
        {L"Z", 0, -1, false}, {L"", 0, -1, false},
    };
    for (const Case& c : cases) {
        const zq::JumpKeyChoice choice = zq::ChooseJumpByKey(group, c.key, c.selected);
        EXPECT_EQ(choice.index, c.index) << c.key << c.selected;
        EXPECT_EQ(choice.close, c.close) << c.key << c.selected;
    }
    EXPECT_EQ(zq::FindJumpKey(group, L"a"), 0);
    EXPECT_EQ(zq::FindJumpKey(group, L""), -1);
}

TEST(DirJump, AFileTargetLeadsToItsDirectoryWithTheCursorOnIt) {
    zq::test::TempDir dir;
    const std::wstring file = dir.WriteFile(L"メモ 1.txt", "x");
    const zq::JumpDestination toFile = zq::DestinationOf(file);
    EXPECT_EQ(toFile.directory, dir.Path());
    EXPECT_EQ(toFile.cursorName, L"メモ 1.txt");
    const zq::JumpDestination toDir = zq::DestinationOf(dir.Path() + L"\\");
    EXPECT_EQ(toDir.directory, dir.Path());
    EXPECT_TRUE(toDir.cursorName.empty());
    // A target that is gone is handed on whole: the pane climbs from it.
    EXPECT_EQ(zq::DestinationOf(dir.Path() + L"\\gone\\deeper").directory, dir.Path() + L"\\gone\\deeper");
    const zq::JumpDestination location = zq::LocationOf(L"C:\\top");
    EXPECT_EQ(location.directory, L"C:\\");
    EXPECT_EQ(location.cursorName, L"top");
}

TEST(DirJump, TypedDirectoriesAreMadeAbsoluteOrRefused) {
    struct Case {
        const wchar_t* typed;
        const wchar_t* expected;
    };
    const Case cases[] = {
        {L"C:\\windows\\", L"C:\\windows"},
        {L"  \"C:\\a b\"  ", L"C:\\a b"},
        {L"sub\\..\\other", L"C:\\base\\other"},
        {L"\\top", L"C:\\top"},
        {L"C:", L"C:\\"},
        {L"", L""},
        {L"C:\\a|b", L""},
        {L"C:\\x:y", L""},
    };
    for (const Case& c : cases) EXPECT_EQ(zq::ResolveTypedDirectory(c.typed, L"C:\\base"), c.expected) << c.typed;
}

TEST(DirJump, ColumnsMovesAndTheJumpList) {
    JumpGroup group = KeyedGroup();
    EXPECT_EQ(zq::JumpColumnText({L"C:\\x", L"F1", L"作業"}, 0), L"[F1]");
    EXPECT_EQ(zq::JumpColumnText({L"C:\\x", L"F1", L"作業"}, 1), L"(作業)");
    EXPECT_EQ(zq::JumpColumnText({L"C:\\x", L"", L""}, 0), L"");
    EXPECT_EQ(zq::MoveJump(group, 1, -1), 0);
    EXPECT_EQ(group.entries[0].toDir, L"C:\\b");
    EXPECT_EQ(zq::MoveJump(group, 0, -1), 0);
    EXPECT_EQ(zq::MoveJump(group, 3, 1), 3);

    std::vector<std::wstring> list;
    for (int i = 0; i < 105; ++i) zq::PushJumpList(list, L"C:\\d" + std::to_wstring(i));
    zq::PushJumpList(list, L"c:\\D50");
    ASSERT_EQ(list.size(), 100u);
    EXPECT_EQ(list[0], L"c:\\D50");
    EXPECT_EQ(std::count(list.begin(), list.end(), L"C:\\d50"), 0);
}

}  // namespace
