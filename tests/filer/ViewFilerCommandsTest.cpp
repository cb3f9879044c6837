#include <gtest/gtest.h>

#include "filer/FilerFixture.h"

using namespace zq;

using test::FilerFixture;
using test::MemoryFilerFixture;

// The panes start in the settings' directories, the first one focused on "..".
TEST(ViewFilerCommands, EnterLeaveAndReturn) {
    FilerFixture f;
    const std::wstring top = f.filer->Pane(0).Path();
    EXPECT_EQ(top, FilerPane::NormalisePath(f.first.Path()));
    EXPECT_EQ(f.filer->Pane(1).Path(), FilerPane::NormalisePath(f.second.Path()));
    EXPECT_EQ(f.filer->ActivePane(), 0);
    EXPECT_EQ(f.CursorName(0), L"..");
    ASSERT_EQ(f.Run(L"@Down"), RouteResult::Ran);
    ASSERT_EQ(f.CursorName(0), L"sub");
    EXPECT_TRUE(f.filer->EnterCursorDirectory());
    EXPECT_EQ(f.filer->Pane(0).Path(), top + L"\\sub");

    // Up lands on the directory just left; the previous directory is "sub" again.
    f.Run(L"@Updirectory");
    EXPECT_EQ(f.filer->Pane(0).Path(), top);
    EXPECT_EQ(f.CursorName(0), L"sub");
    f.Run(L"@Predirectory");
    EXPECT_EQ(f.filer->Pane(0).Path(), top + L"\\sub");

    // A file under the cursor is not entered.
    f.Run(L"@Updirectory");
    f.Run(L"@Endpos");
    EXPECT_EQ(f.CursorName(0), L"b.txt");
    EXPECT_FALSE(f.filer->EnterCursorDirectory());
    EXPECT_EQ(f.filer->Pane(0).Path(), top);
}

TEST(ViewFilerCommands, FocusMovesOnlyToAShownPane) {
    struct Case {
        int twoPanes;
        const wchar_t* command;
        int expectedActive;
    };
    const Case cases[] = {
        {1, L"@Changewindow", 1},
        {0, L"@Changewindow", 0},
        {1, L"@Rightwindow", 0},  // stacked panes have no left and right
    };
    for (const Case& c : cases) {
        MemoryFilerFixture f(c.twoPanes);
        f.Run(c.command);
        EXPECT_EQ(f.filer->ActivePane(), c.expectedActive) << c.twoPanes << " " << c.command;
        EXPECT_EQ(f.modes.FocusedPane(), c.expectedActive);
    }
    MemoryFilerFixture side;
    side.settings.WINDOWDEVIDEWAY = 1;
    side.Run(L"@Rightwindow");
    EXPECT_EQ(side.filer->ActivePane(), 1);
    EXPECT_TRUE(side.modes.Get(0).state & pane_state::kOther);
    side.Run(L"@Leftwindow");
    EXPECT_EQ(side.filer->ActivePane(), 0);
}

TEST(ViewFilerCommands, MarksSortAndSameDirectory) {
    FilerFixture f;
    f.Run(L"@Allselect");
    EXPECT_EQ(f.filer->Pane(0).MarkedCount(), 2);  // files only
    f.Run(L"@Releaseselect");
    EXPECT_EQ(f.filer->Pane(0).MarkedCount(), 0);

    // The sort key is stored for both panes (CHYNCROSORT) and kept in the settings.
    f.settings.CHYNCROSORT = 1;
    f.Run(L"@Sortsize");
    EXPECT_EQ(f.settings.SORTWAY, 2);
    EXPECT_EQ(f.settings.SORTWAY2, 2);
    f.Run(L"@Sortexchange");
    EXPECT_EQ(f.settings.SORTORDER, 1);
    EXPECT_EQ(f.filer->Pane(1).SortState().defaults.v[7], 1u);

    f.Run(L"@Samedirectory");
    EXPECT_EQ(f.filer->Pane(1).Path(), f.filer->Pane(0).Path());
}

