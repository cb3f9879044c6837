#include "picture/CLoadThread.h"

#include <gtest/gtest.h>

#include <cstring>

#include "main/TempDir.h"

namespace zq {
namespace {

TEST(CLoadThread, ReadsTheRangeInChunksOrFails) {
    test::TempDir dir;
    std::string bytes(70000, '\0');
    for (size_t i = 0; i < bytes.size(); ++i) bytes[i] = static_cast<char>(i * 7);
    const std::wstring path = dir.WriteFile(L"画像.bin", bytes);

    std::vector<int> percents;
    const UniqueLocal block = LoadFileRange(path, 1000, 69000, [&](int p) { percents.push_back(p); }, {});
    ASSERT_TRUE(block);
    EXPECT_GE(::LocalSize(block.Get()), 69000u);
    EXPECT_EQ(std::memcmp(block.Get(), bytes.data() + 1000, 69000), 0);
    EXPECT_EQ(percents, (std::vector<int>{46, 92, 100})) << "one report per 32000-byte read";

    EXPECT_FALSE(LoadFileRange(path, 1000, 69001, {}, {})) << "shorter than offset + length";
    EXPECT_FALSE(LoadFileRange(path, 80000, 1, {}, {}));
    EXPECT_FALSE(LoadFileRange(dir / L"missing.bin", 0, 1, {}, {}));
    EXPECT_FALSE(LoadFileRange(path, 0, 100, {}, [] { return true; })) << "cancelled";
    percents.clear();
    EXPECT_TRUE(LoadFileRange(path, 0, 50, [&](int p) { percents.push_back(p); }, {}));
    EXPECT_EQ(percents, std::vector<int>{100});
}

}  // namespace
}  // namespace zq
