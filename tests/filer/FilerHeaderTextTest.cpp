#include <gtest/gtest.h>

#include "filer/FilerCellWidth.h"
#include "filer/FilerHeaderText.h"
#include "filer/FilerLayoutTestEntry.h"

using namespace zq::filer;
using zq::filer::test::MakeEntry;
using zq::filer::test::UtcTime;

TEST(FilerHeaderText, TitleLinePerKindWithFreeSpace) {
    struct Case {
        FilerTitleKind kind;
        bool free;
        uint64_t bytes;
        const wchar_t* title;
    };
    const Case cases[] = {
        {FilerTitleKind::Directory, false, 0, L"C:\\Users\\zq"},
        {FilerTitleKind::Directory, true, 1500, L"C:\\Users\\zq(  1.5K FREE)"},
        {FilerTitleKind::Directory, true, 999, L"C:\\Users\\zq(  999B FREE)"},
        {FilerTitleKind::Archive, false, 0, L"C:\\a.lzh\\src\\lib"},
        {FilerTitleKind::SearchResults, false, 0, L"検索結果"},
        {FilerTitleKind::SearchResults, true, 25000000000ull, L"検索結果( 25.0G FREE)"},
        {FilerTitleKind::VirtualDrive, false, 0, L"Q:(仮想ドライブ)"},
    };
    for (const auto& c : cases) {
        FilerTitleInput in;
        in.kind = c.kind;
        in.currentDirectory = L"C:\\Users\\zq";
        in.archivePath = L"C:\\a.lzh";
        in.archiveSubPath = L"src\\lib";
        in.virtualDrive = L"Q:";
        in.writeFreeSize = c.free;
        in.freeBytes = c.bytes;
        EXPECT_EQ(PaneTitleText(in), c.title);
    }
    FilerTitleInput top;
    top.kind = FilerTitleKind::Archive;
    top.archivePath = L"C:\\a.zip";
    EXPECT_EQ(PaneTitleText(top), L"C:\\a.zip");
    // A virtual drive has no volume to ask: no "(0B FREE)".
    FilerTitleInput drive;
    drive.kind = FilerTitleKind::VirtualDrive;
    drive.virtualDrive = L"Q:";
    drive.writeFreeSize = true;
    drive.spaceKnown = false;
    EXPECT_EQ(PaneTitleText(drive), L"Q:(仮想ドライブ)");
}

TEST(FilerHeaderText, VolumeInfoTakesTheFirstFourItemsInItsOwnOrder) {
    VolumeInfoValues v;
    v.volumeLabel = L"DATA";
    v.capacityBytes = 500000000000ull;
    v.freeBytes = 1234567;
    v.currentDirectory = L"D:\\work";
    v.tag = L"tag1";
    v.files = 12;
    v.directories = 3;
    v.markedFiles = 0;
    v.markedDirectories = 1;

    using Items = std::vector<HeaderItem>;
    struct Case {
        std::array<bool, 9> flags;
        Items expected;
    };
    const Case cases[] = {
        // The defaults: HVOLUME0 to HVOLUME3.
        {{true, true, true, true, false, false, false, false, false},
         Items{{L"空き:", L"  1.2M"}, {L"ｶﾚﾝﾄ:", L"D:\\work"}, {L"ﾀｸﾞ :", L"tag1"}, {L"FILE:", L"12"}}},
        // Label and capacity come first although their flags are the last ones.
        {{true, false, false, false, false, false, true, true, true},
         Items{{L"VOL :", L"DATA"}, {L"容量:", L"500.0G"}, {L"空き:", L"  1.2M"}, {L"選_D:", L"1"}}},
        {{false, false, false, true, true, true, true, true, true},
         Items{{L"VOL :", L"DATA"}, {L"容量:", L"500.0G"}, {L"FILE:", L"12"}, {L"DIR :", L"3"}}},
        {{false, false, false, false, false, true, false, false, false}, Items{{L"選_F:", L"0"}}},
        {{}, Items{}},
    };
    for (const auto& c : cases) EXPECT_EQ(VolumeInfoItems(c.flags, v), c.expected);
    v.spaceKnown = false;
    EXPECT_EQ(VolumeInfoItems({true, false, false, false, false, false, false, false, true}, v),
              (Items{{L"容量:", L""}, {L"空き:", L""}}));
}

TEST(FilerHeaderText, FileInformationOfTheCursorEntry) {
    const WIN32_FIND_DATAW file = MakeEntry(L"data.bin", FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_READONLY, 1234567);
    FileInfoInput in;
    in.entry = &file;
    in.shownName = L"data.bin";
    in.wildcard = L"*.bin";
    in.toLocal = UtcTime;
    FileInfoTexts t = FileInfoItems(in);
    EXPECT_EQ(t.name, (HeaderItem{L"ﾌｧｲﾙ:", L"data.bin"}));
    EXPECT_EQ(t.date, (HeaderItem{L"日付:", L"2024-03-05"}));
    EXPECT_EQ(t.time, (HeaderItem{L"時間:", L"12:34:56"}));
    EXPECT_EQ(t.size, (HeaderItem{L"ｻｲｽﾞ:", L"1,234,567"}));
    EXPECT_EQ(t.attributes, (HeaderItem{L"ﾌｧｲﾙ属性", L"A  R "}));
    EXPECT_EQ(t.mask, (HeaderItem{L"ﾏｽｸ :", L"*.bin"}));

    const WIN32_FIND_DATAW dir =
        MakeEntry(L"src", FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM);
    in.entry = &dir;
    in.wildcardAppliesToDirs = true;
    in.viewFileTimeType = 0;
    t = FileInfoItems(in);
    EXPECT_EQ(t.size.value, L"<DIR>");
    EXPECT_EQ(t.attributes.value, L" DH S");
    EXPECT_EQ(t.date.value, L"2001-01-02");
    EXPECT_EQ(t.mask.value, L"*.bin (DIRにも適応)");

    WIN32_FIND_DATAW timeless = MakeEntry(L"..", FILE_ATTRIBUTE_DIRECTORY);
    timeless.ftCreationTime = timeless.ftLastAccessTime = timeless.ftLastWriteTime = FILETIME{};
    in.entry = &timeless;
    t = FileInfoItems(in);
    EXPECT_EQ(t.date.value, L"");
    EXPECT_EQ(t.time.value, L"");

    in.entry = nullptr;
    t = FileInfoItems(in);
    EXPECT_EQ(t.name.value, L"");
    EXPECT_EQ(t.size.value, L"");
    EXPECT_EQ(t.mask.value, L"*.bin (DIRにも適応)");
}

