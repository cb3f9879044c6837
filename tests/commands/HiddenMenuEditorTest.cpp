#include <gtest/gtest.h>

#include "commands/HiddenMenuEditor.h"

using zq::HiddenMenuEditor;
using zq::HiddenMenuFlags;

// The editor shows each popup's own flag, the plug-in popup as always hidden;
// no mode outside the list has items.
TEST(HiddenMenuEditor, ItemsShowTheFlagsAndThePluginPopupIsAlwaysHidden) {
    HiddenMenuFlags flags;
    flags.SetHidden(5, 3, true);
    const HiddenMenuEditor editor(flags);
    EXPECT_TRUE(editor.Items(5).at(3).hidden);
    EXPECT_FALSE(editor.Items(5).at(2).hidden);
    EXPECT_FALSE(editor.Items(3).at(3).hidden) << "another mode's popup of the same place";
    EXPECT_TRUE(editor.Items(0).at(3).alwaysHidden);
    EXPECT_FALSE(editor.Items(0).at(6).alwaysHidden);
    EXPECT_TRUE(editor.Items(static_cast<int>(HiddenMenuEditor::ModeNames().size())).empty());
    EXPECT_TRUE(editor.Items(-1).empty());
}

TEST(HiddenMenuEditor, NothingIsWrittenBeforeApplyAndOutOfRangeItemsAreIgnored) {
    HiddenMenuFlags live;
    live.SetHidden(1, 0, true);
    const HiddenMenuFlags before = live;

    HiddenMenuEditor editor(live);
    editor.SetHidden(0, 6, true);  // "マルチメディア(&P)" of the directory listing only
    editor.SetHidden(1, 0, false);
    editor.SetHidden(3, 7, true);  // the archive bar has seven popups: no such item
    editor.SetHidden(4, 9, true);
    EXPECT_EQ(live, before);  // nothing reaches the live flags before OK

    editor.ApplyTo(live);
    EXPECT_TRUE(live.Hidden(0, 6));
    EXPECT_FALSE(live.Hidden(1, 6));
    EXPECT_FALSE(live.Hidden(1, 0));
    EXPECT_FALSE(live.Hidden(3, 7));
    EXPECT_FALSE(live.Hidden(4, 9));
}
