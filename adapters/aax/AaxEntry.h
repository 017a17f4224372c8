#pragma once
// What an AAX deliverable supplies to the description (AaxDescription.cpp): the identifiers of its
// one effect and the construction of one plug-in object.

#include "adapters/aax/IEffectAAX.h"

#include <cstdint>

struct AaxPluginDescription {
    // The plug-in's texts as its description gives them: names separated by newlines, and the
    // channel configurations ("1-1 2-2").
    const char* effectNames;
    const char* manufacturerNames;
    const char* channelText;
    // The effect identifier in the host's collection: reverse-domain text, never changed.
    const char* effectId;
    uint32_t manufacturerId;
    uint32_t productId;
    // Native and offline type identifiers per channel configuration, in the order of the channel
    // text; saved sessions refer to them. Configurations beyond the table are not described.
    static constexpr int kMaxConfigurations = 2;
    uint32_t nativeIds[kMaxConfigurations];
    uint32_t offlineIds[kMaxConfigurations];
    uint32_t packageVersion;
};

const AaxPluginDescription& AaxPluginClass();

// A new plug-in object; may throw std::bad_alloc.
IEffectAAX* CreateAaxPlugin();
