#include "binedit/BinaryInput.h"

#include <cstdint>

#include "common/TextConv.h"

namespace zq::binedit {

namespace {

int HexDigit(wchar_t c) {
    if (c >= L'0' && c <= L'9') return c - L'0';
    if (c >= L'a' && c <= L'f') return c - L'a' + 10;
    if (c >= L'A' && c <= L'F') return c - L'A' + 10;
    return -1;
}

bool ParseHexBytes(std::wstring_view text, std::string& bytes) {
    if (text.empty() || text.size() % 2 != 0) return false;
    for (size_t i = 0; i < text.size(); i += 2) {
        const int high = HexDigit(text[i]);
        const int low = HexDigit(text[i + 1]);
        if (high < 0 || low < 0) return false;
        bytes.push_back(static_cast<char>(high * 16 + low));
    }
    return true;
}

// A decimal number with an optional leading "-".  The magnitude is kept
// exact up to a bound well past every checked range, and modulo 2^32 beyond
// it, because a long is not range-checked and keeps its low 32 bits.
bool ParseDecimalValue(std::wstring_view text, bool isSigned, InputType type, std::string& bytes) {
    bool negative = false;
    if (isSigned && !text.empty() && text[0] == L'-') {
        negative = true;
        text.remove_prefix(1);
    }
    if (text.empty()) return false;
    std::uint64_t magnitude = 0;
    bool huge = false;
    std::uint32_t low32 = 0;
    for (const wchar_t c : text) {
        if (c < L'0' || c > L'9') return false;
        const unsigned digit = static_cast<unsigned>(c - L'0');
        low32 = low32 * 10u + digit;
        if (!huge) {
            magnitude = magnitude * 10 + digit;
            if (magnitude > 0xFFFFFFFFull) huge = true;
        }
    }
    std::uint32_t value = 0;
    switch (type) {
        case InputType::Char:
        case InputType::Short: {
            const std::uint64_t top = type == InputType::Char ? 0xFF : 0xFFFF;
            if (huge) return false;
            if (isSigned) {
                const std::uint64_t limit = negative ? (top + 1) / 2 : top / 2;
                if (magnitude > limit) return false;
            } else if (magnitude > top) {
                return false;
            }
            value = static_cast<std::uint32_t>(magnitude);
            break;
        }
        default:
            value = low32;
            break;
    }
    if (negative) value = 0u - value;
    for (int i = 0; i < TypeWidth(type); ++i) bytes.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
    return true;
}

}  // namespace

int TypeWidth(InputType type) {
    switch (type) {
        case InputType::Short:
            return 2;
        case InputType::Long:
            return 4;
        default:
            return 1;
    }
}

bool IsNumericType(InputType type) {
    return type == InputType::Char || type == InputType::Short || type == InputType::Long;
}

bool ParseInputData(InputType type, bool isSigned, std::wstring_view text, std::string& bytes) {
    bytes.clear();
    bool ok = false;
    switch (type) {
        case InputType::String:
            // The bytes a file holds for this text on this desktop: its ANSI code page.
            if (!text.empty()) bytes = ToNarrow(text);
            ok = !bytes.empty();
            break;
        case InputType::Hex:
            ok = ParseHexBytes(text, bytes);
            break;
        case InputType::Char:
        case InputType::Short:
        case InputType::Long:
            ok = ParseDecimalValue(text, isSigned, type, bytes);
            break;
    }
    if (!ok) bytes.clear();
    return ok;
}

bool ParseHexNumber(std::wstring_view text, long long& value) {
    if (text.empty() || text.size() > 16) return false;
    std::uint64_t v = 0;
    for (const wchar_t c : text) {
        const int digit = HexDigit(c);
        if (digit < 0) return false;
        v = v * 16 + static_cast<unsigned>(digit);
    }
    value = static_cast<long long>(v);
    return true;
}

long long ParseDecimalNumber(std::wstring_view text) {
    size_t i = 0;
    while (i < text.size() && (text[i] == L' ' || text[i] == L'\t')) ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == L'-' || text[i] == L'+')) negative = text[i++] == L'-';
    long long value = 0;
    for (; i < text.size() && text[i] >= L'0' && text[i] <= L'9'; ++i) {
        if (value > (0x7FFFFFFFFFFFFFFFLL - 9) / 10) break;
        value = value * 10 + (text[i] - L'0');
    }
    return negative ? -value : value;
}

bool ParseRangeByte(std::wstring_view text, bool hex, long long fileSize, long long& value) {
    long long v = 0;
    if (hex) {
        if (!ParseHexNumber(text, v)) return false;
    } else {
        v = ParseDecimalNumber(text);
    }
    if (v < 0 || v >= fileSize) return false;
    value = v;
    return true;
}

}  // namespace zq::binedit
