#include <gtest/gtest.h>

#include "filer/FilerLayoutFont.h"

using namespace zq::filer;

TEST(FilerLayoutFont, MetricsFallBackWhenTheFontReportsZero) {
    struct Case {
        FontMetricsInput font;
        int add;
        int lineHeight;
        int charWidth;
    };
    const Case cases[] = {
        {{16, 2, 8}, 0, 18, 8}, {{16, 2, 8}, 3, 21, 8}, {{16, 0, 8}, -2, 14, 8},
        {{0, 2, 8}, 3, 12, 8},  {{16, 0, 0}, 0, 16, 6},
    };
    for (const auto& c : cases) {
        const FilerMetrics m = ComputeFilerMetrics(c.font, c.add);
        EXPECT_EQ(m.lineHeight, c.lineHeight);
        EXPECT_EQ(m.charWidth, c.charWidth);
    }
}

TEST(FilerLayoutFont, LowLineStaysInsideTheLine) {
    // Font of 17 pixels (ascent 14) whose low line is one pixel at row 16.
    struct Case {
        int underscoreTop;
        int underscoreHeight;
        int add;
        int top;
        int height;
    };
    const Case cases[] = {
        {16, 1, 0, 16, 1},                      // inside: where the font puts it
        {16, 1, 4, 16, 1},                      // a taller line does not move it
        {16, 1, -3, 13, 1},                     // a shorter line lifts it to its last row
        {15, 3, -2, 12, 3}, {-1, 0, 0, -1, 0},  // no outline: nothing is drawn
        {3, 40, 0, 0, 17},                      // never taller than the line
    };
    for (const auto& c : cases) {
        const FilerMetrics m = ComputeFilerMetrics({17, 0, 8, c.underscoreTop, c.underscoreHeight}, c.add);
        EXPECT_EQ(m.underscoreTop, c.top) << c.underscoreTop << " " << c.add;
        EXPECT_EQ(m.underscoreHeight, c.height) << c.underscoreTop << " " << c.add;
        if (m.underscoreTop >= 0) {
            EXPECT_LE(m.underscoreTop + m.underscoreHeight, m.lineHeight);
        }
    }
}

TEST(FilerLayoutFont, DisplayFontValuesAndFallbacks) {
    FilerFontInfo settings;
    settings.height = -16;
    settings.width = 0;
    settings.faceName = L"ＭＳ 明朝";
    settings.charSet = 128;
    settings.weight = 400;

    struct Case {
        const wchar_t* value;
        int height;
        const wchar_t* face;
        int weight;
    };
    const Case cases[] = {
        {L"-20,10,ＭＳ ゴシック,128,700,", -20, L"ＭＳ ゴシック", 700},
        {L"-20,10,ＭＳ ゴシック,128,", -20, L"ＭＳ ゴシック", 400},  // weight from FONTWEIGHT
        {L"-20,10,ＭＳ ゴシック", -16, L"ＭＳ 明朝", 400},           // fewer than four fields
        {L"", -16, L"ＭＳ 明朝", 400},
        {L"big,10,Face,128,", -16, L"ＭＳ 明朝", 400},  // unreadable: the settings stand
    };
    for (const auto& c : cases) {
        const std::wstring value = c.value;
        const FilerFontInfo f = ChooseFilerFont(settings, &value);
        EXPECT_EQ(f.height, c.height) << c.value;
        EXPECT_EQ(f.faceName, c.face) << c.value;
        EXPECT_EQ(f.weight, c.weight) << c.value;
    }
    EXPECT_EQ(ChooseFilerFont(settings, nullptr).faceName, L"ＭＳ 明朝");

    FilerFontInfo fontInfo{-12, 6, L"IPAGothic", 128, 700};
    const auto back = ParseDisplayFont(FormatDisplayFont(fontInfo), settings);
    ASSERT_TRUE(back.has_value());
    EXPECT_EQ(back->height, -12);
    EXPECT_EQ(back->width, 6);
    EXPECT_EQ(back->faceName, L"IPAGothic");
    EXPECT_EQ(back->weight, 700);
    EXPECT_EQ(DisplayFontKey(1024, 768), L"1024X0768");
}
