// The FenwoxQuil AAX module through the test host: description, parameters, automation, chunks,
// the editor object, teardown and unload, and the host input it must survive.
#include "AaxPluginFixture.h"
#include "HostWindow.h"

#include "tools/aaxhost/HostString.h"

#include <cstring>
#include <map>

using namespace fenwoxquil_aax_test;
using namespace aax;
using aaxhost::AutomationCall;
using aaxhost::FieldRecord;
using aaxhost::HostString;

TEST_F(FenwoxQuilAax, DescribesOneDelayEffectWithTwoComponents) {
    EXPECT_EQ(module->sdkVersion(), 0x0000020901345D68ull);
    const aaxhost::CollectionRecord& collection = module->collection();
    ASSERT_EQ(collection.effects.size(), 1u);
    EXPECT_EQ(collection.effects[0].first, "com.fenwox.aax.FenwoxQuil");
    EXPECT_EQ(collection.packageNames, std::vector<std::string>{"FenwoxQuil"});
    EXPECT_EQ(collection.manufacturerNames, std::vector<std::string>{"Fenwox"});
    EXPECT_EQ(collection.packageVersion, 0x00010003u);

    const aaxhost::EffectRecord& effect = collection.effects[0].second;
    EXPECT_EQ(effect.names, std::vector<std::string>{"FenwoxQuil"});
    EXPECT_EQ(effect.categories, std::vector<uint32_t>{0x10});
    EXPECT_EQ(effect.procs.count(kAAX_ProcPtrID_Create_EffectParameters), 1u);
    EXPECT_EQ(effect.procs.count(kAAX_ProcPtrID_Create_EffectGUI), 1u);
    ASSERT_EQ(effect.components.size(), 2u);

    const struct {
        uint32_t stem;
        uint32_t nativeId;
        uint32_t offlineId;
    } expected[] = {{0x00000001, fourCharCode("EFN1"), fourCharCode("EFA1")},
                    {0x00010002, fourCharCode("EFN2"), fourCharCode("EFA2")}};
    for (int k = 0; k < 2; ++k) {
        const aaxhost::ComponentRecord& component = effect.components[static_cast<std::size_t>(k)];
        const std::map<int32_t, int32_t> properties{
            {11, static_cast<int32_t>(fourCharCode("FnWx"))}, {12, static_cast<int32_t>(kQuil)},
            {13, static_cast<int32_t>(expected[k].nativeId)}, {14, static_cast<int32_t>(expected[k].offlineId)},
            {51, static_cast<int32_t>(expected[k].stem)},     {52, static_cast<int32_t>(expected[k].stem)},
            {56, 0},                                          {60, 1}};
        EXPECT_EQ(component.properties, properties) << "component " << k;
        EXPECT_EQ(component.processProcCount, 1);
    }
}

// Field numbers, kinds and declaration order of the processing context.
TEST_F(FenwoxQuilAax, ContextFieldsAsTheProcessingProcedureReadsThem) {
    const struct {
        int32_t field;
        FieldRecord::Kind kind;
        int32_t size;
        int32_t nodeType;
        const char* name;
        uint32_t mask;
    } expected[] = {
        {6, FieldRecord::PrivateData, 4, -1, "", 0},
        {5, FieldRecord::MidiNode, 0, AAX_eMIDINodeType_LocalInput, "FenwoxQuil Midi", 1},
        {7, FieldRecord::MidiNode, 0, AAX_eMIDINodeType_Transport, "Transport", 0xFFFF},
        {0, FieldRecord::AudioIn, 0, -1, "", 0},
        {1, FieldRecord::AudioOut, 0, -1, "", 0},
        {3, FieldRecord::BufferLength, 0, -1, "", 0},
        {9, FieldRecord::PrivateData, 4, -1, "", 0},
        {8, FieldRecord::PrivateData, 8, -1, "", 0},
    };
    for (const aaxhost::ComponentRecord& component : module->effect()->components) {
        ASSERT_EQ(component.fields.size(), std::size(expected));
        EXPECT_EQ(component.contextSize(), 10);
        for (std::size_t i = 0; i < std::size(expected); ++i) {
            const FieldRecord& field = component.fields[i];
            EXPECT_EQ(field.field, expected[i].field) << i;
            EXPECT_EQ(field.kind, expected[i].kind) << i;
            EXPECT_EQ(field.size, expected[i].size) << i;
            EXPECT_EQ(field.nodeType, expected[i].nodeType) << i;
            EXPECT_EQ(field.name, expected[i].name) << i;
            EXPECT_EQ(field.mask, expected[i].mask) << i;
        }
    }
}

