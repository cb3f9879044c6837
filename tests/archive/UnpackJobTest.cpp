// The unpack job's command lines and path checks, and whole jobs through the real Unbypass.dll.
#include <gtest/gtest.h>

#include <windows.h>

#include "archive/UnpackJob.h"
#include "common/Paths.h"
#include "archive/ArchiveTestSupport.h"
#include "main/TempDir.h"

namespace zq {
namespace {

std::string Read(const std::wstring& path) {
    if (::GetFileAttributesW(path.c_str()) == INVALID_FILE_ATTRIBUTES) return "(missing)";
    return test::ReadFileBytes(path);
}

TEST(UnpackCommandLine, GluesTheDestinationToMinusOOnlyForSevenZip) {
    const auto table = DefaultArchiverTable();
    struct Case {
        int row;
        bool ignoreFolders;
        const wchar_t* password;
        const wchar_t* line;
    } cases[] = {
        {7, false, L"", LR"(x  "C:\a.7z" "-oD:\out\")"},
        {7, true, L"pw", LR"(e -ppw  "C:\a.7z" "-oD:\out\")"},
        {1, false, L"pw", LR"(-x -Ppw  "C:\a.7z" "D:\out\")"},
        {0, true, L"pw", LR"(e  "C:\a.7z" "D:\out\")"},  // LHA takes no password here
        {3, false, L"pw", LR"(-x -p<pw>  "C:\a.7z" "D:\out\")"},
    };
    for (const auto& c : cases) {
        const std::wstring options = UnpackOptionString(table[c.row], c.ignoreFolders, c.password);
        EXPECT_EQ(UnpackCommandLine(c.row, options, L"C:\\a.7z", L"D:\\out\\"), c.line) << c.row;
    }
    // Switched-on option words follow the command word; LHA's seventh can be left out.
    std::array<int, 10> on{};
    on[0] = on[6] = on[9] = 1;
    EXPECT_EQ(UnpackOptionString(table[0], false, L"", &on), L"x -a1 -jp1 ");
    EXPECT_EQ(UnpackOptionString(table[0], false, L"", &on, 6), L"x -a1 ");
    EXPECT_EQ(UnpackOptionString(table[7], true, L"pw", &on), L"e -y -ppw ");
    EXPECT_EQ(UnpackDestination({L"D:\\out\\", true}, L"pack.tar.gz"), L"D:\\out\\pack.tar\\");
    EXPECT_EQ(UnpackDestination({L"D:\\out", false}, L"pack.zip"), L"D:\\out\\");
}

TEST(CheckPathLengths, MeasuresDestinationsFoldersAndNames) {
    const auto missing = [](const std::string&) { return false; };
    const auto present = [](const std::string&) { return true; };
    const std::string d254(254, 'd');
    const std::string d246(246, 'd');
    const std::string d240(240, 'd');
    struct Case {
        const std::string& destination;
        std::vector<std::string> members;
        bool exists;
        int result;
    } cases[] = {
        {d254, {"abcd"}, true, 0},    // 4 + 254 + 1 = 259
        {d254, {"abcde"}, true, -4},  // reaches 260
        {d254, {}, false, -3},        // a missing destination of 247 or more cannot be made
        {std::string(255, 'd'), {}, true, -2},
        {d240, {"a/b.txt"}, false, 0},
        {d240, {"abcdefgh/b.txt"}, false, -3},  // the folder to make would be 249 long
        {d240, {"abcdefgh/b.txt"}, true, 0},
        {d240, {"abcdefgh/abcdefghijk.txt"}, true, -4},
        // 0x5C after a lead byte is not a separator: no folder to make, so no -3.
        {d246, {"\x95\x5C\x95\x5C\x95\x5C\x95\x5Cx"}, false, 0},
    };
    for (const auto& c : cases)
        EXPECT_EQ(CheckPathLengths(c.destination, c.members, c.exists ? std::function(present) : missing), c.result)
            << c.destination.size() << " " << (c.members.empty() ? "" : c.members[0]);
}

TEST(UnpackJob, UnpacksEachArchiveAndStopsWhereTheUserCancels) {
    test::TempDir out;
    test::ScriptedQuestions questions;
    UnpackRequest request{out.Path(), true};
    UnpackJob job(DefaultArchiverTable(), test::ArchiverLibrary(), request,
                  {{test::ArchiverFixtures(), L"plain.zip"}, {test::ArchiverFixtures(), L"plain.tar.gz"}}, questions);
    EXPECT_TRUE(job.Run());
    EXPECT_TRUE(questions.asked.empty());
    for (const wchar_t* folder : {L"plain", L"plain.tar"}) {
        EXPECT_EQ(Read(out / (std::wstring(folder) + L"\\a.txt")), "alpha\n") << folder;
        EXPECT_EQ(Read(out / (std::wstring(folder) + L"\\dir\\sub\\b.txt")), "bravo\n") << folder;
    }

    // The text file is not an archive: asked, and Cancel ends the job before the ZIP after it.
    test::TempDir second;
    questions.answer = false;
    UnpackJob stopped(DefaultArchiverTable(), test::ArchiverLibrary(), {second.Path()},
                      {{test::ArchiverFixtures(), L"notarchive.txt"}, {test::ArchiverFixtures(), L"plain.zip"}},
                      questions);
    EXPECT_FALSE(stopped.Run());
    ASSERT_EQ(questions.asked.size(), 1u);
    EXPECT_EQ(questions.asked[0], L"ファイルの解凍に失敗しました(対応DLLなし)\n" + test::ArchiverFixtures() +
                                      L"\\notarchive.txt\n続けますか?");
    EXPECT_EQ(::GetFileAttributesW((second / L"a.txt").c_str()), INVALID_FILE_ATTRIBUTES);

    // A broken archive fails, OK goes on to the next one.
    test::TempDir third;
    questions.asked.clear();
    questions.answer = true;
    UnpackJob goesOn(DefaultArchiverTable(), test::ArchiverLibrary(), {third.Path(), false, true},
                     {{test::ArchiverFixtures(), L"truncated.tar.gz"}, {test::ArchiverFixtures(), L"plain.zip"}},
                     questions);
    EXPECT_FALSE(goesOn.Run());
    EXPECT_EQ(questions.asked.size(), 1u);
    EXPECT_EQ(Read(third / L"a.txt"), "alpha\n");
    EXPECT_EQ(Read(third / L"b.txt"), "bravo\n");
    EXPECT_EQ(::GetFileAttributesW((third / L"big.bin").c_str()), INVALID_FILE_ATTRIBUTES);
}

TEST(UnpackJob, UnpacksSelectedMembersWithOrWithoutTheirFolders) {
    for (const bool ignoreFolders : {false, true}) {
        test::TempDir out;
        test::ScriptedQuestions questions;
        UnpackRequest request{out.Path(), false, ignoreFolders};
        UnpackJob job(DefaultArchiverTable(), test::ArchiverLibrary(), request, {}, questions);
        job.SetMembers(JoinPath(test::ArchiverFixtures(), L"plain.zip"), {L"dir/sub/b.txt"});
        EXPECT_TRUE(job.Run());
        EXPECT_EQ(Read(out / (ignoreFolders ? L"b.txt" : L"dir\\sub\\b.txt")), "bravo\n");
        EXPECT_EQ(Read(out / L"a.txt"), "(missing)");
        EXPECT_TRUE(questions.asked.empty());
    }
    EXPECT_EQ(MemberCommandLine(false, L"C:\\a b.zip", L"D:\\out", {L"x/y.txt", L"z.txt"}),
              LR"(e -d1 -m1 -p1 -n1 "C:\a b.zip" "D:\out\" "x/y.txt" "z.txt")");
}

// A name already in the destination is never overwritten by the archiver:
// the members go into a folder of the job's own, the placement gets it, and
// the folder is gone afterwards.  With nothing taken there is no detour.
TEST(UnpackJob, NamesAlreadyThereGoThroughThePlacement) {
    // Whole archives (with the length check, whose listing serves the
    // same-name check too) and members chosen in the pane.
    for (const int way : {0, 1, 2}) {
        const bool members = way == 2;
        test::TempDir out;
        out.WriteFile(L"a.txt", "mine\n");
        // What a zq that was ended mid-question left behind goes; folders of
        // a living process and folders that only look alike stay.
        out.WriteFile(L"~zq3999999996\\old.txt", "left\n");
        out.WriteFile(L"~zq3999999992_2\\d\\old.txt", "left\n");
        const std::wstring living = L"~zq" + std::to_wstring(::GetCurrentProcessId()) + L"_9";
        out.WriteFile(living + L"\\keep.txt", "busy\n");
        out.WriteFile(L"~zqnotes\\keep.txt", "mine\n");
        out.WriteFile(L"~zq12_\\keep.txt", "mine\n");
        test::ScriptedQuestions questions;
        UnpackRequest request{out.Path()};
        request.checkPathLength = way == 1;
        UnpackJob job(DefaultArchiverTable(), test::ArchiverLibrary(), request,
                      members ? std::vector<UnpackJob::Item>{}
                              : std::vector<UnpackJob::Item>{{test::ArchiverFixtures(), L"plain.zip"}},
                      questions);
        if (members) job.SetMembers(JoinPath(test::ArchiverFixtures(), L"plain.zip"), {L"a.txt", L"dir/sub/b.txt"});
        std::wstring staged, placedInto;
        std::string stagedA, stagedB;
        bool endIt = false;
        job.SetStagedPlacement(
            [&](const std::wstring& staging, const std::wstring& destination, const std::wstring& archive) {
                EXPECT_EQ(archive, JoinPath(test::ArchiverFixtures(), L"plain.zip"));
                staged = staging;
                placedInto = destination;
                stagedA = Read(staging + L"\\a.txt");
                stagedB = Read(staging + L"\\dir\\sub\\b.txt");
                return !endIt;
            });
        EXPECT_TRUE(job.Run()) << way;
        EXPECT_EQ(placedInto, out.Path());
        EXPECT_EQ(ParentPart(staged), out.Path());
        EXPECT_EQ(stagedA, "alpha\n");
        EXPECT_EQ(stagedB, "bravo\n");
        EXPECT_EQ(Read(out / L"a.txt"), "mine\n");
        EXPECT_EQ(::GetFileAttributesW(staged.c_str()), INVALID_FILE_ATTRIBUTES) << "the staging folder stays";
        EXPECT_TRUE(questions.asked.empty());
        EXPECT_FALSE(DirectoryExists(out / L"~zq3999999996"));
        EXPECT_FALSE(DirectoryExists(out / L"~zq3999999992_2"));
        EXPECT_EQ(Read(out / (living + L"\\keep.txt")), "busy\n");
        EXPECT_EQ(Read(out / L"~zqnotes\\keep.txt"), "mine\n");
        EXPECT_EQ(Read(out / L"~zq12_\\keep.txt"), "mine\n");

        // The user ending the placement ends the job.
        endIt = true;
        UnpackJob ended(DefaultArchiverTable(), test::ArchiverLibrary(), {out.Path()},
                        {{test::ArchiverFixtures(), L"plain.zip"}, {test::ArchiverFixtures(), L"plain.tar.gz"}},
                        questions);
        int placements = 0;
        ended.SetStagedPlacement([&](const std::wstring&, const std::wstring&, const std::wstring&) {
            ++placements;
            return false;
        });
        EXPECT_FALSE(ended.Run());
        EXPECT_EQ(placements, 1);
    }
    // Into an empty folder the archiver writes directly.
    test::TempDir fresh;
    test::ScriptedQuestions questions;
    UnpackJob direct(DefaultArchiverTable(), test::ArchiverLibrary(), {fresh.Path()},
                     {{test::ArchiverFixtures(), L"plain.zip"}}, questions);
    direct.SetStagedPlacement([](const std::wstring&, const std::wstring&, const std::wstring&) {
        ADD_FAILURE() << "nothing was taken";
        return false;
    });
    EXPECT_TRUE(direct.Run());
    EXPECT_EQ(Read(fresh / L"a.txt"), "alpha\n");
    EXPECT_TRUE(AnyNameTaken(fresh.Path(), {L"dir\\sub\\b.txt"}, true));
    EXPECT_FALSE(AnyNameTaken(fresh.Path(), {L"dir/sub/z.txt", L"b.txt"}, true));
    EXPECT_TRUE(AnyNameTaken(fresh.Path(), {L"x/y/a.txt"}, false));
    EXPECT_FALSE(AnyNameTaken(fresh.Path(), {L"dir/sub"}, true)) << "a folder is not a taken name";
}

}  // namespace
}  // namespace zq
