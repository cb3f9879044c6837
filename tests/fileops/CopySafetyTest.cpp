// What a whole copy or move job must never do: let one source replace another
// source's copy of the same name, delete a destination before its replacement
// is in place, or keep quiet about a copy that differs from its source.
#include <gtest/gtest.h>

#include "fileops/CopyTestSupport.h"

namespace zq::fileops {
namespace {

using namespace zq::fileops::test;
using zq::test::ReadFileBytes;
using zq::test::TempDir;

// Two files named x.txt from two folders in one selection, as search results
// hand them over.
SelectionSnapshot TwoOfOneName(const TempDir& dir) {
    SelectionSnapshot s;
    s.directory = dir.Path();
    for (const wchar_t* folder : {L"a", L"b"}) {
        s.entries.push_back(FindOf(dir / folder + L"\\x.txt"));
        s.entryDirectories.push_back(dir / folder);
    }
    return s;
}

TEST(CopySafetyTest, TwoSourcesOfOneNameNeverReplaceEachOther) {
    struct Case {
        const char* what;
        unsigned mode;
        bool noQuestion;
        size_t wayQuestions;  // the second x.txt is asked about, "以後同設定" or not
    };
    const Case cases[] = {
        {"copy, asked", kModeCopy, false, 1},
        {"copy, no questions: numbered", kModeCopy, true, 1},  // the one compact question up front
        {"move within the volume, asked", kModeMove, false, 1},
    };
    for (const Case& c : cases) {
        TempDir dir;
        dir.WriteFile(L"a\\x.txt", "first");
        dir.WriteFile(L"b\\x.txt", "second");
        dir.MakeDir(L"dst");
        CopyRig rig;
        rig.options.mode = c.mode;
        rig.options.noQuestion = c.noQuestion;
        rig.options.programDirectory = dir.Path();
        rig.input.source = TwoOfOneName(dir);
        rig.input.destination = dir / L"dst";
        // Overwrite from now on: the compact question of a no-question job, or
        // the way a job was given before it met its own copy.
        rig.Always(CopyWay::Overwrite);
        if (!c.noQuestion) rig.asker.wayAnswers.front().choice = Way(CopyWay::Numbered, true);
        CopyJob job = rig.Make();
        if (!c.noQuestion) job.SameName().SetWay(CopyWay::Overwrite, true);
        ASSERT_TRUE(job.Run()) << c.what;
        EXPECT_EQ(rig.asker.shown.size(), c.wayQuestions) << c.what;
        if (!c.noQuestion) {
            EXPECT_EQ(rig.asker.compact, std::vector<bool>{false}) << c.what;
        }
        EXPECT_EQ(ReadFileBytes(dir / L"dst\\x.txt"), "first") << c.what;
        EXPECT_EQ(ReadFileBytes(dir / L"dst\\x000.txt"), "second") << c.what;
        EXPECT_EQ(FileExists(dir / L"b\\x.txt"), !IsMoveMode(c.mode)) << c.what;
    }
}

TEST(CopySafetyTest, MoveWithinTheVolumeReplacesInOneRename) {
    for (const bool refused : {false, true}) {
        TempDir dir;
        const std::wstring source = dir.WriteFile(L"src\\x.txt", "new");
        const std::wstring dest = dir.WriteFile(L"dst\\x.txt", "old");
        ::SetFileAttributesW(dest.c_str(), FILE_ATTRIBUTE_READONLY);
        CopyRig rig;
        if (refused) rig.fs.renameFaultPart = L"dst\\x.txt";
        rig.options.mode = kModeMove;
        rig.asker.answers = {kAnswerYes};
        rig.Always(CopyWay::Overwrite);
        rig.From(dir / L"src", {L"x.txt"}, dir / L"dst");
        CopyJob job = rig.Make();
        EXPECT_TRUE(job.Run());
        ASSERT_EQ(rig.fs.renames.size(), 1u);
        EXPECT_EQ(rig.fs.renames[0], std::make_pair(source, L"R " + dest));
        EXPECT_TRUE(rig.fs.moves.empty());
        if (refused) {
            EXPECT_EQ(ReadFileBytes(dest), "old");
            EXPECT_TRUE(::GetFileAttributesW(dest.c_str()) & FILE_ATTRIBUTE_READONLY);
            EXPECT_EQ(ReadFileBytes(source), "new");
            EXPECT_EQ(rig.asker.asked, std::vector<std::wstring>{
                                           L"ファイルのコピーに失敗しました。続けますか\n(Error Code=32)\n" + source});
            ::SetFileAttributesW(dest.c_str(), FILE_ATTRIBUTE_NORMAL);
        } else {
            EXPECT_EQ(ReadFileBytes(dest), "new");
            EXPECT_FALSE(FileExists(source));
            EXPECT_TRUE(rig.asker.asked.empty());
        }
    }
}

// A file that another program puts at the destination while the copy runs is
// never replaced: only a collision the job saw and answered replaces a file,
// in a folder the job made itself as in one that was there before.  Through a
// temporary name the final rename refuses it; a new file written in place
// finds its name taken and meets the same-name question (here: Cancel).
TEST(CopySafetyTest, AFileThatAppearsMeanwhileIsNotReplaced) {
    for (const bool inPlace : {false, true}) {
        for (const bool folderMadeByJob : {true, false}) {
            TempDir dir;
            dir.WriteFile(L"src\\a.txt", "ours");
            if (!folderMadeByJob) dir.MakeDir(L"dst");
            const std::wstring dest = dir / L"dst\\a.txt";
            CopyRig rig;
            rig.options.newFilesInPlace = inPlace;
            rig.fs.onOpen = [&](const std::wstring& path) {
                if (path.find(inPlace ? L"dst\\a.txt" : L".~zq") != std::wstring::npos &&
                    ::GetFileAttributesW(dest.c_str()) == INVALID_FILE_ATTRIBUTES)
                    dir.WriteFile(L"dst\\a.txt", "theirs");
            };
            rig.asker.answers = {kAnswerYes};
            rig.From(dir / L"src", {L"a.txt"}, dir / L"dst");
            CopyJob job = rig.Make();
            EXPECT_EQ(job.Run(), !inPlace);
            EXPECT_EQ(ReadFileBytes(dest), "theirs") << folderMadeByJob;
            const std::vector<std::wstring> asked =
                inPlace ? std::vector<std::wstring>{}
                        : std::vector<std::wstring>{
                              L"ファイルのコピーに失敗しました。続けますか\n(MoveFile:Error Code=183)\n" + dest};
            EXPECT_EQ(rig.asker.asked, asked) << inPlace;
            EXPECT_EQ(rig.asker.shown.size(), inPlace ? 1u : 0u) << inPlace;
            EXPECT_EQ(NamesIn(dir / L"dst"), std::vector<std::wstring>{L"a.txt"});
        }
    }
}

// "コピー後に比較する": a copy that does not read back as its source is not
// given the real name, and the difference is on record in the job's log in
// either mode.
TEST(CopySafetyTest, VerificationLogsEveryDifference) {
    for (const bool noQuestion : {false, true}) {
        TempDir dir;
        dir.WriteFile(L"src\\bad.bin", std::string(100000, 'b'));
        dir.WriteFile(L"src\\good.bin", std::string(100000, 'g'));
        const std::wstring dest = dir.WriteFile(L"dst\\bad.bin", "old");
        CopyRig rig;
        rig.fs.corruptPart = L"bad.bin";
        rig.options.verify = true;
        rig.options.noQuestion = noQuestion;
        rig.options.programDirectory = dir.MakeDir(L"prog");
        rig.asker.answers = {kAnswerYes};
        rig.Always(CopyWay::Overwrite);
        rig.From(dir / L"src", {L"bad.bin", L"good.bin"}, dir / L"dst");
        CopyJob job = rig.Make();
        EXPECT_TRUE(job.Run());
        EXPECT_EQ(ReadFileBytes(dest), "old");
        EXPECT_EQ(ReadFileBytes(dir / L"dst\\good.bin"), std::string(100000, 'g'));
        EXPECT_EQ(ReadFileBytes(job.ErrorLog().FilePath()), LogBytes(L"Compare,0," + dest + L"\r\n")) << noQuestion;
        const std::vector<std::wstring> asked =
            noQuestion ? std::vector<std::wstring>{}
                       : std::vector<std::wstring>{
                             L"ファイルのコピーに失敗しました。続けますか\n(Compare:Error Code=0)\n" + dest};
        EXPECT_EQ(rig.asker.asked, asked);
        EXPECT_EQ(NamesIn(dir / L"dst"), (std::vector<std::wstring>{L"bad.bin", L"good.bin"}));
    }
}

}  // namespace
}  // namespace zq::fileops