TEST_F(FenwoxQuilAax, DescriptionTellsItsInputsOnStandardOutput) {
    plugin.reset();
    module.reset();
    testing::internal::CaptureStdout();
    module = AaxModule::open(QUIL_FENWOXQUIL_AAX_BUNDLE, error);
    const std::string printed = testing::internal::GetCapturedStdout();
    ASSERT_TRUE(module) << error;
    EXPECT_EQ(printed, "***** inputs 1 *****\n***** inputs 2 *****\n");
}

TEST_F(FenwoxQuilAax, EveryParameterAsTheHostSeesIt) {
    EXPECT_EQ(plugin->masterBypassId(), "MasterBypassID");
    const std::vector<std::string> ids{"MasterBypassID", "1", "2", "3", "4", "5", "6", "7", "8", "9"};
    ASSERT_EQ(plugin->parameterIds(), ids);
    const struct {
        const char* id;
        const char* name;
        int32_t steps;
        int32_t type;
        double defaultValue;
        const char* atZero;
        const char* atHalf;
        const char* atOne;
    } expected[] = {
        {"MasterBypassID", "Master Bypass", 2, 0, 0.0, "bypass", "on", "on"},
        {"1", "Delay range", 4, 0, 0.0, "12.5ms - 50ms", "50ms - 200ms", "hold"},
        {"2", "Time", 128, 1, 0.0, "1.00%", "50.50%", "100.00%"},
        {"3", "Feedback", 128, 1, 0.0, "0.00%", "50.00%", "100.00%"},
        {"4", "Effect Level", 128, 1, 0.0, "0.00%", "50.00%", "100.00%"},
        {"5", "Stereo Mode", 2, 0, 0.0, "off", "off", "on"},
        {"6", "Analog Sat.", 2, 0, 1.0, "off", "off", "on"},
        {"7", "Analog Hiss", 2, 0, 1.0, "off", "off", "on"},
        {"8", "Sync 16th", 9, 0, 0.0, "off", "4", "8"},
        {"9", "Effect Active", 2, 0, 0.0, "off", "off", "on"},
    };
    AAX_IACFEffectParameters_V4* model = plugin->dataModel();
    for (const auto& p : expected) {
        SCOPED_TRACE(p.id);
        EXPECT_EQ(plugin->parameterName(p.id), p.name);
        int32_t steps = 0;
        int32_t type = -1;
        uint8_t automatable = 0;
        double defaultValue = -1.0;
        EXPECT_EQ(model->GetParameterNumberOfSteps(p.id, &steps), AAX_SUCCESS);
        EXPECT_EQ(model->GetParameterType(p.id, &type), AAX_SUCCESS);
        EXPECT_EQ(model->GetParameterIsAutomatable(p.id, &automatable), AAX_SUCCESS);
        EXPECT_EQ(model->GetParameterDefaultNormalizedValue(p.id, &defaultValue), AAX_SUCCESS);
        EXPECT_EQ(steps, p.steps);
        EXPECT_EQ(type, p.type);
        EXPECT_EQ(automatable, 1);
        EXPECT_DOUBLE_EQ(defaultValue, p.defaultValue);
        EXPECT_DOUBLE_EQ(plugin->normalizedValue(p.id), p.defaultValue);
        EXPECT_EQ(plugin->valueText(p.id, 0.0), p.atZero);
        EXPECT_EQ(plugin->valueText(p.id, 0.5), p.atHalf);
        EXPECT_EQ(plugin->valueText(p.id, 1.0), p.atOne);
    }
    // A narrow display drops the unit first, then the decimals.
    EXPECT_EQ(plugin->valueText("2", 1.0, 6), "100.00");
    EXPECT_EQ(plugin->valueText("2", 1.0, 4), "100%");
    EXPECT_EQ(plugin->valueText("2", 1.0, 3), "100");

    double normalized = -1.0;
    EXPECT_EQ(model->GetParameterValueFromString("2", &normalized, HostString("50")), AAX_SUCCESS);
    EXPECT_DOUBLE_EQ(normalized, 49.0 / 99.0);
    EXPECT_EQ(model->GetParameterValueFromString("1", &normalized, HostString("hold")), AAX_SUCCESS);
    EXPECT_EQ(normalized, 1.0);
    EXPECT_EQ(model->GetParameterValueFromString("1", &normalized, HostString("forever")),
              AAX_ERROR_INVALID_STRING_CONVERSION);
}

