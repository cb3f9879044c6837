#include <gtest/gtest.h>

#include <string>

#include "filer/CommandMacros.h"
#include "filer/KindExecute.h"

namespace {

using zq::MacroContext;
using zq::MacroEntry;

MacroContext Panes() {
    MacroContext c;
    c.cursor = MacroEntry{L"C:\\作業 場", L"報告 書.txt", false};
    c.selection = {
        {L"C:\\作業 場", L"a.txt", false}, {L"C:\\作業 場", L"b c.doc", false}, {L"C:\\作業 場", L"sub", true}};
    c.activeDir = L"C:\\作業 場";
    c.otherDir = L"D:\\out";
    c.otherSelection = std::vector<MacroEntry>{{L"D:\\out", L"z.txt", false}};
    c.programDir = L"C:\\zq";
    c.timeMacros[0] = L"YYYYMMDD_hhmmss";
    c.timeMacros[1] = L"YYMD";
    c.now = SYSTEMTIME{2020, 3, 4, 5, 9, 7, 45, 0};
    return c;
}

TEST(CommandMacros, ExpandsEntriesDirectoriesAndQuotesNamesWithSpaces) {
    const MacroContext c = Panes();
    struct Case {
        const wchar_t* text;
        const wchar_t* expected;
    };
    const Case cases[] = {
        {L"%c", L"\"C:\\作業 場\\報告 書.txt\""},
        {L"-o%cf", L"-o\"報告 書.txt\""},  // a macro that ends the template is quoted
        {L"%cf -x", L"\"報告 書.txt\" -x"},
        {L"%xf", L"\"報告 書\""},
        {L"%mf", L"a.txt \"b c.doc\""},
        {L"%mdf", L"a.txt \"b c.doc\" sub"},
        {L"%mbf", L"a.txt \"b c.doc\" z.txt"},
        {L"%fo.", L"D:\\out\\."},
        {L"%go", L"D:\\out"},
        {L"%fs", L"C:\\zq\\"},
        {L"100% %q", L"100% %q"},
        {L"%t1.log", L"20200305_090745.log"},
        {L"%t2", L"2035"},
    };
    for (const Case& k : cases) {
        const auto out = zq::ExpandMacros(k.text, c);
        ASSERT_TRUE(out.has_value()) << k.text;
        EXPECT_EQ(*out, k.expected);
    }
}

TEST(CommandMacros, AMacroWithNothingToStandForStopsTheRun) {
    MacroContext c = Panes();
    c.cursor = MacroEntry{L"C:\\w", L"sub", true};
    c.otherDir.reset();
    EXPECT_FALSE(zq::ExpandMacros(L"%c", c).has_value());  // a directory without "d"
    EXPECT_EQ(zq::ExpandMacros(L"%cd", c).value_or(L"?"), L"C:\\w\\sub");
    EXPECT_FALSE(zq::ExpandMacros(L"%fo", c).has_value());
    c.selection.clear();
    EXPECT_FALSE(zq::ExpandMacros(L"%m", c).has_value());
}

TEST(CommandMacros, PerFileMacrosRunOncePerSelectedFile) {
    const MacroContext c = Panes();
    const auto runs = zq::PlanProgramRuns(L"conv.exe", L"%if -o %go", c);
    ASSERT_TRUE(runs.has_value());
    ASSERT_EQ(runs->size(), 2u);  // the directory "sub" is not a file
    EXPECT_EQ((*runs)[1].parameters, L"\"b c.doc\" -o D:\\out");
    EXPECT_EQ(zq::PlanProgramRuns(L"v.exe", L"%m", c)->size(), 1u);
    EXPECT_FALSE(zq::PlanProgramRuns(L"%fo\\x.exe", L"%mb", MacroContext{}).has_value());
}

TEST(KindExecute, RowsByExtensionAndWhatTheyDo) {
    zq::KindTable table{};
    table[1] = {L"txt", L"first.exe", L"%c"};
    table[4] = {L"TXT", L"second.exe", L"%m"};
    table[5] = {L"txt", L"@View", L""};
    table[6] = {L"gz", L"gzip.exe", L"-d %i"};
    EXPECT_EQ(zq::MatchingKindRows(table, L"メモ.Txt", false), (std::vector<int>{1}));
    EXPECT_EQ(zq::MatchingKindRows(table, L"メモ.Txt", true), (std::vector<int>{1, 4, 5}));
    EXPECT_TRUE(zq::MatchingKindRows(table, L"txt", true).empty());  // no dot, no extension
    EXPECT_EQ(zq::MatchingKindRows(table, L"a.tar.gz", false), (std::vector<int>{6}));

    EXPECT_EQ(zq::ActionOfRow(table[5], false), zq::KindAction::Command);
    EXPECT_EQ(zq::ActionOfRow({L"x", L"#Spi", L""}, false), zq::KindAction::Plugin);
    EXPECT_EQ(zq::ActionOfRow(table[6], false), zq::KindAction::LoopDialog);
    EXPECT_EQ(zq::ActionOfRow(table[4], false), zq::KindAction::Program);
    // Loop execution needs %c and a real program.
    EXPECT_EQ(zq::ActionOfRow(table[1], true), zq::KindAction::LoopDialog);
    EXPECT_EQ(zq::ActionOfRow(table[4], true), zq::KindAction::Refused);
    EXPECT_EQ(zq::ActionOfRow({L"x", L"@View", L"%c"}, true), zq::KindAction::Refused);

    EXPECT_TRUE(zq::UseShiftTable(true, false, false));
    EXPECT_FALSE(zq::UseShiftTable(true, true, false));
    EXPECT_FALSE(zq::UseShiftTable(true, false, true));
}

}  // namespace
