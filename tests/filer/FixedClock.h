#pragma once
// A local clock for the condition and time-stamp forms: a zone a fixed number
// of hours east of UTC and a fixed "now", so that expected field texts do not
// depend on the machine's zone or the day the tests run.
#include <windows.h>

#include "filer/LocalClock.h"

namespace zq::test {

class FixedClock : public LocalClock {
  public:
    FixedClock(int hoursEast, SYSTEMTIME now) : m_offset(hoursEast * 3600LL * 10000000LL), m_now(now) {}
    SYSTEMTIME Now() const override { return m_now; }
    bool ToLocal(const FILETIME& utc, SYSTEMTIME& local) const override {
        const long long shifted = static_cast<long long>(Ticks(utc)) + m_offset;
        if (shifted < 0) return false;
        const FILETIME t = FromTicks(static_cast<unsigned long long>(shifted));
        return ::FileTimeToSystemTime(&t, &local) != FALSE;
    }
    bool ToUtc(const SYSTEMTIME& local, FILETIME& utc) const override {
        FILETIME t{};
        if (!::SystemTimeToFileTime(&local, &t)) return false;
        const long long shifted = static_cast<long long>(Ticks(t)) - m_offset;
        if (shifted < 0) return false;
        utc = FromTicks(static_cast<unsigned long long>(shifted));
        return true;
    }

    static unsigned long long Ticks(const FILETIME& t) {
        return (static_cast<unsigned long long>(t.dwHighDateTime) << 32) | t.dwLowDateTime;
    }
    static FILETIME FromTicks(unsigned long long v) { return {static_cast<DWORD>(v), static_cast<DWORD>(v >> 32)}; }

  private:
    long long m_offset;
    SYSTEMTIME m_now;
};

}  // namespace zq::test
