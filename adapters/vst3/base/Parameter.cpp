#include "adapters/vst3/base/Parameter.h"

#include "adapters/vst3/base/Utf16.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace vst3 {
namespace {

ParamValue clampUnit(ParamValue value) {
    if (!(value >= 0.0)) return 0.0;  // also catches NaN
    return value > 1.0 ? 1.0 : value;
}

void formatNumber(ParamValue value, int32 precision, String128 text) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.*f", std::clamp(precision, 0, 16), value);
    copyUtf8ToUtf16(text, 128, buffer);
}

// Parses a whole UTF-16 text as a decimal number (surrounding blanks allowed).
bool parseNumber(const TChar* text, double& value) {
    if (!text) return false;
    char buffer[128];
    copyUtf16ToUtf8(buffer, sizeof buffer, text, 128);
    char* end = nullptr;
    const double parsed = std::strtod(buffer, &end);
    if (end == buffer) return false;
    while (*end == ' ' || *end == '\t') ++end;
    if (*end != 0 || !std::isfinite(parsed)) return false;
    value = parsed;
    return true;
}

} // namespace

Parameter::Parameter(const char* title, ParamID id, const char* units, ParamValue defaultNormalized,
                     int32 stepCount, int32 flags, UnitID unitId) {
    mInfo.id = id;
    copyUtf8ToUtf16(mInfo.title, 128, title);
    copyUtf8ToUtf16(mInfo.units, 128, units);
    mInfo.stepCount = stepCount;
    mInfo.defaultNormalizedValue = clampUnit(defaultNormalized);
    mInfo.unitId = unitId;
    mInfo.flags = flags;
    mValueNormalized = mInfo.defaultNormalizedValue;
}

bool Parameter::setNormalized(ParamValue value) {
    const ParamValue clamped = clampUnit(value);
    if (clamped == mValueNormalized) return false;
    mValueNormalized = clamped;
    return true;
}

void Parameter::setDefaultNormalized(ParamValue value) {
    mInfo.defaultNormalizedValue = clampUnit(value);
    mValueNormalized = mInfo.defaultNormalizedValue;
}

void Parameter::toString(ParamValue valueNormalized, String128 text) const {
    formatNumber(toPlain(valueNormalized), mPrecision, text);
}

bool Parameter::fromString(const TChar* text, ParamValue& valueNormalized) const {
    double plain = 0.0;
    if (!parseNumber(text, plain)) return false;
    valueNormalized = toNormalized(plain);
    return true;
}

ParamValue Parameter::toPlain(ParamValue valueNormalized) const { return valueNormalized; }

ParamValue Parameter::toNormalized(ParamValue plainValue) const { return clampUnit(plainValue); }

RangeParameter::RangeParameter(const char* title, ParamID id, const char* units, ParamValue minPlain,
                               ParamValue maxPlain, ParamValue defaultPlain, int32 stepCount, int32 flags,
                               UnitID unitId)
    : Parameter(title, id, units, 0.0, stepCount, flags, unitId), mMin(minPlain), mMax(maxPlain) {
    mInfo.defaultNormalizedValue = toNormalized(defaultPlain);
    mValueNormalized = mInfo.defaultNormalizedValue;
}

ParamValue RangeParameter::toPlain(ParamValue valueNormalized) const {
    const ParamValue unit = clampUnit(valueNormalized);
    if (mInfo.stepCount > 0) {
        // Stepped ranges land on one of stepCount + 1 evenly spaced plain values.
        const ParamValue step = (mMax - mMin) / mInfo.stepCount;
        return mMin + std::round(unit * mInfo.stepCount) * step;
    }
    return mMin + unit * (mMax - mMin);
}

ParamValue RangeParameter::toNormalized(ParamValue plainValue) const {
    if (mMax == mMin) return 0.0;
    return clampUnit((plainValue - mMin) / (mMax - mMin));
}

StringListParameter::StringListParameter(const char* title, ParamID id, const char* units, int32 flags,
                                         UnitID unitId)
    : Parameter(title, id, units, 0.0, -1, flags | ParameterInfo::kIsList, unitId) {}

void StringListParameter::appendString(const char* text) {
    std::vector<char16> entry(128);
    copyUtf8ToUtf16(entry.data(), entry.size(), text);
    entry.resize(utf16Length(entry.data(), entry.size()) + 1);
    mEntries.push_back(std::move(entry));
    mInfo.stepCount = static_cast<int32>(mEntries.size()) - 1;
}

void StringListParameter::toString(ParamValue valueNormalized, String128 text) const {
    const auto index = static_cast<std::size_t>(toPlain(valueNormalized));
    if (index >= mEntries.size()) {
        text[0] = 0;
        return;
    }
    std::copy(mEntries[index].begin(), mEntries[index].end(), text);
}

bool StringListParameter::fromString(const TChar* text, ParamValue& valueNormalized) const {
    if (!text) return false;
    const std::size_t length = utf16Length(text, 128);
    for (std::size_t i = 0; i < mEntries.size(); ++i) {
        if (mEntries[i].size() == length + 1 && std::equal(text, text + length, mEntries[i].begin())) {
            valueNormalized = toNormalized(static_cast<ParamValue>(i));
            return true;
        }
    }
    return false;
}

ParamValue StringListParameter::toPlain(ParamValue valueNormalized) const {
    if (mInfo.stepCount <= 0) return 0.0;
    return std::round(clampUnit(valueNormalized) * mInfo.stepCount);
}

ParamValue StringListParameter::toNormalized(ParamValue plainValue) const {
    if (mInfo.stepCount <= 0) return 0.0;
    return clampUnit(plainValue / mInfo.stepCount);
}

} // namespace vst3
