#include <gtest/gtest.h>

#include "common/DirTreeCache.h"
#include "main/TempDir.h"

using zq::DirTreeCache;
using Names = std::vector<std::wstring>;

namespace {

// A disk of three folders; counts what is read from it.
struct FakeDisk {
    int reads = 0;
    DirTreeCache::Reader Reader() {
        return [this](const std::wstring& folder) -> std::optional<Names> {
            ++reads;
            if (folder == L"C:\\") return Names{L"b", L"A B", L"a"};
            if (folder == L"C:\\a") return Names{L"x"};
            if (folder == L"C:\\A B") return Names{};
            return std::nullopt;
        };
    }
};

}  // namespace

TEST(DirTreeCache, ReadsAFolderOnceSortedAndRetriesOneThatFailed) {
    FakeDisk disk;
    DirTreeCache cache;
    EXPECT_EQ(cache.SubFolders(L"C:", disk.Reader()), (Names{L"a", L"A B", L"b"}));
    EXPECT_EQ(cache.SubFolders(L"c:\\", disk.Reader()), (Names{L"a", L"A B", L"b"}));  // any form of the same folder
    EXPECT_EQ(disk.reads, 1);
    EXPECT_TRUE(cache.SubFolders(L"C:\\gone", disk.Reader()).empty());
    EXPECT_FALSE(cache.Known(L"C:\\gone"));  // a failed read is tried again next time
    (void)cache.SubFolders(L"C:\\gone", disk.Reader());
    EXPECT_EQ(disk.reads, 3);
}

TEST(DirTreeCache, ForgetTakesTheBranchAndLeavesNeighboursThatSortBetween) {
    FakeDisk disk;
    DirTreeCache cache;
    for (const wchar_t* folder : {L"C:\\", L"C:\\a", L"C:\\A B"}) (void)cache.SubFolders(folder, disk.Reader());
    cache.Forget(L"C:\\A\\");
    EXPECT_FALSE(cache.Known(L"C:\\a"));
    EXPECT_TRUE(cache.Known(L"C:\\A B"));
    EXPECT_TRUE(cache.Known(L"C:\\"));
    cache.Forget(L"C:");
    EXPECT_TRUE(cache.Empty());
}

TEST(DirTreeCache, SavedTreeComesBackAndForeignFilesAreIgnored) {
    zq::test::TempDir dir;
    DirTreeCache cache;
    (void)cache.SubFolders(L"C:\\", [](const std::wstring&) { return std::optional<Names>(Names{L"日本語", L"b c"}); });
    (void)cache.SubFolders(L"C:\\b c", [](const std::wstring&) { return std::optional<Names>(Names{}); });
    const std::wstring file = dir / L"tree.dat";
    ASSERT_TRUE(cache.Save(file));
    DirTreeCache loaded = DirTreeCache::Load(file);
    EXPECT_EQ(loaded.Serialize(), cache.Serialize());
    EXPECT_TRUE(loaded.Known(L"C:\\b c"));
    EXPECT_TRUE(loaded.SubFolders(L"C:\\b c", nullptr).empty());

    // Lines without a full path are skipped; a file without the mark is not ours.
    EXPECT_EQ(DirTreeCache::Parse(L"junk\r\nD:\\\tx\t\ty\r\n").SubFolders(L"D:\\", nullptr), (Names{L"x", L"y"}));
    EXPECT_TRUE(DirTreeCache::Load(dir.WriteFile(L"plain.dat", "C:\\\tx\r\n")).Empty());
    EXPECT_TRUE(DirTreeCache::Load(dir / L"missing.dat").Empty());
}

TEST(DirTreeCache, ChainRunsFromTheRootDown) {
    EXPECT_EQ(DirTreeCache::Chain(L"C:\\a\\b\\"), (Names{L"C:\\", L"C:\\a", L"C:\\a\\b"}));
    EXPECT_EQ(DirTreeCache::Chain(L"C:"), (Names{L"C:\\"}));
    EXPECT_EQ(DirTreeCache::Chain(L"\\\\server\\share\\d"), (Names{L"\\\\server\\share\\", L"\\\\server\\share\\d"}));
    EXPECT_TRUE(DirTreeCache::Chain(L"").empty());
}
