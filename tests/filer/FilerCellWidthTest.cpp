#include <gtest/gtest.h>

#include "filer/FilerCellWidth.h"

using namespace zq::filer;

TEST(FilerCellWidth, CharactersCountOneOrTwoCells) {
    struct Case {
        const wchar_t* text;
        int cells;
    };
    const Case cases[] = {
        {L"", 0},
        {L"abc.TXT", 7},
        {L"日本語", 6},                  // full-width kanji
        {L"ｱｲｳｴｵ", 5},                   // half-width katakana U+FF71..
        {L"ｶﾞ", 2},                      // half-width voiced mark is its own cell
        {L"｡｢｣､･", 5},                   // half-width punctuation U+FF61-U+FF65
        {L"ﾟ", 1},                       // U+FF9F, the last half-width kana
        {L"アイウ", 6},                  // full-width katakana
        {L"ＡＢＣ１２３", 12},           // full-width Latin and digits
        {L"ｰ", 1},                       // U+FF70 half-width prolonged sound mark
        {L"ー", 2},                      // U+30FC full-width prolonged sound mark
        {L"café", 4},                    // Latin-1 letter is half-width
        {L"±×÷°", 8},                    // Latin-1 signs that code page 932 draws full width
        {L"a\U0001F600b", 4},            // a surrogate pair is one two-cell character
        {L"￨￮", 2},                      // half-width forms U+FFE8, U+FFEE
        {L"ﾀﾞｲｱﾘｰ.txt", 10},
    };
    for (const auto& c : cases) EXPECT_EQ(TextCellWidth(c.text), c.cells) << c.text;
}

TEST(FilerCellWidth, BoundariesOfTheHalfWidthKanaBlock) {
    struct Case {
        wchar_t c;
        int cells;
    };
    const Case cases[] = {
        {0xFF60, 2},  // full-width right white parenthesis, just before the block
        {0xFF61, 1},
        {0xFF9F, 1},
        {0xFFA0, 2},  // half-width Hangul filler is outside the kana of code page 932
        {0x007F, 1},
        {0x0080, 2},
        {0x00A5, 1},  // yen sign
        {0x3000, 2},  // ideographic space
    };
    for (const auto& c : cases) EXPECT_EQ(CharCellWidth(c.c), c.cells) << std::hex << static_cast<int>(c.c);
}

TEST(FilerCellWidth, FitCutsOrEllipsizesWithoutSplittingWideCharacters) {
    struct Case {
        const wchar_t* text;
        int field;
        bool ellipsis;
        const wchar_t* expected;
        int cells;
    };
    const Case cases[] = {
        {L"readme", 6, true, L"readme", 6},              // exact fit is not shortened
        {L"readme", 10, false, L"readme", 6},
        {L"readme.txt", 6, false, L"readme", 6},
        {L"readme.txt", 6, true, L"rea...", 6},
        {L"日本語ファイル", 7, false, L"日本語", 6},     // the fourth kanji would cross the end
        {L"日本語ファイル", 7, true, L"日本...", 7},
        {L"日本語ファイル", 8, true, L"日本 ...", 8},    // dots keep to the last three cells
        {L"ｱｲｳｴｵｶｷｸ", 6, true, L"ｱｲｳ...", 6},
        {L"abcdef", 2, true, L"ab", 2},                  // no room for dots: plain cut
        {L"abcdef", 3, true, L"...", 3},
        {L"abcdef", 0, true, L"", 0},
        {L"a\U0001F600b", 2, false, L"a", 1},            // a surrogate pair stays whole
    };
    for (const auto& c : cases) {
        const FittedText f = FitToCells(c.text, c.field, c.ellipsis);
        EXPECT_EQ(f.text, c.expected) << c.text << L" in " << c.field;
        EXPECT_EQ(f.cells, c.cells) << c.text << L" in " << c.field;
        EXPECT_LE(TextCellWidth(f.text), c.field);
    }
}

TEST(FilerCellWidth, PaddingCountsCellsNotUnits) {
    EXPECT_EQ(PadToCells(L"日本", 6), L"日本  ");
    EXPECT_EQ(AlignRightInCells(L"ｱｲ", 5), L"   ｱｲ");
    EXPECT_EQ(AlignRightInCells(L"toolong", 3), L"toolong");
}
