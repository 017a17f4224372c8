#pragma once
// The effect's description for the host (names, category, one processing component per channel
// configuration, creation procedures) and the creation of its instances.

#include "adapters/aax/support/AcfModule.h"

#include <cstdint>

// One processing component: its context nodes and the properties of its processing procedure.
struct ComponentLayout {
    static constexpr int kMaxAuxOutputs = 16;
    static constexpr uint32_t kNone = 0x6E6F6E65;  // 'none'

    bool globalMidiOn = false;
    const char* globalMidiName = "GlobalMIDI";
    uint32_t globalMidiMask = 0xFFFF;
    bool inputMidiOn = false;
    const char* inputMidiName = "InputMIDI";
    uint32_t inputMidiMask = 0xFFFF;
    bool transportOn = false;
    const char* transportName = "Transport";
    int meterCount = 0;
    const uint32_t* meterIds = nullptr;
    int auxOutputCount = 0;
    const char* auxOutputNames[kMaxAuxOutputs] = {};
    uint32_t auxOutputStemFormats[kMaxAuxOutputs] = {1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1};
    uint32_t inputStemFormat = 1;
    uint32_t outputStemFormat = 1;
    bool usesClientGui = false;
    bool canBypass = true;
    uint32_t manufacturerId = kNone;
    uint32_t productId = kNone;
    uint32_t pluginId = kNone;
    uint32_t secondPluginId = kNone;
    uint32_t latencyContribution = 0;
};

// The stem format of a bus of `channels` channels.
uint32_t StemFormatFor(int channels);

// DescribePlugin (the module's description) and one of its components: 0 on success, otherwise the
// OR of the failing calls' results.
int AddAlgorithmComponent(aax::AAX_VEffectDescriptor* descriptor, const ComponentLayout& layout);

// The creation procedures the host calls: new objects without a reference, or null.
aax::IACFUnknown* CreateEffectParameters();
aax::IACFUnknown* CreateEffectGUI();
