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

TEST(ArchiveSync, FilesComeOutIntoTheirFoldersAndGoInWithOneAddCall) {
    // A ZIP archive is named to the add command without its extension, unless
    // what is left has one of its own.
    EXPECT_EQ(ArchiveAddCommand(1, L"C:\\p.ZIP", L"D:\\s", {L"a b.txt"}), LR"(-r -S "C:\p" "D:\s\" "a b.txt")");
    EXPECT_EQ(ArchiveAddCommand(1, L"C:\\v1.2\\p.v2.zip", L"D:\\s", {L"a"}),
              LR"(-r -S "C:\v1.2\p.v2.zip" "D:\s\" "a")");
    EXPECT_EQ(ArchiveAddCommand(1, L"C:\\v1.2\\p.zip", L"D:\\s", {L"a"}), LR"(-r -S "C:\v1.2\p" "D:\s\" "a")");
    zq::test::TempDir dir;
    test::ScriptedAsker asker;
    const std::wstring library = JoinPath(ModuleDirectory(), L"..\\..\\bin\\Unbypass.dll");
    const ArchiveSyncSide zip{1, dir / L"arc", L"plain.zip", library, "UnZip", "Zip"};
    dir.MakeDir(L"arc");
    ASSERT_TRUE(::CopyFileW(JoinPath(ModuleDirectory(), L"archiver-fixtures\\plain.zip").c_str(),
                            (dir / L"arc\\plain.zip").c_str(), FALSE));
    // The archive as the source: direction 1 takes a file out, 0 leaves it in.
    EXPECT_TRUE(
        RunArchiveSync(zip, true, dir.Path(), {Line(L"dir\\sub\\b.txt", 1), Line(L"a.txt", 0)}, nullptr, asker));
    EXPECT_EQ(ReadFileBytes(dir / L"dir\\sub\\b.txt"), "bravo\n");
    EXPECT_EQ(ReadFileBytes(dir / L"a.txt"), "");
    // As the destination: direction 2 takes a file out, 1 puts one in.
    dir.WriteFile(L"new.txt", "new");
    EXPECT_TRUE(RunArchiveSync(zip, false, dir.Path(), {Line(L"a.txt", 2), Line(L"new.txt", 1)}, nullptr, asker));
    EXPECT_EQ(ReadFileBytes(dir / L"a.txt"), "alpha\n");
    zq::test::TempDir back;
    EXPECT_TRUE(RunArchiveSync(zip, true, back.Path(), {Line(L"new.txt", 1)}, nullptr, asker));
    EXPECT_EQ(ReadFileBytes(back / L"new.txt"), "new");
    // The LHA family's add is refused by our library: the step fails.
    ArchiveSyncSide lzh = zip;
    lzh.kind = 0;
    lzh.addPrefix = "Unlha";
    EXPECT_FALSE(RunArchiveSync(lzh, false, dir.Path(), {Line(L"new.txt", 1)}, nullptr, asker));
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
