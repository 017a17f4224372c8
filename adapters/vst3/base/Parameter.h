#pragma once
// Parameter objects an edit controller exports: a plain normalised parameter, a parameter with a
// plain range, and a parameter that picks one of a list of texts.

#include "adapters/vst3/api/EditController.h"
#include "adapters/vst3/base/FObject.h"

#include <vector>

namespace vst3 {

class Parameter : public FObject {
public:
    // title and units are UTF-8; null means empty.
    Parameter(const char* title, ParamID id, const char* units = nullptr, ParamValue defaultNormalized = 0.0,
              int32 stepCount = 0, int32 flags = ParameterInfo::kCanAutomate, UnitID unitId = 0);

    const ParameterInfo& getInfo() const { return mInfo; }
    ParamID getId() const { return mInfo.id; }
    void setUnitId(UnitID unitId) { mInfo.unitId = unitId; }

    // Stores the value clamped to 0..1; reports whether it changed.
    virtual bool setNormalized(ParamValue value);
    ParamValue getNormalized() const { return mValueNormalized; }
    // The default reported to the host, which also becomes the current value.
    void setDefaultNormalized(ParamValue value);

    // Display precision: digits after the decimal point in toString.
    void setPrecision(int32 digits) { mPrecision = digits; }
    int32 getPrecision() const { return mPrecision; }

    // Text of a normalised value, and back; the base forms print and parse the plain value.
    virtual void toString(ParamValue valueNormalized, String128 text) const;
    virtual bool fromString(const TChar* text, ParamValue& valueNormalized) const;
    virtual ParamValue toPlain(ParamValue valueNormalized) const;
    virtual ParamValue toNormalized(ParamValue plainValue) const;

    QUIL_VST3_CLASS_NAME(Parameter, FObject)

protected:
    ParameterInfo mInfo{};
    ParamValue mValueNormalized = 0.0;
    int32 mPrecision = 4;
};

// A continuous (stepCount 0) or stepped value between a minimum and a maximum plain value.
class RangeParameter : public Parameter {
public:
    RangeParameter(const char* title, ParamID id, const char* units, ParamValue minPlain, ParamValue maxPlain,
                   ParamValue defaultPlain, int32 stepCount = 0, int32 flags = ParameterInfo::kCanAutomate,
                   UnitID unitId = 0);

    ParamValue getMin() const { return mMin; }
    ParamValue getMax() const { return mMax; }

    ParamValue toPlain(ParamValue valueNormalized) const override;
    ParamValue toNormalized(ParamValue plainValue) const override;

    QUIL_VST3_CLASS_NAME(RangeParameter, Parameter)

private:
    ParamValue mMin;
    ParamValue mMax;
};

// One of a list of texts; the plain value is the list position. The flags gain kIsList.
class StringListParameter : public Parameter {
public:
    StringListParameter(const char* title, ParamID id, const char* units = nullptr,
                        int32 flags = ParameterInfo::kCanAutomate | ParameterInfo::kIsList, UnitID unitId = 0);

    // Appends an entry (UTF-8) and widens the step count to cover it.
    void appendString(const char* text);
    int32 entryCount() const { return static_cast<int32>(mEntries.size()); }

    void toString(ParamValue valueNormalized, String128 text) const override;
    bool fromString(const TChar* text, ParamValue& valueNormalized) const override;
    ParamValue toPlain(ParamValue valueNormalized) const override;
    ParamValue toNormalized(ParamValue plainValue) const override;

    QUIL_VST3_CLASS_NAME(StringListParameter, Parameter)

private:
    std::vector<std::vector<char16>> mEntries;
};

} // namespace vst3
