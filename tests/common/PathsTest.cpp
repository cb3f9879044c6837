#include <gtest/gtest.h>

#include "common/Paths.h"
#include "common/TextConv.h"
#include "main/TempDir.h"

TEST(Paths, JoinPutsExactlyOneSeparator) {
    struct Case {
        const wchar_t* folder;
        const wchar_t* name;
        const wchar_t* expected;
    };
    const Case cases[] = {
        {L"C:\\zq", L"zq.ini", L"C:\\zq\\zq.ini"},
        {L"C:\\", L"zq.ini", L"C:\\zq.ini"},
        {L"C:\\zq\\", L"\\zq.ini", L"C:\\zq\\zq.ini"},
        {L"", L"zq.ini", L"zq.ini"},
    };
    for (const auto& c : cases) EXPECT_EQ(zq::JoinPath(c.folder, c.name), c.expected) << c.folder << L" + " << c.name;
}

TEST(Paths, NameAndParentParts) {
    EXPECT_EQ(zq::FileNamePart(L"C:\\a\\b.txt"), L"b.txt");
    EXPECT_EQ(zq::ParentPart(L"C:\\a\\b.txt"), L"C:\\a");
    EXPECT_EQ(zq::FileNamePart(L"plain"), L"plain");
    EXPECT_EQ(zq::ParentPart(L"plain"), L"");
}

TEST(Paths, ModuleDirectoryHoldsTheRunningExecutable) {
    const std::wstring folder = zq::ModuleDirectory();
    ASSERT_FALSE(folder.empty());
    EXPECT_NE(folder.back(), L'\\');
    EXPECT_TRUE(zq::DirectoryExists(folder));
}

TEST(Paths, ExistenceDistinguishesFilesFromFolders) {
    zq::test::TempDir dir;
    const std::wstring file = dir.WriteFile(L"日本語.txt", "x");
    EXPECT_TRUE(zq::FileExists(file));
    EXPECT_FALSE(zq::DirectoryExists(file));
    EXPECT_TRUE(zq::DirectoryExists(dir.Path()));
    EXPECT_FALSE(zq::FileExists(dir.Path()));
    EXPECT_FALSE(zq::FileExists(dir / L"missing"));
}

