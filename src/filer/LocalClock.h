#pragma once
// The machine's local time as the condition dialogs need it: today, and the
// conversions between file times (UTC) and the local wall-clock time the
// fields show.  Tests pass a clock with a fixed offset.
#include <windows.h>

namespace zq {

class LocalClock {
  public:
    virtual ~LocalClock() = default;
    [[nodiscard]] virtual SYSTEMTIME Now() const = 0;
    [[nodiscard]] virtual bool ToLocal(const FILETIME& utc, SYSTEMTIME& local) const = 0;
    [[nodiscard]] virtual bool ToUtc(const SYSTEMTIME& local, FILETIME& utc) const = 0;
};

// The platform's clock and time-zone rules (daylight saving included).
[[nodiscard]] const LocalClock& SystemLocalClock();

}  // namespace zq
