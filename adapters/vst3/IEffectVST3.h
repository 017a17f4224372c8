#pragma once
// The VST3 host adapter. The plug-in class derives from it, so one object is the plug-in, the
// VST3 audio processor and its edit controller at once. It turns host calls into IEffectBase
// operations: buses from the channel configuration, parameters as VST3 parameter objects,
// parameter changes and MIDI at the start of each block, and the state stream.

#include "adapters/vst3/api/EditController.h"
#include "adapters/vst3/api/UnitInfo.h"
#include "adapters/vst3/base/SingleComponentEffect.h"
#include "core/IEffectBase.h"

#include <string>
#include <vector>

class IEffectVST3View;

class IEffectVST3 : public IEffectBase,
                    public vst3::IUnitInfo,
                    public vst3::SingleComponentEffect,
                    public vst3::IMidiMapping {
public:
    // Identifiers of the two parameters the adapter adds: the characters "prst" and "bpas".
    static constexpr vst3::ParamID kPresetParamId = 0x70727374;
    static constexpr vst3::ParamID kBypassParamId = 0x62706173;
    static constexpr vst3::ProgramListID kPresetListId = 0x70727374;
    static constexpr int kFormatCode = 1;

    IEffectVST3(void* instanceInfo, int nParams, const char* channelIOText, int nPresets, const char* effectName,
                const char* productName, const char* makerName, int version, int uniqueId, int makerId, int latency,
                bool doesMidi, bool doesChunks, bool isInstrument, int sideChainChannels = 0);
    ~IEffectVST3() override;

    // The speaker arrangement the adapter uses for a bus of `channels` channels.
    static vst3::SpeakerArrangement ArrangementFor(int channels);

    // IUnitInfo
    vst3::int32 PLUGIN_API getUnitCount() override;
    vst3::tresult PLUGIN_API getUnitInfo(vst3::int32 unitIndex, vst3::UnitInfo& info) override;
    vst3::int32 PLUGIN_API getProgramListCount() override;
    vst3::tresult PLUGIN_API getProgramListInfo(vst3::int32 listIndex, vst3::ProgramListInfo& info) override;
    vst3::tresult PLUGIN_API getProgramName(vst3::ProgramListID listId, vst3::int32 programIndex,
                                            vst3::String128 name) override;
    vst3::tresult PLUGIN_API getProgramInfo(vst3::ProgramListID listId, vst3::int32 programIndex,
                                            vst3::CString attributeId, vst3::String128 attributeValue) override;
    vst3::tresult PLUGIN_API hasProgramPitchNames(vst3::ProgramListID listId, vst3::int32 programIndex) override;
    vst3::tresult PLUGIN_API getProgramPitchName(vst3::ProgramListID listId, vst3::int32 programIndex,
                                                 vst3::int16 midiPitch, vst3::String128 name) override;
    vst3::UnitID PLUGIN_API getSelectedUnit() override;
    vst3::tresult PLUGIN_API selectUnit(vst3::UnitID unitId) override;
    vst3::tresult PLUGIN_API getUnitByBus(vst3::MediaType type, vst3::BusDirection dir, vst3::int32 busIndex,
                                          vst3::int32 channel, vst3::UnitID& unitId) override;
    vst3::tresult PLUGIN_API setUnitProgramData(vst3::int32 listOrUnitId, vst3::int32 programIndex,
                                                vst3::IBStream* data) override;

    // IPluginBase
    vst3::tresult PLUGIN_API initialize(vst3::FUnknown* context) override;
    vst3::tresult PLUGIN_API terminate() override;

    // IComponent
    vst3::tresult PLUGIN_API setActive(vst3::TBool state) override;
    // The state stream: the plug-in's state chunk, then the bypass flag as a 32-bit integer.
    // Component and controller share it: the one object has one state.
    vst3::tresult PLUGIN_API setState(vst3::IBStream* state) override;
    vst3::tresult PLUGIN_API getState(vst3::IBStream* state) override;

    // IAudioProcessor
    vst3::tresult PLUGIN_API setBusArrangements(vst3::SpeakerArrangement* inputs, vst3::int32 numIns,
                                                vst3::SpeakerArrangement* outputs, vst3::int32 numOuts) override;
    vst3::tresult PLUGIN_API canProcessSampleSize(vst3::int32 symbolicSampleSize) override;
    vst3::uint32 PLUGIN_API getLatencySamples() override;
    vst3::tresult PLUGIN_API setupProcessing(vst3::ProcessSetup& setup) override;
    vst3::tresult PLUGIN_API process(vst3::ProcessData& data) override;
    vst3::uint32 PLUGIN_API getTailSamples() override;

    // IEditController
    vst3::tresult PLUGIN_API getParamStringByValue(vst3::ParamID id, vst3::ParamValue valueNormalized,
                                                   vst3::String128 string) override;
    vst3::ParamValue PLUGIN_API plainParamToNormalized(vst3::ParamID id, vst3::ParamValue plainValue) override;
    vst3::ParamValue PLUGIN_API getParamNormalized(vst3::ParamID id) override;
    vst3::tresult PLUGIN_API setParamNormalized(vst3::ParamID id, vst3::ParamValue value) override;
    // A new editor view for the name "editor" (the caller gets its one reference); null otherwise.
    vst3::IPlugView* PLUGIN_API createView(vst3::FIDString name) override;

    // IMidiMapping
    vst3::tresult PLUGIN_API getMidiControllerAssignment(vst3::int32 busIndex, vst3::int16 channel,
                                                         vst3::CtrlNumber midiControllerNumber,
                                                         vst3::ParamID& id) override;

    vst3::tresult PLUGIN_API queryInterface(const vst3::TUID iidBytes, void** obj) override;
    QUIL_VST3_REFCOUNT_FROM(vst3::SingleComponentEffect)
    QUIL_VST3_CLASS_NAME(IEffectVST3, vst3::SingleComponentEffect)

    // IEffectBase operations a host adapter provides.
    void BeginInformHostOfParamChange(int paramIdx) override;
    void InformHostOfParamChange(int paramIdx, double normalized) override;
    void EndInformHostOfParamChange(int paramIdx) override;
    void NotifyProgramChange() override {}
    bool HostIsOffline() override;
    int HostSamplePosition() override;
    double HostTempo() override;
    void HostTimeSignature(int* numerator, int* denominator) override;
    void HostTransport(ITransportInfo* info) override;
    void ResizeEditor(int width, int height) override;
    void ShowHostParamMenu(int paramIdx, int x, int y) override;
    void ChangeLatency(int samples) override;
    bool SendMidiMessage(const IMidiMessage*) override { return false; }
    bool SendSysExMessage(const ISysExMessage*) override { return false; }

    // A view being destroyed leaves the list of open views.
    void RemoveView(IEffectVST3View* view);

private:
    void AddPluginParameters();
    vst3::UnitID UnitForGroup(const char* group);
    void ApplyParameterChanges(vst3::IParameterChanges* changes);
    void ApplyEvents(vst3::IEventList* events);
    void ConnectHostBuses(const vst3::ProcessData& data);
    void ConnectHostInputs(const vst3::ProcessData& data);
    template <class Sample>
    void ProcessAudio(vst3::ProcessData& data);
    template <class Sample>
    void SilenceOutputs(vst3::ProcessData& data);

    // Set by a successful initialize, cleared by terminate.
    bool mInitialized = false;
    vst3::int32 mSideChainChannels;
    bool mSideChainActive = false;
    vst3::ProcessContext mLastContext{};
    std::vector<std::string> mUnitNames;
    // The views createView made and not yet destroyed, oldest first; the views own themselves.
    std::vector<IEffectVST3View*> mViews;
};
