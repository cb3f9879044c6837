// The synchronised copy with an archive side: the command lines handed to the
// archiver library, and what a run through our own Unbypass.dll leaves on disk.
#include <gtest/gtest.h>

#include "common/Paths.h"
#include "fileops/ArchiveSync.h"
#include "fileops/ScriptedAskers.h"
#include "fileops/SyncJob.h"
#include "main/TempDir.h"

namespace zq::fileops {
namespace {

using zq::test::ReadFileBytes;

TEST(ArchiveSync, CommandLinesOfTheTwoArchiveKinds) {
    EXPECT_EQ(ArchiveExtractCommand(0, L"C:\\a b\\x.lzh", L"D:\\out\\d", L"d\\f.txt"),
              LR"(e -d0 -c1 -m1 -p1 "C:\a b\x.lzh" "D:\out\d\" "d\f.txt")");
    EXPECT_EQ(ArchiveExtractCommand(1, L"C:\\x.zip", L"D:\\", L"f.txt"), LR"(-x -j -o "C:\x.zip" "D:\" "f.txt")");
    EXPECT_EQ(ArchiveExtractCommand(2, L"C:\\x.cab", L"D:\\", L"f.txt"), L"");
    // A ZIP archive is named without its extension, whatever its case; an LHA one keeps it.
    EXPECT_EQ(ArchiveAddCommand(1, L"C:\\p.ZIP", L"D:\\src", {L"a.txt", L"s\\b c.txt"}),
              LR"(-r -S "C:\p" "D:\src\" "a.txt" "s\b c.txt")");
    EXPECT_EQ(ArchiveAddCommand(0, L"C:\\p.lzh", L"D:\\src\\", {L"a.txt"}),
              LR"(a -d1 -c1 "C:\p.lzh" "D:\src\" "a.txt")");
    EXPECT_EQ(ArchiveAddCommand(7, L"C:\\p.7z", L"D:\\src", {L"a.txt"}), L"");
}

ArchiveSyncSide PlainZip() {
    ArchiveSyncSide side;
    side.kind = 1;
    side.archiveDirectory = JoinPath(ModuleDirectory(), L"archiver-fixtures");
    side.archiveName = L"plain.zip";
    side.libraryPath = JoinPath(ModuleDirectory(), L"..\\..\\bin\\Unbypass.dll");
    side.extractPrefix = "UnZip";
    side.addPrefix = "Zip";
    return side;
}

StructSyncData Line(const std::wstring& path, unsigned direction) {
    StructSyncData line;
    line.relativePath = path;
    line.direction = direction;
    return line;
}

TEST(ArchiveSync, FilesComeOutIntoTheirFoldersAndAnAddTheLibraryLacksFailsLosingNothing) {
    zq::test::TempDir dir;
    test::ScriptedAsker asker;
    const ArchiveSyncSide zip = PlainZip();
    const std::wstring archive = JoinPath(zip.archiveDirectory, zip.archiveName);
    const std::string before = ReadFileBytes(archive);
    ASSERT_FALSE(before.empty());

    // The archive is the source: direction 1 takes the file out, 0 leaves it in.
    EXPECT_TRUE(RunArchiveSync(zip, true, dir.Path(),
                               {Line(L"dir\\sub\\b.txt", kSyncToDestination), Line(L"a.txt", kSyncNone)}, nullptr,
                               asker));
    EXPECT_EQ(ReadFileBytes(dir / L"dir\\sub\\b.txt"), "bravo\n");
    EXPECT_EQ(::GetFileAttributesW((dir / L"a.txt").c_str()), INVALID_FILE_ATTRIBUTES);

    // The archive is the destination: direction 2 takes it out.  Our library
    // has no add command, so a file bound for the archive fails and the
    // archive is as it was.
    const std::wstring mine = dir.WriteFile(L"new.txt", "new");
    EXPECT_FALSE(RunArchiveSync(zip, false, dir.Path(),
                                {Line(L"a.txt", kSyncToSource), Line(L"new.txt", kSyncToDestination)}, nullptr, asker));
    EXPECT_EQ(ReadFileBytes(dir / L"a.txt"), "alpha\n");
    EXPECT_EQ(ReadFileBytes(mine), "new");
    EXPECT_EQ(ReadFileBytes(archive), before);

    // A folder that cannot be made (a file stands there) ends the step with the Part's message.
    dir.WriteFile(L"blocked", "x");
    EXPECT_FALSE(RunArchiveSync(zip, true, dir.Path(), {Line(L"blocked\\b.txt", kSyncToDestination)}, nullptr, asker));
    ASSERT_EQ(asker.told.size(), 1u);
    EXPECT_EQ(asker.told[0], kSyncMakeDirectoryFailedText);

    // Another kind does nothing at all.
    ArchiveSyncSide cab = zip;
    cab.kind = 2;
    EXPECT_FALSE(RunArchiveSync(cab, true, dir / L"cab", {Line(L"a.txt", kSyncToDestination)}, nullptr, asker));
    EXPECT_EQ(::GetFileAttributesW((dir / L"cab").c_str()), INVALID_FILE_ATTRIBUTES);
}

}  // namespace
}  // namespace zq::fileops
