#include "fileops/CopyText.h"

#include <gtest/gtest.h>

namespace zq::fileops {
namespace {

TEST(CopyTextTest, GroupedDigitsAndDurations) {
    struct Group {
        ULONGLONG value;
        int width;
        std::wstring expected;
    };
    const Group groups[] = {
        {0, 0, L"0"},
        {999, 0, L"999"},
        {1000, 0, L"1,000"},
        {1234567, 0, L"1,234,567"},
        {18446744073709551615ULL, 0, L"18,446,744,073,709,551,615"},
        {1234, 15, L"          1,234"},
        {1234567890123456789ULL, 15, L"1,234,567,890,123,456,789"},  // wider than the field: not cut
    };
    for (const Group& g : groups) EXPECT_EQ(GroupDigits(g.value, g.width), g.expected) << g.value;

    struct Duration {
        LONGLONG seconds;
        std::wstring expected;
    };
    const Duration durations[] = {
        {0, L"00:00:00"}, {59, L"00:00:59"}, {3661, L"01:01:01"}, {360000, L"100:00:00"}, {-5, L"00:00:00"}};
    for (const Duration& d : durations) EXPECT_EQ(FormatDuration(d.seconds), d.expected) << d.seconds;

    SYSTEMTIME t{};
    t.wHour = 7;
    t.wMinute = 5;
    t.wSecond = 9;
    EXPECT_EQ(FormatClock(t), L"07:05:09");
}

}  // namespace
}  // namespace zq::fileops
