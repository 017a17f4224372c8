// The VST2 adapter in process, on a small recording plug-in: the record's flags before and after an
// editor is attached, the setup opcodes' calls into the plug-in, host identification, time
// information, and every host call made only once the instance lock is free.
#include "adapters/vst2/IEffectVST.h"
#include "adapters/vst2/Vst2EditorWindow.h"
#include "editor/offscreen/IGraphicsOffscreen.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstring>
#include <memory>
#include <string>
#include <thread>
#include <vector>

using namespace vst2;

namespace {

class RecordingVst2Effect : public IEffectVST {
public:
    explicit RecordingVst2Effect(HostCallback host)
        : IEffectVST(host, 2, "1-1 2-2", 2, "Recorder", "Recorder Pro", "Fenwox", 0x10203, 0x52656364, 0x466E7778, 5,
                     true, false, false) {
        Param(0)->DefineRange("Gain", 0.0, 0.0, 10.0, 1.0, "dB");
        Param(1)->DefineToggle("Switch", false);
    }

    void ResetDsp() override { calls.push_back("reset"); }
    // A plug-in reacting to activation with everything that talks to the host, under the lock.
    void ActivationChanged(bool active) override {
        calls.push_back(active ? "on" : "off");
        if (!active) return;
        // As an editor does while the host idles it: a gesture, the change through the lock-taking path.
        BeginInformHostOfParamChange(0);
        SetParameterFromGUI(0, 0.25);
        EndInformHostOfParamChange(0);
        NotifyProgramChange();
        ChangeLatency(64);
        ResizeEditor(300, 200);
        const IMidiMessage note{3, 0x90, 64, 90};
        SendMidiMessage(&note);
    }
    void ProcessBlock(double**, double** outputs, int nFrames) override {
        tempo = HostTempo();
        position = HostSamplePosition();
        HostTimeSignature(&numerator, &denominator);
        transport = ITransportInfo{};
        HostTransport(&transport);
        for (int c = 0; c < 2; ++c)
            if (outputs[c]) std::fill(outputs[c], outputs[c] + nFrames, 0.5);
    }

    std::vector<std::string> calls;
    double tempo = -1.0;
    int position = -1, numerator = -1, denominator = -1;
    ITransportInfo transport;
};

// A host that answers time and name queries and notes every call, with whether the plug-in's
// instance lock was free at that moment (another thread could take it).
struct Host {
    static VstIntPtr QUIL_VST2_CALL callback(AEffect* effect, VstInt32 opcode, VstInt32 index, VstIntPtr value,
                                              void* ptr, float opt) {
        return current->answer(effect, opcode, index, value, ptr, opt);
    }

    VstIntPtr answer(AEffect* effect, VstInt32 opcode, VstInt32 index, VstIntPtr value, void* ptr, float opt) {
        if (effect && effect->object) {
            auto* plugin = static_cast<IEffectVST*>(effect->object);
            calls.push_back({opcode, index, value, opt, lockFree(plugin)});
        }
        switch (opcode) {
            case audioMasterGetTime:
                return timeAvailable ? reinterpret_cast<VstIntPtr>(&time) : 0;
            case audioMasterGetProductString:
                std::strcpy(static_cast<char*>(ptr), product);
                return 1;
            case audioMasterGetVendorVersion:
                return vendorVersion;
            case audioMasterProcessEvents:
                events.push_back(*reinterpret_cast<VstMidiEvent*>(static_cast<VstEvents*>(ptr)->events[0]));
                return 1;
            default:
                return 0;
        }
    }

    bool lockFree(IEffectVST* plugin) {
        auto taken = std::make_shared<std::atomic<bool>>(false);
        probes.emplace_back([plugin, taken] {
            plugin->Mutex().Enter();
            *taken = true;
            plugin->Mutex().Leave();
        });
        for (int i = 0; i < 200 && !*taken; ++i) std::this_thread::sleep_for(std::chrono::milliseconds(1));
        return *taken;
    }

    // Waits for probes still blocked on a lock that was held.
    void joinProbes() {
        for (auto& probe : probes) probe.join();
        probes.clear();
    }

    std::vector<VstInt32> opcodes() const {
        std::vector<VstInt32> list;
        for (const auto& c : calls) list.push_back(c.opcode);
        return list;
    }

