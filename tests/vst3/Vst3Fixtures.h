#pragma once
// Small objects the interface-layer tests share: an effect with a few parameters and buses, and a
// component handler that records what the controller tells it.

#include "adapters/vst3/api/Speakers.h"
#include "adapters/vst3/base/SingleComponentEffect.h"

#include <string>
#include <vector>

namespace vst3test {

using namespace vst3;

class TestEffect : public SingleComponentEffect {
public:
    explicit TestEffect(bool* destroyed = nullptr) : mDestroyed(destroyed) {}
    ~TestEffect() override {
        if (mDestroyed) *mDestroyed = true;
    }

    tresult PLUGIN_API initialize(FUnknown* context) override {
        const tresult result = SingleComponentEffect::initialize(context);
        if (result != kResultOk) return result;
        addAudioInput("In", SpeakerArr::kStereo);
        addAudioOutput("Out", SpeakerArr::kStereo);
        addEventInput("MIDI", 1);
        parameters.addParameter(new RangeParameter("Gain", 7, "dB", -60.0, 12.0, 0.0));
        auto* mode = new StringListParameter("Mode", 8);
        mode->appendString("off");
        mode->appendString("on");
        parameters.addParameter(mode);
        return kResultOk;
    }

    uint32 PLUGIN_API getLatencySamples() override { return 123; }

    QUIL_VST3_CLASS_NAME(TestEffect, SingleComponentEffect)

private:
    bool* mDestroyed;
};

class RecordingHandler : public FObject, public IComponentHandler {
public:
    tresult PLUGIN_API beginEdit(ParamID id) override {
        calls.push_back("begin " + std::to_string(id));
        return kResultOk;
    }
    tresult PLUGIN_API performEdit(ParamID id, ParamValue value) override {
        calls.push_back("perform " + std::to_string(id) + " " + std::to_string(value));
        return kResultOk;
    }
    tresult PLUGIN_API endEdit(ParamID id) override {
        calls.push_back("end " + std::to_string(id));
        return kResultOk;
    }
    tresult PLUGIN_API restartComponent(int32 flags) override {
        calls.push_back("restart " + std::to_string(flags));
        return kResultOk;
    }
    tresult PLUGIN_API queryInterface(const TUID iidBytes, void** obj) override {
        if (obj && answerInterface<IComponentHandler>(this, iidBytes, obj)) return kResultOk;
        return FObject::queryInterface(iidBytes, obj);
    }
    QUIL_VST3_REFCOUNT_FROM(FObject)

    std::vector<std::string> calls;
};

} // namespace vst3test