TEST_F(FenwoxQuilAax, EveryParameterIsRegisteredWithTheHostAndUnregisteredAtTeardown) {
    std::vector<AutomationCall> calls = plugin->automation().takeCalls();
    std::vector<std::string> registered;
    for (const AutomationCall& call : calls)
        if (call.kind == AutomationCall::Register) registered.push_back(call.id);
    EXPECT_EQ(registered, plugin->parameterIds());
    plugin->teardown();
    std::vector<std::string> unregistered;
    for (const AutomationCall& call : plugin->automation().takeCalls())
        if (call.kind == AutomationCall::Unregister) unregistered.push_back(call.id);
    EXPECT_EQ(unregistered, registered);
}

// A control surface asks for a value (touch, request, release); only the host's answer changes it.
TEST_F(FenwoxQuilAax, AutomationRoundTrip) {
    AAX_IACFEffectParameters_V4* model = plugin->dataModel();
    plugin->automation().takeCalls();
    ASSERT_EQ(model->SetParameterNormalizedValue("3", 0.5), AAX_SUCCESS);
    const std::vector<AutomationCall> calls = plugin->automation().takeCalls();
    ASSERT_EQ(calls.size(), 3u);
    EXPECT_EQ(calls[0].kind, AutomationCall::Touch);
    EXPECT_EQ(calls[1].kind, AutomationCall::SetValue);
    EXPECT_EQ(calls[1].value, 0.5);
    EXPECT_EQ(calls[2].kind, AutomationCall::Release);
    for (const AutomationCall& call : calls) EXPECT_EQ(call.id, "3");
    EXPECT_EQ(plugin->normalizedValue("3"), 0.0);

    int32_t changesBefore = 0;
    model->GetNumberOfChanges(&changesBefore);
    plugin->deliverRequests();
    EXPECT_EQ(plugin->normalizedValue("3"), 0.5);
    EXPECT_EQ(stateOf(*plugin)[2], 50.0);
    int32_t changesAfter = 0;
    model->GetNumberOfChanges(&changesAfter);
    EXPECT_EQ(changesAfter, changesBefore + 1);

    EXPECT_EQ(model->TouchParameter("9"), AAX_SUCCESS);
    EXPECT_EQ(model->ReleaseParameter("9"), AAX_SUCCESS);
    EXPECT_EQ(plugin->automation().takeCalls().size(), 2u);
}

// The bypass is the host's alone: the plug-in's state does not change with it.
TEST_F(FenwoxQuilAax, MasterBypassChangesOnlyItself) {
    const std::vector<double> before = stateOf(*plugin);
    EXPECT_EQ(plugin->updateValue("MasterBypassID", 1.0), AAX_SUCCESS);
    EXPECT_EQ(plugin->normalizedValue("MasterBypassID"), 1.0);
    EXPECT_EQ(stateOf(*plugin), before);
}

TEST_F(FenwoxQuilAax, ChunkHeaderAndContents) {
    AAX_IACFEffectParameters_V4* model = plugin->dataModel();
    int32_t chunks = 0;
    EXPECT_EQ(model->GetNumberOfChunks(&chunks), AAX_SUCCESS);
    EXPECT_EQ(chunks, 1);
    uint32_t id = 99;
    EXPECT_EQ(model->GetChunkIDFromIndex(1, &id), AAX_ERROR_INVALID_CHUNK_INDEX);
    EXPECT_EQ(id, 0u);
    uint32_t size = 99;
    EXPECT_EQ(model->GetChunkSize(fourCharCode("elck"), &size), AAX_ERROR_INVALID_CHUNK_ID);
    EXPECT_EQ(size, 0u);

    plugin->updateValue("2", 1.0);
    plugin->updateValue("8", 0.5);
    std::vector<uint8_t> record;
    ASSERT_EQ(plugin->saveChunk(record), AAX_SUCCESS);
    ASSERT_EQ(record.size(), kChunkDataOffset + kStateBytes);
    const auto* chunk = reinterpret_cast<const AAX_SPlugInChunk*>(record.data());
    EXPECT_EQ(chunk->fChunkID, kQuil);
    EXPECT_EQ(chunk->fSize, 72);
    EXPECT_EQ(chunk->fVersion, 1);
    double values[9];
    std::memcpy(values, chunk->fData, sizeof values);
    const double expected[9] = {0, 100, 0, 0, 0, 1, 1, 4, 0};
    for (int i = 0; i < 9; ++i) EXPECT_EQ(values[i], expected[i]) << i;
}

