#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "filer/FilerPane.h"
#include "filer/FilerPaneNewer.h"
#include "filer/PaneTestUtil.h"
#include "main/TempDir.h"

namespace {

using zq::FilerPane;
using zq::test::TempDir;
using Names = std::vector<std::wstring>;

FILETIME Shifted(int days, DWORD highDelta, DWORD low) {
    FILETIME t = zq::test::DayTime(days);
    t.dwHighDateTime += highDelta;
    t.dwLowDateTime = low;
    return t;
}

// One file on each side (either may be missing) with chosen last-write times.
struct Pair {
    const wchar_t* left;  // name in the left folder, nullptr for none
    FILETIME leftTime;
    const wchar_t* right;  // name in the right folder, nullptr for none
    FILETIME rightTime;
};

class NewerSelect : public testing::Test {
  protected:
    void SetUp() override {
        const FILETIME day1 = zq::test::DayTime(1);
        const FILETIME day2 = zq::test::DayTime(2);
        const Pair pairs[] = {
            {L"same.txt", day1, L"same.txt", day1},
            {L"newer.txt", day2, L"newer.txt", day1},
            {L"older.txt", day1, L"older.txt", day2},
            {L"CASE.txt", day2, L"case.TXT", day1},
            // Equal high halves: the low halves decide, down to one tick.
            {L"low.txt", Shifted(3, 0, 0x10000001), L"low.txt", Shifted(3, 0, 0x10000000)},
            // A larger high half wins even when its low half is smaller, both ways round.
            {L"carry.txt", Shifted(3, 1, 0), L"carry.txt", Shifted(3, 0, 0xFFFFFFFF)},
            {L"carry2.txt", Shifted(3, 0, 0xFFFFFFFF), L"carry2.txt", Shifted(3, 1, 0)},
            {L"lonely.txt", day2, nullptr, {}},
            {nullptr, {}, L"rightonly.txt", day1},
        };
        for (const Pair& p : pairs) {
            if (p.left) {
                ASSERT_TRUE(zq::test::SetWriteTime(m_left.WriteFile(p.left, "l"), p.leftTime));
            }
            if (p.right) {
                ASSERT_TRUE(zq::test::SetWriteTime(m_right.WriteFile(p.right, "r"), p.rightTime));
            }
        }
        // A directory is no twin of a file, however new the file is.
        ASSERT_TRUE(zq::test::SetWriteTime(m_left.WriteFile(L"dirtwin.txt", ""), day1));
        m_right.MakeDir(L"dirtwin.txt");
        m_left.MakeDir(L"sub");
        m_right.MakeDir(L"sub");
        for (FilerPane* pane : {&m_a, &m_b}) pane->SetOptions(zq::test::NoDotOptions());
        ASSERT_TRUE(m_a.ChangeDirectory(m_left.Path(), false, nullptr));
        ASSERT_TRUE(m_b.ChangeDirectory(m_right.Path(), false, nullptr));
    }
    void Mark(FilerPane& pane, const wchar_t* name) {
        const int position = zq::test::PositionOf(pane, name);
        ASSERT_GE(position, 0) << name;
        pane.SetMark(position, true);
    }
    TempDir m_left, m_right;
    FilerPane m_a, m_b;
};

TEST_F(NewerSelect, MarksFilesNewerThanTheirTwins) {
    struct Case {
        bool lonely, both;
        Names left, right;
    };
    const Names newerLeft = {L"CASE.txt", L"carry.txt", L"low.txt", L"newer.txt"};
    const Names newerLeftAndLonely = {L"CASE.txt",   L"carry.txt", L"dirtwin.txt",
                                      L"lonely.txt", L"low.txt",   L"newer.txt"};
    const Case cases[] = {
        {false, false, newerLeft, {}},
        {true, false, newerLeftAndLonely, {}},
        {false, true, newerLeft, {L"carry2.txt", L"older.txt"}},
        {true, true, newerLeftAndLonely, {L"carry2.txt", L"older.txt", L"rightonly.txt"}},
    };
    for (const Case& c : cases) {
        // Earlier marks on files are replaced, not added to.
        Mark(m_a, L"same.txt");
        Mark(m_a, L"older.txt");
        Mark(m_b, L"same.txt");
        zq::NewerSelect(m_a, m_b, {c.lonely, c.both});
        Names left = zq::test::MarkedNames(m_a);
        Names right = zq::test::MarkedNames(m_b);
        std::sort(left.begin(), left.end());
        std::sort(right.begin(), right.end());
        EXPECT_EQ(left, c.left) << "lonely " << c.lonely << " both " << c.both;
        // Without the second box the other pane keeps its marks.
        EXPECT_EQ(right, c.both ? c.right : Names{L"same.txt"}) << "lonely " << c.lonely << " both " << c.both;
        m_a.ApplyMarkKind(zq::kMarkRelease);
        m_b.ApplyMarkKind(zq::kMarkRelease);
    }
}

TEST_F(NewerSelect, DirectoriesAreNeitherMarkedNorUnmarked) {
    Mark(m_a, L"sub");
    zq::NewerSelect(m_a, m_b, {true, false});
    const Names marked = zq::test::MarkedNames(m_a);
    EXPECT_NE(std::find(marked.begin(), marked.end(), L"sub"), marked.end());
    EXPECT_EQ(m_a.CountMarked(false, true), 1);
    // The selection hand-over sees the new marks at once.
    EXPECT_EQ(m_a.MarkedCount(), 7);
    EXPECT_NE(m_a.NthSelected(0, 6), nullptr);
    EXPECT_EQ(m_a.NthSelected(0, 7), nullptr);
}

}  // namespace