TEST(Paths, NormalFormsAndRootsOfDrivesSharesAndDots) {
    struct Case {
        const wchar_t* path;
        const wchar_t* normal;
        const wchar_t* folder;  // as the panes keep it
        const wchar_t* parent;
        const wchar_t* root;
    };
    const Case cases[] = {
        {L"R:", L"R:\\", L"R:", L"", L"R:\\"},
        {L"R:\\\\a.txt", L"R:\\a.txt", L"R:\\a.txt", L"R:\\", L"R:\\"},
        {L"R:a.txt", L"R:\\a.txt", L"R:\\a.txt", L"R:\\", L"R:\\"},
        {L"r:/x//y/./z/../", L"r:\\x\\y", L"r:\\x\\y", L"r:\\x", L"r:\\"},
        {L"C:\\..\\..\\a", L"C:\\a", L"C:\\a", L"C:\\", L"C:\\"},
        {L"\\\\srv\\share\\", L"\\\\srv\\share\\", L"\\\\srv\\share", L"", L"\\\\srv\\share\\"},
        {L"\\\\srv\\share\\d\\..\\e", L"\\\\srv\\share\\e", L"\\\\srv\\share\\e", L"\\\\srv\\share\\",
         L"\\\\srv\\share\\"},
        {L"\\\\?\\C:\\a\\nul.txt\\", L"\\\\?\\C:\\a\\nul.txt", L"\\\\?\\C:\\a\\nul.txt", L"\\\\?\\C:\\a",
         L"\\\\?\\C:\\"},
        {L"\\\\?\\UNC\\srv\\s\\d", L"\\\\?\\UNC\\srv\\s\\d", L"\\\\?\\UNC\\srv\\s\\d", L"\\\\?\\UNC\\srv\\s\\",
         L"\\\\?\\UNC\\srv\\s\\"},
        {L"a\\..\\..\\b", L"..\\b", L"..\\b", L"..", L""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(zq::NormalisePath(c.path), c.normal) << zq::ToUtf8(c.path);
        EXPECT_EQ(zq::FolderForm(c.path), c.folder) << zq::ToUtf8(c.path);
        EXPECT_EQ(zq::ParentPath(c.path), c.parent) << zq::ToUtf8(c.path);
        EXPECT_EQ(zq::RootOf(c.path), c.root) << zq::ToUtf8(c.path);
        EXPECT_EQ(zq::IsRootPath(c.path), zq::NormalisePath(c.path) == c.root) << zq::ToUtf8(c.path);
    }
}

// A typed destination is resolved without the process's current directories:
// "R:" is the root of R whatever the process last did there.
TEST(Paths, ResolvedDestinationsNeverDependOnTheCurrentDirectory) {
    struct Case {
        const wchar_t* base;
        const wchar_t* typed;
        const wchar_t* full;
    };
    const Case cases[] = {
        {L"Z:\\src", L"R:", L"R:\\"},
        {L"Z:\\src", L"R:sub", L"R:\\sub"},
        {L"Z:\\src", L"..\\dst", L"Z:\\dst"},
        {L"Z:\\src", L"\\top", L"Z:\\top"},
        {L"R:", L"sub", L"R:\\sub"},
        {L"\\\\srv\\share\\d", L"\\x", L"\\\\srv\\share\\x"},
        {L"", L"sub", L""},
    };
    for (const Case& c : cases) EXPECT_EQ(zq::ResolvePath(c.base, c.typed), c.full) << zq::ToUtf8(c.typed);
}

TEST(Paths, SameAndBelowCompareNormalForms) {
    EXPECT_TRUE(zq::SamePath(L"R:\\a.txt", L"R:\\\\a.txt"));
    EXPECT_TRUE(zq::SamePath(L"R:", L"r:\\"));
    EXPECT_TRUE(zq::SamePath(L"\\\\?\\C:\\A\\b", L"c:\\a\\B\\"));
    EXPECT_TRUE(zq::SamePath(L"\\\\?\\UNC\\srv\\s\\x", L"\\\\SRV\\s\\x"));
    EXPECT_FALSE(zq::SamePath(L"C:\\a", L"C:\\ab"));
    EXPECT_TRUE(zq::IsSameOrBelow(L"R:\\\\dir\\x", L"R:\\dir"));
    EXPECT_TRUE(zq::IsSameOrBelow(L"R:\\dir", L"R:"));
    EXPECT_FALSE(zq::IsSameOrBelow(L"R:\\dirx", L"R:\\dir"));
    EXPECT_FALSE(zq::IsSameOrBelow(L"R:\\", L"R:\\dir"));
}

TEST(Paths, DeviceNamesAndLongPathsTakeTheExtendedFormOnTheirWayToThePlatform) {
    struct Case {
        std::wstring path;
        std::wstring platform;
    };
    const std::wstring deep = L"C:\\" + std::wstring(240, L'd');
    const Case cases[] = {
        // 247 characters still fit; at 248 a directory has no room for a short name under it.
        {deep + L"\\abc", deep + L"\\abc"},
        {deep + L"\\abcd", L"\\\\?\\" + deep + L"\\abcd"},
        {deep + L"\\x\\..\\abcd", L"\\\\?\\" + deep + L"\\abcd"},
        {L"\\\\srv\\s\\" + std::wstring(250, L'u'), L"\\\\?\\UNC\\srv\\s\\" + std::wstring(250, L'u')},
        {L"C:\\d\\nul.txt", L"\\\\?\\C:\\d\\nul.txt"},
        {L"C:\\d\\AUX", L"\\\\?\\C:\\d\\AUX"},
        {L"C:\\d\\com1.log", L"\\\\?\\C:\\d\\com1.log"},
        {L"\\\\srv\\s\\lpt9", L"\\\\?\\UNC\\srv\\s\\lpt9"},
        {L"C:\\d\\nullity.txt", L"C:\\d\\nullity.txt"},
        {L"C:\\d\\com0", L"C:\\d\\com0"},
        {L"C:", L"C:\\"},
        {L"C:x.txt", L"C:\\x.txt"},
        {L"nul.txt", L"nul.txt"},  // relative: nothing to anchor the extended form to
    };
    for (const Case& c : cases) EXPECT_EQ(zq::PlatformPath(c.path), c.platform) << zq::ToUtf8(c.path);
}
