#include <gtest/gtest.h>

#include <cwchar>

#include <set>
#include <string>
#include <vector>

#include "filer/VirtualDrive.h"
#include "filer/VirtualDriveSource.h"
#include "main/TempDir.h"
#include "settings/IniFile.h"

using zq::VirtualDriveStore;
using zq::VirtualNode;

namespace {

// "M:\docs\" for a directory, "M:\docs\a.txt <- D:\real" for a file, in tree order.
void Flatten(const VirtualNode& node, const std::wstring& path, std::vector<std::wstring>& out) {
    for (const VirtualNode& child : node.children) {
        const std::wstring at = path + L"\\" + child.name;
        out.push_back(child.directory ? at + L"\\" : at + L" <- " + child.realDirectory);
        if (child.directory) Flatten(child, at, out);
    }
}

std::vector<std::wstring> Tree(const VirtualDriveStore& store) {
    std::vector<std::wstring> out;
    Flatten(store.Root(), std::wstring{store.Letter(), L':'}, out);
    return out;
}

std::vector<std::wstring> Listed(zq::IListingSource& source, const std::wstring& directory,
                                 const std::wstring& pattern = L"*.*") {
    std::vector<std::wstring> names;
    source.Enumerate(directory, pattern, [&](zq::FileEntry& e) {
        names.push_back(e.cFileName);
        return true;
    });
    return names;
}

using Strings = std::vector<std::wstring>;

}  // namespace

TEST(VirtualDriveStore, SavedAndLoadedBackTheTreeIsTheSameExceptFilesWhoseRealFileIsGone) {
    const zq::test::TempDir dir;
    VirtualDriveStore store(L'm');
    ASSERT_TRUE(store.AddDirectory(L"M:\\docs\\old"));
    ASSERT_TRUE(store.AddFile(L"M:\\docs", L"a.txt", L"D:\\real"));
    ASSERT_TRUE(store.AddFile(L"", L"top.txt", L"D:\\real"));
    ASSERT_TRUE(store.AddFile(L"M:\\new\\deeper", L"b.txt", L"E:\\b"));  // directories on the way are made
    ASSERT_TRUE(store.AddFile(L"M:\\DOCS", L"A.TXT", L"D:\\other")) << "a name already there is repointed";
    EXPECT_FALSE(store.AddFile(L"M:\\docs", L"old", L"D:\\real")) << "a directory is not replaced by a file";
    EXPECT_EQ(zq::RealPathOf(store, L"M:\\docs\\a.txt"), L"D:\\other\\a.txt");
    EXPECT_EQ(zq::RealPathOf(store, L"M:\\docs"), L"") << "a directory has no real path";
    EXPECT_EQ(zq::RealPathOf(store, L"M:\\docs\\none.txt"), L"");

    const std::wstring file = zq::VirtualStoreFile(dir.Path(), L'm');
    EXPECT_EQ(file, dir / L"M_Drive.ini");
    ASSERT_TRUE(store.Save(file));

    zq::IniFile ini(file);
    ASSERT_EQ(ini.Load(), zq::IniLoadResult::Loaded);
    std::wstring_view value;
    ASSERT_TRUE(ini.Find(L"DIR", L"00000", value));
    EXPECT_EQ(value, L"M:\\docs");

    VirtualDriveStore back(L'M');
    back.Load(ini, [](const std::wstring& path) { return path != L"E:\\b\\b.txt"; });
    EXPECT_EQ(Tree(back), (Strings{L"M:\\docs\\", L"M:\\docs\\old\\", L"M:\\docs\\a.txt <- D:\\other", L"M:\\new\\",
                                   L"M:\\new\\deeper\\", L"M:\\top.txt <- D:\\real"}));

    EXPECT_TRUE(back.RemoveFile(L"M:\\docs", L"d:\\OTHER", L"a.txt"));
    EXPECT_FALSE(back.RemoveFile(L"M:\\docs", L"D:\\other", L"a.txt")) << "already gone";
}

