#include <gtest/gtest.h>

#include <atomic>

#include "common/FileCompare.h"
#include "main/TempDir.h"

namespace {

// Two files of 3 MiB + 5 bytes that differ at the ends of the 4 KiB stretches
// and the 1 MiB blocks the comparison reads in, where an off-by-one would hide.
struct Pair {
    zq::test::TempDir dir;
    std::wstring first, second;
    Pair(std::string a, std::string b) {
        first = dir.WriteFile(L"一.bin", a);
        second = dir.WriteFile(L"二.bin", b);
    }
};

std::string Pattern(size_t size) {
    std::string bytes(size, '\0');
    for (size_t i = 0; i < size; ++i) bytes[i] = static_cast<char>(i * 7 + i / 251);
    return bytes;
}

}  // namespace

TEST(FileCompare, CountsAndListsDifferencesAcrossBlockBorders) {
    const size_t size = 3 * (1 << 20) + 5;
    const std::string a = Pattern(size);
    std::string b = a;
    const std::uint64_t at[] = {0, 4095, 4096, (1 << 20) - 1, 1 << 20, size - 1};
    for (auto offset : at) b[offset] = static_cast<char>(~b[offset]);
    Pair pair(a, b);

    const auto all = zq::CompareFiles(pair.first, pair.second, 100);
    ASSERT_EQ(all.status, zq::FileCompareStatus::Compared);
    EXPECT_EQ(all.firstSize, size);
    EXPECT_EQ(all.differing, std::size(at));
    ASSERT_EQ(all.listed.size(), std::size(at));
    for (size_t i = 0; i < std::size(at); ++i) {
        EXPECT_EQ(all.listed[i].offset, at[i]);
        EXPECT_EQ(all.listed[i].first, static_cast<std::uint8_t>(a[at[i]]));
        EXPECT_EQ(all.listed[i].second, static_cast<std::uint8_t>(b[at[i]]));
    }
    EXPECT_FALSE(all.Identical());

    // The list stops at the limit; the count does not.
    const auto limited = zq::CompareFiles(pair.first, pair.second, 2);
    EXPECT_EQ(limited.differing, std::size(at));
    EXPECT_EQ(limited.listed.size(), 2u);
}

TEST(FileCompare, SizesEmptinessAndFailures) {
    {
        Pair same(Pattern(5000), Pattern(5000));
        EXPECT_TRUE(zq::CompareFiles(same.first, same.second, 10).Identical());
    }
    {
        Pair empty("", "");
        EXPECT_TRUE(zq::CompareFiles(empty.first, empty.second, 10).Identical());
    }
    {
        // Equal as far as the shorter goes, yet not the same.
        Pair longer(Pattern(100), Pattern(130));
        const auto r = zq::CompareFiles(longer.first, longer.second, 10);
        EXPECT_EQ(r.differing, 0u);
        EXPECT_EQ(r.secondSize, 130u);
        EXPECT_FALSE(r.Identical());
    }
    {
        Pair missing("x", "y");
        const auto r = zq::CompareFiles(missing.first, missing.dir / L"無い.bin", 10);
        EXPECT_EQ(r.status, zq::FileCompareStatus::SecondUnreadable);
        EXPECT_EQ(r.error, static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
        EXPECT_FALSE(r.Identical());
    }
    {
        Pair big(Pattern(3 << 20), Pattern(3 << 20));
        std::atomic<bool> cancel{false};
        int calls = 0;
        const auto r = zq::CompareFiles(big.first, big.second, 10, &cancel, [&](std::uint64_t done, std::uint64_t) {
            ++calls;
            if (done >= (1u << 20)) cancel = true;
        });
        EXPECT_EQ(r.status, zq::FileCompareStatus::Cancelled);
        EXPECT_EQ(calls, 1);
    }
}
