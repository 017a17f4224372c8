#include "tools/aaxhost/AaxInstance.h"

#include <cstring>

using namespace aax;

namespace aaxhost {

namespace {

using CreateProc = IACFUnknown* (*)();

constexpr double kTicksPerQuarter = 960000.0;

} // namespace

AaxInstance::AaxInstance(const ComponentRecord& component, float sampleRate)
    : mComponent(&component),
      mInputStem(static_cast<uint32_t>(component.property(AAX_eProperty_InputStemFormat, 0))),
      mOutputStem(static_cast<uint32_t>(component.property(AAX_eProperty_OutputStemFormat, 0))),
      mSampleRate(sampleRate), mController(mAutomation, sampleRate, mInputStem, mOutputStem),
      mGuiController(mAutomation, sampleRate, mInputStem, mOutputStem), mTransportNode(&mTransport) {}

std::unique_ptr<AaxInstance> AaxInstance::create(AaxModule& module, int componentIndex, float sampleRate,
                                                 std::string& error) {
    const EffectRecord* effect = module.effect();
    if (!effect || componentIndex < 0 || componentIndex >= static_cast<int>(effect->components.size())) {
        error = "the module describes no such component";
        return nullptr;
    }
    std::unique_ptr<AaxInstance> instance(
        new AaxInstance(effect->components[static_cast<std::size_t>(componentIndex)], sampleRate));
    if (!instance->start(*effect, error)) return nullptr;
    return instance;
}

bool AaxInstance::start(const EffectRecord& effect, std::string& error) {
    const auto model = effect.procs.find(kAAX_ProcPtrID_Create_EffectParameters);
    const auto gui = effect.procs.find(kAAX_ProcPtrID_Create_EffectGUI);
    if (model == effect.procs.end() || !mComponent->processProc) {
        error = "the effect registered no data model or processing procedure";
        return false;
    }
    if (gui != effect.procs.end()) mCreateGui = gui->second;
    IACFUnknown* created = reinterpret_cast<CreateProc>(model->second)();
    void* parameters = nullptr;
    if (!created || created->QueryInterface(IID_IAAXEffectParametersV4, &parameters) != ACF_OK) {
        error = "the data model cannot be created";
        return false;
    }
    mDataModel = static_cast<AAX_IACFEffectParameters_V4*>(parameters);
    const int32_t initialized = mDataModel->Initialize(&mController);
    if (initialized != AAX_SUCCESS) {
        error = "Initialize failed with " + std::to_string(initialized);
        return false;
    }
    // Private blocks live as long as the instance and are initialised by the data model.
    mContext.assign(static_cast<std::size_t>(mComponent->contextSize()), nullptr);
    for (const FieldRecord& field : mComponent->fields) {
        if (field.kind != FieldRecord::PrivateData) continue;
        mPrivateBlocks.emplace_back(field.field, std::vector<uint64_t>((static_cast<std::size_t>(field.size) + 7) / 8));
        std::vector<uint64_t>& block = mPrivateBlocks.back().second;
        mDataModel->ResetFieldData(field.field, block.data(), static_cast<uint32_t>(field.size));
    }
    return true;
}

AaxInstance::~AaxInstance() { teardown(); }

void AaxInstance::teardown() {
    if (mGui) {
        hideEditor();
        mGui->Uninitialize();
        mGui->Release();
        mGui = nullptr;
    }
    if (mDataModel) {
        mDataModel->Uninitialize();
        mDataModel->Release();
        mDataModel = nullptr;
    }
}

int32_t AaxInstance::outstandingReferences() const {
    int32_t total = mAutomation.references() + mController.references() + mGuiController.references();
    if (mView) total += mView->references();
    return total;
}

std::vector<std::string> AaxInstance::parameterIds() const {
    std::vector<std::string> ids;
    int32_t count = 0;
    mDataModel->GetNumberOfParameters(&count);
    for (int32_t i = 0; i < count; ++i) {
        HostString id;
        if (mDataModel->GetParameterIDFromIndex(i, &id) == AAX_SUCCESS) ids.push_back(id.str());
    }
    return ids;
}

std::string AaxInstance::parameterName(const std::string& id) const {
    HostString name;
    mDataModel->GetParameterName(id.c_str(), &name);
    return name.str();
}

std::string AaxInstance::masterBypassId() const {
    HostString id;
    mDataModel->GetMasterBypassParameter(&id);
    return id.str();
}

std::string AaxInstance::valueText(const std::string& id, double normalized, int32_t maxChars) const {
    HostString text;
    if (mDataModel->GetParameterStringFromValue(id.c_str(), normalized, &text, maxChars) != AAX_SUCCESS) return "";
    return text.str();
}

double AaxInstance::normalizedValue(const std::string& id) const {
    double value = -1.0;
    mDataModel->GetParameterNormalizedValue(id.c_str(), &value);
    return value;
}

int32_t AaxInstance::updateValue(const std::string& id, double normalized) {
    const int32_t result = mDataModel->UpdateParameterNormalizedValue(id.c_str(), normalized, 0);
    mDataModel->GenerateCoefficients();
    return result;
}

void AaxInstance::deliverRequests() {
    // Answering one request may lead to more; each round answers what came before it.
    for (auto pending = mAutomation.takePendingValues(); !pending.empty(); pending = mAutomation.takePendingValues()) {
        for (const auto& request : pending) updateValue(request.first, request.second);
    }
}

int32_t AaxInstance::saveChunk(std::vector<uint8_t>& record) {
    uint32_t id = 0;
    int32_t result = mDataModel->GetChunkIDFromIndex(0, &id);
    if (result != AAX_SUCCESS) return result;
    uint32_t size = 0;
    result = mDataModel->GetChunkSize(id, &size);
    if (result != AAX_SUCCESS) return result;
    record.assign(kChunkDataOffset + size, 0);
    auto* chunk = reinterpret_cast<AAX_SPlugInChunk*>(record.data());
    chunk->fChunkID = id;
    result = mDataModel->GetChunk(id, chunk);
    // The host keeps only the data the plug-in reported.
    if (result == AAX_SUCCESS && chunk->fSize >= 0 && static_cast<uint32_t>(chunk->fSize) <= size)
        record.resize(kChunkDataOffset + static_cast<std::size_t>(chunk->fSize));
    return result;
}

int32_t AaxInstance::restoreChunk(const std::vector<uint8_t>& record) {
    if (record.size() < kChunkDataOffset) return AAX_ERROR_INVALID_ARGUMENT;
    std::vector<uint8_t> copy(record);
    auto* chunk = reinterpret_cast<AAX_SPlugInChunk*>(copy.data());
    const int32_t result = mDataModel->SetChunk(chunk->fChunkID, chunk);
    deliverRequests();
    return result;
}

int32_t AaxInstance::compareChunk(const std::vector<uint8_t>& record, bool* equal) {
    if (record.size() < kChunkDataOffset) return AAX_ERROR_INVALID_ARGUMENT;
    uint8_t answer = 0xFF;
    const int32_t result =
        mDataModel->CompareActiveChunk(reinterpret_cast<const AAX_SPlugInChunk*>(record.data()), &answer);
    *equal = answer != 0;
    return result;
}

void* AaxInstance::fieldValue(const FieldRecord& field, const float* const* inputs, float* const* outputs) {
    switch (field.kind) {
    case FieldRecord::AudioIn: return const_cast<float**>(inputs);
    case FieldRecord::AudioOut: return const_cast<float**>(outputs);
    case FieldRecord::BufferLength: return &mFrames;
    case FieldRecord::Meters: return mMeters.data();
    case FieldRecord::MidiNode:
        if (field.nodeType == AAX_eMIDINodeType_Transport) return static_cast<AAX_IMIDINode*>(&mTransportNode);
        if (field.nodeType == AAX_eMIDINodeType_Global) return static_cast<AAX_IMIDINode*>(&mGlobalMidi);
        return static_cast<AAX_IMIDINode*>(&mInputMidi);
    case FieldRecord::PrivateData:
        for (auto& block : mPrivateBlocks) {
            if (block.first == field.field) return block.second.data();
        }
        return nullptr;
    case FieldRecord::Other: return nullptr;
    }
    return nullptr;
}

void AaxInstance::render(const float* const* inputs, float* const* outputs, int frames) {
    deliverRequests();
    mMeters.assign(16, 0.0f);
    mFrames = frames;
    for (const FieldRecord& field : mComponent->fields)
        mContext[static_cast<std::size_t>(field.field)] = fieldValue(field, inputs, outputs);
    void* contexts[1] = {mContext.data()};
    mComponent->processProc(contexts, contexts + 1);
    mTransport.sampleLocation += frames;
    mTransport.ticks = static_cast<int64_t>(static_cast<double>(mTransport.sampleLocation) / mSampleRate *
                                            mTransport.tempo / 60.0 * kTicksPerQuarter);
}

bool AaxInstance::createEditor(std::string& error) {
    if (!mGui) {
        if (!mCreateGui) {
            error = "the effect registered no editor object";
            return false;
        }
        IACFUnknown* created = reinterpret_cast<CreateProc>(mCreateGui)();
        void* gui = nullptr;
        if (!created || created->QueryInterface(IID_IAAXEffectGUIV2, &gui) != ACF_OK) {
            error = "the editor object cannot be created";
            return false;
        }
        mGui = static_cast<AAX_IACFEffectGUI_V2*>(gui);
        mGuiController.setDataModel(mDataModel);
        if (mGui->Initialize(&mGuiController) != AAX_SUCCESS) {
            error = "the editor object refuses to start";
            return false;
        }
    }
    return true;
}

bool AaxInstance::showEditor(void* window, std::string& error) {
    if (!createEditor(error)) return false;
    hideEditor();
    mView = std::make_unique<HostViewContainer>(window);
    mGui->SetViewContainer(mView.get());
    return true;
}

void AaxInstance::hideEditor() {
    if (!mGui || !mView) return;
    mGui->SetViewContainer(nullptr);
}

} // namespace aaxhost