TEST(ViewFilerCommands, DisplayCommandsChangeTheSettingsAndTheListing) {
    FilerFixture f;
    const std::wstring hidden = f.first.WriteFile(L"hidden.txt", "h");
    ASSERT_TRUE(::SetFileAttributesW(hidden.c_str(), FILE_ATTRIBUTE_HIDDEN));
    f.Run(L"@Manualreload");
    const int shown = f.filer->Pane(0).Count();

    f.Run(L"@ChangeDispHiddenFile");
    EXPECT_EQ(f.settings.HIDDENVIEWFLAG, 0);
    EXPECT_EQ(f.filer->Pane(0).Count(), shown - 1);
    EXPECT_EQ(f.filer->Pane(0).Options().HIDDENVIEWFLAG, 0);

    // Stored group 2 shows hidden files again and hides "." (bit 4).
    f.settings.dispFileSettings[1] = 1u | 16u;
    f.Run(L"@SelectDispFileSetting2");
    EXPECT_EQ(f.settings.HIDDENVIEWFLAG, 1);
    EXPECT_EQ(f.settings.DISP_SYSTEM_FILE, 0);
    EXPECT_EQ(f.settings.NOTVIEWCURRENTDIR, 1);
    EXPECT_EQ(f.filer->Pane(0).Count(), shown - 1);  // the hidden file back, "." gone

    struct Case {
        int before;
        int after;
    };
    for (const Case c : {Case{0, 1}, Case{3, 4}, Case{4, 0}, Case{9, 1}}) {
        f.settings.FILERINFONUMBER = c.before;
        f.Run(L"@Changefilerinfo");
        EXPECT_EQ(f.settings.FILERINFONUMBER, c.after) << c.before;
    }
}

TEST(ViewFilerCommands, RootAndWide) {
    FilerFixture f;
    f.Run(L"@Rootdirectory");
    EXPECT_EQ(f.filer->Pane(0).Path(), f.first.Path().substr(0, 2));

    // Hiding the focused second pane gives the focus back to the first.
    f.Run(L"@Changewindow");
    f.Run(L"@Wide");
    EXPECT_TRUE(f.modes.Get(1).state & pane_state::kHidden);
    EXPECT_EQ(f.filer->ActivePane(), 0);
    f.Run(L"@Wide");
    EXPECT_TRUE(f.modes.Get(1).state & pane_state::kOther);
}

TEST(ViewFilerCommands, ExchangeSwapsWholePanesAndKeepsTheFocusedOne) {
    MemoryFilerFixture f;
    f.Run(L"@Allselect");
    f.settings.UP_WINDOW_ADD_LINE = 3;
    const std::wstring firstPath = f.filer->Pane(0).Path();
    const std::wstring secondPath = f.filer->Pane(1).Path();
    f.Run(L"@Changefilerdata");
    EXPECT_EQ(f.filer->Pane(1).Path(), firstPath);
    EXPECT_EQ(f.filer->Pane(0).Path(), secondPath);
    EXPECT_EQ(f.filer->Pane(1).MarkedCount(), 2) << "the marks travel with their pane";
    EXPECT_EQ(f.filer->ActivePane(), 1);
    EXPECT_EQ(f.settings.UP_WINDOW_ADD_LINE, -3);

    // With one pane shown nothing trades places.
    f.Run(L"@Wide");
    f.Run(L"@Changefilerdata");
    EXPECT_EQ(f.filer->Pane(0).Path(), secondPath);
}

TEST(ViewFilerCommands, ExchangeLeavesAShownPictureOnItsSideAndCarriesOtherModes) {
    for (const uint32_t picture : {pane_mode::kPicture, pane_mode::kArchivePicture}) {
        for (int side = 0; side < 2; ++side) {
            MemoryFilerFixture f;
            const std::wstring firstPath = f.filer->Pane(0).Path();
            const StructPaneMode before = f.modes.Get(side);
            f.modes.Set(side, before.state, picture, 0);
            f.Run(L"@Changefilerdata");
            EXPECT_EQ(f.filer->Pane(0).Path(), firstPath) << picture << " on side " << side;
            EXPECT_EQ(f.modes.Get(side).mode, picture);
        }
    }
    // Any other mode travels with its pane object.
    MemoryFilerFixture f;
    f.filer->Pane(1).ShowDriveList({{L"C:", L""}}, 0);
    f.modes.Set(1, f.modes.Get(1).state, pane_mode::kDriveList, 0);
    f.Run(L"@Changefilerdata");
    EXPECT_EQ(f.modes.Get(0).mode, pane_mode::kDriveList);
    EXPECT_EQ(f.modes.Get(1).mode, pane_mode::kDirectory);
}
