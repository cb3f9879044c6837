#include <gtest/gtest.h>

#include "filer/ViewFilerSettings.h"
#include "settings/Settings.h"

using namespace zq;

TEST(ViewFilerSettings, StartDirectoriesFollowTheChosenSettings) {
    struct Case {
        const char* what;
        std::vector<std::wstring> commandLine;
        int startEndDir;
        const wchar_t *first, *second, *end, *end2;
        const wchar_t *expect0, *expect1;
    };
    const Case cases[] = {
        {"nothing set: current directory", {}, 0, L"", L"", L"", L"", L"C:\\cur", L"C:\\cur"},
        {"fixed directories", {}, 0, L"D:\\a", L"E:\\b", L"F:\\x", L"F:\\y", L"D:\\a", L"E:\\b"},
        {"only the second set", {}, 0, L"", L"E:\\b", L"", L"", L"C:\\cur", L"E:\\b"},
        {"last run wins over fixed", {}, 1, L"D:\\a", L"E:\\b", L"F:\\x", L"F:\\y", L"F:\\x", L"F:\\y"},
        {"no last run yet: fixed", {}, 1, L"D:\\a", L"E:\\b", L"", L"", L"D:\\a", L"E:\\b"},
        {"no last run, nothing fixed", {}, 1, L"", L"", L"", L"F:\\y", L"C:\\cur", L"F:\\y"},
        {"-d before every setting", {L"G:\\w", L"H:"}, 1, L"D:\\a", L"E:\\b", L"F:\\x", L"F:\\y", L"G:\\w", L"H:"},
        {"one -d: second as set", {L"\\\\srv\\share"}, 0, L"D:\\a", L"E:\\b", L"", L"", L"\\\\srv\\share", L"E:\\b"},
        {"relative settings are refused", {}, 1, L"nosuchdir", L"C:rel", L"\\x", L"D:\\a", L"C:\\cur", L"D:\\a"},
        {"a refused last run falls to fixed", {}, 1, L"D:\\a", L"", L"sub\\dir", L"", L"D:\\a", L"C:\\cur"},
        {"a relative -d is refused too", {L"rel", L"E:\\b"}, 0, L"D:\\a", L"", L"", L"", L"D:\\a", L"E:\\b"},
    };
    for (const Case& c : cases) {
        Settings s;
        s.STARTENDDIR = c.startEndDir;
        s.FIRSTDIRECTORY = c.first;
        s.SECONDDIRECTORY = c.second;
        s.ENDDIRECTORY = c.end;
        s.ENDDIRECTORY2 = c.end2;
        const auto dirs = StartDirectories(s, c.commandLine, L"C:\\cur");
        EXPECT_EQ(dirs[0], c.expect0) << c.what;
        EXPECT_EQ(dirs[1], c.expect1) << c.what;
    }
}

TEST(ViewFilerSettings, DisplayFormatIsTheSelectedRecord) {
    struct Case {
        int number;
        int expectedNumber;
    };
    const Case cases[] = {{0, 0}, {3, 3}, {4, 4}, {5, 0}, {-1, 0}};
    for (const Case& c : cases) {
        Settings s;
        for (auto& info : s.filerInfo) info = {};
        // Only the expected record has the size column.
        s.filerInfo[static_cast<size_t>(c.expectedNumber)].size = 1;
        s.filerInfo[static_cast<size_t>(c.expectedNumber)].noSeconds = 1;
        s.FILERINFONUMBER = c.number;
        EXPECT_EQ(DisplayFormatNumber(s), c.expectedNumber) << c.number;
        const filer::FilerDisplayFormat f = DisplayFormatFrom(s);
        EXPECT_TRUE(f.size) << c.number;
        EXPECT_TRUE(f.secondsHidden) << c.number;
        EXPECT_FALSE(f.date || f.time || f.attributes) << c.number;
        EXPECT_EQ(FilerLayoutOptionsFrom(s).format, f) << c.number;
        EXPECT_EQ(FilerCellOptionsFrom(s).format, f) << c.number;
    }
}

