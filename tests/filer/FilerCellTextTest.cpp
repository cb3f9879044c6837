#include <gtest/gtest.h>

#include "filer/FilerCellText.h"
#include "filer/FilerCellWidth.h"
#include "filer/FilerLayoutTestEntry.h"

using namespace zq::filer;
using zq::filer::test::MakeEntry;
using zq::filer::test::UtcTime;

namespace {

FilerCellOptions Options(int nameWidth, int extWidth) {
    FilerCellOptions o;
    o.nameWidth = nameWidth;
    o.extWidth = extWidth;
    o.toLocal = UtcTime;
    return o;
}

// The runs as "column:text" joined by "|", colours aside.
std::wstring Layout(const FilerCellContent& cell) {
    std::wstring out;
    for (const CellRun& r : cell.runs) {
        if (!out.empty()) out += L'|';
        out += std::to_wstring(r.column) + L':' + r.text;
    }
    return out;
}

}  // namespace

TEST(FilerCellText, ColumnsOfEachDisplayFormat) {
    struct Case {
        FilerDisplayFormat format;
        const wchar_t* layout;
    };
    const Case cases[] = {
        {{}, L"0:report|20:.txt"},
        {{true, true, false, true, true}, L"0:report|20:.txt|24:     1,234,567|39:2024-03-05|51:12:34:56|61:A   "},
        {{true, true, true, true, true}, L"0:report|20:.txt|24:     1,234,567|39:2024-03-05|51:12:34|58:A   "},
        {{false, true, true, false, false}, L"0:report|20:.txt|24:12:34"},
        {{true, false, false, false, false}, L"0:report|20:.txt|24:2024-03-05"},
        {{false, false, false, true, false}, L"0:report|20:.txt|24:     1,234,567"},
        {{false, false, false, false, true}, L"0:report|20:.txt|24:A   "},
    };
    const WIN32_FIND_DATAW e = MakeEntry(L"report.txt", FILE_ATTRIBUTE_ARCHIVE, 1234567);
    for (const auto& c : cases) {
        FilerCellOptions o = Options(20, 3);
        o.format = c.format;
        EXPECT_EQ(Layout(BuildFileCell(e, o, FilerColors(), KindColorTable())), c.layout);
    }
}

TEST(FilerCellText, EveryColumnStaysInsideTheCell) {
    // The widest format in a 66-character cell: no run may reach past it.
    FilerCellOptions o = Options(20, 3);
    o.format = {true, true, false, true, true};
    const WIN32_FIND_DATAW e =
        MakeEntry(L"日本語の長い名前のファイルです.html",
                  FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_READONLY,
                  99999999999999ull);
    for (const CellRun& r : BuildFileCell(e, o, FilerColors(), KindColorTable()).runs)
        EXPECT_LE(r.column + TextCellWidth(r.text), 66) << r.text;
}

TEST(FilerCellText, NamesAreSplitAndShortenedToTheirFields) {
    struct Case {
        const wchar_t* name;
        DWORD attributes;
        bool pack;
        bool ellipsis;
        const wchar_t* layout;
    };
    // Name field 10, extension field 3: the name area is 14 cells.
    const Case cases[] = {
        {L".bashrc", FILE_ATTRIBUTE_ARCHIVE, false, false, L"0:.bashrc"},
        {L".bashrc", FILE_ATTRIBUTE_ARCHIVE, true, false, L"0:.bashrc"},
        {L"archive.tar.gz", FILE_ATTRIBUTE_ARCHIVE, false, false, L"0:archive.ta|10:.gz"},
        {L"ab.cpp", FILE_ATTRIBUTE_ARCHIVE, false, false, L"0:ab|10:.cpp"},
        {L"ab.cpp", FILE_ATTRIBUTE_ARCHIVE, true, false, L"0:ab|2:.cpp"},
        {L"longfilename_x.cpp", FILE_ATTRIBUTE_ARCHIVE, false, false, L"0:longfilena|10:.cpp"},
        {L"longfilename_x.cpp", FILE_ATTRIBUTE_ARCHIVE, false, true, L"0:longfil...|10:.cpp"},
        {L"longfilename_x.cpp", FILE_ATTRIBUTE_ARCHIVE, true, false, L"0:longfilename_x"},
        {L"longfilename.cpp", FILE_ATTRIBUTE_ARCHIVE, true, false, L"0:longfilename|12:.c"},
        {L"longfilename.cpp", FILE_ATTRIBUTE_ARCHIVE, true, true, L"0:longfilename|12:.c"},
        {L"longfilename_xyz.cpp", FILE_ATTRIBUTE_ARCHIVE, true, true, L"0:longfilenam..."},
        {L"a.markdown", FILE_ATTRIBUTE_ARCHIVE, false, false, L"0:a|10:.mar"},
        {L"a.markdown", FILE_ATTRIBUTE_ARCHIVE, false, true, L"0:a|10:...."},
        {L"日本語のファイル.txt", FILE_ATTRIBUTE_ARCHIVE, false, false, L"0:日本語のフ|10:.txt"},
        {L"日本語のファイル.txt", FILE_ATTRIBUTE_ARCHIVE, false, true, L"0:日本語 ...|10:.txt"},
        {L"ﾃｽﾄﾌｧｲﾙ.txt", FILE_ATTRIBUTE_ARCHIVE, false, false, L"0:ﾃｽﾄﾌｧｲﾙ|10:.txt"},
        {L"ﾃｽﾄﾌｧｲﾙ.txt", FILE_ATTRIBUTE_ARCHIVE, true, false, L"0:ﾃｽﾄﾌｧｲﾙ|7:.txt"},
        {L"my.folder.d", FILE_ATTRIBUTE_DIRECTORY, false, false, L"0:my.folder.d"},  // directories have no extension
        {L"..", FILE_ATTRIBUTE_DIRECTORY, false, false, L"0:.."},
        {L"name.", FILE_ATTRIBUTE_ARCHIVE, false, false, L"0:name|10:."},
    };
    for (const auto& c : cases) {
        FilerCellOptions o = Options(10, 3);
        o.fileNamePack = c.pack;
        o.fileNameLastEllipsis = c.ellipsis;
        EXPECT_EQ(Layout(BuildFileCell(MakeEntry(c.name, c.attributes), o, FilerColors(), KindColorTable())), c.layout)
            << c.name << L" pack=" << c.pack << L" ellipsis=" << c.ellipsis;
    }
}

