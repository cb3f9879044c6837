// Copy, move and delete at a drive root, on R:, which the test run maps onto a
// temporary folder (drive_r_fixture.sh).  Paths at a root are where a trailing
// backslash and a bare "R:" change meaning.
#include <gtest/gtest.h>

#include <algorithm>

#include "common/Paths.h"
#include "fileops/CopyTestSupport.h"
#include "fileops/DeleteJob.h"

namespace zq::fileops {
namespace {

using namespace zq::fileops::test;
using zq::test::ReadFileBytes;
using zq::test::TempDir;

// Without R: the run was set up wrong: nothing is skipped silently.
constexpr char kNoDriveR[] = "R: is not mapped; run through ctest";

void Write(const std::wstring& path, const std::string& bytes) {
    HANDLE h = ::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD written = 0;
    ::WriteFile(h, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    ::CloseHandle(h);
}

bool Named(const std::vector<std::wstring>& told, const std::wstring& path) {
    return std::any_of(told.begin(), told.end(), [&](const std::wstring& t) { return t.find(path) != t.npos; });
}

// A file copied or moved onto itself at the root, with "上書き", whichever
// way the destination is spelt: the file stays whole and is named.
TEST(DriveRootTest, CopyOrMoveOntoItselfWithOverwriteKeepsTheFile) {
    ASSERT_TRUE(DirectoryExists(L"R:\\")) << kNoDriveR;
    for (const unsigned mode : {kModeCopy, kModeMove, kModeDropMove}) {
        for (const wchar_t* destination : {L"R:", L"R:\\", L"R:\\\\"}) {
            const std::wstring file = L"R:\\self.txt";
            Write(file, "keep me");
            CopyRig rig;
            rig.options.mode = mode;
            rig.From(L"R:", {L"self.txt"}, destination);
            if (mode == kModeDropMove) rig.input.dropped = {file};
            rig.Always(CopyWay::Overwrite);
            CopyJob job = rig.Make();
            EXPECT_TRUE(job.Run()) << mode << ToUtf8(destination);
            EXPECT_EQ(ReadFileBytes(file), "keep me") << mode << ToUtf8(destination);
            EXPECT_TRUE(Named(rig.asker.told, file)) << mode << ToUtf8(destination);
            ::DeleteFileW(file.c_str());
        }
    }
}

// "R:" typed or taken from a pane is the root, not the current directory
// that the process last had on R:.
TEST(DriveRootTest, CopyAndMoveIntoBareDriveLandAtTheRoot) {
    ASSERT_TRUE(DirectoryExists(L"R:\\")) << kNoDriveR;
    // The current directory on R:, which a bare "R:" would name.
    wchar_t saved[MAX_PATH] = {};
    ::GetCurrentDirectoryW(MAX_PATH, saved);
    ::CreateDirectoryW(L"R:\\trap", nullptr);
    ASSERT_TRUE(::SetCurrentDirectoryW(L"R:\\trap"));
    for (const unsigned mode : {kModeCopy, kModeMove}) {
        TempDir dir;
        dir.WriteFile(L"landed.txt", "here");
        CopyRig rig;
        rig.options.mode = mode;
        rig.From(dir.Path(), {L"landed.txt"}, ResolvePath(dir.Path(), L"R:"));
        CopyJob job = rig.Make();
        EXPECT_TRUE(job.Run()) << mode;
        EXPECT_EQ(ReadFileBytes(L"R:\\landed.txt"), "here") << mode;
        EXPECT_FALSE(FileExists(L"R:\\trap\\landed.txt")) << mode;
        EXPECT_EQ(FileExists(dir / L"landed.txt"), mode == kModeCopy) << mode;
        ::DeleteFileW(L"R:\\landed.txt");
    }
    ::SetCurrentDirectoryW(saved);
}

TEST(DriveRootTest, DeleteAtTheRootLeavesTheCurrentDirectoryAlone) {
    ASSERT_TRUE(DirectoryExists(L"R:\\")) << kNoDriveR;
    Write(L"R:\\gone.txt", "x");
    ::CreateDirectoryW(L"R:\\gonedir", nullptr);
    ::CreateDirectoryW(L"R:\\gonedir\\deeper", nullptr);
    Write(L"R:\\gonedir\\deeper\\y.txt", "y");
    wchar_t before[MAX_PATH] = {}, after[MAX_PATH] = {};
    ::GetCurrentDirectoryW(MAX_PATH, before);
    DeleteRig rig;
    EXPECT_TRUE(rig.Run(Select(L"R:", {L"gone.txt", L"gonedir"})));
    ::GetCurrentDirectoryW(MAX_PATH, after);
    EXPECT_FALSE(FileExists(L"R:\\gone.txt"));
    EXPECT_FALSE(DirectoryExists(L"R:\\gonedir"));
    EXPECT_STREQ(before, after);
    EXPECT_TRUE(rig.remaining.empty());
    EXPECT_TRUE(rig.asker.told.empty());
}

// R:\loop\link is a link to R:\loop\src: a destination through it lies inside
// the source although no text says so.
TEST(DriveRootTest, LoopThroughALinkIsRefusedBeforeAnythingIsWritten) {
    ASSERT_TRUE(DirectoryExists(L"R:\\")) << kNoDriveR;
    ASSERT_TRUE(FileExists(L"R:\\loop\\link\\inner\\f.txt"));
    for (const wchar_t* destination : {L"R:\\loop\\link\\inner\\copy", L"R:\\loop\\link"}) {
        CopyRig rig;
        rig.From(L"R:\\loop", {L"src"}, destination);
        CopyJob job = rig.Make();
        EXPECT_FALSE(job.Run()) << ToUtf8(destination);
        EXPECT_EQ(rig.asker.told, std::vector<std::wstring>{L"無限ループに入るファイルのコピーできません"});
        EXPECT_FALSE(DirectoryExists(L"R:\\loop\\src\\inner\\copy"));
        EXPECT_FALSE(DirectoryExists(L"R:\\loop\\src\\src"));
    }
}

// R:\loop\src\inner\back leads back to R:\loop\src: the walk passes it over
// instead of following it a thousand levels down, and names it at the end.
TEST(DriveRootTest, LinkBackUpTheTreeIsNotWalked) {
    ASSERT_TRUE(DirectoryExists(L"R:\\")) << kNoDriveR;
    ASSERT_TRUE(FileExists(L"R:\\loop\\src\\inner\\back\\inner\\f.txt"));
    TempDir dir;
    CopyRig rig;
    rig.options.overallDisplay = true;  // the count walks the tree too
    rig.From(L"R:\\loop", {L"src"}, dir.Path());
    CopyJob job = rig.Make();
    EXPECT_TRUE(job.Run());
    EXPECT_EQ(ReadFileBytes(dir / L"src\\inner\\f.txt"), "f\n");
    EXPECT_FALSE(DirectoryExists(dir / L"src\\inner\\back"));
    EXPECT_EQ(rig.asker.told,
              std::vector<std::wstring>{L"無限ループに入るファイルのコピーできません\nR:\\loop\\src\\inner\\back"});
}

// A delete through R:\loopdel\top\inner\back would never end either: the
// link stays, and is named with what was left.
TEST(DriveRootTest, DeleteLeavesALinkBackUpTheTree) {
    ASSERT_TRUE(DirectoryExists(L"R:\\loopdel\\top\\inner\\back\\inner")) << kNoDriveR;
    DeleteRig rig;
    rig.asker.answers = {kAnswerYes};
    rig.options.warnNotEmpty = true;  // its search for files walks the tree too
    EXPECT_TRUE(rig.Run(Select(L"R:\\loopdel", {L"top"})));
    EXPECT_FALSE(FileExists(L"R:\\loopdel\\top\\inner\\f.txt"));
    EXPECT_EQ(rig.remaining, std::vector<std::wstring>{L"R:\\loopdel\\top\\inner\\back"});
}

// A link inside a deleted folder, and a link selected itself, lead out of
// what is deleted: the link goes (or is named as left), what it leads to stays.
TEST(DriveRootTest, DeleteRemovesLinksButNeverWhatTheyLeadTo) {
    ASSERT_TRUE(DirectoryExists(L"R:\\linkdel\\top\\out")) << kNoDriveR;
    for (const bool toBin : {false, true}) {
        DeleteRig rig;
        rig.asker.answers = {kAnswerYes, kAnswerYes};
        rig.options.toRecycleBin = toBin;
        rig.Run(Select(L"R:\\linkdel", {L"top", L"out"}));
        EXPECT_TRUE(FileExists(L"R:\\outside\\keep\\k.txt")) << toBin;
        for (const wchar_t* link : {L"R:\\linkdel\\top\\out", L"R:\\linkdel\\out"}) {
            EXPECT_EQ(DirectoryExists(link), std::count(rig.remaining.begin(), rig.remaining.end(), link) == 1)
                << toBin << ToUtf8(link);
        }
        EXPECT_FALSE(Named(rig.bin.recycled, L"\\out")) << toBin;
    }
}

// The platform reports the immutable file deleted; the job does not believe it.
TEST(DriveRootTest, UndeletableFileIsReportedByName) {
    ASSERT_TRUE(DirectoryExists(L"R:\\")) << kNoDriveR;
    if (FileExists(L"R:\\immutable\\UNAVAILABLE")) GTEST_SKIP() << "chattr +i is not available here";
    TempDir program;
    DeleteRig rig;
    rig.asker.answers = {kAnswerYes};
    rig.options.programDirectory = program.Path();
    rig.Run(Select(L"R:\\immutable", {L"locked.txt"}));
    EXPECT_TRUE(FileExists(L"R:\\immutable\\locked.txt"));
    EXPECT_EQ(rig.remaining, std::vector<std::wstring>{L"R:\\immutable\\locked.txt"});
    EXPECT_TRUE(Named(rig.asker.told, L"R:\\immutable\\locked.txt"));
}

}  // namespace
}  // namespace zq::fileops
