#include "fileops/FileCopier.h"

#include <gtest/gtest.h>

#include "common/Handle.h"
#include "common/Paths.h"
#include "fileops/CopyTestSupport.h"

namespace zq::fileops {
namespace {

using namespace zq::fileops::test;
using zq::test::ReadFileBytes;
using zq::test::TempDir;

std::string Pattern(size_t size) {
    std::string bytes(size, '\0');
    for (size_t i = 0; i < size; ++i) bytes[i] = static_cast<char>((i * 131 + i / 7) & 0xFF);
    return bytes;
}

TEST(FileCopierTest, EmptyFileShowsHundredPercentAndKeepsAttributesAndTimes) {
    TempDir dir;
    const std::wstring source = dir.WriteFile(L"src\\empty.txt", "");
    FILETIME when{};
    when.dwHighDateTime = 0x01D00000;
    when.dwLowDateTime = 0x12345678;
    ASSERT_TRUE(SetAllTimes(source, when));
    ::SetFileAttributesW(source.c_str(), FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN);
    dir.MakeDir(L"dst");

    CopierRig r;
    r.copier.SetProgress(&r.progress, nullptr);
    const std::wstring dest = dir / L"dst\\empty.txt";
    ASSERT_EQ(r.Copy(dir / L"src", source, dest), FileCopier::Result::Done);

    EXPECT_EQ(r.progress.percents, std::vector<std::wstring>{L"100%"});
    EXPECT_TRUE(r.fs.reads.empty());
    const WIN32_FIND_DATAW copied = FindOf(dest);
    EXPECT_EQ(copied.nFileSizeLow, 0u);
    EXPECT_EQ(copied.dwFileAttributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN),
              static_cast<DWORD>(FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN));
    EXPECT_EQ(::CompareFileTime(&copied.ftLastWriteTime, &when), 0);
    EXPECT_EQ(::CompareFileTime(&copied.ftCreationTime, &when), 0);
}

TEST(FileCopierTest, UnbufferedCopyToRemovableDriveBySectorSize) {
    struct Case {
        DWORD sector;
        DWORD chunk;
        std::vector<DWORD> reads;
        std::vector<DWORD> writes;
        std::vector<LONGLONG> ends;  // pre-size, then the final truncation
    };
    const Case cases[] = {
        {2048, 63488, {63488, 513}, {63488, 2048}, {65536, 64001}},
        {512, 64000, {64000, 1}, {64000, 512}, {64512, 64001}},
    };
    const std::string bytes = Pattern(64001);
    for (const Case& c : cases) {
        TempDir dir;
        const std::wstring source = dir.WriteFile(L"big.bin", bytes);
        CopierRig r;
        // The temp folder's own drive letter is declared removable.
        r.fs.removable[static_cast<wchar_t>(towupper(dir.Path()[0]))] = c.sector;
        dir.MakeDir(L"out");
        const std::wstring dest = dir / L"out\\big.bin";
        ASSERT_EQ(r.Copy(dir.Path(), source, dest), FileCopier::Result::Done) << c.sector;
        EXPECT_TRUE(r.copier.Unbuffered());
        EXPECT_EQ(r.copier.ChunkSize(), c.chunk);
        EXPECT_EQ(r.fs.reads, c.reads) << c.sector;
        EXPECT_EQ(r.fs.writes, c.writes) << c.sector;
        EXPECT_EQ(r.fs.endsOfFile, c.ends) << c.sector;
        EXPECT_EQ(r.fs.createFlags.front(), static_cast<DWORD>(FILE_FLAG_NO_BUFFERING));
        EXPECT_EQ(ReadFileBytes(dest), bytes);
    }
}

TEST(FileCopierTest, BufferedWhenNotRemovableOrSmallOrSwitchedOff) {
    struct Case {
        size_t size;
        bool removable;
        bool fast;
    };
    for (const Case& c : {Case{64001, false, true}, Case{64000, true, true}, Case{64001, true, false}}) {
        TempDir dir;
        const std::wstring source = dir.WriteFile(L"f.bin", Pattern(c.size));
        CopierRig r;
        if (c.removable) r.fs.removable[static_cast<wchar_t>(towupper(dir.Path()[0]))] = 2048;
        r.copier.SetRemovableFast(c.fast);
        ASSERT_EQ(r.Copy(dir.Path(), source, dir / L"g.bin"), FileCopier::Result::Done);
        EXPECT_FALSE(r.copier.Unbuffered()) << c.size << c.removable << c.fast;
        EXPECT_TRUE(r.fs.endsOfFile.empty());
        EXPECT_EQ(r.fs.createFlags.front() & FILE_FLAG_SEQUENTIAL_SCAN, static_cast<DWORD>(FILE_FLAG_SEQUENTIAL_SCAN));
        EXPECT_EQ(ReadFileBytes(dir / L"g.bin").size(), c.size);
    }
}

TEST(FileCopierTest, PercentagesShownOnlyWhenTheyChange) {
    struct Case {
        LONGLONG done, size;
        int percent;
    };
    const Case cases[] = {{0, 0, 100},   {1, 3, 33},          {3, 3, 100},
                          {50, 101, 50}, {64000, 200000, 32}, {199999, 200000, 99}};
    for (const Case& c : cases)
        EXPECT_EQ(FileCopier::FilePercent(c.done, c.size), c.percent) << c.done << "/" << c.size;

    TempDir dir;
    const std::wstring source = dir.WriteFile(L"p.bin", Pattern(200000));
    CopierRig r;
    r.copier.SetProgress(&r.progress, &r.totals);
    ASSERT_EQ(r.Copy(dir.Path(), source, dir / L"q.bin"), FileCopier::Result::Done);
    EXPECT_EQ(r.progress.percents, (std::vector<std::wstring>{L"32%", L"64%", L"96%", L"100%"}));
}

// Whatever stops a copy before it is complete, the file it was to replace keeps
// its bytes and attributes, a new file does not appear at all, no temporary
// file is left beside them, and the failure names its call, code and path.  A
// failed file still counts as done in the job's totals, so the overall bar
// moves on past it.
TEST(FileCopierTest, UnfinishedCopyLeavesTheOldFileAndNoPartialFile) {
    struct Case {
        const char* what;
        void (*inject)(CopierRig&);
        FileCopier::Result result;
        const wchar_t* call;
        DWORD code;
        bool sourcePath;  // the failure names the source, else the destination
    };
    const Case cases[] = {
        {"disk full",
         [](CopierRig& r) {
             r.fs.writeFaultPart = L"t.bin";
             r.fs.writeFaultShort = true;
         },
         FileCopier::Result::Failed, L"WriteFile", ERROR_DISK_FULL, false},
        {"write error", [](CopierRig& r) { r.fs.writeFaultPart = L"t.bin"; }, FileCopier::Result::Failed, L"WriteFile",
         ERROR_WRITE_FAULT, false},
        {"read error",
         [](CopierRig& r) {
             r.fs.readFaults.push_back({L"s.bin", 128000, ERROR_CRC});
         },
         FileCopier::Result::Failed, L"ReadFile", ERROR_CRC, true},
        {"source vanishes", [](CopierRig& r) { r.fs.vanishPart = L"s.bin"; }, FileCopier::Result::Failed, L"CreateFile",
         ERROR_FILE_NOT_FOUND, true},
        {"destination locked", [](CopierRig& r) { r.fs.lockedPart = L"t.bin"; }, FileCopier::Result::Failed,
         L"CreateFile", ERROR_SHARING_VIOLATION, false},
        // The cancel is seen at the first chunk's progress, not after the file.
        {"cancel after the first chunk", [](CopierRig& r) { r.progress.onBar = [&r](int) { r.cancel = true; }; },
         FileCopier::Result::Cancelled, nullptr, 0, false},
        {"final rename refused", [](CopierRig& r) { r.fs.renameFaultPart = L"t.bin"; }, FileCopier::Result::Failed,
         L"MoveFile", ERROR_SHARING_VIOLATION, false},
        {"copy differs from source",
         [](CopierRig& r) {
             r.fs.corruptPart = L"t.bin";
             r.copier.SetVerify(true);
         },
         FileCopier::Result::Failed, L"Compare", 0, false},
    };
    const std::string bytes = Pattern(640000);
    for (const Case& c : cases) {
        for (const bool existing : {true, false}) {
            TempDir dir;
            const std::wstring source = dir.WriteFile(L"s.bin", bytes);
            const std::wstring dest = dir.MakeDir(L"out") + L"\\t.bin";
            if (existing) {
                dir.WriteFile(L"out\\t.bin", "the old file");
                ::SetFileAttributesW(dest.c_str(), FILE_ATTRIBUTE_READONLY);
            }
            CopierRig r;
            r.copier.SetProgress(&r.progress, &r.totals);
            c.inject(r);
            EXPECT_EQ(r.Copy(dir.Path(), source, dest), c.result) << c.what << existing;
            if (c.call != nullptr) {
                EXPECT_STREQ(r.copier.FailedCall(), c.call) << c.what;
                EXPECT_EQ(r.copier.ErrorCode(), c.code) << c.what;
                EXPECT_EQ(r.copier.FailedPath(), c.sourcePath ? source : dest) << c.what;
                EXPECT_EQ(r.totals.bytesDone, bytes.size()) << c.what;
            } else {
                EXPECT_EQ(r.fs.reads.size(), 1u) << c.what;
                EXPECT_EQ(ReadFileBytes(source), bytes) << c.what;
            }
            if (existing) {
                EXPECT_EQ(ReadFileBytes(dest), "the old file") << c.what;
                EXPECT_TRUE(::GetFileAttributesW(dest.c_str()) & FILE_ATTRIBUTE_READONLY) << c.what;
                ::SetFileAttributesW(dest.c_str(), FILE_ATTRIBUTE_NORMAL);
            }
            EXPECT_EQ(NamesIn(dir / L"out"),
                      existing ? std::vector<std::wstring>{L"t.bin"} : std::vector<std::wstring>{})
                << c.what;
        }
    }
}

TEST(FileCopierTest, ReplacesAProtectedFileInOneRenameFromItsTemporaryName) {
    TempDir dir;
    const std::wstring source = dir.WriteFile(L"s.bin", Pattern(70000));
    ::SetFileAttributesW(source.c_str(), FILE_ATTRIBUTE_ARCHIVE);
    const std::wstring dest = dir.WriteFile(L"out\\t.bin", "old");
    ::SetFileAttributesW(dest.c_str(), FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN);
    CopierRig r;
    r.copier.SetVerify(true);
    ASSERT_EQ(r.Copy(dir.Path(), source, dest), FileCopier::Result::Done);
    EXPECT_EQ(ReadFileBytes(dest), Pattern(70000));
    EXPECT_EQ(::GetFileAttributesW(dest.c_str()), static_cast<DWORD>(FILE_ATTRIBUTE_ARCHIVE));
    ASSERT_EQ(r.fs.renames.size(), 1u);
    EXPECT_EQ(r.fs.renames[0].second, L"R " + dest);
    const std::wstring temporary = r.fs.renames[0].first;
    EXPECT_EQ(temporary.substr(0, dest.size() + 4), dest + L".~zq");
    EXPECT_EQ(temporary.substr(temporary.size() - 4), L".tmp");
    EXPECT_EQ(NamesIn(dir / L"out"), std::vector<std::wstring>{L"t.bin"});
}

// The free space is asked once and then estimated, but never trusted to refuse
// a file: an estimate that falls short is checked with the system first.
TEST(FileCopierTest, FreeSpaceIsAskedAgainWhenTheEstimateFallsShort) {
    TempDir dir;
    const std::wstring source = dir.WriteFile(L"s.bin", Pattern(600));
    CopierRig r;
    r.fs.freeBytes = 1000;
    struct Step {
        const wchar_t* directory;
        ULONGLONG needed;
        bool fresh;
        ULONGLONG systemSays;  // set before the step
        ULONGLONG answer;
        int queries;
    };
    const Step steps[] = {
        {L"C:\\d", 100, false, 1000, 1000, 1},                                       // first: asked
        {L"C:\\d", 100, false, 10, 1000, 1},                                         // the estimate holds: not asked
        {L"C:\\d", 2000, false, 10, 10, 2},                                          // the estimate falls short: asked
        {L"C:\\d", 10, false, 5000, 10, 2},    {L"C:\\d", 10, true, 5000, 5000, 3},  // fresh: asked
        {L"C:\\e", 10, false, 4000, 4000, 4},                                        // another directory: asked
    };
    for (const Step& s : steps) {
        r.fs.freeBytes = s.systemSays;
        ULONGLONG free = 0;
        ASSERT_TRUE(r.copier.FreeBytes(s.directory, s.needed, s.fresh, &free));
        EXPECT_EQ(free, s.answer) << s.needed;
        EXPECT_EQ(r.fs.freeQueries, s.queries) << s.needed;
    }
    // What the copier writes comes off the estimate.
    ASSERT_EQ(r.Copy(dir.Path(), source, dir / L"t.bin"), FileCopier::Result::Done);
    ULONGLONG free = 0;
    ASSERT_TRUE(r.copier.FreeBytes(L"C:\\e", 10, false, &free));
    EXPECT_EQ(free, 3400u);
}

TEST(FileCopierTest, TemporaryNames) {
    const std::wstring longName(250, L'x');
    struct Case {
        std::wstring destination;
        std::wstring temporary;
    };
    const Case cases[] = {
        {L"C:\\d\\a.txt", L"C:\\d\\a.txt.~zq0000BEEF.tmp"},
        {L"C:\\d\\" + longName, L"C:\\d\\~zq0000BEEF.tmp"},  // the long form passes 255 characters
        {L"C:\\" + std::wstring(240, L'd') + L"\\a.txt", L"C:\\" + std::wstring(240, L'd') + L"\\~zq0000BEEF.tmp"},
    };
    for (const Case& c : cases) EXPECT_EQ(FileCopier::TemporaryPath(c.destination, 0xBEEF), c.temporary);
}

// A killed copy leaves its temporary file; the next copy into the folder
// removes it, but never one that a running copy holds, a recent one, or a
// name that only looks similar.
TEST(FileCopierTest, StaleTemporariesGoButNothingInUseOrLikeThem) {
    TempDir dir;
    Win32FileSystem fs;
    const std::wstring kept[] = {L"fresh.txt.~zq0001ABCE.tmp",
                                 L"open.txt.~zq0001ABCF.tmp",
                                 L"x.~zq0001abcd.tmp",
                                 L"x~zq0001ABCD.tmp",
                                 L"notes~zq.tmp",
                                 L"a.txt"};
    const std::wstring gone[] = {L"a.txt.~zq0001ABCD.tmp", L"~zq00FF0001.tmp"};
    for (const auto& name : kept) dir.WriteFile(name, "k");
    for (const auto& name : gone) dir.WriteFile(name, "g");
    dir.MakeDir(L"d.~zq0001ABCD.tmp");
    // Everything but the fresh one was last written an hour ago.
    for (const std::wstring& name : {kept[1], kept[2], kept[3], kept[4], gone[0], gone[1]})
        ASSERT_TRUE(WrittenSecondsAgo(dir / name, 3600)) << name;
    FILETIME now{};
    ::GetSystemTimeAsFileTime(&now);
    UniqueFile held(
        ::CreateFileW((dir / kept[1]).c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
    ASSERT_TRUE(held);

    EXPECT_EQ(FileCopier::RemoveStaleTemporaries(fs, dir.Path(), now), 2);
    for (const auto& name : kept)
        EXPECT_NE(::GetFileAttributesW((dir / name).c_str()), INVALID_FILE_ATTRIBUTES) << name;
    for (const auto& name : gone)
        EXPECT_EQ(::GetFileAttributesW((dir / name).c_str()), INVALID_FILE_ATTRIBUTES) << name;
    EXPECT_TRUE(DirectoryExists(dir / L"d.~zq0001ABCD.tmp"));
}

}  // namespace
}  // namespace zq::fileops
