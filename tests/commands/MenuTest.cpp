#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "commands/MenuBar.h"
#include "commands/MenuCommandText.h"
#include "commands/MenuRouting.h"
#include "resource.h"

using zq::ModeGroup;

namespace {

zq::ModeQuery Modes(std::uint32_t bits) {
    return [bits](std::uint32_t mask) { return (bits & mask) != 0; };
}

std::vector<std::wstring> Labels(int mode) {
    const zq::StructMenuMode& m = zq::MenuModeTable()[mode];
    return std::vector<std::wstring>(m.popups, m.popups + m.popupCount);
}

}  // namespace

TEST(MenuBar, ChosenByTheFocusedPanesMode) {
    struct Case {
        std::uint32_t mode;
        unsigned resource;
    };
    const Case cases[] = {
        {zq::pane_mode::kDirectory, 406},
        {zq::pane_mode::kNetwork, 411},
        {zq::pane_mode::kDriveList, 404},
        {zq::pane_mode::kArchive, 400},
        {zq::pane_mode::kText, 416},
        {zq::pane_mode::kArchiveText, 416},
        {zq::pane_mode::kBinary, 402},
        {zq::pane_mode::kPicture, 408},
        {zq::pane_mode::kArchivePicture, 408},
        {zq::pane_mode::kListing, 0},
        {0, 0},
        // Only one mode bit is ever set, but the order decides if a caller passes more.
        {zq::pane_mode::kNetwork | zq::pane_mode::kDirectory, 406},
        {zq::pane_mode::kDriveList | zq::pane_mode::kText, 416},
    };
    for (const Case& c : cases) EXPECT_EQ(zq::ChooseMenuBar(true, Modes(c.mode)), c.resource) << c.mode;
    EXPECT_EQ(zq::ChooseMenuBar(false, Modes(zq::pane_mode::kDirectory)), 0u);
}

