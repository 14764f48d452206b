#pragma once

#include <chrono>
#include <csignal>

// Time for frames: the monotonic clock, which neither the user nor NTP sets,
// and sleeps to absolute deadlines on it, so that the time a frame takes to
// send never shifts the frames after it.

using TOutputClock = std::chrono::steady_clock;

// Sleeps until `deadline`. Wakes in slices of at most 100 ms (and on a
// signal) to look at `stop`, when given, and returns false as soon as it is
// nonzero; true once the deadline has passed.
bool SleepUntil(TOutputClock::time_point deadline,
                const volatile std::sig_atomic_t* stop = nullptr);
