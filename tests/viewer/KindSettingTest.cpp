// The per-extension rows and the rule for when a change of code reopens a text.
#include <gtest/gtest.h>

#include "viewer/KindSetting.h"
#include "viewer/ViewerText.h"

namespace zq::viewer {
namespace {

TEST(KindSettingTest, TheLastMatchingRowWinsIgnoringCase) {
    KindSettings kinds;
    kinds[0] = {L"txt", 100, 4};
    kinds[3] = {L"TXT", 120, 2};
    kinds[5] = {L"c", 132, 3};
    kinds[7] = {L"", 40, 1};
    struct Case {
        const wchar_t* name;
        int tab, columns;
    } cases[] = {{L"a.Txt", 2, 120}, {L"x.tar.c", 3, 132}, {L"c", 8, 80}, {L"a.", 8, 80}, {L"a.txt2", 8, 80}};
    for (const Case& c : cases) {
        int tab = 8, columns = 80;
        ApplyKindSettings(kinds, c.name, tab, columns);
        EXPECT_EQ(tab, c.tab) << c.name;
        EXPECT_EQ(columns, c.columns) << c.name;
    }
}

TEST(KindSettingTest, ACodeChangeReopensOnlyWhenTheCodeInUseWouldChange) {
    struct Case {
        ViewerCharCode request, effective, detected;
        bool reopen;
    } cases[] = {
        {kCharCodeEuc, kCharCodeEuc, kCharCodeSjis, false},   {kCharCodeJis, kCharCodeEuc, kCharCodeSjis, true},
        {kCharCodeSjis, kCharCodeUtf8, kCharCodeUtf8, true},  {kCharCodeAuto, kCharCodeUtf8, kCharCodeUtf8, false},
        {kCharCodeAuto, kCharCodeSjis, kCharCodeUtf8, true},  {kCharCodeAuto, kCharCodeEuc, kCharCodeSjis, true},
        {kCharCodeAuto, kCharCodeSjis, kCharCodeSjis, false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(CodeChangeNeedsReopen(c.request, c.effective, c.detected), c.reopen)
            << c.request << " " << c.effective << " " << c.detected;
}

}  // namespace
}  // namespace zq::viewer
