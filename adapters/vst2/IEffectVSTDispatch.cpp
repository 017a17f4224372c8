// The VST2 dispatcher: every opcode the adapter answers. Texts go into host buffers bounded by the
// sizes the interface gives each opcode, indices from the host are checked before any array is
// touched, and opcodes that need a pointer do nothing without one.
#include "adapters/vst2/IEffectVST.h"

#include "adapters/vst2/Vst2EditorWindow.h"
#include "core/BoundedText.h"
#include "core/ProgramChunks.h"
#include "editor/IEditorLoopClient.h"
#include "editor/IGraphics.h"

#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>

using namespace vst2;

namespace {

bool FitsInt(VstIntPtr value) {
    const auto wide = static_cast<long long>(value);
    return wide >= INT_MIN && wide <= INT_MAX;
}

// A host value as an int, or `fallback` when it does not fit.
int ToInt(VstIntPtr value, int fallback) { return FitsInt(value) ? static_cast<int>(value) : fallback; }

// The largest block size taken from a host; larger announcements keep the current size.
constexpr VstIntPtr kLargestBlock = 1 << 20;

}  // namespace

VstIntPtr IEffectVST::Dispatch(AEffect* effect, VstInt32 opcode, VstInt32 index, VstIntPtr value, void* ptr,
                               float opt) {
    IEffectVST* plugin = FromEffect(effect);
    if (!plugin) return 0;
    // The idle calls also deliver what the editor told the host (gestures, automation). A window host
    // without a thread or loop of its own is driven from here, on the host's user-interface thread,
    // without the instance lock: the editor takes it for each parameter change it makes.
    if (opcode == effEditIdle || opcode == effIdle) {
        if (opcode == effEditIdle) {
            if (auto* client = dynamic_cast<IEditorLoopClient*>(plugin->Editor())) client->Idle();
        }
        AdapterCall call(*plugin);
        return 0;
    }
    if (opcode == effClose) {
        plugin->Close();
        return 0;
    }
    // The host is asked for its name before the lock is taken.
    if (opcode == effOpen) plugin->IdentifyHost();
    AdapterCall call(*plugin);
    return plugin->Answer(opcode, index, value, ptr, opt);
}

void IEffectVST::Close() {
    {
        AdapterCall call(*this);
    }
    delete this;
}

