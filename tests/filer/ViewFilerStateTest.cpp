// What outlives a listing: marks across the refresh after a file operation,
// and what quitting stores for the next start.
#include <gtest/gtest.h>

#include "filer/FilerFixture.h"
#include "filer/PaneTestUtil.h"

using namespace zq;

namespace {

using Names = std::vector<std::wstring>;

}  // namespace

TEST(ViewFilerState, RefreshAfterAnOperationKeepsTheMarksOfWhatIsStillThere) {
    test::FilerFixture f;
    FilerPane& pane = f.filer->Pane(0);
    ASSERT_EQ(f.Run(L"@Allselectdir"), RouteResult::Ran);
    pane.PlaceCursorOnName(L"b.txt", false, 0);
    ASSERT_EQ(test::MarkedNames(pane), (Names{L"sub", L"a.txt", L"b.txt"}));

    // A cancelled dialog changed nothing: everything stays marked.
    f.filer->Refresh();
    EXPECT_EQ(test::MarkedNames(pane), (Names{L"sub", L"a.txt", L"b.txt"}));
    EXPECT_EQ(f.CursorName(0), L"b.txt");

    // A move took a.txt away and a copy brought c.txt: only a.txt's mark goes,
    // and what arrived is not marked.
    ASSERT_TRUE(::DeleteFileW((f.first / L"a.txt").c_str()));
    f.first.WriteFile(L"c.txt", "c");
    f.filer->Refresh();
    EXPECT_EQ(test::MarkedNames(pane), (Names{L"sub", L"b.txt"}));
    EXPECT_EQ(pane.MarkedCount(), 2);
    EXPECT_EQ(f.CursorName(0), L"b.txt");
    // The selection an operation takes is the one shown.
    ASSERT_NE(pane.NthSelected(0, 1), nullptr);
    EXPECT_STREQ(pane.NthSelected(0, 1)->cFileName, L"b.txt");
    EXPECT_EQ(pane.NthSelected(0, 2), nullptr);
}

TEST(ViewFilerState, MarksDoNotFollowThePaneOutOfAVanishedDirectory) {
    test::TempDir top;
    top.MakeDir(L"gone");
    top.WriteFile(L"gone\\a.txt", "a");
    top.WriteFile(L"a.txt", "a");  // the same name one level up must not inherit the mark
    FilerPane pane(nullptr);
    pane.ChangeDirectory(top / L"gone", false, nullptr);
    pane.PlaceCursorOnName(L"a.txt", false, 0);
    pane.SetMark(pane.Cursor(), true);
    ASSERT_EQ(pane.MarkedCount(), 1);
    ASSERT_TRUE(test::RemoveTree(top / L"gone"));
    pane.Reread(kReadForced);
    EXPECT_EQ(pane.Path(), FilerPane::NormalisePath(top.Path()));
    EXPECT_EQ(pane.MarkedCount(), 0);
}

TEST(ViewFilerState, QuittingStoresEndDirectoriesAndCursorMemoryOfEveryChange) {
    test::FilerFixture f;
    f.settings.SAVECURSORPOSITION = 1;
    f.filer->ApplySettings();
    const std::wstring first = f.filer->Pane(0).Path();
    const std::wstring second = f.filer->Pane(1).Path();
    f.filer->Pane(0).PlaceCursorOnName(L"b.txt", false, 0);

    // The way a second copy's hand-over changes a pane: no command runs.
    f.filer->ChangePaneDirectory(0, second);
    f.filer->Pane(0).PlaceCursorOnName(L"x.txt", false, 0);
    f.filer->ChangePaneDirectory(1, first + L"\\sub");
    f.filer->StoreState(f.settings);
    EXPECT_EQ(f.settings.ENDDIRECTORY, second);
    EXPECT_EQ(f.settings.ENDDIRECTORY2, first + L"\\sub");
    EXPECT_EQ(f.settings.dirHistoryDialog.Items().front(), second);
    // Pane 0 as shown now, then the directory it left; pane 1 left "..", and
    // sits on ".." in the empty "sub": neither is remembered.
    ASSERT_EQ(f.settings.savedCursors.size(), static_cast<size_t>(f.settings.SUMSAVECURPOS));
    EXPECT_EQ(f.settings.savedCursors[0], (Settings::SavedCursor{second, L"x.txt"}));
    EXPECT_EQ(f.settings.savedCursors[1], (Settings::SavedCursor{first, L"b.txt"}));
    EXPECT_EQ(f.settings.savedCursors[2], Settings::SavedCursor{});

    // Back in the first directory the cursor finds b.txt again.
    f.filer->ChangePaneDirectory(0, first);
    EXPECT_EQ(f.CursorName(0), L"b.txt");

    // Without SAVECURSORPOSITION nothing of the memory is stored.
    f.settings.SAVECURSORPOSITION = 0;
    f.settings.savedCursors.clear();
    f.filer->StoreState(f.settings);
    EXPECT_TRUE(f.settings.savedCursors.empty());
    EXPECT_EQ(f.settings.ENDDIRECTORY, first);
}