TEST_F(FenwoxQuilAax, ChunkRestoresIntoASecondInstance) {
    // Values on the parameters' steps, so that the host's copies can be compared exactly.
    const std::map<std::string, double> settings{{"1", 2.0 / 3.0}, {"2", 25.0 / 99.0}, {"3", 0.6}, {"5", 1.0}, {"7", 0.0}};
    for (const auto& s : settings) plugin->updateValue(s.first, s.second);
    std::vector<uint8_t> record;
    ASSERT_EQ(plugin->saveChunk(record), AAX_SUCCESS);

    auto second = create(kStereo);
    ASSERT_TRUE(second);
    second->automation().takeCalls();
    ASSERT_EQ(second->restoreChunk(record), AAX_SUCCESS);
    EXPECT_EQ(stateOf(*second), stateOf(*plugin));
    for (const std::string& id : plugin->parameterIds())
        EXPECT_NEAR(second->normalizedValue(id), plugin->normalizedValue(id), 1e-12) << id;
    // Every restored value was reported to the host.
    int requests = 0;
    for (const AutomationCall& call : second->automation().takeCalls())
        if (call.kind == AutomationCall::SetValue) ++requests;
    EXPECT_EQ(requests, 9);
}

TEST_F(FenwoxQuilAax, CompareActiveChunk) {
    std::vector<uint8_t> saved;
    ASSERT_EQ(plugin->saveChunk(saved), AAX_SUCCESS);
    bool equal = false;
    EXPECT_EQ(plugin->compareChunk(saved, &equal), AAX_SUCCESS);
    EXPECT_TRUE(equal);
    plugin->updateValue("3", 0.5);
    EXPECT_EQ(plugin->compareChunk(saved, &equal), AAX_SUCCESS);
    EXPECT_FALSE(equal);
    // Someone else's chunk is no reason to light the compare indicator.
    reinterpret_cast<AAX_SPlugInChunk*>(saved.data())->fChunkID = fourCharCode("elck");
    EXPECT_EQ(plugin->compareChunk(saved, &equal), AAX_SUCCESS);
    EXPECT_TRUE(equal);
}

// Chunks from a session file or a preset are untrusted: what cannot be read is refused whole.
TEST_F(FenwoxQuilAax, UntrustedChunksChangeNothing) {
    plugin->updateValue("3", 0.3);
    std::vector<uint8_t> good;
    ASSERT_EQ(plugin->saveChunk(good), AAX_SUCCESS);
    plugin->updateValue("3", 0.9);
    const std::vector<double> before = stateOf(*plugin);

    const struct {
        const char* what;
        int32_t size;
        int32_t version;
        uint32_t id;
        int32_t result;
    } cases[] = {
        {"truncated", 40, 1, kQuil, AAX_ERROR_INVALID_ARGUMENT},
        {"empty", 0, 1, kQuil, AAX_ERROR_INVALID_ARGUMENT},
        {"negative size", -8, 1, kQuil, AAX_ERROR_INVALID_ARGUMENT},
        {"absurd size", 0x7FFFFFFF, 1, kQuil, AAX_ERROR_INVALID_ARGUMENT},
        {"later version", 72, 2, kQuil, AAX_ERROR_INVALID_ARGUMENT},
        {"other identifier", 72, 1, fourCharCode("elck"), AAX_ERROR_INVALID_CHUNK_ID},
    };
    for (const auto& c : cases) {
        std::vector<uint8_t> record(good);
        auto* chunk = reinterpret_cast<AAX_SPlugInChunk*>(record.data());
        chunk->fSize = c.size;
        chunk->fVersion = c.version;
        chunk->fChunkID = c.id;
        EXPECT_EQ(plugin->dataModel()->SetChunk(c.id, chunk), c.result) << c.what;
        EXPECT_EQ(stateOf(*plugin), before) << c.what;
    }
    // A chunk too short to hold the state is not the state.
    std::vector<uint8_t> shortRecord(good.begin(), good.begin() + static_cast<std::ptrdiff_t>(kChunkDataOffset + 16));
    reinterpret_cast<AAX_SPlugInChunk*>(shortRecord.data())->fSize = 16;
    bool equal = true;
    EXPECT_EQ(plugin->compareChunk(shortRecord, &equal), AAX_SUCCESS);
    EXPECT_FALSE(equal);
    // A chunk asked for without its size first would not fit the host's allocation.
    EXPECT_EQ(plugin->dataModel()->GetChunk(kQuil, reinterpret_cast<AAX_SPlugInChunk*>(good.data())),
              AAX_ERROR_INCORRECT_CHUNK_SIZE);
}

