// Archives that are broken, foreign, huge or odd, browsed and unpacked through
// the real Unbypass.dll: each ends in a message or a listing, never in a
// crash, and nothing lands outside the destination or half-written inside it.
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>

#include "archive/ArchiveHandle.h"
#include "archive/UnpackJob.h"
#include "common/Paths.h"
#include "archive/ArchiveTestSupport.h"
#include "main/TempDir.h"

namespace zq {
namespace {

// Every file below `folder`, as paths relative to it.
void FilesBelow(const std::wstring& folder, const std::wstring& prefix, std::vector<std::wstring>& files) {
    WIN32_FIND_DATAW data;
    const HANDLE find = ::FindFirstFileW((folder + L"\\*").c_str(), &data);
    if (find == INVALID_HANDLE_VALUE) return;
    do {
        const std::wstring name = data.cFileName;
        if (name == L"." || name == L"..") continue;
        if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
            FilesBelow(folder + L"\\" + name, prefix + name + L"\\", files);
        else
            files.push_back(prefix + name);
    } while (::FindNextFileW(find, &data));
    ::FindClose(find);
}

std::vector<std::wstring> FilesBelow(const std::wstring& folder) {
    std::vector<std::wstring> files;
    FilesBelow(folder, L"", files);
    std::sort(files.begin(), files.end());
    return files;
}

bool Opens(const wchar_t* name, ArchiveHandle& archive) {
    return archive.Open(DefaultArchiverTable(), test::ArchiverLibrary(), test::ArchiverFixtures(), name);
}

TEST(ArchiveBadInput, BrokenForeignAndLockedArchivesAreToldAndTheJobGoesOn) {
    struct Case {
        const wchar_t* name;
        bool lists;
    } cases[] = {
        {L"zero.zip", false},   {L"fake.zip", false},  {L"truncated.zip", false},
        {L"corrupt.zip", true}, {L"secret.zip", true},
    };
    test::TempDir out;
    std::vector<UnpackJob::Item> items;
    for (const Case& c : cases) {
        ArchiveHandle archive;
        EXPECT_EQ(Opens(c.name, archive), c.lists) << c.name;
        items.push_back({test::ArchiverFixtures(), c.name});
    }
    items.push_back({test::ArchiverFixtures(), L"plain.zip"});
    test::ScriptedQuestions questions;
    UnpackJob job(DefaultArchiverTable(), test::ArchiverLibrary(), {out.Path()}, items, questions);
    EXPECT_FALSE(job.Run());
    // One question per bad archive, naming it; then the good one still unpacks.
    ASSERT_EQ(questions.asked.size(), std::size(cases));
    for (size_t i = 0; i < std::size(cases); ++i) {
        EXPECT_EQ(questions.asked[i].rfind(L"ファイルの解凍に失敗しました", 0), 0u) << questions.asked[i];
        EXPECT_NE(questions.asked[i].find(std::wstring(L"\\") + cases[i].name + L"\n続けますか?"), std::wstring::npos)
            << questions.asked[i];
    }
    EXPECT_EQ(questions.asked[0],
              L"ファイルの解凍に失敗しました(対応DLLなし)\n" + test::ArchiverFixtures() + L"\\zero.zip\n続けますか?");
    EXPECT_EQ(questions.asked[4].rfind(L"ファイルの解凍に失敗しました(パスワードが違うか、指定されていません)\n", 0),
              0u)
        << questions.asked[4];
    // With the password typed in the dialog the member comes out.
    test::TempDir opened;
    UnpackRequest withPassword{opened.Path()};
    withPassword.password = L"secret";
    UnpackJob again(DefaultArchiverTable(), test::ArchiverLibrary(), withPassword,
                    {{test::ArchiverFixtures(), L"secret.zip"}}, questions);
    EXPECT_TRUE(again.Run());
    EXPECT_EQ(FilesBelow(opened.Path()), std::vector<std::wstring>{L"hidden.txt"});
    // The members of the truncated ZIP that lie whole before the break are
    // kept, as other unpackers keep them; the one cut off is not written.
    EXPECT_EQ(FilesBelow(out.Path()),
              (std::vector<std::wstring>{L"a.txt", L"dir\\sub\\b.txt", L"pics\\first.png", L"readme.txt"}));
}

TEST(ArchiveBadInput, ManyMembersHugeMembersLongAndDuplicateNamesListAndUnpack) {
    {
        ArchiveHandle archive;
        ASSERT_TRUE(Opens(L"many.zip", archive));
        EXPECT_EQ(archive.Members().size(), 100000u);
        const std::vector<FileEntry> root = archive.ListFolder(L"", L"*.*", false);
        EXPECT_EQ(root.size(), 1000u);
        EXPECT_EQ(archive.ListFolder(L"f123", L"*.*", false).size(), 100u);
        test::TempDir out;
        test::ScriptedQuestions questions;
        UnpackJob job(DefaultArchiverTable(), test::ArchiverLibrary(), {out.Path()}, {}, questions);
        job.SetMembers(archive.ArchivePath(), {L"f999/m099999.txt"});
        EXPECT_TRUE(job.Run());
        EXPECT_EQ(test::ReadFileBytes(out / L"f999\\m099999.txt"), "99999\n");
    }
    {
        // A 5 GiB member: listed with its whole size (the record's 32-bit
        // field cannot hold it), its start viewable without reading it
        // through, and the member after it reached.
        ArchiveHandle archive;
        ASSERT_TRUE(Opens(L"huge.tar", archive));
        ASSERT_EQ(archive.Members().size(), 2u);
        const FileEntry& huge = archive.Members()[0].find;
        EXPECT_STREQ(huge.cFileName, L"huge.bin");
        EXPECT_EQ((ULONGLONG(huge.nFileSizeHigh) << 32) | huge.nFileSizeLow, 5ULL << 30);
        UniqueLocal block;
        std::size_t size = 0;
        ASSERT_TRUE(archive.ExtractToMemory(L"", L"huge.bin", 4096, block, size));
        EXPECT_EQ(size, 4096u);
        ASSERT_TRUE(archive.ExtractToMemory(L"", L"after.txt", 4096, block, size));
        EXPECT_STREQ(static_cast<const char*>(::LocalLock(block.Get())), "after the big one\n");
        ::LocalUnlock(block.Get());
    }
    {
        // Sparse members come out whole: holes are zeros, a trailing hole too.
        test::TempDir out;
        test::ScriptedQuestions questions;
        UnpackJob job(DefaultArchiverTable(), test::ArchiverLibrary(), {out.Path()},
                      {{test::ArchiverFixtures(), L"sparse.tar"}}, questions);
        EXPECT_TRUE(job.Run());
        std::string holes = std::string(8192, 'x') + std::string((1 << 20) - 8192, '\0') + std::string(4096, 'y');
        holes.resize(3 << 20, '\0');
        EXPECT_TRUE(test::ReadFileBytes(out / L"holes.bin") == holes);
        EXPECT_TRUE(test::ReadFileBytes(out / L"void.bin") == std::string(1 << 20, '\0'));
    }
    {
        // 300 characters: the pane shows what fits of the name; with the
        // length check on, unpacking is refused before anything is written.
        ArchiveHandle archive;
        ASSERT_TRUE(Opens(L"long.zip", archive));
        ASSERT_EQ(archive.Members().size(), 2u);
        EXPECT_EQ(std::wstring(archive.Members()[0].find.cFileName), std::wstring(259, L'n'));
        EXPECT_EQ(archive.Members()[0].fullPath.size(), 300u);
        test::TempDir out;
        test::ScriptedQuestions questions;
        UnpackRequest request{out.Path()};
        request.checkPathLength = true;
        UnpackJob checked(DefaultArchiverTable(), test::ArchiverLibrary(), request,
                          {{test::ArchiverFixtures(), L"long.zip"}}, questions);
        EXPECT_FALSE(checked.Run());
        ASSERT_EQ(questions.asked.size(), 1u);
        EXPECT_EQ(questions.asked[0],
                  L"解凍後のファイル名が長すぎます(MAX=260)\n" + test::ArchiverFixtures() + L"\\long.zip\n続けますか?");
        EXPECT_TRUE(FilesBelow(out.Path()).empty());
        // Unchecked, the name no file system takes fails with a message and leaves no part behind.
        UnpackJob unchecked(DefaultArchiverTable(), test::ArchiverLibrary(), {out.Path()},
                            {{test::ArchiverFixtures(), L"long.zip"}}, questions);
        EXPECT_FALSE(unchecked.Run());
        EXPECT_EQ(questions.asked.size(), 2u);
        for (const std::wstring& file : FilesBelow(out.Path()))
            EXPECT_EQ(file.find(L".unbypass-part"), std::wstring::npos) << file;
        // A path past MAX_PATH whose names each fit comes out whole.
        const std::wstring deep =
            std::wstring(99, L'a') + L"/" + std::wstring(99, L'b') + L"/" + std::wstring(96, L'c') + L".txt";
        UnpackJob chosen(DefaultArchiverTable(), test::ArchiverLibrary(), {out.Path()}, {}, questions);
        chosen.SetMembers(JoinPath(test::ArchiverFixtures(), L"long.zip"), {deep});
        EXPECT_TRUE(chosen.Run());
        std::wstring onDisk = deep;
        std::replace(onDisk.begin(), onDisk.end(), L'/', L'\\');
        EXPECT_EQ(test::ReadFileBytes(PlatformPath(out / onDisk)), "deep\n");
    }
    {
        // Two members of one name: both listed, the later one's data wins on
        // disk, and the user is told which name it was.
        ArchiveHandle archive;
        ASSERT_TRUE(Opens(L"dup.zip", archive));
        EXPECT_EQ(archive.ListFolder(L"", L"*.*", false).size(), 2u);
        test::TempDir out;
        test::ScriptedQuestions questions;
        UnpackJob job(DefaultArchiverTable(), test::ArchiverLibrary(), {out.Path()},
                      {{test::ArchiverFixtures(), L"dup.zip"}}, questions);
        const test::ProgressWindow progress(job);
        EXPECT_TRUE(job.Run());
        ASSERT_EQ(questions.asked.size(), 1u);
        EXPECT_EQ(questions.asked[0], L"同じ名前のメンバーが複数あるため、後のメンバーで上書きしました\n" +
                                          JoinPath(test::ArchiverFixtures(), L"dup.zip") + L"\ndup.txt");
        EXPECT_EQ(test::ReadFileBytes(out / L"dup.txt"), "second\n");
        EXPECT_EQ(FilesBelow(out.Path()), std::vector<std::wstring>{L"dup.txt"});
        // Progress of one member, then members met again or started over.
        MemberTally tally;
        for (const auto& [target, done] : std::vector<std::pair<std::wstring, std::uint64_t>>{
                 {L"a", 0}, {L"a", 5}, {L"a", 9}, {L"B", 0}, {L"b", 0}, {L"c", 0}, {L"c", 3}, {L"c", 1}})
            tally.Note(target, done);
        tally.NoteMember(L"d");
        tally.NoteMember(L"d");
        EXPECT_EQ(tally.TakeRepeated(), (std::vector<std::wstring>{L"b", L"c", L"d"}));
        EXPECT_TRUE(tally.TakeRepeated().empty());
    }
}

}  // namespace
}  // namespace zq
