// Faults injected under a move job: whatever fails, a source is removed only
// after its copy is complete, and the failure is asked about or logged with
// the program's texts.
#include <gtest/gtest.h>

#include "fileops/CopyTestSupport.h"

namespace zq::fileops {
namespace {

using namespace zq::fileops::test;
using zq::test::ReadFileBytes;
using zq::test::TempDir;

struct FaultCase {
    const char* name;
    void (*inject)(FaultyFileSystem&);
    bool sameVolume;
    std::wstring question;  // asked in question mode (answered Yes)
    std::wstring logCall;   // "call,code" logged in no-question mode
    bool logsSourcePath;    // else the destination path
    bool sourceSurvives;    // false only when the fault itself removes the source
    bool destinationComplete;
};

const FaultCase kFaults[] = {
    {"read error",
     [](FaultyFileSystem& fs) {
         fs.readFaults.push_back({L"bad.bin", 64000, ERROR_CRC});
     },
     false, L"ファイルのコピーに失敗しました。続けますか\n(ReadFile:Error Code=23)", L"ReadFile,23", true, true, false},
    {"write error", [](FaultyFileSystem& fs) { fs.writeFaultPart = L"bad.bin"; }, false,
     L"ファイルのコピーに失敗しました。続けますか\n(WriteFile:Error Code=29)", L"WriteFile,29", false, true, false},
    {"disk full",
     [](FaultyFileSystem& fs) {
         fs.writeFaultPart = L"bad.bin";
         fs.writeFaultShort = true;
     },
     false, L"ファイルのコピーに失敗しました。続けますか\n(WriteFile:Error Code=112)", L"WriteFile,112", false, true,
     false},
    {"vanished source", [](FaultyFileSystem& fs) { fs.vanishPart = L"bad.bin"; }, false,
     L"ファイルのコピーに失敗しました。続けますか\n(CreateFile:Error Code=2)", L"CreateFile,2", true, false, false},
    {"locked destination", [](FaultyFileSystem& fs) { fs.lockedPart = L"bad.bin"; }, false,
     L"ファイルのコピーに失敗しました。続けますか\n(CreateFile:Error Code=32)", L"CreateFile,32", false, true, false},
    {"source cannot be deleted", [](FaultyFileSystem& fs) { fs.deleteFaultPart = L"src\\d\\bad.bin"; }, false,
     L"ファイルの移動に失敗しました。続けますか\n(DeleteFile:Error Code=5)", L"DeleteFile,5", true, true, true},
    {"rename fails", [](FaultyFileSystem& fs) { fs.moveFaultPart = L"bad.bin"; }, true,
     L"ファイルのコピーに失敗しました。続けますか\n(Error Code=5)", L"MoveFile,5", true, true, false},
};

const std::string kBad(150000, 'B');

struct FaultRun {
    TempDir dir;
    CopyRig rig;
    bool result = false;

