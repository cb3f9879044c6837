// ArchiveHandle against the real Unbypass.dll and the archiver tests' archives.
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "archive/ArchiveHandle.h"
#include "archive/ArchiveSource.h"
#include "common/Paths.h"
#include "archive/ArchiveTestSupport.h"
#include "main/TempDir.h"

namespace zq {
namespace {

// The names of a listing in order, folders with a trailing "\".
std::wstring Names(const std::vector<FileEntry>& entries) {
    std::vector<std::wstring> names;
    for (const auto& e : entries)
        names.push_back(std::wstring(e.cFileName) + ((e.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) ? L"\\" : L""));
    std::sort(names.begin(), names.end());
    std::wstring joined;
    for (const auto& n : names) joined += (joined.empty() ? L"" : L" ") + n;
    return joined;
}

TEST(ArchiveHandle, ListsFoldersImpliedByMemberPathsAndConvertsShiftJisNames) {
    struct Case {
        const wchar_t* fixture;
        const wchar_t* folder;
        const wchar_t* pattern;
        bool forFolders;
        const wchar_t* names;
    } cases[] = {
        {L"plain.zip", L"", L"*.*", false, L"a.txt dir\\"},
        {L"plain.zip", L"DIR", L"*.*", false, L"sub\\"},
        {L"plain.zip", L"dir\\sub", L"*.*", false, L"b.txt"},
        {L"plain.tar.gz", L"dir\\sub", L"*.*", false, L"b.txt"},
        {L"plain.zip", L"", L"b*", true, L""},
        {L"plain.zip", L"", L"d*", true, L"dir\\"},
        {L"plain.zip", L"", L"a*.*", false, L"a.txt dir\\"},
        // Every member lies in a folder: the root shows only the folder.
        {L"utf8.zip", L"", L"*.*", false, L"日本語\\"},
        {L"utf8.zip", L"日本語", L"*.*", false, L"表.txt"},
        // 表 and ソ end in the byte 0x5C in Shift_JIS; only the slash separates.
        {L"sjis.zip", L"", L"*.*", false, L"日本語.txt 表\\"},
        {L"sjis.zip", L"表", L"*.*", false, L"ソ.txt"},
        {L"empty.zip", L"", L"*.*", false, L""},
    };
    for (const auto& c : cases) {
        ArchiveHandle archive;
        ASSERT_TRUE(archive.Open(DefaultArchiverTable(), test::ArchiverLibrary(), test::ArchiverFixtures(), c.fixture))
            << c.fixture;
        EXPECT_EQ(Names(archive.ListFolder(c.folder, c.pattern, c.forFolders)), c.names)
            << c.fixture << L" " << c.folder;
    }
}

TEST(ArchiveHandle, FailsWithoutAnAcceptingLibrary) {
    ArchiveHandle archive;
    EXPECT_FALSE(
        archive.Open(DefaultArchiverTable(), test::ArchiverLibrary(), test::ArchiverFixtures(), L"notarchive.txt"));
    EXPECT_FALSE(archive.Open(DefaultArchiverTable(), L"Z:\\no\\Unbypass.dll", test::ArchiverFixtures(), L"plain.zip"));
    EXPECT_FALSE(
        archive.Open(DefaultArchiverTable(), test::ArchiverLibrary(), test::ArchiverFixtures(), L"missing.zip"));
    EXPECT_FALSE(archive.IsOpen());
}

TEST(ConvertLibraryEntry, SplitsFoldersDropsFolderEntriesAndReadsAttributes) {
    struct Case {
        const char* name;
        const char* attributes;
        bool recorded;
        const wchar_t* folder;
        const wchar_t* file;
        DWORD attr;
    } cases[] = {
        {"dir/sub/file.txt", "----A", true, L"dir\\sub", L"file.txt", FILE_ATTRIBUTE_ARCHIVE},
        {"/lead.txt", "RH-S-", true, L"", L"lead.txt",
         FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM},
        {"dir/", "---DA", false, L"", L"", 0},
        {"dir", "---D-", false, L"", L"", 0},
        {"plain", "-----", true, L"", L"plain", FILE_ATTRIBUTE_NORMAL},
        {"\x95\x5C\\\x83\x5C.txt", "", true, L"表", L"ソ.txt", FILE_ATTRIBUTE_NORMAL},
    };
    for (const auto& c : cases) {
        arc::INDIVIDUALINFO info{};
        std::strcpy(info.szFileName, c.name);
        std::strcpy(info.szAttribute, c.attributes);
        info.dwOriginalSize = 77;
        info.wDate = static_cast<WORD>(((2021 - 1980) << 9) | (3 << 5) | 4);
        info.wTime = static_cast<WORD>((5 << 11) | (6 << 5) | 4);
        StructArchiveMember member;
        ASSERT_EQ(ConvertLibraryEntry(info, member), c.recorded) << c.name;
        if (!c.recorded) continue;
        EXPECT_EQ(member.folder, c.folder) << c.name;
        EXPECT_STREQ(member.find.cFileName, c.file) << c.name;
        EXPECT_EQ(member.find.dwFileAttributes, c.attr) << c.name;
        EXPECT_EQ(member.find.nFileSizeLow, 77u);
        FILETIME local{};
        SYSTEMTIME when{};
        ASSERT_TRUE(::FileTimeToLocalFileTime(&member.find.ftLastWriteTime, &local));
        ASSERT_TRUE(::FileTimeToSystemTime(&local, &when));
        EXPECT_EQ(when.wYear * 10000 + when.wMonth * 100 + when.wDay, 20210304);
        EXPECT_EQ(when.wHour * 10000 + when.wMinute * 100 + when.wSecond, 50608);
    }
}

TEST(ArchiveHandle, ExtractsOneMemberUpToTheLimit) {
    struct Case {
        const wchar_t* fixture;
        const wchar_t* folder;
        const wchar_t* name;
        size_t limit;
        const char* data;
    } cases[] = {
        {L"plain.zip", L"dir\\sub", L"b.txt", 1000, "bravo\n"}, {L"plain.zip", L"DIR\\SUB", L"B.TXT", 3, "bra"},
        {L"plain.tar.gz", L"", L"a.txt", 1000, "alpha\n"},      {L"sjis.zip", L"表", L"ソ.txt", 1000, "sjis folder\n"},
        {L"utf8.zip", L"日本語", L"表.txt", 1000, "utf8\n"},
    };
    for (const auto& c : cases) {
        ArchiveHandle archive;
        ASSERT_TRUE(archive.Open(DefaultArchiverTable(), test::ArchiverLibrary(), test::ArchiverFixtures(), c.fixture))
            << c.fixture;
        UniqueLocal block;
        size_t size = 99;
        ASSERT_TRUE(archive.ExtractToMemory(c.folder, c.name, c.limit, block, size)) << c.fixture << L" " << c.name;
        ASSERT_EQ(size, std::strlen(c.data));
        const char* bytes = static_cast<const char*>(block.Get());
        EXPECT_EQ(std::string(bytes, size), c.data);
        EXPECT_EQ(bytes[size], '\0');
    }
    ArchiveHandle archive;
    ASSERT_TRUE(archive.Open(DefaultArchiverTable(), test::ArchiverLibrary(), test::ArchiverFixtures(), L"plain.zip"));
    UniqueLocal block;
    size_t size = 0;
    EXPECT_FALSE(archive.ExtractToMemory(L"", L"b.txt", 1000, block, size));
}

TEST(ArchiveSource, SplitsLocationsAtTheArchiveFileAndClimbsOutOfIt) {
    test::TempDir temp;
    const std::wstring zip = temp / L"a b.zip";
    ASSERT_TRUE(::CopyFileW(JoinPath(test::ArchiverFixtures(), L"plain.zip").c_str(), zip.c_str(), FALSE));
    ArchiveSource source([] { return test::ArchiverLibrary(); });
    ArchiveSource::Location split;
    ASSERT_TRUE(ArchiveSource::Split(zip + L"\\dir\\sub", split));
    EXPECT_EQ(split.archive, zip);
    EXPECT_EQ(split.folder, L"dir\\sub");
    EXPECT_FALSE(ArchiveSource::Split(temp.Path(), split));
    EXPECT_FALSE(source.Claims(temp.Path()));
    EXPECT_TRUE(source.Claims(zip));
    EXPECT_TRUE(source.CanEnter(zip + L"\\dir\\sub"));
    EXPECT_FALSE(source.CanEnter(zip + L"\\nothing"));
    EXPECT_EQ(source.Up(zip + L"\\dir").path, zip);
    EXPECT_EQ(source.Up(zip).path, temp.Path());
    HLOCAL block = nullptr;
    size_t length = 0;
    ASSERT_TRUE(source.ReadEntry(zip + L"\\dir\\sub", L"b.txt", 100, block, length));
    EXPECT_EQ(std::string(static_cast<const char*>(block), length), "bravo\n");
    ::LocalFree(block);
}

}  // namespace
}  // namespace zq
