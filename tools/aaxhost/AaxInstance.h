#pragma once
// One instance of the module's effect, in one of its processing components, driven as a host
// drives it: the data model created and initialised with a controller, its private context
// blocks initialised, parameters and chunks through the data-model interface, audio through the
// component's processing procedure with a context laid out from the description, the editor
// object created, shown in a view container and hidden again, and teardown.

#include "adapters/aax/support/AaxPluginInterfaces.h"
#include "tools/aaxhost/AaxModule.h"
#include "tools/aaxhost/HostRuntime.h"
#include "tools/aaxhost/HostString.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace aaxhost {

class AaxInstance {
public:
    // Null, with `error` set, when the effect has no such component or refuses to start.
    static std::unique_ptr<AaxInstance> create(AaxModule& module, int componentIndex, float sampleRate,
                                               std::string& error);
    // Tears down (when not done yet).
    ~AaxInstance();
    AaxInstance(const AaxInstance&) = delete;
    AaxInstance& operator=(const AaxInstance&) = delete;

    aax::AAX_IACFEffectParameters_V4* dataModel() const { return mDataModel; }
    const ComponentRecord& component() const { return *mComponent; }
    int inputChannels() const { return aax::stemChannelCount(mInputStem); }
    int outputChannels() const { return aax::stemChannelCount(mOutputStem); }

    // Parameters.
    std::vector<std::string> parameterIds() const;
    std::string parameterName(const std::string& id) const;
    std::string masterBypassId() const;
    // The display text of a normalised value; empty when the plug-in refuses.
    std::string valueText(const std::string& id, double normalized, int32_t maxChars = 0) const;
    double normalizedValue(const std::string& id) const;
    // The host's update of a value, as automation or a control surface sends it.
    int32_t updateValue(const std::string& id, double normalized);
    // Answers the set-value requests the plug-in made since the last call with value updates.
    void deliverRequests();
    HostAutomation& automation() { return mAutomation; }

    // Chunks: whole records (header and data), as a host stores them.
    int32_t saveChunk(std::vector<uint8_t>& record);
    int32_t restoreChunk(const std::vector<uint8_t>& record);
    int32_t compareChunk(const std::vector<uint8_t>& record, bool* equal);

    // One block through the processing procedure: `inputs` and `outputs` hold a buffer per channel
    // of the component's stems. Requests made before it are delivered first; the transport moves on.
    void render(const float* const* inputs, float* const* outputs, int frames);
    HostTransport& transport() { return mTransport; }
    HostMidiNode& inputMidi() { return mInputMidi; }

    // Editor: createEditor creates and initialises the editor object (once); showEditor does that
    // when needed, then shows it in a view container around `window`; hideEditor takes the
    // container away.
    bool createEditor(std::string& error);
    bool showEditor(void* window, std::string& error);
    void hideEditor();
    aax::AAX_IACFEffectGUI_V2* editorObject() const { return mGui; }
    HostViewContainer* viewContainer() const { return mView.get(); }

    // The host's side of deletion: editor hidden, uninitialised and released, then the data model.
    void teardown();
    // References the plug-in still holds on the host objects of this instance.
    int32_t outstandingReferences() const;

private:
    AaxInstance(const ComponentRecord& component, float sampleRate);
    bool start(const EffectRecord& effect, std::string& error);
    void* fieldValue(const FieldRecord& field, const float* const* inputs, float* const* outputs);

    const ComponentRecord* mComponent;
    uint32_t mInputStem;
    uint32_t mOutputStem;
    float mSampleRate;
    HostAutomation mAutomation;
    HostController mController;
    HostController mGuiController;
    HostTransport mTransport;
    HostMidiNode mInputMidi;
    HostMidiNode mGlobalMidi;
    HostMidiNode mTransportNode;
    std::unique_ptr<HostViewContainer> mView;
    aax::AAX_IACFEffectParameters_V4* mDataModel = nullptr;
    aax::AAX_IACFEffectGUI_V2* mGui = nullptr;
    void* mCreateGui = nullptr;
    // Private blocks by field, 8-byte aligned, kept for the instance's life.
    std::vector<std::pair<int32_t, std::vector<uint64_t>>> mPrivateBlocks;
    std::vector<void*> mContext;
    int32_t mFrames = 0;
    std::vector<float> mMeters;
};

} // namespace aaxhost