VstIntPtr IEffectVST::Answer(VstInt32 opcode, VstInt32 index, VstIntPtr value, void* ptr, float opt) {
    char* text = static_cast<char*>(ptr);
    IEffectParam* param = Param(index);
    switch (opcode) {
        case effOpen:
            HostSpecificSetup();
            NotifyAllParams();
            return 0;
        case effSetProgram:
            if (!DoesChunks()) ModifyCurrentPreset(nullptr);
            RecallPreset(ToInt(value, -1));
            return 0;
        case effGetProgram:
            return CurrentPreset();
        case effSetProgramName:
            if (text) {
                char name[sizeof(IPresetSlot::presetName)];
                CopyBounded(name, text);
                ModifyCurrentPreset(name);
                PresetChanged();
            }
            return 0;
        case effGetProgramName:
            if (text) CopyBounded(text, kVstMaxProgNameLen, PresetName(CurrentPreset()));
            return 0;
        case effGetParamLabel:
            if (text && param) CopyBounded(text, kVstMaxParamStrLen, param->UnitText());
            return 0;
        case effGetParamDisplay:
            if (text && param) {
                char display[IEffectParam::kDisplaySize];
                param->FormatValue(param->Value(), false, display, true);
                CopyBounded(text, kVstMaxParamStrLen, display);
            }
            return 0;
        case effGetParamName:
            if (text && param) CopyBounded(text, kVstMaxParamStrLen, param->NameText());
            return 0;
        case effSetSampleRate:
            SetHostSampleRate(opt);
            ResetDsp();
            return 0;
        case effSetBlockSize:
            if (value >= 1 && value <= kLargestBlock) ChangeBlockSize(static_cast<int>(value));
            ResetDsp();
            return 0;
        case effMainsChanged:
            ActivationChanged(value != 0);
            if (value == 0) ResetDsp();
            return 0;
        case effEditGetRect:
        case effEditOpen:
        case effEditClose:
            return AnswerEditor(opcode, ptr);
        case effIdentify:
            return kIdentifyAnswer;
        case effGetChunk:
        case effSetChunk:
            return AnswerChunk(opcode, index, value, ptr);
        case effProcessEvents:
            return AnswerEvents(static_cast<const VstEvents*>(ptr));
        case effCanBeAutomated:
            return 1;
        case effString2Parameter:
            return StringToParameter(index, text);
        case effGetProgramNameIndexed:
            if (!text) return 0;
            CopyBounded(text, kVstMaxProgNameLen, PresetName(index));
            return text[0] != '\0' ? 1 : 0;
        case effGetInputProperties:
        case effGetOutputProperties:
            return PinProperties(index, static_cast<VstPinProperties*>(ptr), opcode == effGetInputProperties);
        case effGetPlugCategory:
            return IsInstrument() ? kPlugCategSynth : kPlugCategEffect;
        case effSetSpeakerArrangement:
            return SetSpeakerArrangement(reinterpret_cast<const VstSpeakerArrangement*>(value),
                                         static_cast<const VstSpeakerArrangement*>(ptr));
        case effGetEffectName:
            if (!text) return 0;
            CopyBounded(text, kVstMaxEffectNameLen, EffectName());
            return 1;
        case effGetVendorString:
            if (!text) return 0;
            CopyBounded(text, kVstMaxVendorStrLen, MakerName());
            return 1;
        case effGetProductString:
            if (!text) return 0;
            CopyBounded(text, kVstMaxProductStrLen, ProductName());
            return 1;
        case effGetVendorVersion:
            return VersionNumber(true);
        case effVendorSpecific:
            return VendorSpecific(index, value, ptr, opt);
        case effCanDo:
            return CanDo(text);
        case effGetTailSize:
            return TailSize();
        case effGetParameterProperties:
            return ParameterProperties(index, static_cast<VstParameterProperties*>(ptr));
        case effGetVstVersion:
            return kVstVersion;
        case effGetMidiKeyName: {
            auto* key = static_cast<MidiKeyName*>(ptr);
            if (!key) return 0;
            std::memset(key->keyName, 0, sizeof key->keyName);
            const bool named = NameMidiNote(key->thisKeyNumber, key->keyName);
            key->keyName[sizeof key->keyName - 1] = '\0';
            return named ? 1 : 0;
        }
        case effGetSpeakerArrangement:
            if (value) *reinterpret_cast<VstSpeakerArrangement**>(value) = &mInputArrangement;
            if (ptr) *static_cast<VstSpeakerArrangement**>(ptr) = &mOutputArrangement;
            return 1;
        default:
            return 0;
    }
}

VstIntPtr IEffectVST::AnswerEditor(VstInt32 opcode, void* ptr) {
    IGraphics* editor = QUIL_VST2_EDITOR_WINDOW ? Editor() : nullptr;
    if (!editor) return 0;
    switch (opcode) {
        case effEditGetRect:
            if (!ptr) return 0;
            *static_cast<ERect**>(ptr) = &mEditRect;
            return 1;
        case effEditOpen:
            if (!editor->OpenEditorWindow(ptr)) return 0;
            EditorOpened();
            return 1;
        case effEditClose:
            EditorClosing();
            editor->CloseEditorWindow();
            return 1;
        default:
            return 0;
    }
}

VstIntPtr IEffectVST::AnswerChunk(VstInt32 opcode, VstInt32 index, VstIntPtr value, void* ptr) {
    if (!ptr) return 0;
    const bool program = index != 0;
    IChunkBuffer& chunk = program ? mProgramChunk : mBankChunk;
    if (opcode == effGetChunk) {
        const bool written = program ? WriteProgramChunk(this, &chunk) : WriteBankChunk(this, &chunk);
        if (!written || chunk.Size() == 0) return 0;
        *static_cast<void**>(ptr) = chunk.Bytes();
        return chunk.Size();
    }
    if (value < 0 || !FitsInt(value)) return 0;
    const int count = static_cast<int>(value);
    const bool read = program ? ReadProgramChunk(this, &chunk, ptr, count) : ReadBankChunk(this, &chunk, ptr, count);
    return read ? 1 : 0;
}

