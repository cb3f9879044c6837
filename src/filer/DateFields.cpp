#include "filer/DateFields.h"

#include <array>
#include <cstdio>

namespace zq {

namespace {

// Days since 1970-01-01 of a proleptic Gregorian date, and back; the
// era-based form needs no tables and is exact for every year a field holds.
long long DaysFromCivil(int year, int month, int day) {
    const long long y = static_cast<long long>(year) - (month <= 2 ? 1 : 0);
    const long long era = (y >= 0 ? y : y - 399) / 400;
    const long long yoe = y - era * 400;
    const long long doy = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
    const long long doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe - 719468;
}

CivilDate CivilFromDays(long long z) {
    z += 719468;
    const long long era = (z >= 0 ? z : z - 146096) / 146097;
    const long long doe = z - era * 146097;
    const long long yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const long long doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const long long mp = (5 * doy + 2) / 153;
    const int day = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
    const int month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    const int year = static_cast<int>(yoe + era * 400 + (month <= 2 ? 1 : 0));
    return {year, month, day};
}

bool IsBlank(wchar_t c) {
    return c == L' ' || c == L'\t' || c == L'\x3000';
}

// Full-width digits and separators to their ASCII forms.
wchar_t Narrow(wchar_t c) {
    if (c >= L'\xFF10' && c <= L'\xFF19') return static_cast<wchar_t>(L'0' + (c - L'\xFF10'));
    if (c == L'\xFF0F') return L'/';
    if (c == L'\xFF1A') return L':';
    return c;
}

// Exactly three decimal numbers separated by `separator`, the i-th of at most
// maxDigits[i] digits.
bool SplitThree(std::wstring_view text, wchar_t separator, const std::array<int, 3>& maxDigits,
                std::array<int, 3>& out) {
    while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
    size_t part = 0;
    int digits = 0;
    out = {0, 0, 0};
    for (const wchar_t raw : text) {
        const wchar_t c = Narrow(raw);
        if (c == separator) {
            if (digits == 0 || ++part >= out.size()) return false;
            digits = 0;
        } else if (c >= L'0' && c <= L'9') {
            if (++digits > maxDigits[part]) return false;
            out[part] = out[part] * 10 + (c - L'0');
        } else {
            return false;
        }
    }
    return part == out.size() - 1 && digits > 0;
}

}  // namespace

bool IsLeapYear(int year) noexcept {
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

int DaysInMonth(int year, int month) noexcept {
    static constexpr int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (month < 1 || month > 12) return 0;
    return month == 2 && IsLeapYear(year) ? 29 : kDays[month - 1];
}

bool IsValidDate(const CivilDate& d) noexcept {
    return d.year >= kFirstFieldYear && d.year <= kLastFieldYear && d.day >= 1 && d.day <= DaysInMonth(d.year, d.month);
}

bool ParseDateField(std::wstring_view text, CivilDate& date) {
    std::array<int, 3> parts{};
    if (!SplitThree(text, L'/', {4, 2, 2}, parts)) return false;
    const CivilDate parsed{parts[0], parts[1], parts[2]};
    if (!IsValidDate(parsed)) return false;
    date = parsed;
    return true;
}

bool ParseTimeField(std::wstring_view text, ClockTime& time) {
    std::array<int, 3> parts{};
    if (!SplitThree(text, L':', {2, 2, 2}, parts)) return false;
    if (parts[0] > 23 || parts[1] > 59 || parts[2] > 59) return false;
    time = {parts[0], parts[1], parts[2]};
    return true;
}

std::wstring FormatDateField(const CivilDate& d) {
    wchar_t text[32] = {};
    std::swprintf(text, std::size(text), L"%04d/%02d/%02d", d.year, d.month, d.day);
    return text;
}

std::wstring FormatTimeField(const ClockTime& t) {
    wchar_t text[32] = {};
    std::swprintf(text, std::size(text), L"%02d:%02d:%02d", t.hour, t.minute, t.second);
    return text;
}

CivilDate AddDays(const CivilDate& date, int days) {
    return CivilFromDays(DaysFromCivil(date.year, date.month, date.day) + days);
}

CivilDate AddMonths(const CivilDate& date, int months) {
    const long long index = static_cast<long long>(date.year) * 12 + (date.month - 1) + months;
    const int year = static_cast<int>(index >= 0 ? index / 12 : (index - 11) / 12);
    const int month = static_cast<int>(index - static_cast<long long>(year) * 12) + 1;
    const int last = DaysInMonth(year, month);
    return {year, month, date.day > last ? last : date.day};
}

CivilDate ApplyDateOperation(const CivilDate& date, DateOperation operation, const CivilDate& today) {
    // Days and months each entry of the list moves by, in list order; the first is "today".
    struct Step {
        int days;
        int months;
    };
    static constexpr Step kSteps[kDateOperationCount] = {{0, 0}, {-1, 0}, {1, 0}, {0, -1}, {0, 1}, {0, -12}, {0, 12}};
    const int index = static_cast<int>(operation);
    if (index < 0 || index >= kDateOperationCount) return date;
    if (operation == DateOperation::Today) return today;
    const Step step = kSteps[index];
    const CivilDate result = step.months != 0 ? AddMonths(date, step.months) : AddDays(date, step.days);
    return IsValidDate(result) ? result : date;
}

}  // namespace zq
