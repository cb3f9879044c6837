#pragma once
// Number and time texts of the copy progress display.
#include <windows.h>

#include <string>

namespace zq::fileops {

// 1234567 -> "1,234,567"; width > 0 right-aligns in a field of that many units.
std::wstring GroupDigits(ULONGLONG value, int width = 0);
// "%02ld:%02ld:%02ld" of a duration in seconds (hours may exceed 99).
std::wstring FormatDuration(LONGLONG seconds);
// "%02d:%02d:%02d" of a local time of day.
std::wstring FormatClock(const SYSTEMTIME& local);

}  // namespace zq::fileops
