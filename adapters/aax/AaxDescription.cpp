#include "adapters/aax/AaxDescription.h"

#include "adapters/aax/AAX_CEffectGUI_IEffect.h"
#include "adapters/aax/AaxEntry.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <mutex>
#include <new>
#include <string>

using namespace aax;

namespace {

// Serialises instance creation across the process; made on first use, gone at exit.
std::mutex& instanceLock() {
    static std::mutex lock;
    return lock;
}

// Calls `use` with each non-empty newline-separated piece of `text`, in order, up to the first
// empty piece.
template <class Use>
void forEachName(const char* text, Use&& use) {
    const std::string all = text ? text : "";
    std::size_t start = 0;
    while (start < all.size()) {
        const std::size_t end = std::min(all.find('\n', start), all.size());
        if (end == start) return;
        use(all.substr(start, end - start));
        start = end + 1;
    }
}

// A 4-byte private block in place of a node the component layout leaves out.
int32_t placeholder(AAX_VComponentDescriptor& component, int32_t field) {
    return component.AddPrivateData(field, 4, 0);
}

} // namespace

uint32_t StemFormatFor(int channels) {
    switch (channels) {
    case 1: return 0x00000001;
    case 2: return 0x00010002;
    case 3: return 0x00020003;
    case 4: return 0x00040004;
    case 5: return 0x00050005;
    case 6: return 0x00060006;
    case 7: return 0x00080007;
    case 8: return 0x000C0008;
    default: return AAX_eStemFormat_None;
    }
}

int AddAlgorithmComponent(AAX_VEffectDescriptor* descriptor, const ComponentLayout& layout) {
    using F = AAX_CIEffectParameters;
    std::unique_ptr<AAX_VComponentDescriptor> component = descriptor->NewComponentDescriptor();
    int result = 0;
    result |= layout.globalMidiOn ? component->AddMIDINode(F::kFieldGlobalMidi, AAX_eMIDINodeType_Global,
                                                         layout.globalMidiName, layout.globalMidiMask)
                                : placeholder(*component, F::kFieldGlobalMidi);
    result |= layout.inputMidiOn ? component->AddMIDINode(F::kFieldInputMidi, AAX_eMIDINodeType_LocalInput,
                                                        layout.inputMidiName, layout.inputMidiMask)
                               : placeholder(*component, F::kFieldInputMidi);
    result |= layout.transportOn
                  ? component->AddMIDINode(F::kFieldTransport, AAX_eMIDINodeType_Transport, "Transport", 0xFFFF)
                  : placeholder(*component, F::kFieldTransport);
    result |= component->AddAudioIn(F::kFieldAudioIn);
    result |= component->AddAudioOut(F::kFieldAudioOut);
    result |= component->AddAudioBufferLength(F::kFieldBufferLength);
    result |= layout.meterCount > 0
                  ? component->AddMeters(F::kFieldMeters, layout.meterIds, static_cast<uint32_t>(layout.meterCount))
                  : placeholder(*component, F::kFieldMeters);
    for (int k = 0; k < layout.auxOutputCount && k < ComponentLayout::kMaxAuxOutputs; ++k)
        result |= component->AddAuxOutputStem(0, static_cast<int32_t>(layout.auxOutputStemFormats[k]),
                                               layout.auxOutputNames[k]);
    result |= component->AddPrivateData(F::kFieldInstance, 8, 0);

    std::unique_ptr<AAX_VPropertyMap> properties = descriptor->NewPropertyMap();
    if (layout.usesClientGui) result |= properties->AddProperty(AAX_eProperty_UsesClientGUI, 1);
    result |= properties->AddProperty(AAX_eProperty_LatencyContribution, static_cast<int32_t>(layout.latencyContribution));
    result |= properties->AddProperty(AAX_eProperty_InputStemFormat, static_cast<int32_t>(layout.inputStemFormat));
    result |= properties->AddProperty(AAX_eProperty_OutputStemFormat, static_cast<int32_t>(layout.outputStemFormat));
    result |= properties->AddProperty(AAX_eProperty_CanBypass, layout.canBypass ? 1 : 0);
    result |= properties->AddProperty(AAX_eProperty_ManufacturerID, static_cast<int32_t>(layout.manufacturerId));
    result |= properties->AddProperty(AAX_eProperty_ProductID, static_cast<int32_t>(layout.productId));
    result |= properties->AddProperty(AAX_eProperty_PlugInID_Native, static_cast<int32_t>(layout.pluginId));
    if (layout.secondPluginId != ComponentLayout::kNone)
        result |= properties->AddProperty(AAX_eProperty_PlugInID_AudioSuite, static_cast<int32_t>(layout.secondPluginId));

    result |= component->AddProcessProc_Native(RenderCallback, *properties);
    result |= descriptor->AddComponent(*component);
    return result;
}

