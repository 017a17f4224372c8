// The support library on its own: reference counting, the exception guard, parameter lookup and
// the taper and display delegates.
#include "adapters/aax/AAX_CIEffectTaperDelegate.h"
#include "adapters/aax/support/AAX_CEffectParameters.h"
#include "tools/aaxhost/HostRuntime.h"
#include "tools/aaxhost/HostString.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <stdexcept>
#include <thread>
#include <vector>

using namespace aax;
using aaxhost::HostString;

namespace {

// A data model with one named parameter; it can be told to throw from its overridable steps.
class ProbeModel : public AAX_CEffectParameters {
public:
    bool throwOnCreate = false;
    bool throwOnApply = false;

protected:
    int32_t CreateParameters() override {
        if (throwOnCreate) throw std::runtime_error("refused");
        AddParameter(std::make_unique<AAX_CParameter<double>>(
            "1", "Feedback\nFdbk\nFb", 0.0, AAX_CLinearTaperDelegate<double>(0.0, 100.0),
            AAX_CUnitDisplayDelegateDecorator<double>(AAX_CNumberDisplayDelegate<double>(2), "%"), true));
        return AAX_SUCCESS;
    }
    int32_t ApplyNormalizedValue(const char* id, double value) override {
        if (throwOnApply) throw std::bad_alloc();
        return AAX_CEffectParameters::ApplyNormalizedValue(id, value);
    }
};

struct ProbeHost {
    aaxhost::HostAutomation automation;
    aaxhost::HostController controller{automation, 48000.0f, AAX_eStemFormat_Stereo, AAX_eStemFormat_Stereo};
};

} // namespace

TEST(AaxSupport, ObjectsStartUnownedAndGoWithTheLastReference) {
    const int32_t before = CACFUnknown::LiveObjectCount();
    auto* model = new ProbeModel;
    EXPECT_EQ(CACFUnknown::LiveObjectCount(), before + 1);
    // A release without a reference must neither wrap the count nor delete.
    EXPECT_EQ(model->Release(), 0u);
    EXPECT_EQ(CACFUnknown::LiveObjectCount(), before + 1);

    void* out = nullptr;
    ASSERT_EQ(model->QueryInterface(IID_IAAXEffectParametersV2, &out), ACF_OK);
    EXPECT_EQ(out, static_cast<AAX_IACFEffectParameters_V4*>(model));
    EXPECT_EQ(model->ReferenceCount(), 1u);
    EXPECT_EQ(model->QueryInterface(IID_IAAXEffectGUIV1, &out), ACF_E_NOINTERFACE);
    EXPECT_EQ(out, nullptr);
    EXPECT_EQ(model->Release(), 0u);
    EXPECT_EQ(CACFUnknown::LiveObjectCount(), before);
}

TEST(AaxSupport, ReferenceCountsHoldUnderConcurrentHosts) {
    auto* model = new ProbeModel;
    model->AddRef();
    std::vector<std::thread> threads;
    for (int t = 0; t < 4; ++t) {
        threads.emplace_back([model] {
            for (int i = 0; i < 20000; ++i) {
                model->AddRef();
                model->Release();
            }
        });
    }
    for (std::thread& thread : threads) thread.join();
    EXPECT_EQ(model->ReferenceCount(), 1u);
    model->Release();
}

TEST(AaxSupport, NoExceptionLeavesAHostCall) {
    ProbeHost host;
    ProbeModel refused;
    refused.throwOnCreate = true;
    EXPECT_EQ(refused.Initialize(&host.controller), AAX_ERROR_UNKNOWN_EXCEPTION);

    ProbeModel model;
    ASSERT_EQ(model.Initialize(&host.controller), AAX_SUCCESS);
    model.throwOnApply = true;
    EXPECT_EQ(model.UpdateParameterNormalizedValue("1", 0.5, 0), AAX_ERROR_UNKNOWN_EXCEPTION);
    EXPECT_EQ(guardedCall(ACF_E_UNEXPECTED, []() -> int32_t { throw 42; }), ACF_E_UNEXPECTED);
    model.Uninitialize();
}

