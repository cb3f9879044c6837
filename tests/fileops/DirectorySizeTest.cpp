#include "fileops/DirectorySize.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "fileops/CopyTestSupport.h"

namespace zq::fileops {
namespace {

using zq::test::TempDir;

TEST(DirectorySizeTest, TotalsOfATreeMatchAnIndependentCount) {
    TempDir dir;
    dir.WriteFile(L"top\\a.bin", std::string(1000, 'a'));
    dir.WriteFile(L"top\\sub\\b.bin", std::string(70000, 'b'));
    dir.WriteFile(L"top\\sub\\深い\\c.txt", "c");
    dir.WriteFile(L"top\\.hidden", "hh");
    dir.MakeDir(L"top\\empty1\\empty2");
    dir.WriteFile(L"loose.txt", std::string(12345, 'x'));

    uint32_t directories = 1, files = 0;
    uint64_t bytes = 0;
    for (const auto& e : std::filesystem::recursive_directory_iterator(dir.Path() + L"\\top")) {
        if (e.is_directory()) {
            ++directories;
        } else {
            ++files;
            bytes += e.file_size();
        }
    }
    DirectoryTotals totals;
    const std::atomic<bool> cancel{false};
    ASSERT_TRUE(AddEntryTotals(dir.Path(), test::FindOf(dir / L"top"), totals, cancel));
    EXPECT_EQ(totals.directories, directories);
    EXPECT_EQ(totals.files, files);
    EXPECT_EQ(totals.bytes, bytes);

    ASSERT_TRUE(AddEntryTotals(dir.Path(), test::FindOf(dir / L"loose.txt"), totals, cancel));
    EXPECT_EQ(totals.files, files + 1);
    EXPECT_EQ(totals.bytes, bytes + 12345);

    DirectoryTotals empty;
    ASSERT_TRUE(AddEntryTotals(dir.Path() + L"\\top", test::FindOf(dir / L"top\\empty1"), empty, cancel));
    EXPECT_EQ(empty.directories, 2u);
    EXPECT_EQ(empty.files + empty.bytes, 0u);

    const std::atomic<bool> cancelled{true};
    DirectoryTotals stopped;
    EXPECT_FALSE(AddEntryTotals(dir.Path(), test::FindOf(dir / L"top"), stopped, cancelled));
    EXPECT_EQ(GroupedNumber(1234567), L"1,234,567");
    EXPECT_EQ(GroupedNumber(999), L"999");
}

}  // namespace
}  // namespace zq::fileops