    FaultRun(const FaultCase& c, bool noQuestion) {
        dir.WriteFile(L"src\\d\\bad.bin", kBad);
        dir.WriteFile(L"src\\d\\good.txt", "good");
        dir.WriteFile(L"src\\top.txt", "top");
        dir.MakeDir(L"dst");
        c.inject(rig.fs);
        // The destination is said to lie on another volume: a move copies, then deletes.
        if (!c.sameVolume) rig.fs.volumes.push_back({dir / L"dst", L"Q:\\"});
        // Within one volume an existing destination directory makes the move go file by file.
        if (c.sameVolume) dir.MakeDir(L"dst\\d");
        rig.options.mode = kModeMove;
        rig.options.noQuestion = noQuestion;
        rig.options.programDirectory = dir / L"prog";
        ::CreateDirectoryW(rig.options.programDirectory.c_str(), nullptr);
        if (noQuestion) rig.Always(CopyWay::Overwrite);  // the up-front compact question
        rig.asker.answers = {kAnswerYes};
        rig.From(dir / L"src", {L"d", L"top.txt"}, dir / L"dst");
        CopyJob job = rig.Make();
        result = job.Run();
        logged = job.ErrorLog().FailureLogged();
        logPath = job.ErrorLog().FilePath();
    }
    bool logged = false;
    std::wstring logPath;
};

void ExpectNothingLost(const FaultCase& c, FaultRun& run) {
    TempDir& dir = run.dir;
    if (c.sourceSurvives) {
        EXPECT_TRUE(ReadFileBytes(dir / L"src\\d\\bad.bin") == kBad) << c.name;
    }
    if (c.destinationComplete) {
        EXPECT_TRUE(ReadFileBytes(dir / L"dst\\d\\bad.bin") == kBad) << c.name;
    }
    // Neither copy nor source complete would be a loss.
    EXPECT_TRUE(ReadFileBytes(dir / L"src\\d\\bad.bin") == kBad || ReadFileBytes(dir / L"dst\\d\\bad.bin") == kBad ||
                !c.sourceSurvives)
        << c.name;
    // The job went on with the other files.
    EXPECT_EQ(ReadFileBytes(dir / L"dst\\d\\good.txt"), "good") << c.name;
    EXPECT_EQ(ReadFileBytes(dir / L"dst\\top.txt"), "top") << c.name;
    EXPECT_FALSE(FileExists(dir / L"src\\d\\good.txt")) << c.name;
    EXPECT_FALSE(FileExists(dir / L"src\\top.txt")) << c.name;
    // A directory that still holds its failed file stays.
    if (c.sourceSurvives) {
        EXPECT_TRUE(DirectoryExists(dir / L"src\\d")) << c.name;
    }
}

TEST(CopyFaultTest, QuestionModeAsksAndLosesNothing) {
    for (const FaultCase& c : kFaults) {
        FaultRun run(c, false);
        EXPECT_TRUE(run.result) << c.name;
        // The question names the file it is about, on a line of its own.
        const std::wstring path = c.logsSourcePath ? run.dir / L"src\\d\\bad.bin" : run.dir / L"dst\\d\\bad.bin";
        EXPECT_EQ(run.rig.asker.asked, std::vector<std::wstring>{c.question + L"\n" + path}) << c.name;
        EXPECT_EQ(run.rig.asker.unexpected, 0) << c.name;
        EXPECT_FALSE(run.logged) << c.name;
        ExpectNothingLost(c, run);
    }
}

TEST(CopyFaultTest, NoQuestionModeLogsAndLosesNothing) {
    for (const FaultCase& c : kFaults) {
        FaultRun run(c, true);
        EXPECT_TRUE(run.result) << c.name;
        EXPECT_TRUE(run.rig.asker.asked.empty()) << c.name;
        EXPECT_EQ(run.rig.asker.compact, std::vector<bool>{true}) << c.name;
        EXPECT_TRUE(run.logged) << c.name;
        const std::wstring path = c.logsSourcePath ? run.dir / L"src\\d\\bad.bin" : run.dir / L"dst\\d\\bad.bin";
        const std::wstring line = c.logCall + L"," + path + L"\r\n";
        EXPECT_EQ(ReadFileBytes(run.logPath), LogBytes(line)) << c.name;
        EXPECT_EQ(run.logPath, run.dir / L"prog\\Log\\MOVE_ERROR_2025-06-01_123456.log");
        ExpectNothingLost(c, run);
    }
}

TEST(CopyFaultTest, NoAnswerEndsTheJobAndKeepsTheSource) {
    TempDir dir;
    dir.WriteFile(L"src\\bad.bin", kBad);
    dir.WriteFile(L"src\\zz.txt", "later");
    CopyRig rig;
    rig.fs.readFaults.push_back({L"bad.bin", 0, ERROR_CRC});
    rig.fs.volumes.push_back({dir / L"dst", L"Q:\\"});
    rig.options.mode = kModeMove;
    rig.asker.answers = {kAnswerNo};
    rig.From(dir / L"src", {L"bad.bin", L"zz.txt"}, dir / L"dst");
    CopyJob job = rig.Make();
    EXPECT_FALSE(job.Run());
    EXPECT_TRUE(ReadFileBytes(dir / L"src\\bad.bin") == kBad);
    EXPECT_EQ(ReadFileBytes(dir / L"src\\zz.txt"), "later");
    EXPECT_FALSE(FileExists(dir / L"dst\\zz.txt"));
}

TEST(CopyFaultTest, CancelDuringAMoveKeepsTheSourceAndLeavesNoPartialCopy) {
    TempDir dir;
    dir.WriteFile(L"src\\d\\big.bin", kBad);
    dir.WriteFile(L"src\\later.bin", "later");
    CopyRig rig;
    rig.fs.volumes.push_back({dir / L"dst", L"Q:\\"});
    rig.options.mode = kModeMove;
    rig.From(dir / L"src", {L"d", L"later.bin"}, dir / L"dst");
    CopyJob job = rig.Make();
    rig.progress.onBar = [&job](int percent) {
        if (percent < 100) job.RequestCancel();
    };
    EXPECT_FALSE(job.Run());
    EXPECT_TRUE(ReadFileBytes(dir / L"src\\d\\big.bin") == kBad);
    EXPECT_FALSE(FileExists(dir / L"dst\\d\\big.bin"));
    EXPECT_FALSE(FileExists(dir / L"dst\\later.bin"));  // the job stops there
    EXPECT_EQ(ReadFileBytes(dir / L"src\\later.bin"), "later");
    EXPECT_TRUE(rig.asker.asked.empty());
}

TEST(CopyFaultTest, NotEnoughSpaceAsksToChangeTheDisk) {
    TempDir dir;
    dir.WriteFile(L"src\\a.bin", std::string(1000, 'a'));
    dir.WriteFile(L"src\\b.bin", std::string(10, 'b'));
    CopyRig rig;
    rig.fs.freeBytes = 100;
    rig.fs.volumes.push_back({dir / L"dst", L"Q:\\"});
    rig.options.mode = kModeMove;
    rig.asker.answers = {kAnswerYes, kAnswerNo};  // check again, still full; then give up on the file
    rig.From(dir / L"src", {L"a.bin", L"b.bin"}, dir / L"dst");
    CopyJob job = rig.Make();
    EXPECT_TRUE(job.Run());
    EXPECT_EQ(rig.asker.asked,
              std::vector<std::wstring>(2, L"容量が足りませんディスクを入れ替えてください\n" + dir / L"dst\\a.bin"));
    EXPECT_EQ(ReadFileBytes(dir / L"src\\a.bin"), std::string(1000, 'a'));
    EXPECT_FALSE(FileExists(dir / L"dst\\a.bin"));
    EXPECT_EQ(ReadFileBytes(dir / L"dst\\b.bin"), std::string(10, 'b'));
    EXPECT_EQ(rig.progress.last[ProgressField::FreeSpace], L"100");
}

TEST(CopyFaultTest, DirectoryCreationFailureIsAskedOrLogged) {
    for (const bool noQuestion : {false, true}) {
        TempDir dir;
        dir.WriteFile(L"src\\d\\f.txt", "f");
        dir.WriteFile(L"dst\\d", "a file where the directory should go");
        CopyRig rig;
        rig.options.noQuestion = noQuestion;
        rig.options.programDirectory = dir.Path();
        if (noQuestion) rig.Always(CopyWay::Overwrite);
        rig.asker.answers = {kAnswerYes};
        rig.From(dir / L"src", {L"d"}, dir / L"dst");
        CopyJob job = rig.Make();
        EXPECT_TRUE(job.Run());
        if (noQuestion) {
            EXPECT_TRUE(rig.asker.asked.empty());
            EXPECT_TRUE(job.ErrorLog().FailureLogged());
        } else {
            EXPECT_EQ(rig.asker.asked,
                      std::vector<std::wstring>{L"ディレクトリの作成に失敗しました。続けますか\n" + dir / L"dst\\d"});
        }
        EXPECT_TRUE(FileExists(dir / L"src\\d\\f.txt"));
    }
}

}  // namespace
}  // namespace zq::fileops
