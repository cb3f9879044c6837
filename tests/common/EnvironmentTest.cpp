// The environment every other test relies on: a Japanese desktop's code page.
#include <gtest/gtest.h>
#include <windows.h>

#include "common/TextConv.h"

TEST(Environment, AnsiCodePageIs932) {
    EXPECT_EQ(::GetACP(), 932u);
}

TEST(TextConv, ShiftJisRoundTripThroughTheAnsiCodePage) {
    const std::wstring text = L"ファイルのコピー ｱｲｳ 髙 ①";
    const std::string bytes = zq::ToNarrow(text);
    // "フ" is 0x83 0x74 in Shift_JIS: proves the conversion really used 932.
    ASSERT_GE(bytes.size(), 2u);
    EXPECT_EQ(static_cast<unsigned char>(bytes[0]), 0x83);
    EXPECT_EQ(static_cast<unsigned char>(bytes[1]), 0x74);
    EXPECT_EQ(zq::ToWide(bytes), text);
    EXPECT_EQ(zq::FromUtf8(zq::ToUtf8(L"日本語.txt")), L"日本語.txt");
    EXPECT_EQ(zq::ToWide(""), L"");
}

TEST(TextConv, ErrorCodeForm) {
    EXPECT_EQ(zq::FormatErrorCode(L"CopyFile", 5), L"CopyFile:Error Code=5");
}
