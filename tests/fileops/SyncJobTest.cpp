// The synchronised copy on two prepared trees: what the list proposes for
// each file, what the buttons make of a line, and what a run leaves on disk,
// also when the target refuses writes or fills up.
#include <gtest/gtest.h>

#include "fileops/CopyTestSupport.h"
#include "fileops/SyncJob.h"
#include "fileops/SyncList.h"
#include "filer/FilerLayoutTestEntry.h"
#include "filer/LocalClock.h"

namespace zq::fileops {
namespace {

using namespace zq::fileops::test;
using zq::test::ReadFileBytes;
using zq::test::TempDir;

FILETIME Day(int day) {
    return zq::filer::test::MakeUtcTime(2020, 1, static_cast<WORD>(day), 12);
}

// src and dst: same.txt of one time (different bytes), newer.txt later in
// src, older.txt later in dst, only.txt and d\deep.txt in src alone, and a
// directory in dst where src has the file clash.txt.
struct Trees {
    TempDir dir;
    std::wstring src = dir / L"src";
    std::wstring dst = dir / L"dst";
    Trees() {
        Put(L"src\\same.txt", "same-src", 5);
        Put(L"dst\\same.txt", "same-dst", 5);
        Put(L"src\\newer.txt", "newer-src", 9);
        Put(L"dst\\newer.txt", "newer-dst", 3);
        Put(L"src\\older.txt", "older-src", 2);
        Put(L"dst\\older.txt", "older-dst", 8);
        Put(L"src\\only.txt", "only", 4);
        Put(L"src\\d\\deep.txt", "deep", 4);
        Put(L"src\\clash.txt", "clash", 4);
        dir.MakeDir(L"dst\\clash.txt");
        ::SetFileAttributesW((src + L"\\d").c_str(), FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_HIDDEN);
    }
    void Put(const std::wstring& name, const std::string& bytes, int day) const {
        EXPECT_TRUE(SetAllTimes(dir.WriteFile(name, bytes), Day(day)));
    }
    std::vector<StructSyncData> List(bool includeMissing) {
        const auto files = CollectSelectedFiles(
            fs, Select(src, {L"same.txt", L"newer.txt", L"older.txt", L"only.txt", L"d", L"clash.txt"}));
        return BuildSyncList(files, DirectoryLookup(fs, dst), includeMissing);
    }
    FaultyFileSystem fs;
};

std::wstring Symbols(const std::vector<StructSyncData>& lines) {
    std::wstring text;
    for (const StructSyncData& line : lines) text += line.relativePath + L"=" + DirectionSymbol(line) + L" ";
    return text;
}

TEST(SyncList, ProposesADirectionForEveryFileOfTheSelection) {
    struct Case {
        bool includeMissing;
        const wchar_t* expected;
    };
    const Case cases[] = {
        {true, L"same.txt=× newer.txt=▼ older.txt=▲ only.txt=▽ d\\deep.txt=▽ clash.txt=▽ "},
        {false, L"same.txt=× newer.txt=▼ older.txt=▲ only.txt=× d\\deep.txt=× clash.txt=× "},
    };
    Trees trees;
    for (const Case& c : cases) EXPECT_EQ(Symbols(trees.List(c.includeMissing)), c.expected) << c.includeMissing;
}

// An archive's members as the other side: found by path in either letter
// case and with either slash, compared by time like files on disk.
TEST(SyncList, AnArchiveSideIsLookedUpByMemberPathInAnyCase) {
    const std::vector<SyncSideFile> members = {{L"Docs/Same.TXT", Day(5)}, {L"newer.txt", Day(3)}};
    const std::vector<SyncSideFile> files = {{L"docs\\same.txt", Day(5)}, {L"NEWER.txt", Day(9)}, {L"docs", Day(9)}};
    EXPECT_EQ(Symbols(BuildSyncList(files, ArchiveLookup(members), false)), L"docs\\same.txt=× NEWER.txt=▼ docs=× ");
}

TEST(SyncList, ButtonsNeverPointAtASideWithoutTheFile) {
    struct Case {
        bool exists;
        void (*press)(StructSyncData&);
        const wchar_t* symbol;
    };
    const Case cases[] = {
        {true, PointToDestination, L"▼"}, {false, PointToDestination, L"▽"}, {true, PointToSource, L"▲"},
        {false, PointToSource, L"×"},     {true, PointNowhere, L"×"},
    };
    for (const Case& c : cases) {
        StructSyncData line;
        line.existsOnDestination = c.exists;
        line.direction = kSyncToSource;
        c.press(line);
        EXPECT_STREQ(DirectionSymbol(line), c.symbol);
    }
}

// Times that no calendar date stands for (beyond what FileTimeToSystemTime
// takes) still order the lines, and the list shows them as an empty cell.
TEST(SyncList, TimesOutsideTheCalendarStillCompareAndShowEmpty) {
    const FILETIME beyond{0xFFFFFFFFu, 0xFFFFFFFFu}, lastValid{0xFFFFFFFFu, 0x7FFFFFFFu}, zero{0, 0};
    struct Case {
        FILETIME source, destination;
        unsigned direction;
    } cases[] = {
        {beyond, Day(1), kSyncToDestination},
        {zero, Day(1), kSyncToSource},
        {beyond, beyond, kSyncNone},
        {lastValid, beyond, kSyncToSource},
    };
    for (const Case& c : cases) EXPECT_EQ(ProposedDirection(true, c.source, c.destination, false), c.direction);
    EXPECT_EQ(FormatSyncTime(SystemLocalClock(), beyond), L"");
    EXPECT_EQ(FormatSyncTime(SystemLocalClock(), Day(1)).substr(0, 8), L"2020/01/");
}

struct LineRecorder : ISyncLineSink {
    std::vector<std::wstring> shown;
    void ShowLine(size_t index, const std::wstring& text) override {
        shown.push_back(std::to_wstring(index) + L":" + text);
    }
};

struct SyncRun {
    Trees trees;
    ScriptedAsker asker;
    RecordingProgress progress;
    SteppingClock clock;
    LineRecorder lines;
    bool Run(std::vector<StructSyncData> list, IFileSystem* fs = nullptr) {
        SyncJob job(std::move(list), trees.src, trees.dst, true,
                    SyncJobServices{fs ? *fs : trees.fs, asker, progress, clock, &lines});
        return job.Run();
    }
};

TEST(SyncJob, CopiesEachFileInItsDirectionAndLeavesEqualFilesAlone) {
    SyncRun run;
    auto list = run.trees.List(true);
    list.pop_back();  // clash.txt: a directory holds its place
    ASSERT_TRUE(run.Run(list));
    const std::wstring& src = run.trees.src;
    const std::wstring& dst = run.trees.dst;
    EXPECT_EQ(ReadFileBytes(dst + L"\\same.txt"), "same-dst");
    EXPECT_EQ(ReadFileBytes(dst + L"\\newer.txt"), "newer-src");
    EXPECT_EQ(ReadFileBytes(src + L"\\older.txt"), "older-dst");
    EXPECT_EQ(ReadFileBytes(dst + L"\\only.txt"), "only");
    EXPECT_EQ(ReadFileBytes(dst + L"\\d\\deep.txt"), "deep");
    EXPECT_NE(::GetFileAttributesW((dst + L"\\d").c_str()) & FILE_ATTRIBUTE_HIDDEN, 0u);
    const FILETIME copiedTime = FindOf(dst + L"\\newer.txt").ftLastWriteTime, sourceTime = Day(9);
    EXPECT_EQ(::CompareFileTime(&copiedTime, &sourceTime), 0);
    EXPECT_EQ(run.lines.shown,
              (std::vector<std::wstring>{L"1:▼ newer.txt", L"2:▲ older.txt", L"3:▽ only.txt", L"4:▽ d\\deep.txt"}));
    EXPECT_EQ(run.progress.last[ProgressField::FilePercent], L"100%");
    // Nothing is proposed a second time.
    EXPECT_EQ(Symbols(run.trees.List(false)).find(L"▼"), std::wstring::npos);
}

// A target on a medium that refuses writes.
struct RefusingTarget : FaultyFileSystem {
    std::wstring refused;
    HANDLE Open(const std::wstring& path, DWORD access, DWORD share, DWORD disposition, DWORD flags) override {
        if ((access & GENERIC_WRITE) && path.find(refused) == 0) {
            ::SetLastError(ERROR_ACCESS_DENIED);
            return INVALID_HANDLE_VALUE;
        }
        return FaultyFileSystem::Open(path, access, share, disposition, flags);
    }
};

TEST(SyncJob, ARefusingOrFullTargetIsAskedAboutAndLosesNoFile) {
    struct Case {
        const char* name;
        bool full;
        int answer;
        bool completes;
        size_t questions;
    };
    const Case cases[] = {
        {"read-only, go on", false, kAnswerYes, true, 1},
        {"read-only, stop", false, kAnswerNo, false, 1},
        {"full, stop", true, kAnswerNo, false, 1},
    };
    for (const Case& c : cases) {
        SyncRun run;
        RefusingTarget fs;
        if (c.full) {
            fs.writeFaultPart = L"newer.txt";
            fs.writeFaultShort = true;
        } else {
            fs.refused = run.trees.dst;
        }
        run.asker.answers = {c.answer, c.answer, c.answer};
        auto list = run.trees.List(false);
        EXPECT_EQ(run.Run(list, &fs), c.completes) << c.name;
        EXPECT_EQ(run.asker.asked, std::vector<std::wstring>(c.questions, kSyncCopyFailedText)) << c.name;
        EXPECT_EQ(ReadFileBytes(run.trees.dst + L"\\newer.txt"), "newer-dst") << c.name;
        EXPECT_EQ(NamesIn(run.trees.dst),
                  (std::vector<std::wstring>{L"clash.txt", L"newer.txt", L"older.txt", L"same.txt"}))
            << c.name;
        // The file going the other way is untouched by the target's trouble, and done when the job goes on.
        EXPECT_EQ(ReadFileBytes(run.trees.src + L"\\older.txt"), c.completes ? "older-dst" : "older-src") << c.name;
    }
}

TEST(SyncJob, AnAbortInTheMiddleOfAFileLeavesTheTargetAsItWas) {
    SyncRun run;
    run.trees.Put(L"src\\newer.txt", std::string(300000, 'N'), 9);
    SyncJob job(run.trees.List(false), run.trees.src, run.trees.dst, true,
                SyncJobServices{run.trees.fs, run.asker, run.progress, run.clock, &run.lines});
    run.progress.onBar = [&job](int percent) {
        if (percent > 0 && percent < 100) job.RequestCancel();
    };
    EXPECT_FALSE(job.Run());
    EXPECT_EQ(ReadFileBytes(run.trees.dst + L"\\newer.txt"), "newer-dst");
    EXPECT_EQ(NamesIn(run.trees.dst),
              (std::vector<std::wstring>{L"clash.txt", L"newer.txt", L"older.txt", L"same.txt"}));
    EXPECT_EQ(ReadFileBytes(run.trees.src + L"\\older.txt"), "older-src");
    EXPECT_TRUE(run.asker.asked.empty());
}

TEST(SyncJob, AMissingSourceOrAnUnmakeableDirectoryEndsTheJob) {
    SyncRun run;
    auto list = run.trees.List(true);
    ::DeleteFileW((run.trees.src + L"\\newer.txt").c_str());
    EXPECT_FALSE(run.Run(list));
    EXPECT_EQ(run.asker.told,
              std::vector<std::wstring>{L"コピー元ファイル" + run.trees.src + L"\\newer.txtが見つかりません"});

    // A file where d must be made.
    run.trees.dir.WriteFile(L"dst\\d", "in the way");
    list.erase(list.begin(), list.begin() + 4);
    run.asker.told.clear();
    EXPECT_FALSE(run.Run(list));
    EXPECT_EQ(run.asker.told, std::vector<std::wstring>{kSyncMakeDirectoryFailedText});
    EXPECT_EQ(ReadFileBytes(run.trees.dst + L"\\d"), "in the way");
}

}  // namespace
}  // namespace zq::fileops
