#include "binedit/BinaryInput.h"

#include <gtest/gtest.h>

#include "binedit/BinaryTestSupport.h"

namespace zq::binedit::test {

TEST(BinaryInputTest, TextBecomesBytesByType) {
    const std::string invalid = "(invalid)";
    struct Case {
        InputType type;
        bool isSigned;
        const wchar_t* text;
        std::string bytes;
    } cases[] = {
        {InputType::Hex, false, L"0102", Bytes({1, 2})},
        {InputType::Hex, false, L"a5", Bytes({0xA5})},
        {InputType::Hex, false, L"ABC", invalid},
        {InputType::Hex, false, L"", invalid},
        {InputType::Char, false, L"255", Bytes({0xFF})},
        {InputType::Char, false, L"300", invalid},
        {InputType::Char, false, L"-5", invalid},
        {InputType::Char, true, L"-128", Bytes({0x80})},
        {InputType::Char, true, L"128", invalid},
        {InputType::Char, true, L"-", invalid},
        {InputType::Short, false, L"258", Bytes({2, 1})},
        {InputType::Short, false, L"65536", invalid},
        {InputType::Short, true, L"-32768", Bytes({0, 0x80})},
        {InputType::Long, false, L"4294967295", Bytes({0xFF, 0xFF, 0xFF, 0xFF})},
        {InputType::Long, true, L"-2", Bytes({0xFE, 0xFF, 0xFF, 0xFF})},
        // The ANSI code page of a Japanese desktop: one byte for half-width kana, two for a kanji.
        {InputType::String, false, L"ｱA日", Bytes({0xB1, 'A', 0x93, 0xFA})},
    };
    for (const Case& c : cases) {
        std::string bytes = "left over";
        const bool ok = ParseInputData(c.type, c.isSigned, c.text, bytes);
        EXPECT_EQ(ok ? bytes : invalid, c.bytes) << static_cast<int>(c.type) << " " << c.isSigned;
    }
}

TEST(BinaryInputTest, JumpAndRangeNumbers) {
    long long value = 0;
    EXPECT_TRUE(ParseHexNumber(L"1f", value) && value == 31);
    EXPECT_FALSE(ParseHexNumber(L"1G", value));
    EXPECT_FALSE(ParseHexNumber(L"", value));
    EXPECT_TRUE(ParseRangeByte(L"ff", true, 256, value) && value == 255);
    EXPECT_FALSE(ParseRangeByte(L"100", true, 256, value));
    EXPECT_FALSE(ParseRangeByte(L"-1", false, 256, value));
}

}  // namespace zq::binedit::test
