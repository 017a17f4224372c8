#include "tools/host/RenderSchedule.h"

#include <cmath>

namespace quilhost {

std::size_t renderedFrames(const AudioData& input, const RenderSettings& settings) {
    return input.frames() + static_cast<std::size_t>(settings.tailSeconds * settings.config.sampleRate);
}

bool scheduleChanges(const AudioData& input, const RenderSettings& settings, std::vector<TimedChange>& schedule,
                     std::string& error) {
    const std::size_t totalFrames = renderedFrames(input, settings);
    schedule.clear();
    for (const ParameterChange& change : settings.changes) {
        const auto frame =
            static_cast<std::size_t>(std::llround(std::max(0.0, change.atSeconds) * settings.config.sampleRate));
        if (frame >= std::max<std::size_t>(totalFrames, 1)) {
            error = "a parameter change at " + std::to_string(change.atSeconds) + " s lies beyond the end of the audio";
            return false;
        }
        schedule.push_back({frame, &change});
    }
    std::stable_sort(schedule.begin(), schedule.end(),
                     [](const TimedChange& a, const TimedChange& b) { return a.frame < b.frame; });
    return true;
}

} // namespace quilhost
