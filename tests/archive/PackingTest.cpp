// Packing a pane's selection through our archiver library's add command, as
// the packing dialog's worker does it.
#include <gtest/gtest.h>

#include <algorithm>

#include "archive/ArchiveHandle.h"
#include "archive/ArchiverApi.h"
#include "archive/ArchiverTable.h"
#include "archive/Packing.h"
#include "archive/UnpackJob.h"
#include "main/TempDir.h"
#include "archive/ArchiveTestSupport.h"

namespace zq {
namespace {

StructPackRequest Request(const test::TempDir& dir, int kind, std::vector<std::wstring> names) {
    StructPackRequest request;
    request.kind = kind;
    request.sourceDirectory = dir / L"src";
    request.names = std::move(names);
    request.archive = dir / (kind == kPackZip ? L"out\\p.zip" : L"out\\p.lzh");
    request.libraryPath = test::ArchiverLibrary();
    request.prefix = DefaultArchiverTable()[static_cast<size_t>(kind)].packPrefix;
    return request;
}

std::vector<std::wstring> MemberPaths(const std::wstring& archive) {
    ArchiveHandle handle;
    std::vector<std::wstring> paths;
    if (!handle.Open(DefaultArchiverTable(), test::ArchiverLibrary(), std::wstring(ParentPart(archive)),
                     std::wstring(FileNamePart(archive))))
        return paths;
    for (const StructArchiveMember& member : handle.Members())
        if (IsFileEntry(member.find))
            paths.push_back(member.folder.empty() ? std::wstring(member.find.cFileName)
                                                  : member.folder + L"\\" + member.find.cFileName);
    std::sort(paths.begin(), paths.end());
    return paths;
}

// Stops the library at the first file it reports.
LRESULT CALLBACK Refuser(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    static const UINT progress = ::RegisterWindowMessageA(arc::kExtractMessageName);
    if (message == progress) return 1;
    return ::DefWindowProcW(window, message, wParam, lParam);
}

TEST(Packing, TheOfferedAndTypedNamesAreWholePathsOfTheKind) {
    const std::vector<std::wstring> one{L"report.txt"};
    const std::vector<std::wstring> two{L"a.txt", L"sub"};
    EXPECT_EQ(DefaultPackArchive(kPackZip, L"C:\\work\\docs", L"D:\\out", one), L"D:\\out\\report.zip");
    EXPECT_EQ(DefaultPackArchive(kPackLha, L"C:\\work\\docs", L"D:\\", two), L"D:\\docs.lzh");
    EXPECT_EQ(DefaultPackArchive(kPackZip, L"C:", L"D:\\out", two), L"D:\\out\\archive.zip");
    EXPECT_EQ(DefaultPackArchive(kPackZip, L"C:\\w", L"D:\\o", {L".profile"}), L"D:\\o\\.profile.zip");
    EXPECT_EQ(PackArchivePath(kPackZip, L"  new ", L"D:\\out"), L"D:\\out\\new.zip");
    EXPECT_EQ(PackArchivePath(kPackZip, L"E:\\x\\keep.dat", L"D:\\out"), L"E:\\x\\keep.dat");
    for (const wchar_t* bad : {L"", L"   ", L"a*.zip", L"D:\\", L"sub\\", L"a.zip:stream", L"..."})
        EXPECT_EQ(PackArchivePath(kPackZip, bad, L"D:\\out"), L"") << bad;
    StructPackRequest request;
    request.sourceDirectory = L"C:\\w";
    request.names = {L"a.txt", L"a.doc", L"A", L"b.tar.gz"};
    std::vector<std::wstring> each;
    for (const StructPackRequest& one : EachPackRequests(request, L"D:\\o")) {
        EXPECT_EQ(one.names.size(), 1u);
        each.push_back(one.archive);
    }
    // The stems of a.txt, a.doc and A meet: no archive is written twice.
    EXPECT_EQ(each, (std::vector<std::wstring>{L"D:\\o\\a.zip", L"D:\\o\\a.doc.zip", L"D:\\o\\A_2.zip",
                                               L"D:\\o\\b.tar.zip"}));
    request.names = {L"a.txt", L"sub"};
    for (const auto& [archive, itself] : {std::pair{L"C:\\w\\sub\\p.zip", true}, std::pair{L"C:\\w\\a.txt", true},
                                          std::pair{L"C:\\w\\p.zip", false}, std::pair{L"C:\\w\\subway.zip", false}}) {
        request.archive = archive;
        EXPECT_EQ(PacksItself(request), itself) << archive;
    }
}

TEST(Packing, FilesAndFoldersGoInAndAFailureOrCancelLeavesTheOldArchive) {
    test::TempDir dir;
    dir.WriteFile(L"src\\a.txt", "alpha");
    dir.WriteFile(L"src\\表\\ソ.txt", "kana");
    dir.WriteFile(L"src\\表\\deep\\d.txt", "deep");
    ASSERT_TRUE(::CreateDirectoryW((dir / L"out").c_str(), nullptr));
    StructPackRequest zip = Request(dir, kPackZip, {L"a.txt", L"表"});
    ASSERT_EQ(RunPack(zip, nullptr), 0);
    EXPECT_EQ(MemberPaths(zip.archive), (std::vector<std::wstring>{L"a.txt", L"表\\deep\\d.txt", L"表\\ソ.txt"}));
    test::TempDir back;
    test::ScriptedQuestions questions;
    ASSERT_TRUE(
        UnpackJob(DefaultArchiverTable(), test::ArchiverLibrary(), {back.Path()}, {{dir / L"out", L"p.zip"}}, questions)
            .Run());
    EXPECT_EQ(test::ReadFileBytes(back / L"表\\ソ.txt"), "kana");

    // Replacing: the new archive holds only what was packed now; a
    // cancelled one leaves the old in place and no temporary file beside it.
    const std::string before = test::ReadFileBytes(zip.archive);
    zip.replaceExisting = true;
    const HWND refuser = ::CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
    ASSERT_NE(refuser, nullptr);
    ::SetWindowLongPtrW(refuser, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&Refuser));
    EXPECT_EQ(RunPack(zip, refuser), arc::kErrorUserCancel);
    ::DestroyWindow(refuser);
    EXPECT_EQ(test::ReadFileBytes(zip.archive), before);
    zip.names = {L"a.txt"};
    ASSERT_EQ(RunPack(zip, nullptr), 0);
    EXPECT_EQ(MemberPaths(zip.archive), std::vector<std::wstring>{L"a.txt"});
    WIN32_FIND_DATAW found;
    const HANDLE search = ::FindFirstFileW((dir / L"out\\*").c_str(), &found);
    int files = 0;
    if (search != INVALID_HANDLE_VALUE) {
        do files += (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) ? 0 : 1;
        while (::FindNextFileW(search, &found));
        ::FindClose(search);
    }
    EXPECT_EQ(files, 1) << "only p.zip is left in out";

    // Our library writes no LHA: refused, told in words, nothing made.
    const StructPackRequest lzh = Request(dir, kPackLha, {L"a.txt"});
    const int refused = RunPack(lzh, nullptr);
    EXPECT_EQ(refused, arc::kErrorNotSupported);
    EXPECT_NE(PackFailureText(lzh, refused).find(L"LHA形式"), std::wstring::npos);
    EXPECT_EQ(::GetFileAttributesW(lzh.archive.c_str()), INVALID_FILE_ATTRIBUTES);
}

}  // namespace
}  // namespace zq
