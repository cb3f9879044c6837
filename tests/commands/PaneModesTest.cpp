#include <gtest/gtest.h>

#include "commands/PaneModes.h"

using namespace zq;

TEST(PaneModes, QueryTruthTable) {
    PaneModes modes;
    // Pane 0: focused text viewer; pane 1: other shown directory listing.
    modes.Set(0, pane_state::kFocused, pane_mode::kText, 2);
    modes.Set(1, pane_state::kOther, pane_mode::kDirectory, 1);
    struct Case {
        int pane;
        uint32_t state, mode, sub;
        bool expected;
        int found;
    };
    const Case cases[] = {
        {0, 0, 0, 0, true, 0},                                        // shown, any mode
        {0, 0, pane_mode::kViewerGroup, 0, true, 0},                  // text is in the Viewer group
        {0, 0, pane_mode::kFilerGroup, 0, false, -1},                 // ...not in the Filer group
        {PaneModes::kEither, 0, pane_mode::kFilerGroup, 0, true, 1},  // either: pane 1 qualifies
        {PaneModes::kEither, pane_state::kFocused, pane_mode::kFilerGroup, 0, false, -1},
        {PaneModes::kEither, 0, 0, 0, true, 0},  // order 0 before 1
        {1, pane_state::kHidden, 0, 0, false, -1},
        {1, 0, pane_mode::kDirectory, 4, false, -1},  // sub-mode must share a bit
        {1, 0, pane_mode::kDirectory, 1, true, 1},
        {0, pane_state::kOther | pane_state::kFocused, pane_mode::kAllViewers, 2, true, 0},
        {2, 0, 0, 0, false, -1},  // out of range
    };
    for (const auto& c : cases) {
        EXPECT_EQ(modes.Query(c.pane, c.state, c.mode, c.sub), c.expected) << c.pane << "/" << c.state << "/" << c.mode;
        EXPECT_EQ(modes.FindPane(c.pane, c.state, c.mode, c.sub), c.found) << c.pane << "/" << c.state << "/" << c.mode;
    }
}

TEST(PaneModes, ZeroStateMaskMeansShownSoHiddenPanesNeverQualify) {
    PaneModes modes;
    modes.Set(0, pane_state::kFocused, pane_mode::kDirectory, 1);
    modes.Set(1, pane_state::kHidden, pane_mode::kPicture, 0);
    EXPECT_FALSE(modes.Query(PaneModes::kEither, 0, pane_mode::kGraphicGroup));
    EXPECT_TRUE(modes.Query(PaneModes::kEither, pane_state::kHidden, pane_mode::kGraphicGroup));
    EXPECT_EQ(modes.FocusedPane(), 0);
}

TEST(PaneModes, DispatcherFilerMaskLeavesOutTheListingBit) {
    PaneModes modes;
    modes.Set(0, pane_state::kFocused, pane_mode::kListing, 0);
    EXPECT_TRUE(modes.Query(0, pane_state::kFocused, pane_mode::kFilerGroup));
    EXPECT_FALSE(modes.Query(0, pane_state::kFocused, pane_mode::kFilerDispatchGroup));
}

TEST(PaneModes, ChangesAreReportedAndExchangeKeepsTheFocusOnItsSide) {
    PaneModes modes;
    int changes = 0;
    modes.SetChangeObserver([&changes] { ++changes; });
    modes.Set(0, pane_state::kFocused, pane_mode::kDirectory, 1);  // as it was: no change
    modes.Set(1, pane_state::kOther, pane_mode::kText, 2);
    EXPECT_EQ(changes, 1);
    modes.ExchangeContents();
    EXPECT_EQ(changes, 3);
    EXPECT_EQ(modes.Get(0).state, pane_state::kFocused);
    EXPECT_EQ(modes.Get(0).mode, pane_mode::kText);
    EXPECT_EQ(modes.Get(1).mode, pane_mode::kDirectory);
}
