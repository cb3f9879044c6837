// The synchronised copy with an archive side, through our own Unbypass.dll.
#include <gtest/gtest.h>

#include "common/Paths.h"
#include "fileops/ArchiveSync.h"
#include "fileops/ScriptedAskers.h"
#include "fileops/SyncJob.h"
#include "main/TempDir.h"

namespace zq::fileops {
namespace {

using zq::test::ReadFileBytes;

StructSyncData Line(const std::wstring& path, unsigned direction) {
    return {path, direction, false, {}, {}};
}

TEST(ArchiveSync, FilesComeOutIntoTheirFoldersAndAnAddTheLibraryLacksLosesNothing) {
    // A ZIP archive is named to the add command without its extension.
    EXPECT_EQ(ArchiveAddCommand(1, L"C:\\p.ZIP", L"D:\\s", {L"a b.txt"}), LR"(-r -S "C:\p" "D:\s\" "a b.txt")");
    zq::test::TempDir dir;
    test::ScriptedAsker asker;
    const ArchiveSyncSide zip{1,
                              JoinPath(ModuleDirectory(), L"archiver-fixtures"),
                              L"plain.zip",
                              JoinPath(ModuleDirectory(), L"..\\..\\bin\\Unbypass.dll"),
                              "UnZip",
                              "Zip"};
    const std::string before = ReadFileBytes(JoinPath(zip.archiveDirectory, zip.archiveName));
    ASSERT_FALSE(before.empty());
    // The archive as the source: direction 1 takes a file out, 0 leaves it in.
    EXPECT_TRUE(
        RunArchiveSync(zip, true, dir.Path(), {Line(L"dir\\sub\\b.txt", 1), Line(L"a.txt", 0)}, nullptr, asker));
    EXPECT_EQ(ReadFileBytes(dir / L"dir\\sub\\b.txt"), "bravo\n");
    EXPECT_EQ(ReadFileBytes(dir / L"a.txt"), "");
    // As the destination: direction 2 takes a file out; our library has no
    // add command, so the file bound for the archive fails and nothing changes.
    dir.WriteFile(L"new.txt", "new");
    EXPECT_FALSE(RunArchiveSync(zip, false, dir.Path(), {Line(L"a.txt", 2), Line(L"new.txt", 1)}, nullptr, asker));
    EXPECT_EQ(ReadFileBytes(dir / L"a.txt"), "alpha\n");
    EXPECT_EQ(ReadFileBytes(dir / L"new.txt"), "new");
    EXPECT_EQ(ReadFileBytes(JoinPath(zip.archiveDirectory, zip.archiveName)), before);
    // A folder that cannot be made (a file stands there) ends the step with the message.
    dir.WriteFile(L"blocked", "x");
    EXPECT_FALSE(RunArchiveSync(zip, true, dir.Path(), {Line(L"blocked\\b.txt", 1)}, nullptr, asker));
    EXPECT_EQ(asker.told, std::vector<std::wstring>{kSyncMakeDirectoryFailedText});
    // Another kind does nothing at all.
    ArchiveSyncSide cab = zip;
    cab.kind = 2;
    EXPECT_FALSE(RunArchiveSync(cab, true, dir / L"cab", {Line(L"a.txt", 1)}, nullptr, asker));
    EXPECT_EQ(::GetFileAttributesW((dir / L"cab").c_str()), INVALID_FILE_ATTRIBUTES);
}

}  // namespace
}  // namespace zq::fileops
