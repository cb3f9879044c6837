#include "filer/FilerCellFormat.h"

namespace zq::filer {

namespace {

constexpr int kDateWidth = 11;
constexpr int kTimeWidth = 9;
constexpr int kSecondsWidth = 3;
constexpr int kSizeWidth = 15;
constexpr int kAttributesWidth = 5;

}  // namespace

int FormatColumnsWidth(const FilerDisplayFormat& format) {
    int width = 0;
    if (format.date) width += kDateWidth;
    if (format.time) width += format.secondsHidden ? kTimeWidth - kSecondsWidth : kTimeWidth;
    if (format.size) width += kSizeWidth;
    if (format.attributes) width += kAttributesWidth;
    return width;
}

std::wstring FormatMenuLabel(const FilerDisplayFormat& format) {
    std::wstring label = L"名前";
    if (format.date) label += L"+日付";
    if (format.time) label += format.secondsHidden ? L"+時間(秒非表示)" : L"+時間";
    if (format.size) label += L"+サイズ";
    if (format.attributes) label += L"+属性";
    return label;
}

std::wstring FormatToDigits(const FilerDisplayFormat& format) {
    std::wstring digits;
    for (bool flag : {format.date, format.time, format.size, format.secondsHidden, format.attributes})
        digits += flag ? L'1' : L'0';
    return digits;
}

std::optional<FilerDisplayFormat> FormatFromDigits(std::wstring_view digits) {
    if (digits.size() != 5) return std::nullopt;
    FilerDisplayFormat f;
    f.date = digits[0] != L'0';
    f.time = digits[1] != L'0';
    f.size = digits[2] != L'0';
    f.secondsHidden = digits[3] != L'0';
    f.attributes = digits[4] != L'0';
    return f;
}

int NextFormatNumber(int current) {
    if (current < 0 || current >= kFilerFormatCount - 1) return 0;
    return current + 1;
}

}  // namespace zq::filer
