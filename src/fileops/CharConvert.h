#pragma once
// The width conversions of the rename dialog ("半角/全角変換"): each
// character class has its own choice, applied one character at a time.
#include <string>
#include <string_view>

namespace zq::fileops {

enum CharConvertChoice : unsigned {
    kConvertAsIs = 0,
    kConvertHalf = 1,
    kConvertFull = 2,
    kConvertHiragana = 3,  // katakana only
};

// CHAR_CONVERT_INFO_KATAKANA … _SYMBOL, in the order of the settings.
struct CharConvertInfo {
    unsigned katakana = kConvertAsIs;
    unsigned hiragana = kConvertAsIs;
    unsigned alphabet = kConvertAsIs;
    unsigned digit = kConvertAsIs;
    unsigned space = kConvertAsIs;
    unsigned symbol = kConvertAsIs;
};

// Half-width katakana become full-width katakana or hiragana (a following
// voiced or semi-voiced mark merged in where the kana has such a form); ASCII
// letters, digits, the space and the printable symbols become their
// full-width forms.  Half-width choices leave a character as it is.
[[nodiscard]] std::wstring ConvertCharWidths(std::wstring_view text, const CharConvertInfo& info);

}  // namespace zq::fileops
