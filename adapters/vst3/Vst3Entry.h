#pragma once
// What a VST3 deliverable supplies to the module entry (Vst3Entry.cpp): the values of its one
// class record and the construction of one plug-in object.

#include "adapters/vst3/IEffectVST3.h"

struct Vst3ClassDescription {
    const char* vendor;         // the factory's vendor
    const char* url;
    const char* email;
    const char* name;           // the plug-in's effect name
    const char* subCategories;  // e.g. "Fx|Delay"
    const char* version;        // e.g. "1.0.3"
    // The class identifier's four words: two fixed framework words, then the maker's and the
    // plug-in's four-character codes. It names the plug-in in saved projects: never change it.
    vst3::uint32 words[4];
};

const Vst3ClassDescription& Vst3PluginClass();

// A new plug-in object (reference count 1); may throw std::bad_alloc.
IEffectVST3* CreateVst3Plugin();
