#include "tools/host/ProcessTiming.h"

#include <algorithm>
#include <chrono>

namespace quilhost {

double ProcessTiming::medianSecondsPerFrame() const {
    std::vector<double> perFrame;
    for (std::size_t i = 0; i < seconds.size(); ++i)
        if (frames[i] > 0) perFrame.push_back(seconds[i] / frames[i]);
    if (perFrame.empty()) return 0.0;
    std::nth_element(perFrame.begin(), perFrame.begin() + perFrame.size() / 2, perFrame.end());
    return perFrame[perFrame.size() / 2];
}

double ProcessTiming::meanSecondsPerFrame() const {
    double total = 0.0;
    long count = 0;
    for (std::size_t i = 0; i < seconds.size(); ++i) {
        total += seconds[i];
        count += frames[i];
    }
    return count > 0 ? total / count : 0.0;
}

double wallClockSeconds() {
    return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch()).count();
}

} // namespace quilhost