TEST(MenuBar, HidingAPopupAffectsOnlyItsModeAndPluginsAlwaysGo) {
    EXPECT_EQ(zq::MenuModeIndex(408), 6);   // the index is the MENUmmpp key saved in zq.ini
    EXPECT_EQ(zq::MenuModeIndex(401), -1);  // a pane's popup menu is not in the table

    zq::HiddenMenuFlags flags;
    flags.SetHidden(0, 6, true);  // "マルチメディア(&P)" of the Filer's bar

    struct Case {
        unsigned resource;
        std::vector<std::wstring> bar;
        std::vector<int> removed;
    };
    const Case cases[] = {
        {406, Labels(0), {6, 3}},
        {411, Labels(1), {3}},
        {404, Labels(2), {3}},
        {416, Labels(4), {}},
        // The plug-in popup is found by label wherever it stands, even in a bar not in the table.
        {401, {L"A", L"プラグイン(&I)"}, {1}},
        // A bar whose labels differ keeps what cannot be found.
        {406, {L"ファイル操作(&F)", L"ヘルプ(&H)"}, {}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(zq::TopLevelPopupsToRemove(c.resource, flags, c.bar), c.removed) << c.resource;
}

TEST(MenuBar, HiddenFlagsSectionRoundTrip) {
    zq::HiddenMenuFlags flags;
    flags.SetHidden(0, 6, true);
    flags.SetHidden(5, 8, true);
    flags.SetHidden(7, 0, true);  // out of range: ignored
    const auto lines = flags.ToSection();
    ASSERT_EQ(lines.size(), 8u + 8 + 8 + 7 + 7 + 9 + 8);
    EXPECT_EQ(lines[6], (zq::KeyValueLine{L"MENU0006", L"1"}));
    EXPECT_EQ(lines[0], (zq::KeyValueLine{L"MENU0000", L"0"}));
    zq::HiddenMenuFlags copy;
    copy.ReadSection(lines);
    EXPECT_EQ(copy, flags);
    copy.ReadSection({{L"MENU0006", L"0"}, {L"MENU0402", L"1"}});
    EXPECT_FALSE(copy.Hidden(0, 6));
    EXPECT_TRUE(copy.Hidden(4, 2));
    EXPECT_TRUE(copy.Hidden(5, 8));  // not in the lines: unchanged
}

TEST(MenuCommandText, MenuItemToCommandText) {
    const std::vector<std::wstring> plugins = {L"#SORT,sorter.dll", L"#TREE,tree.dll"};
    const std::vector<std::wstring> cpls = {L"@Defaultcpl 画面"};
    const zq::MenuTextSources src{plugins, cpls};
    struct Case {
        unsigned id;
        std::uint32_t shown;
        const wchar_t* expected;  // null: none
    };
    const Case cases[] = {
        {IDM_COPY, zq::pane_mode::kDirectory, L"@Copy"},
        {IDM_COPY, zq::pane_mode::kListing, L"@Copy"},  // the menu's Filer group includes 0x1000
        {IDM_COPY, zq::pane_mode::kText, nullptr},
        {IDM_CONFIGSAVE, zq::pane_mode::kPicture, L"@ConfigSave"},
        {IDM_FILESAVE, zq::pane_mode::kBinary, L"@Filesave"},
        {IDM_FILESAVE, zq::pane_mode::kBinary | zq::pane_mode::kPicture, nullptr},  // Graphic before BinaryEditor
        {IDM_FILESAVE, zq::pane_mode::kBinary | zq::pane_mode::kText, nullptr},     // Viewer before both
        {3051, zq::pane_mode::kText, L"#TREE,tree.dll"},
        {3052, zq::pane_mode::kDirectory, nullptr},
        {3000, zq::pane_mode::kDirectory, L"@Defaultcpl 画面"},
        {3001, zq::pane_mode::kDirectory, nullptr},
        {0, zq::pane_mode::kDirectory, nullptr},
    };
    for (const Case& c : cases) {
        const auto text = zq::CommandTextForMenuItem(c.id, Modes(c.shown), src);
        if (c.expected == nullptr) {
            EXPECT_FALSE(text.has_value()) << c.id << L" " << text.value_or(L"");
        } else {
            EXPECT_EQ(text.value_or(L"(none)"), c.expected) << c.id;
        }
    }
    EXPECT_EQ(zq::PluginCommandText(L"#SORT", L"sorter.dll"), L"#SORT,sorter.dll");
}

TEST(MenuCommandText, LabelShowsTheKeyOfTheItemsCommand) {
    zq::KeyAssignments keys = zq::KeyAssignments::BuiltIn();
    keys.Set(ModeGroup::Filer, zq::FindKeyIndexByName(L"S"), zq::kModifierAlt, L"#sort,SORTER.DLL");
    const std::vector<std::wstring> plugins = {L"#SORT,sorter.dll"};
    const zq::MenuTextSources src{plugins, {}};
    struct Case {
        unsigned id;
        std::uint32_t shown;
        const wchar_t* label;
        const wchar_t* expected;  // null: the label stays plain
    };
    const Case cases[] = {
        {IDM_TOCLIPFILES, zq::pane_mode::kDirectory, L"コピー(&C)", L"コピー(&C)  [Ctrl+C]"},
        {IDM_COPY, zq::pane_mode::kDirectory, L"コピー  [Ctrl+C]", L"コピー  [C]"},
        {IDM_CLIPCOPY, zq::pane_mode::kText, L"コピー", L"コピー  [Ctrl+C]"},
        {IDM_PROPERTIES, zq::pane_mode::kDirectory, L"プロパティ", nullptr},  // no key bound
        {ID_APP_EXIT, zq::pane_mode::kPicture, L"終了", L"終了  [Q]"},
        {3050, zq::pane_mode::kDirectory, L"ソート,sorter.dll", L"ソート,sorter.dll  [Alt+S]"},
        {IDM_BINARYEDITEND, zq::pane_mode::kBinary, L"終了", L"終了  [ESCAPE]"},
    };
    for (const Case& c : cases) {
        const auto label = zq::MenuLabelWithKey(c.id, c.label, Modes(c.shown), keys, src);
        if (c.expected == nullptr) {
            EXPECT_FALSE(label.has_value()) << c.id;
        } else {
            EXPECT_EQ(label.value_or(L"(none)"), c.expected) << c.id;
        }
    }
}

TEST(MenuRouting, IdentifierRangesTheViewHandlesItself) {
    struct Case {
        unsigned id;
        std::size_t cplItems;
        bool shellOpen;
        zq::MenuIdKind kind;
        int index;
    };
    using K = zq::MenuIdKind;
    const Case cases[] = {
        {1185, 0, false, K::DialogsEnded, 0},    {1396, 0, false, K::FindResults, 0},
        {3000, 3, false, K::ControlPanel, 0},    {3002, 3, false, K::ControlPanel, 2},
        {3003, 3, false, K::Other, 0},           {3000, 0, false, K::Other, 0},
        {3050, 60, false, K::Plugin, 0},         {3099, 0, false, K::Plugin, 49},
        {3100, 0, false, K::Other, 0},           {1378, 0, false, K::DynamicListSlot, 0},
        {1387, 0, false, K::DynamicListSlot, 9}, {1388, 0, false, K::Other, 0},
        {10000, 0, true, K::ShellVerb, 0},       {50000, 0, true, K::ShellVerb, 40000},
        {50001, 0, true, K::Other, 0},           {10005, 0, false, K::Other, 0},
        {IDM_COPY, 0, true, K::Other, 0},
    };
    for (const Case& c : cases) {
        const zq::MenuIdClass got = zq::ClassifyMenuId(c.id, c.cplItems, c.shellOpen);
        EXPECT_EQ(got.kind, c.kind) << c.id;
        EXPECT_EQ(got.index, c.index) << c.id;
    }
}

TEST(MenuRouting, RangesRunOnlyTheEntriesThatExist) {
    zq::CommandRegistry registry;
    int ran = -1;  // the index a handler was given; 1185 for the registered command
    registry.RegisterMenu(1185, [&ran](const zq::CommandCall&) { ran = 1185; });
    zq::MenuRouter router(registry);
    const auto record = [&ran](int n) { ran = n; };
    router.SetRange(zq::MenuIdKind::ControlPanel, 2, record);
    router.SetRange(zq::MenuIdKind::DynamicListSlot, 3, record);
    router.SetRange(zq::MenuIdKind::ShellVerb, 40001, record);
    const struct {
        unsigned id;
        bool shellOpen;
        int ran;  // -1: nothing runs
    } cases[] = {
        {3000, false, 0},    {3001, false, 1},  {3002, false, -1},  // two control-panel items loaded
        {3050, false, -1},                                          // no plug-in runner
        {1380, false, 2},    {1381, false, -1},                     // three slots labelled
        {10005, false, -1},  {10005, true, 5},                      // only while a shell menu is open
        {1185, false, 1185},
    };
    for (const auto& c : cases) {
        router.SetShellMenuOpen(c.shellOpen);
        ran = -1;
        EXPECT_EQ(router.CanRun(ModeGroup::Filer, c.id), c.ran >= 0) << c.id;
        EXPECT_EQ(router.Run(ModeGroup::Filer, c.id), c.ran >= 0) << c.id;
        EXPECT_EQ(ran, c.ran) << c.id;
    }
    router.SetRangeCount(zq::MenuIdKind::ControlPanel, 0);
    EXPECT_FALSE(router.Run(ModeGroup::Filer, 3000));
}