TEST_F(FenwoxQuilAax, IdentifiersThatNameNoParameter) {
    AAX_IACFEffectParameters_V4* model = plugin->dataModel();
    const std::vector<double> before = stateOf(*plugin);
    for (const char* id : {"0", "10", "", "01", "+3", "3 ", "abc", "99999999999999999999"}) {
        SCOPED_TRACE(id);
        double value = -1.0;
        int32_t steps = -1;
        EXPECT_EQ(model->UpdateParameterNormalizedValue(id, 0.5, 0), AAX_ERROR_INVALID_PARAMETER_ID);
        EXPECT_EQ(model->GetParameterNormalizedValue(id, &value), AAX_ERROR_INVALID_PARAMETER_ID);
        EXPECT_EQ(model->GetParameterNumberOfSteps(id, &steps), AAX_ERROR_INVALID_PARAMETER_ID);
        EXPECT_EQ(model->SetParameterNormalizedValue(id, 0.5), AAX_ERROR_INVALID_PARAMETER_ID);
        EXPECT_EQ(plugin->valueText(id, 0.5), "");
    }
    EXPECT_EQ(model->UpdateParameterNormalizedValue(nullptr, 0.5, 0), AAX_ERROR_INVALID_PARAMETER_ID);
    HostString id("untouched");
    EXPECT_EQ(model->GetParameterIDFromIndex(10, &id), AAX_ERROR_INVALID_PARAMETER_ID);
    EXPECT_EQ(model->GetParameterIDFromIndex(-1, &id), AAX_ERROR_INVALID_PARAMETER_ID);
    EXPECT_EQ(id.str(), "");
    EXPECT_EQ(stateOf(*plugin), before);
}

// A host that keeps calling after it uninitialised the instance gets errors, and no audio.
TEST_F(FenwoxQuilAax, CallsAfterTeardownAreRefused) {
    AAX_IACFEffectParameters_V4* model = plugin->dataModel();
    ASSERT_EQ(model->Uninitialize(), AAX_SUCCESS);
    EXPECT_EQ(model->Uninitialize(), AAX_SUCCESS);
    int32_t count = -1;
    EXPECT_EQ(model->GetNumberOfParameters(&count), AAX_SUCCESS);
    EXPECT_EQ(count, 0);
    EXPECT_EQ(model->UpdateParameterNormalizedValue("3", 0.5, 0), AAX_ERROR_INVALID_PARAMETER_ID);
    uint32_t size = 7;
    EXPECT_EQ(model->GetChunkSize(kQuil, &size), AAX_ERROR_NOT_INITIALIZED);
    std::vector<float> in(64, 0.5f);
    std::vector<float> left(64, 7.0f);
    std::vector<float> right(64, 7.0f);
    const float* inputs[2] = {in.data(), in.data()};
    float* outputs[2] = {left.data(), right.data()};
    plugin->render(inputs, outputs, 64);
    EXPECT_EQ(left, std::vector<float>(64, 7.0f));
}

TEST_F(FenwoxQuilAax, EditorObjectOpensAndClosesInTheHostsWindow) {
    auto window = OpenHostWindow();
    ASSERT_TRUE(window);
    ASSERT_TRUE(plugin->showEditor(window->nativeHandle(), error)) << error;
    AAX_IACFEffectGUI_V2* gui = plugin->editorObject();
    AAX_Point size{-1.0f, -1.0f};
    EXPECT_EQ(gui->GetViewSize(&size), AAX_SUCCESS);
    EXPECT_EQ(size.vert, 460.0f);
    EXPECT_EQ(size.horz, 410.0f);
    EXPECT_EQ(plugin->viewContainer()->references(), 1);
    plugin->hideEditor();
    EXPECT_EQ(plugin->viewContainer()->references(), 0);
    ASSERT_TRUE(plugin->showEditor(window->nativeHandle(), error)) << error;
    EXPECT_EQ(plugin->viewContainer()->references(), 1);
}

