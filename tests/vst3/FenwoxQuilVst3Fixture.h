#pragma once
// The built FenwoxQuil bundle loaded the way hosts load it, with a helper that renders audio
// through its one instance.

#include "tools/host/BlockProcessor.h"
#include "tools/host/HostSession.h"
#include "tools/host/ParameterAssignments.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace fenwoxquil_test {

using quilhost::AudioData;
using quilhost::ParameterAssignment;

constexpr vst3::ParamID kPreset = 0x70727374;
constexpr vst3::ParamID kBypass = 0x62706173;
constexpr int kParams = 9;

// Host rendering options beyond the parameter changes.
struct RenderOptions {
    int block = 64;
    int maxBlock = 64;
    bool doublePrecision = false;
    int channels = 2;
};

class FenwoxQuilVst3 : public ::testing::Test {
protected:
    void SetUp() override {
        session = quilhost::HostSession::open(QUIL_FENWOXQUIL_BUNDLE, error);
        ASSERT_TRUE(session) << error;
    }

    quilhost::PluginInstance& plugin() { return session->instance(); }

    // `input` through the plug-in with `assignments` sent with the first block; no tail.
    AudioData render(const AudioData& input, const std::vector<ParameterAssignment>& assignments,
                     const RenderOptions& options = {}) {
        return render(plugin(), input, assignments, options);
    }

    // The same through another instance of the module (see HostSession::createInstance).
    AudioData render(quilhost::PluginInstance& instance, const AudioData& input,
                     const std::vector<ParameterAssignment>& assignments, const RenderOptions& options = {}) {
        quilhost::RenderSettings settings;
        EXPECT_TRUE(quilhost::resolveAssignments(instance, assignments, settings.changes, error)) << error;
        settings.config.maxBlockSize = options.maxBlock;
        settings.config.doublePrecision = options.doublePrecision;
        settings.config.inputChannels = options.channels;
        settings.config.outputChannels = options.channels;
        settings.blockSize = options.block;
        EXPECT_TRUE(instance.prepare(settings.config, error)) << error;
        AudioData output;
        EXPECT_TRUE(quilhost::renderAudio(instance, input, settings, output, error)) << error;
        instance.stop();
        return output;
    }

    std::string error;
    std::unique_ptr<quilhost::HostSession> session;
};

} // namespace fenwoxquil_test
