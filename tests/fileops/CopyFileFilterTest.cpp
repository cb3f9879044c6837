#include "fileops/CopyFileFilter.h"

#include <gtest/gtest.h>

#include "common/TextConv.h"
#include "fileops/CopyTestSupport.h"

namespace zq::fileops {
namespace {

using namespace zq::fileops::test;
using zq::test::TempDir;

TEST(CopyFileFilterTest, ExcludeWinsAndIncludeNarrows) {
    struct Case {
        std::vector<std::wstring> include;
        std::vector<std::wstring> exclude;
        const wchar_t* name;
        bool passes;
    };
    const Case cases[] = {
        {{}, {}, L"any.bin", true},
        {{L"*.txt"}, {}, L"a.txt", true},
        {{L"*.txt"}, {}, L"A.TXT", true},  // case-insensitive
        {{L"*.txt"}, {}, L"a.txt.bak", false},
        {{L"*.txt"}, {}, L"readme", false},
        {{L"*.txt", L"*.md"}, {}, L"notes.md", true},
        {{}, {L"*.bak"}, L"a.bak", false},
        {{}, {L"*.bak"}, L"a.bak.txt", true},
        {{}, {L"*.bak"}, L"bak", true},
        {{L"*.txt"}, {L"old*.txt"}, L"old1.txt", false},  // named by both lists: left behind
        {{L"*.txt"}, {L"old*.txt"}, L"new.txt", true},
        {{L"a?.*"}, {}, L"ab.c", true},
        {{L"a?.*"}, {}, L"abc.c", false},
        {{L""}, {L"  "}, L"x.y", true},  // blank entries are no patterns
    };
    for (const Case& c : cases) {
        const CopyFileFilter filter(c.include, c.exclude);
        EXPECT_EQ(filter.Passes(c.name), c.passes) << ToUtf8(c.name);
    }
    EXPECT_TRUE(CopyFileFilter({L""}, {}).Empty());
    EXPECT_FALSE(CopyFileFilter({}, {L"*.bak"}).Empty());
}

TEST(CopyFileFilterTest, AddPatternsSplitsTrimsAndSkipsDuplicates) {
    struct Case {
        std::vector<std::wstring> before;
        const wchar_t* typed;
        std::vector<std::wstring> after;
        size_t added;
    };
    const Case cases[] = {
        {{}, L"*.txt", {L"*.txt"}, 1},
        {{}, L" *.txt ; *.doc;;", {L"*.txt", L"*.doc"}, 2},
        {{L"*.TXT"}, L"*.txt;*.log", {L"*.TXT", L"*.log"}, 1},
        {{}, L"my file*.txt", {L"my file*.txt"}, 1},  // blanks inside a pattern stay
        {{}, L"*.a;*.A", {L"*.a"}, 1},
        {{L"*.a"}, L"  ", {L"*.a"}, 0},
    };
    for (const Case& c : cases) {
        std::vector<std::wstring> list = c.before;
        EXPECT_EQ(AddPatterns(list, c.typed), c.added) << ToUtf8(c.typed);
        EXPECT_EQ(list, c.after) << ToUtf8(c.typed);
    }
}

// The walk applies the patterns to files inside selected directories, at every
// depth, while every subdirectory is still entered.
TEST(CopyFileFilterTest, CopyWalkAppliesPatternsAtEveryDepth) {
    struct Case {
        const char* label;
        std::vector<std::wstring> include;
        std::vector<std::wstring> exclude;
        std::vector<std::wstring> copied;
        std::vector<std::wstring> absent;
    };
    const Case cases[] = {
        {"include only",
         {L"*.txt"},
         {},
         {L"d\\a.txt", L"d\\sub\\deep\\c.TXT", L"d\\x.bak\\in.txt", L"top.bak"},
         {L"d\\b.bak", L"d\\sub\\e.log", L"d\\x.bak\\in.bak"}},
        {"exclude only",
         {},
         {L"*.bak"},
         {L"d\\a.txt", L"d\\sub\\e.log", L"d\\sub\\deep\\c.TXT", L"d\\x.bak\\in.txt", L"top.bak"},
         {L"d\\b.bak", L"d\\x.bak\\in.bak"}},
        {"both",
         {L"*.txt", L"*.bak"},
         {L"in.*"},
         {L"d\\a.txt", L"d\\b.bak", L"d\\sub\\deep\\c.TXT", L"top.bak"},
         {L"d\\sub\\e.log", L"d\\x.bak\\in.txt", L"d\\x.bak\\in.bak"}},
    };
    for (const Case& c : cases) {
        TempDir dir;
        dir.WriteFile(L"src\\d\\a.txt", "a");
        dir.WriteFile(L"src\\d\\b.bak", "b");
        dir.WriteFile(L"src\\d\\sub\\e.log", "e");
        dir.WriteFile(L"src\\d\\sub\\deep\\c.TXT", "c");
        dir.WriteFile(L"src\\d\\x.bak\\in.txt", "i");  // a directory that an exclude pattern names
        dir.WriteFile(L"src\\d\\x.bak\\in.bak", "j");
        dir.WriteFile(L"src\\top.bak", "selected by the user");
        CopyRig rig;
        rig.options.include = c.include;
        rig.options.exclude = c.exclude;
        rig.From(dir / L"src", {L"d", L"top.bak"}, dir / L"dst");
        CopyJob job = rig.Make();
        ASSERT_TRUE(job.Run()) << c.label;
        for (const std::wstring& name : c.copied)
            EXPECT_TRUE(FileExists(dir / (L"dst\\" + name))) << c.label << ": " << ToUtf8(name);
        for (const std::wstring& name : c.absent)
            EXPECT_FALSE(FileExists(dir / (L"dst\\" + name))) << c.label << ": " << ToUtf8(name);
    }
}

// A filtered move takes the matching files and leaves the rest, with their
// directories, where they were; it can therefore never be one rename.
TEST(CopyFileFilterTest, FilteredMoveLeavesTheRestBehind) {
    for (unsigned mode : {kModeMove, kModeNeglectDir}) {
        TempDir dir;
        dir.WriteFile(L"src\\d\\a.txt", "a");
        dir.WriteFile(L"src\\d\\sub\\b.txt", "b");
        dir.WriteFile(L"src\\d\\sub\\keep.bak", "k");
        dir.WriteFile(L"src\\d\\only.txt\\c.log", "directory named like a match");
        CopyRig rig;
        rig.options.mode = mode;
        rig.options.include = {L"*.txt"};
        rig.From(dir / L"src", {L"d"}, dir / L"dst");
        CopyJob job = rig.Make();
        ASSERT_TRUE(job.Run()) << mode;
        const std::wstring sub = mode == kModeMove ? L"dst\\d\\sub\\" : L"dst\\";
        EXPECT_TRUE(FileExists(dir / (mode == kModeMove ? L"dst\\d\\a.txt" : L"dst\\a.txt"))) << mode;
        EXPECT_TRUE(FileExists(dir / (sub + L"b.txt"))) << mode;
        EXPECT_FALSE(FileExists(dir / L"src\\d\\a.txt")) << mode;
        EXPECT_FALSE(FileExists(dir / L"src\\d\\sub\\b.txt")) << mode;
        EXPECT_TRUE(FileExists(dir / L"src\\d\\sub\\keep.bak")) << mode;
        EXPECT_TRUE(FileExists(dir / L"src\\d\\only.txt\\c.log")) << mode;
        EXPECT_FALSE(FileExists(dir / (sub + L"keep.bak"))) << mode;
        EXPECT_TRUE(rig.asker.asked.empty()) << mode;
    }
}

}  // namespace
}  // namespace zq::fileops