TEST(ViewFilerSettings, SortFieldsComeFromEachPanesKeys) {
    Settings s;
    s.SORTWAY = 2;
    s.SECONDSORTWAYFLAG = 4;
    s.SORT_DIR_WAY1 = 3;
    s.SORT_DIR_ORDER1 = 1;
    s.SORTORDER = 0;
    s.SORT_NEGLECT_FILE_KIND1 = 1;
    s.SORTWAY2 = 1;
    s.SECONDSORTWAYFLAG2 = 0;
    s.SORT_DIR_WAY2 = 0;
    s.SORT_DIR_ORDER2 = 0;
    s.SORTORDER2 = 1;
    s.SORT_NEGLECT_FILE_KIND2 = 0;
    const SortSettings first = SortSettingsFrom(s, 0);
    const SortSettings second = SortSettingsFrom(s, 1);
    EXPECT_EQ(first.v, (std::array<uint32_t, 9>{2, 4, 0, 3, 0, 0, 1, 0, 1}));
    EXPECT_EQ(second.v, (std::array<uint32_t, 9>{1, 0, 0, 0, 0, 0, 0, 1, 0}));

    // Storing pane 1 leaves pane 0's keys alone; the reserved fields have no key.
    SortSettings changed = second;
    changed.v = {5, 6, 9, 5, 9, 9, 1, 0, 1};
    StoreSortSettings(s, 1, changed);
    EXPECT_EQ(SortSettingsFrom(s, 1).v, (std::array<uint32_t, 9>{5, 6, 0, 5, 0, 0, 1, 0, 1}));
    EXPECT_EQ(SortSettingsFrom(s, 0).v, first.v);
}

TEST(ViewFilerSettings, NamedColoursKeepTheirOrder) {
    Settings s;
    s.READ_ONLY_COLOR = 0x010203;
    s.BACK_GROUND_COLOR = 0x111111;
    s.LINE_COLOR = 0x222222;
    s.PREVIEW_SEL_COLOR = 0x333333;
    const filer::FilerColors colors = FilerColorsFrom(s);
    EXPECT_EQ(colors[filer::FilerColorId::ReadOnly], 0x010203u);
    EXPECT_EQ(colors[filer::FilerColorId::BackGround], 0x111111u);
    EXPECT_EQ(colors[filer::FilerColorId::Line], 0x222222u);
    EXPECT_EQ(colors[filer::FilerColorId::PreviewSel], 0x333333u);
    EXPECT_EQ(colors[filer::FilerColorId::Directory], static_cast<COLORREF>(s.DIRECTORY_COLOR));
}

TEST(ViewFilerSettings, KindColoursSkipEmptyRows) {
    Settings s;
    for (auto& name : s.kindColorNames) name.clear();
    s.kindColorNames[0] = L"txt";
    s.kindColors[0] = 0x0000ff;
    s.kindColorNames[5] = L"ZIP";
    s.kindColors[5] = 0x00ff00;
    s.kindColors[2] = 0xff0000;  // a colour without an extension is no row
    const filer::KindColorTable table = KindColorsFrom(s);
    ASSERT_EQ(table.Rows().size(), 2u);
    ASSERT_NE(table.Find(L".zip"), nullptr);
    EXPECT_EQ(*table.Find(L".zip"), 0x00ff00u);
    EXPECT_EQ(table.Find(L""), nullptr);
}

TEST(ViewFilerSettings, ReloadIntervalIsAtLeastOneTick) {
    Settings s;
    s.reloadEnable = {1, 0, 1, 0, 1};
    s.reloadTime = {0, 10, -5, 3, 1};
    const FilerOptions o = FilerOptionsFrom(s);
    const int expectedTime[] = {1, 10, 1, 3, 1};
    for (size_t i = 0; i < 5; ++i) {
        EXPECT_EQ(o.RELOAD_SETTING[i].ENABLE, s.reloadEnable[i]) << i;
        EXPECT_EQ(o.RELOAD_SETTING[i].TIME, expectedTime[i]) << i;
    }
}
