#include "tools/host/ProcessTiming.h"

#include <chrono>

#if defined(_WIN32)
#include <windows.h>
#else
#include <ctime>
#endif

namespace quilhost {

double wallClockSeconds() {
    return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch()).count();
}

double threadCpuSeconds() {
#if defined(_WIN32)
    // 100 ns units, advanced at the scheduler's tick: summed over many calls it averages out.
    FILETIME created, exited, kernel, user;
    if (!GetThreadTimes(GetCurrentThread(), &created, &exited, &kernel, &user)) return 0.0;
    auto seconds = [](const FILETIME& t) {
        return (static_cast<double>(t.dwHighDateTime) * 4294967296.0 + t.dwLowDateTime) * 1e-7;
    };
    return seconds(kernel) + seconds(user);
#else
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) + 1e-9 * static_cast<double>(now.tv_nsec);
#endif
}

} // namespace quilhost