    struct Call {
        VstInt32 opcode, index;
        VstIntPtr value;
        float opt;
        bool lockFree;
    };
    static Host* current;
    std::vector<Call> calls;
    std::vector<VstMidiEvent> events;
    std::vector<std::thread> probes;
    VstTimeInfo time{};
    bool timeAvailable = true;
    const char* product = "Ardour";
    VstIntPtr vendorVersion = 70305;
};
Host* Host::current = nullptr;

class Vst2Adapter : public ::testing::Test {
protected:
    void SetUp() override {
        Host::current = &host;
        plugin = new RecordingVst2Effect(Host::callback);
        plugin->FinishCreation();
        effect = plugin->Effect();
    }
    void TearDown() override {
        host.joinProbes();
        dispatch(effClose);
    }
    VstIntPtr dispatch(VstInt32 opcode, VstInt32 index = 0, VstIntPtr value = 0, void* ptr = nullptr, float opt = 0) {
        return effect->dispatcher(effect, opcode, index, value, ptr, opt);
    }

    Host host;
    RecordingVst2Effect* plugin = nullptr;
    AEffect* effect = nullptr;
};

} // namespace

TEST_F(Vst2Adapter, FlagsBeforeAndAfterTheEditor) {
    EXPECT_EQ(effect->flags, 0x1018);
    EXPECT_EQ(effect->initialDelay, 5);
    EXPECT_EQ(effect->numPrograms, 2);
    EXPECT_EQ(effect->version, 10203);
    plugin->AttachEditor(new IGraphicsOffscreen(plugin, 410, 460, 0));
    EXPECT_EQ(effect->flags, QUIL_VST2_EDITOR_WINDOW ? 0x1019 : 0x1018);
    ERect* rect = nullptr;
    EXPECT_EQ(dispatch(effEditGetRect, 0, 0, &rect), QUIL_VST2_EDITOR_WINDOW ? 1 : 0);
    if (rect) {
        EXPECT_EQ(std::vector<int>({rect->top, rect->left, rect->bottom, rect->right}),
                  std::vector<int>({0, 0, 460, 410}));
    }
}

TEST_F(Vst2Adapter, SetupOpcodesReachThePlugin) {
    dispatch(effSetSampleRate, 0, 0, nullptr, 48000.0f);
    EXPECT_EQ(plugin->SampleRate(), 48000.0);
    dispatch(effSetBlockSize, 0, 256);
    EXPECT_EQ(plugin->BlockSize(), 256);
    dispatch(effSetBlockSize, 0, 0);
    EXPECT_EQ(plugin->BlockSize(), 256);
    plugin->calls.clear();
    dispatch(effMainsChanged, 0, 1);
    dispatch(effMainsChanged, 0, 0);
    EXPECT_EQ(plugin->calls, (std::vector<std::string>{"on", "off", "reset"}));
}

TEST_F(Vst2Adapter, OpenIdentifiesTheHostOnce) {
    dispatch(effOpen);
    dispatch(effOpen);
    EXPECT_EQ(plugin->Host(), HostArdour);
    EXPECT_EQ(plugin->HostVersion(), (7 << 16) | (3 << 8) | 5);
    const auto opcodes = host.opcodes();
    EXPECT_EQ(std::count(opcodes.begin(), opcodes.end(), audioMasterGetProductString), 1);
    for (const auto& call : host.calls) EXPECT_TRUE(call.lockFree) << "opcode " << call.opcode;
}

TEST_F(Vst2Adapter, UnnamedHostIsAskedOnce) {
    host.product = "";
    dispatch(effOpen);
    EXPECT_EQ(plugin->Host(), HostUnknown);
    EXPECT_EQ(plugin->IdentifyHost(), HostUnknown);
    const auto opcodes = host.opcodes();
    EXPECT_EQ(std::count(opcodes.begin(), opcodes.end(), audioMasterGetProductString), 1);
    EXPECT_EQ(std::count(opcodes.begin(), opcodes.end(), audioMasterGetVendorVersion), 0);
}

