#pragma once
// The timing record a host passes with every block: a playing transport in 4/4 at a fixed tempo,
// advancing with the processed samples.

#include "adapters/vst3/api/ProcessData.h"

namespace quilhost {

class Transport {
public:
    Transport(double sampleRate, double tempo);

    // The record for the block that starts at the current position.
    vst3::ProcessContext* context() { return &mContext; }
    void advance(int frames);

private:
    void update();

    vst3::ProcessContext mContext{};
    vst3::int64 mPosition = 0;
};

} // namespace quilhost
