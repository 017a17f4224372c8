// The FenwoxQuil AAX module: its identifiers and the construction of the delay plug-in on the AAX
// adapter; the description and the module entry do the rest.
#include "adapters/aax/AaxEntry.h"
#include "adapters/aax/support/AaxTypes.h"
#include "effect/FenwoxQuil.h"

const AaxPluginDescription& AaxPluginClass() {
    using aax::fourCharCode;
    static const AaxPluginDescription description{"FenwoxQuil\n",
                                                  "Fenwox\n",
                                                  "1-1 2-2",
                                                  "com.fenwox.aax.FenwoxQuil",
                                                  fourCharCode("FnWx"),
                                                  fourCharCode("Quil"),
                                                  {fourCharCode("EFN1"), fourCharCode("EFN2")},
                                                  {fourCharCode("EFA1"), fourCharCode("EFA2")},
                                                  0x00010003};
    return description;
}

IEffectAAX* CreateAaxPlugin() { return new FenwoxQuil(); }
