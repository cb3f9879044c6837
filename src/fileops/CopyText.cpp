#include "fileops/CopyText.h"

#include <cwchar>

namespace zq::fileops {

std::wstring GroupDigits(ULONGLONG value, int width) {
    std::wstring digits = std::to_wstring(value);
    std::wstring out;
    const size_t n = digits.size();
    for (size_t i = 0; i < n; ++i) {
        out += digits[i];
        const size_t left = n - 1 - i;
        if (left > 0 && left % 3 == 0) out += L',';
    }
    if (width > 0 && out.size() < static_cast<size_t>(width)) out.insert(0, width - out.size(), L' ');
    return out;
}

std::wstring FormatDuration(LONGLONG seconds) {
    if (seconds < 0) seconds = 0;
    wchar_t text[32] = {};
    swprintf(text, 32, L"%02lld:%02lld:%02lld", seconds / 3600, (seconds / 60) % 60, seconds % 60);
    return text;
}

std::wstring FormatClock(const SYSTEMTIME& t) {
    wchar_t text[16] = {};
    swprintf(text, 16, L"%02u:%02u:%02u", t.wHour, t.wMinute, t.wSecond);
    return text;
}

}  // namespace zq::fileops
