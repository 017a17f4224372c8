#pragma once
// Time spent inside a plug-in's processing calls: wall-clock and the calling thread's CPU time,
// summed over the calls a render makes (nothing of the host's own work around them).

namespace quilhost {

struct ProcessTiming {
    double wallSeconds = 0.0;
    double cpuSeconds = 0.0;
    long calls = 0;
};

// Seconds on a monotonic clock, and CPU seconds the calling thread has used.
double wallClockSeconds();
double threadCpuSeconds();

} // namespace quilhost