VstIntPtr IEffectVST::AnswerEvents(const VstEvents* events) {
    if (!events) return 0;
    for (int i = 0; i < events->numEvents; ++i) {
        const VstEvent* event = events->events[i];
        if (!event) continue;
        if (event->type == kVstMidiType) {
            const auto* midi = reinterpret_cast<const VstMidiEvent*>(event);
            IMidiMessage message;
            message.offset = midi->deltaFrames;
            message.status = static_cast<std::uint8_t>(midi->midiData[0]);
            message.data1 = static_cast<std::uint8_t>(midi->midiData[1]);
            message.data2 = static_cast<std::uint8_t>(midi->midiData[2]);
            ProcessMidiMessage(&message);
        } else if (event->type == kVstSysExType) {
            const auto* sysex = reinterpret_cast<const VstMidiSysexEvent*>(event);
            ISysExMessage message;
            message.offset = sysex->deltaFrames;
            message.size = sysex->dumpBytes;
            message.data = reinterpret_cast<const std::uint8_t*>(sysex->sysexDump);
            ProcessSysExMessage(&message);
        }
    }
    return 1;
}

VstIntPtr IEffectVST::StringToParameter(int index, const char* text) {
    IEffectParam* param = Param(index);
    if (!param) return 0;
    if (!text) return 1;
    double value;
    if (param->ValueTextCount() > 0) {
        int chosen = 0;
        if (!param->ParseValueText(text, &chosen)) return 0;
        value = chosen;
    } else {
        value = std::atof(text);
        if (param->NegateDisplay()) value = -value;
    }
    if (Editor()) Editor()->ApplyParamToControls(index, value, false);
    param->SetValue(value);
    ParameterChanged(index, false);
    return 1;
}

VstIntPtr IEffectVST::PinProperties(int index, VstPinProperties* pin, bool input) {
    const int count = input ? InputCount() : OutputCount();
    if (!pin || index < 0 || index >= count) return 0;
    pin->flags = kVstPinIsActive;
    if (index % 2 == 0 && index < count - 1) pin->flags |= kVstPinIsStereo;
    const char* label = input ? InputLabel(index) : OutputLabel(index);
    if (label && label[0])
        std::snprintf(pin->label, sizeof pin->label, "%s", label);
    else
        std::snprintf(pin->label, sizeof pin->label, input ? "Input %d" : "Output %d", index + 1);
    return 1;
}

VstIntPtr IEffectVST::SetSpeakerArrangement(const VstSpeakerArrangement* inputs,
                                            const VstSpeakerArrangement* outputs) {
    if (inputs) {
        const int n = std::max(0, inputs->numChannels);
        ConnectInputs(0, n, true);
        ConnectInputs(n, InputCount(), false);
    }
    if (outputs) {
        const int n = std::max(0, outputs->numChannels);
        ConnectOutputs(0, n, true);
        ConnectOutputs(n, OutputCount(), false);
    }
    return 1;
}

VstIntPtr IEffectVST::VendorSpecific(VstInt32 index, VstIntPtr value, void* ptr, float opt) {
    constexpr VstIntPtr kAnswer = 0xBEEF;
    const IEffectParam* param = Param(ToInt(value, -1));
    if (index == 7 && ptr) {
        if (param) param->FormatValue(opt, true, static_cast<char*>(ptr), true);
        return kAnswer;
    }
    if (index == 8 && param) return param->Kind() != ParamKindDouble ? kAnswer : 0;
    return 0;
}

// Long names for hosts that ask: the name buffers of effGetParamName hold only seven characters.
VstIntPtr IEffectVST::ParameterProperties(int index, VstParameterProperties* properties) {
    const IEffectParam* param = Param(index);
    if (!param || !properties) return 0;
    CopyBounded(properties->label, param->NameText());
    CopyBounded(properties->shortLabel, param->NameText());
    return 1;
}

VstIntPtr IEffectVST::CanDo(const char* text) const {
    if (!text) return 0;
    if (std::strcmp(text, "receiveVstTimeInfo") == 0) return 1;
    if (!DoesMidi()) return 0;
    for (const char* midi : {"sendVstEvents", "sendVstMidiEvent", "receiveVstEvents", "receiveVstMidiEvent"}) {
        if (std::strcmp(text, midi) == 0) return 1;
    }
    return 0;
}