TEST(AaxSupport, HostCallsAreCheckedBeforeTheyReachTheModel) {
    ProbeHost host;
    ProbeModel model;
    double value = -1.0;
    // Before Initialize nothing is known.
    EXPECT_EQ(model.GetParameterNormalizedValue("1", &value), AAX_ERROR_INVALID_PARAMETER_ID);
    EXPECT_EQ(model.Initialize(nullptr), AAX_ERROR_NOT_INITIALIZED);
    ASSERT_EQ(model.Initialize(&host.controller), AAX_SUCCESS);
    EXPECT_EQ(model.Initialize(&host.controller), AAX_ERROR_INVALID_ARGUMENT);

    EXPECT_EQ(model.GetParameterNormalizedValue(nullptr, &value), AAX_ERROR_INVALID_PARAMETER_ID);
    EXPECT_EQ(model.GetParameterNormalizedValue("1", nullptr), AAX_ERROR_NULL_ARGUMENT);
    EXPECT_EQ(model.UpdateParameterNormalizedValue("1", std::nan(""), 0), AAX_ERROR_INVALID_ARGUMENT);
    EXPECT_EQ(model.UpdateParameterNormalizedValue("1", 7.0, 0), AAX_SUCCESS);
    EXPECT_EQ(model.GetParameterNormalizedValue("1", &value), AAX_SUCCESS);
    EXPECT_EQ(value, 1.0);
    EXPECT_EQ(model.ResetFieldData(0, nullptr, 4), AAX_ERROR_NULL_ARGUMENT);
    EXPECT_EQ(model.GetChunk(0, nullptr), AAX_ERROR_NULL_ARGUMENT);

    model.Uninitialize();
    EXPECT_EQ(model.UpdateParameterNormalizedValue("1", 0.5, 0), AAX_ERROR_INVALID_PARAMETER_ID);
    int32_t count = -1;
    EXPECT_EQ(model.GetNumberOfParameters(&count), AAX_SUCCESS);
    EXPECT_EQ(count, 0);
}

TEST(AaxSupport, ShorterNameVariantsForNarrowDisplays) {
    ProbeHost host;
    ProbeModel model;
    ASSERT_EQ(model.Initialize(&host.controller), AAX_SUCCESS);
    const struct {
        int32_t maxChars;
        const char* name;
    } cases[] = {{0, "Feedback"}, {31, "Feedback"}, {5, "Fdbk"}, {2, "Fb"}, {1, "F"}};
    for (const auto& c : cases) {
        HostString name;
        EXPECT_EQ(model.GetParameterNameOfLength("1", &name, c.maxChars), AAX_SUCCESS);
        EXPECT_EQ(name.str(), c.name) << c.maxChars;
    }
    model.Uninitialize();
}

TEST(AaxSupport, LinearAndBinaryTapers) {
    const AAX_CLinearTaperDelegate<int> choice(0, 3);
    EXPECT_EQ(choice.TaperToReal(0.5), 1);
    EXPECT_EQ(choice.TaperToReal(0.999), 2);  // truncated, as hosts expect of stepped controls
    EXPECT_EQ(choice.TaperToReal(1.0), 3);
    EXPECT_EQ(choice.TaperToReal(std::nan("")), 0);
    EXPECT_EQ(choice.TaperToReal(1e300), 3);
    EXPECT_DOUBLE_EQ(choice.TaperToNormalized(2), 2.0 / 3.0);
    EXPECT_DOUBLE_EQ(choice.TaperToNormalized(9), 1.0);
    EXPECT_EQ(AAX_CLinearTaperDelegate<int>(2, 2).TaperToNormalized(2), 0.5);

    const AAX_CBinaryTaperDelegate binary;
    EXPECT_FALSE(binary.TaperToReal(0.0));
    EXPECT_TRUE(binary.TaperToReal(0.01));
    EXPECT_EQ(binary.TaperToNormalized(true), 1.0);
}

