#include <gtest/gtest.h>

#include "fileops/CopyTestSupport.h"
#include "fileops/FileAttributes.h"
#include "filer/FilerLayoutTestEntry.h"
#include "filer/FixedClock.h"

namespace zq::fileops::test {
namespace {

using zq::filer::test::MakeUtcTime;
using zq::test::FixedClock;
using zq::test::TempDir;

struct RecordingChangeAsker : IChangeAsker {
    std::vector<std::wstring> asked;
    bool answer = true;
    bool AskContinue(const std::wstring& text, const std::wstring&, bool) override {
        asked.push_back(text);
        return answer;
    }
};

DWORD UserBits(const std::wstring& path) {
    return ::GetFileAttributesW(path.c_str()) &
           (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_DIRECTORY);
}

FILETIME WriteTime(const std::wstring& path) {
    return FindOf(path).ftLastWriteTime;
}

// dir\inner.txt, dir\sub\deep.txt and top.txt, all archive only.
struct Tree {
    TempDir temp;
    Tree() {
        temp.WriteFile(L"dir\\inner.txt", "a");
        temp.WriteFile(L"dir\\sub\\deep.txt", "b");
        temp.WriteFile(L"top.txt", "c");
        for (const wchar_t* p : {L"dir", L"dir\\inner.txt", L"dir\\sub", L"dir\\sub\\deep.txt", L"top.txt"})
            ::SetFileAttributesW((temp / p).c_str(), FILE_ATTRIBUTE_SYSTEM);
    }
};

// Wine keeps the hidden and system bits on files and directories alike, but
// reports every file as archive and never keeps read-only on a directory, so
// the table compares read-only, hidden and system and sets read-only on
// files only.
TEST(FileAttributes, DirectoryRulesDecideWhatChanges) {
    constexpr DWORD R = FILE_ATTRIBUTE_READONLY, H = FILE_ATTRIBUTE_HIDDEN, S = FILE_ATTRIBUTE_SYSTEM,
                    D = FILE_ATTRIBUTE_DIRECTORY;
    struct Case {
        bool into, leave;
        DWORD word;
        DWORD dir, inner, sub, deep, top;
    } cases[] = {
        // Nothing checked makes every entry normal.
        {false, false, 0, D, S, D | S, S, 0},
        {false, false, H, D | H, S, D | S, S, H},
        {true, false, H, D | H, H, D | H, H, H},
        // The directories keep theirs while their files change.
        {true, true, R | H, D | S, R | H, D | S, R | H, R | H},
        {false, true, R, D | S, S, D | S, S, R},
    };
    for (const Case& c : cases) {
        Tree tree;
        RecordingChangeAsker asker;
        AttributeChange change;
        change.attributes = true;
        change.word = c.word;
        change.intoDirectories = c.into;
        change.leaveDirectories = c.leave;
        ASSERT_TRUE(
            ApplyAttributeChange(RealFileSystem(), asker, Select(tree.temp.Path(), {L"dir", L"top.txt"}), change));
        const std::string at = "word " + std::to_string(c.word) + (c.into ? " into" : "") + (c.leave ? " leave" : "");
        const std::vector<DWORD> got = {UserBits(tree.temp / L"dir"), UserBits(tree.temp / L"dir\\inner.txt"),
                                        UserBits(tree.temp / L"dir\\sub"), UserBits(tree.temp / L"dir\\sub\\deep.txt"),
                                        UserBits(tree.temp / L"top.txt")};
        EXPECT_EQ(got, (std::vector<DWORD>{c.dir, c.inner, c.sub, c.deep, c.top})) << at;
        EXPECT_TRUE(asker.asked.empty());
    }
}

TEST(FileAttributes, OnlyTheLastWriteTimeOfAReadOnlyFileChanges) {
    TempDir temp;
    const std::wstring file = temp.WriteFile(L"ro.txt", "x");
    const FILETIME old = MakeUtcTime(2001, 2, 3);
    ASSERT_TRUE(SetAllTimes(file, old));
    ::SetFileAttributesW(file.c_str(), FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_ARCHIVE);
    RecordingChangeAsker asker;
    AttributeChange change;
    change.times = true;
    change.stamps.write = MakeUtcTime(2020, 3, 5);
    ASSERT_TRUE(ApplyAttributeChange(RealFileSystem(), asker, Select(temp.Path(), {L"ro.txt"}), change));
    const WIN32_FIND_DATAW after = FindOf(file);
    EXPECT_EQ(CompareFileTime(&after.ftLastWriteTime, &*change.stamps.write), 0);
    // Wine keeps no creation time on Linux; the access time stands for the rows left alone.
    EXPECT_EQ(CompareFileTime(&after.ftLastAccessTime, &old), 0);
    EXPECT_EQ(UserBits(file), static_cast<DWORD>(FILE_ATTRIBUTE_READONLY));
}

TEST(FileAttributes, TimesGoIntoDirectoriesAndOntoThemWhenAsked) {
    Tree tree;
    const FILETIME old = MakeUtcTime(2001, 2, 3);
    for (const wchar_t* p : {L"dir\\inner.txt", L"dir\\sub\\deep.txt"}) ASSERT_TRUE(SetAllTimes(tree.temp / p, old));
    RecordingChangeAsker asker;
    AttributeChange change;
    change.times = true;
    change.stamps.write = MakeUtcTime(2019, 7, 8);
    ASSERT_TRUE(ApplyAttributeChange(RealFileSystem(), asker, Select(tree.temp.Path(), {L"dir"}), change));
    FILETIME inner = WriteTime(tree.temp / L"dir\\inner.txt");
    EXPECT_EQ(CompareFileTime(&inner, &old), 0) << "not walked without the option";
    FILETIME dir = WriteTime(tree.temp / L"dir");
    EXPECT_EQ(CompareFileTime(&dir, &*change.stamps.write), 0);

    change.intoDirectories = true;
    change.attributes = true;
    change.word = FILE_ATTRIBUTE_HIDDEN;
    ASSERT_TRUE(ApplyAttributeChange(RealFileSystem(), asker, Select(tree.temp.Path(), {L"dir"}), change));
    for (const wchar_t* p : {L"dir\\inner.txt", L"dir\\sub", L"dir\\sub\\deep.txt"}) {
        const FILETIME t = WriteTime(tree.temp / p);
        EXPECT_EQ(CompareFileTime(&t, &*change.stamps.write), 0) << ToUtf8(p);
        EXPECT_TRUE(UserBits(tree.temp / p) & FILE_ATTRIBUTE_HIDDEN) << ToUtf8(p);
    }
    EXPECT_TRUE(asker.asked.empty());
}

TEST(FileAttributes, AFailedEntryAsksAndCancelEndsTheOperation) {
    TempDir temp;
    temp.WriteFile(L"b.txt", "b");
    SelectionSnapshot selection = Select(temp.Path(), {L"b.txt"});
    // An entry that has gone since it was listed.
    WIN32_FIND_DATAW gone = selection.entries.front();
    wcscpy_s(gone.cFileName, L"gone.txt");
    selection.entries.insert(selection.entries.begin(), gone);
    AttributeChange change;
    change.times = true;
    change.stamps.write = MakeUtcTime(2018, 1, 1);
    RecordingChangeAsker asker;
    asker.answer = false;
    EXPECT_FALSE(ApplyAttributeChange(RealFileSystem(), asker, selection, change));
    ASSERT_EQ(asker.asked.size(), 1u);
    EXPECT_EQ(asker.asked[0], temp / L"gone.txt" + L"の日付の変更に失敗しました。\n続けますか");
    FILETIME b = WriteTime(temp / L"b.txt");
    EXPECT_NE(CompareFileTime(&b, &*change.stamps.write), 0) << "Cancel must end before the next entry";
    asker.answer = true;
    EXPECT_TRUE(ApplyAttributeChange(RealFileSystem(), asker, selection, change));
    b = WriteTime(temp / L"b.txt");
    EXPECT_EQ(CompareFileTime(&b, &*change.stamps.write), 0);
}

TEST(FileAttributes, TimeRowsAreValidatedRowByRow) {
    const FixedClock clock(9, {});
    using Rows = std::array<TimeRowText, 3>;
    struct Case {
        Rows rows;
        std::wstring message;
    } cases[] = {
        {{}, L"日付情報がどれも有効でありません"},
        {{{{true, L"2020/02/30", L"00:00:00"}, {}, {}}}, L"作成日の日付が不正です"},
        {{{{true, L"2020/02/29", L"24:00:00"}, {}, {}}}, L"作成日の時間が不正です"},
        {{{{}, {true, L"2020/13/01", L"00:00:00"}, {}}}, L"最終アクセス日の日付が不正です"},
        {{{{}, {true, L"2020/01/01", L"1:2"}, {}}}, L"最終アクセス日の時間が不正です"},
        {{{{}, {}, {true, L"x", L"00:00:00"}}}, L"更新日の日付が不正です"},
        // Nine hours east of UTC the first day of 1601 lies before any file time.
        {{{{}, {}, {true, L"1601/01/01", L"08:59:59"}}}, L"更新日の日付が不正です"},
        {{{{}, {}, {true, L"1601/01/01", L"09:00:00"}}}, L"更新日の日付が不正です"},
        {{{{}, {}, {true, L"1601/01/01", L"09:00:01"}}}, L""},
        {{{{false, L"bad", L"bad"}, {}, {true, L"9999/12/31", L"23:59:59"}}}, L""},
    };
    for (const Case& c : cases) {
        TimeStamps stamps;
        EXPECT_EQ(ReadTimeRows(c.rows, clock, stamps), c.message) << ToUtf8(c.rows[2].date);
        if (c.message.empty()) {
            EXPECT_FALSE(stamps.creation);
            ASSERT_TRUE(stamps.write);
            std::wstring date, time;
            ASSERT_TRUE(FormatTimeRow(*stamps.write, clock, date, time));
            EXPECT_EQ(date + L" " + time, c.rows[2].date + L" " + c.rows[2].time);
        }
    }
}

}  // namespace
}  // namespace zq::fileops::test
