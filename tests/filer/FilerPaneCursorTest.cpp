#include <gtest/gtest.h>

#include <string>

#include "filer/CursorMemory.h"
#include "filer/FakeListingSource.h"
#include "filer/FilerPane.h"
#include "filer/PaneTestUtil.h"
#include "filer/SelectionSnapshot.h"
#include "main/TempDir.h"

namespace {

using zq::CursorCommand;
using zq::FilerPane;
using zq::test::TempDir;
using Names = std::vector<std::wstring>;

// Ten files f0 … f9, nothing else listed; the listing is held in memory.
class TenFiles : public testing::Test {
  protected:
    void SetUp() override {
        m_source.AddDirectory(kDir);
        for (int i = 0; i < 10; ++i) m_source.AddFile(kDir, L"f" + std::to_wstring(i));
        m_options.NOTVIEWCURRENTDIR = 1;
        m_options.NOTVIEWUPDIR = 1;
        m_pane.SetListingSource(&m_source);
        m_pane.SetOptions(m_options);
        m_pane.SetGrid({2, 3, 2, 3});  // six cells, three to a column
        ASSERT_TRUE(m_pane.ChangeDirectory(kDir, false, nullptr));
        ASSERT_EQ(m_pane.Count(), 10);
    }
    void CursorTo(int position) {
        m_pane.MoveCursor(-100, false);
        m_pane.MoveCursor(position, false);
    }
    static constexpr const wchar_t* kDir = L"Q:\\list";
    zq::test::FakeListingSource m_source;
    zq::FilerOptions m_options;
    FilerPane m_pane;
};

TEST_F(TenFiles, MoveCursorClampsOrWraps) {
    struct Case {
        int start, delta;
        bool wrap;
        int toggle;
        int expected;
    };
    const Case cases[] = {
        {0, 1, true, 0, 1},  {8, 5, true, 0, 9},  {9, 1, true, 0, 9},   {0, -1, true, 0, 0},
        {8, 5, true, 1, 9},  {9, 1, true, 1, 0},  {9, 0, true, 1, 9},   {0, -1, true, 1, 9},
        {2, -5, true, 1, 0}, {9, 1, false, 1, 9}, {0, -1, false, 1, 0}, {4, -4, true, 1, 0},
    };
    for (const auto& c : cases) {
        m_options.CURSORTOGGLE = c.toggle;
        m_pane.SetOptions(m_options);
        CursorTo(c.start);
        ASSERT_EQ(m_pane.Cursor(), c.start);
        m_pane.MoveCursor(c.delta, c.wrap);
        EXPECT_EQ(m_pane.Cursor(), c.expected)
            << c.start << " " << c.delta << " wrap " << c.wrap << " toggle " << c.toggle;
    }
}

TEST_F(TenFiles, ScrollingMovesByWholeColumns) {
    struct Step {
        CursorCommand command;
        int cursor, firstShown, redraw;
    };
    const Step steps[] = {
        {CursorCommand::Right, 3, 0, 0},          {CursorCommand::Right, 6, 3, 1},
        {CursorCommand::Down, 7, 3, 0},           {CursorCommand::Left, 4, 3, 0},
        {CursorCommand::Left, 1, 0, 1},           {CursorCommand::EndPos, 9, 6, 1},
        {CursorCommand::BeforeHalfPage, 6, 6, 0}, {CursorCommand::BeforePage, 0, 0, 1},
        {CursorCommand::NextPage, 6, 3, 1},       {CursorCommand::FirstPos, 0, 0, 1},
        {CursorCommand::NextHalfPage, 3, 0, 0},
    };
    for (const auto& s : steps) {
        EXPECT_EQ(m_pane.RunCursorCommand(s.command, false), s.redraw) << static_cast<int>(s.command);
        EXPECT_EQ(m_pane.Cursor(), s.cursor) << static_cast<int>(s.command);
        EXPECT_EQ(m_pane.FirstShown(), s.firstShown) << static_cast<int>(s.command);
    }
}

TEST_F(TenFiles, ThumbnailsFillRowByRow) {
    m_pane.SetPreviewActive(true);
    EXPECT_EQ(m_pane.CursorDelta(CursorCommand::Down), 2);
    EXPECT_EQ(m_pane.CursorDelta(CursorCommand::Right), 1);
    CursorTo(0);
    m_pane.MoveCursor(7, false);  // row 3 of a 3-row view
    EXPECT_EQ(m_pane.FirstShown(), 2);
}

TEST_F(TenFiles, RangeMarkingFollowsTheAnchor) {
    for (int i = 0; i < 3; ++i) m_pane.RunCursorCommand(CursorCommand::Down, true);
    EXPECT_EQ(zq::test::MarkedNames(m_pane), (Names{L"f0", L"f1", L"f2", L"f3"}));
    m_pane.RunCursorCommand(CursorCommand::Up, true);
    EXPECT_EQ(zq::test::MarkedNames(m_pane), (Names{L"f0", L"f1", L"f2"}));
    EXPECT_EQ(m_pane.Anchor(), 0);
    // Crossing the anchor: the run is now on its other side.
    m_pane.RunCursorCommand(CursorCommand::Down, false);  // a plain move drops the anchor
    EXPECT_EQ(m_pane.Anchor(), -1);
    m_pane.ApplyMarkKind(zq::kMarkRelease);
    CursorTo(4);
    m_pane.RunCursorCommand(CursorCommand::Down, true);
    m_pane.RunCursorCommand(CursorCommand::Left, true);  // 5 -> 2
    EXPECT_EQ(zq::test::MarkedNames(m_pane), (Names{L"f2", L"f3", L"f4"}));
    // At the end, with nowhere to go, the cursor entry is marked.
    m_pane.ApplyMarkKind(zq::kMarkRelease);
    m_pane.ClearAnchor();
    CursorTo(9);
    m_pane.RunCursorCommand(CursorCommand::Down, true);
    EXPECT_EQ(zq::test::MarkedNames(m_pane), (Names{L"f9"}));
}

TEST_F(TenFiles, SelectTogglesAndAdvances) {
    m_pane.SelectAndAdvance();
    m_pane.SelectAndAdvance();
    CursorTo(0);
    m_pane.SelectAndAdvance();
    EXPECT_EQ(zq::test::MarkedNames(m_pane), (Names{L"f1"}));
    EXPECT_EQ(m_pane.Cursor(), 1);
}

TEST_F(TenFiles, SelectionHandOver) {
    m_pane.SetMark(1, true);
    m_pane.SetMark(3, true);
    m_pane.SetMark(8, true);
    CursorTo(5);
    std::wstring folder;
    // Out of order first, then in order: the cache must not skip or repeat.
    ASSERT_NE(m_pane.NthSelected(0, 2), nullptr);
    EXPECT_STREQ(m_pane.NthSelected(0, 2)->cFileName, L"f8");
    EXPECT_STREQ(m_pane.NthSelected(0, 0, &folder)->cFileName, L"f1");
    EXPECT_EQ(folder, kDir);
    EXPECT_STREQ(m_pane.NthSelected(0, 1)->cFileName, L"f3");
    EXPECT_EQ(m_pane.NthSelected(0, 3), nullptr);
    m_pane.ToggleMark(3);  // a mark change empties the cache
    EXPECT_STREQ(m_pane.NthSelected(0, 1)->cFileName, L"f8");
    EXPECT_STREQ(m_pane.NthSelected(zq::kNthCursorOnly, 0)->cFileName, L"f5");
    EXPECT_EQ(m_pane.NthSelected(zq::kNthCursorOnly, 1), nullptr);
    EXPECT_STREQ(m_pane.NthSelected(zq::kNthCursorUnlessMarked, 0)->cFileName, L"f5");
    CursorTo(8);
    EXPECT_STREQ(m_pane.NthSelected(zq::kNthCursorUnlessMarked, 0)->cFileName, L"f1");

    zq::SelectionSnapshot snapshot;
    ASSERT_EQ(zq::TakeSelection(m_pane, 0, snapshot), zq::SelectionStatus::Ok);
    EXPECT_EQ(snapshot.directory, kDir);
    ASSERT_EQ(snapshot.entries.size(), 2u);
    EXPECT_STREQ(snapshot.entries[1].cFileName, L"f8");
}

TEST(FilerPaneMarks, KindsOnFilesDirectoriesAndLinks) {
    const std::wstring dir = L"Q:\\marks";
    zq::test::FakeListingSource source;
    source.AddDirectory(dir);
    source.AddSubdirectory(dir, L"d1");
    for (const wchar_t* n : {L"a", L"b", L"c"}) source.AddFile(dir, n);
    FilerPane pane;
    pane.SetListingSource(&source);
    pane.SetOptions(zq::test::NoDotOptions());
    pane.SetGrid({1, 10, 1, 10});
    ASSERT_TRUE(pane.ChangeDirectory(dir, false, nullptr));
    ASSERT_EQ(zq::test::ShownNames(pane), (Names{L"..", L"d1", L"a", L"b", L"c"}));
    EXPECT_STREQ(pane.CursorEntry()->cFileName, L"..");

    // Nothing selected while the cursor is on "..": the caller reports it.
    zq::SelectionSnapshot snapshot;
    EXPECT_EQ(zq::TakeSelection(pane, 0, snapshot), zq::SelectionStatus::NothingSelected);
    pane.ToggleMark(0);
    EXPECT_EQ(pane.MarkedCount(), 0);

    struct Case {
        Names before;
        int kind;
        int cursor;
        Names after;
    };
    const Case cases[] = {
        {{}, zq::kMarkAllWithDirs, 0, {L"d1", L"a", L"b", L"c"}},
        {{L"a"}, zq::kMarkAllWithDirs, 0, {}},
        {{}, zq::kMarkAllFiles, 0, {L"a", L"b", L"c"}},
        {{L"d1"}, zq::kMarkAllFiles, 0, {}},
        {{}, zq::kMarkRelease, 0, {}},
        {{L"b"}, zq::kMarkReverse, 0, {L"d1", L"a", L"c"}},
        {{}, zq::kMarkReverse, 0, {L"d1", L"a", L"b", L"c"}},
        {{L"d1", L"b"}, zq::kMarkReverseFiles, 0, {L"d1", L"a", L"c"}},
        {{}, zq::kMarkUpFiles, 3, {L"a", L"b"}},
        {{L"a", L"b"}, zq::kMarkUpFiles, 3, {}},
        {{L"c"}, zq::kMarkUpFiles, 3, {L"a", L"b"}},
        {{}, zq::kMarkDownFiles, 3, {L"b", L"c"}},
        {{L"b", L"c"}, zq::kMarkDownFiles, 3, {}},
    };
    for (const auto& c : cases) {
        pane.ApplyMarkKind(zq::kMarkRelease);
        for (const auto& n : c.before) pane.SetMark(zq::test::PositionOf(pane, n), true);
        pane.MoveCursor(c.cursor - pane.Cursor(), false);
        pane.ApplyMarkKind(c.kind);
        EXPECT_EQ(zq::test::MarkedNames(pane), c.after) << "kind " << c.kind;
        EXPECT_EQ(pane.MarkedCount(), static_cast<int>(c.after.size())) << "kind " << c.kind;
    }
}

TEST(FilerPaneMarks, ComparisonWithTheOtherPane) {
    const std::wstring left = L"Q:\\left", right = L"Q:\\right";
    zq::test::FakeListingSource source;
    source.AddDirectory(left);
    source.AddDirectory(right);
    for (const wchar_t* n : {L"a.txt", L"B.TXT", L"c.txt"}) source.AddFile(left, n);
    source.AddSubdirectory(left, L"same");
    source.AddFile(right, L"b.txt");
    source.AddFile(right, L"C.txt");
    source.AddSubdirectory(right, L"a.txt");  // a directory is no twin of a file
    source.AddSubdirectory(right, L"same");
    FilerPane a, b;
    for (FilerPane* p : {&a, &b}) {
        p->SetListingSource(&source);
        p->SetOptions(zq::test::NoDotOptions());
    }
    ASSERT_TRUE(a.ChangeDirectory(left, false, nullptr));
    ASSERT_TRUE(b.ChangeDirectory(right, false, nullptr));
    a.SetMark(zq::test::PositionOf(a, L"a.txt"), true);
    a.MarkByOtherPane(b, true);
    EXPECT_EQ(zq::test::MarkedNames(a), (Names{L"B.TXT", L"c.txt"}));
    a.MarkByOtherPane(b, false);
    EXPECT_EQ(zq::test::MarkedNames(a), (Names{L"a.txt"}));
}

TEST(FilerPaneNavigate, ChangeDirectoryDropsTemporaryStateAndPlacesTheCursor) {
    TempDir dir;
    dir.WriteFile(L"sub\\only.txt", "");
    dir.WriteFile(L"sub2\\x.txt", "");
    dir.WriteFile(L"sub2\\y.txt", "");
    dir.WriteFile(L"top.txt", "");
    zq::test::RecordingHost host;
    FilerPane pane(&host);
    zq::FilerOptions options = zq::test::NoDotOptions();
    options.SAVECURSORPOSITION = 1;
    pane.SetOptions(options);
    zq::CursorMemory memory(3);

    // ".." is preferred when no cursor memory exists.
    ASSERT_TRUE(pane.ChangeDirectory(dir / L"sub", false, &memory));
    EXPECT_EQ(zq::test::ShownNames(pane), (Names{L"..", L"only.txt"}));
    EXPECT_STREQ(pane.CursorEntry()->cFileName, L"..");

    // A directory-applying pattern and a temporary sort belong to one directory.
    pane.SetWildcard(L"*.txt", true, zq::FileConditions{});
    pane.SortState().temporary = zq::SortSettings::Default();
    pane.LeaveDirectory(&memory);
    ASSERT_TRUE(pane.ChangeDirectory(dir / L"sub2", false, &memory));
    EXPECT_EQ(pane.Pattern(), L"*.*");
    EXPECT_FALSE(pane.SortState().temporary.IsTemporaryInForce());
    EXPECT_EQ(pane.PreviousDirectory(), (dir / L"sub") + L"\\");
    // A pattern for files only stays.
    pane.SetWildcard(L"x*.txt", false, zq::FileConditions{});
    pane.MoveCursor(zq::test::PositionOf(pane, L"x.txt") - pane.Cursor(), false);
    pane.LeaveDirectory(&memory);
    ASSERT_TRUE(pane.ChangeDirectory(dir.Path(), false, &memory));
    EXPECT_EQ(pane.Pattern(), L"x*.txt");
    EXPECT_EQ(host.history, (Names{dir / L"sub", dir / L"sub2"}));

    // Cursor memory brings the cursor back to the remembered name.
    pane.SetWildcard(L"*.*", false, zq::FileConditions{});
    ASSERT_TRUE(pane.PreDirectory(&memory));
    EXPECT_EQ(pane.Path(), dir / L"sub2");
    EXPECT_STREQ(pane.CursorEntry()->cFileName, L"x.txt");

    // Going up puts the cursor on the directory just left.
    EXPECT_EQ(pane.UpDirectory(&memory), zq::UpDirectoryResult::Done);
    EXPECT_EQ(pane.Path(), dir.Path());
    EXPECT_STREQ(pane.CursorEntry()->cFileName, L"sub2");

    // A path that no longer exists climbs to what is left of it.
    ASSERT_TRUE(pane.ChangeDirectory(dir / L"sub\\gone\\deeper", false, &memory));
    EXPECT_EQ(pane.Path(), dir / L"sub");

    pane.SetPath(L"C:\\");
    EXPECT_EQ(pane.Path(), L"C:");
    EXPECT_EQ(pane.UpDirectory(&memory), zq::UpDirectoryResult::ToDriveList);
    pane.SetPath(L"\\\\server\\share");
    EXPECT_EQ(pane.UpDirectory(&memory), zq::UpDirectoryResult::ToNetworkParent);
    EXPECT_EQ(pane.DriveClass(), zq::kDriveNetwork);
}

TEST(CursorMemory, MostRecentFirstIgnoringCase) {
    zq::CursorMemory memory(3);
    memory.Remember(L"C:\\a", L"1");
    memory.Remember(L"C:\\b", L"2");
    memory.Remember(L"C:\\c", L"3");
    memory.Remember(L"c:\\A", L"4");  // moves to the front with the new name
    ASSERT_NE(memory.Find(L"C:\\a"), nullptr);
    EXPECT_EQ(*memory.Find(L"C:\\a"), L"4");
    EXPECT_EQ(memory.Items()[0].path, L"c:\\A");
    memory.Remember(L"C:\\d", L"5");  // the oldest (b) falls off
    EXPECT_EQ(memory.Find(L"C:\\b"), nullptr);
    memory.Forget(L"C:\\c");
    EXPECT_EQ(memory.Find(L"C:\\c"), nullptr);
    EXPECT_EQ(memory.Items().size(), 3u);
    EXPECT_TRUE(memory.Items()[2].path.empty());
    EXPECT_EQ(*memory.Find(L"C:\\d"), L"5");
}

}  // namespace
