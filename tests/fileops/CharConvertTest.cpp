#include "fileops/CharConvert.h"

#include <gtest/gtest.h>

namespace zq::fileops {
namespace {

TEST(CharConvertTest, EachClassFollowsItsOwnChoice) {
    const struct {
        const wchar_t* input;
        CharConvertInfo info;
        const wchar_t* expected;
    } cases[] = {
        {L"ｶﾞｷﾞﾊﾟﾋﾟﾎﾞｳﾞｯﾂﾞﾄﾞ", {.katakana = kConvertFull}, L"ガギパピボヴッヅド"},
        {L"ｱｲｳｦﾝｰﾞﾟ", {.katakana = kConvertFull}, L"アイウヲンー゛゜"},
        {L"ﾅﾞｬﾟ", {.katakana = kConvertFull}, L"ナ゛ャ゜"},
        {L"ｶﾞｳﾞｦｰｧ", {.katakana = kConvertHiragana}, L"がゔをーぁ"},
        {L"ﾊﾟあア漢", {.katakana = kConvertHalf, .hiragana = 1}, L"ﾊﾟあア漢"},
        {L"aZ09 !~", {.alphabet = kConvertFull}, L"ａＺ09 !~"},
        {L"aZ09 !~", {.digit = kConvertFull}, L"aZ０９ !~"},
        {L"aZ09 !~", {.space = kConvertFull}, L"aZ09\x3000!~"},
        {L"aZ09 !~", {.symbol = kConvertFull}, L"aZ09 \xFF01\xFF5E"},
        {L"ａ漢字ｶ", {.alphabet = kConvertFull, .digit = kConvertFull}, L"ａ漢字ｶ"},
    };
    for (const auto& c : cases) EXPECT_EQ(ConvertCharWidths(c.input, c.info), c.expected) << c.input;
}

}  // namespace
}  // namespace zq::fileops
