#pragma once
// The audio processing interface of the component.

#include "adapters/vst3/api/FUnknown.h"
#include "adapters/vst3/api/ProcessData.h"

namespace vst3 {

class IAudioProcessor : public FUnknown {
public:
    virtual tresult PLUGIN_API setBusArrangements(SpeakerArrangement* inputs, int32 numIns, SpeakerArrangement* outputs,
                                                  int32 numOuts) = 0;
    virtual tresult PLUGIN_API getBusArrangement(BusDirection dir, int32 index, SpeakerArrangement& arr) = 0;
    virtual tresult PLUGIN_API canProcessSampleSize(int32 symbolicSampleSize) = 0;
    virtual uint32 PLUGIN_API getLatencySamples() = 0;
    virtual tresult PLUGIN_API setupProcessing(ProcessSetup& setup) = 0;
    virtual tresult PLUGIN_API setProcessing(TBool state) = 0;
    virtual tresult PLUGIN_API process(ProcessData& data) = 0;
    virtual uint32 PLUGIN_API getTailSamples() = 0;
    static constexpr Uid iid = Uid::fromWords(0x42043F99, 0xB7DA453C, 0xA569E79D, 0x9AAEC33D);
};

} // namespace vst3
