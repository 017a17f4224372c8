#pragma once
// The built FenwoxQuil VST2 library loaded the way hosts load it, one opened effect, and helpers to
// call its dispatcher and render through it.

#include "tools/host/ParameterAssignments.h"
#include "tools/host/vst2/Vst2Commands.h"
#include "tools/host/vst2/Vst2Render.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace fenwoxquil_vst2_test {

using quilhost::AudioData;
using quilhost::ParameterAssignment;

enum Param { kDelayRange = 0, kTime, kFeedback, kEffectLevel, kStereoMode, kAnalogSat, kAnalogHiss, kSync16th, kEffectActive };

class FenwoxQuilVst2 : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(session.open(QUIL_FENWOXQUIL_VST2_LIBRARY, error)) << error; }

    quilhost::Vst2Plugin& plugin() { return *session.plugin; }
    vst2::AEffect* effect() { return session.plugin->effect(); }
    vst2::VstIntPtr dispatch(vst2::VstInt32 opcode, vst2::VstInt32 index = 0, vst2::VstIntPtr value = 0,
                             void* ptr = nullptr, float opt = 0.0f) {
        return plugin().dispatch(opcode, index, value, ptr, opt);
    }
    float get(int index) { return effect()->getParameter(effect(), index); }
    void set(int index, float value) { effect()->setParameter(effect(), index, value); }

    // `input` through the effect with `assignments` sent with the first block; no tail.
    AudioData render(const AudioData& input, const std::vector<ParameterAssignment>& assignments, int block = 64,
                     bool doublePrecision = false, double tempo = 120.0) {
        quilhost::RenderSettings settings;
        EXPECT_TRUE(quilhost::resolveVst2Assignments(*session.library, assignments, settings.changes, error)) << error;
        settings.config.maxBlockSize = block;
        settings.config.doublePrecision = doublePrecision;
        settings.blockSize = block;
        settings.tempo = tempo;
        plugin().prepare(input.sampleRate, block, true);
        AudioData output;
        EXPECT_TRUE(quilhost::renderVst2(plugin(), input, settings, output, error)) << error;
        plugin().stop();
        return output;
    }

    quilhost::Vst2Session session;
    std::string error;
};

} // namespace fenwoxquil_vst2_test
