#include "fileops/SameNameResolver.h"

#include <gtest/gtest.h>

#include "common/Paths.h"
#include "fileops/ScriptedAskers.h"
#include "main/TempDir.h"

namespace zq::fileops {
namespace {

using test::ScriptedAsker;
using test::Way;
using zq::test::TempDir;

constexpr ULONGLONG kSecond = 10000000;

FILETIME At(ULONGLONG ticks) {
    FILETIME t;
    t.dwLowDateTime = static_cast<DWORD>(ticks);
    t.dwHighDateTime = static_cast<DWORD>(ticks >> 32);
    return t;
}

WIN32_FIND_DATAW Entry(const wchar_t* name, ULONGLONG writeTicks, ULONGLONG size) {
    WIN32_FIND_DATAW d{};
    wcscpy_s(d.cFileName, name);
    d.dwFileAttributes = FILE_ATTRIBUTE_ARCHIVE;
    d.ftLastWriteTime = d.ftCreationTime = d.ftLastAccessTime = At(writeTicks);
    d.nFileSizeLow = static_cast<DWORD>(size);
    d.nFileSizeHigh = static_cast<DWORD>(size >> 32);
    return d;
}

TEST(SameNameResolverTest, TimeComparisonTolerance) {
    struct Case {
        ULONGLONG sourceOffset;  // source newer by this much
        bool range;
        int expected;
    };
    const ULONGLONG base = 130000000000000000ULL;
    const Case cases[] = {
        {1 * kSecond, true, 0},     {3 * kSecond, true, 1}, {2 * kSecond, true, 0},
        {2 * kSecond + 1, true, 1}, {1, false, 1},          {0, false, 0},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(CompareWriteTimes(At(base + c.sourceOffset), At(base), c.range), c.expected) << c.sourceOffset;
        EXPECT_EQ(CompareWriteTimes(At(base), At(base + c.sourceOffset), c.range), -c.expected) << c.sourceOffset;
    }
}

TEST(SameNameResolverTest, SevenWaysOnOneCollision) {
    const ULONGLONG base = 130000000000000000ULL;
    struct Case {
        CopyWay way;
        bool range;
        ULONGLONG srcTime, dstTime, srcSize, dstSize;
        SameNameAction expected;
    };
    const Case cases[] = {
        {CopyWay::Newer, true, base + 1 * kSecond, base, 1, 1, SameNameAction::SkipAfterNoCopy},
        {CopyWay::Newer, true, base + 3 * kSecond, base, 1, 1, SameNameAction::Copy},
        {CopyWay::Newer, false, base + 1 * kSecond, base, 1, 1, SameNameAction::Copy},
        {CopyWay::Newer, false, base, base + kSecond, 1, 1, SameNameAction::SkipAfterNoCopy},
        {CopyWay::Older, false, base, base + kSecond, 1, 1, SameNameAction::Copy},
        {CopyWay::Older, true, base, base + kSecond, 1, 1, SameNameAction::SkipAfterNoCopy},
        {CopyWay::Larger, false, base, base, 10, 10, SameNameAction::SkipAfterNoCopy},
        {CopyWay::Larger, false, base, base, 11, 10, SameNameAction::Copy},
        {CopyWay::Larger, false, base, base, 0x100000000ULL, 10, SameNameAction::Copy},
        {CopyWay::Skip, false, base + 9 * kSecond, base, 99, 1, SameNameAction::SkipAfterNoCopy},
        {CopyWay::Overwrite, false, base, base + 9 * kSecond, 1, 99, SameNameAction::Copy},
    };
    TempDir dir;
    ScriptedAsker asker;
    for (const Case& c : cases) {
        SameNameSettings settings;
        settings.timeRange = c.range;
        SameNameResolver resolver(settings);
        resolver.SetWay(c.way, true);
        const SameNameOutcome out = resolver.Apply(RealFileSystem(), asker, Entry(L"a.txt", c.srcTime, c.srcSize),
                                                   Entry(L"a.txt", c.dstTime, c.dstSize), dir.Path());
        EXPECT_EQ(out.action, c.expected) << static_cast<int>(c.way) << " range " << c.range;
    }
    EXPECT_EQ(asker.renameQuestions, 0);
}

TEST(SameNameResolverTest, NumberedNameTakesFirstFreeNumber) {
    TempDir dir;
    dir.WriteFile(L"a.txt", "x");
    dir.WriteFile(L"a000.txt", "x");
    dir.WriteFile(L"a001.txt", "x");
    dir.WriteFile(L"b", "x");
    SameNameResolver resolver({});
    resolver.SetWay(CopyWay::Numbered, true);
    ScriptedAsker asker;
    const SameNameOutcome out =
        resolver.Apply(RealFileSystem(), asker, Entry(L"a.txt", 0, 1), Entry(L"a.txt", 0, 1), dir.Path());
    EXPECT_EQ(out.action, SameNameAction::CopyAs);
    EXPECT_EQ(out.newPath, dir / L"a002.txt");
    // A name without a dot keeps the format's dot after the number.
    EXPECT_EQ(FirstFreeNumberedPath(RealFileSystem(), dir.Path(), L"b"), dir / L"b000.");
}

TEST(SameNameResolverTest, RenameWayOutcomes) {
    TempDir dir;
    dir.WriteFile(L"taken.txt", "x");
    struct Case {
        bool ok;
        std::wstring name;
        SameNameAction expected;
    };
    const Case cases[] = {
        {true, L"free.txt", SameNameAction::CopyAs},
        {true, L"taken.txt", SameNameAction::Skip},
        {false, L"free.txt", SameNameAction::EndJob},
    };
    for (const Case& c : cases) {
        SameNameResolver resolver({});
        resolver.SetWay(CopyWay::Rename, true);
        ScriptedAsker asker;
        asker.newNames.push_back({c.ok, c.name});
        const SameNameOutcome out =
            resolver.Apply(RealFileSystem(), asker, Entry(L"a.txt", 0, 1), Entry(L"a.txt", 0, 1), dir.Path());
        EXPECT_EQ(out.action, c.expected) << c.name;
        if (c.expected == SameNameAction::CopyAs) {
            EXPECT_EQ(out.newPath, dir / c.name);
        }
    }
}

TEST(SameNameResolverTest, FirstQuestionShowsSameSettingCheckedAndRememberedWay) {
    SameNameSettings settings;
    settings.saveWay = true;
    settings.savedWay = 6;
    SameNameResolver resolver(settings);
    ScriptedAsker asker;
    // The user unchecks "以後同設定" on the first question and picks way 5.
    asker.wayAnswers.push_back({true, Way(CopyWay::Skip, false)});
    asker.wayAnswers.push_back({true, Way(CopyWay::Larger, false), true});
    asker.wayAnswers.push_back({false, {}});

    ASSERT_TRUE(resolver.QuestionDue());
    ASSERT_TRUE(resolver.Ask(asker, nullptr));
    EXPECT_TRUE(asker.shown[0].sameFromNow);
    EXPECT_EQ(asker.shown[0].way, 6);
    EXPECT_EQ(resolver.Way(), CopyWay::Skip);
    EXPECT_EQ(resolver.Settings().savedWay, 5);
    EXPECT_TRUE(resolver.QuestionDue());

    SameNameFile file;
    ASSERT_TRUE(resolver.Ask(asker, &file));
    EXPECT_FALSE(asker.shown[1].sameFromNow);  // now it shows the job's flag
    EXPECT_EQ(asker.shown[1].way, 5);          // and the job's way, not the saved one
    EXPECT_EQ(resolver.Way(), CopyWay::Larger);
    EXPECT_EQ(asker.compact, (std::vector<bool>{true, false}));

    EXPECT_FALSE(resolver.Ask(asker, &file));
    EXPECT_EQ(resolver.Way(), CopyWay::Larger);  // a cancel stores nothing
    EXPECT_EQ(resolver.Settings().savedWay, 2);
}

TEST(SameNameResolverTest, CancelledFirstQuestionStillClearsFirstFlag) {
    SameNameResolver resolver({});
    ScriptedAsker asker;
    EXPECT_FALSE(resolver.Ask(asker, nullptr));
    EXPECT_FALSE(resolver.FirstQuestion());
}

TEST(SameNameResolverTest, NoCopyProcessingBringsAttributesAndTimes) {
    TempDir dir;
    const std::wstring dest = dir.WriteFile(L"d.txt", "old");
    WIN32_FIND_DATAW source = Entry(L"d.txt", 130000000000000000ULL, 3);
    source.dwFileAttributes = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_ARCHIVE;
    SameNameSettings settings;
    settings.noCopyAttributes = true;
    settings.noCopyDateTime = true;
    SameNameResolver resolver(settings);
    EXPECT_FALSE(resolver.RunNoCopyProcessing(RealFileSystem(), source, dest).Failed());
    EXPECT_EQ(::GetFileAttributesW(dest.c_str()) & FILE_ATTRIBUTE_HIDDEN, static_cast<DWORD>(FILE_ATTRIBUTE_HIDDEN));
    WIN32_FILE_ATTRIBUTE_DATA data{};
    ASSERT_TRUE(::GetFileAttributesExW(dest.c_str(), GetFileExInfoStandard, &data));
    EXPECT_EQ(CompareFileTime(&data.ftLastWriteTime, &source.ftLastWriteTime), 0);
    EXPECT_EQ(zq::test::ReadFileBytes(dest), "old");

    const NoCopyFailure missing = resolver.RunNoCopyProcessing(RealFileSystem(), source, dir / L"gone.txt");
    EXPECT_STREQ(missing.call, L"CreateFile");
    EXPECT_EQ(missing.words, L"属性,日時");
}

}  // namespace
}  // namespace zq::fileops
