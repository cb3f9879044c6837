#include "fileops/CopyJob.h"

#include <gtest/gtest.h>

#include "fileops/CopyTestSupport.h"
#include "fileops/DeleteJob.h"

namespace zq::fileops {
namespace {

using namespace zq::fileops::test;
using zq::test::ReadFileBytes;
using zq::test::RemoveTree;
using zq::test::TempDir;

// A folder on drive Y:, which the test prefix maps to another place: a
// different volume root for the engine.
struct OtherVolumeDir {
    std::wstring path;
    OtherVolumeDir() {
        path = L"Y:\\zqtest-" + std::to_wstring(::GetCurrentProcessId()) + L"-" + std::to_wstring(::GetTickCount64());
        ::CreateDirectoryW(path.c_str(), nullptr);
    }
    ~OtherVolumeDir() { RemoveTree(path); }
};

TEST(CopyJobTest, PathRules) {
    EXPECT_TRUE(SamePath(L"C:\\A\\b.txt", L"c:\\a\\B.TXT"));
    EXPECT_TRUE(IsSameOrBelow(L"C:\\a\\b\\c", L"c:\\A"));
    EXPECT_TRUE(IsSameOrBelow(L"C:\\a", L"C:\\a\\"));
    EXPECT_FALSE(IsSameOrBelow(L"C:\\ab\\c", L"C:\\a"));  // whole components only
    EXPECT_FALSE(IsSameOrBelow(L"C:\\a", L"C:\\a\\b"));
    EXPECT_TRUE(IsMoveMode(7));
    EXPECT_FALSE(IsMoveMode(5));
}

TEST(CopyJobTest, CopiesTreeWithTotals) {
    TempDir dir;
    dir.WriteFile(L"src\\a.txt", "aaaa");
    dir.WriteFile(L"src\\d\\b.txt", "bb");
    dir.WriteFile(L"src\\d\\e\\c.txt", "c");
    CopyRig rig;
    rig.options.overallDisplay = true;
    rig.From(dir / L"src", {L"a.txt", L"d"}, dir / L"out\\new");  // created with its missing parent
    CopyJob job = rig.Make();
    ASSERT_TRUE(job.Run());
    EXPECT_EQ(ReadFileBytes(dir / L"out\\new\\a.txt"), "aaaa");
    EXPECT_EQ(ReadFileBytes(dir / L"out\\new\\d\\b.txt"), "bb");
    EXPECT_EQ(ReadFileBytes(dir / L"out\\new\\d\\e\\c.txt"), "c");
    EXPECT_EQ(job.Totals().totalFiles, 3u);
    EXPECT_EQ(job.Totals().totalBytes, 7u);
    EXPECT_EQ(job.Totals().bytesDone, 7u);
    EXPECT_EQ(rig.progress.last[ProgressField::OverallPercent], L"100.0%");
    EXPECT_EQ(rig.progress.last[ProgressField::StartTime], L"12:34:56");
    EXPECT_TRUE(FileExists(dir / L"src\\d\\e\\c.txt"));
    EXPECT_TRUE(rig.asker.asked.empty());
}

TEST(CopyJobTest, ACopyIntoAFolderRemovesWhatAKilledCopyLeftThere) {
    TempDir dir;
    dir.WriteFile(L"src\\a.txt", "aaaa");
    const std::wstring left = dir.WriteFile(L"out\\a.txt.~zq0001ABCD.tmp", "half");
    ASSERT_TRUE(WrittenSecondsAgo(left, 600));
    CopyRig rig;
    rig.From(dir / L"src", {L"a.txt"}, dir / L"out");
    CopyJob job = rig.Make();
    ASSERT_TRUE(job.Run());
    EXPECT_EQ(ReadFileBytes(dir / L"out\\a.txt"), "aaaa");
    EXPECT_FALSE(FileExists(left));
}

TEST(CopyJobTest, CopyIntoOwnDirectoryNeverOverwrites) {
    struct Case {
        CopyWay way;
        std::wstring newName;  // expected extra file, if any
    };
    const Case cases[] = {
        {CopyWay::Newer, L""},
        {CopyWay::Older, L""},
        {CopyWay::Larger, L""},
        {CopyWay::Skip, L""},
        {CopyWay::Overwrite, L""},
        {CopyWay::Numbered, L"a000.txt"},
        {CopyWay::Rename, L"renamed.txt"},
    };
    for (const Case& c : cases) {
        TempDir dir;
        dir.WriteFile(L"a.txt", "original");
        CopyRig rig;
        rig.From(dir.Path(), {L"a.txt"}, dir.Path());
        rig.Always(c.way);
        rig.asker.newNames.push_back({true, L"renamed.txt"});
        CopyJob job = rig.Make();
        EXPECT_TRUE(job.Run()) << static_cast<int>(c.way);
        EXPECT_EQ(ReadFileBytes(dir / L"a.txt"), "original") << static_cast<int>(c.way);
        EXPECT_EQ(rig.asker.shown.size(), 1u);
        if (!c.newName.empty()) {
            EXPECT_EQ(ReadFileBytes(dir / c.newName), "original") << static_cast<int>(c.way);
        }
    }
}

// Without questions, a file met as its own destination is named in the log.
TEST(CopyJobTest, SelfCopyWithoutQuestionsIsLogged) {
    TempDir dir;
    dir.WriteFile(L"a.txt", "original");
    CopyRig rig;
    rig.From(dir.Path(), {L"a.txt"}, dir.Path());
    rig.options.noQuestion = true;
    rig.options.programDirectory = dir.Path();
    rig.Always(CopyWay::Overwrite);
    CopyJob job = rig.Make();
    EXPECT_TRUE(job.Run());
    EXPECT_EQ(ReadFileBytes(dir / L"a.txt"), "original");
    EXPECT_TRUE(rig.asker.told.empty());
    EXPECT_EQ(ReadFileBytes(job.ErrorLog().FilePath()), LogBytes(L"SameFile,0," + dir / L"a.txt" + L"\r\n"));
}

TEST(CopyJobTest, NumberedWayTakes002AndSameSettingSkipsLaterQuestions) {
    TempDir dir;
    dir.WriteFile(L"src\\a.txt", "new a");
    dir.WriteFile(L"src\\b.txt", "new b");
    dir.WriteFile(L"dst\\a.txt", "old");
    dir.WriteFile(L"dst\\a000.txt", "old");
    dir.WriteFile(L"dst\\a001.txt", "old");
    dir.WriteFile(L"dst\\b.txt", "old b");
    CopyRig rig;
    rig.From(dir / L"src", {L"a.txt", L"b.txt"}, dir / L"dst");
    rig.Always(CopyWay::Numbered);
    CopyJob job = rig.Make();
    ASSERT_TRUE(job.Run());
    EXPECT_EQ(ReadFileBytes(dir / L"dst\\a002.txt"), "new a");
    EXPECT_EQ(ReadFileBytes(dir / L"dst\\b000.txt"), "new b");
    EXPECT_EQ(ReadFileBytes(dir / L"dst\\a.txt"), "old");
    EXPECT_EQ(rig.asker.shown.size(), 1u);  // "以後同設定" was kept checked
    EXPECT_EQ(job.SameNameSettingsAfter().savedWay, 4);
}

TEST(CopyJobTest, UncheckedSameSettingAsksAgainAndCancelEndsJob) {
    TempDir dir;
    for (const std::wstring x : {L"a", L"b", L"c"}) {
        dir.WriteFile(L"src\\" + x + L".txt", "new " + ToUtf8(x));
        dir.WriteFile(L"dst\\" + x + L".txt", "old " + ToUtf8(x));
    }
    CopyRig rig;
    rig.From(dir / L"src", {L"a.txt", L"b.txt", L"c.txt"}, dir / L"dst");
    rig.asker.wayAnswers.push_back({true, Way(CopyWay::Overwrite, false)});
    rig.asker.wayAnswers.push_back({true, Way(CopyWay::Skip, false)});
    rig.asker.wayAnswers.push_back({false, {}});
    CopyJob job = rig.Make();
    EXPECT_FALSE(job.Run());
    EXPECT_EQ(rig.asker.shown.size(), 3u);
    EXPECT_TRUE(rig.asker.shown[0].sameFromNow);
    EXPECT_FALSE(rig.asker.shown[1].sameFromNow);
    EXPECT_EQ(ReadFileBytes(dir / L"dst\\a.txt"), "new a");
    EXPECT_EQ(ReadFileBytes(dir / L"dst\\b.txt"), "old b");
    EXPECT_EQ(ReadFileBytes(dir / L"dst\\c.txt"), "old c");
}

TEST(CopyJobTest, ExistingDirectoryOfTheSameNameIsNoCollision) {
    TempDir dir;
    dir.WriteFile(L"src\\x\\f.txt", "f");
    dir.MakeDir(L"dst\\x");
    CopyRig rig;
    rig.From(dir / L"src", {L"x"}, dir / L"dst");
    CopyJob job = rig.Make();
    ASSERT_TRUE(job.Run());
    EXPECT_TRUE(rig.asker.shown.empty());
    EXPECT_EQ(ReadFileBytes(dir / L"dst\\x\\f.txt"), "f");
}

// Names the platform takes for devices are ordinary files on the disk: they
// are copied, moved and deleted as such, never read from or written to a device.
TEST(CopyJobTest, DeviceNamedFilesAreCopiedMovedAndDeletedAsFiles) {
    const std::wstring names[] = {L"nul.txt", L"aux", L"CON.log", L"com1"};
    const auto write = [](const std::wstring& path, const std::string& bytes) {
        HANDLE h = ::CreateFileW(ExtendedPath(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
        ASSERT_NE(h, INVALID_HANDLE_VALUE) << ToUtf8(path);
        DWORD written = 0;
        ::WriteFile(h, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
        ::CloseHandle(h);
    };
    const auto read = [](const std::wstring& path) { return ReadFileBytes(ExtendedPath(path)); };
    for (const unsigned mode : {kModeCopy, kModeMove}) {
        TempDir dir;
        dir.MakeDir(L"src");
        SelectionSnapshot selection;
        selection.directory = dir / L"src";
        for (const std::wstring& name : names) {
            write(dir / L"src\\" + name, "data of " + ToUtf8(name));
            selection.entries.push_back(FindOf(ExtendedPath(dir / L"src\\" + name)));
        }
        CopyRig rig;
        rig.options.mode = mode;
        rig.input.source = selection;
        rig.input.destination = dir / L"dst";
        CopyJob job = rig.Make();
        ASSERT_TRUE(job.Run()) << mode;
        for (const std::wstring& name : names) {
            EXPECT_EQ(read(dir / L"dst\\" + name), "data of " + ToUtf8(name)) << mode << ToUtf8(name);
            EXPECT_EQ(read(dir / L"src\\" + name).empty(), mode == kModeMove) << mode << ToUtf8(name);
        }
        DeleteRig remove;
        selection.directory = dir / L"dst";
        EXPECT_TRUE(remove.Run(selection));
        for (const std::wstring& name : names) EXPECT_EQ(read(dir / L"dst\\" + name), "") << ToUtf8(name);
        EXPECT_TRUE(remove.remaining.empty());
    }
}

// Copying a directory into itself, or into every selected directory of the
// other pane when the source is among them.
TEST(CopyJobTest, EndlessLoopRefusedBeforeAnythingIsWritten) {
    struct Case {
        unsigned mode;
        std::wstring destination;  // relative to the temp folder; none for copy-to-all
    };
    const Case cases[] = {
        {kModeCopy, L"a\\sub\\new"}, {kModeMove, L"a"}, {kModeUpMove, L"A\\SUB"}, {kModeCopyToAll, L""}};
    for (const Case& c : cases) {
        TempDir dir;
        dir.WriteFile(L"a\\f.txt", "f");
        dir.MakeDir(L"a\\sub");
        CopyRig rig;
        rig.options.mode = c.mode;
        rig.input.source = Select(dir.Path(), {L"a"});
        if (c.destination.empty()) {
            rig.input.other = Select(dir.Path(), {L"a"});
        } else {
            rig.input.destination = dir / c.destination;
        }
        CopyJob job = rig.Make();
        EXPECT_FALSE(job.Run()) << c.mode;
        EXPECT_EQ(rig.asker.told, std::vector<std::wstring>{L"無限ループに入るファイルのコピーできません"}) << c.mode;
        EXPECT_FALSE(DirectoryExists(dir / L"a\\sub\\new"));
        EXPECT_FALSE(DirectoryExists(dir / L"a\\a"));
        EXPECT_TRUE(rig.fs.createFlags.empty()) << c.mode;
        EXPECT_TRUE(rig.fs.moves.empty()) << c.mode;
        EXPECT_EQ(ReadFileBytes(dir / L"a\\f.txt"), "f");
    }
}

// Within one volume a move is one rename per selected entry; across volumes
// it copies every file, then deletes the source.
TEST(CopyJobTest, MoveRenamesWithinOneVolumeAndCopiesAcross) {
    for (const bool across : {false, true}) {
        TempDir dir;
        OtherVolumeDir other;
        ASSERT_TRUE(DirectoryExists(other.path)) << "drive Y: is not mapped";
        dir.WriteFile(L"src\\f.txt", "file");
        dir.WriteFile(L"src\\d\\g.txt", "tree");
        dir.MakeDir(L"dst");
        const std::wstring to = across ? other.path : dir / L"dst";
        CopyRig rig;
        rig.options.mode = kModeMove;
        rig.options.overallDisplay = true;
        rig.From(dir / L"src", {L"f.txt", L"d"}, to);
        CopyJob job = rig.Make();
        ASSERT_TRUE(job.Run()) << across;
        if (across) {
            EXPECT_TRUE(rig.fs.moves.empty());
            EXPECT_EQ(job.Totals().totalFiles, 2u);
        } else {
            EXPECT_TRUE(rig.fs.reads.empty());       // nothing copied
            EXPECT_EQ(job.Totals().totalFiles, 0u);  // nothing counted
            ASSERT_EQ(rig.fs.moves.size(), 2u);      // one rename for the file, one for the directory
            EXPECT_EQ(rig.fs.moves[1].second, to + L"\\d");
        }
        EXPECT_EQ(ReadFileBytes(to + L"\\f.txt"), "file") << across;
        EXPECT_EQ(ReadFileBytes(to + L"\\d\\g.txt"), "tree") << across;
        EXPECT_FALSE(FileExists(dir / L"src\\f.txt")) << across;
        EXPECT_FALSE(DirectoryExists(dir / L"src\\d")) << across;
    }
}

TEST(CopyJobTest, UpMoveAndNeglectDirOnATree) {
    struct Case {
        unsigned mode;
        std::vector<std::wstring> expected;  // files under dst
        std::vector<std::wstring> absent;
    };
    const Case cases[] = {
        {kModeUpMove, {L"top.txt", L"s1\\one.txt", L"s1\\s2\\two.txt"}, {L"d\\top.txt", L"one.txt"}},
        {kModeNeglectDir, {L"top.txt", L"one.txt", L"two.txt"}, {L"s1", L"d"}},
    };
    for (const Case& c : cases) {
        TempDir dir;
        dir.WriteFile(L"src\\d\\top.txt", "t");
        dir.WriteFile(L"src\\d\\s1\\one.txt", "1");
        dir.WriteFile(L"src\\d\\s1\\s2\\two.txt", "2");
        dir.WriteFile(L"src\\loose.txt", "selected file, passed over");
        dir.MakeDir(L"dst");
        CopyRig rig;
        rig.options.mode = c.mode;
        rig.From(dir / L"src", {L"d", L"loose.txt"}, dir / L"dst");
        CopyJob job = rig.Make();
        ASSERT_TRUE(job.Run()) << c.mode;
        for (const std::wstring& name : c.expected) EXPECT_TRUE(FileExists(dir / (L"dst\\" + name))) << ToUtf8(name);
        for (const std::wstring& name : c.absent)
            EXPECT_EQ(::GetFileAttributesW((dir / (L"dst\\" + name)).c_str()), INVALID_FILE_ATTRIBUTES) << ToUtf8(name);
        EXPECT_FALSE(DirectoryExists(dir / L"src\\d")) << c.mode;  // emptied and removed
        EXPECT_TRUE(FileExists(dir / L"src\\loose.txt"));
    }
}

TEST(CopyJobTest, CopyToAllSelectedDirectories) {
    TempDir dir;
    dir.WriteFile(L"src\\f.txt", "f");
    dir.MakeDir(L"other\\t1");
    dir.MakeDir(L"other\\t2");
    dir.WriteFile(L"other\\plain.txt", "not a directory");
    CopyRig rig;
    rig.options.mode = kModeCopyToAll;
    rig.input.source = Select(dir / L"src", {L"f.txt"});
    rig.input.other = Select(dir / L"other", {L"t1", L"plain.txt", L"t2"});
    CopyJob job = rig.Make();
    ASSERT_TRUE(job.Run());
    EXPECT_EQ(ReadFileBytes(dir / L"other\\t1\\f.txt"), "f");
    EXPECT_EQ(ReadFileBytes(dir / L"other\\t2\\f.txt"), "f");
}

TEST(CopyJobTest, DroppedPathsThatVanishedArePassedOver) {
    TempDir dir;
    const std::wstring a = dir.WriteFile(L"drop\\a.txt", "a");
    CopyRig rig;
    rig.options.mode = kModeDropCopy;
    rig.input.dropped = {dir / L"drop\\gone.txt", a};
    rig.input.destination = dir / L"dst";
    CopyJob job = rig.Make();
    ASSERT_TRUE(job.Run());
    EXPECT_EQ(ReadFileBytes(dir / L"dst\\a.txt"), "a");
    EXPECT_TRUE(rig.asker.asked.empty());
}

TEST(CopyJobTest, VirtualDestinationGetsPathsAndLogsWhatItCannotAdd) {
    TempDir dir;
    dir.WriteFile(L"src\\a.txt", "a");
    dir.WriteFile(L"src\\gone.txt", "g");
    dir.WriteFile(L"src\\refused.txt", "r");
    CopyRig rig;
    rig.virtualDrives.virtualPrefix = dir / L"virt";
    rig.virtualDrives.refuseName = L"refused.txt";
    rig.options.mode = kModeMove;
    rig.options.noQuestion = true;
    rig.options.programDirectory = dir.Path();
    rig.Always(CopyWay::Overwrite);
    rig.From(dir / L"src", {L"a.txt", L"gone.txt", L"refused.txt"}, dir / L"virt");
    ::DeleteFileW((dir / L"src\\gone.txt").c_str());
    CopyJob job = rig.Make();
    ASSERT_TRUE(job.Run());
    EXPECT_FALSE(DirectoryExists(dir / L"virt"));
    EXPECT_EQ(rig.virtualDrives.added, std::vector<std::wstring>{dir / L"virt" + L"|" + dir / L"src\\a.txt"});
    // A real source stays where it is: the virtual drive only points at it.
    EXPECT_TRUE(FileExists(dir / L"src\\a.txt"));
    EXPECT_TRUE(FileExists(dir / L"src\\refused.txt"));
    const std::wstring log =
        L"ExistFile,0," + dir / L"src\\gone.txt" + L"\r\nAddToVirtualDrive,0," + dir / L"virt" + L"\\refused.txt\r\n";
    EXPECT_EQ(ReadFileBytes(job.ErrorLog().FilePath()), LogBytes(log));
}

TEST(CopyJobTest, FromAVirtualListingTheRealFilesAreReadAndAMoveOnlyForgetsThem) {
    TempDir dir;
    dir.WriteFile(L"real1\\a.txt", "from one");
    dir.WriteFile(L"real2\\b.txt", "from two");
    for (const unsigned mode : {kModeCopy, kModeMove}) {
        CopyRig rig;
        rig.options.mode = mode;
        rig.options.noQuestion = true;
        rig.Always(CopyWay::Overwrite);
        // As the Filer hands out a virtual directory: each entry with the real directory it points at.
        rig.From(L"V:\\docs", {}, dir / L"out");
        rig.input.source.isVirtual = true;
        for (const wchar_t* real : {L"real1\\a.txt", L"real2\\b.txt"}) {
            rig.input.source.entries.push_back(FindOf(dir / real));
            const std::wstring path = dir / real;
            rig.input.source.entryDirectories.push_back(path.substr(0, path.rfind(L'\\')));
        }
        CopyJob job = rig.Make();
        ASSERT_TRUE(job.Run());
        EXPECT_EQ(ReadFileBytes(dir / L"out\\a.txt"), "from one");
        EXPECT_EQ(ReadFileBytes(dir / L"out\\b.txt"), "from two");
        EXPECT_TRUE(FileExists(dir / L"real1\\a.txt")) << "mode " << mode << ": the real file stays";
        const std::vector<std::wstring> forgotten = {L"V:\\docs|" + dir / L"real1\\a.txt",
                                                     L"V:\\docs|" + dir / L"real2\\b.txt"};
        EXPECT_EQ(rig.virtualDrives.removed, mode == kModeMove ? forgotten : std::vector<std::wstring>{});
        RemoveTree(dir / L"out");
    }
}

}  // namespace
}  // namespace zq::fileops
