#include "fileops/RenameExchange.h"

#include <windows.h>

#include <gtest/gtest.h>

#include "fileops/CopyTestSupport.h"

namespace zq::fileops {
namespace {

using zq::test::ReadFileBytes;
using zq::test::TempDir;

// One directory: a read-only file keeps its attribute under the new name, a
// "Temp_0" already there is not touched and nothing is left parked.
TEST(RenameExchangeTest, SameDirectorySwapsContentsAndAttributes) {
    TempDir dir;
    dir.WriteFile(L"one.txt", "1");
    dir.WriteFile(L"two.txt", "2");
    dir.WriteFile(L"Temp_0", "mine");
    ::SetFileAttributesW((dir / L"one.txt").c_str(), FILE_ATTRIBUTE_READONLY);

    ASSERT_EQ(ExchangeNames({dir.Path(), L"one.txt"}, {dir.Path(), L"two.txt"}), ExchangeResult::kDone);
    EXPECT_EQ(ReadFileBytes(dir / L"one.txt"), "2");
    EXPECT_EQ(ReadFileBytes(dir / L"two.txt"), "1");
    EXPECT_EQ(ReadFileBytes(dir / L"Temp_0"), "mine");
    EXPECT_EQ(test::NamesIn(dir.Path()), (std::vector<std::wstring>{L"Temp_0", L"one.txt", L"two.txt"}));
    EXPECT_TRUE(::GetFileAttributesW((dir / L"two.txt").c_str()) & FILE_ATTRIBUTE_READONLY);
    EXPECT_FALSE(::GetFileAttributesW((dir / L"one.txt").c_str()) & FILE_ATTRIBUTE_READONLY);
    ::SetFileAttributesW((dir / L"two.txt").c_str(), FILE_ATTRIBUTE_NORMAL);
}

// Two directories: each file stays in its own directory under the other's
// name, unless that name is taken there, which changes nothing.
TEST(RenameExchangeTest, AcrossDirectoriesRefusesATakenName) {
    TempDir dir;
    const std::wstring a = dir.MakeDir(L"a");
    const std::wstring b = dir.MakeDir(L"b");
    dir.WriteFile(L"a\\x.txt", "x");
    dir.WriteFile(L"b\\y.txt", "y");
    ASSERT_EQ(ExchangeNames({a, L"x.txt"}, {b, L"y.txt"}), ExchangeResult::kDone);
    EXPECT_EQ(ReadFileBytes(dir / L"a\\y.txt"), "x");
    EXPECT_EQ(ReadFileBytes(dir / L"b\\x.txt"), "y");

    dir.WriteFile(L"b\\y.txt", "other");
    EXPECT_EQ(ExchangeNames({a, L"y.txt"}, {b, L"x.txt"}), ExchangeResult::kNameExists);
    EXPECT_EQ(ReadFileBytes(dir / L"a\\y.txt"), "x");
    EXPECT_EQ(ReadFileBytes(dir / L"b\\y.txt"), "other");
    EXPECT_EQ(ExchangeNames({a, L"gone.txt"}, {b, L"x.txt"}), ExchangeResult::kFailed);
}

}  // namespace
}  // namespace zq::fileops
