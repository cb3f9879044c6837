#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "filer/DriveList.h"
#include "filer/DriveListFacts.h"
#include "filer/FakeDriveProbe.h"
#include "filer/FilerPane.h"

using zq::DriveListLine;
using zq::StructDriveFacts;
using zq::test::Drive;

namespace {

StructDriveFacts Known(StructDriveFacts facts, bool ready = true) {
    facts.known = true;
    facts.ready = ready;
    return facts;
}

std::vector<std::wstring> Names(const std::vector<DriveListLine>& lines) {
    std::vector<std::wstring> names;
    for (const DriveListLine& line : lines) names.push_back(line.name);
    return names;
}

}  // namespace

TEST(DriveListLines, EachDriveTypeGetsTheTextOfItsKind) {
    StructDriveFacts removable = Known(Drive(L'A', DRIVE_REMOVABLE));
    removable.displayName = L"リムーバブル ディスク (A:)";
    StructDriveFacts remote = Known(Drive(L'N', DRIVE_REMOTE, L"share"));
    remote.remoteName = L"\\\\server\\" + std::wstring(60, L'x');
    struct Case {
        const char* what;
        StructDriveFacts facts;
        std::wstring text;
        bool notReady;
    };
    const Case cases[] = {
        {"fixed: label to 26 cells, total/free in powers of 1000",
         Known(Drive(L'C', DRIVE_FIXED, L"SYSTEM", 12300000000ull, 4500000000ull)),
         L"SYSTEM" + std::wstring(20, L' ') + L"  12.3G/  4.5G FREE", false},
        {"a double-width label takes two cells a character",
         Known(Drive(L'D', DRIVE_FIXED, L"データ", 2000000ull, 999ull)),
         L"データ" + std::wstring(20, L' ') + L"   2.0M/  999B FREE", false},
        {"removable: the shell's name without its drive part", removable, L"リムーバブル ディスク", false},
        {"remote: label, then the remote name cut to 50 units", remote,
         L"share" + std::wstring(21, L' ') + L" " + remote.remoteName.substr(0, 50), false},
        {"CD-ROM: the label alone", Known(Drive(L'E', DRIVE_CDROM, L"DISC1")), L"DISC1", false},
        {"a drive that did not answer", Known(Drive(L'F', DRIVE_FIXED, L"gone"), false), L"NOT READY", true},
        {"an unknown type has no text", Known(Drive(L'G', DRIVE_UNKNOWN, L"x")), L"", false},
    };
    for (const Case& c : cases) {
        const DriveListLine line = zq::DriveLineOf(c.facts);
        EXPECT_EQ(line.name, std::wstring({c.facts.letter, L':'})) << c.what;
        EXPECT_EQ(line.text, c.text) << c.what;
        EXPECT_EQ(line.notReady, c.notReady) << c.what;
    }
    EXPECT_TRUE(zq::DriveLineOf(Drive(L'C', DRIVE_FIXED)).pending) << "facts not arrived yet";
}

TEST(DriveListLines, LettersInOrderThenVirtualDrivesTheShareLeftAndTheNetworkLine) {
    const std::vector<StructDriveFacts> drives = {Known(Drive(L'Z', DRIVE_FIXED)), Known(Drive(L'c', DRIVE_FIXED))};
    zq::DriveListInput input;
    input.drives = drives;
    input.virtualDrives = (1u << (L'M' - L'A')) | (1u << (L'C' - L'A'));  // C is real: its virtual drive is hidden
    input.networkRootLeft = L"\\\\server\\share";
    input.viewNetworkOnList = true;
    const std::vector<DriveListLine> lines = zq::BuildDriveListLines(input);
    EXPECT_EQ(Names(lines),
              (std::vector<std::wstring>{L"C:", L"M:", L"Z:", L"\\\\server\\share", zq::kNetworkComputerLine}));
    EXPECT_EQ(lines[1].text, zq::kVirtualDriveText);

    EXPECT_EQ(zq::DriveListCursorFor(lines, L"Z:\\work\\deep"), 2) << "the drive the pane was on";
    EXPECT_EQ(zq::DriveListCursorFor(lines, L"\\\\SERVER\\share"), 3) << "the share's own line, case ignored";
    EXPECT_EQ(zq::DriveListCursorFor(lines, L"Q:\\elsewhere"), 0) << "a drive not listed";
    EXPECT_EQ(zq::DriveLineOfLetter(lines, L'z'), 2);
    EXPECT_EQ(zq::DriveLineOfLetter(lines, L'S'), -1) << "the UNC line is no drive S";
}

TEST(DriveFactsReader, AHangingDriveIsPendingWhileTheOthersArriveAndIsFilledInLater) {
    auto probe = std::make_shared<zq::test::FakeDriveProbe>();
    probe->Add(Drive(L'C', DRIVE_FIXED, L"SYS", 5000, 1000));
    probe->Add(Drive(L'F', DRIVE_FIXED, L"slow", 9000, 100));
    probe->Add(Drive(L'G', DRIVE_FIXED), false);
    probe->Hang(L'F');
    zq::DriveFactsReader reader(probe);
    std::vector<StructDriveFacts> drives = reader.Start();
    ASSERT_EQ(drives.size(), 3u);
    EXPECT_FALSE(reader.Wait(100)) << "F still hangs";
    EXPECT_TRUE(reader.Collect(drives));
    EXPECT_TRUE(drives[0].known && drives[0].ready);
    EXPECT_EQ(drives[0].label, L"SYS");
    EXPECT_FALSE(drives[1].known) << "F is pending, not failed";
    EXPECT_TRUE(drives[2].known && !drives[2].ready) << "G answered that it is not ready";
    EXPECT_TRUE(reader.Outstanding());
    EXPECT_FALSE(reader.Collect(drives)) << "nothing new arrived";

    probe->Release();
    EXPECT_TRUE(reader.Wait(5000));
    EXPECT_TRUE(reader.Collect(drives));
    EXPECT_TRUE(drives[1].known && drives[1].ready);
    EXPECT_EQ(drives[1].label, L"slow");
}

TEST(DriveListPane, TheListKeepsThePathAndTheCursorFollowsItsDriveAcrossUpdates) {
    zq::FilerPane pane;
    pane.SetPath(L"D:\\work");
    const std::vector<DriveListLine> lines = {{L"C:", L""}, {L"D:", L"", false, true}, {L"E:", L""}};
    pane.ShowDriveList(lines, 1);
    EXPECT_EQ(pane.Kind(), zq::kKindDriveList);
    EXPECT_EQ(pane.Path(), L"D:\\work") << "the directory left is no line of the list";
    ASSERT_EQ(pane.Count(), 3);
    EXPECT_STREQ(pane.CursorEntry()->cFileName, L"D:");
    pane.Sort();
    EXPECT_STREQ(pane.EntryAt(2).cFileName, L"E:") << "drive order survives a sort";

    // A drive that appeared before D moves D's line down; the cursor goes with it.
    pane.UpdateDriveList({{L"A:", L""}, {L"C:", L""}, {L"D:", L"DATA"}, {L"E:", L""}});
    EXPECT_STREQ(pane.CursorEntry()->cFileName, L"D:");
    EXPECT_EQ(pane.DriveLines()[2].text, L"DATA");
}