TEST(FilerCellText, ShownNameCaseAndShortName) {
    struct Case {
        const wchar_t* name;
        const wchar_t* shortName;
        bool dos;
        int charType;
        const wchar_t* shown;
    };
    const Case cases[] = {
        {L"Read.Me", L"", false, 0, L"Read.Me"},
        {L"Read.Me", L"", false, 1, L"READ.ME"},
        {L"Read.Me", L"", false, 2, L"read.me"},
        {L"Program Files", L"PROGRA~1", true, 0, L"PROGRA~1"},
        {L"Program Files", L"PROGRA~1", true, 2, L"progra~1"},
        {L"Program Files", L"PROGRA~1", false, 0, L"Program Files"},
        {L"short.txt", L"", true, 0, L"short.txt"},  // no short name: the long one
        {L"ａｂｃ.Txt", L"", false, 1, L"ＡＢＣ.TXT"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ShownName(MakeEntry(c.name, FILE_ATTRIBUTE_ARCHIVE, 0, c.shortName), c.dos, c.charType), c.shown)
            << c.name;
}

TEST(FilerCellText, SizesDatesTimesAndAttributes) {
    struct SizeCase {
        uint64_t value;
        const wchar_t* grouped;
        const wchar_t* shortForm;
    };
    const SizeCase sizes[] = {
        {0, L"0", L"    0B"},
        {999, L"999", L"  999B"},
        {1000, L"1,000", L"  1.0K"},
        {1500, L"1,500", L"  1.5K"},
        {999999, L"999,999", L"999.9K"},
        {1000000, L"1,000,000", L"  1.0M"},
        {1234567, L"1,234,567", L"  1.2M"},
        {123456789, L"123,456,789", L"123.4M"},
        {1000000000, L"1,000,000,000", L"  1.0G"},
        {1099511627776ull, L"1,099,511,627,776", L"1099.5G"},
        {18446744073709551615ull, L"18,446,744,073,709,551,615", L"18446744073.7G"},
    };
    for (const auto& c : sizes) {
        EXPECT_EQ(GroupDigits(c.value), c.grouped);
        EXPECT_EQ(ShortSizeText(c.value), c.shortForm) << c.value;
    }
    EXPECT_EQ(SizeColumnText(MakeEntry(L"d", FILE_ATTRIBUTE_DIRECTORY, 1234567)), L"         <DIR>");
    EXPECT_EQ(SizeColumnText(MakeEntry(L"big", FILE_ATTRIBUTE_ARCHIVE, 0x100000000ull)), L" 4,294,967,296");

    const SYSTEMTIME t = zq::filer::test::MakeSystemTime(987, 3, 5, 12, 34, 56);
    EXPECT_EQ(DateText(t), L"0987-03-05");  // times with and without seconds: ColumnsOfEachDisplayFormat

    struct AttrCase {
        DWORD attributes;
        const wchar_t* text;
    };
    const AttrCase attrs[] = {{0x20, L"A   "}, {0x27, L"AHRS"}, {0x01, L"  R "}, {0x14, L"   S"}, {0x10, L"    "}};
    for (const auto& c : attrs) EXPECT_EQ(AttributeText(c.attributes), c.text);
}

TEST(FilerCellText, TimeTypeSelectsTheShownTime) {
    struct Case {
        int type;
        const wchar_t* date;
    };
    const Case cases[] = {{0, L"2001-01-02"}, {1, L"2023-12-31"}, {2, L"2024-03-05"}};
    for (const auto& c : cases) {
        FilerCellOptions o = Options(10, 3);
        o.format.date = true;
        o.viewFileTimeType = c.type;
        const FilerCellContent cell = BuildFileCell(MakeEntry(L"a.b"), o, FilerColors(), KindColorTable());
        ASSERT_EQ(cell.runs.size(), 3u);
        EXPECT_EQ(cell.runs[2].text, c.date);
    }
}

TEST(FilerCellText, SearchResultsShowTheirDirectoryAndMusicTitlesReplaceNames) {
    FilerCellOptions o = Options(10, 3);
    o.format.size = true;
    o.cellWidth = 50;
    o.fileNameLastEllipsis = true;
    const std::wstring dir = L"C:\\Users\\someone\\Documents\\Projects\\zq";
    FilerCellExtras extras;
    extras.foundIn = &dir;
    const FilerCellContent found =
        BuildFileCell(MakeEntry(L"a.txt", FILE_ATTRIBUTE_ARCHIVE, 5), o, FilerColors(), KindColorTable(), extras);
    ASSERT_EQ(found.runs.size(), 4u);
    EXPECT_EQ(found.runs[3].column, 29);
    EXPECT_EQ(found.runs[3].text, L"C:\\Users\\someone\\D...");  // 21 cells left

    const std::wstring title = L"月の光";
    FilerCellExtras music;
    music.musicTitle = &title;
    FilerCellOptions m = Options(10, 3);
    EXPECT_EQ(Layout(BuildFileCell(MakeEntry(L"track01.mp3"), m, FilerColors(), KindColorTable(), music)),
              L"0:track01|10:.mp3");  // titles only with MPEGNAMEDISPLAY
    m.color.mpegNameDisplay = true;
    const FilerCellContent cell = BuildFileCell(MakeEntry(L"track01.mp3"), m, FilerColors(), KindColorTable(), music);
    EXPECT_EQ(Layout(cell), L"0:月の光");
    EXPECT_EQ(cell.entryColor, FilerColors()[FilerColorId::MpegName]);
}

TEST(FilerCellText, LongestStemOfAListing) {
    const WIN32_FIND_DATAW entries[] = {MakeEntry(L"short.txt"), MakeEntry(L"日本語名前.c"), MakeEntry(L".profile"),
                                        MakeEntry(L"dir.with.dots", FILE_ATTRIBUTE_DIRECTORY)};
    EXPECT_EQ(LongestStemCells(entries, false, 0), 13);  // the directory's whole name
    EXPECT_EQ(LongestStemCells(std::span(entries, 3), false, 0), 10);
    EXPECT_EQ(LongestStemCells({}, false, 0), 0);
}

TEST(FilerCellText, NetworkCells) {
    struct Case {
        NetworkCellEntry entry;
        bool provider;
        bool comment;
        bool top;
        const wchar_t* layout;
    };
    const Case cases[] = {
        {{3, L"share", L"team files", L"Microsoft Windows Network"}, false, false, false, L"0:share|9:<SHARE>"},
        {{2, L"SERVER01", L"", L"Net"}, true, false, false, L"0:SERVER01|9:<SERVER>|19:Net"},
        {{3, L"s", L"files", L"Net"}, true, true, false, L"0:s|9:<SHARE>|19:Net|30:files"},
        {{6, L"", L"c", L"Net"}, false, true, true, L"0:ネットワ|9:<NETWORK>"},
        {{1, L"WORKGROUP_LONGNAME", L"", L""}, false, false, false, L"0:WORKGROU|9:<DOMAIN>"},
        {{0, L"..", L"", L""}, false, false, false, L"0:.."},
    };
    for (const auto& c : cases) {
        NetworkCellOptions o;
        o.netResourceLong = 8;
        o.netResourceProvider = 10;
        o.netResourceComment = 10;
        o.remoteProviderWrite = c.provider;
        o.remoteCommentWrite = c.comment;
        o.topLevel = c.top;
        FilerCellContent cell;
        cell.runs = BuildNetworkCell(c.entry, o, 0);
        EXPECT_EQ(Layout(cell), c.layout) << c.entry.name;
    }
}