int DescribePlugin(AAX_VCollection* collection) {
    if (!collection) return AAX_ERROR_NULL_OBJECT;
    const AaxPluginDescription& plugin = AaxPluginClass();
    std::unique_ptr<AAX_VEffectDescriptor> descriptor = collection->NewDescriptor();
    if (!descriptor) return AAX_ERROR_NULL_OBJECT;
    int result = 0;
    forEachName(plugin.effectNames, [&](const std::string& name) {
        result |= descriptor->AddName(name.c_str());
        collection->AddPackageName(name.c_str());
    });
    result |= descriptor->AddCategory(AAX_ePlugInCategory_Delay);

    int i = 0;
    const char* token = plugin.channelText;
    while (token && *token) {
        int first = 0;
        int second = 0;
        if (std::sscanf(token, "%d-%d", &first, &second) == 2 && i < AaxPluginDescription::kMaxConfigurations) {
            const int inputs = first < 1 ? 1 : first;
            std::printf("***** inputs %d *****\n", inputs);
            ComponentLayout layout;
            layout.inputStemFormat = StemFormatFor(inputs);
            layout.outputStemFormat = StemFormatFor(second);
            layout.manufacturerId = plugin.manufacturerId;
            layout.productId = plugin.productId;
            layout.pluginId = plugin.nativeIds[i];
            layout.secondPluginId = plugin.offlineIds[i];
            layout.canBypass = true;
            layout.inputMidiOn = true;
            layout.inputMidiName = "FenwoxQuil Midi";
            layout.inputMidiMask = 1;
            layout.transportOn = true;
            layout.latencyContribution = 0;
            result |= AddAlgorithmComponent(descriptor.get(), layout);
            ++i;
        }
        token = std::strchr(token, ' ');
        if (token) ++token;
    }

    result |= descriptor->AddProcPtr(reinterpret_cast<void*>(&CreateEffectParameters),
                                     kAAX_ProcPtrID_Create_EffectParameters);
    result |= descriptor->AddProcPtr(reinterpret_cast<void*>(&CreateEffectGUI), kAAX_ProcPtrID_Create_EffectGUI);
    if (result == 0) result = collection->AddEffect(plugin.effectId, *descriptor);
    forEachName(plugin.manufacturerNames,
                [&](const std::string& name) { collection->SetManufacturerName(name.c_str()); });
    collection->SetPackageVersion(plugin.packageVersion);
    std::fflush(stdout);
    return result;
}

IACFUnknown* CreateEffectParameters() {
    std::lock_guard<std::mutex> hold(instanceLock());
    try {
        return CreateAaxPlugin()->HostInterface();
    } catch (...) {
        return nullptr;
    }
}

IACFUnknown* CreateEffectGUI() {
    AAX_CEffectGUI_IEffect* gui = new (std::nothrow) AAX_CEffectGUI_IEffect;
    return gui ? static_cast<AAX_IACFEffectGUI_V2*>(gui) : nullptr;
}
