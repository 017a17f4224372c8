#include "tools/host/Transport.h"

#include <cmath>

using namespace vst3;

namespace quilhost {

Transport::Transport(double sampleRate, double tempo) {
    mContext.state = ProcessContext::kPlaying | ProcessContext::kTempoValid | ProcessContext::kTimeSigValid |
                     ProcessContext::kProjectTimeMusicValid | ProcessContext::kBarPositionValid |
                     ProcessContext::kContTimeValid;
    mContext.sampleRate = sampleRate;
    mContext.tempo = tempo;
    mContext.timeSigNumerator = 4;
    mContext.timeSigDenominator = 4;
    update();
}

void Transport::advance(int frames) {
    mPosition += frames;
    update();
}

void Transport::update() {
    mContext.projectTimeSamples = mPosition;
    mContext.continousTimeSamples = mPosition;
    const double quarters = static_cast<double>(mPosition) / mContext.sampleRate * mContext.tempo / 60.0;
    mContext.projectTimeMusic = quarters;
    mContext.barPositionMusic = std::floor(quarters / 4.0) * 4.0;
}

} // namespace quilhost
