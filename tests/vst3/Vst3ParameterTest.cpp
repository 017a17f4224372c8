// Parameter conversions and texts, and the container that exports them in order.
#include "adapters/vst3/base/ParameterContainer.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

using namespace vst3;

namespace {

std::u16string textOf(const Parameter& parameter, ParamValue normalized) {
    String128 text{};
    parameter.toString(normalized, text);
    return text;
}

// Counts destructions so ownership can be checked.
class CountedParameter : public Parameter {
public:
    CountedParameter(ParamID id, int* destroyed) : Parameter("P", id), mDestroyed(destroyed) {}
    ~CountedParameter() override { ++*mDestroyed; }

private:
    int* mDestroyed;
};

} // namespace

TEST(Vst3Parameter, InfoCarriesTheConstructorValues) {
    const RangeParameter gain("Gain", 3, "dB", -60.0, 12.0, 0.0, 0, ParameterInfo::kCanAutomate, 2);
    const ParameterInfo& info = gain.getInfo();
    EXPECT_EQ(info.id, 3u);
    EXPECT_EQ(std::u16string(info.title), u"Gain");
    EXPECT_EQ(std::u16string(info.units), u"dB");
    EXPECT_EQ(std::u16string(info.shortTitle), u"");
    EXPECT_EQ(info.stepCount, 0);
    EXPECT_DOUBLE_EQ(info.defaultNormalizedValue, 60.0 / 72.0);
    EXPECT_EQ(info.unitId, 2);
    EXPECT_EQ(info.flags, ParameterInfo::kCanAutomate);
    EXPECT_DOUBLE_EQ(gain.getNormalized(), 60.0 / 72.0);
}

TEST(Vst3Parameter, RangeConversions) {
    RangeParameter time("Time", 0, "ms", 10.0, 110.0, 10.0);
    const struct {
        ParamValue normalized;
        ParamValue plain;
    } cases[] = {{0.0, 10.0}, {0.25, 35.0}, {1.0, 110.0}, {-1.0, 10.0}, {2.0, 110.0}};
    for (const auto& c : cases) EXPECT_DOUBLE_EQ(time.toPlain(c.normalized), c.plain) << c.normalized;
    EXPECT_DOUBLE_EQ(time.toNormalized(60.0), 0.5);
    EXPECT_DOUBLE_EQ(time.toNormalized(500.0), 1.0);
    EXPECT_DOUBLE_EQ(time.toNormalized(-5.0), 0.0);

    RangeParameter stepped("Steps", 1, nullptr, 0.0, 3.0, 0.0, 3);
    EXPECT_DOUBLE_EQ(stepped.toPlain(0.4), 1.0);
    EXPECT_DOUBLE_EQ(stepped.toPlain(0.9), 3.0);

    RangeParameter empty("Flat", 2, nullptr, 5.0, 5.0, 5.0);
    EXPECT_DOUBLE_EQ(empty.toNormalized(5.0), 0.0);
}

TEST(Vst3Parameter, RangeTextsUseThePrecision) {
    RangeParameter time("Time", 0, "ms", 10.0, 110.0, 10.0);
    time.setPrecision(1);
    EXPECT_EQ(textOf(time, 0.25), u"35.0");
    time.setPrecision(0);
    EXPECT_EQ(textOf(time, 1.0), u"110");

    ParamValue normalized = -1.0;
    EXPECT_TRUE(time.fromString(u"60", normalized));
    EXPECT_DOUBLE_EQ(normalized, 0.5);
    EXPECT_TRUE(time.fromString(u" 1000 ", normalized));
    EXPECT_DOUBLE_EQ(normalized, 1.0);
    for (const char16_t* bad : {u"", u"abc", u"12ms", u"nan"}) {
        normalized = 0.25;
        EXPECT_FALSE(time.fromString(bad, normalized));
        EXPECT_DOUBLE_EQ(normalized, 0.25);
    }
    EXPECT_FALSE(time.fromString(nullptr, normalized));
}

TEST(Vst3Parameter, SetNormalizedClampsAndReportsChange) {
    Parameter plain("Plain", 0);
    EXPECT_TRUE(plain.setNormalized(0.5));
    EXPECT_FALSE(plain.setNormalized(0.5));
    plain.setNormalized(7.0);
    EXPECT_DOUBLE_EQ(plain.getNormalized(), 1.0);
    plain.setNormalized(-7.0);
    EXPECT_DOUBLE_EQ(plain.getNormalized(), 0.0);
    plain.setNormalized(std::nan(""));
    EXPECT_DOUBLE_EQ(plain.getNormalized(), 0.0);
}

TEST(Vst3Parameter, StringListMapsEntriesToSteps) {
    StringListParameter mode("Mode", 4, nullptr, ParameterInfo::kCanAutomate);
    EXPECT_EQ(mode.getInfo().flags, ParameterInfo::kCanAutomate | ParameterInfo::kIsList);
    for (const char* entry : {"short", "middle", "long", "hold"}) mode.appendString(entry);
    EXPECT_EQ(mode.getInfo().stepCount, 3);
    EXPECT_EQ(textOf(mode, 0.0), u"short");
    EXPECT_EQ(textOf(mode, 0.4), u"middle");
    EXPECT_EQ(textOf(mode, 0.9), u"hold");
    EXPECT_DOUBLE_EQ(mode.toPlain(2.0 / 3.0), 2.0);
    EXPECT_DOUBLE_EQ(mode.toNormalized(3.0), 1.0);
    ParamValue normalized = 0.0;
    EXPECT_TRUE(mode.fromString(u"long", normalized));
    EXPECT_DOUBLE_EQ(normalized, 2.0 / 3.0);
    EXPECT_FALSE(mode.fromString(u"lon", normalized));
    EXPECT_FALSE(mode.fromString(u"longer", normalized));
}

TEST(Vst3ParameterContainer, KeepsOrderAndFindsById) {
    ParameterContainer container;
    container.addParameter(new Parameter("Preset", 0x70727374));
    container.addParameter(new Parameter("Bypass", 0x62706173));
    container.addParameter(new Parameter("Level", 0));
    ASSERT_EQ(container.getParameterCount(), 3);
    EXPECT_EQ(container.getParameterByIndex(0)->getId(), 0x70727374u);
    EXPECT_EQ(container.getParameterByIndex(2)->getId(), 0u);
    EXPECT_EQ(container.getParameter(0x62706173)->getInfo().title, std::u16string(u"Bypass"));
    EXPECT_EQ(container.getParameter(5), nullptr);
    EXPECT_EQ(container.getParameterByIndex(3), nullptr);
    EXPECT_EQ(container.getParameterByIndex(-1), nullptr);
}

TEST(Vst3ParameterContainer, OwnsItsParametersAndRefusesDuplicateIds) {
    int destroyed = 0;
    {
        ParameterContainer container;
        container.addParameter(new CountedParameter(1, &destroyed));
        EXPECT_EQ(container.addParameter(new CountedParameter(1, &destroyed)), nullptr);
        EXPECT_EQ(destroyed, 1);
        EXPECT_EQ(container.getParameterCount(), 1);
        container.addParameter(new CountedParameter(2, &destroyed));
        container.removeAll();
        EXPECT_EQ(destroyed, 3);
        EXPECT_EQ(container.getParameter(1), nullptr);
        container.addParameter(new CountedParameter(1, &destroyed));
    }
    EXPECT_EQ(destroyed, 4);
}
