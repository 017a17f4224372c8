#pragma once
// What a VST2 deliverable supplies to the library entry (Vst2Entry.cpp): the construction of one
// plug-in object on the VST2 adapter.

#include "adapters/vst2/IEffectVST.h"

// A new plug-in object talking to `host`; may throw std::bad_alloc.
IEffectVST* CreateVst2Plugin(vst2::HostCallback host);
