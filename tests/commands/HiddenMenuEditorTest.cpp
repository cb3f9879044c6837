#include <gtest/gtest.h>

#include "commands/HiddenMenuEditor.h"

using zq::HiddenMenuEditor;
using zq::HiddenMenuFlags;

TEST(HiddenMenuEditor, ListsTheSevenModesWithTheirPopups) {
    const auto modes = HiddenMenuEditor::ModeNames();
    ASSERT_EQ(modes.size(), 7u);

    HiddenMenuFlags flags;
    flags.SetHidden(5, 3, true);
    const HiddenMenuEditor editor(flags);
    struct Case {
        int mode;
        std::size_t count;
        int popup;
        const wchar_t* label;
        bool hidden;
        bool alwaysHidden;
    };
    const Case cases[] = {
        {0, 8, 3, L"プラグイン(&I)", false, true},  {0, 8, 6, L"マルチメディア(&P)", false, false},
        {3, 7, 3, L"表示設定(&V)", false, false},   {5, 9, 3, L"データ操作(&M)", true, false},
        {6, 8, 2, L"画像の保存(&B)", false, false},
    };
    for (const Case& c : cases) {
        const auto items = editor.Items(c.mode);
        ASSERT_EQ(items.size(), c.count) << c.mode;
        EXPECT_EQ(items[c.popup].label, c.label);
        EXPECT_EQ(items[c.popup].hidden, c.hidden) << c.mode;
        EXPECT_EQ(items[c.popup].alwaysHidden, c.alwaysHidden) << c.mode;
    }
    EXPECT_TRUE(editor.Items(7).empty());
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
