#pragma once
// The built FenwoxQuil AAX module loaded by the test host the way an AAX host loads it, with
// stereo instances of its effect.

#include "tools/aaxhost/AaxInstance.h"
#include "tools/aaxhost/AaxRender.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace fenwoxquil_aax_test {

using aaxhost::AaxInstance;
using aaxhost::AaxModule;

constexpr int kMono = 0;
constexpr int kStereo = 1;
constexpr uint32_t kQuil = 0x5175696C;
// The plug-in's state: one double per parameter.
constexpr std::size_t kStateBytes = 9 * 8;

class FenwoxQuilAax : public ::testing::Test {
protected:
    void SetUp() override {
        module = AaxModule::open(QUIL_FENWOXQUIL_AAX_BUNDLE, error);
        ASSERT_TRUE(module) << error;
        plugin = create(kStereo);
        ASSERT_TRUE(plugin);
    }

    void TearDown() override {
        instances.clear();
        plugin.reset();
        module.reset();
    }

    std::unique_ptr<AaxInstance> create(int component, float rate = 44100.0f) {
        auto instance = AaxInstance::create(*module, component, rate, error);
        EXPECT_TRUE(instance) << error;
        return instance;
    }

    // The plug-in's parameter values as its state chunk carries them.
    static std::vector<double> stateOf(AaxInstance& instance) {
        std::vector<uint8_t> record;
        EXPECT_EQ(instance.saveChunk(record), 0);
        std::vector<double> values(9, -1.0);
        if (record.size() == aax::kChunkDataOffset + kStateBytes)
            std::memcpy(values.data(), record.data() + aax::kChunkDataOffset, kStateBytes);
        return values;
    }

    std::string error;
    std::unique_ptr<AaxModule> module;
    std::unique_ptr<AaxInstance> plugin;
    std::vector<std::unique_ptr<AaxInstance>> instances;
};

} // namespace fenwoxquil_aax_test