TEST(FilerHeaderText, ClockFitsItsTemplate) {
    const SYSTEMTIME t = zq::filer::test::MakeSystemTime(2026, 12, 6, 9, 5, 7);
    EXPECT_EQ(ClockText(t), L"2026-12-06   09:05:07");
    EXPECT_EQ(TextCellWidth(ClockText(t)), TextCellWidth(kClockTemplate));
}

TEST(FilerHeaderText, BatteryTextAndAlarmColour) {
    FilerColors colors;
    const COLORREF normal = colors[FilerColorId::AllIntro];
    const COLORREF red = RGB(255, 0, 0);
    struct Case {
        BatteryStatus status;
        BatteryText expected;
    };
    const Case cases[] = {
        {{true, 5, -1}, {L"AC電源", normal}},
        {{false, 85, 2 * 3600 + 7 * 60 + 59}, {L"02h07m(085%)", normal}},
        {{false, 10, 600}, {L"00h10m(010%)", normal}},  // the alarm is below 10, not at it
        {{false, 9, 540}, {L"00h09m(009%)", red}},
        {{false, 100, -1}, {L"100%", normal}},
        {{false, 3, -1}, {L"003%", red}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(BatteryInfoText(c.status, 10, colors), c.expected) << c.expected.text;
        EXPECT_LE(TextCellWidth(c.expected.text), TextCellWidth(kBatteryTemplate));
    }

    SYSTEM_POWER_STATUS sps{};
    sps.BatteryLifePercent = 42;
    sps.BatteryLifeTime = static_cast<DWORD>(-1);
    EXPECT_EQ(BatteryStatusFrom(sps).percent, 42);
    EXPECT_EQ(BatteryStatusFrom(sps).secondsLeft, -1);
    // Line status and battery flag as a laptop, a desktop and Wine report them.
    struct PowerCase {
        BYTE line;
        BYTE flag;
        bool mains;
    };
    const PowerCase power[] = {{0, 1, false}, {1, 8, true}, {255, 128, true}, {1, 128, true}, {255, 255, false}};
    for (const auto& p : power) {
        sps.ACLineStatus = p.line;
        sps.BatteryFlag = p.flag;
        EXPECT_EQ(BatteryStatusFrom(sps).onMains, p.mains) << int(p.line) << " " << int(p.flag);
    }
}

TEST(FilerHeaderText, DriveLettersTenPerView) {
    using L = std::vector<std::wstring>;
    const DWORD cz = (1u << 2) | (1u << 25);
    const DWORD twelve = 0xFFFu;  // A to L
    struct Case {
        DWORD mask;
        int first;
        HeaderDriveRow row;
    };
    const Case cases[] = {
        {cz, 0, {L{L"C:", L"Z:"}, false, false}},
        {0, 0, {L{}, false, false}},
        {twelve, 0, {L{L"A:", L"B:", L"C:", L"D:", L"E:", L"F:", L"G:", L"H:", L"I:", L"J:"}, false, true}},
        {twelve, 2, {L{L"C:", L"D:", L"E:", L"F:", L"G:", L"H:", L"I:", L"J:", L"K:", L"L:"}, true, false}},
        {twelve, 1, {L{L"B:", L"C:", L"D:", L"E:", L"F:", L"G:", L"H:", L"I:", L"J:", L"K:"}, true, true}},
    };
    for (const auto& c : cases) EXPECT_EQ(HeaderDriveLetters(c.mask, c.first), c.row) << c.mask << " " << c.first;
}

TEST(FilerHeaderText, DriveClickHitsTheLettersAndTheArrowsWherePainted) {
    const HeaderDriveRow row = HeaderDriveLetters(0xFFF, 1);  // B: to K: shown, A: before, L: after
    EXPECT_EQ(HeaderDriveAt(row, 2).letter, L'B');
    EXPECT_EQ(HeaderDriveAt(row, 3).letter, L'B');  // "B:" is two columns
    EXPECT_EQ(HeaderDriveAt(row, 4).letter, 0);     // the gap between two letters
    EXPECT_EQ(HeaderDriveAt(row, 29).letter, L'K');
    EXPECT_EQ(HeaderDriveAt(row, 0).scroll, -1);
    EXPECT_EQ(HeaderDriveAt(row, 32).scroll, 1);
    const HeaderDriveRow few = HeaderDriveLetters(0x5, 0);  // A: C:, nothing to scroll
    EXPECT_EQ(HeaderDriveAt(few, 5).letter, L'C');
    EXPECT_EQ(HeaderDriveAt(few, 8).letter, 0);
    EXPECT_EQ(HeaderDriveAt(few, 0).scroll, 0);
    EXPECT_EQ(HeaderDriveAt(few, 32).scroll, 0);
    EXPECT_EQ(HeaderDriveAt(few, -1).letter, 0);
}