// Everything the plug-in tells the host under the lock arrives, in order, once the lock is free.
TEST_F(Vst2Adapter, HostCallsWaitForTheLock) {
    plugin->AttachEditor(new IGraphicsOffscreen(plugin, 410, 460, 0));
    host.calls.clear();
    dispatch(effMainsChanged, 0, 1);
    // Events first, then the notices in the order they were made.
    EXPECT_EQ(host.opcodes(), (std::vector<VstInt32>{audioMasterProcessEvents, audioMasterBeginEdit, audioMasterAutomate,
                                                      audioMasterEndEdit, audioMasterUpdateDisplay, audioMasterIOChanged,
                                                      audioMasterSizeWindow}));
    for (const auto& call : host.calls) EXPECT_TRUE(call.lockFree) << "opcode " << call.opcode;
    ASSERT_EQ(host.calls.size(), 7u);
    EXPECT_EQ(host.calls[2].index, 0);
    EXPECT_EQ(host.calls[2].opt, 0.25f);
    EXPECT_EQ(host.calls[6].index, 300);
    EXPECT_EQ(host.calls[6].value, 200);
    EXPECT_EQ(effect->initialDelay, 64);
    ASSERT_EQ(host.events.size(), 1u);
    EXPECT_EQ(host.events[0].byteSize, 32);
    EXPECT_EQ(host.events[0].deltaFrames, 3);
    EXPECT_EQ(static_cast<unsigned char>(host.events[0].midiData[0]), 0x90);
    EXPECT_EQ(host.events[0].midiData[1], 64);

    // An editor gesture: the change goes out at once, the gesture's end with the next idle call.
    host.calls.clear();
    plugin->BeginInformHostOfParamChange(1);
    plugin->SetParameterFromGUI(1, 1.0);
    plugin->EndInformHostOfParamChange(1);
    EXPECT_EQ(host.opcodes(), (std::vector<VstInt32>{audioMasterBeginEdit, audioMasterAutomate}));
    dispatch(effEditIdle);
    EXPECT_EQ(host.opcodes(),
              (std::vector<VstInt32>{audioMasterBeginEdit, audioMasterAutomate, audioMasterEndEdit}));
    for (const auto& call : host.calls) EXPECT_TRUE(call.lockFree) << "opcode " << call.opcode;

    // Notices are the editor thread's business: a processing call leaves them for the next idle.
    plugin->BeginInformHostOfParamChange(0);
    host.calls.clear();
    float samples[4] = {};
    float* channels[2] = {samples, samples};
    effect->processReplacing(effect, channels, channels, 4);
    EXPECT_EQ(host.opcodes(), (std::vector<VstInt32>{audioMasterWantMidi, audioMasterGetTime}));
    dispatch(effIdle);
    EXPECT_EQ(host.opcodes().back(), audioMasterBeginEdit);
}

TEST_F(Vst2Adapter, TimeInformationForProcessing) {
    host.time.samplePos = 1000.4;
    host.time.tempo = 133.0;
    host.time.ppqPos = 8.5;
    host.time.timeSigNumerator = 7;
    host.time.timeSigDenominator = 8;
    host.time.flags = kVstTransportPlaying | kVstTempoValid | kVstPpqPosValid | kVstTimeSigValid;
    float left[8], right[8];
    float* channels[2] = {left, right};
    host.calls.clear();
    effect->processReplacing(effect, channels, channels, 8);
    EXPECT_EQ(plugin->tempo, 133.0);
    EXPECT_EQ(plugin->position, 1000);
    EXPECT_EQ(plugin->numerator, 7);
    EXPECT_EQ(plugin->denominator, 8);
    EXPECT_EQ(plugin->transport.ppqPos, 8.5);
    EXPECT_TRUE(plugin->transport.playing);
    EXPECT_EQ(left[7], 0.5f);
    // The plug-in does MIDI: hosts hear that it wants it before every processing call.
    EXPECT_EQ(host.opcodes(), (std::vector<VstInt32>{audioMasterWantMidi, audioMasterGetTime}));
    for (const auto& call : host.calls) EXPECT_TRUE(call.lockFree) << "opcode " << call.opcode;

    host.time.flags = kVstTransportPlaying;
    host.time.timeSigNumerator = -2;
    effect->processReplacing(effect, channels, channels, 8);
    EXPECT_EQ(plugin->tempo, 0.0);
    EXPECT_EQ(plugin->numerator, 0);
    host.timeAvailable = false;
    effect->processReplacing(effect, channels, channels, 8);
    EXPECT_EQ(plugin->tempo, 0.0);
    EXPECT_EQ(plugin->position, 0);
}
