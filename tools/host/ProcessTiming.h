#pragma once
// Time spent inside a plug-in's processing calls, call by call (nothing of the host's own work
// around them). A monotonic clock read through the vDSO costs nanoseconds; the thread CPU clock is
// a system call that costs microseconds on a virtual machine and would weigh on every call.

#include <vector>

namespace quilhost {

struct ProcessTiming {
    std::vector<double> seconds;  // one entry per processing call
    std::vector<int> frames;      // frames of that call

    // Seconds per frame of the median call (robust against the scheduler taking the CPU away
    // during a few calls) and over all calls.
    double medianSecondsPerFrame() const;
    double meanSecondsPerFrame() const;
};

double wallClockSeconds();

} // namespace quilhost