TEST(VirtualDrives, ARealDriveOfTheSameLetterHidesTheStoreUntilItGoesAgain) {
    const zq::test::TempDir dir;
    std::array<int, 26> enabled{};
    enabled[L'M' - L'A'] = 1;
    zq::VirtualDrives drives(dir.Path(), [](const std::wstring&) { return true; });
    drives.Refresh(enabled, 0);
    ASSERT_NE(drives.ForPath(L"m:\\x"), nullptr);
    EXPECT_EQ(drives.LoadedMask(), 1u << (L'M' - L'A'));
    drives.For(L'M')->AddFile(L"M:\\d", L"f.txt", L"C:\\r");

    drives.Refresh(enabled, 1u << (L'M' - L'A'));  // a stick that takes the letter M
    EXPECT_EQ(drives.For(L'M'), nullptr);
    EXPECT_FALSE(zq::test::ReadFileBytes(dir / L"M_Drive.ini").empty()) << "saved when hidden";

    drives.Refresh(enabled, 0);
    ASSERT_NE(drives.For(L'M'), nullptr);
    EXPECT_EQ(zq::RealPathOf(*drives.For(L'M'), L"M:\\d\\f.txt"), L"C:\\r\\f.txt") << "loaded back";

    enabled[L'M' - L'A'] = 0;
    drives.Refresh(enabled, 0);
    EXPECT_EQ(drives.LoadedMask(), 0u) << "a letter no longer enabled";
}

TEST(VirtualDriveSource, ListsDirectoriesAndTheRecordsOfRealFilesStillThere) {
    const zq::test::TempDir dir;
    const std::wstring real = dir.MakeDir(L"real");
    dir.WriteFile(L"real\\Keep.TXT", "12345");
    dir.WriteFile(L"real\\gone.txt", "x");
    zq::VirtualDrives drives(dir.Path());
    std::array<int, 26> enabled{};
    enabled[L'V' - L'A'] = 1;
    drives.Refresh(enabled, 0);
    VirtualDriveStore& store = *drives.For(L'V');
    store.AddDirectory(L"V:\\docs\\sub");
    store.AddFile(L"V:\\docs", L"keep.txt", real);
    store.AddFile(L"V:\\docs", L"gone.txt", real);
    store.AddFile(L"V:\\docs", L"note.log", real);  // never existed
    ASSERT_TRUE(::DeleteFileW((dir / L"real\\gone.txt").c_str()));

    zq::VirtualDriveSource source(drives);
    EXPECT_TRUE(source.Claims(L"V:\\docs"));
    EXPECT_FALSE(source.Claims(L"W:\\docs"));
    EXPECT_TRUE(source.CanEnter(L"V:\\docs\\sub"));
    EXPECT_FALSE(source.CanEnter(L"V:\\docs\\keep.txt")) << "a file is not entered";
    EXPECT_EQ(Listed(source, L"V:\\docs"), (Strings{L"sub", L"Keep.TXT"})) << "listed under the real file's name";
    EXPECT_EQ(Listed(source, L"V:\\docs", L"*.log"), Strings{});
    EXPECT_NE(store.Find(L"V:\\docs\\gone.txt"), nullptr) << "left out of the listing, kept in the store";

    zq::FileEntry record{};
    source.Enumerate(L"V:\\docs", L"keep.txt", [&](zq::FileEntry& e) {
        record = e;
        return false;
    });
    EXPECT_EQ(record.nFileSizeLow, 5u) << "the real file's own record";
    zq::FileEntry own{};
    ASSERT_TRUE(source.Describe(L"V:\\docs", own));
    EXPECT_EQ(own.dwFileAttributes, 0x90u);

    // Viewing and copying take a file from its real directory; a directory stays where it is listed.
    EXPECT_TRUE(source.EntriesOnDisk());
    zq::FileEntry file{};
    std::wcscpy(file.cFileName, L"keep.txt");
    EXPECT_EQ(source.EntryDirectory(L"V:\\docs", file), real);
    zq::FileEntry sub{};
    std::wcscpy(sub.cFileName, L"sub");
    EXPECT_EQ(source.EntryDirectory(L"V:\\docs", sub), L"V:\\docs");
}
