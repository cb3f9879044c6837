#include "fileops/DeleteJob.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "fileops/CopyTestSupport.h"

namespace zq::fileops {
namespace {

using namespace zq::fileops::test;
using zq::test::ReadFileBytes;
using zq::test::TempDir;

// The Filer hands over attributes as it read them; the tests state them so
// that the rules do not depend on which attributes the file system keeps.
SelectionSnapshot WithAttributes(SelectionSnapshot s, const std::vector<DWORD>& attributes) {
    for (size_t i = 0; i < attributes.size(); ++i) s.entries[i].dwFileAttributes = attributes[i];
    return s;
}

constexpr DWORD RO = FILE_ATTRIBUTE_READONLY, HID = FILE_ATTRIBUTE_HIDDEN, SYS = FILE_ATTRIBUTE_SYSTEM,
                ARC = FILE_ATTRIBUTE_ARCHIVE;

TEST(DeleteJobTest, ReadOnlyNoWithSameSettingKeepsLaterReadOnlyFilesButStillAsksOthers) {
    TempDir dir;
    for (const wchar_t* name : {L"r1.txt", L"r2.txt", L"h.txt", L"s.txt", L"plain.txt"}) dir.WriteFile(name, "x");
    ::SetFileAttributesW((dir / L"r1.txt").c_str(), RO);
    ::SetFileAttributesW((dir / L"r2.txt").c_str(), RO);
    DeleteRig rig;
    rig.asker.sameAnswers = {{false, true}, {true, true}, {true, true}};
    ASSERT_TRUE(rig.Run(WithAttributes(Select(dir.Path(), {L"r1.txt", L"r2.txt", L"h.txt", L"s.txt", L"plain.txt"}),
                                       {RO, RO, HID, SYS, ARC})));
    EXPECT_EQ(rig.asker.sameAsked,
              (std::vector<std::wstring>{dir / L"r1.txt" + L"は\nリードオンリーファイルです。消去しますか?",
                                         dir / L"h.txt" + L"は\n隠しファイルです。消去しますか?",
                                         dir / L"s.txt" + L"は\nシステムファイルです。消去しますか?"}));
    EXPECT_EQ(rig.asker.sameShownChecked, std::vector<bool>(3, true));
    EXPECT_EQ(rig.asker.sameCaptions, std::vector<std::wstring>(3, L"削除の確認"));
    EXPECT_TRUE(FileExists(dir / L"r1.txt"));
    EXPECT_TRUE(FileExists(dir / L"r2.txt"));
    EXPECT_FALSE(FileExists(dir / L"h.txt"));
    EXPECT_FALSE(FileExists(dir / L"s.txt"));
    EXPECT_FALSE(FileExists(dir / L"plain.txt"));
}

TEST(DeleteJobTest, QuestionKindBySystemThenReadOnlyThenHidden) {
    struct Case {
        DWORD attributes;
        const wchar_t* kind;
    };
    const Case cases[] = {
        {SYS | RO, L"システムファイル"}, {RO | HID, L"リードオンリーファイル"}, {HID | SYS, L"システムファイル"}};
    for (const Case& c : cases) {
        TempDir dir;
        dir.WriteFile(L"f.txt", "x");
        ::SetFileAttributesW((dir / L"f.txt").c_str(), c.attributes & RO);
        DeleteRig rig;
        rig.asker.sameAnswers = {{true, false}};
        ASSERT_TRUE(rig.Run(WithAttributes(Select(dir.Path(), {L"f.txt"}), {c.attributes})));
        ASSERT_EQ(rig.asker.sameAsked.size(), 1u);
        EXPECT_NE(rig.asker.sameAsked[0].find(c.kind), std::wstring::npos) << c.attributes;
        EXPECT_FALSE(FileExists(dir / L"f.txt")) << c.attributes;  // read-only is cleared first
    }
}

TEST(DeleteJobTest, UncheckedSameSettingAsksEveryTime) {
    TempDir dir;
    for (const wchar_t* name : {L"a.txt", L"b.txt"}) dir.WriteFile(name, "x");
    DeleteRig rig;
    rig.asker.sameAnswers = {{false, false}, {true, false}};
    ASSERT_TRUE(rig.Run(WithAttributes(Select(dir.Path(), {L"a.txt", L"b.txt"}), {HID, HID})));
    EXPECT_EQ(rig.asker.sameAsked.size(), 2u);
    EXPECT_TRUE(FileExists(dir / L"a.txt"));
    EXPECT_FALSE(FileExists(dir / L"b.txt"));
}

TEST(DeleteJobTest, DirectoryWithDeclinedFileStaysWithItsParents) {
    TempDir dir;
    dir.WriteFile(L"top\\mid\\keep.txt", "x");
    dir.WriteFile(L"top\\mid\\go.txt", "x");
    dir.WriteFile(L"top\\other\\go.txt", "x");
    ::SetFileAttributesW((dir / L"top\\mid\\keep.txt").c_str(), RO);
    DeleteRig rig;
    rig.asker.sameAnswers = {{false, true}};
    ASSERT_TRUE(rig.Run(Select(dir.Path(), {L"top"})));
    EXPECT_TRUE(FileExists(dir / L"top\\mid\\keep.txt"));
    EXPECT_FALSE(FileExists(dir / L"top\\mid\\go.txt"));
    EXPECT_FALSE(DirectoryExists(dir / L"top\\other"));
    EXPECT_TRUE(DirectoryExists(dir / L"top\\mid"));
}

TEST(DeleteJobTest, DoNotDeleteDirectoriesEmptiesThemOnly) {
    TempDir dir;
    dir.WriteFile(L"d\\a.txt", "x");
    dir.WriteFile(L"d\\sub\\b.txt", "x");
    DeleteRig rig;
    rig.options.noDeleteDirectories = true;
    ASSERT_TRUE(rig.Run(Select(dir.Path(), {L"d"})));
    EXPECT_FALSE(FileExists(dir / L"d\\a.txt"));
    EXPECT_FALSE(FileExists(dir / L"d\\sub\\b.txt"));
    EXPECT_TRUE(DirectoryExists(dir / L"d\\sub"));
}

TEST(DeleteJobTest, RecycleBinWholeFoldersOrOneByOne) {
    struct Case {
        bool atOnce;
        bool noDeleteDirectories;
        std::vector<std::wstring> recycled;  // relative to the temp folder
    };
    const Case cases[] = {
        {true, false, {L"d"}},
        // The fake bin leaves the file in place, so the directory is not empty
        // afterwards: only whole-folder mode sends a directory that still holds files.
        {false, false, {L"d\\a.txt"}},
        {true, true, {L"d\\a.txt"}},  // at once needs directories to be deleted at all
    };
    for (const Case& c : cases) {
        TempDir dir;
        dir.WriteFile(L"d\\a.txt", "x");
        DeleteRig rig;
        rig.options.toRecycleBin = true;
        rig.options.foldersAtOnce = c.atOnce;
        rig.options.noDeleteDirectories = c.noDeleteDirectories;
        ASSERT_TRUE(rig.Run(Select(dir.Path(), {L"d"})));
        std::vector<std::wstring> expected;
        for (const std::wstring& r : c.recycled) expected.push_back(dir / r);
        EXPECT_EQ(rig.bin.recycled, expected) << c.atOnce << c.noDeleteDirectories;
        EXPECT_TRUE(FileExists(dir / L"d\\a.txt"));  // the real bin was never touched
    }
}

TEST(DeleteJobTest, WarnWhenNotEmptyPassesOverOnNo) {
    TempDir dir;
    dir.WriteFile(L"full\\deep\\f.txt", "x");
    dir.MakeDir(L"empty\\deep");
    DeleteRig rig;
    rig.options.warnNotEmpty = true;
    rig.asker.answers = {kAnswerNo};
    ASSERT_TRUE(rig.Run(Select(dir.Path(), {L"full", L"empty"})));
    EXPECT_EQ(rig.asker.asked, std::vector<std::wstring>{dir / L"full" + L"にはファイルが存在します。消去しますか"});
    EXPECT_TRUE(FileExists(dir / L"full\\deep\\f.txt"));
    EXPECT_FALSE(DirectoryExists(dir / L"empty"));
}

TEST(DeleteJobTest, FailedDeletionAsksAndNoCancels) {
    TempDir dir;
    for (const wchar_t* name : {L"a.txt", L"b.txt", L"c.txt"}) dir.WriteFile(name, "x");
    DeleteRig rig;
    rig.fs.deleteFaultPart = L"b.txt";
    rig.asker.answers = {kAnswerNo};
    EXPECT_FALSE(rig.Run(Select(dir.Path(), {L"a.txt", L"b.txt", L"c.txt"})));
    EXPECT_EQ(rig.asker.asked, std::vector<std::wstring>{L"削除に失敗しました続けますか"});
    EXPECT_FALSE(FileExists(dir / L"a.txt"));  // deleted so far stays deleted
    EXPECT_TRUE(FileExists(dir / L"b.txt"));
    EXPECT_TRUE(FileExists(dir / L"c.txt"));
}

TEST(DeleteJobTest, VirtualListingLosesEntriesButKeepsFiles) {
    TempDir dir;
    dir.WriteFile(L"real\\a.txt", "x");
    dir.WriteFile(L"real\\d\\b.txt", "x");
    SelectionSnapshot s = Select(dir / L"real", {L"a.txt", L"d"});
    s.isVirtual = true;
    s.directory = L"V:\\list";
    s.entryDirectories = {dir / L"real", dir / L"real"};
    DeleteRig rig;
    ASSERT_TRUE(rig.Run(s));
    EXPECT_EQ(rig.virtualDrives.removed,
              (std::vector<std::wstring>{L"V:\\list|" + dir / L"real\\a.txt", L"V:\\list|" + dir / L"real\\d"}));
    EXPECT_TRUE(FileExists(dir / L"real\\a.txt"));
    EXPECT_TRUE(FileExists(dir / L"real\\d\\b.txt"));
}

// The platform may say a file is gone that is still there (Wine does, for an
// immutable file): the job checks, and names what is left in its end message
// and in its log.
TEST(DeleteJobTest, EntriesStillThereAfterASuccessAreReportedByName) {
    TempDir dir, program;
    dir.WriteFile(L"a.txt", "x");
    dir.WriteFile(L"d\\stuck.txt", "x");
    dir.WriteFile(L"d\\fine.txt", "x");
    DeleteRig rig;
    rig.fs.deleteIgnoredPart = L"stuck.txt";
    rig.options.programDirectory = program.Path();
    ASSERT_TRUE(rig.Run(Select(dir.Path(), {L"a.txt", L"d"})));
    EXPECT_FALSE(FileExists(dir / L"a.txt"));
    EXPECT_FALSE(FileExists(dir / L"d\\fine.txt"));
    ASSERT_EQ(rig.asker.told.size(), 1u);
    const std::wstring& told = rig.asker.told[0];
    EXPECT_EQ(told.rfind(L"次のファイルは削除できませんでした\n" + dir / L"d\\stuck.txt", 0), 0u) << ToUtf8(told);
    EXPECT_EQ(told.find(L"fine.txt"), std::wstring::npos);

    WIN32_FIND_DATAW found{};
    HANDLE find = ::FindFirstFileW((program / L"Log\\DELETE_ERROR_*.log").c_str(), &found);
    ASSERT_NE(find, INVALID_HANDLE_VALUE);
    ::FindClose(find);
    EXPECT_EQ(ReadFileBytes(program / (std::wstring(L"Log\\") + found.cFileName)),
              LogBytes(L"DeleteFile,0," + dir / L"d\\stuck.txt" + L"\r\n"));
}

// A folder the bin would not keep is asked about as a deletion for good.
TEST(DeleteJobTest, RecycleThatWouldDeleteForGoodIsAskedFirst) {
    for (const bool atOnce : {true, false}) {
        for (const int answer : {kAnswerNo, kAnswerYes}) {
            TempDir dir;
            dir.WriteFile(L"far\\a.txt", "x");
            dir.WriteFile(L"near\\b.txt", "x");
            DeleteRig rig;
            rig.options.toRecycleBin = true;
            rig.options.foldersAtOnce = atOnce;
            rig.bin.forGoodPart = L"far";
            rig.asker.answers = {answer};
            ASSERT_TRUE(rig.Run(Select(dir.Path(), {L"far", L"near"})));
            EXPECT_EQ(rig.asker.asked,
                      std::vector<std::wstring>{dir / L"far" +
                                                L"はごみ箱に移動できないため完全に削除されます。削除しますか"});
            const bool farRecycled = std::count_if(rig.bin.recycled.begin(), rig.bin.recycled.end(),
                                                   [](const std::wstring& p) { return p.find(L"far") != p.npos; }) > 0;
            EXPECT_EQ(farRecycled, answer == kAnswerYes) << atOnce;
            EXPECT_FALSE(rig.bin.recycled.empty());  // the other folder went all the same
        }
    }
    // Switched off (TODUSTASKFORGOOD=0): recycled without a question.
    TempDir dir;
    dir.WriteFile(L"far\\a.txt", "x");
    DeleteRig rig;
    rig.options.toRecycleBin = rig.options.foldersAtOnce = true;
    rig.options.askBeforeDeletingForGood = false;
    rig.bin.forGoodPart = L"far";
    ASSERT_TRUE(rig.Run(Select(dir.Path(), {L"far"})));
    EXPECT_TRUE(rig.asker.asked.empty());
    EXPECT_EQ(rig.bin.recycled, std::vector<std::wstring>{dir / L"far"});
}

// Under Wine the bin is the desktop's trash, which takes a folder only from
// its own file system; /dev/shm is another one.
TEST(DeleteJobTest, ShellBinKnowsWhichFoldersItWouldDeleteForGood) {
    if (HostTrashFolder().empty()) GTEST_SKIP() << "not under Wine";
    if (!DirectoryExists(L"Z:\\dev\\shm")) GTEST_SKIP() << "no /dev/shm";
    const std::wstring other = L"Z:\\dev\\shm\\zq-bin-" + std::to_wstring(::GetCurrentProcessId());
    ASSERT_TRUE(::CreateDirectoryW(other.c_str(), nullptr));
    TempDir same;
    ShellRecycleBin bin;
    EXPECT_TRUE(bin.WouldDeleteForGood(other));
    EXPECT_FALSE(bin.WouldDeleteForGood(same.Path()));
    ::RemoveDirectoryW(other.c_str());
}

}  // namespace
}  // namespace zq::fileops
