#include <gtest/gtest.h>

#include "common/Paths.h"
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
