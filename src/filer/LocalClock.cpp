#include "filer/LocalClock.h"

namespace zq {

namespace {

class PlatformClock final : public LocalClock {
  public:
    SYSTEMTIME Now() const override {
        SYSTEMTIME now{};
        ::GetLocalTime(&now);
        return now;
    }
    bool ToLocal(const FILETIME& utc, SYSTEMTIME& local) const override {
        SYSTEMTIME system{};
        return ::FileTimeToSystemTime(&utc, &system) && ::SystemTimeToTzSpecificLocalTime(nullptr, &system, &local);
    }
    bool ToUtc(const SYSTEMTIME& local, FILETIME& utc) const override {
        SYSTEMTIME system{};
        return ::TzSpecificLocalTimeToSystemTime(nullptr, &local, &system) && ::SystemTimeToFileTime(&system, &utc);
    }
};

}  // namespace

const LocalClock& SystemLocalClock() {
    static const PlatformClock clock;
    return clock;
}

}  // namespace zq