TEST(AaxSupport, PluginShapeTaper) {
    const AAX_CIEffectTaperDelegate<double> taper(10.0, 110.0, 2.0);
    EXPECT_DOUBLE_EQ(taper.TaperToReal(0.5), 35.0);
    EXPECT_DOUBLE_EQ(taper.TaperToNormalized(35.0), 0.5);
    EXPECT_EQ(taper.Constrain(200.0), 110.0);
    EXPECT_EQ(taper.Constrain(-5.0), 10.0);
    EXPECT_EQ(taper.TaperToNormalized(-5.0), 0.0);
    EXPECT_EQ(taper.TaperToNormalized(500.0), 1.0);
    std::unique_ptr<AAX_ITaperDelegate<double>> copy(taper.Clone());
    EXPECT_DOUBLE_EQ(copy->TaperToReal(0.5), 35.0);
    EXPECT_EQ(AAX_CIEffectTaperDelegate<double>(1.0, 1.0, 1.0).TaperToNormalized(1.0), 0.0);
}

TEST(AaxSupport, DisplayTextsBothWays) {
    const AAX_CUnitDisplayDelegateDecorator<double> percent(AAX_CNumberDisplayDelegate<double>(2), "%");
    const AAX_CNumberDisplayDelegate<int> integer(2);
    const AAX_CStringDisplayDelegate<int> list({{0, "off"}, {1, "on"}});
    const AAX_CBinaryDisplayDelegate binary("bypass", "on");
    const struct {
        const AAX_IDisplayDelegate<double>* delegate;
        double value;
        int maxChars;
        const char* text;
    } doubles[] = {{&percent, 50.5, 0, "50.50%"}, {&percent, 100.0, 6, "100.00"}, {&percent, 100.0, 4, "100%"}, {&percent, 100.0, 3, "100"}};
    for (const auto& c : doubles) {
        std::string text;
        EXPECT_TRUE(c.delegate->ValueToString(c.value, c.maxChars, text));
        EXPECT_EQ(text, c.text);
    }
    std::string text;
    EXPECT_TRUE(integer.ValueToString(5, 0, text));
    EXPECT_EQ(text, "5.00");
    EXPECT_FALSE(list.ValueToString(7, 0, text));
    EXPECT_EQ(text, "String Not Found");
    EXPECT_TRUE(binary.ValueToString(false, 0, text));
    EXPECT_EQ(text, "bypass");

    double real = 0.0;
    EXPECT_TRUE(percent.StringToValue("25%", &real));
    EXPECT_EQ(real, 25.0);
    EXPECT_TRUE(percent.StringToValue("25", &real));
    EXPECT_FALSE(percent.StringToValue("lots", &real));
    int number = 0;
    EXPECT_FALSE(integer.StringToValue("1e300", &number));
    EXPECT_TRUE(list.StringToValue("on", &number));
    EXPECT_EQ(number, 1);
    bool flag = false;
    EXPECT_FALSE(binary.StringToValue("off", &flag));
    EXPECT_TRUE(binary.StringToValue("on", &flag));
    EXPECT_TRUE(flag);
}

// The host's string as the plug-in writes it: only through Set, and the slot order the host uses.
TEST(AaxSupport, HostStringWrites) {
    HostString host("old");
    EXPECT_EQ(setHostString(&host, "new"), AAX_SUCCESS);
    EXPECT_EQ(host.str(), "new");
    EXPECT_EQ(setHostString(nullptr, "x"), AAX_ERROR_NULL_ARGUMENT);
    AAX_IString& viaText = host.AssignText("text");
    EXPECT_EQ(&viaText, &host);
    const HostString other("copied");
    host.AssignString(other);
    EXPECT_STREQ(host.Get(), "copied");
}
