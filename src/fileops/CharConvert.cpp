#include "fileops/CharConvert.h"

#include <iterator>

namespace zq::fileops {

namespace {

constexpr wchar_t kHalfKanaFirst = 0xFF66;
constexpr wchar_t kHalfVoiced = 0xFF9E;
constexpr wchar_t kHalfSemiVoiced = 0xFF9F;

// Full-width katakana for U+FF66 … U+FF9F, in the order of the half-width block.
constexpr wchar_t kFullKana[] =
    L"ヲァィゥェォャュョッーアイウエオカキクケコサシスセソタチツテトナニヌネノハヒフヘホマミムメモヤユヨラリルレロワン"
    L"゛゜";
static_assert(std::size(kFullKana) - 1 == 0xFF9F - kHalfKanaFirst + 1);

bool IsHalfKana(wchar_t c) {
    return c >= kHalfKanaFirst && c <= kHalfSemiVoiced;
}

// The voiced form follows its plain kana directly in the full-width block for
// the K, S, T and H rows (and ウ has ヴ elsewhere); the semi-voiced form
// follows the voiced one in the H row only.
wchar_t Voiced(wchar_t kana) {
    if (kana == L'ウ') return L'ヴ';
    if ((kana >= L'カ' && kana <= L'ヂ') || (kana >= L'ツ' && kana <= L'ド')) {
        if (kana == L'ッ') return 0;
        // Plain kana sit at even offsets from カ before ッ and from ツ after it.
        const bool beforeSmallTsu = kana < L'ッ';
        const int offset = beforeSmallTsu ? kana - L'カ' : kana - L'ツ';
        return offset % 2 == 0 ? static_cast<wchar_t>(kana + 1) : 0;
    }
    if (kana >= L'ハ' && kana <= L'ポ' && (kana - L'ハ') % 3 == 0) return static_cast<wchar_t>(kana + 1);
    return 0;
}

wchar_t SemiVoiced(wchar_t kana) {
    if (kana >= L'ハ' && kana <= L'ポ' && (kana - L'ハ') % 3 == 0) return static_cast<wchar_t>(kana + 2);
    return 0;
}

// Katakana from ァ to ヴ have their hiragana 0x60 below; the long mark and the
// separate voicing marks have none and stay.
wchar_t ToHiragana(wchar_t kana) {
    if (kana >= L'ァ' && kana <= L'ヴ') return static_cast<wchar_t>(kana - 0x60);
    return kana;
}

wchar_t ToFullAscii(wchar_t c) {
    return static_cast<wchar_t>(c - 0x21 + 0xFF01);
}

}  // namespace

std::wstring ConvertCharWidths(std::wstring_view text, const CharConvertInfo& info) {
    std::wstring out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        const wchar_t c = text[i];
        if (IsHalfKana(c) && (info.katakana == kConvertFull || info.katakana == kConvertHiragana)) {
            wchar_t full = kFullKana[c - kHalfKanaFirst];
            if (i + 1 < text.size()) {
                const wchar_t mark = text[i + 1];
                const wchar_t merged = mark == kHalfVoiced       ? Voiced(full)
                                       : mark == kHalfSemiVoiced ? SemiVoiced(full)
                                                                 : 0;
                if (merged != 0) {
                    full = merged;
                    ++i;
                }
            }
            out += info.katakana == kConvertHiragana ? ToHiragana(full) : full;
        } else if (c >= L'0' && c <= L'9') {
            out += info.digit == kConvertFull ? ToFullAscii(c) : c;
        } else if ((c >= L'a' && c <= L'z') || (c >= L'A' && c <= L'Z')) {
            out += info.alphabet == kConvertFull ? ToFullAscii(c) : c;
        } else if (c == L' ') {
            out += info.space == kConvertFull ? L'\x3000' : c;
        } else if (c > 0x20 && c < 0x7F) {
            out += info.symbol == kConvertFull ? ToFullAscii(c) : c;
        } else {
            out += c;
        }
    }
    return out;
}

}  // namespace zq::fileops
