#include <gtest/gtest.h>

#include "fileops/CopyTestSupport.h"
#include "fileops/MakeDirectory.h"

namespace zq::fileops::test {
namespace {

using zq::test::TempDir;

TEST(MakeDirectory, NamesResolveAgainstThePaneAndKeepTheirFirstComponent) {
    struct Case {
        const wchar_t* pane;
        const wchar_t* typed;
        const wchar_t* full;  // empty: refused
        const wchar_t* first;
    } cases[] = {
        {L"C:\\work", L"a\\b\\c", L"C:\\work\\a\\b\\c", L"a"},
        {L"C:", L"new", L"C:\\new", L"new"},
        {L"C:\\work", L"  x/y ", L"C:\\work\\x\\y", L"x"},
        {L"C:\\work", L"D:\\p\\q", L"D:\\p\\q", L"p"},
        {L"C:\\work", L"C:\\work\\in\\deep", L"C:\\work\\in\\deep", L"in"},
        {L"C:\\work", L"..\\side", L"C:\\side", L"side"},
        {L"C:\\work", L"", L"", L""},
        {L"C:\\work", L"a*b", L"", L""},
        {L"C:\\work", L"x\\a:b", L"", L""},
        {L"C:\\work", L"a\\b.", L"", L""},
        {L"C:\\work", L"..\\..", L"", L""},
    };
    for (const Case& c : cases) {
        MakeDirectoryPlan plan;
        const bool planned = PlanMakeDirectory(c.pane, c.typed, plan);
        EXPECT_EQ(planned, *c.full != L'\0') << ToUtf8(c.typed);
        if (!planned) continue;
        EXPECT_EQ(plan.full, c.full) << ToUtf8(c.typed);
        EXPECT_EQ(plan.firstComponent, c.first) << ToUtf8(c.typed);
    }
    MakeDirectoryPlan plan;
    EXPECT_FALSE(PlanMakeDirectory(L"C:\\work", std::wstring(600, L'n'), plan));
}

TEST(MakeDirectory, MakesEveryMissingLevelAndRefusesWhatIsThere) {
    TempDir temp;
    temp.MakeDir(L"a");
    temp.WriteFile(L"file", "x");
    EXPECT_TRUE(MakeDirectoryTree(RealFileSystem(), temp / L"a\\b\\c"));
    EXPECT_TRUE(DirectoryExists(temp / L"a\\b\\c"));
    EXPECT_FALSE(MakeDirectoryTree(RealFileSystem(), temp / L"a\\b"));
    EXPECT_EQ(::GetLastError(), static_cast<DWORD>(ERROR_ALREADY_EXISTS));
    EXPECT_FALSE(MakeDirectoryTree(RealFileSystem(), temp / L"file\\sub"));
    EXPECT_FALSE(DirectoryExists(temp / L"file\\sub"));
}

}  // namespace
}  // namespace zq::fileops::test
