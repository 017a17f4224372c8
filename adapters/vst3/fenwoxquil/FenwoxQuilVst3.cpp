// The FenwoxQuil VST3 module: its one class record and the construction of the delay plug-in on
// the VST3 adapter; the module entry (Vst3Entry.cpp) does the rest.
#include "FenwoxQuilClass.h"
#include "adapters/vst3/Vst3Entry.h"
#include "effect/FenwoxQuil.h"

const Vst3ClassDescription& Vst3PluginClass() {
    using namespace fenwoxquil_vst3;
    static const Vst3ClassDescription description{
        kVendor, kUrl, kEmail, kName, kSubCategories, kVersion,
        {kClassWords[0], kClassWords[1], kClassWords[2], kClassWords[3]}};
    return description;
}

// The adapter ignores the instance information.
IEffectVST3* CreateVst3Plugin() { return new FenwoxQuil(nullptr); }
