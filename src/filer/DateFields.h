#pragma once
// Calendar dates and clock times as the condition dialogs show them
// ("%04d/%02d/%02d" and "%02d:%02d:%02d"), and the date steps of their
// date-operation list.  Pure calendar arithmetic; time zones are the
// LocalClock's business.
#include <string>
#include <string_view>

namespace zq {

struct CivilDate {
    int year = 0;
    int month = 0;
    int day = 0;
    bool operator==(const CivilDate&) const = default;
};

struct ClockTime {
    int hour = 0;
    int minute = 0;
    int second = 0;
    bool operator==(const ClockTime&) const = default;
};

// The entries of the list "日付操作", in list order.
enum class DateOperation : int {
    Today = 0,
    DayBefore,
    DayAfter,
    MonthBefore,
    MonthAfter,
    YearBefore,
    YearAfter,
};
inline constexpr int kDateOperationCount = 7;

// The years a file time can stand for and the field's four digits can show.
inline constexpr int kFirstFieldYear = 1601;
inline constexpr int kLastFieldYear = 9999;

[[nodiscard]] bool IsLeapYear(int year) noexcept;
// 0 for a month outside 1-12.
[[nodiscard]] int DaysInMonth(int year, int month) noexcept;
[[nodiscard]] bool IsValidDate(const CivilDate& date) noexcept;

// Year/month/day separated by "/", hours:minutes:seconds separated by ":".
// Leading zeros are optional, blanks around the text and full-width digits and
// separators (as an input method types them) are accepted.  False for anything
// else, including days and times that do not exist.
[[nodiscard]] bool ParseDateField(std::wstring_view text, CivilDate& date);
[[nodiscard]] bool ParseTimeField(std::wstring_view text, ClockTime& time);
[[nodiscard]] std::wstring FormatDateField(const CivilDate& date);
[[nodiscard]] std::wstring FormatTimeField(const ClockTime& time);

[[nodiscard]] CivilDate AddDays(const CivilDate& date, int days);
// Whole months (or 12 for a year); a day beyond the target month's end becomes
// its last day, so 03/31 one month earlier is 02/28 or 02/29.
[[nodiscard]] CivilDate AddMonths(const CivilDate& date, int months);
// `date` stepped by `operation`; Today gives `today`.  A step that would leave
// the years a field can hold leaves the date as it was.
[[nodiscard]] CivilDate ApplyDateOperation(const CivilDate& date, DateOperation operation, const CivilDate& today);

}  // namespace zq
