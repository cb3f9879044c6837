#include <gtest/gtest.h>

#include "app/FloppyGuard.h"
#include "app/ProcessShared.h"

using namespace zq;

namespace {
// Names of this test process alone: a zq.exe started by a GUI test may run beside it.
ProcessShared Private() {
    const std::wstring suffix = L"." + std::to_wstring(::GetCurrentProcessId());
    return ProcessShared(ProcessShared::kBlockName + suffix, ProcessShared::kMutexName + suffix);
}
}  // namespace

TEST(ProcessShared, SlotsCarryTwoPathsAndAreSharedByName) {
    ProcessShared first = Private();
    ASSERT_TRUE(first.Open());
    EXPECT_NE(first.DirChangeMessage(), 0u);
    first.WriteStartDirectories({L"C:\\一つ目", std::wstring(600, L'x')});
    // A second mapping of the same name sees the same bytes, as another copy would.
    ProcessShared second = Private();
    ASSERT_TRUE(second.Open());
    EXPECT_EQ(second.ReadSlot(0), L"C:\\一つ目");
    EXPECT_EQ(second.ReadSlot(1).size(), ProcessShared::kSlotUnits - 1);  // cut, still terminated
    second.WriteStartDirectories({L"D:\\"});
    EXPECT_EQ(first.ReadSlot(0), L"D:\\");
    EXPECT_EQ(first.ReadSlot(1), L"");
}

TEST(ProcessShared, FirstCopyHoldsTheMutexAndLaterCopiesSeeIt) {
    ProcessShared first = Private();
    ASSERT_TRUE(first.Open());
    ASSERT_EQ(first.CheckTwin(0), ProcessShared::TwinResult::First);
    EXPECT_TRUE(first.HoldsTwinMutex());
    ProcessShared second = Private();
    ASSERT_TRUE(second.Open());
    EXPECT_EQ(second.CheckTwin(0), ProcessShared::TwinResult::Beside);
    EXPECT_FALSE(second.HoldsTwinMutex());
}

TEST(ProcessShared, TitleEndingRule) {
    EXPECT_TRUE(ProcessShared::IsZqTitle(L"無題 - zq"));
    EXPECT_TRUE(ProcessShared::IsZqTitle(L"a - zq"));
    EXPECT_FALSE(ProcessShared::IsZqTitle(L" - zq"));   // must be longer than the ending
    EXPECT_FALSE(ProcessShared::IsZqTitle(L"x - ZQ"));  // case-sensitive
    EXPECT_FALSE(ProcessShared::IsZqTitle(L"x - zq "));
}

TEST(FloppyGuard, TypeNames) {
    EXPECT_TRUE(IsFloppyTypeName(L"3.5ｲﾝﾁ FD"));
    EXPECT_TRUE(IsFloppyTypeName(L"3.5 インチ FD"));
    EXPECT_FALSE(IsFloppyTypeName(L"3.5インチ FD"));
    EXPECT_FALSE(IsFloppyTypeName(L"ローカル ディスク"));
}
