#pragma once
// The byte forms a search string is looked for in: one per enabled character
// code, made once per search by the platform's converters.
#include <array>
#include <string>
#include <string_view>
#include <vector>

namespace zq {

// The five codes, in the order of the settings and the dialog's boxes.
enum FindCharCode : int { kFindSjis = 0, kFindEuc, kFindUnicode, kFindJis, kFindUtf8, kFindCharCodeCount };

using FindCharCodes = std::array<bool, kFindCharCodeCount>;

struct FindPatternSet {
    std::vector<std::string> patterns;  // never an empty one
    [[nodiscard]] bool Empty() const noexcept { return patterns.empty(); }
    [[nodiscard]] size_t Shortest() const noexcept;
};

// `text` in every enabled code; a code whose conversion yields nothing is
// left out, so an empty text gives an empty set (no content condition).
[[nodiscard]] FindPatternSet BuildPatternSet(std::wstring_view text, const FindCharCodes& codes);

// `text` in one code ("" when the platform cannot convert it): Shift_JIS in
// the system code page, EUC-JP, UTF-16LE, JIS without its escape sequences, UTF-8.
[[nodiscard]] std::string EncodeForSearch(std::wstring_view text, FindCharCode code);

}  // namespace zq
