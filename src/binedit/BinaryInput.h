#pragma once
// The user's text turned into bytes: the data-input, search, replace and
// comparison fields all share these rules, so that a pattern typed in one is
// read the same way in another.
#include <string>
#include <string_view>

namespace zq::binedit {

// The numbers are the dialogs' radio-button order and what the settings remember.
enum class InputType : int { String = 0, Hex = 1, Char = 2, Short = 3, Long = 4 };

// Bytes of one value of a numeric type; 1 for string and hexadecimal, whose unit is a byte.
[[nodiscard]] int TypeWidth(InputType type);
[[nodiscard]] bool IsNumericType(InputType type);

// False for empty text, odd-length or non-hexadecimal hexadecimal text, a
// non-digit in a number (a leading "-" is allowed when signed) or a value out
// of the type's range; bytes is then left empty.  Numbers are little-endian.
[[nodiscard]] bool ParseInputData(InputType type, bool isSigned, std::wstring_view text, std::string& bytes);

// The jump and range dialogs' numbers.  Hexadecimal: digits only, at least
// one (false otherwise).  Decimal: read as a plain number, an optional sign
// and the leading digits, so "12ab" is 12 and "" is 0.
[[nodiscard]] bool ParseHexNumber(std::wstring_view text, long long& value);
[[nodiscard]] long long ParseDecimalNumber(std::wstring_view text);
// A byte of the range dialog: false ("範囲指定データが不正です") for invalid
// hexadecimal text, a negative value or one not below the file size.
[[nodiscard]] bool ParseRangeByte(std::wstring_view text, bool hex, long long fileSize, long long& value);

}  // namespace zq::binedit
