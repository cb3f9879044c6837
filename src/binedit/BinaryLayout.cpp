#include "binedit/BinaryLayout.h"

#include <cstdio>

#include "settings/Settings.h"

namespace zq::binedit {

namespace {

constexpr wchar_t kDigits[] = L"0123456789ABCDEF";

bool IsLead(std::uint8_t v) {
    return (v >= 0x81 && v <= 0x9F) || (v >= 0xE0 && v <= 0xFC);
}

// A byte or a two-byte character in the ANSI code page, as shown in the character column.
std::wstring CharText(const std::uint8_t* bytes, int count) {
    wchar_t wide[2] = {};
    const int n =
        ::MultiByteToWideChar(CP_ACP, MB_ERR_INVALID_CHARS, reinterpret_cast<const char*>(bytes), count, wide, 2);
    if (n != 1 || wide[0] < 0x20) return L".";
    return std::wstring(1, wide[0]);
}

}  // namespace

BinaryColors BinaryColorsFrom(const Settings& settings) {
    BinaryColors colors;
    colors.back = settings.BACK_GROUND_COLOR;
    colors.text = settings.VIEWER_COLOR;
    colors.line = settings.VIEWER_LINE_COLOR;
    colors.status = settings.INTRO_VOLUME_COLOR;
    colors.changed = settings.BINARYCMP_COLOR;
    colors.userByteColors = settings.BINARYUSERCOLOR != 0;
    for (size_t i = 0; i < colors.bytes.size(); ++i) colors.bytes[i] = settings.binaryColors[i];
    return colors;
}

int AddressDigits(std::int64_t fileSize) {
    int digits = 8;
    const auto last = static_cast<std::uint64_t>(fileSize > 0 ? fileSize - 1 : 0);
    while (digits < 16 && (last >> (4 * digits)) != 0) ++digits;
    return digits;
}

// "%08xH" and two blanks, then the bytes three cells apart, then one more
// blank before the characters; a wider address pushes both to the right.
int HexColumn(int addressDigits, int k) {
    return addressDigits + 3 + 3 * k;
}

int CharColumn(int addressDigits, int k) {
    return addressDigits + 52 + k;
}

int NibbleAtColumn(int addressDigits, int column) {
    const int first = HexColumn(addressDigits, 0);
    if (column >= first && column < HexColumn(addressDigits, 16)) {
        const int k = (column - first) / 3;
        const int within = (column - first) % 3;
        return within == 2 ? -1 : k * 2 + within;
    }
    if (column >= CharColumn(addressDigits, 0) && column < CharColumn(addressDigits, 16))
        return (column - CharColumn(addressDigits, 0)) * 2;
    return -1;
}

BinaryRow LayoutBinaryHeader(int addressDigits, const BinaryColors& colors) {
    BinaryRow row;
    for (int k = 0; k < 16; ++k) {
        row.push_back({HexColumn(addressDigits, k), std::wstring(L"+") + kDigits[k], colors.line, colors.back, 2});
    }
    return row;
}

BinaryRow LayoutBinaryRow(const BinaryRowInput& input, const BinaryColors& colors) {
    BinaryRow row;
    wchar_t address[24];
    std::swprintf(address, std::size(address), L"%0*llxH", input.addressDigits,
                  static_cast<unsigned long long>(input.offset));
    row.push_back({0, address, colors.line, colors.back, input.addressDigits + 1});
    for (int k = 0; k < input.count; ++k) {
        const std::uint8_t v = input.bytes[k];
        const std::int64_t at = input.offset + k;
        const bool selected = at >= input.selectFirst && at < input.selectLast;
        COLORREF fore = colors.userByteColors ? colors.bytes[v] : colors.text;
        if ((input.changed >> k & 1U) != 0) fore = colors.changed;
        COLORREF back = colors.back;
        if (selected) {
            fore = colors.back;
            back = colors.text;
        }
        for (int nibble = 0; nibble < 2; ++nibble) {
            const wchar_t digit = kDigits[nibble == 0 ? v >> 4 : v & 0x0F];
            const bool cursor = input.cursor == at * 2 + nibble;
            // The cursor digit is the inverse of what it stands on.
            row.push_back({HexColumn(input.addressDigits, k) + nibble, std::wstring(1, digit), cursor ? back : fore,
                           cursor ? fore : back, 1});
        }
    }
    for (int k = 0; k < input.count; ++k) {
        const std::uint8_t v = input.bytes[k];
        const bool selected = input.offset + k >= input.selectFirst && input.offset + k < input.selectLast;
        const COLORREF fore = selected ? colors.back : colors.text;
        const COLORREF back = selected ? colors.text : colors.back;
        const int column = CharColumn(input.addressDigits, k);
        if (IsLead(v) && k + 1 < input.count) {
            std::wstring text = CharText(input.bytes + k, 2);
            if (text != L".") {
                row.push_back({column, std::move(text), fore, back, 2});
                ++k;
                continue;
            }
        }
        row.push_back({column, v < 0x20 || v == 0x7F || IsLead(v) ? L"." : CharText(&v, 1), fore, back, 1});
    }
    return row;
}

std::wstring BinaryStatusText(const std::wstring& path, std::int64_t cursorRow, std::int64_t rows) {
    return path + L",(" + std::to_wstring(cursorRow) + L"/" + std::to_wstring(rows > 0 ? rows - 1 : 0) + L")";
}

}  // namespace zq::binedit
