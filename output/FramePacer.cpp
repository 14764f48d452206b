#include "output/FramePacer.h"

#include <algorithm>
#include <cerrno>

#include <time.h>

namespace {

constexpr auto kSlice = std::chrono::milliseconds(100);

timespec ToTimespec(TOutputClock::time_point at) {
    const auto since = at.time_since_epoch();
    const auto seconds = std::chrono::duration_cast<std::chrono::seconds>(since);
    const auto nanoseconds = std::chrono::duration_cast<std::chrono::nanoseconds>(since - seconds);
    timespec out{};
    out.tv_sec = static_cast<time_t>(seconds.count());
    out.tv_nsec = static_cast<long>(nanoseconds.count());
    return out;
}

} // namespace

bool SleepUntil(TOutputClock::time_point deadline, const volatile std::sig_atomic_t* stop) {
    // steady_clock is CLOCK_MONOTONIC on Linux: its time points are the
    // clock's own readings.
    static_assert(TOutputClock::is_steady);
    for (;;) {
        if (stop != nullptr && *stop != 0)
            return false;
        const TOutputClock::time_point now = TOutputClock::now();
        if (now >= deadline)
            return true;
        const TOutputClock::time_point wake =
            stop != nullptr ? std::min(deadline, now + kSlice) : deadline;
        const timespec at = ToTimespec(wake);
        const int result = ::clock_nanosleep(CLOCK_MONOTONIC, TIMER_ABSTIME, &at, nullptr);
        if (result != 0 && result != EINTR)
            return true;
    }
}