// Without a data model behind the controller the editor object binds nothing and answers nothing.
TEST_F(FenwoxQuilAax, EditorObjectWithoutDataModel) {
    using CreateProc = IACFUnknown* (*)();
    IACFUnknown* created = reinterpret_cast<CreateProc>(module->effect()->procs.at(kAAX_ProcPtrID_Create_EffectGUI))();
    void* out = nullptr;
    ASSERT_EQ(created->QueryInterface(IID_IAAXEffectGUIV1, &out), ACF_OK);
    auto* gui = static_cast<AAX_IACFEffectGUI_V2*>(out);
    AAX_Point size{-1.0f, -1.0f};
    EXPECT_EQ(gui->GetViewSize(&size), AAX_SUCCESS);
    EXPECT_EQ(size.vert, -1.0f);
    EXPECT_EQ(gui->Initialize(nullptr), AAX_ERROR_NOT_INITIALIZED);
    aaxhost::HostAutomation automation;
    aaxhost::HostController controller(automation, 44100.0f, AAX_eStemFormat_Stereo, AAX_eStemFormat_Stereo);
    EXPECT_EQ(gui->Initialize(&controller), AAX_SUCCESS);
    auto window = OpenHostWindow();
    ASSERT_TRUE(window);
    aaxhost::HostViewContainer view(window->nativeHandle());
    EXPECT_EQ(gui->SetViewContainer(&view), AAX_SUCCESS);
    EXPECT_EQ(gui->GetViewSize(&size), AAX_SUCCESS);
    EXPECT_EQ(size.vert, -1.0f);
    EXPECT_EQ(gui->SetViewContainer(nullptr), AAX_SUCCESS);
    EXPECT_EQ(gui->Uninitialize(), AAX_SUCCESS);
    EXPECT_EQ(gui->Release(), 0u);
    EXPECT_EQ(view.references(), 0);
    EXPECT_EQ(controller.references(), 0);
}

// After teardown every reference is back and the module may be unloaded.
TEST_F(FenwoxQuilAax, ReferencesReturnAndTheModuleMayUnload) {
    auto window = OpenHostWindow();
    ASSERT_TRUE(window);
    ASSERT_TRUE(plugin->showEditor(window->nativeHandle(), error)) << error;
    auto second = create(kMono);
    ASSERT_TRUE(second);
    EXPECT_GT(module->canUnloadNow(), 0);
    second->teardown();
    plugin->teardown();
    EXPECT_EQ(plugin->outstandingReferences(), 0);
    EXPECT_EQ(second->outstandingReferences(), 0);
    EXPECT_EQ(module->shutdown(), ACF_OK);
    EXPECT_EQ(module->canUnloadNow(), 0);
    EXPECT_EQ(module->host().factory().outstandingReferences(), 0);
    EXPECT_EQ(module->host().references(), 0);
}

TEST_F(FenwoxQuilAax, OtherExportsAnswerAsAnAaxModuleShould) {
    const aaxhost::AaxExports& exports = module->exports();
    void* factory = &error;
    EXPECT_EQ(exports.getClassFactory(&module->host(), &IID_IACFUnknown, &IID_IACFUnknown, &factory),
              AAX_ERROR_UNIMPLEMENTED);
    EXPECT_EQ(factory, nullptr);
    IACFComponentDefinition* component = reinterpret_cast<IACFComponentDefinition*>(&error);
    EXPECT_EQ(exports.registerComponent(&module->host(), 0, &component), ACF_OK);
    EXPECT_EQ(component, nullptr);
    EXPECT_EQ(exports.getSdkVersion(nullptr), ACF_E_POINTER);
    EXPECT_EQ(exports.registerPlugin(&module->host(), nullptr), ACF_E_POINTER);
    // A host unknown that leads to no factory gives no description.
    aaxhost::HostViewContainer notAHost(nullptr);
    IACFPluginDefinition* definition = nullptr;
    EXPECT_EQ(exports.registerPlugin(&notAHost, &definition), AAX_ERROR_NULL_OBJECT);
    EXPECT_EQ(definition, nullptr);
}

#ifdef _WIN32
#include "tools/aaxhost/AaxLibrary.h"

#include <windows.h>

// The editor's five images travel inside the library, as resources of type PNG.
TEST_F(FenwoxQuilAax, LibraryCarriesTheEditorImages) {
    void* library = aaxhost::openLibrary(aaxhost::locateAaxBinary(QUIL_FENWOXQUIL_AAX_BUNDLE), error);
    ASSERT_NE(library, nullptr) << error;
    for (int id = 100; id <= 104; ++id)
        EXPECT_NE(FindResourceA(static_cast<HMODULE>(library), MAKEINTRESOURCEA(id), "PNG"), nullptr) << id;
    aaxhost::closeLibrary(library);
}
#endif
