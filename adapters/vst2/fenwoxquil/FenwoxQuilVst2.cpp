// The FenwoxQuil VST2 library: the delay plug-in constructed on the VST2 adapter; the library entry
// (Vst2Entry.cpp) does the rest.
#include "adapters/vst2/Vst2Entry.h"
#include "effect/FenwoxQuil.h"

IEffectVST* CreateVst2Plugin(vst2::HostCallback host) { return new FenwoxQuil(host); }
